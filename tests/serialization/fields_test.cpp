#include "field_walk.h"

#include <cmath>

#include "framework/scene_object.h"
#include "scene/compression_opt.h"
#include "scene/effects_texts.h"
#include "scene/fog.h"
#include "scene/lens_flare.h"
#include "serialization/xml_io.h"

using namespace QvZin;
using namespace QvZinTest;

ZIN_FIELD_WALK(CCompressionOpt, kCompressionText)
ZIN_FIELD_WALK(CZinLensFlare, kLensFlareText)
ZIN_FIELD_WALK(CZinFog, FogText())

// ---- a class with a row of every form and part kind: the walk of the walk

namespace {

const CZinLabel kModes[] = {{"Off", 0}, {"On", 1}, {"Auto", 2}, {nullptr, 0}};

// A non-finite angle keeps the previous one: the hook of rules that need it.
double FiniteAngle(double value, const double& previous) { return std::isfinite(value) ? value : previous; }

class IEveryForm {
public:
  virtual int32_t getCount() = 0;
  virtual void setCount(int32_t) = 0;
  virtual int64_t getBig() = 0;
  virtual void setBig(int64_t) = 0;
  virtual float getRatio() = 0;
  virtual void setRatio(float) = 0;
  virtual double getScale() = 0;
  virtual void setScale(double) = 0;
  virtual bool getShown() = 0;
  virtual void setShown(bool) = 0;
  virtual const CZinColor& getTint() = 0;
  virtual void setTint(const CZinColor&) = 0;
  virtual const CZinVector3D& getWhere() = 0;
  virtual void setWhere(const CZinVector3D&) = 0;
  virtual const CZinVector2D& getSpot() = 0;
  virtual void setSpot(const CZinVector2D&) = 0;
  virtual const CZinUUID& getTarget() = 0;
  virtual void setTarget(const CZinUUID&) = 0;
  virtual const CZinUUID& getId() = 0;
  virtual void setId(const CZinUUID&) = 0;
  virtual const char* getUrl() = 0;
  virtual void setUrl(const char*) = 0;
  virtual const char* getTitle() = 0;
  virtual void setTitle(const char*) = 0;
  virtual const char* getEngine() = 0;
  virtual void setEngine(const char*) = 0;
  virtual int32_t getMode() = 0;
  virtual void setMode(int32_t) = 0;
  virtual int32_t getStep() = 0;
  virtual void setStep(int32_t) = 0;
  virtual double getAngle() = 0;
  virtual void setAngle(double) = 0;

protected:
  ~IEveryForm() = default;
};

using CCorners = TZinArray<CZinVector2D, 3>;

#define EVERY_FORM_FIELDS(F, P)                                                                             \
  F(int32_t, Count, "Count", 7, ZinInt(), Clamp(0, 10))                                                      \
  F(int64_t, Big, "Big", int64_t(1) << 40, ZinInt64(), Keep())                                               \
  F(float, Ratio, "Ratio", 0.5f, ZinFloat(), AtLeast(0.0f).warns("Ratio must not be negative"))            \
  F(double, Scale, "Scale", 0.25, ZinDouble(), Clamp(-1.0, 1.0).prefixed("class Every: ").whileAttached()) \
  F(bool, Shown, "Shown", true, ZinFlag(), Keep())                                                           \
  F(CZinColor, Tint, "Tint", CZinColor(1, 2, 3), ZinColour(), Keep())                                      \
  F(CZinVector3D, Where, "Where", CZinVector3D(1, -2, 3.5), ZinPoint(), Keep())                             \
  F(CZinVector2D, Spot, "Spot", CZinVector2D(-1, 0.5), ZinXY(), Keep())                                     \
  F(CZinUUID, Target, "Target", CZinUUID(), ZinId(), Keep())                                                 \
  F(CZinUUID, Id, "UUID", CZinNewId(), ZinId(), Keep())                                                      \
  F(std::string, Url, "URL", "", ZinText(), Keep())                                                          \
  F(std::string, Title, "Title", "Untitled", ZinName(), Keep())                                              \
  F(std::string, Engine, "Engine", "", ZinName{"Identifier"}, Keep())                                        \
  F(int32_t, Mode, "Mode", 1, ZinLabel{kModes}, Clamp(0, 2).silent().orElse(0))                            \
  F(int32_t, Step, "Step", 10, ZinUnder("Grid", ZinInt()), ZeroBecomes(1))                                  \
  F(double, Angle, "Angle", 90.0, ZinUnder("Grid", ZinDouble()), Custom(FiniteAngle))                       \
  P(CZinIdList, Groups, "Groups", ZinIds("Group"))                                                           \
  P(TZinOptional<CZinVector3D>, Up, "Up", ZinOptional(ZinPoint()))                                          \
  P(CCorners, Corners, "Corners", ZinArray("Corner", ZinXY()))                                               \
  P(CZinFog, Fog, "Fog", ZinUnder("Sky", ZinPart()))                                                         \
  P(CZinLensFlare, Flare, "Lens.Flare", ZinPart().optional())                                                \
  P(CCompressionOpt, Movie, nullptr, ZinInline())                                                            \
  P(CZinUserXML, Extra, "Extra", ZinCopy())


class CEveryForm final : public TZinSettings<IEveryForm> {
  ZIN_FIELDS(EVERY_FORM_FIELDS)
};

// A counted object whose element holds pieces of its basic data among its rows.
class IEveryBasic : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("5E0B7A44C1D24F0F9D2A7B61C3E8F001");
  virtual int32_t getLevel() = 0;
  virtual void setLevel(int32_t) = 0;
};

