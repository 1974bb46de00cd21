// The "Zin" header instruction of a file: the version of the library that wrote
// it and the oldest versions that may read it; the readability rules over them.
#pragma once

#include <cstddef>

#include "ZinFileInfo.h"
#include "ZinMgr.h"

namespace QvZin {

/// The library version this library writes into files, and the default minimum
/// and safe versions.
constexpr CZinVersion kZinLibraryVersion{5, 1, 1};
constexpr CZinVersion kZinDefaultMinVersion{5, 1, 0};

/// What a header instruction holds. library stays 0.0.0 when none was understood.
struct CZinHeaderInfo {
  CZinVersion library;
  CZinVersion minVersion;
  CZinVersion safeVersion;
  int32_t fileMajor = 0;
  int32_t fileMinor = 0;
};

/// Reads the data of a "Zin" instruction in its decimal form (library="2.01"
/// file="5.0" ...) or its dotted form (library="5.1.1" ...). Independent of the
/// client's locale. Leaves info unchanged when neither form fits.
void ParseHeaderData(const char* data, CZinHeaderInfo& info);

/// The readability of a file with that header and creator (the name of its
/// "Application" instruction, may be empty); readable is set as checkFormat2
/// answers.
eReadability ClassifyFile(const CZinHeaderInfo& info, const char* creator, bool& readable);

/// The data of the header instruction this library writes, with minVersion (null:
/// 5.1.0) as minimum and safe version.
void FormatHeaderData(const CZinVersion* minVersion, char* out, size_t size);

}  // namespace QvZin
