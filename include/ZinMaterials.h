// Materials: properties, the shader graph of each property, the nodes of that graph,
// and the plain parts of texture nodes.
//
// A property's shader graph (IZinTCE) is itself the root node of a tree of typed
// nodes (ITCENode); its first child is the material's top node. Nodes are counted:
// a parent holds one reference to each child and a weak link goes back up, so a
// tree dies with its last outside reference. Every node operation that a client can
// get wrong (a bad index, a null node, a node that would become its own descendant)
// does nothing instead of failing.
#pragma once

#include "ZinBase.h"
#include "ZinObjectMgr.h"
#include "ZinValues.h"
#include "ZinXML.h"

namespace QvZin {

/// The kinds of node. The value is what ITCENode::getType answers; a node's element
/// carries the kind's label in its "Type" attribute.
enum ETCENodeType : int32_t {
  eRootNode = 0,            ///< "Root": the shader graph itself; never created alone
  eChessNode = 1,           ///< "Chess": a 3D checker of two sub-nodes
  eMappingNode = 2,         ///< "Mapping": an image mapped onto the surface
  eTurbulenceNode = 3,      ///< "Turbulence"
  eLeafNode = 4,            ///< "Leaf": a terminal shading node
  eFresnelNode = 5,         ///< "Fresnel"
  eFresnelDiffuseNode = 6,  ///< "FresnelDiffuse"
  eGlazingNode = 7,         ///< "Glazing": water and glass
  eAltitudeNode = 8,        ///< "Altitude": bands by height
  eMultiTextureNode = 9,    ///< "MultiTexture"
  eWangTilesNode = 10,      ///< "WangTexture"
  eCustomNode = 11          ///< "Custom": client XML
};

class IRootNode;
class IChessNode;
class IMappingNode;
class ITurbulenceNode;
class ILeafNode;
class IFresnelNode;
class IFresnelDiffuseNode;
class IGlazingNode;
class IAltitudeNode;
class IMultiTextureNode;
class IWangTilesNode;
class ICustomNode;
class IZinMap;
class IZinSubPart;
class IZinMultiMaps;

/// A node of a shader graph. Obtain one from IZinTCE::createNode. Only nodes made by
/// this library can be attached: the tree operations ignore any other object.
class ITCENode : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("7A3E5C1D9B2F4E6A8C0D1B3F5E7A9C2B");

  /// The parent with one new reference for the caller, or null (the root, a
  /// detached node, or a parent that no longer exists).
  virtual ITCENode* getParent() = 0;
  /// Keeps a weak link to node as the parent (null clears it). The child operations
  /// set and clear it themselves.
  virtual void setParent(ITCENode* node) = 0;
  /// The number of children.
  virtual uint32_t getChildCount() = 0;
  /// The child at index (borrowed), or null when index is not below the count.
  virtual ITCENode* getChild(uint32_t index) = 0;
  /// index = count appends node; index < count replaces that child (node gains a
  /// reference, the old child loses one and, when its parent is this node, its
  /// parent link); index > count does nothing. node's parent becomes this node. A
  /// null node, this node or one of its ancestors does nothing.
  virtual void setChild(uint32_t index, ITCENode* node) = 0;
  /// Appends node, taking a reference, and makes this node its parent. A null node,
  /// this node or one of its ancestors does nothing.
  virtual void addChild(ITCENode* node) = 0;
  /// Removes the child at index and releases it, clearing its parent link when it
  /// points here; an index not below the count does nothing.
  virtual void removeChild(uint32_t index) = 0;
  /// The node's identifier (a new one at creation).
  virtual const CZinUUID& getId() = 0;
  virtual void setId(const CZinUUID& id) = 0;
  /// This node when its identifier is id; otherwise the first hit of a depth-first
  /// search of the children from the last to the first; null when no node of the
  /// tree bears id. Borrowed.
  virtual ITCENode* findNode(const CZinUUID& id) = 0;
  /// A value free for the client; 0 at creation. The shader graph's is its own.
  virtual int32_t getUIValue() = 0;
  virtual void setUIValue(int32_t value) = 0;
  /// The node's kind.
  virtual ETCENodeType getType() = 0;
  /// The node's kind interface (borrowed) when it is of that kind, otherwise null.
  virtual IRootNode* asRootNode() = 0;
  virtual IChessNode* asChessNode() = 0;
  virtual IMappingNode* asMappingNode() = 0;
  virtual ITurbulenceNode* asTurbulenceNode() = 0;
  virtual ILeafNode* asLeafNode() = 0;
  virtual IFresnelNode* asFresnelNode() = 0;
  virtual IFresnelDiffuseNode* asFresnelDiffuseNode() = 0;
  virtual IGlazingNode* asGlazingNode() = 0;
  virtual ICustomNode* asCustomNode() = 0;
  virtual IAltitudeNode* asAltitudeNode() = 0;
  virtual IMultiTextureNode* asMultiTextureNode() = 0;
  virtual IWangTilesNode* asWangTilesNode() = 0;
  /// Reserved casts: always null.
  virtual ITCENode* asReservedNode1() = 0;
  virtual ITCENode* asReservedNode2() = 0;
  virtual ITCENode* asReservedNode3() = 0;
  /// Whether the node is marked as a material's shader node; false at creation.
  virtual bool isShader() = 0;
  virtual void setShader(bool flag) = 0;
};

