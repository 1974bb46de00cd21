// Panoramas: walk-throughs of nodes joined by links.
//
// A panorama keeps every id it holds (its nodes, its links' ends and paths, its
// parallel views) as data: an id that names nothing is harmless. No clipping.
#pragma once

#include "ZinBase.h"
#include "ZinObjectMgr.h"
#include "ZinRendering.h"
#include "ZinValues.h"
#include "ZinViews.h"

namespace QvZin {

/// A node of a panorama: a place where a spherical image is taken. Its id is its
/// basic data's.
class IZinPanoNodeV2 : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("C98074929E694ED5968AD99AECB8012B");

  /// Default (0, 0, 0).
  virtual const CZinVector3D& getPosition() = 0;
  virtual void setPosition(const CZinVector3D& position) = 0;
  /// Default (0, 0, 0). A file without it leaves the direction as it was.
  virtual const CZinVector3D& getDirection() = 0;
  virtual void setDirection(const CZinVector3D& direction) = 0;
};

/// A link between two nodes of a panorama, optionally along a 3D path.
class IZinPanoLinkV2 : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("DC920CE649BC43CBAD8E8A2CECF4ACF4");

  /// The ids of the nodes at its ends; default all zero.
  virtual const CZinUUID& getStartNodeId() = 0;
  virtual void setStartNodeId(const CZinUUID& id) = 0;
  virtual const CZinUUID& getEndNodeId() = 0;
  virtual void setEndNodeId(const CZinUUID& id) = 0;
  /// The id of the 3D path it follows; default all zero (none).
  virtual const CZinUUID& getPathId() = 0;
  virtual void setPathId(const CZinUUID& id) = 0;
};

/// A panorama. Answers the view-basic identifier (kIID_ZinViewBasic) besides its
/// own. Its id, name and UI value are its basic data's.
class IZinPanoramaV2 : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("E746CA7862344968A0DACF66003DFDA7");

  /// The view direction; default (0, 0, 0). A file without it leaves it as it was.
  virtual const CZinVector3D& getDirection() = 0;
  virtual void setDirection(const CZinVector3D& direction) = 0;
  /// Degrees; default 0.
  virtual double getFocal() = 0;
  virtual void setFocal(double focal) = 0;
  /// Default 0.
  virtual int32_t getViewFlags() = 0;
  virtual void setViewFlags(int32_t flags) = 0;
  /// Where a visitor looks now; default (0, 0, 0). A file without it leaves it as it was.
  virtual const CZinVector3D& getCurrentDirection() = 0;
  virtual void setCurrentDirection(const CZinVector3D& direction) = 0;
  /// Degrees; default 0.
  virtual double getCurrentFocal() = 0;
  virtual void setCurrentFocal(double focal) = 0;
  /// The node a visitor stands on; default all zero.
  virtual const CZinUUID& getCurrentNodeId() = 0;
  virtual void setCurrentNodeId(const CZinUUID& id) = 0;
  /// The node a visit starts from; default all zero.
  virtual const CZinUUID& getStartNodeId() = 0;
  virtual void setStartNodeId(const CZinUUID& id) = 0;
  /// The panorama's companions (borrowed; owned by the panorama).
  virtual IZinRenderingOpt* getRenderingOpt() = 0;
  virtual IZinCompressionOpt* getCompressionOpt() = 0;
  virtual IZinViewInfo* getViewInfo() = 0;
  /// Its nodes and links (borrowed collections).
  virtual TZinObjectMgr<IZinPanoNodeV2>* getNodes() = 0;
  virtual TZinObjectMgr<IZinPanoLinkV2>* getLinks() = 0;
  /// The ids of the parallel views (plans) that show it (borrowed collection).
  virtual TZinObjectMgr<CZinUUID>* getParallelViews() = 0;
};

}  // namespace QvZin
