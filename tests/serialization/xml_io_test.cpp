#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/string.h"
#include "serialization/text_form.h"
#include "serialization/xml_add.h"
#include "serialization/xml_get.h"
#include "test_support.h"
#include "xml/root.h"
#include "xml/tree.h"

using namespace QvZin;
using namespace QvZinTest;
using QuorveXML::XIXMLElement;

namespace {

// A document with one element "Obj" to write into and read from.
class ElementIO : public ::testing::Test {
protected:
  ElementIO() {
    QuorveXML::XCXMLRoot* root = mTree.GetRoot();
    mElement = root->AddElement(root->GetKey("Obj"));
  }
  std::string Text() {
    CStringWriteStream stream;
    mElement->Write(&stream);
    return stream.mText;
  }
  QuorveXML::XCXMLTree mTree;
  XIXMLElement* mElement = nullptr;
};

const CZinLabel kModes[] = {{"Off", 0}, {"On", 1}, {"Auto", 2}, {"Also.On", 1}, {nullptr, 0}};

struct CFloatTable final : ITable {
  ZinResult QueryInterface(const CZinUUID&, void**) override { return kZinNoInterface; }
  int32_t AddRef() override { return 1; }
  int32_t Release() override { return 1; }
  IZinObjectLink* getObjectLink() override { return nullptr; }
  IZinBasicData* getBasicData() override { return nullptr; }
  int32_t getLength() override { return static_cast<int32_t>(values.size()); }
  void setLength(int32_t n) override { values.resize(n < 0 ? 0 : static_cast<size_t>(n)); }
  float getValue(int32_t i) override { return i >= 0 && i < getLength() ? values[static_cast<size_t>(i)] : 0; }
  void setValue(int32_t i, float v) override {
    if (i >= 0 && i < getLength()) values[static_cast<size_t>(i)] = v;
  }
  void copy(ITable* from) override {
    if (!from) return;
    setLength(from->getLength());
    for (int32_t i = 0; i < getLength(); ++i) setValue(i, from->getValue(i));
  }
  std::vector<float> values;
};

}  // namespace

TEST_F(ElementIO, ScalarsByteExactAndBack) {
  CZinXMLAdd add(mElement);
  add.AddDouble("Focal", 35);
  add.AddInteger("Count", -12);
  add.AddInteger64("Big", 1234567890123LL);
  add.AddFloat("Ratio", 0.25f);
  add.AddBool("On", true);
  add.AddBool("Off", false);
  add.AddFmtData("Fmt", "%s-%d", "a", 5);
  add.AddFmtAttribute("Attr", "%05.1f", 2.25);
  add.AddUUID("UUID", CZinUUID::fromText("c004284570564264af20152f86a9d67e"));
  add.AddAttributeLabel("Mode", 1, kModes);
  EXPECT_EQ(
      "<Obj\n\t Attr=\"002.2\"\n\t UUID=\"C004284570564264AF20152F86A9D67E\"\n\t Mode=\"On\">"
      "\n\t<Focal>35.000000</Focal>\n\t<Count>-12</Count>\n\t<Big>1234567890123</Big>"
      "\n\t<Ratio>0.250000</Ratio>\n\t<On/>\n\t<Fmt>a-5</Fmt>\n</Obj>",
      Text());

  CZinXMLGet get(mElement);
  EXPECT_EQ(35.0, get.GetDouble("Focal"));
  EXPECT_EQ(-12, get.GetInteger("Count"));
  EXPECT_EQ(1234567890123LL, get.GetInteger64("Big"));
  EXPECT_EQ(0.25f, get.GetFloat("Ratio"));
  EXPECT_TRUE(get.HasElement("On"));
  EXPECT_FALSE(get.HasElement("Off"));
  EXPECT_STREQ("002.2", get.GetAttribute("Attr"));
  EXPECT_EQ(nullptr, get.GetAttribute("Missing"));
  EXPECT_EQ(CZinUUID::fromText("C004284570564264AF20152F86A9D67E"), get.GetUUID("UUID"));
  EXPECT_EQ(1, get.GetAttributeLabel("Mode", kModes));
  double scanned = 0;
  get.GetFmtAttribute("Attr", "%lf", &scanned);
  EXPECT_EQ(2.2, scanned);
  EXPECT_EQ(mElement->FindElement(mElement->GetKey("Focal")), add.ReuseElement("Focal"));
}

