#include "serialization/field_walk.h"

#include <cmath>
#include <functional>
#include <limits>

#include "scene/animatable_values.h"
#include "scene/heliodon.h"
#include "scene/effects_texts.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

const char kTimeText[] =
    "<Time>\n\t<Month>0</Month>\n\t<Day>0</Day>\n\t<Hour>0</Hour>\n\t<Minute>0</Minute>\n\t<Year>0</Year>\n</Time>";
const char kPlaceText[] =
    "<Place>\n\t<Longitude>0</Longitude>\n\t<Latitude>0</Latitude>\n\t<TimeZone>0</TimeZone>\n</Place>";
const char kGodRaysText[] = "<God.Rays>\n\t<Power>1.000000</Power>\n</God.Rays>";

std::string SkylightText() {
  return "<Sky.Light Sky.Type=\"Automatic\">\n\t<Factor>0.500000</Factor>" + Child(White("Color")) +
         "\n\t<Pollution>0.200000</Pollution>" + Child(White("Sky.Mix.Color")) + "\n</Sky.Light>";
}

std::string ColorsText() {
  std::string text = "<Colors>";
  for (const CZinColor& c : CZinSunColors::kDefaults) text += Child(Colour("Sun.Color", c.red, c.green, c.blue));
  return text + "\n</Colors>";
}

std::string HeliodonText(const std::string& id = kZeroId) {
  return "<Heliodon\n\t UUID=\"" + id +
         "\"\n\t Placement.Kind=\"Date.And.Place\"\n\t Color.Type=\"Automatic\">\n\t<Active/>" + Child(kTimeText) +
         Child(kPlaceText) +
         "\n\t<Sunshine>0.500000</Sunshine>\n\t<North.Angle>0.000000</North.Angle>\n\t<Theta>0.000000</Theta>"
         "\n\t<Phi>0.785398</Phi>\n\t<Shadow/>\n\t<Shadow.Power>0.800000</Shadow.Power>\n\t<Sun.Blur>0</Sun.Blur>"
         "\n\t<Global.Illumination.Power>0.500000</Global.Illumination.Power>"
         "\n\t<Global.Illumination.Quality>0</Global.Illumination.Quality>\n\t<Name en=\"Heliodon\"/>" +
         Child(kLensFlareText) + Child(kGodRaysText) + Child(ColorsText()) + "\n\t<Cloud.Coverage>0.500000</Cloud.Coverage>" +
         Child(SkylightText()) + Child(kCloudsText) + Child(FogText()) +
         "\n\t<UI.Value>0</UI.Value>\n</Heliodon>";
}

// The date and time of a text as zeros: a new heliodon's are its creation's.
std::string WithoutDate(std::string text) {
  for (const std::string tag : {"<Month>", "<Day>", "<Hour>", "<Minute>", "<Year>"}) {
    const size_t start = text.find(tag) + tag.size();
    if (start < tag.size()) continue;
    text.replace(start, text.find('<', start) - start, "0");
  }
  return text;
}


}  // namespace

ZIN_FIELD_WALK(CZinTime, kTimeText)
ZIN_FIELD_WALK(CZinPlace, kPlaceText)
ZIN_FIELD_WALK(CSkylight, SkylightText())
ZIN_FIELD_WALK(CZinGodRays, kGodRaysText)
ZIN_FIELD_WALK(CZinClouds, kCloudsText)
ZIN_FIELD_WALK(CHeliodon, HeliodonText())

TEST(Heliodon, ANewManagersHeliodon) {
  ManagerHold mgr;
  ASSERT_EQ(1u, mgr->getHeliodons()->getCount());
  IZinHeliodon* heliodon = mgr->getHeliodons()->getZinObject(0);
  const std::string id = ToText(*heliodon->getBasicData()->getId());
  EXPECT_EQ("<Heliodons>\n\t\t" + Nested(HeliodonText(id), 2) + "\n\t</Heliodons>",
            WithoutDate(Section(WriteToText(mgr.mgr), "<Heliodons>", "</Heliodons>")));
  // The date is one reading of the clock: it stands between two others.
  const Quorve::Platform::CLocalTime now = Quorve::Platform::LocalTime();
  IZinTime* time = heliodon->getTime();
  EXPECT_GE(now.year, time->getYear());
  EXPECT_LE(now.year - 1, time->getYear());
  EXPECT_GE(12, time->getMonth());
  EXPECT_LE(1, time->getMonth());
}

