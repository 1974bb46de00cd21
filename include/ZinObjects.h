// Library objects in a scene: definitions, instances, billboards, plants,
// animated objects, layers and the layer information.
//
// Instance kinds. Every instance is an IZinObjectInstance in the manager's
// collection; its kind follows from its class text (setClass):
//   "ZinObject", "LightObject"   a library object instance  IZinZinObjectInstance
//   "Billboard"                  a billboard instance        IZinBBObjectInstance (and IZinZinObjectInstance)
//   "AnimatedObject"             an animated instance        IZinAnimatedObjectInstance (and IZinZinObjectInstance)
//   "3DPlant"                    a plant instance            IZin3DPlantRef
//   "3DPlantGroupInstances"      a plant group               IZinGroupInstances (and IZin3DPlantRef)
//   "ModelObject"                an internal component       IZinInternalComponentInstance
//   any other class              a plain instance            none
// A client makes an instance of a kind by creating an instance, setting its class,
// then asking it for the kind interface:
//   IZinObjectInstance* instance = manager->getObjectInstances()->newZinObject(kZinEndOfList);
//   instance->setClass("Billboard");
//   IZinBBObjectInstance* billboard = nullptr;
//   instance->QueryInterface(IZinBBObjectInstance::sIID, reinterpret_cast<void**>(&billboard));
//   billboard->setShininess(0.5);
//   billboard->Release();
// The kind interface answers only while the class selects it (otherwise
// kZinNoInterface); it counts on the instance, and QueryInterface on it reaches the
// instance's other interfaces. The kind's values live in "Instance.Data": what the
// kinds do not model there (and all of it under any other class) is kept and written
// back unchanged. Definitions work the same way: a definition of class "3DPlant"
// answers IZin3DPlant, one of class "AnimatedObject" IZinAnimatedObject, their
// values being the definition's extended data.
#pragma once

#include "ZinBase.h"
#include "ZinObjectMgr.h"
#include "ZinValues.h"

namespace QvZin {

// Declared by the lights, materials and heliodon headers, which the views' header
// (and through it this one) must not need.
class IZinLight;
class IZinProperty;
class IZinTime;

/// How an object stands on what it is put on: labels "Perpendicular", "Vertical".
enum EZinPlacement : int32_t { ePlacementPerpendicular = 0, ePlacementVertical = 1 };
/// Where a definition's model has its origin: labels "Uninitialized", "CenterXYBottom",
/// "CenterXYTop", "CenterXY", "Camera.Target".
enum EZinModelOrigin : int32_t {
  eOriginUninitialized = 0,
  eOriginCenterXYBottom = 1,
  eOriginCenterXYTop = 2,
  eOriginCenterXY = 3,
  eOriginCameraTarget = 4
};
/// How an instance follows an animation path: labels "Normal", "FollowOnPath", "FollowOnPathXY".
enum EZinAnimationBehavior : int32_t { eBehaviorNormal = 0, eBehaviorFollowOnPath = 1, eBehaviorFollowOnPathXY = 2 };
/// Labels "Undefined", "Tree", "Flower", "Bushes", "PottedPlant", "PalmTree", "Cactus", "WaterPlant", "Fern".
enum EZinPlantType : int32_t {
  ePlantUndefined = 0,
  ePlantTree,
  ePlantFlower,
  ePlantBushes,
  ePlantPotted,
  ePlantPalmTree,
  ePlantCactus,
  ePlantWater,
  ePlantFern
};
/// Labels "Undefined" -1, "White", "Red", "Orange", "Rose", "Purple", "LightBlue",
/// "DarkBlue", "Yellow", "Brown".
enum EZinFlowerColor : int32_t {
  eFlowerUndefined = -1,
  eFlowerWhite = 0,
  eFlowerRed,
  eFlowerOrange,
  eFlowerRose,
  eFlowerPurple,
  eFlowerLightBlue,
  eFlowerDarkBlue,
  eFlowerYellow,
  eFlowerBrown
};
/// A billboard instance's rendering: labels "Normal", "Display".
enum EZinBBRenderType : int32_t { eBBRenderNormal = 0, eBBRenderDisplay = 1 };
/// A billboard's faces: labels "Flat", "Uniface" and "Multiface" in an instance,
/// "Multifaces" in a billboard.
enum EZinBBKind : int32_t { eBBFlat = 0, eBBUniface = 1, eBBMultiface = 2 };
/// An animated object's file: labels "Skeleton", "FBX".
enum EZinAnimationFileType : int32_t { eAnimationSkeleton = 0, eAnimationFBX = 1 };
/// A take: labels "Predefined", "OnPath".
enum EZinTakeType : int32_t { eTakePredefined = 0, eTakeOnPath = 1 };

/// One setup of a definition: its id (basic data) and its name.
class IZinZinObjectSetup : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("068EFCD69DBD4CA3964E014A536096A9");
  /// The setup's name, one text per language (borrowed; change it in place). Empty at first.
  virtual IZinString* getNames() = 0;
};

