#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/basic_data.h"
#include "recording_link.h"

using namespace QvZin;
using QvZinTest::RecordingLink;
using Texts = std::vector<std::string>;

namespace {

// A client value that counts its references.
struct CCounted final : IUnknown {
  ZinResult QueryInterface(const CZinUUID&, void** out) override { return *out = nullptr, kZinNoInterface; }
  int32_t AddRef() override { return ++mCount, 1; }
  int32_t Release() override { return --mCount, 1; }
  int mCount = 0;
};

const CZinUUID kKeyA = CZinUUID::fromText("A0A0A0A0A0A0A0A0A0A0A0A0A0A0A0A0");
const CZinUUID kKeyB = CZinUUID::fromText("B0B0B0B0B0B0B0B0B0B0B0B0B0B0B0B0");

}  // namespace

TEST(BasicData, IdsNamesAndUserData) {
  RecordingLink link;
  CCounted p, q;
  {
    CZinBasicData first(&link), second(&link);
    EXPECT_NE(*first.getId(), *second.getId());
    EXPECT_FALSE(first.getId()->isNull());
    EXPECT_EQ(2, link.mCount);
    // The stored id, not a copy.
    const CZinUUID* id = first.getId();
    first.setId(kKeyA);
    EXPECT_EQ(kKeyA, *id);
    first.setName("Camera 1");
    first.setName(nullptr);
    EXPECT_STREQ("Camera 1", first.getName());
    EXPECT_EQ(Texts{"CZinBasicData::setName - inName is NULL"}, link.take());
    // Without an owner a null name is refused silently.
    CZinBasicData lonely(nullptr);
    lonely.setName(nullptr);
    EXPECT_STREQ("", lonely.getName());

    // User data: one reference per stored value, borrowed by the getter.
    first.setUserData(kKeyA, &p);
    EXPECT_EQ(&p, first.getUserData(kKeyA));
    EXPECT_EQ(1, p.mCount);
    first.setUserData(kKeyA, &q);  // p released once, q referenced once
    first.setUserData(kKeyA, &q);  // the same value again survives
    EXPECT_EQ(0, p.mCount);
    EXPECT_EQ(1, q.mCount);
    first.setUserData(kKeyB, &p);
    first.setUserData(kKeyB, nullptr);  // null keeps the key with no value
    EXPECT_EQ(nullptr, first.getUserData(kKeyB));
    EXPECT_EQ(0, p.mCount);
    first.setUserData(kKeyB, &p);
    EXPECT_EQ(nullptr, first.getUserData(CZinUUID()));
  }
  // Destruction releases every value and the owner.
  EXPECT_EQ(0, p.mCount);
  EXPECT_EQ(0, q.mCount);
  EXPECT_EQ(0, link.mCount);
}

TEST(BasicData, EmptyRecordWarnsForEverything) {
  RecordingLink link;
  CZinEmptyBasicData empty(&link);
  CCounted value;
  struct Case {
    std::function<bool()> call;  // true when the result is 0 or null
    const char* warning;
  } cases[] = {
      {[&] { return empty.putInXML(nullptr) == 0; }, "CZinEmptyBasicData::putInXML - This class doesn't implement XML"},
      {[&] { return empty.initWithXML(nullptr) == 0; },
       "CZinEmptyBasicData::initWithXML - This class doesn't implement XML"},
      {[&] { return empty.getId() == nullptr; }, "CZinEmptyBasicData::getId - This class doesn't implement id"},
      {[&] { return empty.setId(kKeyA), true; }, "CZinEmptyBasicData::setId - This class doesn't implement id"},
      {[&] { return empty.getName() == nullptr; }, "CZinEmptyBasicData::getName - This class doesn't implement name"},
      {[&] { return empty.setName("x"), true; }, "CZinEmptyBasicData::setName - This class doesn't implement name"},
      {[&] { return empty.getUserXML() == nullptr; },
       "CZinEmptyBasicData::getUserXML - This class doesn't implement user XML"},
      {[&] { return empty.setUserXML(nullptr), true; },
       "CZinEmptyBasicData::setUserXML - This class doesn't implement user XML"},
      {[&] { return empty.getUserData(kKeyA) == nullptr; },
       "CZinEmptyBasicData::getUserData - This class doesn't implement user data"},
      {[&] { return empty.setUserData(kKeyA, &value), value.mCount == 0; },
       "CZinEmptyBasicData::setUserData - This class doesn't implement user data"},
      {[&] { return empty.getUIValue() == 0; },
       "CZinEmptyBasicData::getUIValue - This class doesn't implement UI value"},
      {[&] { return empty.setUIValue(3), true; },
       "CZinEmptyBasicData::setUIValue - This class doesn't implement UI value"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(c.call()) << c.warning;
    EXPECT_EQ(Texts{c.warning}, link.take());
  }
  EXPECT_EQ(&link, empty.getMgrRef());
}
