// A guarded, counted pointer to a library interface.
#pragma once

#include <stdexcept>
#include <utility>

namespace QvZin {

/// Holds one reference to an interface: copying calls AddRef, dropping calls
/// Release. Dereferencing an empty pointer throws std::runtime_error.
template <class I>
class TZinComPtr {
public:
  TZinComPtr() = default;
  /// Takes a new reference to p (AddRef) when p is not null.
  explicit TZinComPtr(I* p) : mPtr(p) {
    if (mPtr) mPtr->AddRef();
  }
  TZinComPtr(const TZinComPtr& other) : TZinComPtr(other.mPtr) {}
  TZinComPtr(TZinComPtr&& other) noexcept : mPtr(std::exchange(other.mPtr, nullptr)) {}
  ~TZinComPtr() { reset(); }

  TZinComPtr& operator=(TZinComPtr other) noexcept {
    std::swap(mPtr, other.mPtr);
    return *this;
  }

  /// Replaces the pointer; the new one is referenced before the old one is released.
  void reset(I* p = nullptr) {
    if (p) p->AddRef();
    I* old = std::exchange(mPtr, p);
    if (old) old->Release();
  }
  /// Adopts a reference the caller already holds (no AddRef).
  void attach(I* p) {
    reset();
    mPtr = p;
  }
  /// Gives the reference to the caller (no Release).
  I* detach() { return std::exchange(mPtr, nullptr); }

  I* get() const { return mPtr; }
  explicit operator bool() const { return mPtr != nullptr; }

  I* operator->() const {
    if (!mPtr) throw std::runtime_error("TZinComPtr::operator->() - Dereferencing NULL");
    return mPtr;
  }
  I& operator*() const {
    if (!mPtr) throw std::runtime_error("TZinComPtr::operator*() - Dereferencing NULL");
    return *mPtr;
  }

private:
  I* mPtr = nullptr;
};

}  // namespace QvZin
