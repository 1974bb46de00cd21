// The collection templates. The index rules live once, in TObjectMgrBase; the
// four implementations differ only in how they hold their elements:
//   TObjectMgr<C, I>     plain objects, made by C's default constructor, deleted
//   TObject2Mgr<C, I>    counted objects made with the owner, one strong reference
//   TComObjectMgr<C, I>  counted objects made with the owner, one AddRef
//   TSimpleMgr<C>        plain records by value in one block (points, vertices)
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "ZinComPtr.h"
#include "ZinObjectMgr.h"
#include "framework/basic_data.h"
#include "framework/com_base.h"

namespace QvZin {

/// The largest number of elements one reserve call prepares beyond the current
/// count. Files announce counts that strangers choose; beyond this, storage grows
/// with the elements actually added.
constexpr uint32_t kZinReserveAhead = 65536;

/// Every text a collection sends, word for word.
struct CZinObjectMgrText {
  static constexpr const char* kGetBadIndex = "getZinObject: Bad index value";
  static constexpr const char* kNewBadIndex = "newZinObject: Bad index value";
  static constexpr const char* kNewCantAllocate = "newZinObject: Can't allocate object";
  static constexpr const char* kRemoveBadIndex = "removeObject: Bad index value";
  static constexpr const char* kRemoveNoMore = "removeObject: no more object to remove";
  static constexpr const char* kMoveBadIndex = "moveObject: Bad index value";
  static constexpr const char* kMoveException = "moveObject: An exception occurs";
  static constexpr const char* kNoMemory = "No memory availiable";
};

/// Identity, basic data, owner and index rules shared by every collection.
template <class I>
class TObjectMgrBase : public TZinCOMBase<TZinObjectMgr<I>>, public CZinBasicData {
public:
  using Text = CZinObjectMgrText;

  /// owner is the link object handed to new elements and warned through (may be
  /// null: the collection then throws where it would warn).
  explicit TObjectMgrBase(IZinMgrRef* owner) : CZinBasicData(owner), mOwner(owner) {}

  ZinResult QueryInterface(const CZinUUID& iid, void** out) override {
    if (!out) return kZinInvalidArg;
    if (iid == IID_IUnknown || iid == kIID_ZinObjectMgr) {
      TZinObjectMgr<I>* self = this;
      *out = self;
      self->AddRef();
      return kZinOk;
    }
    *out = nullptr;
    return kZinNoInterface;
  }

  IZinObjectLink* getObjectLink() override {
    return mOwner ? static_cast<IZinObjectLink*>(mOwner.get()) : nullptr;
  }
  IZinBasicData* getBasicData() override { return this; }
  const CZinUUID& getItemIID() override { return TZinItemIID<I>::value; }

  /// The owner's link object (borrowed), null when there is none.
  IZinMgrRef* owner() const { return mOwner.get(); }

protected:
  /// Warns through the owner; without one, the dereference throws.
  void warnOwner(const char* text) const { mOwner->warning(text); }

  bool acceptGet(uint32_t index, uint32_t count) const {
    if (index < count) return true;
    warnOwner(Text::kGetBadIndex);
    return false;
  }
  /// kZinEndOfList becomes count.
  bool acceptNew(uint32_t& index, uint32_t count) const {
    if (index == kZinEndOfList) index = count;
    if (index <= count) return true;
    warnOwner(Text::kNewBadIndex);
    return false;
  }
  /// kZinEndOfList becomes count - 1; emptyText is what an end-of-list removal
  /// from an empty collection sends.
  bool acceptRemove(uint32_t& index, uint32_t count, const char* emptyText = Text::kRemoveBadIndex) const {
    const bool end = index == kZinEndOfList;
    if (end) index = count - 1;
    if (index < count) return true;
    warnOwner(end && count == 0 ? emptyText : Text::kRemoveBadIndex);
    return false;
  }
  /// True when the move has something to do.
  bool acceptMove(uint32_t from, uint32_t to, uint32_t count) const {
    if (from == to) return false;
    if (from < count && to < count) return true;
    warnOwner(Text::kMoveBadIndex);
    return false;
  }
  /// The capacity one reserve call may reach: count plus kZinReserveAhead at most.
  static size_t reserveTarget(uint32_t wanted, size_t count) {
    return std::min<size_t>(wanted, count + kZinReserveAhead);
  }

private:
  TZinComPtr<IZinMgrRef> mOwner;
};

/// Moves the element at from so that it ends at to (both valid, different).
template <class T>
void MoveZinItem(T* items, uint32_t from, uint32_t to) {
  if (from < to)
    std::rotate(items + from, items + from + 1, items + to + 1);
  else
    std::rotate(items + to, items + from, items + from + 1);
}

// ---- element holding, one policy per ownership kind

/// Plain objects: made by the default constructor, deleted on removal.
template <class C>
struct TZinPlainHold {
  static C* Make(IZinMgrRef*) { return new C(); }
  static void Drop(C* item) { delete item; }
  static bool Move(C** items, uint32_t from, uint32_t to) {
    MoveZinItem(items, from, to);
    return true;
  }
};

/// Counted objects held by one strong reference on their control block.
template <class C>
struct TZinStrongHold {
  static C* Make(IZinMgrRef* owner) {
    C* item = CreateZinObject<C>(owner);
    item->selfLink()->addStrong();
    return item;
  }
  static void Drop(C* item) { item->selfLink()->releaseStrong(); }
  static bool Move(C** items, uint32_t from, uint32_t to) {
    MoveZinItem(items, from, to);
    return true;
  }
};

/// Counted objects held by one interface reference.
template <class C>
struct TZinComHold {
  static C* Make(IZinMgrRef* owner) {
    C* item = CreateZinObject<C>(owner);
    item->AddRef();
    return item;
  }
  static void Drop(C* item) { item->Release(); }
  /// The moving element keeps a reference of its own while it is out of place.
  static bool Move(C** items, uint32_t from, uint32_t to) {
    try {
      TZinComPtr<C> hold(items[from]);
      MoveZinItem(items, from, to);
    } catch (...) {
      return false;
    }
    return true;
  }
};

/// Elements held by pointer in index order; Hold says how one is made and let go.
template <class C, class I, class Hold>
class TZinPointerMgr : public TObjectMgrBase<I> {
  using Base = TObjectMgrBase<I>;
  using Text = CZinObjectMgrText;

public:
  explicit TZinPointerMgr(IZinMgrRef* owner) : Base(owner) {}
  ~TZinPointerMgr() override { dropAll(); }

