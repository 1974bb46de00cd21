#include "xml/detached_keys.h"

#include <mutex>
#include <unordered_map>

#include "xml/hash_key.h"

namespace QuorveXML {

std::atomic<int> CDetachedKeys::sCount{0};

namespace {

struct CRegistry {
  std::mutex mLock;
  std::unordered_map<const void*, CHashKey*> mHolds;
};

CRegistry& Registry() {
  static CRegistry* registry = new CRegistry;  // outlives nodes destroyed at exit
  return *registry;
}

}  // namespace

void CDetachedKeys::Hold(const void* object, CHashKey* table) {
  if (!table) return;
  CRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mLock);
  auto inserted = registry.mHolds.emplace(object, table);
  if (!inserted.second) {
    if (inserted.first->second == table) return;
    inserted.first->second->Release();
    inserted.first->second = table;
  } else {
    sCount.fetch_add(1, std::memory_order_release);
  }
  table->AddRef();
}

CHashKey* CDetachedKeys::Take(const void* object) {
  if (Empty()) return nullptr;
  CRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mLock);
  auto found = registry.mHolds.find(object);
  if (found == registry.mHolds.end()) return nullptr;
  CHashKey* table = found->second;
  registry.mHolds.erase(found);
  sCount.fetch_sub(1, std::memory_order_release);
  return table;
}

CHashKey* CDetachedKeys::Find(const void* object) {
  if (Empty()) return nullptr;
  CRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mLock);
  auto found = registry.mHolds.find(object);
  return found == registry.mHolds.end() ? nullptr : found->second;
}

void CDetachedKeys::Drop(const void* object) noexcept {
  if (CHashKey* table = Take(object)) table->Release();
}

}  // namespace QuorveXML
