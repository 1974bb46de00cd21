#include "framework/object_mgr.h"

#include <mutex>

namespace QvZin {

CBaseObjectMgr::CBaseObjectMgr(CZinSharedPtrBase* block) : mBlock(block) {
  if (mBlock) mBlock->addWeak();
}

CBaseObjectMgr::~CBaseObjectMgr() {
  if (mBlock) mBlock->releaseWeak();
}

bool CBaseObjectMgr::hasObject() const {
  std::lock_guard<Quorve::Platform::CRecursiveLock> guard(LibraryLock());
  return mBlock && mBlock->hasObject();
}

}  // namespace QvZin
