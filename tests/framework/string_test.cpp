#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/string.h"
#include "test_support.h"

using namespace QvZin;

namespace {

// A link that only answers the language.
class CLanguageLink final : public IZinMgrRef {
public:
  explicit CLanguageLink(const char* language) { setLanguage(language); }
  ZinResult QueryInterface(const CZinUUID&, void**) override { return kZinNoInterface; }
  int32_t AddRef() override { return ++mCount; }
  int32_t Release() override { return --mCount; }
  IZinMgr* getMgr() override { return nullptr; }
  const char* getLanguage() override { return mLanguage; }
  void setLanguage(const char* l) override {
    mLanguage[0] = l[0];
    mLanguage[1] = l[1];
  }
  const double* getTransformation() override { return nullptr; }
  void setTransformation(const double*) override {}
  void transformMatrix(double*) override {}
  void transformVector(double*) override {}
  void transformPoint(double*) override {}
  IZinObjectLinkRef* getLinkRef() override { return this; }
  IZinObjectLink* getParentLink() override { return nullptr; }
  IZinWarning* getWarning() override { return this; }
  IZinWarning* getDocumentWarning() override { return this; }
  void warning(const char*) override {}
  void exception(const char*, const std::exception&) override {}
  void otherException(const char*) override {}
  int32_t mCount = 0;

private:
  char mLanguage[3] = {};
};

}  // namespace

TEST(ZinString, LanguageRules) {
  CLanguageLink link("fr");
  {
    CZinString text(&link);
    EXPECT_EQ(1, link.mCount);
    EXPECT_STREQ("", text.get());  // empty string
    text.set(ZinLanguageCode("en"), "hello");
    EXPECT_EQ(0x656Eu, ZinLanguageCode("en"));
    // Only another language: get() falls back to the first entry.
    EXPECT_STREQ("hello", text.get());
    text.set("bonjour");  // the current language
    EXPECT_STREQ("bonjour", text.get());
    EXPECT_STREQ("hello", text.get(0x656E));
    EXPECT_EQ(nullptr, text.get(ZinLanguageCode("de")));
    text.set(0x656E, "hi");  // replaces in place
    ASSERT_EQ(2u, text.getCount());
    EXPECT_EQ(0x656Eu, text.getLanguageAt(0));
    EXPECT_EQ(ZinLanguageCode("fr"), text.getLanguageAt(1));
    EXPECT_EQ(0u, text.getLanguageAt(2));
    EXPECT_STREQ("hi", text.get(0x656E));

    text.set(0x656E, nullptr);  // removes
    text.set(0x1234, nullptr);  // nothing to remove
    EXPECT_EQ(1u, text.getCount());

    CZinString other(&link);
    other.set(1, "a");
    other.copy(&text);
    EXPECT_EQ(1u, other.getCount());
    EXPECT_STREQ("bonjour", other.get());
    text.clear();
    EXPECT_EQ(0u, text.getCount());
  }
  EXPECT_EQ(0, link.mCount);
}

TEST(ZinString, WithoutOwner) {
  CZinString text;
  text.set(0x656E, "x");
  EXPECT_STREQ("x", text.get(0x656E));
  EXPECT_EQ("TZinComPtr::operator->() - Dereferencing NULL", QvZinTest::ErrorOf([&] { text.get(); }));
  EXPECT_EQ("TZinComPtr::operator->() - Dereferencing NULL", QvZinTest::ErrorOf([&] { text.set("y"); }));
}