/// A reusable object described once, placed by instances; also the object of an
/// internal component definition. Id and UI value are the basic data's. A text
/// value is a multi-language text owned by the definition (borrowed; change it in
/// place), empty at first; a value outside a label table fails the next write.
class IZinZinObjectDefinition : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("D66FB65A4D0D4A4B876154F36A73045E");
  using IZinZinObjectSetup = ::QvZin::IZinZinObjectSetup;

  /// The class ("" at first; null is stored as ""). A definition with an empty class
  /// is written as an empty element. "3DPlant" and "AnimatedObject" select a kind.
  virtual const char* getClass() = 0;
  virtual void setClass(const char* name) = 0;
  /// The definition's name.
  virtual IZinString* getNames() = 0;
  /// The anchor point; default (0, 0, 0).
  virtual const CZinVector3D& getAnchor() = 0;
  virtual void setAnchor(const CZinVector3D& anchor) = 0;
  /// One of EZinPlacement; default ePlacementPerpendicular.
  virtual int32_t getPlacement() = 0;
  virtual void setPlacement(int32_t placement) = 0;
  /// The up vector; default (0, 1, 0).
  virtual const CZinVector3D& getUpVector() = 0;
  virtual void setUpVector(const CZinVector3D& up) = 0;
  /// The initial angle; default 0.
  virtual double getInitialAngle() = 0;
  virtual void setInitialAngle(double angle) = 0;
  /// The definition's materials (borrowed collection).
  virtual TZinObjectMgr<IZinProperty>* getProperties() = 0;
  /// The id of its light group; default all zero.
  virtual const CZinUUID& getLightGroupId() = 0;
  virtual void setLightGroupId(const CZinUUID& id) = 0;
  /// The model's rotation; default (0, 0, 0).
  virtual const CZinVector3D& getModelRotation() = 0;
  virtual void setModelRotation(const CZinVector3D& rotation) = 0;
  /// The model's rotation matrix; default all zero.
  virtual const CZinMatrix& getModelRotationMatrix() = 0;
  virtual void setModelRotationMatrix(const CZinMatrix& matrix) = 0;
  /// The model's position; default (0, 0, 0).
  virtual const CZinVector3D& getModelPosition() = 0;
  virtual void setModelPosition(const CZinVector3D& position) = 0;
  /// The two descriptions and the comment.
  virtual IZinString* getDescription1() = 0;
  virtual IZinString* getDescription2() = 0;
  virtual IZinString* getComment() = 0;
  /// One of EZinModelOrigin; default eOriginUninitialized.
  virtual int32_t getModelOrigin() = 0;
  virtual void setModelOrigin(int32_t origin) = 0;
  /// The setups (borrowed collection).
  virtual TZinObjectMgr<IZinZinObjectSetup>* getSetups() = 0;
  /// The extended data: an element whose children are written into the
  /// definition's element last (borrowed; edit it in place). A kind's values written
  /// there replace children of the same name.
  virtual QuorveXML::XIXMLElement* getExtendedData() = 0;
};

