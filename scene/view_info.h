// The view information of a view: which light groups, heliodon, environment,
// ground, layers and image effects it uses.
#pragma once

#include "ZinViews.h"
#include "serialization/fields.h"
#include "serialization/parts.h"

namespace QvZin {

// The image effects' settings objects take the places marked in element order.
#define ZIN_VIEW_INFO_FIELDS(F, P)                                            \
  F(CZinUUID, Id, "UUID", CZinNewId(), ZinId(), Keep())                       \
  F(bool, Locked, "Locked", false, ZinFlag(), Keep())                         \
  F(int32_t, UIValue, "UI.Value", 0, ZinInt(), Keep())                        \
  /* the foreground */                                                        \
  P(CZinIdList, LightsGroups, "Lights.Groups", ZinIds("Light"))              \
  F(std::string, HeliodonName, "Heliodon.Name", "", ZinName(), Keep())        \
  /* the depth of field, the clipping box, the camera and radiosity lights */ \
  F(CZinUUID, Environment, "Environment", CZinUUID(), ZinId(), Keep())        \
  /* the filters */                                                           \
  P(CZinIdList, NeonShaders, "Neon.Shaders", ZinIds("Neon.Shader"))          \
  /* the background picture */                                                \
  P(CZinIdList, Layers, "Layers", ZinIds("Layer"))                            \
  /* the tone settings */                                                     \
  F(CZinUUID, Ground, "Ground", CZinUUID(), ZinId(), Keep())

class CZinViewInfo final : public TZinSettings<IZinViewInfo> {
public:
  ZIN_FIELDS(ZIN_VIEW_INFO_FIELDS)

  CZinViewInfo() = default;
  CZinViewInfo(const CZinViewInfo&) = delete;
  CZinViewInfo& operator=(const CZinViewInfo&) = delete;

  TZinObjectMgr<CZinUUID>* getLightsGroups() override { return mLightsGroups.ids(); }
  TZinObjectMgr<CZinUUID>* getNeonShaders() override { return mNeonShaders.ids(); }
  TZinObjectMgr<CZinUUID>* getLayers() override { return mLayers.ids(); }
};

}  // namespace QvZin
