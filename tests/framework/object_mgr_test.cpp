#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/object_mgr.h"
#include "framework/scene_object.h"
#include "framework/uuid_x.h"
#include "recording_link.h"
#include "test_support.h"

using namespace QvZin;
using QvZinTest::ErrorOf;
using QvZinTest::RecordingLink;
using Texts = std::vector<std::string>;
using Tags = std::vector<int>;

namespace {

constexpr uint32_t kEnd = kZinEndOfList;
const char* const kNoOwner = "TZinComPtr::operator->() - Dereferencing NULL";

// Tags of the elements destroyed, in order.
Tags gDestroyed;
// The next element constructor throws.
bool gFailNextElement = false;

void MaybeFail() {
  if (gFailNextElement) {
    gFailNextElement = false;
    throw std::runtime_error("element constructor failed");
  }
}

// ---- one element type per ownership kind

class IPlainThing {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("11111111111111111111111111111111");
  int mTag = 0;

protected:
  ~IPlainThing() = default;
};

class CPlainThing final : public IPlainThing {
public:
  CPlainThing() { MaybeFail(); }
  ~CPlainThing() { gDestroyed.push_back(mTag); }
};

class ICountedThing : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("22222222222222222222222222222222");
};

class CCountedThing final : public TZinSceneObject<ICountedThing> {
public:
  explicit CCountedThing(IZinMgrRef* owner) : TZinSceneObject(owner) { MaybeFail(); }
  ~CCountedThing() override { gDestroyed.push_back(getUIValue()); }

  int32_t AddRef() override {
    if (sRefuseAddRef) throw std::runtime_error("AddRef refused");
    return TZinSceneObject::AddRef();
  }
  static bool sRefuseAddRef;
};
bool CCountedThing::sRefuseAddRef = false;

struct CRecord {
  static constexpr CZinUUID sIID = CZinUUID::fromText("33333333333333333333333333333333");
  int32_t mTag;
  int32_t mSpare;
  double mValue;
};

// ---- the kinds, with how a test tags and reads an element

struct PlainKind {
  using Item = IPlainThing;
  using Mgr = TObjectMgr<CPlainThing, IPlainThing>;
  static constexpr bool kCounted = false;
  static constexpr bool kRecords = false;
  static int Tag(Item* item) { return item->mTag; }
  static void SetTag(Item* item, int tag) { item->mTag = tag; }
};

template <template <class, class> class M>
struct CountedKind {
  using Item = ICountedThing;
  using Mgr = M<CCountedThing, ICountedThing>;
  static constexpr bool kCounted = true;
  static constexpr bool kRecords = false;
  static int Tag(Item* item) { return item->getBasicData()->getUIValue(); }
  static void SetTag(Item* item, int tag) { item->getBasicData()->setUIValue(tag); }
};
using StrongKind = CountedKind<TObject2Mgr>;
using ComKind = CountedKind<TComObjectMgr>;

struct RecordKind {
  using Item = CRecord;
  using Mgr = TSimpleMgr<CRecord>;
  static constexpr bool kCounted = false;
  static constexpr bool kRecords = true;
  static int Tag(Item* item) { return item->mTag; }
  static void SetTag(Item* item, int tag) { item->mTag = tag; }
};

template <class Kind>
class ObjectMgrRules : public ::testing::Test {
protected:
  using Item = typename Kind::Item;
  using Mgr = typename Kind::Mgr;

  void SetUp() override {
    gDestroyed.clear();
    gFailNextElement = false;
    mMgr = NewZinCollection<Mgr>(&mLink);
  }
  void TearDown() override {
    mMgr.reset();
    EXPECT_EQ(0, mLink.mCount);  // every element and the collection let go of the link
  }

  // A collection holding tags 0 .. count - 1.
  void fill(int count) {
    for (int i = 0; i < count; ++i) Kind::SetTag(mMgr->newZinObject(kEnd), i);
    gDestroyed.clear();
  }
  Tags tags() {
    Tags out;
    for (uint32_t i = 0; i < mMgr->getCount(); ++i) out.push_back(Kind::Tag(mMgr->getZinObject(i)));
    return out;
  }

  RecordingLink mLink;
  TZinComPtr<Mgr> mMgr;
};

