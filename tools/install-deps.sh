#!/usr/bin/env bash
# Installs the Debian packages that the build, the zin tool, the tests and the fuzz
# targets need, when any is missing; `make run` and `make test` call it first. When
# nothing is missing it asks apt nothing. A user who cannot install (not root, no
# password-free sudo) is told which packages are missing and the command to run.
#
#   tools/install-deps.sh            install what is missing
#   tools/install-deps.sh --list     print the packages, one a line
#
# The commands it runs can be replaced, for its test: DPKG_QUERY, APT_GET, SUDO
# (commands) and ZIN_DEPS_UID (the user id to act as).
set -euo pipefail

packages=(
  cmake make g++ pkg-config                    # the build
  googletest libgtest-dev libxml2-utils        # the tests
  libexpat1-dev libpugixml-dev                 # the XML engine's reference and benchmarks
  libbenchmark-dev                             # the benchmarks
  libcli11-dev nlohmann-json3-dev libpng-dev   # the zin tool and its tests
  libassimp-dev assimp-testmodels              # zin convert and its test corpus
  locales                                      # the comma-decimal locale of the number tests
  clang libclang-rt-14-dev                     # the fuzz targets
)

if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

dpkg_query=${DPKG_QUERY:-dpkg-query}
apt_get=${APT_GET:-apt-get}
sudo=${SUDO:-sudo}
uid=${ZIN_DEPS_UID:-$(id -u)}

if ! command -v "$dpkg_query" >/dev/null; then
  echo "install-deps: no dpkg-query here, so not a Debian system: make sure these are installed:" >&2
  echo "  ${packages[*]}" >&2
  exit 0
fi

missing_packages() {
  # One query for every package; those dpkg has never heard of are not listed.
  local installed
  installed=$("$dpkg_query" -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
    awk '$NF == "installed" && $(NF-1) == "ok" {print $1}' || true)
  local p
  for p in "${packages[@]}"; do
    grep -qxF -- "$p" <<<"$installed" || echo "$p"
  done
}

mapfile -t missing < <(missing_packages)
[ ${#missing[@]} -eq 0 ] && exit 0

runner=()
if [ "$uid" != 0 ]; then
  if command -v "$sudo" >/dev/null && "$sudo" -n true 2>/dev/null; then
    runner=("$sudo" -n)
  else
    echo "install-deps: missing packages: ${missing[*]}" >&2
    echo "install-deps: this user cannot install them; as root, run:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
installed=true
"${runner[@]}" "$apt_get" update -qq && "${runner[@]}" "$apt_get" install -y -qq "${missing[@]}" || installed=false
mapfile -t still < <(missing_packages)
if ! $installed || [ ${#still[@]} -gt 0 ]; then
  echo "install-deps: apt-get failed; still missing: ${still[*]}" >&2
  exit 1
fi