/// The root node's kind: the shader graph seen as a node.
class IRootNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("3C8E1A5F7B9D4C2E6A0F8B1D3E5C7A92");
  static constexpr ETCENodeType sType = eRootNode;
};

// The kinds of texture and procedural node. Each interface adds the accessors of
// its kind's settings.

/// Two sub-nodes in a 3D checker pattern.
class IChessNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("B14F2A6C8E0D4B3A9C5E7F1A2D4B6C81");
  static constexpr ETCENodeType sType = eChessNode;

  /// Default (0, 0, 0).
  virtual const CZinVector3D& getOrigin() = 0;
  virtual void setOrigin(const CZinVector3D& origin) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getXAxis() = 0;
  virtual void setXAxis(const CZinVector3D& xaxis) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getYAxis() = 0;
  virtual void setYAxis(const CZinVector3D& yaxis) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getZAxis() = 0;
  virtual void setZAxis(const CZinVector3D& zaxis) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getSize() = 0;
  virtual void setSize(const CZinVector3D& size) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getProportion() = 0;
  virtual void setProportion(const CZinVector3D& proportion) = 0;
  /// Default false.
  virtual bool getChecker() = 0;
  virtual void setChecker(bool checker) = 0;
  /// Default false.
  virtual bool getSmooth() = 0;
  virtual void setSmooth(bool smooth) = 0;
  /// One of "Cylinder" 0, "Sphere" 1, "Cube" 2; default 2 (a value outside them fails the next write).
  virtual int32_t getGeometry() = 0;
  virtual void setGeometry(int32_t geometry) = 0;
  /// The float table "Table1" (borrowed; edit it in place); empty by default.
  virtual ITable* getTable1() = 0;
  /// The float table "Table2" (borrowed; edit it in place); empty by default.
  virtual ITable* getTable2() = 0;
  /// The float table "Table3" (borrowed; edit it in place); empty by default.
  virtual ITable* getTable3() = 0;
};

