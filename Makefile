# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE ?= cmake
FUZZ_SECONDS ?= 60

.PHONY: deps run test tsan bench fuzz fuzz-replay clean

# The Debian packages of the build, the tool, the tests and the fuzz targets: installs
# the missing ones (asks apt nothing when none is), or says how to.
deps:
	tools/install-deps.sh

run: deps
	$(CMAKE) -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DZIN_BUILD_TESTS=OFF
	$(CMAKE) --build $(BUILD)/release -j $(JOBS)
	cd $(BUILD)/release && ./tools/zin/zin demo

test: deps
	$(CMAKE) -S . -B $(BUILD)/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIN_SANITIZE=address
	$(CMAKE) --build $(BUILD)/test -j $(JOBS)
	cd $(BUILD)/test && ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS)

tsan: deps
	$(CMAKE) -S . -B $(BUILD)/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIN_SANITIZE=thread -DZIN_BUILD_TOOLS=OFF -DZIN_BUILD_EXAMPLES=OFF
	$(CMAKE) --build $(BUILD)/tsan -j $(JOBS) --target zin_concurrency_tests
	cd $(BUILD)/tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -L tsan

bench: deps
	$(CMAKE) -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DZIN_BUILD_TESTS=OFF -DZIN_BUILD_BENCH=ON
	$(CMAKE) --build $(BUILD)/bench -j $(JOBS)

# libFuzzer targets (clang): `make fuzz-replay` builds them and runs every committed seed
# and regression input once; `make fuzz` then fuzzes each target for FUZZ_SECONDS.
fuzz-replay: deps
	$(CMAKE) -S . -B $(BUILD)/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIN_BUILD_FUZZ=ON \
	    -DZIN_BUILD_TESTS=OFF -DZIN_BUILD_TOOLS=OFF -DZIN_BUILD_EXAMPLES=OFF
	$(CMAKE) --build $(BUILD)/fuzz -j $(JOBS) --target zin_fuzzers
	fuzz/run.sh $(BUILD)/fuzz replay

fuzz: fuzz-replay
	fuzz/run.sh $(BUILD)/fuzz fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
