// The plain parts of texture nodes: maps, and sub-parts holding maps.
#pragma once

#include "ZinMaterials.h"
#include "framework/object_mgr.h"
#include "materials/node_parts.h"
#include "serialization/object_parts.h"

namespace QvZin {

// A map is its "URL" element: the channel as an attribute, the location as text.
#define ZIN_MAP_FIELDS(F, P)                                              \
  F(int32_t, Type, "Type", 1, ZinLabel{kZinMapChannels}, Keep())          \
  F(std::string, URL, "URL", "", ZinOwnText(), Keep())

/// A map of a mapping node or a Wang-tile node. A new map's channel is 1
/// ("Diffuse"): 0 has no label, and would make the map unwritable.
class CZinMap final : public TZinSettings<IZinMap> {
  ZIN_FIELDS(ZIN_MAP_FIELDS)
};

#define ZIN_MULTI_MAPS_FIELDS(F, P)                                       \
  F(int32_t, Type, "Type", 1, ZinLabel{kZinMapChannels}, Keep())          \
  F(double, Width, "Width", 1.0, ZinAttrDouble(), Keep())                 \
  F(double, Height, "Height", 1.0, ZinAttrDouble(), Keep())               \
  F(std::string, URL, "URL", "", ZinOwnText(), Keep())

/// A map of a texture sub-part, with its size.
class CZinMultiMaps final : public TZinSettings<IZinMultiMaps> {
  ZIN_FIELDS(ZIN_MULTI_MAPS_FIELDS)
};

using CZinMapList = TZinList<TObjectMgr<CZinMap, IZinMap>>;
using CZinMultiMapsList = TZinList<TObjectMgr<CZinMultiMaps, IZinMultiMaps>>;

#define ZIN_SUB_PART_FIELDS(F, P) P(CZinMultiMapsList, Maps, "Maps", ZinList("URL"))

/// A sub-part of an altitude or multi-texture node: its "Maps".
class CZinSubPart final : public TZinSettings<IZinSubPart> {
  ZIN_FIELDS(ZIN_SUB_PART_FIELDS)

  TZinObjectMgr<IZinMultiMaps>* getMaps() override { return mMaps.list(); }
};

using CZinSubPartList = TZinList<TObjectMgr<CZinSubPart, IZinSubPart>>;

}  // namespace QvZin
