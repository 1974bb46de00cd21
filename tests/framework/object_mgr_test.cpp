#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/object_mgr.h"
#include "framework/scene_object.h"
#include "framework/uuid_x.h"
#include "recording_link.h"

using namespace QvZin;
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

TYPED_TEST(ObjectMgrRules, GetZinObjectIndices) {
  this->fill(3);
  struct Case {
    uint32_t index;
    int tag;  // -1: null and a warning
  } cases[] = {{kEnd, -1}, {0, 0}, {2, 2}, {3, -1}, {4, -1}};
  for (const Case& c : cases) {
    auto* item = this->mMgr->getZinObject(c.index);
    if (c.tag < 0) {
      EXPECT_EQ(nullptr, item) << c.index;
      EXPECT_EQ(Texts{"getZinObject: Bad index value"}, this->mLink.take()) << c.index;
    } else {
      ASSERT_NE(nullptr, item);
      EXPECT_EQ(c.tag, TypeParam::Tag(item));
      EXPECT_TRUE(this->mLink.take().empty());
    }
  }
  this->mMgr->removeAll();
  EXPECT_EQ(nullptr, this->mMgr->getZinObject(0));
  EXPECT_EQ(Texts{"getZinObject: Bad index value"}, this->mLink.take());
}

TYPED_TEST(ObjectMgrRules, NewZinObjectIndices) {
  struct Case {
    uint32_t index;
    Tags after;  // the new element is tagged 9
    bool refused;
  } cases[] = {
      {kEnd, {0, 1, 2, 9}, false}, {0, {9, 0, 1, 2}, false}, {1, {0, 9, 1, 2}, false},
      {3, {0, 1, 2, 9}, false},    {4, {0, 1, 2}, true},     {100, {0, 1, 2}, true},
  };
  for (const Case& c : cases) {
    this->mMgr->removeAll();
    this->fill(3);
    auto* item = this->mMgr->newZinObject(c.index);
    if (c.refused) {
      EXPECT_EQ(nullptr, item) << c.index;
      EXPECT_EQ(Texts{"newZinObject: Bad index value"}, this->mLink.take());
    } else {
      ASSERT_NE(nullptr, item) << c.index;
      TypeParam::SetTag(item, 9);
      EXPECT_TRUE(this->mLink.take().empty());
    }
    EXPECT_EQ(c.after, this->tags()) << c.index;
  }
  // On an empty collection the end of the list is index 0; index 1 is past it.
  this->mMgr->removeAll();
  EXPECT_EQ(nullptr, this->mMgr->newZinObject(1));
  EXPECT_EQ(Texts{"newZinObject: Bad index value"}, this->mLink.take());
  EXPECT_NE(nullptr, this->mMgr->newZinObject(kEnd));
  EXPECT_EQ(1u, this->mMgr->getCount());
}

TYPED_TEST(ObjectMgrRules, NewElementsAreFresh) {
  auto* first = this->mMgr->newZinObject(kEnd);
  auto* second = this->mMgr->newZinObject(kEnd);
  (void)first;
  if constexpr (TypeParam::kRecords) {
    EXPECT_EQ(0, second->mTag);
    EXPECT_EQ(0, second->mSpare);
    EXPECT_EQ(0.0, second->mValue);
    // A removed record's bytes do not come back in the next one.
    second->mTag = 7;
    this->mMgr->removeObject(kEnd);
    EXPECT_EQ(0, this->mMgr->newZinObject(kEnd)->mTag);
  } else if constexpr (TypeParam::kCounted) {
    EXPECT_NE(*first->getBasicData()->getId(), *second->getBasicData()->getId());
    EXPECT_EQ(&this->mLink, first->getBasicData()->getMgrRef());  // elements get the owner
    EXPECT_EQ(0, second->getBasicData()->getUIValue());
  } else {
    EXPECT_NE(first, second);
    EXPECT_EQ(0, second->mTag);
  }
}