/// An image mapped onto the surface.
class IMappingNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("C25A3B7D9F1E4C4B8D6F0A2B3E5C7D92");
  static constexpr ETCENodeType sType = eMappingNode;

  /// The maps (borrowed collection); empty by default.
  virtual TZinObjectMgr<IZinMap>* getMaps() = 0;
  /// The number of linked maps: other mapping nodes whose image settings this one shares.
  virtual uint32_t getMapLinkedCount() = 0;
  /// The identifier of linked map index; an index not below the count warns
  /// "CMappingNode::getMapLinked - Invalid index" and gives the all-zero identifier.
  virtual CZinUUID getMapLinked(uint32_t index) = 0;
  /// Appends id; the all-zero id warns "CMappingNode::addLinkedMap - NULL UUID is Invalid",
  /// an id already linked "CMappingNode::addLinkedMap - Map already linked", and neither is added.
  virtual void addLinkedMap(const CZinUUID& id) = 0;
  /// Removes id; one that is not linked warns "CMappingNode::removeLinkedMap - Map isn't linked".
  virtual void removeLinkedMap(const CZinUUID& id) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getNormal() = 0;
  virtual void setNormal(const CZinVector3D& normal) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getOrigin() = 0;
  virtual void setOrigin(const CZinVector3D& origin) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getXAxis() = 0;
  virtual void setXAxis(const CZinVector3D& xaxis) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getYAxis() = 0;
  virtual void setYAxis(const CZinVector3D& yaxis) = 0;
  /// Default 0.
  virtual double getAngle() = 0;
  virtual void setAngle(double angle) = 0;
  /// Default 1.
  virtual double getWidth() = 0;
  virtual void setWidth(double width) = 0;
  /// Default 1.
  virtual double getHeight() = 0;
  virtual void setHeight(double height) = 0;
  /// Default 0.
  virtual double getBump() = 0;
  virtual void setBump(double bump) = 0;
  /// Default 0.
  virtual double getRelief() = 0;
  virtual void setRelief(double relief) = 0;
  /// Default 0.5.
  virtual double getXCenter() = 0;
  virtual void setXCenter(double xcenter) = 0;
  /// Default 0.5.
  virtual double getYCenter() = 0;
  virtual void setYCenter(double ycenter) = 0;
  /// Default 0.
  virtual double getXDelta() = 0;
  virtual void setXDelta(double xdelta) = 0;
  /// Default 0.
  virtual double getYDelta() = 0;
  virtual void setYDelta(double ydelta) = 0;
  /// Default 1000.
  virtual double getGlossy() = 0;
  virtual void setGlossy(double glossy) = 0;
  /// Default false.
  virtual bool getXRepeat() = 0;
  virtual void setXRepeat(bool xrepeat) = 0;
  /// Default false.
  virtual bool getYRepeat() = 0;
  virtual void setYRepeat(bool yrepeat) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getSpecular() = 0;
  virtual void setSpecular(const CZinColor& specular) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getTransparent() = 0;
  virtual void setTransparent(const CZinColor& transparent) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getReflection() = 0;
  virtual void setReflection(const CZinColor& reflection) = 0;
  /// Default 0.
  virtual double getReflectionLimit() = 0;
  virtual void setReflectionLimit(double reflectionLimit) = 0;
  /// Whether cut-out colour 1 is used; false by default. Only a used one is written.
  virtual bool getCutOut1Flag() = 0;
  virtual void setCutOut1Flag(bool used) = 0;
  /// Cut-out colour 1; default 0/0/0.
  virtual const CZinColor& getCutOut1() = 0;
  virtual void setCutOut1(const CZinColor& colour) = 0;
  /// Whether cut-out colour 2 is used; false by default. Only a used one is written.
  virtual bool getCutOut2Flag() = 0;
  virtual void setCutOut2Flag(bool used) = 0;
  /// Cut-out colour 2; default 0/0/0.
  virtual const CZinColor& getCutOut2() = 0;
  virtual void setCutOut2(const CZinColor& colour) = 0;
  /// Default false.
  virtual bool getCutSet() = 0;
  virtual void setCutSet(bool cutSet) = 0;
  /// Default false.
  virtual bool getCutAlpha() = 0;
  virtual void setCutAlpha(bool cutAlpha) = 0;
  /// Default false.
  virtual bool getXInvert() = 0;
  virtual void setXInvert(bool xinvert) = 0;
  /// Default false.
  virtual bool getYInvert() = 0;
  virtual void setYInvert(bool yinvert) = 0;
  /// Default false.
  virtual bool getXMirror() = 0;
  virtual void setXMirror(bool xmirror) = 0;
  /// Default false.
  virtual bool getYMirror() = 0;
  virtual void setYMirror(bool ymirror) = 0;
  /// Default false.
  virtual bool getAlphaBump() = 0;
  virtual void setAlphaBump(bool alphaBump) = 0;
  /// Default false.
  virtual bool getAlphaTransparency() = 0;
  virtual void setAlphaTransparency(bool alphaTransparency) = 0;
  /// One of "Planetary" 0 to "Planar" 8; default 5, "X.Cylindrical" (a value outside them fails the next write).
  virtual int32_t getProjection() = 0;
  virtual void setProjection(int32_t projection) = 0;
  /// Default true.
  virtual bool getVisible() = 0;
  virtual void setVisible(bool visible) = 0;
  /// Default false.
  virtual bool getMix() = 0;
  virtual void setMix(bool mix) = 0;
  /// Default 127/127/127.
  virtual const CZinColor& getMixColor() = 0;
  virtual void setMixColor(const CZinColor& mixColor) = 0;
  /// Default 0.
  virtual double getMixValue() = 0;
  virtual void setMixValue(double mixValue) = 0;
  /// Default false.
  virtual bool getMipmap() = 0;
  virtual void setMipmap(bool mipmap) = 0;
  /// Default false.
  virtual bool getTrilinearFilter() = 0;
  virtual void setTrilinearFilter(bool trilinearFilter) = 0;
  /// Default false.
  virtual bool getDisplayMode() = 0;
  virtual void setDisplayMode(bool displayMode) = 0;
  /// Default 0.
  virtual double getBrightness() = 0;
  virtual void setBrightness(double brightness) = 0;
  /// Default 1.
  virtual double getContrast() = 0;
  virtual void setContrast(double contrast) = 0;
  /// Default 0.
  virtual int32_t getFrame() = 0;
  virtual void setFrame(int32_t frame) = 0;
  /// Default 0.
  virtual int32_t getMovieLength() = 0;
  virtual void setMovieLength(int32_t movieLength) = 0;
  /// Default 0.
  virtual double getNormalMap() = 0;
  virtual void setNormalMap(double normalMap) = 0;
};