/// The manager's object definitions, and the names that readMediaInfo finds.
class IZinObjectDefinitionMgr : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("B779F7877B294B5FB884E42A6F53B53A");
  /// The definitions, one "Object.Definition" element each (borrowed collection).
  virtual TZinObjectMgr<IZinZinObjectDefinition>* getDefinitions() = 0;
  /// The names of the definitions of the last readMediaInfo, one entry per language
  /// (cleared when a call starts); owned by the manager, change it in place.
  virtual IZinString* getNames() = 0;
};

/// An object placed in the scene. Name, id and UI value are the basic data's.
/// Defaults: scale (1, 1, 1), up vector (0, 1, 0), visible; every other value zero,
/// false, the all-zero id or the first label. A value outside a label table fails
/// the next write.
class IZinObjectInstance : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("A0993482906A4F35B5818FBC15823458");

  /// The class, which selects the kind (see the top of this file); "" at first.
  virtual const char* getClass() = 0;
  virtual void setClass(const char* name) = 0;
  /// The id of the object it is attached to.
  virtual const CZinUUID& getAttachId() = 0;
  virtual void setAttachId(const CZinUUID& id) = 0;
  virtual const CZinVector3D& getNormal() = 0;
  virtual void setNormal(const CZinVector3D& normal) = 0;
  virtual const CZinVector3D& getTranslation() = 0;
  virtual void setTranslation(const CZinVector3D& translation) = 0;
  virtual const CZinVector3D& getRotation() = 0;
  virtual void setRotation(const CZinVector3D& rotation) = 0;
  virtual const CZinVector3D& getScale() = 0;
  virtual void setScale(const CZinVector3D& scale) = 0;
  /// The index of the triangle it stands on.
  virtual int32_t getTriangleId() = 0;
  virtual void setTriangleId(int32_t triangle) = 0;
  virtual const CZinVector3D& getAnchorPosition() = 0;
  virtual void setAnchorPosition(const CZinVector3D& anchor) = 0;
  virtual const CZinVector3D& getUpVector() = 0;
  virtual void setUpVector(const CZinVector3D& up) = 0;
  /// One of EZinPlacement.
  virtual int32_t getPlacementProperty() = 0;
  virtual void setPlacementProperty(int32_t placement) = 0;
  virtual double getInitialAngle() = 0;
  virtual void setInitialAngle(double angle) = 0;
  /// The bounding box's corners.
  virtual const CZinVector3D& getBoundingBoxMin() = 0;
  virtual void setBoundingBoxMin(const CZinVector3D& corner) = 0;
  virtual const CZinVector3D& getBoundingBoxMax() = 0;
  virtual void setBoundingBoxMax(const CZinVector3D& corner) = 0;
  virtual bool getCoordinatesLocked() = 0;
  virtual void setCoordinatesLocked(bool locked) = 0;
  virtual bool getScaleLocked() = 0;
  virtual void setScaleLocked(bool locked) = 0;
  virtual const CZinVector3D& getCurrentPathDirection() = 0;
  virtual void setCurrentPathDirection(const CZinVector3D& direction) = 0;
  /// One of EZinAnimationBehavior.
  virtual int32_t getAnimationBehavior() = 0;
  virtual void setAnimationBehavior(int32_t behavior) = 0;
  virtual bool getTarget() = 0;
  virtual void setTarget(bool target) = 0;
  virtual double getTransparency() = 0;
  virtual void setTransparency(double transparency) = 0;
  /// The id of its layer.
  virtual const CZinUUID& getLayerId() = 0;
  virtual void setLayerId(const CZinUUID& id) = 0;
  virtual bool getMaterialsDifferent() = 0;
  virtual void setMaterialsDifferent(bool different) = 0;
  virtual bool getVisible() = 0;
  virtual void setVisible(bool visible) = 0;
  virtual const CZinUUID& getOverloadId() = 0;
  virtual void setOverloadId(const CZinUUID& id) = 0;
  virtual bool getOptimised() = 0;
  virtual void setOptimised(bool optimised) = 0;
  virtual bool getSubInstance() = 0;
  virtual void setSubInstance(bool sub) = 0;
  /// What "Instance.Data" holds beyond the kind's values (all of it under a class
  /// of no kind): an element the instance owns (borrowed; edit it in place).
  virtual QuorveXML::XIXMLElement* getInstanceData() = 0;
};

