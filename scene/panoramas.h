// Panoramas, their nodes and links. Every id a panorama holds stays data: none is
// resolved into a pointer, so an id that names nothing is harmless.
#pragma once

#include "ZinPanoramas.h"
#include "framework/scene_object.h"
#include "scene/compression_opt.h"
#include "scene/rendering_opt.h"
#include "scene/view_info.h"
#include "serialization/object_parts.h"
#include "serialization/parts.h"

namespace QvZin {

// The neighbours of a node are not kept: their element is written empty.
#define ZIN_PANO_NODE_FIELDS(F, P)                                                            \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                                                  \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                              \
  F(CZinVector3D, Position, "Position", CZinVector3D(), ZinPoint(), Keep())                   \
  P(CZinBasicPart, DirectNeighboring, "Direct.Neighboring", ZinEmpty())                       \
  F(CZinVector3D, Direction, "Direction", CZinVector3D(), ZinIfPresent(ZinPoint()), Keep())

class CZinPanoNodeV2 final : public TZinSceneObject<IZinPanoNodeV2> {
public:
  ZIN_FIELDS(ZIN_PANO_NODE_FIELDS)

  explicit CZinPanoNodeV2(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

#define ZIN_PANO_LINK_FIELDS(F, P)                                                     \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                                           \
  F(CZinUUID, StartNodeId, "UUID", CZinUUID(), ZinUnder("Start", ZinId()), Keep())     \
  F(CZinUUID, EndNodeId, "UUID", CZinUUID(), ZinUnder("End", ZinId()), Keep())         \
  F(CZinUUID, PathId, "UUID", CZinUUID(), ZinUnder("Path.Id", ZinId()), Keep())

class CZinPanoLinkV2 final : public TZinSceneObject<IZinPanoLinkV2> {
public:
  ZIN_FIELDS(ZIN_PANO_LINK_FIELDS)

  explicit CZinPanoLinkV2(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

using CZinPanoNodeList = TZinList<TObject2Mgr<CZinPanoNodeV2, IZinPanoNodeV2>>;
using CZinPanoLinkList = TZinList<TComObjectMgr<CZinPanoLinkV2, IZinPanoLinkV2>>;

#define ZIN_PANORAMA_FIELDS(F, P)                                                                          \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                                                               \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                           \
  F(CZinVector3D, Direction, "Direction", CZinVector3D(), ZinIfPresent(ZinPoint()), Keep())               \
  F(double, Focal, "Focal", 0.0, ZinDouble(), Keep())                                                      \
  P(CZinBasicPart, UIValue, "UI.Value", ZinBasicUIValue())                                                 \
  F(int32_t, ViewFlags, "View.Flags", 0, ZinInt(), Keep())                                                 \
  F(CZinVector3D, CurrentDirection, "Current.Direction", CZinVector3D(), ZinIfPresent(ZinPoint()), Keep()) \
  F(double, CurrentFocal, "Current.Focal", 0.0, ZinDouble(), Keep())                                       \
  F(CZinUUID, CurrentNodeId, "Current.Node.Id", CZinUUID(), ZinId(), Keep())                               \
  F(CZinUUID, StartNodeId, "UUID", CZinUUID(), ZinUnder("Start.NodeID", ZinId()), Keep())                 \
  P(CRenderingOpt, RenderingOpt, "Rendering", ZinUnder("Options", ZinPart()))                             \
  P(CCompressionOpt, CompressionOpt, "Compression", ZinUnder("Options", ZinPart().optional()))           \
  P(CZinViewInfo, ViewInfo, "View.Info", ZinPart())                                                        \
  P(CZinPanoNodeList, Nodes, "PanoramaV2.Nodes", ZinList("PanoramaV2.Node"))                              \
  P(CZinPanoLinkList, Links, "PanoV2.Links", ZinList("PanoV2.Link"))                                       \
  P(CZinIdList, ParallelViews, "Parallel.Views", ZinIds("Parallel.View"))

class CZinPanoramaV2 final : public TZinViewBase<IZinPanoramaV2> {
public:
  ZIN_FIELDS(ZIN_PANORAMA_FIELDS)

  explicit CZinPanoramaV2(IZinMgrRef* owner) : TZinViewBase(owner) { linkParts(getMgrRef()); }

  IZinRenderingOpt* getRenderingOpt() override { return &mRenderingOpt; }
  IZinCompressionOpt* getCompressionOpt() override { return &mCompressionOpt; }
  IZinViewInfo* getViewInfo() override { return &mViewInfo; }
  TZinObjectMgr<IZinPanoNodeV2>* getNodes() override { return mNodes.list(); }
  TZinObjectMgr<IZinPanoLinkV2>* getLinks() override { return mLinks.list(); }
  TZinObjectMgr<CZinUUID>* getParallelViews() override { return mParallelViews.ids(); }
};

}  // namespace QvZin