#define EVERY_BASIC_FIELDS(F, P)                                  \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                  \
  F(int32_t, Level, "Level", 3, ZinInt(), Clamp(1, 5))            \
  P(CZinBasicPart, UIValue, "UI.Value", ZinBasicUIValue())        \
  P(CZinIdList, Layers, "Layers", ZinIds("Layer"))                \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())

class CEveryBasic final : public TZinSceneObject<IEveryBasic> {
public:
  explicit CEveryBasic(IZinMgrRef* owner) : TZinSceneObject(owner, "Basic 1") { linkParts(getMgrRef()); }
  ZIN_FIELDS(EVERY_BASIC_FIELDS)
};

}  // namespace

namespace {

std::string EveryText() {
  return "<Every\n\t Target=\"" + kZeroId + "\"\n\t UUID=\"" + kZeroId +
         "\"\n\t Mode=\"On\">\n\t<Count>7</Count>\n\t<Big>1099511627776</Big>\n\t<Ratio>0.500000</Ratio>"
         "\n\t<Scale>0.250000</Scale>\n\t<Shown/>" + Child(Colour("Tint", 1, 2, 3)) +
         Child(Point("Where", "1.000000", "-2.000000", "3.500000")) + Child(Point("Spot", "-1.000000", "0.500000")) +
         "\n\t<URL></URL>\n\t<Title en=\"Untitled\"/>\n\t<Engine Identifier=\"\"/>"
         "\n\t<Grid>\n\t\t<Step>10</Step>\n\t\t<Angle>90.000000</Angle>\n\t</Grid>\n\t<Groups/>" +
         Child("<Corners>" + Child(Point("Corner", "0.000000", "0.000000")) + Child(Point("Corner", "0.000000", "0.000000")) +
               Child(Point("Corner", "0.000000", "0.000000")) + "\n</Corners>") +
         Child("<Sky>" + Child(FogText()) + "\n</Sky>") + Child(kLensFlareText) +
         Replaced(Replaced(kCompressionText, "<Compression>", ""), "\n</Compression>", "") + "\n\t<Extra/>\n</Every>";
}

}  // namespace

ZIN_FIELD_WALK(CEveryForm, EveryText())

ZIN_FIELD_WALK(CEveryBasic,
               "<Basic UUID=\"00000000000000000000000000000000\">\n\t<Name en=\"Basic 1\"/>\n\t<Level>3</Level>"
               "\n\t<UI.Value>0</UI.Value>\n\t<Layers/>\n</Basic>")

namespace {

// Reads the element text into a new CEveryForm, first written by a new one and
// then edited by edit.
std::string ReadEdited(const std::function<void(QuorveXML::XIXMLElement*)>& edit, CEveryForm& into) {
  Document document;
  CEveryForm fresh;
  QuorveXML::XIXMLElement* element = WriteRows(document, "Every", fresh);
  edit(element);
  return ErrorOf([&] { ReadRows(element, into); });
}

void Remove(QuorveXML::XIXMLElement* parent, const char* name) {
  parent->FindElement(parent->GetKey(name))->GetNode()->Delete();
}

}  // namespace