/// A library object instance ("ZinObject", "LightObject"); also the library part
/// of billboard and animated instances.
class IZinZinObjectInstance : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("5F0E2B7C1A9D4C6E8B3F7A2D9C4E1B60");
  /// The selected overload; default all zero.
  virtual const CZinUUID& getCurrentOverload() = 0;
  virtual void setCurrentOverload(const CZinUUID& id) = 0;
  /// The instance's materials (borrowed collection).
  virtual TZinObjectMgr<IZinProperty>* getProperties() = 0;
  /// The instance's own lights (borrowed collection).
  virtual TZinObjectMgr<IZinLight>* getLights() = 0;
};

/// A billboard instance ("Billboard"). Defaults zero, false and the first label.
class IZinBBObjectInstance : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("9A4C3E1F6B2D4E8A9C7B5D3F1E2A4C6B");
  virtual bool getOrientWithCamera() = 0;
  virtual void setOrientWithCamera(bool orient) = 0;
  virtual bool getVerticalFlip() = 0;
  virtual void setVerticalFlip(bool flip) = 0;
  virtual bool getHorizontalFlip() = 0;
  virtual void setHorizontalFlip(bool flip) = 0;
  /// One of EZinBBRenderType.
  virtual int32_t getRenderType() = 0;
  virtual void setRenderType(int32_t type) = 0;
  virtual double getShininess() = 0;
  virtual void setShininess(double shininess) = 0;
  virtual double getRoughness() = 0;
  virtual void setRoughness(double roughness) = 0;
  virtual double getBrightness() = 0;
  virtual void setBrightness(double brightness) = 0;
  virtual double getContrast() = 0;
  virtual void setContrast(double contrast) = 0;
  /// One of EZinBBKind.
  virtual int32_t getKind() = 0;
  virtual void setKind(int32_t kind) = 0;
  virtual double getDefinitionSize() = 0;
  virtual void setDefinitionSize(double size) = 0;
  /// The name of the billboard's definition (borrowed; change it in place).
  virtual IZinString* getDefinitionName() = 0;
  virtual int32_t getCurrentConfig() = 0;
  virtual void setCurrentConfig(int32_t config) = 0;
  /// The materials that replace the definition's (borrowed collection).
  virtual TZinObjectMgr<IZinProperty>* getOverloadedProperties() = 0;
};

/// A plant instance ("3DPlant").
class IZin3DPlantRef : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("2B8D6F4A1C3E4B7D9A5C8E2F6B4D1A3C");
  /// Whether its season follows the heliodon's date; default false.
  virtual bool getHeliodonAttached() = 0;
  virtual void setHeliodonAttached(bool attached) = 0;
  /// Its date (owned by the instance; change it in place); the clock's at first.
  virtual IZinTime* getTime() = 0;
  /// One of EZinFlowerColor; default eFlowerUndefined.
  virtual int32_t getColor() = 0;
  virtual void setColor(int32_t color) = 0;
};

/// A plant group ("3DPlantGroupInstances"): a plant instance's values.
class IZinGroupInstances : public IZin3DPlantRef {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("7C1E9A3B5D2F4A6C8E4B2D9F1A7C3E5B");
};