using Kinds = ::testing::Types<PlainKind, StrongKind, ComKind, RecordKind>;
class KindNames {
public:
  template <class T>
  static std::string GetName(int) {
    if (std::is_same<T, PlainKind>::value) return "TObjectMgr";
    if (std::is_same<T, StrongKind>::value) return "TObject2Mgr";
    if (std::is_same<T, ComKind>::value) return "TComObjectMgr";
    return "TSimpleMgr";
  }
};
TYPED_TEST_SUITE(ObjectMgrRules, Kinds, KindNames);

}  // namespace

// Each operation on a collection of tags 0 1 2: the tags after it, the tags
// destroyed, and the warning (new elements are tagged 9).
TYPED_TEST(ObjectMgrRules, IndexRules) {
  enum Op { kGet, kNew, kRemove, kMove };
  const struct {
    Op op;
    uint32_t index, to;
    Tags after, destroyed;
    const char* warning;
  } cases[] = {
      {kGet, 0, 0, {0, 1, 2}, {}, nullptr},
      {kGet, 2, 0, {0, 1, 2}, {}, nullptr},
      {kGet, 3, 0, {0, 1, 2}, {}, "getZinObject: Bad index value"},
      {kGet, kEnd, 0, {0, 1, 2}, {}, "getZinObject: Bad index value"},
      {kNew, kEnd, 0, {0, 1, 2, 9}, {}, nullptr},
      {kNew, 0, 0, {9, 0, 1, 2}, {}, nullptr},
      {kNew, 1, 0, {0, 9, 1, 2}, {}, nullptr},
      {kNew, 3, 0, {0, 1, 2, 9}, {}, nullptr},
      {kNew, 4, 0, {0, 1, 2}, {}, "newZinObject: Bad index value"},
      {kNew, 100, 0, {0, 1, 2}, {}, "newZinObject: Bad index value"},
      {kRemove, kEnd, 0, {0, 1}, {2}, nullptr},
      {kRemove, 0, 0, {1, 2}, {0}, nullptr},
      {kRemove, 1, 0, {0, 2}, {1}, nullptr},
      {kRemove, 3, 0, {0, 1, 2}, {}, "removeObject: Bad index value"},
      {kMove, 0, 2, {1, 2, 0}, {}, nullptr},
      {kMove, 2, 0, {2, 0, 1}, {}, nullptr},
      {kMove, 0, 1, {1, 0, 2}, {}, nullptr},
      {kMove, 1, 0, {1, 0, 2}, {}, nullptr},
      {kMove, 1, 1, {0, 1, 2}, {}, nullptr},
      {kMove, 5, 5, {0, 1, 2}, {}, nullptr},
      {kMove, 0, 3, {0, 1, 2}, {}, "moveObject: Bad index value"},
      {kMove, 3, 0, {0, 1, 2}, {}, "moveObject: Bad index value"},
      {kMove, kEnd, 0, {0, 1, 2}, {}, "moveObject: Bad index value"},
      {kMove, 0, kEnd, {0, 1, 2}, {}, "moveObject: Bad index value"},
  };
  for (const auto& c : cases) {
    this->mMgr->removeAll();
    this->fill(3);
    auto& mgr = *this->mMgr;
    if (c.op == kGet) {
      auto* item = mgr.getZinObject(c.index);
      EXPECT_EQ(c.warning ? -1 : static_cast<int>(c.index), item ? TypeParam::Tag(item) : -1) << c.index;
    } else if (c.op == kNew) {
      auto* item = mgr.newZinObject(c.index);
      EXPECT_EQ(c.warning == nullptr, item != nullptr) << c.index;
      if (item) TypeParam::SetTag(item, 9);
    } else if (c.op == kRemove) {
      mgr.removeObject(c.index);
    } else {
      mgr.moveObject(c.index, c.to);
    }
    EXPECT_EQ(c.after, this->tags()) << c.op << " " << c.index << " " << c.to;
    if (!TypeParam::kRecords) {
      EXPECT_EQ(c.destroyed, gDestroyed) << c.op << " " << c.index;
    }
    EXPECT_EQ(c.warning ? Texts{c.warning} : Texts{}, this->mLink.take()) << c.op << " " << c.index << " " << c.to;
  }
  // An empty collection: index 0 is the end of the list, 1 is past it; removing its
  // end, records say so in their own words.
  this->mMgr->removeAll();
  EXPECT_EQ(nullptr, this->mMgr->getZinObject(0));
  EXPECT_EQ(nullptr, this->mMgr->newZinObject(1));
  this->mMgr->removeObject(kEnd);
  this->mMgr->removeObject(0);
  EXPECT_EQ((Texts{"getZinObject: Bad index value", "newZinObject: Bad index value",
                   TypeParam::kRecords ? "removeObject: no more object to remove" : "removeObject: Bad index value",
                   "removeObject: Bad index value"}),
            this->mLink.take());

  // New elements are fresh: a removed record's bytes do not come back; counted
  // elements get their own id and the owner.
  auto* first = this->mMgr->newZinObject(kEnd);
  auto* second = this->mMgr->newZinObject(kEnd);
  EXPECT_EQ(0, TypeParam::Tag(second));
  if constexpr (TypeParam::kRecords) {
    *second = CRecord{7, 8, 9.0};
    this->mMgr->removeObject(kEnd);
    const CRecord* again = this->mMgr->newZinObject(kEnd);
    EXPECT_EQ(0, again->mTag + again->mSpare);
    EXPECT_EQ(0.0, again->mValue);
  } else if constexpr (TypeParam::kCounted) {
    EXPECT_NE(*first->getBasicData()->getId(), *second->getBasicData()->getId());
    EXPECT_EQ(&this->mLink, first->getBasicData()->getMgrRef());
  } else {
    EXPECT_NE(first, second);
  }
}

