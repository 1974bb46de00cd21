#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ZinComPtr.h"
#include "framework/com_base.h"
#include "test_support.h"

using namespace QvZin;
using QvZinTest::ErrorOf;

namespace {

class ITestThing : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("0123456789ABCDEF0123456789ABCDEF");
};

int gDestroyed = 0;

class CTestThing final : public TZinCOMBase<ITestThing> {
public:
  ~CTestThing() override { ++gDestroyed; }
  IZinObjectLink* getObjectLink() override { return nullptr; }
  IZinBasicData* getBasicData() override { return nullptr; }
  CZinSharedPtrBase* block() const { return selfLink(); }
};


}  // namespace

TEST(ComBase, QueryInterfaceCodesAndCounts) {
  gDestroyed = 0;
  CTestThing* thing = CreateZinObject<CTestThing>();
  CZinSharedPtrBase* block = thing->block();
  EXPECT_EQ(0, block->strongCount());
  EXPECT_EQ(1, thing->AddRef());  // 1 whatever the count
  EXPECT_EQ(1, block->strongCount());
  EXPECT_EQ(2, block->weakCount());  // the object's own link + the strong group

  const CZinUUID accepted[] = {IID_IUnknown, kIID_ZinBasicObject, ITestThing::sIID};
  for (const CZinUUID& iid : accepted) {
    void* out = nullptr;
    EXPECT_EQ(kZinOk, thing->QueryInterface(iid, &out));
    EXPECT_EQ(static_cast<ITestThing*>(thing), out);
  }
  EXPECT_EQ(4, block->strongCount());

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(kZinNoInterface, thing->QueryInterface(kIID_ZinObjectMgr, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(kZinInvalidArg, thing->QueryInterface(IID_IUnknown, nullptr));
  EXPECT_EQ(static_cast<int32_t>(0x80004002u), kZinNoInterface);
  EXPECT_EQ(static_cast<int32_t>(0x80070057u), kZinInvalidArg);
  EXPECT_EQ(4, block->strongCount());

  for (int i = 0; i < 3; ++i) EXPECT_EQ(1, thing->Release());
  EXPECT_EQ(0, gDestroyed);
  thing->Release();
  EXPECT_EQ(1, gDestroyed);
}

TEST(ComBase, ObjectDiesWithLastStrongWhileWeakLinksStay) {
  gDestroyed = 0;
  CTestThing* thing = CreateZinObject<CTestThing>();
  auto* block = static_cast<TSharedPtr<CTestThing>*>(thing->block());
  TZinWeakPtr<CTestThing> weak(block);
  {
    TZinStrongPtr<CTestThing> strong = weak.lock();
    ASSERT_TRUE(strong);
    EXPECT_EQ(thing, strong.getPtr());
    EXPECT_EQ(1, block->strongCount());
  }
  EXPECT_EQ(1, gDestroyed);  // the lock's reference was the only one
  EXPECT_FALSE(weak.lock());
  EXPECT_EQ("TZinWeakPtr::getSharedPtr - Shared pointer is NULL", ErrorOf([&] { weak.getSharedPtr(); }));
  EXPECT_EQ(1, block->weakCount());  // only our link keeps the block now

  TZinWeakPtr<CTestThing> none;
  EXPECT_EQ("TZinWeakPtr::getSharedPtr - Shared pointer is NULL", ErrorOf([&] { none.lock(); }));
  TZinStrongPtr<CTestThing> empty;
  EXPECT_EQ("TZinStrongPtr::getPtr - Shared pointer is NULL", ErrorOf([&] { empty.getPtr(); }));
}

TEST(ComBase, ControlBlockRules) {
  gDestroyed = 0;
  // releaseStrongKeep drops the count without destroying the object.
  CTestThing* kept = CreateZinObject<CTestThing>();
  CZinSharedPtrBase* block = kept->block();
  block->addWeak();  // our own hold on the block
  block->addStrong();
  block->reset();  // the block forgets the object: it is ours to delete now
  block->releaseStrongKeep();
  EXPECT_EQ(0, gDestroyed);
  EXPECT_FALSE(block->hasObject());
  delete kept;  // releases the object's own weak link
  EXPECT_EQ(1, gDestroyed);
  EXPECT_EQ(1, block->weakCount());
  block->releaseWeak();  // the block dies here (checked by the leak detector)

  // An unbound object cannot count.
  CTestThing loose;
  EXPECT_EQ("TZinWeakPtr::getSharedPtr - Shared pointer is NULL", ErrorOf([&] { loose.AddRef(); }));
  EXPECT_EQ("TZinWeakPtr::getSharedPtr - Shared pointer is NULL", ErrorOf([&] { loose.Release(); }));
}

TEST(ComBase, ComPtrGuardsAndFailedConstruction) {
  gDestroyed = 0;
  TZinComPtr<ITestThing> empty;
  EXPECT_EQ("TZinComPtr::operator->() - Dereferencing NULL", ErrorOf([&] { empty->AddRef(); }));
  EXPECT_EQ("TZinComPtr::operator*() - Dereferencing NULL", ErrorOf([&] { (*empty).AddRef(); }));
  {
    TZinComPtr<ITestThing> first(CreateZinObject<CTestThing>());
    TZinComPtr<ITestThing> second = first;
    first.reset();
    EXPECT_EQ(0, gDestroyed);
  }
  EXPECT_EQ(1, gDestroyed);
  struct CFailing final : TZinCOMBase<ITestThing> {
    CFailing() { throw std::runtime_error("no"); }
    IZinObjectLink* getObjectLink() override { return nullptr; }
    IZinBasicData* getBasicData() override { return nullptr; }
  };
  EXPECT_EQ("no", ErrorOf([] { CreateZinObject<CFailing>(); }));  // and nothing leaks
}

using ComBaseDeathTest = ::testing::Test;

TEST(ComBaseDeathTest, ReservedOperationsStopTheProcess) {
  CTestThing* thing = CreateZinObject<CTestThing>();
  TZinComPtr<ITestThing> hold(thing);
  EXPECT_EXIT(thing->zinReserved1(), ::testing::ExitedWithCode(0),
              "ZIN Library is obsolete\nPlease update ZIN Library and relaunch the application.");
  EXPECT_EXIT(thing->zinReserved3(), ::testing::ExitedWithCode(0), "ZIN Library is obsolete");
}
