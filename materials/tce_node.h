// The nodes of shader graphs. CTCENode holds what every node has (owner, id, weak
// parent, counted children, UI value, shader flag) and the tree operations;
// TTCENode<I> makes it a counted object answering the kind interface I. A kind is
// then a class over TTCENode<I> (see materials/node_kinds.h).
//
// Trees come from files, so nothing here recurses along a tree: releasing a node
// releases its descendants through one loop per thread, and every search keeps its
// own stack.
#pragma once

#include <type_traits>
#include <vector>

#include "ZinMaterials.h"
#include "framework/basic_data.h"
#include "framework/com_base.h"
#include "serialization/xml_add.h"
#include "serialization/xml_get.h"

namespace QvZin {

class CTCENode;
class CZinNodeReading;

/// A weak link to a node: it keeps the node's control block, not the node, so it
/// knows when the node is gone.
class CZinNodeLink {
public:
  CZinNodeLink() = default;
  CZinNodeLink(const CZinNodeLink&) = delete;
  CZinNodeLink& operator=(const CZinNodeLink&) = delete;
  ~CZinNodeLink() { set(nullptr); }

  /// Links node (null clears the link).
  void set(CTCENode* node);
  /// The node with one new reference, or null when unset or gone.
  ITCENode* lock() const;
  /// True when the link was made to node (whether or not it still lives).
  bool is(const CTCENode* node) const { return node && mNode == node; }

private:
  CZinSharedPtrBase* mBlock = nullptr;
  CTCENode* mNode = nullptr;
};

class CTCENode {
public:
  CTCENode(const CTCENode&) = delete;
  CTCENode& operator=(const CTCENode&) = delete;

  /// The node as its interface.
  virtual ITCENode* asInterface() = 0;
  /// The node's control block; null for a node that was not made counted.
  virtual CZinSharedPtrBase* controlBlock() = 0;

  // ---- the kind's content, around the common header (see materials/node_kinds.h)
  /// Writes the kind's own settings into the node's element.
  virtual void putContent(CZinXMLAdd& out) { (void)out; }
  /// Reads them back from the node's element.
  virtual void getContent(CZinXMLGet& in, CZinNodeReading& reading) {
    (void)in;
    (void)reading;
  }
  /// Takes the kind's own settings from from, a node of the same kind.
  virtual void copyContent(CTCENode& from) { (void)from; }

  /// The node when interface is one made by this library, else null.
  static CTCENode* From(ITCENode* node);

  ETCENodeType type() const { return mType; }
  /// The owner's link (borrowed, may be null): where the node's warnings go.
  IZinMgrRef* owner() { return mBasic.getMgrRef(); }
  const CZinUUID& id() const { return mId; }
  void setNodeId(const CZinUUID& id) { mId = id; }
  int32_t uiValue() const { return mUIValue; }
  void setNodeUIValue(int32_t value) { mUIValue = value; }
  bool shader() const { return mShader; }
  void setNodeShader(bool flag) { mShader = flag; }
  uint32_t childCount() const { return static_cast<uint32_t>(mChildren.size()); }
  CTCENode* childAt(uint32_t index) const { return index < mChildren.size() ? mChildren[index] : nullptr; }

  // ---- the tree operations behind ITCENode
  /// The parent with one new reference, or null.
  ITCENode* lockParent() const { return mParent.lock(); }
  void linkParent(ITCENode* node) { mParent.set(From(node)); }
  void putChild(uint32_t index, ITCENode* node);
  void appendChild(ITCENode* node);
  void dropChild(uint32_t index);
  CTCENode* search(const CZinUUID& id);
  /// Appends child, a node known to be no ancestor (a new node being read or copied).
  /// Throws when there is no room, nothing changed.
  void adopt(CTCENode* child);
  /// Makes child, such a node, child 0: it replaces the child there, or is appended
  /// to no children. Throws when there is no room, nothing changed.
  void adoptFirst(CTCENode* child);

protected:
  CTCENode(IZinMgrRef* owner, ETCENodeType type);
  virtual ~CTCENode();