TYPED_TEST(ObjectMgrRules, RemoveObjectIndices) {
  struct Case {
    uint32_t index;
    Tags after;
    Tags destroyed;
    bool refused;
  } cases[] = {
      {kEnd, {0, 1}, {2}, false}, {0, {1, 2}, {0}, false},  {1, {0, 2}, {1}, false},
      {3, {0, 1, 2}, {}, true},   {4, {0, 1, 2}, {}, true},
  };
  for (const Case& c : cases) {
    this->mMgr->removeAll();
    this->fill(3);
    this->mMgr->removeObject(c.index);
    EXPECT_EQ(c.after, this->tags()) << c.index;
    if (!TypeParam::kRecords) {
      EXPECT_EQ(c.destroyed, gDestroyed) << c.index;
    }
    EXPECT_EQ(c.refused ? Texts{"removeObject: Bad index value"} : Texts{}, this->mLink.take()) << c.index;
  }
  // The end of an empty list: records say so in their own words.
  this->mMgr->removeAll();
  this->mMgr->removeObject(kEnd);
  EXPECT_EQ(Texts{TypeParam::kRecords ? "removeObject: no more object to remove" : "removeObject: Bad index value"},
            this->mLink.take());
  this->mMgr->removeObject(0);
  EXPECT_EQ(Texts{"removeObject: Bad index value"}, this->mLink.take());
}

