#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "geometry/fast_writer.h"
#include "geometry/number_reader.h"
#include "test_support.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

// The geometry double routine exactly as the format describes it, written
// plainly: the reference the fast routine must match byte for byte. out holds 400.
size_t ReferenceDouble(double value, char* out) {
  if (value == 0.0) return static_cast<size_t>(std::snprintf(out, 400, "0.0 "));
  if (std::fabs(value) > 2147483647.0) return static_cast<size_t>(std::snprintf(out, 400, "%lf ", value));
  char* p = out;
  if (value < 0) *p++ = '-';
  const double v = std::fabs(value) + 0.0000005;
  int whole = static_cast<int>(v);
  double fraction = v - whole;
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole);
  while (n) *p++ = digits[--n];
  *p++ = '.';
  double precision = 0.000001;
  int written = 0;
  do {
    fraction *= 10;
    const int digit = static_cast<int>(fraction);
    fraction -= digit;
    *p++ = static_cast<char>('0' + digit);
    precision *= 10;
    ++written;
  } while (written < 6 && fraction > precision);
  *p++ = ' ';
  return static_cast<size_t>(p - out);
}

std::string ReferenceDouble(double value) {
  char text[400];
  return std::string(text, ReferenceDouble(value, text));
}

// True when both routines give the same bytes; compared without building strings,
// for the ten million values.
bool SameAsReference(double value) {
  char reference[400], fast[64];
  const size_t size = ReferenceDouble(value, reference);
  return size == FormatGeoDouble(value, fast) && std::memcmp(reference, fast, size) == 0;
}

std::string Fast(double value) {
  char text[64];
  return std::string(text, FormatGeoDouble(value, text));
}

struct CWarnings final : IZinWarning {
  std::vector<std::string> texts;
  void warning(const char* message) override { texts.emplace_back(message); }
  void exception(const char*, const std::exception&) override {}
  void otherException(const char*) override {}
};

}  // namespace

TEST(GeoNumbers, DoubleFormExamples) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0.0, "0.0 "},
      {-0.0, "0.0 "},
      {1.0, "1.0 "},
      {0.1, "0.1 "},
      {-2.25, "-2.25 "},
      {1.0 / 3.0, "0.333333 "},
      {2.0 / 3.0, "0.666667 "},
      {0.0000004, "0.0 "},
      {0.0000005, "0.0 "},  // 0.0000005 + 0.0000005 falls just below 1e-6
      {0.000002, "0.000002 "},
      {123456.5, "123456.5 "},
      {2147483647.0, "2147483647.0 "},
      {3000000000.5, "3000000000.500000 "},
      {-3000000000.5, "-3000000000.500000 "},
      {1e30, "1000000000000000019884624838656.000000 "},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, Fast(c.value)) << c.value;
  char text[64];
  EXPECT_EQ("7 ", std::string(text, FormatGeoInt(7, text)));
  EXPECT_EQ("-2147483648 ", std::string(text, FormatGeoInt(INT32_MIN, text)));
  EXPECT_EQ("2147483647 ", std::string(text, FormatGeoInt(INT32_MAX, text)));
  EXPECT_EQ(1e30, CFastWriter::Clamp(1e40));
  EXPECT_EQ(-1e30, CFastWriter::Clamp(-INFINITY));
  EXPECT_EQ(1e30, CFastWriter::Clamp(NAN));
}

// Values where the routine changes course: powers of ten, halves, both sides of
// each rounding step of each digit, the 32-bit bound, the clamp, zeros, denormals.
std::vector<double> EdgeValues() {
  std::vector<double> edges = {DBL_MIN, DBL_TRUE_MIN, 2147483646.9999995, 2147483647.0000001, 2147483646.5,
                               2147483647.5, 2147483648.0, 1e30, 1e31, DBL_MAX, 0.5, 0.05, 0.005, 0.0005,
                               0.00005, 0.000005, 0.0000005, 0.00000049999999, 9.9999995, 99.99999949999,
                               0.9999995, 0.99999949999, 1e-300, 4.9406564584124654e-324, -0.0, 0.0};
  for (double v = 2147483647.0 - 4; v <= 2147483647.0 + 4; v += 1) edges.push_back(v);
  for (int e = -320; e <= 31; ++e) {
    const double p = std::pow(10.0, e);
    for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300), p / 2, p * 1.5, p * 0.5000001})
      edges.push_back(v);
  }
  // Halves and quarters of integers across the whole range.
  for (double w = 1; w < 2147483647.0; w = w * 3 + 1)
    for (double f : {0.5, 0.25, 0.75, 0.125, 0.0625, 0.1, 0.9, 0.999999, 0.9999995, 0.0000005})
      edges.push_back(w + f);
  // Both sides of each rounding step of each digit position, at several magnitudes.
  for (int d = 1; d <= 6; ++d) {
    const double step = std::pow(10.0, -d);
    for (double whole : {0.0, 1.0, 12345.0, 99999999.0, 2147483000.0})
      for (int k = 0; k < 20; ++k) {
        const double v = whole + k * step + 0.0000005;
        for (double around : {std::nextafter(v, 0.0), v, std::nextafter(v, 1e300)}) {
          edges.push_back(around);
          edges.push_back(around - 0.000001);
        }
      }
  }
  const size_t count = edges.size();
  for (size_t i = 0; i < count; ++i) edges.push_back(-edges[i]);
  // Infinities and NaN reach the routine clamped, as the writer passes them.
  edges.push_back(INFINITY);
  edges.push_back(-INFINITY);
  edges.push_back(NAN);
  for (double& v : edges) v = CFastWriter::Clamp(v);
  return edges;
}

