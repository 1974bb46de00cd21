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

/// Result code of QueryInterface: 0 on success, else one of the codes below.
using ZinResult = int32_t;

constexpr ZinResult kZinOk = 0;                                  ///< the interface was found
constexpr ZinResult kZinNoInterface = static_cast<ZinResult>(0x80004002u);  ///< unknown interface
constexpr ZinResult kZinInvalidArg = static_cast<ZinResult>(0x80070057u);   ///< null out-pointer

}  // namespace QvZin