TYPED_TEST(ObjectMgrRules, MoveObjectIndices) {
  struct Case {
    uint32_t from, to;
    Tags after;
    bool refused;
  } cases[] = {
      {0, 2, {1, 2, 0}, false},    {2, 0, {2, 0, 1}, false},    {0, 1, {1, 0, 2}, false},
      {1, 0, {1, 0, 2}, false},    {1, 1, {0, 1, 2}, false},    {5, 5, {0, 1, 2}, false},
      {0, 3, {0, 1, 2}, true},     {3, 0, {0, 1, 2}, true},     {kEnd, 0, {0, 1, 2}, true},
      {0, kEnd, {0, 1, 2}, true},  {4, 1, {0, 1, 2}, true},
  };
  for (const Case& c : cases) {
    this->mMgr->removeAll();
    this->fill(3);
    this->mMgr->moveObject(c.from, c.to);
    EXPECT_EQ(c.after, this->tags()) << c.from << "->" << c.to;
    EXPECT_EQ(c.refused ? Texts{"moveObject: Bad index value"} : Texts{}, this->mLink.take());
    EXPECT_TRUE(gDestroyed.empty());  // ownership does not change
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
  EXPECT_STREQ("", data->getName());
  data->setName("Cameras");
  EXPECT_STREQ("Cameras", data->getName());
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
  auto expectThrow = [](auto&& operation) {
    try {
      operation();
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(kNoOwner, e.what());
    }
  };
  expectThrow([&] { lonely->getZinObject(1); });
  expectThrow([&] { lonely->newZinObject(5); });
  expectThrow([&] { lonely->removeObject(1); });
  expectThrow([&] { lonely->moveObject(0, 1); });
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

TYPED_TEST(CountedElements, ClientReferenceOutlivesRemoval) {
  this->fill(3);
  ICountedThing* kept = this->mMgr->getZinObject(1);
  kept->AddRef();
  this->mMgr->removeObject(1);
  EXPECT_TRUE(gDestroyed.empty());
  EXPECT_EQ(1, TypeParam::Tag(kept));  // still alive and usable
  EXPECT_EQ(&this->mLink, kept->getBasicData()->getMgrRef());
  this->mMgr->removeAll();
  EXPECT_EQ((Tags{2, 0}), gDestroyed);
  kept->Release();
  EXPECT_EQ((Tags{2, 0, 1}), gDestroyed);
}

TYPED_TEST(CountedElements, ClientReferenceOutlivesTheCollection) {
  this->fill(2);
  ICountedThing* kept = this->mMgr->getZinObject(0);
  void* asked = nullptr;
  ASSERT_EQ(kZinOk, kept->QueryInterface(ICountedThing::sIID, &asked));
  this->mMgr.reset();
  EXPECT_EQ((Tags{1}), gDestroyed);
  EXPECT_EQ(1, this->mLink.mCount);  // the element still holds its owner
  kept->Release();
  EXPECT_EQ((Tags{1, 0}), gDestroyed);
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
  CRecord* allocate(uint32_t count) override { return mRefuse ? nullptr : TSimpleMgr::allocate(count); }
};

}  // namespace

TEST(TSimpleMgr, GrowthDoublesFromTwo) {
  RecordingLink link;
  {
    auto records = NewZinCollection<TSimpleMgr<CRecord>>(&link);
    EXPECT_EQ(0u, records->capacity());
    std::vector<uint32_t> capacities;
    for (int i = 0; i < 9; ++i) {
      records->newZinObject(kEnd);
      capacities.push_back(records->capacity());
    }
    EXPECT_EQ((std::vector<uint32_t>{2, 2, 4, 4, 8, 8, 8, 8, 16}), capacities);
    // A full block grows before the index is looked at.
    auto full = NewZinCollection<TSimpleMgr<CRecord>>(&link, 2);
    full->newZinObject(kEnd);
    full->newZinObject(kEnd);
    EXPECT_EQ(nullptr, full->newZinObject(3));
    EXPECT_EQ(4u, full->capacity());
    EXPECT_EQ(Texts{"newZinObject: Bad index value"}, link.take());
    // The initial capacity is taken at once.
    auto points = NewZinCollection<TSimpleMgr<CRecord>>(&link, 1024);
    EXPECT_EQ(1024u, points->capacity());
    EXPECT_EQ(0u, points->getCount());
  }
  EXPECT_EQ(0, link.mCount);
}

TEST(TSimpleMgr, AllocationFailures) {
  RecordingLink link;
  {
    TZinComPtr<CFailingRecords> records(CreateZinObject<CFailingRecords>(&link, 2));
    for (int i = 0; i < 2; ++i) records->newZinObject(kEnd)->mTag = i + 1;
    // A failed growth keeps the records.
    records->mRefuse = true;
    EXPECT_EQ(nullptr, records->newZinObject(kEnd));
    EXPECT_EQ(Texts{"No memory availiable"}, link.take());
    EXPECT_EQ(2u, records->getCount());
    EXPECT_EQ(2, records->getZinObject(1)->mTag);
    // A failed reserve empties the collection.
    records->reserve(100);
    EXPECT_EQ(Texts{"No memory availiable"}, link.take());
    EXPECT_EQ(0u, records->getCount());
    EXPECT_EQ(0u, records->capacity());
    // A reserve that needs no room allocates nothing and cannot fail.
    records->mRefuse = false;
    records->reserve(8);
    records->mRefuse = true;
    records->reserve(8);
    records->reserve(3);
    EXPECT_TRUE(link.take().empty());
    EXPECT_EQ(8u, records->capacity());
  }
  EXPECT_EQ(0, link.mCount);
}

TEST(TZinItemIID, IdentifierListsReportTheirOwnIdentifier) {
  RecordingLink link;
  {
    auto ids = NewZinCollection<TObjectMgr<CZinUUIDX, CZinUUID>>(&link);
    EXPECT_EQ(CZinUUID::fromText("4F9C1F83DEFB4453B882001C03F72FC0"), ids->getItemIID());
    CZinUUID* id = ids->newZinObject(kEnd);
    EXPECT_TRUE(id->isNull());
  }
}

TEST(CBaseObjectMgr, WeakLinkToAControlBlock) {
  EXPECT_EQ(kIID_ZinMgrRef, CBaseObjectMgr::sIID);
  CCountedThing* thing = CreateZinObject<CCountedThing>(nullptr);
  thing->AddRef();
  CZinSharedPtrBase* block = thing->selfLink();
  {
    CBaseObjectMgr holder(block);
    EXPECT_EQ(3, block->weakCount());  // the object's own, the strong group, the holder
    EXPECT_TRUE(holder.hasObject());
    thing->Release();  // the holder does not keep the object alive
    EXPECT_FALSE(holder.hasObject());
    EXPECT_EQ(block, holder.block());
  }
  CBaseObjectMgr empty(nullptr);
  EXPECT_FALSE(empty.hasObject());
}
