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
};

/// An image mapped onto the surface.
class IMappingNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("C25A3B7D9F1E4C4B8D6F0A2B3E5C7D92");
  static constexpr ETCENodeType sType = eMappingNode;
};

/// A turbulence pattern.
class ITurbulenceNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("D36B4C8E0A2F4D5C9E7A1B3C4F6D8EA3");
  static constexpr ETCENodeType sType = eTurbulenceNode;
};

/// A terminal shading node.
class ILeafNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("E47C5D9F1B3A4E6DAF8B2C4D5A7E9FB4");
  static constexpr ETCENodeType sType = eLeafNode;
};

/// A Fresnel mix over its sub-node.
class IFresnelNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("F58D6EA02C4B4F7EB09C3D5E6B8FA0C5");
  static constexpr ETCENodeType sType = eFresnelNode;
};

/// A diffuse Fresnel mix over its sub-node.
class IFresnelDiffuseNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("069E7FB13D5C4A8FC1AD4E6F7C9AB1D6");
  static constexpr ETCENodeType sType = eFresnelDiffuseNode;
};

/// A water or glass surface.
class IGlazingNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("17AF80C24E6D4B90D2BE5F708DABC2E7");
  static constexpr ETCENodeType sType = eGlazingNode;
};

/// Texture bands by height.
class IAltitudeNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("28B091D35F7E4CA1E3CF60819EBCD3F8");
  static constexpr ETCENodeType sType = eAltitudeNode;
};

/// A mix of several textures.
class IMultiTextureNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("39C1A2E4608F4DB2F4D071920FCDE409");
  static constexpr ETCENodeType sType = eMultiTextureNode;
};

/// A Wang-tile texture.
class IWangTilesNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("4AD2B3F571904EC305E18203A0DEF51A");
  static constexpr ETCENodeType sType = eWangTilesNode;
};

/// A node carrying the client's own XML.
class ICustomNode : public ITCENode {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("5BE3C40682A14FD416F29314B1EF062B");
  static constexpr ETCENodeType sType = eCustomNode;
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

/// A sub-part of a texture node: its maps (a plain record, owned by its list).
class IZinSubPart {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("ACC4A3A5FC0F4459BF083D362B6191F9");

protected:
  ~IZinSubPart() = default;
};

/// A map of a texture sub-part (a plain record, owned by its list).
class IZinMultiMaps {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("57420C346A954C989B036A92F67F073E");

protected:
  ~IZinMultiMaps() = default;
};

}  // namespace QvZin