  uint32_t getCount() override { return static_cast<uint32_t>(mItems.size()); }

  I* getZinObject(uint32_t index) override {
    if (!this->acceptGet(index, getCount())) return nullptr;
    return mItems[index];
  }

  I* newZinObject(uint32_t index) override {
    if (!this->acceptNew(index, getCount())) return nullptr;
    C* item = nullptr;
    try {
      // Room first, so that the insertion below cannot fail with the new element
      // already made and referenced.
      if (mItems.size() == mItems.capacity()) {
        if (mItems.size() >= kZinEndOfList - 1) throw std::length_error("full");
        mItems.reserve(std::max<size_t>(4, mItems.size() * 2));
      }
      item = Hold::Make(this->owner());
    } catch (...) {
      this->warnOwner(Text::kNewCantAllocate);
      return nullptr;
    }
    mItems.insert(mItems.begin() + index, item);
    return item;
  }

  void removeObject(uint32_t index) override {
    if (!this->acceptRemove(index, getCount())) return;
    C* item = mItems[index];
    // Out of the list before it goes: its destruction may run client code that
    // looks at this collection again.
    mItems.erase(mItems.begin() + index);
    Hold::Drop(item);
  }

  void moveObject(uint32_t from, uint32_t to) override {
    if (!this->acceptMove(from, to, getCount())) return;
    if (!Hold::Move(mItems.data(), from, to)) this->warnOwner(Text::kMoveException);
  }

  void removeAll() override { dropAll(); }

  void reserve(uint32_t count) override {
    try {
      mItems.reserve(Base::reserveTarget(count, mItems.size()));
    } catch (const std::exception&) {
      this->warnOwner(Text::kNoMemory);
    }
  }

  /// The number of elements the list holds before it must grow.
  uint32_t capacity() const { return static_cast<uint32_t>(std::min<size_t>(mItems.capacity(), kZinEndOfList)); }
  /// Room for count elements without reserve's limit, for library code that grows
  /// a collection with the elements actually delivered. False (nothing changed)
  /// when the room cannot be had; no warning.
  bool reserveExactly(uint32_t count) {
    try {
      mItems.reserve(count);
    } catch (const std::exception&) {
      return false;
    }
    return true;
  }
  /// The element at index as its class (borrowed), null when out of range. No warning.
  C* itemAt(uint32_t index) const { return index < mItems.size() ? mItems[index] : nullptr; }

private:
  void dropAll() {
    while (!mItems.empty()) {
      C* item = mItems.back();
      mItems.pop_back();
      Hold::Drop(item);
    }
  }

  std::vector<C*> mItems;
};

template <class C, class I>
class TObjectMgr final : public TZinPointerMgr<C, I, TZinPlainHold<C>> {
public:
  explicit TObjectMgr(IZinMgrRef* owner) : TZinPointerMgr<C, I, TZinPlainHold<C>>(owner) {}
};

template <class C, class I>
class TObject2Mgr final : public TZinPointerMgr<C, I, TZinStrongHold<C>> {
public:
  explicit TObject2Mgr(IZinMgrRef* owner) : TZinPointerMgr<C, I, TZinStrongHold<C>>(owner) {}
};

template <class C, class I>
class TComObjectMgr final : public TZinPointerMgr<C, I, TZinComHold<C>> {
public:
  explicit TComObjectMgr(IZinMgrRef* owner) : TZinPointerMgr<C, I, TZinComHold<C>>(owner) {}
};

/// Plain records by value in one block. newZinObject doubles a full block (2 records
/// from empty) and fills the new record with zeros. A reserve that cannot allocate
/// empties the collection and warns "No memory availiable"; a growth that cannot
/// allocate warns the same, keeps the records and returns null.
template <class C>
class TSimpleMgr : public TObjectMgrBase<C> {
  static_assert(std::is_trivially_copyable<C>::value, "records are moved as bytes");
  using Base = TObjectMgrBase<C>;
  using Text = CZinObjectMgrText;

public:
  /// capacity records are allocated at once (a failure leaves the block empty).
  explicit TSimpleMgr(IZinMgrRef* owner, uint32_t capacity = 0) : Base(owner) {
    if (capacity) mRecords = resize(nullptr, capacity);
    if (mRecords) mCapacity = capacity;
  }
  ~TSimpleMgr() override { std::free(mRecords); }

