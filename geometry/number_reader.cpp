#include "geometry/number_reader.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <stdexcept>

#include "support/raise.h"

namespace QvZin {

namespace {

// Character classes of the block text.
constexpr uint8_t kBlank = 1;  // blank, tab, carriage return, line feed: separate tokens
constexpr uint8_t kDigit = 2;  // '0' to '9'

struct CCharClasses {
  uint8_t mClass[256] = {};
  constexpr CCharClasses() {
    mClass[static_cast<uint8_t>(' ')] = kBlank;
    mClass[static_cast<uint8_t>('\t')] = kBlank;
    mClass[static_cast<uint8_t>('\r')] = kBlank;
    mClass[static_cast<uint8_t>('\n')] = kBlank;
    for (int c = '0'; c <= '9'; ++c) mClass[c] = kDigit;
  }
};
constexpr CCharClasses kClasses;

inline bool IsBlank(char c) { return kClasses.mClass[static_cast<uint8_t>(c)] & kBlank; }
inline bool IsDigit(int c) { return static_cast<unsigned>(c - '0') < 10u; }
inline int Lower(int c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// The value of an unsigned decimal text without exponent, correctly rounded.
// Values too large for a double read as 1e30, the bound a file may hold; values
// too small read as 0.
double DecimalValue(const char* begin, const char* end) {
  bool anyDigit = false;
  for (const char* p = begin; p < end; ++p)
    if (IsDigit(*p)) {
      anyDigit = true;
      break;
    }
  if (!anyDigit) return 0.0;  // "." alone: no digit, no weight
  double value = 0;
  const std::from_chars_result done = std::from_chars(begin, end, value, std::chars_format::fixed);
  if (done.ec == std::errc::result_out_of_range) {
    for (const char* p = begin; p < end && *p != '.'; ++p)
      if (*p != '0') return 1e30;
    return 0.0;
  }
  return value;
}

// 64-bit accumulation of a digit run that saturates: once above 2^31 it stops
// growing, so no run of digits can overflow it.
inline uint64_t AddDigit(uint64_t value, int digit) {
  return value <= 0x80000000u ? value * 10 + static_cast<uint64_t>(digit) : value;
}

inline int32_t Saturated(uint64_t magnitude, bool negative) {
  if (negative) return magnitude >= 0x80000000u ? INT32_MIN : -static_cast<int32_t>(magnitude);
  return magnitude > 0x7FFFFFFFu ? INT32_MAX : static_cast<int32_t>(magnitude);
}

// Powers of ten that a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// One number of the block's form at p, when it is whole inside the buffer (which a
// zero follows): returns where it ends, at the character that ends it, or null for
// the rare forms. A number of at most 19 digits whose digits make at most 2^53 is
// that integer divided by a power of ten, both exact, and a division rounds
// correctly: every number the library writes in the short form is read so, without
// the general conversion.
inline const char* ParseShortNumber(const char* p, const char* end, double* out) {
  bool negative = false;
  if (*p == '-' || *p == '+') negative = *p++ == '-';
  const char* q = p;
  uint64_t digits = 0;  // wraps harmlessly past 19 digits, which go the general way
  while (IsDigit(*q)) digits = digits * 10 + static_cast<uint64_t>(*q++ - '0');
  const char* point = q;
  if (*q == '.')
    while (IsDigit(*++q)) digits = digits * 10 + static_cast<uint64_t>(*q - '0');
  const ptrdiff_t count = (point - p) + (q - point - (*point == '.' ? 1 : 0));
  double value;
  if (count > 0 && count <= 19 && digits <= (uint64_t{1} << 53) && q < end) {
    value = static_cast<double>(digits);
    if (*point == '.') value /= kPowersOfTen[q - point - 1];
  } else {
    if (!IsDigit(*p) && *p != '.') return nullptr;
    const std::from_chars_result done = std::from_chars(p, end, value, std::chars_format::fixed);
    if (done.ec != std::errc() || done.ptr >= end) return nullptr;
    q = done.ptr;
  }
  *out = negative ? -value : value;
  return q;
}

}  // namespace

CGeoTextReader::CGeoTextReader(QuorveXML::XIXMLReadStream* stream, IZinWarning* warnings)
    : mStream(stream), mWarnings(warnings), mBuffer(new char[kBufferSize + 1]) {
  mBuffer[0] = 0;
}

bool CGeoTextReader::refill() {
  if (mEnded || !mStream) return false;
  std::memmove(mBuffer.get(), mBuffer.get() + mPos, mFill - mPos);
  mFill -= mPos;
  mPos = 0;
  // One request per refill: a short answer is the end of the block.
  const uint32_t space = kBufferSize - mFill;
  const uint32_t got = mStream->Read(mBuffer.get() + mFill, space);
  if (got > space) Quorve::ThrowError("CGeoTextReader::fill - Read stream error");
  if (got < space) mEnded = true;
  mFill += got;
  // A zero after the data stops every scan of blanks without a bound check.
  mBuffer[mFill] = 0;
  return got > 0;
}

void CGeoTextReader::nextToken(uint32_t want) {
  for (;;) {
    const char* p = mBuffer.get() + mPos;
    while (IsBlank(*p)) ++p;
    mPos = static_cast<uint32_t>(p - mBuffer.get());
    if (mFill - mPos >= want || !refill()) return;
  }
}

void CGeoTextReader::notANumber() { throw std::runtime_error("This is not a number"); }

int32_t CGeoTextReader::readInt() {
  nextToken();
  const char* const begin = mBuffer.get() + mPos;
  const char* const end = mBuffer.get() + mFill;
  const char* p = begin;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p == end || !IsDigit(*p)) notANumber();
  uint64_t value = 0;
  while (p < end && IsDigit(*p)) value = AddDigit(value, *p++ - '0');
  if (p == end) {
    // The data ends inside the number (a cut block), or a run of digits longer
    // than the window: start again, one character at a time.
    if (mEnded) notANumber();
    return readLongInt();
  }
  if (*p == '.') throw std::runtime_error("This is not a integer");
  // The character that ends the number is part of it.
  mPos = static_cast<uint32_t>(p + 1 - mBuffer.get());
  return Saturated(value, negative);
}

int32_t CGeoTextReader::readLongInt() {
  int c = peek();
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    ++mPos;
    c = peek();
  }
  uint64_t value = 0;
  while (IsDigit(c)) {
    value = AddDigit(value, c - '0');
    ++mPos;
    c = peek();
  }
  if (c == '.') throw std::runtime_error("This is not a integer");
  if (c < 0) notANumber();
  ++mPos;
  return Saturated(value, negative);
}

