// The construction aids of a perspective view: axis positions, perspective-tool
// positions, reference-frame positions and their visibility.
#pragma once

#include "ZinObjects.h"
#include "serialization/fields.h"
#include "serialization/parts.h"

namespace QvZin {

extern const CZinLabel kSizeAxes[];

using CZinAxesPositions = TZinArray<CZinVector2D, 4>;
using CZinToolPositions = TZinArray<CZinVector2D, 6>;
using CZinReperePositions = TZinArray<CZinVector3D, 4>;

#define ZIN_INSERTION_OBJECT_FIELDS(F, P)                                                                  \
  P(CZinAxesPositions, AxesPositions, "AxesPositions", ZinArray("Vector2D", ZinXY()))                       \
  P(CZinToolPositions, PerpectiveToolPositions, "PerpectiveToolPositions", ZinArray("Vector2D", ZinXY())) \
  P(CZinReperePositions, ReperePositions, "ReperePositions", ZinArray("Vector3D", ZinPoint()))            \
  F(int32_t, SizeAxis, "SizeAxis", eSizeXAxis, ZinLabel{kSizeAxes}, Keep())                                \
  F(bool, AxesVisibility, "AxesVisibility", false, ZinFlag(), Keep())                                     \
  F(bool, ModelVisibility, "ModelVisibility", false, ZinFlag(), Keep())                                   \
  F(bool, PerpectiveToolVisibility, "PerpectiveToolVisibility", false, ZinFlag(), Keep())                 \
  F(bool, YAxeInverted, "YAxeInverted", false, ZinFlag(), Keep())

class CZinInsertionObject final : public TZinSettings<IZinInsertionObject> {
public:
  ZIN_FIELDS(ZIN_INSERTION_OBJECT_FIELDS)

  CZinInsertionObject() = default;
  CZinInsertionObject(const CZinInsertionObject&) = delete;
  CZinInsertionObject& operator=(const CZinInsertionObject&) = delete;

  // Each indexed accessor names itself in its warning.
  const CZinVector2D& getAxesPosition(int32_t index) override {
    return mAxesPositions.get(index, "getAxesPosition", warningSink());
  }
  void setAxesPosition(int32_t index, const CZinVector2D& position) override {
    mAxesPositions.set(index, position, "setAxesPosition", warningSink());
  }
  const CZinVector2D& getPerpectiveToolPosition(int32_t index) override {
    return mPerpectiveToolPositions.get(index, "getPerpectiveToolPosition", warningSink());
  }
  void setPerpectiveToolPosition(int32_t index, const CZinVector2D& position) override {
    mPerpectiveToolPositions.set(index, position, "setPerpectiveToolPosition", warningSink());
  }
  const CZinVector3D& getReperePosition(int32_t index) override {
    return mReperePositions.get(index, "getReperePosition", warningSink());
  }
  void setReperePosition(int32_t index, const CZinVector3D& position) override {
    mReperePositions.set(index, position, "setReperePosition", warningSink());
  }
};

}  // namespace QvZin
