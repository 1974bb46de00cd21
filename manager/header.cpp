#include "manager/header.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "support/c_locale.h"

namespace QvZin {

namespace {

// Whole part of a number read from a file: hostile headers hold anything, so
// the conversion is clamped where a plain cast would be undefined.
int32_t WholePart(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(value);
}

CZinVersion DecimalVersion(double value) {
  const double d = value + 0.00001;
  return {WholePart(d), WholePart(std::fmod(std::trunc(d * 10), 10)), WholePart(std::fmod(std::trunc(d * 100), 10))};
}

}  // namespace

void ParseHeaderData(const char* data, CZinHeaderInfo& info) {
  if (!data) return;
  Quorve::CCLocale cLocale;
  double library = 0, file = 0, minVersion = 0, safeVersion = 0;
  const int decimal = std::sscanf(data, "library=\"%lf\" file=\"%lf\" min_version=\"%lf\" safe_version=\"%lf\" ",
                                  &library, &file, &minVersion, &safeVersion);
  if (decimal >= 2) {
    info.library = DecimalVersion(library);
    info.minVersion = DecimalVersion(minVersion);
    info.safeVersion = DecimalVersion(safeVersion);
  } else {
    CZinVersion l, m, s;
    const int dotted = std::sscanf(data,
                                   "library=\"%d.%d.%d\" file=\"%lf\" min_version=\"%d.%d.%d\" "
                                   "safe_version=\"%d.%d.%d\" ",
                                   &l.major, &l.minor, &l.build, &file, &m.major, &m.minor, &m.build, &s.major,
                                   &s.minor, &s.build);
    if (dotted != 10) return;
    info.library = l;
    info.minVersion = m;
    info.safeVersion = s;
  }
  const int32_t whole = WholePart(file);
  info.fileMajor = whole;
  info.fileMinor = WholePart((file - whole) * 10);
}

eReadability ClassifyFile(const CZinHeaderInfo& info, const char* creator, bool& readable) {
  readable = false;
  if (info.library.major == 0) return eNotZin;
  const bool named = creator && creator[0];
  if (info.library > CZinVersion{1, 0, 0} && named && std::strcmp(creator, "Orvelle") != 0 &&
      std::strcmp(creator, "Shapewright") != 0) {
    if (info.library.major > 5) return eTooNewFile;
    readable = true;
    return eForeignFile;
  }
  if (kZinLibraryVersion < info.minVersion) return eTooNewFile;
  readable = true;
  if (kZinLibraryVersion < info.safeVersion) return eUnsafeFile;
  if (kZinLibraryVersion < info.library) return eNewerFile;
  if (info.library == kZinLibraryVersion) return eSameVersion;
  if (info.library < kZinDefaultMinVersion) return eOlderFile;
  if (info.library < kZinLibraryVersion) return eOldFile;
  readable = false;  // not reached: one of the rules above always holds
  return eNotZin;
}

void FormatHeaderData(const CZinVersion* minVersion, char* out, size_t size) {
  const CZinVersion& v = minVersion ? *minVersion : kZinDefaultMinVersion;
  const CZinVersion& l = kZinLibraryVersion;
  std::snprintf(out, size, "library=\"%d.%d.%d\" file=\"5.0\" min_version=\"%d.%d.%d\" safe_version=\"%d.%d.%d\"",
                l.major, l.minor, l.build, v.major, v.minor, v.build, v.major, v.minor, v.build);
}

}  // namespace QvZin