  IZinBasicData* basicData() { return &mBasic; }

private:
  // Whether node may become a child: one of ours, not this node, not an ancestor.
  CTCENode* acceptable(ITCENode* node);
  // Puts child, an acceptable node, in place of the child at index (< count).
  void replace(uint32_t index, CTCENode* child);
  void releaseChildren() noexcept;

  CZinEmptyBasicData mBasic;  // a node has an id and a UI value, no basic data
  CZinUUID mId;
  CZinNodeLink mParent;
  std::vector<CTCENode*> mChildren;  // one reference each
  int32_t mUIValue = 0;
  bool mShader = false;
  ETCENodeType mType;
};

/// A node of kind I (IRootNode, IChessNode...): identity, counting, and the
/// ITCENode operations over CTCENode.
template <class I>
class TTCENode : public TZinCOMBase<I>, public CTCENode {
public:
  /// owner is the link the node warns through (may be null).
  explicit TTCENode(IZinMgrRef* owner) : CTCENode(owner, I::sType) {}

  ZinResult QueryInterface(const CZinUUID& iid, void** out) override {
    if (out && iid == ITCENode::sIID) {
      I* self = this;
      *out = self;
      self->AddRef();
      return kZinOk;
    }
    return TZinCOMBase<I>::QueryInterface(iid, out);
  }
  IZinObjectLink* getObjectLink() override {
    IZinMgrRef* link = owner();
    return link ? static_cast<IZinObjectLink*>(link) : nullptr;
  }
  IZinBasicData* getBasicData() override { return basicData(); }

  ITCENode* getParent() override { return lockParent(); }
  void setParent(ITCENode* node) override { linkParent(node); }
  uint32_t getChildCount() override { return childCount(); }
  ITCENode* getChild(uint32_t index) override {
    CTCENode* child = childAt(index);
    return child ? child->asInterface() : nullptr;
  }
  void setChild(uint32_t index, ITCENode* node) override { putChild(index, node); }
  void addChild(ITCENode* node) override { appendChild(node); }
  void removeChild(uint32_t index) override { dropChild(index); }
  const CZinUUID& getId() override { return id(); }
  void setId(const CZinUUID& id) override { setNodeId(id); }
  ITCENode* findNode(const CZinUUID& id) override {
    CTCENode* found = search(id);
    return found ? found->asInterface() : nullptr;
  }
  int32_t getUIValue() override { return uiValue(); }
  void setUIValue(int32_t value) override { setNodeUIValue(value); }
  ETCENodeType getType() override { return type(); }
  IRootNode* asRootNode() override { return as<IRootNode>(); }
  IChessNode* asChessNode() override { return as<IChessNode>(); }
  IMappingNode* asMappingNode() override { return as<IMappingNode>(); }
  ITurbulenceNode* asTurbulenceNode() override { return as<ITurbulenceNode>(); }
  ILeafNode* asLeafNode() override { return as<ILeafNode>(); }
  IFresnelNode* asFresnelNode() override { return as<IFresnelNode>(); }
  IFresnelDiffuseNode* asFresnelDiffuseNode() override { return as<IFresnelDiffuseNode>(); }
  IGlazingNode* asGlazingNode() override { return as<IGlazingNode>(); }
  ICustomNode* asCustomNode() override { return as<ICustomNode>(); }
  IAltitudeNode* asAltitudeNode() override { return as<IAltitudeNode>(); }
  IMultiTextureNode* asMultiTextureNode() override { return as<IMultiTextureNode>(); }
  IWangTilesNode* asWangTilesNode() override { return as<IWangTilesNode>(); }
  ITCENode* asReservedNode1() override { return nullptr; }
  ITCENode* asReservedNode2() override { return nullptr; }
  ITCENode* asReservedNode3() override { return nullptr; }
  bool isShader() override { return shader(); }
  void setShader(bool flag) override { setNodeShader(flag); }

  ITCENode* asInterface() override { return this; }
  CZinSharedPtrBase* controlBlock() override { return this->selfLink(); }

  /// Where the clip warnings of the kind's setters go: the owner's link, or null.
  IZinWarning* warningSink() { return owner(); }

private:
  template <class K>
  K* as() {
    if constexpr (std::is_same<I, K>::value)
      return this;
    else
      return nullptr;
  }
};

}  // namespace QvZin