TYPED_TEST(ObjectMgrRules, RemoveAllAndDestructionGoLastFirst) {
  this->fill(3);
  this->mMgr->removeAll();
  EXPECT_EQ(0u, this->mMgr->getCount());
  if (!TypeParam::kRecords) {
    EXPECT_EQ((Tags{2, 1, 0}), gDestroyed);
  }
  this->mMgr->removeAll();  // nothing left: no warning
  EXPECT_TRUE(this->mLink.take().empty());

  this->fill(4);
  this->mMgr.reset();
  if (!TypeParam::kRecords) {
    EXPECT_EQ((Tags{3, 2, 1, 0}), gDestroyed);
  }
}

TYPED_TEST(ObjectMgrRules, IdentityAndBasicData) {
  auto& mgr = *this->mMgr;
  EXPECT_EQ(TypeParam::Item::sIID, mgr.getItemIID());
  for (const CZinUUID& iid : {IID_IUnknown, kIID_ZinObjectMgr}) {
    void* out = nullptr;
    EXPECT_EQ(kZinOk, mgr.QueryInterface(iid, &out));
    EXPECT_EQ(static_cast<TZinObjectMgr<typename TypeParam::Item>*>(&mgr), out);
    EXPECT_EQ(2, mgr.selfLink()->strongCount());
    mgr.Release();
  }
  for (const CZinUUID& iid : {kIID_ZinBasicObject, TypeParam::Item::sIID, kIID_ZinMgrRef}) {
    void* out = &mgr;
    EXPECT_EQ(kZinNoInterface, mgr.QueryInterface(iid, &out));
    EXPECT_EQ(nullptr, out);
  }
  EXPECT_EQ(kZinInvalidArg, mgr.QueryInterface(IID_IUnknown, nullptr));
  EXPECT_EQ(static_cast<IZinObjectLink*>(&this->mLink), mgr.getObjectLink());
  IZinBasicData* data = mgr.getBasicData();
  EXPECT_EQ(&this->mLink, data->getMgrRef());
  // Two collections have their own ids.
  auto other = NewZinCollection<typename TypeParam::Mgr>(&this->mLink);
  EXPECT_NE(*data->getId(), *other->getBasicData()->getId());
}