/// A turbulence pattern.
class ITurbulenceNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("D36B4C8E0A2F4D5C9E7A1B3C4F6D8EA3");
  static constexpr ETCENodeType sType = eTurbulenceNode;

  /// Default (0, 0, 0).
  virtual const CZinVector3D& getOrigin() = 0;
  virtual void setOrigin(const CZinVector3D& origin) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getAmplitude() = 0;
  virtual void setAmplitude(const CZinVector3D& amplitude) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getDirection() = 0;
  virtual void setDirection(const CZinVector3D& direction) = 0;
  /// Default 0.
  virtual double getSize() = 0;
  virtual void setSize(double size) = 0;
  /// The float table "Table" (borrowed; edit it in place); empty by default.
  virtual ITable* getTable() = 0;
};

/// A terminal shading node.
class ILeafNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("E47C5D9F1B3A4E6DAF8B2C4D5A7E9FB4");
  static constexpr ETCENodeType sType = eLeafNode;

  /// One of "General" 0, "Bulb" 1, "Plane" 2; default 0 (a value outside them fails the next write).
  virtual int32_t getShape() = 0;
  virtual void setShape(int32_t shape) = 0;
  /// Default 100/100/100.
  virtual const CZinColor& getDiffuse() = 0;
  virtual void setDiffuse(const CZinColor& diffuse) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getTransparent() = 0;
  virtual void setTransparent(const CZinColor& transparent) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getSpecular() = 0;
  virtual void setSpecular(const CZinColor& specular) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getReflection() = 0;
  virtual void setReflection(const CZinColor& reflection) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getNeonColor() = 0;
  virtual void setNeonColor(const CZinColor& neonColor) = 0;
  /// Default 0.
  virtual double getNeonValue() = 0;
  virtual void setNeonValue(double neonValue) = 0;
  /// Default 1.
  virtual double getRefraction() = 0;
  virtual void setRefraction(double refraction) = 0;
  /// Default 1000.
  virtual double getGlossy() = 0;
  virtual void setGlossy(double glossy) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getEmittingColor() = 0;
  virtual void setEmittingColor(const CZinColor& emittingColor) = 0;
  /// Default 0.
  virtual double getEmittingPower() = 0;
  virtual void setEmittingPower(double emittingPower) = 0;
  /// Default 0.
  virtual double getReflectionLimit() = 0;
  virtual void setReflectionLimit(double reflectionLimit) = 0;
  /// One of "Phong" 0, "Cook.Torrance" 1; default 0 (a value outside them fails the next write).
  virtual int32_t getIlluminationModel() = 0;
  virtual void setIlluminationModel(int32_t illuminationModel) = 0;
  /// Default 0.
  virtual int32_t getGlossyReflectionSampling() = 0;
  virtual void setGlossyReflectionSampling(int32_t glossyReflectionSampling) = 0;
  /// Default 0.
  virtual int32_t getGlossyRefractionSampling() = 0;
  virtual void setGlossyRefractionSampling(int32_t glossyRefractionSampling) = 0;
  /// Default 0.
  virtual double getRoughness() = 0;
  virtual void setRoughness(double roughness) = 0;
  /// Default 1.
  virtual double getReflectance() = 0;
  virtual void setReflectance(double reflectance) = 0;
  /// Default 1.
  virtual int32_t getGlossyReflectionShininess() = 0;
  virtual void setGlossyReflectionShininess(int32_t glossyReflectionShininess) = 0;
  /// Default 1.
  virtual int32_t getGlossyRefractionShininess() = 0;
  virtual void setGlossyRefractionShininess(int32_t glossyRefractionShininess) = 0;
};

