// Shared control blocks and the weak and strong links that count on them.
// Every count change runs under one process-wide recursive lock: destroying an
// object releases its members, which change other counts on the same thread.
#pragma once

#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <utility>

#include "support/platform.h"

namespace QvZin {

/// The one lock under which every strong and weak count changes.
Quorve::Platform::CRecursiveLock& LibraryLock();

class IZinSharedPtrBase {
public:
  virtual void addStrong() = 0;
  virtual void releaseStrong() = 0;
  virtual void addWeak() = 0;
  virtual void releaseWeak() = 0;
  virtual void releaseStrongKeep() = 0;
  virtual void reset() = 0;

protected:
  ~IZinSharedPtrBase() = default;
};

/// The untyped control block: the object, its strong count and its weak count
/// (weak references plus one for the whole group of strong references).
class CZinSharedPtrBase : public IZinSharedPtrBase {
public:
  void addStrong() override;
  void releaseStrong() override;
  void addWeak() override;
  void releaseWeak() override;
  void releaseStrongKeep() override;
  void reset() override;

  bool hasObject() const { return mObject != nullptr; }
  int32_t strongCount() const { return mStrong; }
  int32_t weakCount() const { return mWeak; }

protected:
  CZinSharedPtrBase() = default;
  virtual ~CZinSharedPtrBase() = default;
  virtual void destroyObject(void* object) = 0;
  void setObject(void* object) { mObject = object; }
  void* object() const { return mObject; }

private:
  void* mObject = nullptr;
  int32_t mStrong = 0;
  int32_t mWeak = 0;
};

template <class T>
class TZinSharedPtr {
public:
  virtual T* get() const = 0;

protected:
  ~TZinSharedPtr() = default;
};

/// The control block of one object of type T.
template <class T>
class TSharedPtr final : public TZinSharedPtr<T>, public CZinSharedPtrBase {
public:
  TSharedPtr() = default;
  T* get() const override { return static_cast<T*>(object()); }
  void adopt(T* object) { setObject(object); }

private:
  void destroyObject(void* object) override { delete static_cast<T*>(object); }
};

template <class T>
class TZinStrongPtr;

/// A weak link: keeps the block alive, not the object.
template <class T>
class TZinWeakPtr {
public:
  TZinWeakPtr() = default;
  explicit TZinWeakPtr(TSharedPtr<T>* block) : mBlock(block) {
    if (mBlock) mBlock->addWeak();
  }
  TZinWeakPtr(const TZinWeakPtr& other) : TZinWeakPtr(other.mBlock) {}
  TZinWeakPtr& operator=(const TZinWeakPtr& other) {
    TZinWeakPtr copy(other);
    std::swap(mBlock, copy.mBlock);
    return *this;
  }
  ~TZinWeakPtr() {
    if (mBlock) mBlock->releaseWeak();
  }

  /// The block, provided it still holds its object. Throws
  /// "TZinWeakPtr::getSharedPtr - Shared pointer is NULL" otherwise.
  TSharedPtr<T>* getSharedPtr() const {
    std::lock_guard<Quorve::Platform::CRecursiveLock> guard(LibraryLock());
    if (!mBlock || !mBlock->hasObject()) throw std::runtime_error("TZinWeakPtr::getSharedPtr - Shared pointer is NULL");
    return mBlock;
  }

  /// A strong reference to the object, or an empty one when the object is gone;
  /// the check and the count are one step under the lock. Throws like
  /// getSharedPtr only when there is no block at all.
  TZinStrongPtr<T> lock() const;

  TSharedPtr<T>* block() const { return mBlock; }

private:
  TSharedPtr<T>* mBlock = nullptr;
};

/// A strong link: keeps the object alive.
template <class T>
class TZinStrongPtr {
public:
  TZinStrongPtr() = default;
  explicit TZinStrongPtr(TSharedPtr<T>* block) : mBlock(block) {
    if (mBlock) mBlock->addStrong();
  }
  TZinStrongPtr(const TZinStrongPtr& other) : TZinStrongPtr(other.mBlock) {}
  TZinStrongPtr(TZinStrongPtr&& other) noexcept : mBlock(std::exchange(other.mBlock, nullptr)) {}
  TZinStrongPtr& operator=(TZinStrongPtr other) noexcept {
    std::swap(mBlock, other.mBlock);
    return *this;
  }
  ~TZinStrongPtr() { reset(); }

  void reset() {
    if (TSharedPtr<T>* block = std::exchange(mBlock, nullptr)) block->releaseStrong();
  }

  /// The object; throws "TZinStrongPtr::getPtr - Shared pointer is NULL" when empty.
  T* getPtr() const {
    if (!mBlock || !mBlock->get()) throw std::runtime_error("TZinStrongPtr::getPtr - Shared pointer is NULL");
    return mBlock->get();
  }
  T* operator->() const { return getPtr(); }
  T* get() const { return mBlock ? mBlock->get() : nullptr; }
  explicit operator bool() const { return get() != nullptr; }
  TSharedPtr<T>* block() const { return mBlock; }

private:
  template <class>
  friend class TZinWeakPtr;
  struct Adopt {};
  TZinStrongPtr(TSharedPtr<T>* block, Adopt) : mBlock(block) {}

  TSharedPtr<T>* mBlock = nullptr;
};

template <class T>
TZinStrongPtr<T> TZinWeakPtr<T>::lock() const {
  std::lock_guard<Quorve::Platform::CRecursiveLock> guard(LibraryLock());
  if (!mBlock) throw std::runtime_error("TZinWeakPtr::getSharedPtr - Shared pointer is NULL");
  if (!mBlock->hasObject()) return TZinStrongPtr<T>();
  mBlock->addStrong();
  return TZinStrongPtr<T>(mBlock, typename TZinStrongPtr<T>::Adopt{});
}

}  // namespace QvZin