TYPED_TEST(ObjectMgrRules, WithoutOwnerIndexErrorsThrow) {
  auto lonely = NewZinCollection<typename TypeParam::Mgr>(nullptr);
  EXPECT_EQ(nullptr, lonely->getObjectLink());
  EXPECT_EQ(nullptr, lonely->getBasicData()->getMgrRef());
  // Good indices need no owner.
  ASSERT_NE(nullptr, lonely->newZinObject(kEnd));
  lonely->newZinObject(0);
  lonely->moveObject(0, 1);
  lonely->removeObject(kEnd);
  EXPECT_EQ(1u, lonely->getCount());
  EXPECT_EQ(kNoOwner, ErrorOf([&] { lonely->getZinObject(1); }));
  EXPECT_EQ(kNoOwner, ErrorOf([&] { lonely->newZinObject(5); }));
  EXPECT_EQ(kNoOwner, ErrorOf([&] { lonely->removeObject(1); }));
  EXPECT_EQ(kNoOwner, ErrorOf([&] { lonely->moveObject(0, 1); }));
  EXPECT_EQ(1u, lonely->getCount());  // unchanged
}

TYPED_TEST(ObjectMgrRules, ReserveChangesNoIndexAndDoesNotAllocateAhead) {
  this->fill(3);
  // 2^31 elements would be gigabytes: a stranger's count must not get them.
  this->mMgr->reserve(0x80000000u);
  this->mMgr->reserve(kEnd);
  EXPECT_LE(this->mMgr->capacity(), 3u + kZinReserveAhead);
  EXPECT_GE(this->mMgr->capacity(), 3u + kZinReserveAhead);
  EXPECT_EQ((Tags{0, 1, 2}), this->tags());
  EXPECT_TRUE(this->mLink.take().empty());
  // Smaller requests never shrink, nor move anything.
  auto* first = this->mMgr->getZinObject(0);
  this->mMgr->reserve(1);
  EXPECT_EQ(first, this->mMgr->getZinObject(0));
  EXPECT_GE(this->mMgr->capacity(), 3u + kZinReserveAhead);
  // Growth beyond follows the elements actually added.
  for (uint32_t i = 3; i < 3 + kZinReserveAhead + 10; ++i) this->mMgr->newZinObject(kEnd);
  EXPECT_EQ(3u + kZinReserveAhead + 10, this->mMgr->getCount());
  EXPECT_TRUE(this->mLink.take().empty());
}

// ---- constructed elements

template <class Kind>
class ConstructedElements : public ObjectMgrRules<Kind> {};
using ConstructedKinds = ::testing::Types<PlainKind, StrongKind, ComKind>;
TYPED_TEST_SUITE(ConstructedElements, ConstructedKinds, KindNames);

TYPED_TEST(ConstructedElements, FailedCreationWarns) {
  this->fill(2);
  gFailNextElement = true;
  EXPECT_EQ(nullptr, this->mMgr->newZinObject(0));
  EXPECT_EQ(Texts{"newZinObject: Can't allocate object"}, this->mLink.take());
  EXPECT_EQ((Tags{0, 1}), this->tags());
}

// ---- counted elements

template <class Kind>
class CountedElements : public ObjectMgrRules<Kind> {};
using CountedKinds = ::testing::Types<StrongKind, ComKind>;
TYPED_TEST_SUITE(CountedElements, CountedKinds, KindNames);

TYPED_TEST(CountedElements, ClientReferencesOutliveRemovalAndTheCollection) {
  this->fill(3);
  ICountedThing* kept = this->mMgr->getZinObject(1);
  ICountedThing* last = this->mMgr->getZinObject(0);
  kept->AddRef();
  void* asked = nullptr;
  ASSERT_EQ(kZinOk, last->QueryInterface(ICountedThing::sIID, &asked));
  this->mMgr->removeObject(1);
  EXPECT_TRUE(gDestroyed.empty());
  EXPECT_EQ(1, TypeParam::Tag(kept));  // still alive and usable
  this->mMgr.reset();
  EXPECT_EQ((Tags{2}), gDestroyed);
  EXPECT_EQ(2, this->mLink.mCount);  // the elements still hold their owner
  kept->Release();
  last->Release();
  EXPECT_EQ((Tags{2, 1, 0}), gDestroyed);
}