TEST(Heliodon, NorthAngles) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();
  const struct {
    double input, stored;  // from 12.5
  } cases[] = {
      {-30, 330},   {-400, -40},  {725.5, 5},         {360, 360}, {360.5, 0},         {0, 0},
      {359.9, 359.9}, {1e300, std::fmod(1e300, 360)}, {kNaN, 12.5}, {kInf, 12.5}, {-kInf, -kInf},
  };
  TZinComPtr<CHeliodon> heliodon(CreateZinObject<CHeliodon>(nullptr));
  for (const auto& c : cases) {
    heliodon->setNorthAngle(12.5);
    heliodon->setNorthAngle(c.input);
    EXPECT_EQ(c.stored, heliodon->getNorthAngle()) << c.input;
  }
}

TEST(Heliodon, WhatAClientSeesOfTheWarnings) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  IZinHeliodon* attached = mgr->getHeliodons()->getZinObject(0);
  TZinComPtr<CHeliodon> detached(CreateZinObject<CHeliodon>(nullptr));
  const std::string getBad = "IZinHeliodon::getColor: bad index", setBad = "IZinHeliodon::setColor: bad index";
  const CZinColor kRed(255, 0, 0), kZero(0, 0, 0);
  auto colours = [](IZinHeliodon* h) {
    std::string text;
    for (int i = 0; i < 5; ++i) text += ToText(h->getColor(i)) + " ";
    return text;
  };
  const std::string defaults = colours(attached);
  EXPECT_TRUE(Heard(feedback).empty());
  struct Case {
    const char* what;
    IZinHeliodon* heliodon;
    std::function<std::string(IZinHeliodon*)> act;
    std::string result;
    Texts warnings;
  };
  const Case cases[] = {
      {"colour 5", attached, [](IZinHeliodon* h) { return ToText(h->getColor(5)); }, ToText(kZero), {getBad}},
      {"colour -1", attached, [](IZinHeliodon* h) { return ToText(h->getColor(-1)); }, ToText(kZero), {getBad}},
      {"colour 4", attached, [](IZinHeliodon* h) { return ToText(h->getColor(4)); }, "212/135/80", {}},
      {"set colour 7", attached, [&](IZinHeliodon* h) { h->setColor(7, kRed); return colours(h); }, defaults,
       {setBad}},
      {"set colour -1", attached, [&](IZinHeliodon* h) { h->setColor(-1, kRed); return colours(h); }, defaults,
       {setBad}},
      {"colour 5 outside a manager", detached.get(), [](IZinHeliodon* h) { return ToText(h->getColor(5)); },
       ToText(kZero), {}},
      {"third colour", attached,
       [&](IZinHeliodon* h) { h->setSunColor3(kRed); return ToText(h->getColor(2)) + ToText(h->getSunColor3()); },
       ToText(kRed) + ToText(kRed), {}},
  };
  for (const Case& c : cases) {
    feedback.warnings.clear();
    EXPECT_EQ(c.result, c.act(c.heliodon)) << c.what;
    EXPECT_EQ(c.warnings, Heard(feedback)) << c.what;
  }
}

