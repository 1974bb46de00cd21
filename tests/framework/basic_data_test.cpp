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

// A client value that counts its references and records its own destruction.
class CCounted final : public IUnknown {
public:
  explicit CCounted(std::vector<const CCounted*>* released = nullptr) : mReleased(released) {}
  ZinResult QueryInterface(const CZinUUID&, void** out) override {
    if (out) *out = nullptr;
    return kZinNoInterface;
  }
  int32_t AddRef() override {
    ++mCount;
    return 1;
  }
  int32_t Release() override {
    if (--mCount == 0 && mReleased) mReleased->push_back(this);
    return 1;
  }
  int mCount = 0;

private:
  std::vector<const CCounted*>* mReleased;
};

const CZinUUID kKeyA = CZinUUID::fromText("A0A0A0A0A0A0A0A0A0A0A0A0A0A0A0A0");
const CZinUUID kKeyB = CZinUUID::fromText("B0B0B0B0B0B0B0B0B0B0B0B0B0B0B0B0");

}  // namespace

TEST(BasicData, NewRecord) {
  RecordingLink link;
  {
    CZinBasicData first(&link), second(&link);
    EXPECT_NE(*first.getId(), *second.getId());
    EXPECT_FALSE(first.getId()->isNull());
    EXPECT_STREQ("", first.getName());
    EXPECT_EQ(0, first.getUIValue());
    EXPECT_EQ(nullptr, first.getUserData(kKeyA));
    EXPECT_EQ(&link, first.getMgrRef());
    EXPECT_EQ(2, link.mCount);
    EXPECT_TRUE(link.take().empty());
    // The stored id, not a copy.
    const CZinUUID* id = first.getId();
    first.setId(kKeyA);
    EXPECT_EQ(id, first.getId());
    EXPECT_EQ(kKeyA, *id);
    first.setUIValue(-7);
    EXPECT_EQ(-7, first.getUIValue());
  }
  EXPECT_EQ(0, link.mCount);
}

TEST(BasicData, Names) {
  RecordingLink link;
  CZinBasicData data(&link);
  data.setName("Camera 1");
  data.setName(nullptr);
  EXPECT_STREQ("Camera 1", data.getName());
  EXPECT_EQ(Texts{"CZinBasicData::setName - inName is NULL"}, link.take());
  data.setName("");
  EXPECT_STREQ("", data.getName());
  EXPECT_TRUE(link.take().empty());
  // Without an owner a null name is refused silently.
  CZinBasicData lonely(nullptr);
  lonely.setName("x");
  lonely.setName(nullptr);
  EXPECT_STREQ("x", lonely.getName());
  EXPECT_EQ(nullptr, lonely.getMgrRef());
}

TEST(BasicData, UserDataReferences) {
  std::vector<const CCounted*> released;
  CCounted p(&released), q(&released);
  {
    CZinBasicData data(nullptr);
    data.setUserData(kKeyA, &p);
    EXPECT_EQ(1, p.mCount);
    EXPECT_EQ(&p, data.getUserData(kKeyA));  // borrowed: no reference added
    EXPECT_EQ(1, p.mCount);
    data.setUserData(kKeyA, &q);  // p released once, q referenced once
    EXPECT_EQ(0, p.mCount);
    EXPECT_EQ(1, q.mCount);
    EXPECT_EQ(std::vector<const CCounted*>{&p}, released);
    data.setUserData(kKeyA, &q);  // the same value again survives
    EXPECT_EQ(1, q.mCount);
    data.setUserData(kKeyB, &p);
    data.setUserData(kKeyB, nullptr);  // null keeps the key with no value
    EXPECT_EQ(nullptr, data.getUserData(kKeyB));
    EXPECT_EQ(0, p.mCount);
    data.setUserData(kKeyB, &p);
    EXPECT_EQ(nullptr, data.getUserData(CZinUUID()));
    released.clear();
  }
  // Destruction releases every value.
  EXPECT_EQ(0, p.mCount);
  EXPECT_EQ(0, q.mCount);
  EXPECT_EQ(2u, released.size());
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