/// A Fresnel mix over its sub-node.
class IFresnelNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("F58D6EA02C4B4F7EB09C3D5E6B8FA0C5");
  static constexpr ETCENodeType sType = eFresnelNode;

  /// Default 0.05; below 0 stores 0 and warns "IFresnelNode::setMinReflection - Value is lower than 0", above 1 stores 1 and warns "IFresnelNode::setMinReflection - Value is higer than 1".
  virtual double getMinReflection() = 0;
  virtual void setMinReflection(double minReflection) = 0;
  /// Default 5; any value is stored.
  virtual double getPowerFactor() = 0;
  virtual void setPowerFactor(double powerFactor) = 0;
};

/// A diffuse Fresnel mix over its sub-node: the Fresnel node's settings, rules and
/// messages ("IFresnelNode::" ones included).
class IFresnelDiffuseNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("069E7FB13D5C4A8FC1AD4E6F7C9AB1D6");
  static constexpr ETCENodeType sType = eFresnelDiffuseNode;

  /// Default 0.05; below 0 stores 0 and warns "IFresnelNode::setMinReflection - Value is lower than 0", above 1 stores 1 and warns "IFresnelNode::setMinReflection - Value is higer than 1".
  virtual double getMinReflection() = 0;
  virtual void setMinReflection(double minReflection) = 0;
  /// Default 5; any value is stored.
  virtual double getPowerFactor() = 0;
  virtual void setPowerFactor(double powerFactor) = 0;
};

/// A water or glass surface.
class IGlazingNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("17AF80C24E6D4B90D2BE5F708DABC2E7");
  static constexpr ETCENodeType sType = eGlazingNode;

  /// Default 50.
  virtual double getXScale() = 0;
  virtual void setXScale(double xscale) = 0;
  /// Default 50.
  virtual double getYScale() = 0;
  virtual void setYScale(double yscale) = 0;
  /// Default 0.5.
  virtual double getFlatness() = 0;
  virtual void setFlatness(double flatness) = 0;
  /// Default true.
  virtual bool getTiltDetect() = 0;
  virtual void setTiltDetect(bool tiltDetect) = 0;
  /// Default 0.5.
  virtual double getTiltFactor() = 0;
  virtual void setTiltFactor(double tiltFactor) = 0;
  /// Default false.
  virtual bool getAnimation() = 0;
  virtual void setAnimation(bool animation) = 0;
  /// Default 2.
  virtual double getSpeed() = 0;
  virtual void setSpeed(double speed) = 0;
};

/// Texture bands by height.
class IAltitudeNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("28B091D35F7E4CA1E3CF60819EBCD3F8");
  static constexpr ETCENodeType sType = eAltitudeNode;

  /// Default 0.
  virtual double getAngle() = 0;
  virtual void setAngle(double angle) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getOrigin() = 0;
  virtual void setOrigin(const CZinVector3D& origin) = 0;
  /// Default 0.
  virtual double getXCenter() = 0;
  virtual void setXCenter(double xcenter) = 0;
  /// Default 0.
  virtual double getYCenter() = 0;
  virtual void setYCenter(double ycenter) = 0;
  /// Default 0.7.
  virtual double getHighStartValue() = 0;
  virtual void setHighStartValue(double highStartValue) = 0;
  /// Default 0.5.
  virtual double getMedStartValue() = 0;
  virtual void setMedStartValue(double medStartValue) = 0;
  /// Default 1.
  virtual double getSmoothness() = 0;
  virtual void setSmoothness(double smoothness) = 0;
  /// Default 0.
  virtual double getSlope() = 0;
  virtual void setSlope(double slope) = 0;
  /// Default 1.
  virtual double getSlopeAmplify() = 0;
  virtual void setSlopeAmplify(double slopeAmplify) = 0;
  /// Default 0.8.
  virtual double getTransitionContrast() = 0;
  virtual void setTransitionContrast(double transitionContrast) = 0;
  /// Default 0.
  virtual double getRandomSeed() = 0;
  virtual void setRandomSeed(double randomSeed) = 0;
  /// Default 0.
  virtual double getBump() = 0;
  virtual void setBump(double bump) = 0;
  /// Default 0.
  virtual double getNormalMap() = 0;
  virtual void setNormalMap(double normalMap) = 0;
  /// Default false.
  virtual bool getMix() = 0;
  virtual void setMix(bool mix) = 0;
  /// Default 0.
  virtual double getMixValue() = 0;
  virtual void setMixValue(double mixValue) = 0;
  /// Default 127/127/127.
  virtual const CZinColor& getMixColor() = 0;
  virtual void setMixColor(const CZinColor& mixColor) = 0;
  /// The texture sub-parts (borrowed collection); empty by default.
  virtual TZinObjectMgr<IZinSubPart>* getSubParts() = 0;
};