TEST(Heliodon, EveryElementInItsPlace) {
  ManagerHold mgr;
  IZinHeliodon* sun = mgr->getHeliodons()->getZinObject(0);
  // Every flag on, so that each one's element shows where it goes.
  sun->getPlace()->setDaylight(true);
  sun->setGlobalIllumination(true);
  sun->getLensFlare()->setUsed(true);
  sun->getGodRays()->setUsed(true);
  sun->setColoredSun(true);
  sun->setSunPowerFlag(true);
  sun->setRadiosity(true);
  sun->setCloudMaskSun(true);
  IZinSkylight* sky = sun->getSkylight();
  sky->setUsed(true);
  sky->setBackground(true);
  sky->setMixColorFlag(true);
  sky->setPowerFlag(true);
  sky->setSkyColorFlag(true);
  sun->getClouds()->setActive(true);
  sun->getClouds()->setWindActive(true);
  sun->getFog()->setActive(true);
  EXPECT_EQ(
      "Heliodons: Heliodon\n"
      "Heliodon: Active Time Place Sunshine North.Angle Theta Phi Shadow Shadow.Power Sun.Blur Global.Illumination "
      "Global.Illumination.Power Global.Illumination.Quality Name Lens.Flare God.Rays Colored Colors Sun.PowerFlag "
      "Radiosity Cloud.Coverage Cloud.Mask.Sun Sky.Light Clouds Fog UI.Value\n"
      "Time: Month Day Hour Minute Year\n"
      "Place: Longitude Latitude TimeZone Daylight\n"
      "Lens.Flare: Used Size Intensity\n"
      "God.Rays: Used Power\n"
      "Colors: Sun.Color Sun.Color Sun.Color Sun.Color Sun.Color\n"
      "Sky.Light: Used Factor Color Background Pollution Sky.Mix.Color.Flag Sky.Mix.Color Power.Flag Sky.Color.Flag\n"
      "Clouds: Active Cumulus.Size Cumulus.Seed Cirrus.Size Cirrus.Seed Stratus.Size Stratus.Seed Cirrocumulus.Size "
      "Cirrocumulus.Seed Active.Wind Wind.Speed Wind.Direction\n"
      "Fog: Active Color Density Start.Distance End.Distance Altitude\n",
      Outline(WriteToText(mgr.mgr), "<Heliodons>", "</Heliodons>"));
}

namespace {

// A heliodon away from its defaults, through the interfaces.
void BuildHeliodon(IZinHeliodon* sun) {
  sun->getBasicData()->setName("June");
  IZinTime* time = sun->getTime();
  time->setMonth(6);
  time->setDay(21);
  time->setHour(13);
  time->setMinute(5);
  time->setYear(2031);
  sun->getPlace()->setLongitude(-122);
  sun->getPlace()->setTimeZone(-480);
  sun->getPlace()->setDaylight(true);
  sun->setNorthAngle(-15);
  sun->setShadowBlur(40);
  sun->setColoredSun(true);
  sun->setColor(4, CZinColor(1, 2, 3));
  sun->setRadiosity(true);
  sun->setPlacementKind(eSun45Degree);
  sun->setColorType(eColorUser);
  sun->getLensFlare()->setType(eHalo1);
  sun->getGodRays()->setUsed(true);
  sun->getSkylight()->setSkyType(eColorUser);
  sun->getSkylight()->setMixColor(CZinColor(9, 8, 7));
  sun->getClouds()->setWindActive(true);
  sun->getClouds()->setStratusSeed(77);
  sun->getFog()->setActive(true);
  sun->setSunPowerFlag(true);
}

}  // namespace