/// An animated object instance ("AnimatedObject"). Defaults 0.
class IZinAnimatedObjectInstance : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("4E6A8C2B9D1F4E3A7B5C9D2E8F6A4B1C");
  virtual int32_t getCurrentFrame() = 0;
  virtual void setCurrentFrame(int32_t frame) = 0;
  virtual int32_t getCurrentTake() = 0;
  virtual void setCurrentTake(int32_t take) = 0;
  virtual int32_t getRealDuration() = 0;
  virtual void setRealDuration(int32_t duration) = 0;
  virtual int32_t getStartFrame() = 0;
  virtual void setStartFrame(int32_t frame) = 0;
  /// The materials that replace the definition's (borrowed collection).
  virtual TZinObjectMgr<IZinProperty>* getOverloadedProperties() = 0;
};

/// An internal component instance ("ModelObject").
class IZinInternalComponentInstance : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("8D2F4B6A1E3C4D5B9A7E2C8F4D6B1A3E");
  /// The id of its internal component definition; default all zero.
  virtual const CZinUUID& getComponentId() = 0;
  virtual void setComponentId(const CZinUUID& id) = 0;
  /// The instance's materials (borrowed collection).
  virtual TZinObjectMgr<IZinProperty>* getProperties() = 0;
};

/// A layer: a named id that groups instances for visibility (basic data only).
class IZinLayer : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("44B3C0649EB84B6CB315019357CFCA06");
};

/// The active layer and the default layer of each object kind.
class IZinLayerInfo : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("317A332464B64455A11DEEA52767AB23");
  /// The active layer's id; default all zero.
  virtual const CZinUUID& getActiveLayer() = 0;
  virtual void setActiveLayer(const CZinUUID& id) = 0;
  /// The default layer of an object kind: "3DPlant", "3DPlantGroupInstances",
  /// "ZinObject", "Billboard", "LightObject" or "AnimatedObject"; all zero at first
  /// and for any other key.
  virtual const CZinUUID& getDefaultLayer(const char* kind) = 0;
  /// Sets it; any other key (or null) warns "setDefaultLayer: Unknown object kind"
  /// and changes nothing.
  virtual void setDefaultLayer(const char* kind, const CZinUUID& id) = 0;
};

/// A 3D plant, the kind of a definition of class "3DPlant".
class IZin3DPlant : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("CCFC205EFD34406C827BC98F21F2B828");

  /// One setup of a plant: a season with its flower colour (a plain record, owned
  /// by its list).
  class IPlantSetUp {
  public:
    static constexpr CZinUUID sIID = CZinUUID::fromText("AE92E7E3E3674EE58903EF7135AABA0F");
    /// The season's first and last dates (owned by the setup; change them in place).
    virtual IZinTime* getStartTime() = 0;
    virtual IZinTime* getEndTime() = 0;
    /// One of EZinFlowerColor; default eFlowerUndefined.
    virtual int32_t getColor() = 0;
    virtual void setColor(int32_t color) = 0;
    /// The setup's id; a new setup draws one.
    virtual const CZinUUID& getId() = 0;
    virtual void setId(const CZinUUID& id) = 0;

  protected:
    ~IPlantSetUp() = default;
  };

  /// One of EZinPlantType; default ePlantUndefined.
  virtual int32_t getPlantType() = 0;
  virtual void setPlantType(int32_t type) = 0;
  /// The setups (borrowed collection).
  virtual TZinObjectMgr<IPlantSetUp>* getPlantSetups() = 0;
};