TEST(TComObjectMgr, MoveReleasesItsHoldWhenSomethingThrows) {
  RecordingLink link;
  {
    auto mgr = NewZinCollection<TComObjectMgr<CCountedThing, ICountedThing>>(&link);
    for (int i = 0; i < 3; ++i) mgr->newZinObject(kEnd)->getBasicData()->setUIValue(i);
    CCountedThing::sRefuseAddRef = true;
    mgr->moveObject(0, 2);
    CCountedThing::sRefuseAddRef = false;
    EXPECT_EQ(Texts{"moveObject: An exception occurs"}, link.take());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(i, mgr->getZinObject(i)->getBasicData()->getUIValue());
    // The hold taken for a good move is given back: one release disposes of it.
    gDestroyed.clear();
    mgr->moveObject(0, 2);
    mgr->removeObject(2);
    EXPECT_EQ(Tags{0}, gDestroyed);
  }
  EXPECT_EQ(0, link.mCount);
}

// ---- records

namespace {

// A record collection whose allocations can be refused.
class CFailingRecords final : public TSimpleMgr<CRecord> {
public:
  explicit CFailingRecords(IZinMgrRef* owner, uint32_t capacity = 0) : TSimpleMgr(owner, capacity) {}
  bool mRefuse = false;

protected:
  CRecord* resize(CRecord* block, uint32_t count) override {
    return mRefuse ? nullptr : TSimpleMgr::resize(block, count);
  }
};

}  // namespace

TEST(TSimpleMgr, GrowthAndAllocationFailures) {
  RecordingLink link;
  {
    TZinComPtr<CFailingRecords> records(CreateZinObject<CFailingRecords>(&link));
    std::vector<uint32_t> capacities;
    for (int i = 0; i < 9; ++i) {
      records->newZinObject(kEnd)->mTag = i + 1;
      capacities.push_back(records->capacity());
    }
    EXPECT_EQ((std::vector<uint32_t>{2, 2, 4, 4, 8, 8, 8, 8, 16}), capacities);
    // A full block grows before the index is looked at; the initial capacity is
    // taken at once.
    auto full = NewZinCollection<TSimpleMgr<CRecord>>(&link, 2);
    full->newZinObject(kEnd);
    full->newZinObject(kEnd);
    EXPECT_EQ(nullptr, full->newZinObject(3));
    EXPECT_EQ(4u, full->capacity());
    EXPECT_EQ(Texts{"newZinObject: Bad index value"}, link.take());
    EXPECT_EQ(1024u, NewZinCollection<TSimpleMgr<CRecord>>(&link, 1024)->capacity());

    // A failed growth keeps the records; a failed reserve empties the collection.
    while (records->getCount() < records->capacity()) records->newZinObject(kEnd);
    records->mRefuse = true;
    EXPECT_EQ(nullptr, records->newZinObject(kEnd));
    EXPECT_EQ(Texts{"No memory availiable"}, link.take());
    EXPECT_EQ(16u, records->getCount());
    EXPECT_EQ(9, records->getZinObject(8)->mTag);
    records->reserve(100);
    EXPECT_EQ(Texts{"No memory availiable"}, link.take());
    EXPECT_EQ(0u, records->capacity());
    // A reserve that needs no room allocates nothing and cannot fail.
    records->mRefuse = false;
    records->reserve(8);
    records->mRefuse = true;
    records->reserve(3);
    EXPECT_TRUE(link.take().empty());
    EXPECT_EQ(8u, records->capacity());
  }
  EXPECT_EQ(0, link.mCount);
}

TEST(TZinItemIID, IdentifierListsAndTheWeakLinkOfTheManager) {
  RecordingLink link;
  auto ids = NewZinCollection<TObjectMgr<CZinUUIDX, CZinUUID>>(&link);
  EXPECT_EQ(CZinUUID::fromText("4F9C1F83DEFB4453B882001C03F72FC0"), ids->getItemIID());
  EXPECT_TRUE(ids->newZinObject(kEnd)->isNull());
  ids.reset();

  CCountedThing* thing = CreateZinObject<CCountedThing>(nullptr);
  thing->AddRef();
  CBaseObjectMgr holder(thing->selfLink());
  EXPECT_EQ(3, thing->selfLink()->weakCount());  // the object's own, the strong group, the holder
  EXPECT_TRUE(holder.hasObject());
  thing->Release();  // the holder does not keep the object alive
  EXPECT_FALSE(holder.hasObject());
  EXPECT_FALSE(CBaseObjectMgr(nullptr).hasObject());
}
