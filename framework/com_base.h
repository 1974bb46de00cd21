// The bases of every counted library object: the reserved operations that end
// each interface table, and the identity/counting base over a control block.
#pragma once

#include <type_traits>
#include <utility>

#include "ZinBase.h"
#include "framework/shared_ptr.h"

namespace QvZin {

/// Ends the process the way a client built against a newer interface must be
/// stopped: the message on the diagnostic output, then exit code 0.
[[noreturn]] void ObsoleteLibraryStop();

/// Placed between a public interface and its implementation: appends three
/// reserved operations to the interface's table. A client compiled against a
/// newer interface that calls an operation this library lacks lands on one.
template <class I>
class TZinFrontier : public I {
public:
  virtual void zinReserved1() { ObsoleteLibraryStop(); }
  virtual void zinReserved2() { ObsoleteLibraryStop(); }
  virtual void zinReserved3() { ObsoleteLibraryStop(); }

protected:
  ~TZinFrontier() = default;
};

/// Identity and counting: QueryInterface for IID_IUnknown, the basic-object
/// identifier and I's own identifier; AddRef and Release through the weak link to
/// the object's own control block.
template <class I>
class TZinCOMBase : public TZinFrontier<I> {
public:
  ZinResult QueryInterface(const CZinUUID& iid, void** out) override {
    if (!out) return kZinInvalidArg;
    if (iid == IID_IUnknown || iid == kIID_ZinBasicObject || iid == I::sIID) {
      I* self = this;
      *out = self;
      self->AddRef();
      return kZinOk;
    }
    *out = nullptr;
    return kZinNoInterface;
  }

  int32_t AddRef() override {
    selfBlock()->addStrong();
    return 1;
  }

  int32_t Release() override {
    selfBlock()->releaseStrong();
    return 1;
  }

  /// Binds the object to its control block (a weak link). Called once, by the factory.
  void bindSelf(CZinSharedPtrBase* block) {
    block->addWeak();
    mSelf = block;
  }

  /// The object's own control block, or null before binding.
  CZinSharedPtrBase* selfLink() const { return mSelf; }

protected:
  TZinCOMBase() = default;
  ~TZinCOMBase() {
    if (mSelf) mSelf->releaseWeak();
  }
  TZinCOMBase(const TZinCOMBase&) = delete;
  TZinCOMBase& operator=(const TZinCOMBase&) = delete;

private:
  CZinSharedPtrBase* selfBlock() const {
    if (!mSelf) throw std::runtime_error("TZinWeakPtr::getSharedPtr - Shared pointer is NULL");
    return mSelf;
  }

  CZinSharedPtrBase* mSelf = nullptr;
};

/// Whether T wants to be told its own class once made (bindClass<T>()).
template <class T, class = void>
struct TZinBindsClass : std::false_type {};
template <class T>
struct TZinBindsClass<T, std::void_t<decltype(std::declval<T&>().template bindClass<T>())>> : std::true_type {};

/// Creates a counted object with its control block. The object starts with no
/// strong reference: the creator takes the first one (AddRef or TZinComPtr).
template <class T, class... Args>
T* CreateZinObject(Args&&... args) {
  auto* block = new TSharedPtr<T>();
  // Holds the block while the constructor runs: a throwing constructor leaves
  // nothing behind.
  TZinWeakPtr<T> keep(block);
  T* object = new T(std::forward<Args>(args)...);
  // A base that serves every class alike (a scene object's element form) learns
  // here which class it is part of.
  if constexpr (TZinBindsClass<T>::value) object->template bindClass<T>();
  block->adopt(object);
  object->bindSelf(block);
  return object;
}

}  // namespace QvZin