double CGeoTextReader::readDouble() {
  nextToken();
  double value;
  const char* const begin = mBuffer.get() + mPos;
  if (const char* ending = ParseShortNumber(begin, mBuffer.get() + mFill, &value)) {
    mPos = static_cast<uint32_t>(ending + 1 - mBuffer.get());
    return value;
  }
  return readLongDouble();
}

void CGeoTextReader::readDoubles(double* out, int count) {
  nextToken(kShortToken * 4);
  // The cursor stays in a register across the numbers and is written back once; a
  // rare form goes the general way, from where it starts.
  const char* p = mBuffer.get() + mPos;
  const char* const end = mBuffer.get() + mFill;
  for (int i = 0; i < count; ++i) {
    while (IsBlank(*p)) ++p;
    const char* ending = ParseShortNumber(p, end, out + i);
    if (!ending) {
      mPos = static_cast<uint32_t>(p - mBuffer.get());
      for (; i < count; ++i) out[i] = readDouble();
      return;
    }
    p = ending + 1;
  }
  mPos = static_cast<uint32_t>(p - mBuffer.get());
}

// The rare forms: "." without digits, NaN and INF, values out of range, numbers
// cut by the end of the data and numbers longer than the window.
double CGeoTextReader::readLongDouble() {
  int c = peek();
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    ++mPos;
    c = peek();
  }
  if (!IsDigit(c) && c != '.') return readSpecial(negative);

  const char* const begin = mBuffer.get() + mPos;
  const char* const end = mBuffer.get() + mFill;
  const char* p = begin;
  while (p < end && IsDigit(*p)) ++p;
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) ++p;
  }
  if (p < end) {
    const double value = DecimalValue(begin, p);
    mPos = static_cast<uint32_t>(p - mBuffer.get()) + 1;
    return negative ? -value : value;
  }
  if (mEnded) notANumber();

  // A token longer than a refill's margin: gather it whole.
  mLongToken.assign(begin, p);
  mPos = mFill;
  bool seenPoint = mLongToken.find('.') != std::string::npos;
  for (c = peek(); c >= 0; c = peek()) {
    if (IsDigit(c) || (c == '.' && !seenPoint)) {
      seenPoint = seenPoint || c == '.';
      mLongToken.push_back(static_cast<char>(c));
      ++mPos;
      continue;
    }
    break;
  }
  if (c < 0) notANumber();
  ++mPos;
  const double value = DecimalValue(mLongToken.data(), mLongToken.data() + mLongToken.size());
  mLongToken.clear();
  mLongToken.shrink_to_fit();
  return negative ? -value : value;
}

double CGeoTextReader::readSpecial(bool negative) {
  // NaN and INF, in any letter case, then the character that ends them.
  if (mFill - mPos < 4) refill();
  const uint32_t left = mFill - mPos;
  const char* p = mBuffer.get() + mPos;
  const char* warning = nullptr;
  if (left >= 3 && Lower(p[0]) == 'n' && Lower(p[1]) == 'a' && Lower(p[2]) == 'n')
    warning = "NaN double.";
  else if (left >= 3 && Lower(p[0]) == 'i' && Lower(p[1]) == 'n' && Lower(p[2]) == 'f')
    warning = "INF double.";
  if (!warning || left < 4) notANumber();
  mPos += 4;
  if (mWarnings) mWarnings->warning(warning);
  return negative ? -1e30 : 1e30;
}

int CGeoTextReader::readLetter() {
  nextToken();
  if (mPos == mFill) return -1;
  return static_cast<unsigned char>(mBuffer[mPos++]);
}

bool CGeoTextReader::acceptMarker(char marker) {
  nextToken();
  if (mPos == mFill || mBuffer[mPos] != marker) return false;
  ++mPos;
  return true;
}

bool CGeoTextReader::atEnd() {
  nextToken();
  return mPos == mFill;
}

}  // namespace QvZin
