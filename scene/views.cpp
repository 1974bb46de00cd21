#include "scene/views.h"

#include <cmath>

namespace QvZin {

const CZinLabel kTargetTypes[] = {{"Fixed.Vertex", eTargetFixedVertex}, {"On.Object", eTargetOnObject}, {nullptr, 0}};
const CZinLabel kParallelViewTypes[] = {
    {"Front", eParallelFront}, {"Plan", eParallelPlan}, {"Axono", eParallelAxono}, {nullptr, 0}};

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr CZinVector3D kDefaultUp(0, 1, 0);

}  // namespace

double WrapRoll(double roll, const double& previous) {
  if (!std::isfinite(roll)) return previous;
  // The loops below step one turn at a time: a huge roll first loses its whole
  // turns at once. Ordinary rolls skip this, so they wrap exactly as the loops do.
  if (std::fabs(roll) > 1024 * kTwoPi) roll = std::fmod(roll, kTwoPi);
  while (roll < 0) roll += kTwoPi;
  while (roll > kTwoPi) roll -= kTwoPi;
  return roll;
}

const CZinVector3D& CCamera::getUpVector() { return mUpVector.isSet ? mUpVector.value : kDefaultUp; }

}  // namespace QvZin
