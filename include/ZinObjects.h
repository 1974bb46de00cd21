// Library objects in a scene: definitions, instances, billboards, plants,
// animated objects, layers and the layer information.
#pragma once

#include "ZinBase.h"
#include "ZinValues.h"

namespace QvZin {

/// A reusable object described once, placed by instances; also the element of the
/// internal component definitions.
class IZinZinObjectDefinition : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("D66FB65A4D0D4A4B876154F36A73045E");

  /// One setup of a definition: an id and a name.
  class IZinZinObjectSetup : public IZinBasic {
  public:
    static constexpr CZinUUID sIID = CZinUUID::fromText("068EFCD69DBD4CA3964E014A536096A9");
  };
};

/// The manager's object-definition manager: the localised names of the object
/// definitions that a scene refers to.
class IZinObjectDefinitionMgr : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("B779F7877B294B5FB884E42A6F53B53A");
  /// The localised names of the definitions, one entry per language (readMediaInfo
  /// fills it); owned by the manager, change it in place.
  virtual IZinString* getNames() = 0;
};

/// An object placed in the scene.
class IZinObjectInstance : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("A0993482906A4F35B5818FBC15823458");
};

/// A layer: a named id that groups instances for visibility (basic data).
class IZinLayer : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("44B3C0649EB84B6CB315019357CFCA06");
};

/// The active layer and the default layer of each object kind.
class IZinLayerInfo : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("317A332464B64455A11DEEA52767AB23");
};

/// The data of one billboard of the scene.
class IZinBBMgrData : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("69CD816C01F74E708B0380DAB7E3C399");
};

/// One quad of a billboard.
class IZinQuad : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("FD1EDBBF36464892AD10ACA7F668CD5C");
};

/// A billboard: a flat, textured substitute for an object.
class IZinBillboard : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("7F8F6684280C4FD38E8E266492B3BA1C");

  /// One name of a billboard (a plain record, owned by its list).
  class IZinBBName {
  public:
    static constexpr CZinUUID sIID = CZinUUID::fromText("803CA4F6474741158EFC4A52449F3B70");

  protected:
    ~IZinBBName() = default;
  };
};

/// A 3D plant.
class IZin3DPlant : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("CCFC205EFD34406C827BC98F21F2B828");

  /// One setup of a plant: a season with its flower colour (a plain record, owned
  /// by its list).
  class IPlantSetUp {
  public:
    static constexpr CZinUUID sIID = CZinUUID::fromText("AE92E7E3E3674EE58903EF7135AABA0F");

  protected:
    ~IPlantSetUp() = default;
  };
};

/// The animation source of animated instances.
class IZinAnimatedObject : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("FB32D07A28F64AEC8EBCD0E34A9B04C6");

  /// One take of an animated object.
  class IZinTake : public IZinBasic {
  public:
    static constexpr CZinUUID sIID = CZinUUID::fromText("4353E20F821A4B559ABED24926213674");
  };
};

/// Which axis gives an inserted object its size, written as the labels "XAxis",
/// "YAxis", "ZAxis".
enum EZinSizeAxis : int32_t { eSizeXAxis = 0, eSizeYAxis = 1, eSizeZAxis = 2 };

/// The construction aids of a perspective view, owned by the camera; change it in
/// place. An index outside its range warns "<operation>: index out of range" (for
/// example "getAxesPosition: index out of range"); the getter then gives the zero
/// point and the setter changes nothing.
class IZinInsertionObject {
public:
  /// Axis position index 0 to 3; default (0, 0).
  virtual const CZinVector2D& getAxesPosition(int32_t index) = 0;
  virtual void setAxesPosition(int32_t index, const CZinVector2D& position) = 0;
  /// Perspective-tool position index 0 to 5; default (0, 0).
  virtual const CZinVector2D& getPerpectiveToolPosition(int32_t index) = 0;
  virtual void setPerpectiveToolPosition(int32_t index, const CZinVector2D& position) = 0;
  /// Reference-frame position index 0 to 3; default (0, 0, 0).
  virtual const CZinVector3D& getReperePosition(int32_t index) = 0;
  virtual void setReperePosition(int32_t index, const CZinVector3D& position) = 0;
  /// One of EZinSizeAxis; default eSizeXAxis. A value outside the table fails the next write.
  virtual int32_t getSizeAxis() = 0;
  virtual void setSizeAxis(int32_t axis) = 0;
  /// Default false each.
  virtual bool getAxesVisibility() = 0;
  virtual void setAxesVisibility(bool visible) = 0;
  virtual bool getModelVisibility() = 0;
  virtual void setModelVisibility(bool visible) = 0;
  virtual bool getPerpectiveToolVisibility() = 0;
  virtual void setPerpectiveToolVisibility(bool visible) = 0;
  virtual bool getYAxeInverted() = 0;
  virtual void setYAxeInverted(bool inverted) = 0;

protected:
  ~IZinInsertionObject() = default;
};

}  // namespace QvZin