/// A mix of several textures.
class IMultiTextureNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("39C1A2E4608F4DB2F4D071920FCDE409");
  static constexpr ETCENodeType sType = eMultiTextureNode;

  /// One of "Planetary" 0 to "Planar" 8; default 2, "Vertical" (a value outside them fails the next write).
  virtual int32_t getProjection() = 0;
  virtual void setProjection(int32_t projection) = 0;
  /// Default 0.
  virtual double getAngle() = 0;
  virtual void setAngle(double angle) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getOrigin() = 0;
  virtual void setOrigin(const CZinVector3D& origin) = 0;
  /// Default 0.
  virtual double getXCenter() = 0;
  virtual void setXCenter(double xcenter) = 0;
  /// Default 0.
  virtual double getYCenter() = 0;
  virtual void setYCenter(double ycenter) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getNormal() = 0;
  virtual void setNormal(const CZinVector3D& normal) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getXAxis() = 0;
  virtual void setXAxis(const CZinVector3D& xaxis) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getYAxis() = 0;
  virtual void setYAxis(const CZinVector3D& yaxis) = 0;
  /// The texture sub-parts (borrowed collection); empty by default.
  virtual TZinObjectMgr<IZinSubPart>* getSubParts() = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getReflection() = 0;
  virtual void setReflection(const CZinColor& reflection) = 0;
  /// Default 0.
  virtual double getReflectionLimit() = 0;
  virtual void setReflectionLimit(double reflectionLimit) = 0;
  /// Default 1000.
  virtual double getGlossy() = 0;
  virtual void setGlossy(double glossy) = 0;
  /// Default 0.
  virtual double getBump() = 0;
  virtual void setBump(double bump) = 0;
  /// Default 0.
  virtual double getNormalMap() = 0;
  virtual void setNormalMap(double normalMap) = 0;
  /// Default false.
  virtual bool getMix() = 0;
  virtual void setMix(bool mix) = 0;
  /// Default 0.
  virtual double getMixValue() = 0;
  virtual void setMixValue(double mixValue) = 0;
  /// Default 127/127/127.
  virtual const CZinColor& getMixColor() = 0;
  virtual void setMixColor(const CZinColor& mixColor) = 0;
  /// Default 0.5.
  virtual double getThreshold1() = 0;
  virtual void setThreshold1(double threshold1) = 0;
  /// Default 0.8.
  virtual double getThreshold2() = 0;
  virtual void setThreshold2(double threshold2) = 0;
  /// Default 0.2.
  virtual double getTransition() = 0;
  virtual void setTransition(double transition) = 0;
  /// Default 512.
  virtual double getResolution() = 0;
  virtual void setResolution(double resolution) = 0;
  /// Default 0.
  virtual double getRandomSeed() = 0;
  virtual void setRandomSeed(double randomSeed) = 0;
};