TEST(Heliodon, FilesReadAsTheirLayoutsSay) {
  ManagerHold source;
  BuildHeliodon(source->getHeliodons()->getZinObject(0));
  source->getHeliodons()->newZinObject(kZinEndOfList)->setCloudMaskSun(true);
  const std::string text = WriteToText(source.mgr);
  ManagerHold mgr;
  ASSERT_TRUE(Read(mgr.mgr, text));
  ASSERT_EQ(2u, mgr->getHeliodons()->getCount());
  for (uint32_t i = 0; i < 2; ++i) {
    auto& original = static_cast<CHeliodon&>(*source->getHeliodons()->getZinObject(i));
    auto& read = static_cast<CHeliodon&>(*mgr->getHeliodons()->getZinObject(i));
    for (const auto& check : ChecksOf<CHeliodon>()) check.compare(original, read);
  }
  EXPECT_EQ(text, WriteToText(mgr.mgr));

  // Sun colours: the first five children in order, extras ignored, missing ones
  // as a new heliodon's; the older colour form reads too.
  const std::string colours = Section(text, "<Colors>", "</Colors>");
  const std::string red = Colour("Sun.Color", 255, 0, 0);
  const struct {
    std::string colours;
    const char* expected;
  } lists[] = {
      {"<Colors>" + red + "<Sun.Color><Red>1</Red><Green>2</Green><Blue>3</Blue></Sun.Color></Colors>",
       "255/0/0 1/2/3 255/255/255 222/222/130 212/135/80 "},
      {"<Colors>" + red + red + red + red + red + Colour("Sun.Color", 7, 7, 7) + "<Sun.Color/></Colors>",
       "255/0/0 255/0/0 255/0/0 255/0/0 255/0/0 "},
      {"<Colors><Sun.Colour R=\"1\" G=\"1\" B=\"1\"/></Colors>",
       "200/182/90 230/230/225 255/255/255 222/222/130 212/135/80 "},
  };
  for (const auto& l : lists) {
    ASSERT_TRUE(Read(mgr.mgr, Replaced(text, colours, l.colours))) << l.colours;
    IZinHeliodon* sun = mgr->getHeliodons()->getZinObject(0);
    std::string read;
    for (int i = 0; i < 5; ++i) read += ToText(sun->getColor(i)) + " ";
    EXPECT_EQ(l.expected, read) << l.colours;
  }

  // The older date and place forms: no year (this one), a time zone in hours.
  const int thisYear = Quorve::Platform::LocalTime().year;
  ASSERT_TRUE(Read(mgr.mgr, Replaced(Replaced(text, "<Year>2031</Year>", ""), "<TimeZone>-480</TimeZone>",
                                   "<TimeZone>-8</TimeZone>")));
  IZinHeliodon* sun = mgr->getHeliodons()->getZinObject(0);
  EXPECT_LE(thisYear, sun->getTime()->getYear());
  EXPECT_GE(thisYear + 1, sun->getTime()->getYear());
  EXPECT_EQ(-480, sun->getPlace()->getTimeZone());
  ASSERT_TRUE(Read(mgr.mgr, Replaced(Replaced(text, "<Longitude>-122</Longitude>", "<Longitude>-1220</Longitude>"),
                                   "<TimeZone>-480</TimeZone>", "<TimeZone>-8</TimeZone>")));
  EXPECT_EQ(-8, mgr->getHeliodons()->getZinObject(0)->getPlace()->getTimeZone());

  // Odd numbers go through the setters: no value a client could not store.
  ASSERT_TRUE(Read(mgr.mgr, Replaced(Replaced(text, "<North.Angle>345.000000", "<North.Angle>725.5"), "<Sun.Blur>40",
                                   "<Sun.Blur>-2147483648")));
  EXPECT_EQ(5.0, mgr->getHeliodons()->getZinObject(0)->getNorthAngle());
  EXPECT_EQ(0, mgr->getHeliodons()->getZinObject(0)->getShadowBlur());

  ExpectEachEditFailsTheRead(text, {
      {"Placement.Kind=\"45.Degree\"", "Placement.Kind=\"45.degree\"",
       "Invalid label (45.degree) [Manual..Date.And.Place]"},
      {"Color.Type=\"User\"", "Color.Type=\"Users\"", "Invalid label (Users) [Automatic..User]"},
      {"<Hour>13</Hour>", "", "CZinXMLGet::GetElement - NULL ptr for tag Hour"},
      {"<Colors>", "<Colours>", "CZinXMLGet::GetElement - NULL ptr for tag Colors"},
      {"<God.Rays>", "<GodRays>", "CZinXMLGet::GetElement - NULL ptr for tag God.Rays"},
  });
}

TEST(Heliodon, ValuesWithoutALabelFailTheWrite) {
  auto sun = [](IZinMgr* mgr) { return mgr->getHeliodons()->getZinObject(0); };
  ExpectEachValueFailsTheWrite({
      {"placement", [&](IZinMgr* m) { sun(m)->setPlacementKind(3); }, "No label for the value (3) [Manual..Date.And.Place]"},
      {"colour type", [&](IZinMgr* m) { sun(m)->setColorType(2); }, "No label for the value (2) [Automatic..User]"},
      {"sky type", [&](IZinMgr* m) { sun(m)->getSkylight()->setSkyType(-1); },
       "No label for the value (-1) [Automatic..User]"},
  });
}

TEST(AnimatableValues, CodesAscendAndEachRowIsFoundBothWays) {
  Document document;
  int32_t previous = 0;
  for (const CZinLabel* row = kAnimatableValues; row->label; ++row) {
    EXPECT_LT(previous, row->value) << row->label;
    previous = row->value;
    CZinXMLAdd value(CZinXMLAdd(document.owner).AddElement("Interpolated.Value"));
    value.AddAttributeLabel("Type", row->value, kAnimatableValues);
    CZinXMLGet in(value.GetElement());
    EXPECT_STREQ(row->label, in.GetAttribute("Type"));
    EXPECT_EQ(row->value, in.GetAttributeLabel("Type", kAnimatableValues));
  }
}