TEST(GeoNumbers, DoubleFormMatchesTheReference) {
  const std::vector<double> edges = EdgeValues();
  ASSERT_GT(edges.size(), 4000u);
  for (double v : edges) ASSERT_EQ(ReferenceDouble(v), Fast(v)) << std::hexfloat << v;

  // Ten million random values: coordinates of every size, their rounded forms, and
  // any bit pattern at all.
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> small(-1000.0, 1000.0);
  std::uniform_int_distribution<int> exponent(-30, 40);
  for (int i = 0; i < 10000000; ++i) {
    double v = small(random);
    switch (i % 5) {
      case 1: v = std::ldexp(v, exponent(random)); break;
      case 2: v = std::round(v * 1000.0) / 1000.0; break;
      case 3: v = std::round(std::ldexp(v, exponent(random) / 2) * 1e6) / 1e6; break;
      case 4: {
        const uint64_t bits = random();
        std::memcpy(&v, &bits, sizeof v);
        break;
      }
      default: break;
    }
    v = CFastWriter::Clamp(v);
    if (!SameAsReference(v)) {
      ASSERT_EQ(ReferenceDouble(v), Fast(v)) << std::hexfloat << v;
    }
  }
}

// The reader's own rules beyond what the block tests show: integers saturate, a
// letter is one token, and the errors of a number cut by the end of the data.
TEST(GeoNumbers, ReadingRules) {
  CStringReadStream stream("99999999999 -99999999999 .5 5. x");
  CWarnings warnings;
  CGeoTextReader reader(&stream, &warnings);
  EXPECT_EQ(INT32_MAX, reader.readInt());
  EXPECT_EQ(INT32_MIN, reader.readInt());
  EXPECT_EQ(0.5, reader.readDouble());
  EXPECT_EQ(5.0, reader.readDouble());
  EXPECT_EQ('x', reader.readLetter());
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(-1, reader.readLetter());
  const struct {
    const char* text;
    bool integer;
  } cut[] = {{"12", true}, {"nan", false}, {"1.25", false}, {"", false}};
  for (const auto& c : cut) {
    CStringReadStream in(c.text);
    CGeoTextReader cutReader(&in, nullptr);
    EXPECT_EQ("This is not a number", ErrorOf([&] { c.integer ? cutReader.readInt() : cutReader.readDouble(); }))
        << c.text;
  }
}

TEST(GeoNumbers, EveryShapeOfNumberIsCorrectlyRounded) {
  // Digit strings of 1 to 24 digits with the point anywhere (or nowhere), around
  // the 2^53 and 19-digit bounds of the exact short path, each read as the standard
  // conversion reads it; read one at a time and three in a row.
  std::mt19937_64 random(11);
  std::string text;
  std::vector<double> expected;
  const char* fixed[] = {"9007199254740992", "9007199254740993", "900719925474099.3", "0.9007199254740993",
                         "9999999999999999999", "99999999999999999999", "1844674407370955161.5",
                         "0.0000000000000000001", "0.00000000000000000001", "123.", ".000001", "0000000000000000000001",
                         "18446744073709551617", "1844674407370955161.7"};  // 20 digits that wrap to 1 and 17
  auto add = [&](const std::string& token) {
    double value = 0;
    std::from_chars(token.data(), token.data() + token.size(), value, std::chars_format::fixed);
    const bool negative = random() % 2;
    text += (negative ? "-" : "") + token + (random() % 2 ? " " : "\n");
    expected.push_back(negative ? -value : value);
  };
  for (const char* token : fixed) add(token);
  for (int i = 0; i < 30000; ++i) {
    const int length = 1 + static_cast<int>(random() % 24);
    std::string token;
    for (int d = 0; d < length; ++d) token += static_cast<char>('0' + random() % 10);
    const int point = static_cast<int>(random() % (length + 2));
    if (point <= length) token.insert(static_cast<size_t>(point), ".");
    add(token);
  }
  // A 5000-digit fraction, an integer part too large for a double (clamped) and a
  // fraction below the smallest double.
  text += "0." + std::string(5000, '3') + " " + std::string(400, '9') + ".0 0." + std::string(400, '0') + "1 ";
  expected.insert(expected.end(), {1.0 / 3.0, 1e30, 0.0});
  while (expected.size() % 3) add("1");
  for (bool threes : {false, true}) {
    CStringReadStream stream(text);
    CGeoTextReader reader(&stream, nullptr);
    for (size_t i = 0; i < expected.size(); i += 3) {
      double values[3];
      if (threes) {
        reader.readDoubles(values, 3);
      } else {
        for (double& value : values) value = reader.readDouble();
      }
      for (size_t k = 0; k < 3; ++k) {
        ASSERT_EQ(expected[i + k], values[k]) << i + k;
        ASSERT_EQ(std::signbit(expected[i + k]), std::signbit(values[k])) << i + k;
      }
    }
    EXPECT_TRUE(reader.atEnd());
  }
}

TEST(GeoNumbers, FastWriterStaging) {
  CStringWriteStream stream;
  {
    CFastWriter writer(&stream);
    for (int i = 0; i < 100000; ++i) {
      writer.putChar('\n');
      writer.putDouble(i * 0.25);
      writer.putInt(-i);
    }
    writer.putText("end", 3);
    writer.flush();
  }
  EXPECT_EQ("\n0.0 0 \n0.25 -1 ", stream.mText.substr(0, 16));
  EXPECT_EQ("\n24999.75 -99999 end", stream.mText.substr(stream.mText.size() - 20));

  CStringWriteStream refusing;
  refusing.mLimit = 10;
  CFastWriter writer(&refusing);
  writer.putText("0123456789ABC", 13);
  EXPECT_EQ("CFastWriter::write - Can't write all data (assertion failed)", ErrorOf([&] { writer.flush(); }));
}
