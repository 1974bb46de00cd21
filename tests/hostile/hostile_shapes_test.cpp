// Inputs shaped to hurt a parser (tests/hostile/hostile_shapes.h), each made at 4 MiB
// and at 16 MiB: every entry point does what it must with them and stays within 64
// times the input plus 16 MiB of heap. Their times are bench/hostile_bench.cpp's.
#include <gtest/gtest.h>

#include <string>

#include "counting_allocator.h"
#include "hostile/hostile_shapes.h"

namespace {

constexpr size_t kMiB = size_t{1} << 20;

TEST(HostileShapes, HeapStaysWithin64TimesTheInput) {
  for (const HostileShapes::CShape& shape : HostileShapes::Shapes()) {
    for (const size_t size : {4 * kMiB, 16 * kMiB}) {
      SCOPED_TRACE(std::string(shape.name) + ", " + std::to_string(size / kMiB) + " MiB");
      const std::string text = shape.make(size);
      HostileTest::ResetPeak();
      const int64_t before = HostileTest::CurrentBytes();
      EXPECT_EQ("", shape.read(text));
      const int64_t peak = HostileTest::PeakBytes() - before;
      EXPECT_LE(peak, 64 * static_cast<int64_t>(text.size()) + static_cast<int64_t>(16 * kMiB))
          << "peak " << peak / kMiB << " MiB";
    }
  }
}

}  // namespace
