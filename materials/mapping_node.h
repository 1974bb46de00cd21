// A mapping node: an image mapped onto the surface, over its sub-node ("Node").
// Mapping nodes name each other: by "MappingNode.Id" and "MappingNode.Parent.Id" in
// their elements, and through their linked maps.
#pragma once

#include "materials/linked_maps.h"
#include "materials/node_kinds.h"
#include "materials/sub_part.h"
#include "serialization/parts.h"

namespace QvZin {

// The cut-out colours are written only while their flags are set; a file's flag is
// the presence of the colour's element.
#define ZIN_MAPPING_FIELDS(F, P)                                                     \
  P(CZinMapList, Maps, "Maps", ZinList("URL"))                                       \
  P(CZinLinkedMaps, MapsLinked, "Maps.Linked", ZinLinkedMaps())                      \
  F(CZinVector3D, Normal, "Normal", CZinVector3D(), ZinPoint(), Keep())              \
  F(CZinVector3D, Origin, "Origin", CZinVector3D(), ZinPoint(), Keep())              \
  F(CZinVector3D, XAxis, "X.Axis", CZinVector3D(), ZinPoint(), Keep())               \
  F(CZinVector3D, YAxis, "Y.Axis", CZinVector3D(), ZinPoint(), Keep())               \
  F(double, Angle, "Angle", 0.0, ZinDouble(), Keep())                                \
  F(double, Width, "Width", 1.0, ZinDouble(), Keep())                                \
  F(double, Height, "Height", 1.0, ZinDouble(), Keep())                              \
  F(double, Bump, "Bump", 0.0, ZinDouble(), Keep())                                  \
  F(double, Relief, "Relief", 0.0, ZinDouble(), Keep())                              \
  F(double, XCenter, "X.Center", 0.5, ZinDouble(), Keep())                           \
  F(double, YCenter, "Y.Center", 0.5, ZinDouble(), Keep())                           \
  F(double, XDelta, "X.Delta", 0.0, ZinDouble(), Keep())                             \
  F(double, YDelta, "Y.Delta", 0.0, ZinDouble(), Keep())                             \
  F(double, Glossy, "Glossy", 1000.0, ZinDouble(), Keep())                           \
  F(bool, XRepeat, "X.Repeat", false, ZinFlag(), Keep())                             \
  F(bool, YRepeat, "Y.Repeat", false, ZinFlag(), Keep())                             \
  F(CZinColor, Specular, "Specular", CZinColor(), ZinColour(), Keep())               \
  F(CZinColor, Transparent, "Transparent", CZinColor(), ZinColour(), Keep())         \
  F(CZinColor, Reflection, "Reflection", CZinColor(), ZinColour(), Keep())           \
  F(double, ReflectionLimit, "Reflection.Limit", 0.0, ZinDouble(), Keep())           \
  ZIN_FLAGGED(F, CZinColor, CutOut1, "CutOut1", ZinColour())                         \
  ZIN_FLAGGED(F, CZinColor, CutOut2, "CutOut2", ZinColour())                         \
  F(bool, CutSet, "CutSet", false, ZinFlag(), Keep())                                \
  F(bool, CutAlpha, "CutAlpha", false, ZinFlag(), Keep())                            \
  F(bool, XInvert, "X.Invert", false, ZinFlag(), Keep())                             \
  F(bool, YInvert, "Y.Invert", false, ZinFlag(), Keep())                             \
  F(bool, XMirror, "X.Mirror", false, ZinFlag(), Keep())                             \
  F(bool, YMirror, "Y.Mirror", false, ZinFlag(), Keep())                             \
  F(bool, AlphaBump, "Alpha.Bump", false, ZinFlag(), Keep())                         \
  F(bool, AlphaTransparency, "Alpha.Transparency", false, ZinFlag(), Keep())         \
  F(int32_t, Projection, "Projection", 5, ZinLabel{kZinProjections}, Keep())         \
  F(bool, Visible, "Visible", true, ZinFlag(), Keep())                               \
  F(bool, Mix, "Mix", false, ZinFlag(), Keep())                                      \
  F(CZinColor, MixColor, "Mix.Color", CZinColor(127, 127, 127), ZinColour(), Keep()) \
  F(double, MixValue, "Mix.Value", 0.0, ZinDouble(), Keep())                         \
  F(bool, Mipmap, "MIPMAP", false, ZinFlag(), Keep())                                \
  F(bool, TrilinearFilter, "Trilinear.Filter", false, ZinFlag(), Keep())             \
  F(bool, DisplayMode, "Display.Mode", false, ZinFlag(), Keep())                     \
  F(double, Brightness, "Brightness", 0.0, ZinDouble(), Keep())                      \
  F(double, Contrast, "Contrast", 1.0, ZinDouble(), Keep())                          \
  F(int32_t, Frame, "Frame", 0, ZinInt(), Keep())                                    \
  F(int32_t, MovieLength, "Movie.Length", 0, ZinInt(), Keep())                       \
  F(double, NormalMap, "Normal.Map", 0.0, ZinDouble(), Keep())

class CMappingNode final : public TZinNodeKind<CMappingNode, IMappingNode> {
  ZIN_FIELDS(ZIN_MAPPING_FIELDS)

  explicit CMappingNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }

  TZinObjectMgr<IZinMap>* getMaps() override { return mMaps.list(); }
  uint32_t getMapLinkedCount() override { return mMapsLinked.count(); }
  CZinUUID getMapLinked(uint32_t index) override { return mMapsLinked.at(index); }
  void addLinkedMap(const CZinUUID& id) override { mMapsLinked.add(id); }
  void removeLinkedMap(const CZinUUID& id) override { mMapsLinked.remove(id); }

  /// The rows, then "MappingNode.Id" (the node's id) and "MappingNode.Parent.Id"
  /// (the parent's id when the parent is a mapping node, else all zero).
  void putContent(CZinXMLAdd& out) override;
  /// The node's id from "MappingNode.Id" (see GetMappingNode), then the rows.
  void getContent(CZinXMLGet& in, CZinNodeReading& reading) override;
};

/// Checks a mapping node's element against the nodes read so far and gives its id.
/// Fails with "CZinXMLIO::GetMappingNode : xml node is not a mapping node" when its
/// "Type" is another kind, "CZinXMLIO::GetMappingNode - nodeId is NULL" without a
/// non-zero "MappingNode.Id", and "CZinXMLIO::GetMappingNode - ParentId refered by
/// child before we meet the parent" when a non-zero "MappingNode.Parent.Id" names no
/// mapping node read so far (where it hangs is its element's place, not that id).
CZinUUID GetMappingNode(CZinXMLGet& in, const CZinNodeReading& reading);

}  // namespace QvZin
