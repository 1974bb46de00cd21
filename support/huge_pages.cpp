#include "support/huge_pages.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cstdint>

namespace Quorve {
namespace Platform {

void AdviseHugePages(void* address, size_t size) noexcept {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // madvise wants page-aligned ranges: advise the whole pages inside the block.
  constexpr uintptr_t kPage = 4096;
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(address) + kPage - 1) & ~(kPage - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(address) + size) & ~(kPage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)address;
  (void)size;
#endif
}

}  // namespace Platform
}  // namespace Quorve