// Coordinates take a path of their own below 2^43; printf is the reference on both
// sides of it: ties rounded to even, negative zero, values below half a millionth,
// subnormals, and random bit patterns and magnitudes.
TEST(NumberText, SixDecimalsAsPrintfWritesThem) {
  auto expect = [](double value) {
    char ours[kNumberTextSize], printed[kNumberTextSize];
    const size_t length = FormatLf(value, ours);
    std::snprintf(printed, sizeof printed, "%lf", value);
    ASSERT_STREQ(printed, ours) << std::hexfloat << value;
    ASSERT_EQ(std::strlen(ours), length);
  };
  const double edges[] = {0.0, 1.0 / 128, 3.0 / 128, 0.0000005, 0.0000015, 4.76837158203125e-07, 5e-324, 1e-300,
                          0.9999995, 999999.9999995, 0.1, 2.0 / 3, 1e-7, 4.9999999999999996e-07,
                          8796093022207.999, 8796093022208.0, 8796093022208.5, 1e13, 1e300, HUGE_VAL, NAN};
  for (double value : edges) {
    expect(value);
    expect(-value);
  }
  std::mt19937_64 random(7);
  for (int i = 0; i < 100000; ++i) {
    uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    expect(value);
    expect(std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 90)));
    expect(static_cast<double>(static_cast<int64_t>(random() % 4000000000000ULL) - 2000000000000LL) / 128);
  }
}

TEST_F(ElementIO, LabelTables) {
  CZinXMLAdd add(mElement);
  // The first row of a value wins on writing, the first row of a label on reading.
  add.AddAttributeLabel("A", 1, kModes);
  mElement->AddAttribute(mElement->GetKey("B"), "Also.On");
  mElement->AddAttribute(mElement->GetKey("C"), "on");
  CZinXMLGet get(mElement);
  EXPECT_STREQ("On", get.GetAttribute("A"));
  EXPECT_EQ(1, get.GetAttributeLabel("B", kModes));
  EXPECT_EQ("Invalid label (on) [Off..Also.On]", ErrorOf([&] { get.GetAttributeLabel("C", kModes); }));
  EXPECT_EQ("No label for the value (7) [Off..Also.On]", ErrorOf([&] { add.AddAttributeLabel("D", 7, kModes); }));
  EXPECT_EQ("CZinXMLGet::GetAttributeLabel - NULL ptr for tag Z",
            ErrorOf([&] { get.GetAttributeLabel("Z", kModes); }));
}

