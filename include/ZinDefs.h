// Basic definitions shared by every public header of the ZIN SDK.
#pragma once

#include <cstdint>

/// Marks the few symbols that the shared library exports.
#if defined(_WIN32)
#define ZIN_API __declspec(dllexport)
#else
#define ZIN_API __attribute__((visibility("default")))
#endif

namespace QvZin {

/// Result code of QueryInterface and of the XML entry points: 0 on success, else
/// one of the codes below.
using ZinResult = int32_t;

constexpr ZinResult kZinOk = 0;                                  ///< the interface was found
constexpr ZinResult kZinNoInterface = static_cast<ZinResult>(0x80004002u);  ///< unknown interface
constexpr ZinResult kZinInvalidArg = static_cast<ZinResult>(0x80070057u);   ///< null out-pointer
constexpr ZinResult kZinFail = static_cast<ZinResult>(0x80004005u);         ///< an element could not be written or read

}  // namespace QvZin
