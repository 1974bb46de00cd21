// Format and Scan of attributes and data nodes: printf and scanf formats on value
// texts, always in the "C" locale (support/c_locale.h).
#pragma once

#include <cstdarg>
#include <cstddef>

namespace QuorveXML {

constexpr size_t kFormatSize = 2048;

/// Formats into buffer; output of 2048 characters or more throws "exception".
void FormatValue(char (&buffer)[kFormatSize], const char* format, va_list args);

/// Scans text with a format of exactly one conversion into out. "nan", "-inf", "+inf"
/// and "inf" scan as "1.0", and a floating-point conversion that gives a non-finite
/// value stores 1. A null text, format or out, a format with other than one
/// converting directive, or anything but one converted field throws "exception".
void ScanValue(const char* text, const char* format, void* out);

}  // namespace QuorveXML