/// A Wang-tile texture.
class IWangTilesNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("4AD2B3F571904EC305E18203A0DEF51A");
  static constexpr ETCENodeType sType = eWangTilesNode;

  /// One of "Planetary" 0 to "Planar" 8; default 2, "Vertical" (a value outside them fails the next write).
  virtual int32_t getProjection() = 0;
  virtual void setProjection(int32_t projection) = 0;
  /// Default 0.
  virtual double getAngle() = 0;
  virtual void setAngle(double angle) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getOrigin() = 0;
  virtual void setOrigin(const CZinVector3D& origin) = 0;
  /// Default 0.
  virtual double getXCenter() = 0;
  virtual void setXCenter(double xcenter) = 0;
  /// Default 0.
  virtual double getYCenter() = 0;
  virtual void setYCenter(double ycenter) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getNormal() = 0;
  virtual void setNormal(const CZinVector3D& normal) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getXAxis() = 0;
  virtual void setXAxis(const CZinVector3D& xaxis) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getYAxis() = 0;
  virtual void setYAxis(const CZinVector3D& yaxis) = 0;
  /// Default 0.
  virtual double getRandomSeed() = 0;
  virtual void setRandomSeed(double randomSeed) = 0;
  /// Default 1.
  virtual double getTexturesWidth() = 0;
  virtual void setTexturesWidth(double texturesWidth) = 0;
  /// Default 1.
  virtual double getTexturesHeight() = 0;
  virtual void setTexturesHeight(double texturesHeight) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getReflection() = 0;
  virtual void setReflection(const CZinColor& reflection) = 0;
  /// Default 0.
  virtual double getReflectionLimit() = 0;
  virtual void setReflectionLimit(double reflectionLimit) = 0;
  /// Default 1.
  virtual double getGlossy() = 0;
  virtual void setGlossy(double glossy) = 0;
  /// Default 0.
  virtual double getBump() = 0;
  virtual void setBump(double bump) = 0;
  /// Default 0.
  virtual double getNormalMap() = 0;
  virtual void setNormalMap(double normalMap) = 0;
  /// Default false.
  virtual bool getMix() = 0;
  virtual void setMix(bool mix) = 0;
  /// Default 0.
  virtual double getMixValue() = 0;
  virtual void setMixValue(double mixValue) = 0;
  /// Default 127/127/127.
  virtual const CZinColor& getMixColor() = 0;
  virtual void setMixColor(const CZinColor& mixColor) = 0;
  /// Default 0/0/0.
  virtual const CZinColor& getTransparent() = 0;
  virtual void setTransparent(const CZinColor& transparent) = 0;
  /// Default 0.
  virtual double getAmbient() = 0;
  virtual void setAmbient(double ambient) = 0;
  /// The tile maps (borrowed collection); empty by default.
  virtual TZinObjectMgr<IZinMap>* getMaps() = 0;
};

/// A node carrying the client's own XML.
class ICustomNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("5BE3C40682A14FD416F29314B1EF062B");
  static constexpr ETCENodeType sType = eCustomNode;

  /// The element "Custom.Data" of the node's private document (borrowed), for the
  /// client to read and fill; a new node's has the attribute "Class" "Unknown".
  virtual QuorveXML::XIXMLElement* getCustomData() = 0;
  /// The value of its attribute "Class" (borrowed); when the attribute is missing,
  /// the warning "ICustomNode::getClass - data integrity failed" and null.
  virtual const char* getClass() = 0;
  /// Replaces that value (null as ""); when the attribute is missing, the warning
  /// "ICustomNode::setClass - data integrity failed" and nothing else.
  virtual void setClass(const char* text) = 0;
};

/// A property's shader graph. It is also the tree's root node (getRootNode); it has
/// no counting of its own: its property's count governs it.
class IZinTCE {
public:
  /// The shader's location; "" by default.
  virtual const char* getURL() = 0;
  /// Stores text; "file:///", "file://" and "file:///noshader" are stored as "", and
  /// null as "".
  virtual void setURL(const char* text) = 0;
  /// The shader's identifier; all zero by default.
  virtual const CZinUUID& getShaderId() = 0;
  virtual void setShaderId(const CZinUUID& id) = 0;
  /// The shader's multi-language name (borrowed; change it in place); empty by default.
  virtual IZinString* getShaderName() = 0;
  /// A value free for the client; 0 by default. It is also the root node's.
  virtual int32_t getUIValue() = 0;
  virtual void setUIValue(int32_t value) = 0;
  /// The graph as the root node of its tree (borrowed).
  virtual ITCENode* getRootNode() = 0;
  /// A new detached node of kind with its defaults and a new identifier, with one
  /// reference for the caller; attach it with addChild or setChild. eRootNode warns
  /// "CZinTCE::createNode - eRootNode node cannot be created", any value that is no
  /// kind "CZinTCE::createNode - Unknown node type"; both, and a failed allocation,
  /// return null.
  virtual ITCENode* createNode(ETCENodeType kind) = 0;
  /// The name of the editor that made the shader; "" by default.
  virtual const char* getEditorName() = 0;
  /// Stores text (null as "").
  virtual void setEditorName(const char* text) = 0;

protected:
  ~IZinTCE() = default;
};

