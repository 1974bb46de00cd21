// The view information of a view: which light groups, heliodon, environment,
// ground, layers and image effects it uses.
#pragma once

#include "ZinViews.h"
#include "scene/image_effects.h"
#include "serialization/fields.h"
#include "serialization/parts.h"

namespace QvZin {

// A view information read without one of its image effects' elements gives that
// effect a new object's settings rather than failing the view's whole document.
#define ZIN_VIEW_INFO_FIELDS(F, P)                                                                 \
  F(CZinUUID, Id, "UUID", CZinNewId(), ZinId(), Keep())                                            \
  F(bool, Locked, "Locked", false, ZinFlag(), Keep())                                              \
  F(int32_t, UIValue, "UI.Value", 0, ZinInt(), Keep())                                             \
  P(CZinForeground, Foreground, "Foregroung", ZinPart().optional())                                \
  P(CZinIdList, LightsGroups, "Lights.Groups", ZinIds("Light"))                                    \
  F(std::string, HeliodonName, "Heliodon.Name", "", ZinName(), Keep())                             \
  P(CZinDepthOfField, DepthOfField, "Depth.Of.Field", ZinPart().optional())                        \
  P(CZinClippingBox, ClippingBox, "Clipping.Box", ZinPart().optional())                            \
  P(CZinCameraLight, CameraLight, "Camera.Light", ZinPart().optional())                            \
  P(CZinRadiosityLight, RadiosityLight, "Radiosity.Light", ZinPart().optional())                   \
  F(CZinUUID, Environment, "Environment", CZinUUID(), ZinId(), Keep())                             \
  P(CZinFilters, Filters, "Filters", ZinPart().optional())                                         \
  P(CZinIdList, NeonShaders, "Neon.Shaders", ZinIds("Neon.Shader"))                                \
  P(CZinBackgroundPicture, BackgroundPicture, "Background.Picture", ZinPart().optional())          \
  P(CZinIdList, Layers, "Layers", ZinIds("Layer"))                                                 \
  P(CZinToneSettings, ToneSettings, "Tone.Settings", ZinPart().optional())                         \
  F(CZinUUID, Ground, "Ground", CZinUUID(), ZinId(), Keep())

class CZinViewInfo final : public TZinSettings<IZinViewInfo> {
public:
  ZIN_FIELDS(ZIN_VIEW_INFO_FIELDS)

  CZinViewInfo() = default;
  CZinViewInfo(const CZinViewInfo&) = delete;
  CZinViewInfo& operator=(const CZinViewInfo&) = delete;

  IZinForeground* getForeground() override { return &mForeground; }
  TZinObjectMgr<CZinUUID>* getLightsGroups() override { return mLightsGroups.ids(); }
  IZinDepthOfField* getDepthOfField() override { return &mDepthOfField; }
  IZinClippingBox* getClippingBox() override { return &mClippingBox; }
  IZinCameraLight* getCameraLight() override { return &mCameraLight; }
  IZinCameraLight* getRadiosityLight() override { return &mRadiosityLight; }
  IZinFilters* getFilters() override { return &mFilters; }
  TZinObjectMgr<CZinUUID>* getNeonShaders() override { return mNeonShaders.ids(); }
  IZinBackgroundPicture* getBackgroundPicture() override { return &mBackgroundPicture; }
  TZinObjectMgr<CZinUUID>* getLayers() override { return mLayers.ids(); }
  IZinToneSettings* getToneSettings() override { return &mToneSettings; }
};

}  // namespace QvZin
