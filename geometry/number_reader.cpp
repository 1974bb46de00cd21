#include "geometry/number_reader.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <stdexcept>

#include "support/raise.h"

namespace QvZin {

namespace {

// The longest number token read in place; longer ones take the slow path.
constexpr uint32_t kShortToken = 80;

inline bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
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

}  // namespace

CGeoTextReader::CGeoTextReader(QuorveXML::XIXMLReadStream* stream, IZinWarning* warnings)
    : mStream(stream), mWarnings(warnings) {}

bool CGeoTextReader::fill(uint32_t want) {
  if (mFill - mPos >= want) return true;
  if (mEnded || !mStream) return mFill > mPos;
  std::memmove(mBuffer, mBuffer + mPos, mFill - mPos);
  mFill -= mPos;
  mPos = 0;
  // One request per refill: a short answer is the end of the block.
  const uint32_t space = kBufferSize - mFill;
  const uint32_t got = mStream->Read(mBuffer + mFill, space);
  if (got > space) Quorve::ThrowError("CGeoTextReader::fill - Read stream error");
  if (got < space) mEnded = true;
  mFill += got;
  return mFill > mPos;
}

void CGeoTextReader::skipBlanks() {
  for (;;) {
    while (mPos < mFill && IsBlank(static_cast<unsigned char>(mBuffer[mPos]))) ++mPos;
    if (mPos < mFill || !fill(1)) return;
  }
}

void CGeoTextReader::notANumber() { throw std::runtime_error("This is not a number"); }

int32_t CGeoTextReader::readInt() {
  skipBlanks();
  int c = peek();
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    ++mPos;
    c = peek();
  }
  if (!IsDigit(c)) notANumber();
  int64_t value = 0;
  while (IsDigit(c)) {
    if (value <= INT32_MAX) value = value * 10 + (c - '0');
    ++mPos;
    c = peek();
  }
  if (c == '.') throw std::runtime_error("This is not a integer");
  // The character that ends the number is part of it; a number that runs into
  // the end of the data is a cut block.
  if (c < 0) notANumber();
  ++mPos;
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

double CGeoTextReader::readSpecial(bool negative) {
  // NaN and INF, in any letter case, then the character that ends them.
  fill(4);
  const uint32_t left = mFill - mPos;
  const char* p = mBuffer + mPos;
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

double CGeoTextReader::readDouble() {
  skipBlanks();
  fill(kShortToken);
  int c = peek();
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    ++mPos;
    c = peek();
  }
  if (!IsDigit(c) && c != '.') return readSpecial(negative);

  // In place while the token fits in what is buffered.
  const char* begin = mBuffer + mPos;
  const char* end = mBuffer + mFill;
  const char* p = begin;
  while (p < end && IsDigit(*p)) ++p;
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) ++p;
  }
  if (p < end) {
    const double value = DecimalValue(begin, p);
    mPos = static_cast<uint32_t>(p - mBuffer) + 1;  // the ending character is consumed
    return negative ? -value : value;
  }
  if (mEnded) notANumber();  // the data ends inside the number: a cut block

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

int CGeoTextReader::readLetter() {
  skipBlanks();
  const int c = peek();
  if (c >= 0) ++mPos;
  return c;
}

bool CGeoTextReader::acceptMarker(char marker) {
  skipBlanks();
  if (peek() != static_cast<unsigned char>(marker)) return false;
  ++mPos;
  return true;
}

bool CGeoTextReader::atEnd() {
  skipBlanks();
  return peek() < 0;
}

}  // namespace QvZin
