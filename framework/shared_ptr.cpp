#include "framework/shared_ptr.h"

namespace QvZin {

using Guard = std::lock_guard<Quorve::Platform::CRecursiveLock>;

Quorve::Platform::CRecursiveLock& LibraryLock() {
  // Never destroyed: objects may still be released by other static destructors.
  static auto* lock = new Quorve::Platform::CRecursiveLock;
  return *lock;
}

void CZinSharedPtrBase::addStrong() {
  Guard guard(LibraryLock());
  if (++mStrong == 1) ++mWeak;
}

void CZinSharedPtrBase::releaseStrong() {
  Guard guard(LibraryLock());
  if (--mStrong != 0) return;
  // The object pointer is cleared before the object dies, so weak links locked
  // from inside its destructor already find nothing.
  if (void* dying = mObject) {
    mObject = nullptr;
    destroyObject(dying);
  }
  if (--mWeak == 0) delete this;
}

void CZinSharedPtrBase::addWeak() {
  Guard guard(LibraryLock());
  ++mWeak;
}

void CZinSharedPtrBase::releaseWeak() {
  Guard guard(LibraryLock());
  if (--mWeak == 0) delete this;
}

void CZinSharedPtrBase::releaseStrongKeep() {
  Guard guard(LibraryLock());
  if (--mStrong == 0 && --mWeak == 0) delete this;
}

void CZinSharedPtrBase::reset() {
  Guard guard(LibraryLock());
  mObject = nullptr;
}

}  // namespace QvZin
