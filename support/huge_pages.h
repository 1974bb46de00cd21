// Advice to the operating system about large blocks of memory.
#pragma once

#include <cstddef>

namespace Quorve {
namespace Platform {

/// Asks the system to back [address, address + size) with huge pages where it can, so
/// that filling a large block costs a few page faults instead of one per 4 KiB. A hint
/// only: does nothing where the system has no such pages or declines.
void AdviseHugePages(void* address, size_t size) noexcept;

}  // namespace Platform
}  // namespace Quorve