TEST_F(ElementIO, CompositeValues) {
  CZinXMLAdd add(mElement);
  add.AddColor("Color", CZinColor(1, 2, 255));
  const double xyz[3] = {1.5, -2, 1e-7};
  add.AddXYZ("Position", xyz);
  const double xy[2] = {3, 4};
  add.AddXY("Corner", xy);
  const double triangle[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  add.AddTriangle("Tri", triangle);
  double matrix[16];
  for (int i = 0; i < 16; ++i) matrix[i] = i * 0.5;
  add.AddZinMatrix("Matrix", matrix);
  CZinTimeValue time{6, 21, 12, 30, 2024};
  add.AddTime("Date", time);
  CZinPlaceValue place{1000, 45, 120, true};
  add.AddPlace(place);
  const std::string text = Text();
  EXPECT_NE(std::string::npos, text.find("<Color\n\t\t R=\"1\"\n\t\t G=\"2\"\n\t\t B=\"255\"/>"));
  EXPECT_NE(std::string::npos, text.find("Z=\"0.000000\"/>"));
  EXPECT_NE(std::string::npos, text.find("<Line Index=\"1\">2.000000, 2.500000, 3.000000, 3.500000</Line>"));
  EXPECT_NE(std::string::npos, text.find("<Month>6</Month>\n\t\t<Day>21</Day>\n\t\t<Hour>12</Hour>"));
  EXPECT_NE(std::string::npos, text.find("<TimeZone>120</TimeZone>\n\t\t<Daylight/>"));

  CZinXMLGet get(mElement);
  EXPECT_EQ(CZinColor(1, 2, 255), get.GetColor("Color"));
  std::vector<double> readXYZ(3), readXY(2), readTriangle(9), readMatrix(16);
  get.GetXYZ("Position", readXYZ.data());
  EXPECT_EQ((std::vector<double>{1.5, -2, 0}), readXYZ);  // six decimals on the way
  get.GetXY("Corner", readXY.data());
  EXPECT_EQ((std::vector<double>{3, 4}), readXY);
  get.GetTriangle("Tri", readTriangle.data());
  EXPECT_EQ(std::vector<double>(triangle, triangle + 9), readTriangle);
  get.GetZinMatrix("Matrix", readMatrix.data());
  EXPECT_EQ(std::vector<double>(matrix, matrix + 16), readMatrix);
  CZinTimeValue readTime;
  get.GetTime("Date", readTime);
  EXPECT_EQ(time, readTime);
  CZinPlaceValue readPlace;
  get.GetPlace(readPlace);
  EXPECT_EQ(place, readPlace);
}

TEST_F(ElementIO, OlderForms) {
  // The older colour form, and a place whose zone is in hours.
  CZinXMLAdd add(mElement);
  CZinXMLAdd old(add.AddElement("Color"));
  old.AddInteger("Red", 10);
  old.AddInteger("Green", 300);  // truncated to a byte
  old.AddInteger("Blue", 30);
  CZinXMLAdd place(add.AddElement("Place"));
  place.AddInteger("Longitude", 10);
  place.AddInteger("Latitude", 50);
  place.AddInteger("TimeZone", 2);
  CZinXMLAdd(add.AddElement("Time")).AddInteger("Month", 3);
  CZinXMLGet get(mElement);
  EXPECT_EQ(CZinColor(10, 44, 30), get.GetColor("Color"));
  CZinPlaceValue p;
  get.GetPlace(p);
  EXPECT_EQ(120, p.timeZone);
  EXPECT_FALSE(p.daylight);
  // A longitude of 1000, or a zone of 13, means the zone is already in minutes.
  XIXMLElement* placeElement = mElement->FindElement(mElement->GetKey("Place"));
  placeElement->FindElement(mElement->GetKey("Longitude"))->GetData()->SetText("1000");
  get.GetPlace(p);
  EXPECT_EQ(2, p.timeZone);
  placeElement->FindElement(mElement->GetKey("Longitude"))->GetData()->SetText("10");
  placeElement->FindElement(mElement->GetKey("TimeZone"))->GetData()->SetText("-13");
  get.GetPlace(p);
  EXPECT_EQ(-13, p.timeZone);
  CZinTimeValue t{1, 2, 3, 4, 1999};
  EXPECT_EQ("CZinXMLGet::GetElement - NULL ptr for tag Day", ErrorOf([&] { get.GetTime("Time", t); }));
  // "Year" may be missing: the year stays.
  CZinXMLAdd time(mElement->FindElement(mElement->GetKey("Time")));
  for (const char* tag : {"Day", "Hour", "Minute"}) time.AddInteger(tag, 5);
  get.GetTime("Time", t);
  EXPECT_EQ((CZinTimeValue{3, 5, 5, 5, 1999}), t);
}

TEST_F(ElementIO, TablesAndStrings) {
  CFloatTable table;
  table.values = {0.5f, 1.25f, -3};
  CZinXMLAdd add(mElement);
  add.AddTable("Table", &table);
  CZinString text;
  text.set(ZinLanguageCode("en"), "Hello");
  text.set(0x0041, "no first letter: not written");
  text.set(ZinLanguageCode("fr"), "Bonjour");
  add.AddString("Name", &text);
  EXPECT_NE(std::string::npos, Text().find("<Name\n\t\t en=\"Hello\"\n\t\t fr=\"Bonjour\"/>"));
  EXPECT_NE(std::string::npos, Text().find("<Table Length=\"3\">\n\t\t<Float>0.500000</Float>"));

  CZinXMLGet get(mElement);
  CFloatTable back;
  get.GetTable("Table", &back);
  EXPECT_EQ(table.values, back.values);
  CZinString backText;
  get.GetString("Name", &backText);
  EXPECT_EQ(2u, backText.getCount());
  EXPECT_STREQ("Bonjour", backText.get(ZinLanguageCode("fr")));
  get.GetString("Missing", &backText);  // leaves it unchanged
  EXPECT_EQ(2u, backText.getCount());
  EXPECT_STREQ("Hello", get.GetAttributeLanguage("Name"));

  // A shorter "Length" reads that many; one that the "Float" children do not back
  // fails without growing the table to the announced size.
  XIXMLElement* t = mElement->FindElement(mElement->GetKey("Table"));
  t->FindAttribute(t->GetKey("Length"))->SetValue("2");
  get.GetTable("Table", &back);
  EXPECT_EQ((std::vector<float>{0.5f, 1.25f}), back.values);
  t->FindAttribute(t->GetKey("Length"))->SetValue("2147483647");
  EXPECT_EQ("CZinXMLGet::GetTable 1 - NULL ptr", ErrorOf([&] { get.GetTable("Table", &back); }));
  EXPECT_EQ(3u, back.values.size());
  XIXMLElement* f = t->FindElement(t->GetKey("Float"));
  f->GetData()->GetNode()->Delete();
  t->FindAttribute(t->GetKey("Length"))->SetValue("3");
  EXPECT_EQ("CZinXMLGet::GetTable 2 - NULL ptr", ErrorOf([&] { get.GetTable("Table", &back); }));
}

TEST_F(ElementIO, ErrorTexts) {
  CZinXMLAdd add(mElement);
  add.AddElement("Empty");
  add.AddFmtData("NotANumber", "abc");
  CZinXMLAdd matrix(add.AddElement("Matrix"));
  CZinXMLAdd(matrix.AddElement("Line")).GetElement()->AddData("1, 2, 3, 4");
  CZinXMLAdd(matrix.AddElement("Line")).GetElement()->AddData("1, 2, 3");
  CZinXMLAdd shortMatrix(add.AddElement("Short"));
  CZinXMLAdd(shortMatrix.AddElement("Line")).GetElement()->AddData("1, 2, 3, 4");
  add.AddLanguage("NoEn", "x");
  mElement->FindElement(mElement->GetKey("NoEn"))->GetFirstAttribute()->Delete();
  add.AddFmtAttribute("Bad", "G000");
  CZinXMLGet get(mElement);
  const std::string longText(3000, 'x');
  const std::string cases[][2] = {
      {ErrorOf([] { CZinXMLAdd(nullptr); }), "CZinXMLAdd::CZinXMLAdd - NULL ptr"},
      {ErrorOf([] { CZinXMLGet(nullptr); }), "CZinXMLGet::CZinXMLGet - NULL ptr"},
      {ErrorOf([&] { get.GetInteger("Missing"); }), "CZinXMLGet::GetElement - NULL ptr for tag Missing"},
      {ErrorOf([&] { get.GetInteger("Empty"); }), "CZinXMLGet::GetInteger - NULL ptr"},
      {ErrorOf([&] { get.GetInteger64("Empty"); }), "CZinXMLGet::GetInteger64 - NULL ptr"},
      {ErrorOf([&] { get.GetDouble("Empty"); }), "CZinXMLGet::GetDouble - NULL ptr"},
      {ErrorOf([&] { get.GetFloat("Empty"); }), "CZinXMLGet::GetFloat - NULL ptr"},
      {ErrorOf([&] { get.GetInteger64("NotANumber"); }), "exception"},
      {ErrorOf([&] { get.GetUUID("None"); }), "CZinXMLGet::GetUUID - NULL ptr for tag None"},
      {ErrorOf([&] { get.GetUUID("Bad"); }), "Invalid hex value"},
      {ErrorOf([&] { int v; get.GetFmtAttribute("None", "%d", &v); }),
       "CZinXMLGet::GetFmtAttribute - NULL ptr for tag None"},
      {ErrorOf([&] { add.AddFmtData("Long", "%s", longText.c_str()); }),
       "CZinXMLAdd::AddFmtData - Assertion failed for tag Long"},
      {ErrorOf([&] { add.AddFmtAttribute("Long", "%s", longText.c_str()); }),
       "CZinXMLAdd::AddFmtAttribute - Assertion failed for tag Long"},
      {ErrorOf([&] { double m[16]; get.GetZinMatrix("Matrix", m); }),
       "CZinXMLGet::GetZinMatrix - Assertion failed for tag Matrix"},
      {ErrorOf([&] { double m[16]; get.GetZinMatrix("Short", m); }), "CZinXMLGet::GetZinMatrix - NULL ptr"},
      {ErrorOf([&] { get.GetAttributeLanguage("NoEn"); }), "CZinXMLGet::GetAttributeLanguage - NULL ptr"},
      {ErrorOf([&] { get.GetColor("Empty"); }), "CZinXMLGet::GetElement - NULL ptr for tag Red"},
      {ErrorOf([&] { double p[3]; get.GetXYZ("Empty", p); }), "CZinXMLGet::GetFmtAttribute - NULL ptr for tag X"},
  };
  for (const auto& c : cases) EXPECT_EQ(c[1], c[0]);
  EXPECT_FALSE(get.HasElement("Long"));  // nothing added by a failed format
}

TEST_F(ElementIO, CommaLocaleChangesNothing) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
  CZinXMLAdd add(mElement);
  add.AddDouble("D", 1.5);
  add.AddFmtData("F", "%lf", 2.5);
  const double xyz[3] = {0.5, 1.5, 2.5};
  add.AddXYZ("P", xyz);
  CZinXMLGet get(mElement);
  const double d = get.GetDouble("D");
  double p[3];
  get.GetXYZ("P", p);
  const std::string text = Text();
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_NE(std::string::npos, text.find("<D>1.500000</D>"));
  EXPECT_NE(std::string::npos, text.find("<F>2.500000</F>"));
  EXPECT_EQ(1.5, d);
  EXPECT_EQ(2.5, p[2]);
}