  uint32_t getCount() override { return mCount; }
  /// The number of records the block holds before it must grow.
  uint32_t capacity() const { return mCapacity; }
  /// Room for count records without reserve's limit, for library code that grows a
  /// collection with the records actually delivered. False (nothing changed) when
  /// the block cannot be had; no warning.
  bool reserveExactly(uint32_t count) { return count <= mCapacity || reallocate(count); }
  /// The records, back to back (for bulk copies by the library).
  C* records() const { return mRecords; }
  /// Appends a copy of record; false (with the warning of a failed growth) when
  /// the block cannot grow.
  bool append(const C& record) {
    if (mCount == mCapacity && !grow()) return false;
    mRecords[mCount++] = record;
    return true;
  }

  C* getZinObject(uint32_t index) override {
    if (!this->acceptGet(index, mCount)) return nullptr;
    return &mRecords[index];
  }

  C* newZinObject(uint32_t index) override {
    if (mCount == mCapacity && !grow()) return nullptr;
    if (!this->acceptNew(index, mCount)) return nullptr;
    C* records = mRecords;
    std::memmove(static_cast<void*>(records + index + 1), records + index, (mCount - index) * sizeof(C));
    std::memset(static_cast<void*>(records + index), 0, sizeof(C));
    ++mCount;
    return records + index;
  }

  void removeObject(uint32_t index) override {
    if (!this->acceptRemove(index, mCount, Text::kRemoveNoMore)) return;
    C* records = mRecords;
    std::memmove(static_cast<void*>(records + index), records + index + 1, (mCount - index - 1) * sizeof(C));
    --mCount;
  }

  void moveObject(uint32_t from, uint32_t to) override {
    if (!this->acceptMove(from, to, mCount)) return;
    MoveZinItem(mRecords, from, to);
  }

  void removeAll() override { mCount = 0; }

  void reserve(uint32_t count) override {
    const auto target = static_cast<uint32_t>(Base::reserveTarget(count, mCount));
    if (target <= mCapacity) return;
    if (reallocate(target)) return;
    std::free(mRecords);
    mRecords = nullptr;
    mCount = mCapacity = 0;
    this->warnOwner(Text::kNoMemory);
  }

protected:
  /// block resized to count records, its records kept (realloc: a large block
  /// grows without a second copy), or null with block untouched when it cannot be
  /// had. Tests replace it.
  virtual C* resize(C* block, uint32_t count) {
    return static_cast<C*>(std::realloc(static_cast<void*>(block), size_t{count} * sizeof(C)));
  }

private:
  bool grow() {
    const uint32_t wanted = mCapacity ? mCapacity * 2 : 2;
    if (wanted > mCapacity && reallocate(wanted)) return true;
    this->warnOwner(Text::kNoMemory);
    return false;
  }

  bool reallocate(uint32_t count) {
    C* block = resize(mRecords, count);
    if (!block) return false;
    mRecords = block;
    mCapacity = count;
    return true;
  }

  C* mRecords = nullptr;  // from resize, given back with std::free
  uint32_t mCount = 0;
  uint32_t mCapacity = 0;
};

/// The base through which the manager's link object holds a weak link to the
/// manager's control block: the link never keeps the manager alive. Answers the
/// link identifier.
class CBaseObjectMgr {
public:
  static constexpr CZinUUID sIID = kIID_ZinMgrRef;

  /// Takes a weak reference on block (may be null).
  explicit CBaseObjectMgr(CZinSharedPtrBase* block);
  ~CBaseObjectMgr();
  CBaseObjectMgr(const CBaseObjectMgr&) = delete;
  CBaseObjectMgr& operator=(const CBaseObjectMgr&) = delete;

  /// True while the block still holds its object (checked under the library lock).
  bool hasObject() const;
  /// The block (borrowed), null when none was given.
  CZinSharedPtrBase* block() const { return mBlock; }

private:
  CZinSharedPtrBase* mBlock;
};

/// Creates a collection of kind M with owner and returns it with one reference.
template <class M, class... Args>
TZinComPtr<M> NewZinCollection(IZinMgrRef* owner, Args&&... args) {
  return TZinComPtr<M>(CreateZinObject<M>(owner, std::forward<Args>(args)...));
}

}  // namespace QvZin