TEST(FieldRows, WhatReadingRequiresAndWhatItForgives) {
  struct Case {
    const char* what;
    std::function<void(QuorveXML::XIXMLElement*)> edit;
    std::string error;
  };
  auto remove = [](const char* name) { return [name](QuorveXML::XIXMLElement* e) { Remove(e, name); }; };
  const Case cases[] = {
      {"a value element", remove("Count"), "CZinXMLGet::GetElement - NULL ptr for tag Count"},
      {"an id attribute",
       [](QuorveXML::XIXMLElement* e) { e->FindAttribute(e->GetKey("UUID"))->Delete(); },
       "CZinXMLGet::GetUUID - NULL ptr for tag UUID"},
      {"a text element", remove("URL"), "CZinXMLGet::GetElement - NULL ptr for tag URL"},
      {"a name's attribute",
       [](QuorveXML::XIXMLElement* e) {
         QuorveXML::XIXMLElement* title = e->FindElement(e->GetKey("Title"));
         title->FindAttribute(title->GetKey("en"))->Delete();
       },
       "CZinXMLGet::GetAttributeLanguage - NULL ptr"},
      {"another text attribute",
       [](QuorveXML::XIXMLElement* e) {
         QuorveXML::XIXMLElement* engine = e->FindElement(e->GetKey("Engine"));
         engine->FindAttribute(engine->GetKey("Identifier"))->Delete();
       },
       "CZinXMLGet::GetAttributeText - NULL ptr for tag Identifier"},
      {"the parent of rows", remove("Grid"), "CZinXMLGet::GetElement - NULL ptr for tag Grid"},
      {"an array element", remove("Corners"), "CZinXMLGet::GetElement - NULL ptr for tag Corners"},
      {"a part's element", remove("Sky"), "CZinXMLGet::GetElement - NULL ptr for tag Sky"},
      {"an unknown label", [](QuorveXML::XIXMLElement* e) { e->FindAttribute(e->GetKey("Mode"))->SetValue("on"); },
       "Invalid label (on) [Off..Auto]"},
      // Forgiven: an id list, an optional value, an optional part, a user block.
      {"an id list", remove("Groups"), "<no exception>"},
      {"an optional part", remove("Lens.Flare"), "<no exception>"},
      {"a user block", remove("Extra"), "<no exception>"},
      {"an array's items",
       [](QuorveXML::XIXMLElement* e) {
         QuorveXML::XIXMLElement* corners = e->FindElement(e->GetKey("Corners"));
         Remove(corners, "Corner");
         corners->AddElement(corners->GetKey("Other"));
       },
       "<no exception>"},
  };
  for (const Case& c : cases) {
    CEveryForm into;
    EXPECT_EQ(c.error, ReadEdited(c.edit, into)) << c.what;
  }
}

TEST(FieldRows, ListsArraysAndTextsAsFilesHoldThem) {
  Document document;
  CEveryForm object;
  QuorveXML::XIXMLElement* element = WriteRows(document, "Every", object);
  // Extra items beyond the array's length are not read; other children of a list
  // are skipped; an element written with an empty text may come back without one.
  QuorveXML::XIXMLElement* corners = element->FindElement(element->GetKey("Corners"));
  for (int i = 0; i < 3; ++i) Remove(corners, "Corner");
  for (const char* x : {"1", "2", "3", "4"}) {
    QuorveXML::XIXMLElement* corner = corners->AddElement(corners->GetKey("Corner"));
    corner->AddAttribute(corner->GetKey("X"), x);
    corner->AddAttribute(corner->GetKey("Y"), "0.5");
  }
  QuorveXML::XIXMLElement* groups = element->FindElement(element->GetKey("Groups"));
  for (const char* id : {"00000000000000000000000000000001", "00000000000000000000000000000002"}) {
    groups->AddElement(groups->GetKey("Other"))->AddAttribute(groups->GetKey("UUID"), "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF");
    groups->AddElement(groups->GetKey("Group"))->AddAttribute(groups->GetKey("UUID"), id);
  }
  Remove(element, "URL");
  element->AddElement(element->GetKey("URL"));
  object.setUrl("old");
  ReadRows(element, object);
  CCorners& read = object.partCorners();
  EXPECT_EQ("1.000000/0.500000 2.000000/0.500000 3.000000/0.500000 ", PartText(read));
  EXPECT_EQ("00000000000000000000000000000001 00000000000000000000000000000002 ",
            PartText(object.partGroups()));
  EXPECT_STREQ("", object.getUrl());
  // A null text is stored as the empty text.
  object.setTitle(nullptr);
  EXPECT_STREQ("", object.getTitle());
}

TEST(FieldRows, IndexedValuesWarnOutsideTheirRange) {
  RecordingLink link;
  CCorners corners;
  corners.set(2, CZinVector2D(1, 2), "setCorner", &link);
  corners.set(3, CZinVector2D(5, 5), "setCorner", &link);
  corners.set(-1, CZinVector2D(5, 5), "setCorner", &link);
  EXPECT_EQ(CZinVector2D(1, 2), corners.get(2, "getCorner", &link));
  EXPECT_EQ(CZinVector2D(), corners.get(3, "getCorner", &link));
  EXPECT_EQ(CZinVector2D(), corners.get(3, "getCorner", nullptr));  // no link: no word
  EXPECT_EQ((std::vector<std::string>{"setCorner: index out of range", "setCorner: index out of range",
                                      "getCorner: index out of range"}),
            link.take());
}