/// A material of the scene: surface flags and factors, and a shader graph. A new
/// property is named "Material #0". Its setters clamp silently.
///
/// Only the operations below are declared; the rest of the interface's original
/// binary layout (accessors of the same fields and of the graph) is not reproduced.
class IZinProperty : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("CD5B3D7D4175487F9E6AE05DEFC83B5C");

  /// Whether surfaces of this material are drawn; true by default.
  virtual bool getVisible() = 0;
  virtual void setVisible(bool visible) = 0;
  /// Whether they cast shadows; true by default.
  virtual bool getCastShadow() = 0;
  virtual void setCastShadow(bool cast) = 0;
  /// Whether they receive shadows; true by default.
  virtual bool getReceiveShadow() = 0;
  virtual void setReceiveShadow(bool receive) = 0;
  /// Whether the surfaces carry their own mapping coordinates; false by default.
  virtual bool getUVDefined() = 0;
  virtual void setUVDefined(bool defined) = 0;
  /// Whether the material belongs to a billboard; false by default.
  virtual bool getBillboard() = 0;
  virtual void setBillboard(bool billboard) = 0;
  /// Smoothing, 0.01 to 1; 1 by default. Out of range: the nearest bound, silently.
  virtual double getSmooth() = 0;
  virtual void setSmooth(double smooth) = 0;
  /// Bevel, 0 to 0.5; 0 by default. Out of range: the nearest bound, silently.
  virtual double getBevel() = 0;
  virtual void setBevel(double bevel) = 0;
  /// Texture scale, not below 0; 1 by default. A negative value stores 0, silently.
  virtual double getScale() = 0;
  virtual void setScale(double scale) = 0;
  /// The identifier of the property that this one overloads; a new one at creation.
  virtual const CZinUUID& getOverloadPropIndex() = 0;
  virtual void setOverloadPropIndex(const CZinUUID& id) = 0;
  /// The identifier of the overload this property belongs to; all zero by default.
  virtual const CZinUUID& getOverloadId() = 0;
  virtual void setOverloadId(const CZinUUID& id) = 0;
  /// The shader graph (borrowed; lives as long as the property).
  virtual IZinTCE* getTCE() = 0;
};

/// A map of a mapping node or of a Wang-tile node (a plain record, owned by its list).
class IZinMap {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("6E1F2A3B4C5D4E6F8091A2B3C4D5E6F7");

  /// The channel: "Diffuse" 1 to "Movie" 11; default 1 (a value outside them fails
  /// the next write). 4 is written "Reflection"; files may also say "Refletion".
  virtual int32_t getType() = 0;
  virtual void setType(int32_t type) = 0;
  /// The image's location (borrowed); "" by default; null is stored as "".
  virtual const char* getURL() = 0;
  virtual void setURL(const char* url) = 0;

protected:
  ~IZinMap() = default;
};

/// A map of a texture sub-part (a plain record, owned by its list).
class IZinMultiMaps {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("57420C346A954C989B036A92F67F073E");

  /// The channel, as IZinMap::getType; default 1.
  virtual int32_t getType() = 0;
  virtual void setType(int32_t type) = 0;
  /// The map's size on the surface; 1 each by default.
  virtual double getWidth() = 0;
  virtual void setWidth(double width) = 0;
  virtual double getHeight() = 0;
  virtual void setHeight(double height) = 0;
  /// The image's location (borrowed); "" by default; null is stored as "".
  virtual const char* getURL() = 0;
  virtual void setURL(const char* url) = 0;

protected:
  ~IZinMultiMaps() = default;
};

/// A sub-part of a texture node: its maps (a plain record, owned by its list).
class IZinSubPart {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("ACC4A3A5FC0F4459BF083D362B6191F9");

  /// The maps (borrowed collection); empty by default.
  virtual TZinObjectMgr<IZinMultiMaps>* getMaps() = 0;

protected:
  ~IZinSubPart() = default;
};

}  // namespace QvZin
