#include "field_walk.h"

#include "scene/compression_opt.h"
#include "scene/fog.h"
#include "scene/lens_flare.h"

using namespace QvZin;

ZIN_FIELD_WALK(CCompressionOpt, ZIN_COMPRESSION_OPT_FIELDS,
               "<Compression>\n\t<Codec>1918990112</Codec>\n\t<Depth>0</Depth>\n\t<Spacial.Quality>512</Spacial.Quality>"
               "\n\t<Temporal.Quality>512</Temporal.Quality>\n\t<Frame.Rate>25.000000</Frame.Rate>"
               "\n\t<Key.Frame.Rate>10</Key.Frame.Rate>\n</Compression>")

ZIN_FIELD_WALK(CZinLensFlare, ZIN_LENS_FLARE_FIELDS,
               "<Lens.Flare Type=\"LensFlare1\">\n\t<Size>1.000000</Size>\n\t<Intensity>1.000000</Intensity>"
               "\n</Lens.Flare>")

ZIN_FIELD_WALK(CZinFog, ZIN_FOG_FIELDS,
               "<Fog>\n\t<Color\n\t\t R=\"221\"\n\t\t G=\"221\"\n\t\t B=\"221\"/>\n\t<Density>0.500000</Density>"
               "\n\t<Start.Distance>50.000000</Start.Distance>\n\t<End.Distance>2500.000000</End.Distance>"
               "\n\t<Altitude>300.000000</Altitude>\n</Fog>")

namespace {

QuorveXML::XIXMLElement* NewOwner(QuorveXML::XCXMLTree& tree) {
  QuorveXML::XCXMLRoot* root = tree.GetRoot();
  return root->AddElement(root->GetKey("Owner"));
}

}  // namespace

TEST(FieldRows, IrregularFields) {
  // The codec default is the four-character code "raw ".
  CCompressionOpt options;
  EXPECT_EQ(0x72617720, options.getCodec());
  options.setFrameRate(0.5);  // below 1.0: 1.0, silently
  EXPECT_EQ(1.0, options.getFrameRate());

  // "Standard" is an older spelling of the first lens flare type: read, never written.
  QuorveXML::XCXMLTree tree;
  QuorveXML::XIXMLElement* owner = NewOwner(tree);
  QuorveXML::XIXMLElement* flare = owner->AddElement(owner->GetKey("Lens.Flare"));
  flare->AddAttribute(flare->GetKey("Type"), "Standard");
  CZinXMLAdd(flare).AddDouble("Size", 2);
  CZinXMLAdd(flare).AddDouble("Intensity", 3);
  CZinLensFlare lens;
  lens.setType(eHalo2);
  CZinXMLGet get(owner);
  lens.initWithXML(get);
  EXPECT_EQ(eLensFlare1, lens.getType());
  EXPECT_EQ(2.0, lens.getSize());
  EXPECT_NE(std::string::npos, QvZinTest::WrittenText(lens).find("Type=\"LensFlare1\""));

  // An unknown label names the table's real first and last labels.
  flare->FindAttribute(flare->GetKey("Type"))->SetValue("Halo3");
  try {
    lens.initWithXML(get);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ("Invalid label (Halo3) [LensFlare1..Halo2]", e.what());
  }
  lens.setType(9);
  try {
    QvZinTest::WrittenText(lens);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ("No label for the value (9) [LensFlare1..Halo2]", e.what());
  }
}

TEST(FieldRows, MissingElementsOnReading) {
  QuorveXML::XCXMLTree tree;
  QuorveXML::XIXMLElement* owner = NewOwner(tree);
  CZinXMLAdd(owner).AddElement("Fog");
  CZinXMLGet get(owner);
  CZinFog fog;
  try {
    fog.initWithXML(get);  // "Active" is a flag (optional); "Color" is required
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ("CZinXMLGet::GetElement - NULL ptr for tag Color", e.what());
  }
  CCompressionOpt options;
  try {
    options.initWithXML(get);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ("CZinXMLGet::GetElement - NULL ptr for tag Compression", e.what());
  }
}

#include "serialization/xml_io.h"

namespace {

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

}  // namespace

TEST(XMLBasicData, ElementEntryPoints) {
  CNamed named;
  named.setName("Chair");
  try {
    named.putInXML(static_cast<QuorveXML::XIXMLElement*>(nullptr));
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ("exception (pointer is NULL)", e.what());
  }
  EXPECT_THROW(named.initWithXML(static_cast<QuorveXML::XIXMLElement*>(nullptr)), std::runtime_error);
  QuorveXML::XCXMLTree tree;
  QuorveXML::XIXMLElement* owner = NewOwner(tree);
  IZinBasicData* basic = &named;
  EXPECT_EQ(0, basic->putInXML(owner));
  CNamed copy;
  EXPECT_EQ(0, static_cast<IZinBasicData*>(&copy)->initWithXML(owner));
  EXPECT_STREQ("Chair", copy.getName());
}