/// The animation source of animated instances, the kind of a definition of class
/// "AnimatedObject".
class IZinAnimatedObject : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("FB32D07A28F64AEC8EBCD0E34A9B04C6");

  /// One take of an animated object. Defaults 0 and the first label.
  class IZinTake : public IZinBasic {
  public:
    static constexpr CZinUUID sIID = CZinUUID::fromText("4353E20F821A4B559ABED24926213674");
    /// In frames.
    virtual int32_t getDuration() = 0;
    virtual void setDuration(int32_t frames) = 0;
    virtual int32_t getFPS() = 0;
    virtual void setFPS(int32_t fps) = 0;
    /// The take's name (borrowed; change it in place).
    virtual IZinString* getNames() = 0;
    virtual double getZMin() = 0;
    virtual void setZMin(double z) = 0;
    /// One of EZinTakeType.
    virtual int32_t getType() = 0;
    virtual void setType(int32_t type) = 0;
    virtual double getZAngle() = 0;
    virtual void setZAngle(double angle) = 0;
  };

  /// The animation file; "" at first.
  virtual const char* getExternalFile() = 0;
  virtual void setExternalFile(const char* file) = 0;
  /// One of EZinAnimationFileType; default eAnimationSkeleton.
  virtual int32_t getExternalFileType() = 0;
  virtual void setExternalFileType(int32_t type) = 0;
  virtual int32_t getIndex() = 0;
  virtual void setIndex(int32_t index) = 0;
  /// Default all zero.
  virtual const CZinMatrix& getInitialMatrix() = 0;
  virtual void setInitialMatrix(const CZinMatrix& matrix) = 0;
  /// The takes (borrowed collection).
  virtual TZinObjectMgr<IZinTake>* getTakes() = 0;
};
using IZinTake = IZinAnimatedObject::IZinTake;

/// One quad of a billboard: its triangles' text, carried as written.
class IZinQuad : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("FD1EDBBF36464892AD10ACA7F668CD5C");
  /// The quad's element, its "Triangle" children with "Pt.0", "Pt.1", "Pt.2"
  /// (borrowed; edit it in place).
  virtual QuorveXML::XIXMLElement* getTriangles() = 0;
};

/// A billboard: a flat, textured substitute for an object.
class IZinBillboard : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("7F8F6684280C4FD38E8E266492B3BA1C");

  /// The quads (borrowed collection).
  virtual TZinObjectMgr<IZinQuad>* getQuads() = 0;
  /// The texture's frame.
  virtual const CZinVector3D& getTextureOrigin() = 0;
  virtual void setTextureOrigin(const CZinVector3D& origin) = 0;
  virtual const CZinVector3D& getTextureXAxis() = 0;
  virtual void setTextureXAxis(const CZinVector3D& axis) = 0;
  virtual const CZinVector3D& getTextureYAxis() = 0;
  virtual void setTextureYAxis(const CZinVector3D& axis) = 0;
  virtual double getTextureWidth() = 0;
  virtual void setTextureWidth(double width) = 0;
  virtual double getTextureHeight() = 0;
  virtual void setTextureHeight(double height) = 0;
  /// The texture's "CutOut1", "CutOut2" and "CutSet" elements, carried as written
  /// (borrowed; edit them in place).
  virtual QuorveXML::XIXMLElement* getCutOut1() = 0;
  virtual QuorveXML::XIXMLElement* getCutOut2() = 0;
  virtual QuorveXML::XIXMLElement* getCutSet() = 0;
  /// The "Names" element, one child per name, carried as written (borrowed; edit
  /// it in place).
  virtual QuorveXML::XIXMLElement* getNames() = 0;
  /// One of EZinBBKind; default eBBFlat.
  virtual int32_t getBehavior() = 0;
  virtual void setBehavior(int32_t kind) = 0;
  virtual int32_t getNbFaces() = 0;
  virtual void setNbFaces(int32_t faces) = 0;
  virtual bool getAnimate() = 0;
  virtual void setAnimate(bool animate) = 0;
  virtual double getScale() = 0;
  virtual void setScale(double scale) = 0;
  virtual const CZinVector3D& getNormal() = 0;
  virtual void setNormal(const CZinVector3D& normal) = 0;
};

/// The data of one billboard of the scene: the texts the format carries as
/// written ("Mgr.Info", "Property") and the billboard.
class IZinBBMgrData : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("69CD816C01F74E708B0380DAB7E3C399");
  /// The "Mgr.Info" element (borrowed; edit it in place).
  virtual QuorveXML::XIXMLElement* getMgrInfo() = 0;
  /// The "Property" element (borrowed; edit it in place).
  virtual QuorveXML::XIXMLElement* getProperty() = 0;
  /// The billboard (borrowed).
  virtual IZinBillboard* getBillboard() = 0;
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
