#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "framework/clip.h"
#include "recording_link.h"

using namespace QvZin;
using QvZinTest::RecordingLink;
using Texts = std::vector<std::string>;

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kInf = std::numeric_limits<double>::infinity();

double Below(double bound) { return std::nextafter(bound, -kInf); }
double Above(double bound) { return std::nextafter(bound, kInf); }

// Roll wraps into [0, 2 pi]: an irregular rule, still one named hook.
double WrapRoll(double value) {
  while (value < 0) value += kTwoPi;
  while (value > kTwoPi) value -= kTwoPi;
  return value;
}

std::string Standard(const char* setter) {
  return std::string("Method ") + setter + " has clipped a value out of range.";
}

// One rule applied through its setter's name; rules of every type meet as doubles.
struct Rule {
  const char* name;
  const char* setter;
  std::function<double(double, const char*, IZinWarning*)> apply;
};
template <class R, class V = double>
Rule Make(const char* name, const char* setter, R rule) {
  return {name, setter, [rule](double value, const char* s, IZinWarning* sink) {
            return static_cast<double>(rule.apply(static_cast<V>(value), s, sink));
          }};
}

}  // namespace

// Every rule of every field list is also tried at, inside and just outside its bounds
// by the field walks; these are the rules' own cases.
TEST(Clip, RulesAtInsideAndJustOutsideTheirBounds) {
  const Rule focal = Make("focal", "setFocal", Clamp(0.0, 180.0));
  const Rule attached = Make("attached focal", "setFocal", Clamp(0.0, 180.0).whileAttached());
  const Rule power = Make("silent power", "setPower", Clamp(1.0, 1000000.0).silent());
  const Rule blur = Make<TZinClip<int>, int>("blur", "setShadowBlur",
                                             Clamp(0, 100).warns("IZinHeliodon::setShadowBlur: invalid blur level"));
  const Rule width = Make<TZinClip<int>, int>("width", "setWidth", AtLeast(0).prefixed("class CRenderingOpt: "));
  const Rule factor = Make("factor", "setRadiosityFactor", AtLeast(0.0).prefixed("class CRenderingOpt:"));
  const Rule maxDistance = Make("max distance", "setMaxDistance", AtLeast(0.0).naming("setScale"));
  const Rule ceiling = Make("ceiling", "setLevel", AtMost(10.0));
  const Rule target = Make<TZinClip<int>, int>("target type", "setTargetType", Clamp(0, 1).orElse(0).silent());
  const Rule step = Make<TZinZeroBecomes<int>, int>("step", "setStep", ZeroBecomes(1));
  const Rule keep = Make("keep", "setNearDistance", Keep());
  const Rule roll = Make("roll", "setRoll", Custom(WrapRoll));
  const Rule linePower = Make("line power", "setLinePower",
                              Then(Clamp(0.0, 100.0).whileAttached(), AtLeast(10.0).orElse(1.0).silent()));
  const std::string lum = "CRenderingOpt::setLuminosity value must be between -1 and 1.";
  const Rule luminosity = Make("luminosity", "setLuminosity", Clamp(-1.0, 1.0).warns(lum.c_str()));

  const struct {
    Rule rule;
    double value, stored;  // stored with a sink
    std::string warning;   // with a sink; "" for none
    double storedDetached; // without a sink (never a warning)
  } cases[] = {
      {focal, 0, 0, "", 0},
      {focal, Below(0), 0, Standard("setFocal"), 0},
      {focal, Above(180), 180, Standard("setFocal"), 180},
      {attached, 200, 180, Standard("setFocal"), 200},
      {power, 0, 1, "", 1},
      {power, 2000000, 1000000, "", 1000000},
      {blur, 150, 100, "IZinHeliodon::setShadowBlur: invalid blur level", 100},
      {width, -5, 0, "class CRenderingOpt: Method setWidth has clipped a value out of range.", 0},
      {width, 2147483647, 2147483647, "", 2147483647},
      {factor, Below(0), 0, "class CRenderingOpt:Method setRadiosityFactor has clipped a value out of range.", 0},
      {maxDistance, -3, 0, Standard("setScale"), 0},
      {ceiling, Above(10), 10, Standard("setLevel"), 10},
      {ceiling, -1e300, -1e300, "", -1e300},
      {target, 2, 0, "", 0},
      {step, 0, 1, "", 1},
      {step, -3, -3, "", -3},
      {keep, -1e308, -1e308, "", -1e308},
      {roll, -0.5, kTwoPi - 0.5, "", kTwoPi - 0.5},
      {roll, 7, 7 - kTwoPi, "", 7 - kTwoPi},
      {linePower, 150, 100, Standard("setLinePower"), 150},
      {linePower, 5, 1, "", 1},
      {linePower, 10, 10, "", 10},
      {luminosity, 2, 1, lum, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.rule.name) + " " + std::to_string(c.value));
    RecordingLink sink;
    EXPECT_EQ(c.stored, c.rule.apply(c.value, c.rule.setter, &sink));
    EXPECT_EQ(c.warning.empty() ? Texts{} : Texts{c.warning}, sink.take());
    EXPECT_EQ(c.storedDetached, c.rule.apply(c.value, c.rule.setter, nullptr));
  }
}

TEST(Clip, NaNLiesOnNeitherSideAndRulesAreConstants) {
  RecordingLink sink;
  EXPECT_TRUE(std::isnan(Clamp(0.0, 1.0).apply(std::nan(""), "setSharpness", &sink)));
  // Field lists hold their rules as constants.
  constexpr auto rule = Clamp(0.0, 180.0).whileAttached().prefixed("x").naming("y").orElse(3.0).silent();
  static_assert(sizeof(rule) <= 64, "a rule stays small");
  EXPECT_EQ(-4.0, rule.apply(-4.0, "setFocal", nullptr));  // detached: kept
  EXPECT_EQ(3.0, rule.apply(-4.0, "setFocal", &sink));     // attached: the fallback, silently
  EXPECT_TRUE(sink.take().empty());
}