TEST(FieldRows, LabelsAndTheirOlderSpellings) {
  // "Standard" is an older spelling of the first lens flare type: read, never written.
  Document document;
  QuorveXML::XIXMLElement* flare = document.owner->AddElement(document.owner->GetKey("Lens.Flare"));
  flare->AddAttribute(flare->GetKey("Type"), "Standard");
  CZinXMLAdd(flare).AddDouble("Size", 2);
  CZinXMLAdd(flare).AddDouble("Intensity", 3);
  CZinLensFlare lens;
  lens.setType(eHalo2);
  ReadRows(flare, lens);
  EXPECT_EQ(eLensFlare1, lens.getType());
  EXPECT_EQ(2.0, lens.getSize());
  Document written;
  EXPECT_NE(std::string::npos, TextOf(WriteRows(written, "Lens.Flare", lens)).find("Type=\"LensFlare1\""));

  // An unknown label names the table's real first and last labels.
  flare->FindAttribute(flare->GetKey("Type"))->SetValue("Halo3");
  EXPECT_EQ("Invalid label (Halo3) [LensFlare1..Halo2]", ErrorOf([&] { ReadRows(flare, lens); }));
  lens.setType(9);
  Document again;
  EXPECT_EQ("No label for the value (9) [LensFlare1..Halo2]",
            ErrorOf([&] { WriteRows(again, "Lens.Flare", lens); }));
}

TEST(FieldRows, UserBlocksAreCopiedWhole) {
  // A block read from a document is a copy: the document may go, the block stays.
  CZinUserXML block;
  EXPECT_TRUE(block.empty());
  {
    Document source;
    QuorveXML::XIXMLElement* data = source.owner->AddElement(source.owner->GetKey("Data"));
    data->AddAttribute(data->GetKey("Version"), "2");
    data->AddElement(data->GetKey("Deep"))->AddElement(data->GetKey("Deeper"))->AddData("x < y");
    block.copyFrom(data, "Extended.Datas");
  }
  Document out;
  CZinXMLAdd owner(out.owner);
  block.putCopy(owner, "Extended.Datas");
  block.putCopy(owner, "Extended.Datas");  // a copy each time: the block keeps its own
  EXPECT_EQ("<Owner>\n\t<Extended.Datas Version=\"2\">\n\t\t<Deep>\n\t\t\t<Deeper>x &lt; y</Deeper>\n\t\t</Deep>"
            "\n\t</Extended.Datas>\n\t<Extended.Datas Version=\"2\">\n\t\t<Deep>\n\t\t\t<Deeper>x &lt; y</Deeper>"
            "\n\t\t</Deep>\n\t</Extended.Datas>\n</Owner>",
            TextOf(out.owner));
  // Copying the block onto itself keeps it; an element with nothing in it empties it.
  block.copyFrom(block.element("Extended.Datas"), "Extended.Datas");
  EXPECT_FALSE(block.empty());
  block.copyFrom(out.owner->AddElement(out.owner->GetKey("Nothing")), "Extended.Datas");
  EXPECT_TRUE(block.empty());
}

TEST(XMLBasicData, ElementEntryPoints) {
  // An object whose element form is one name child.
  class CNamed final : public CZinXMLBasicData {
  public:
    CNamed() : CZinXMLBasicData(nullptr) {}
    using CZinXMLBasicData::initWithXML;
    using CZinXMLBasicData::putInXML;
    int32_t putInXML(CZinXMLIO& io) override {
      io.writer().AddLanguage("Name", getName());
      return 0;
    }
    int32_t initWithXML(CZinXMLIO& io) override {
      setName(io.reader().GetAttributeLanguage("Name"));
      return 0;
    }
  };
  CNamed named;
  named.setName("Chair");
  EXPECT_EQ("exception (pointer is NULL)",
            ErrorOf([&] { named.putInXML(static_cast<QuorveXML::XIXMLElement*>(nullptr)); }));
  EXPECT_THROW(named.initWithXML(static_cast<QuorveXML::XIXMLElement*>(nullptr)), std::runtime_error);
  Document document;
  IZinBasicData* basic = &named;
  EXPECT_EQ(0, basic->putInXML(document.owner));
  CNamed copy;
  EXPECT_EQ(0, static_cast<IZinBasicData*>(&copy)->initWithXML(document.owner));
  EXPECT_STREQ("Chair", copy.getName());
  // An element without the name: a failure code, not a throw (no link: no warning).
  Document nameless;
  EXPECT_EQ(kZinFail, static_cast<IZinBasicData*>(&copy)->initWithXML(nameless.owner));
  EXPECT_STREQ("Chair", copy.getName());
}
