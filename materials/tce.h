// The shader graph of a property: its settings, and itself the root node of the
// material's node tree.
#pragma once

#include <string>

#include "materials/tce_node.h"
#include "serialization/fields.h"

namespace QvZin {

/// The location a shader is stored as: the texts that name no shader become "".
std::string NormalisedShaderURL(std::string url);

#define ZIN_TCE_FIELDS(F, P)                                                                     \
  F(std::string, URL, "URL", "", ZinText(), Custom(NormalisedShaderURL))                         \
  F(CZinUUID, ShaderId, "Shader.Id", CZinUUID(), ZinId().omitZero(), Keep())                     \
  P(CZinStringPart, ShaderName, "Shader.Name", ZinStrings())                                     \
  F(int32_t, UIValue, "TCE.UI.Value", 0, ZinInt().omitZero(), Keep())                            \
  F(std::string, EditorName, "Editor.Name", "", ZinText(), Keep())

// The graph's UI value row serves both interfaces: the graph's and the root node's.
class CZinTCE final : public TTCENode<IRootNode>, public TZinFrontier<IZinTCE> {
  ZIN_FIELDS(ZIN_TCE_FIELDS)

  /// owner is the property's link (may be null); the graph and its nodes warn through it.
  explicit CZinTCE(IZinMgrRef* owner);

  IZinString* getShaderName() override { return &mShaderName; }
  ITCENode* getRootNode() override { return this; }
  ITCENode* createNode(ETCENodeType kind) override;

  /// The material's top node (child 0), or null.
  CTCENode* topNode() const { return childAt(0); }
  /// Makes node (null: none) the graph's only child: a node just made, read or
  /// copied, so none of the graph's ancestors. Throws when there is no room; the
  /// graph then has no child.
  void setTopNode(ITCENode* node);
};

/// A property's hold on its graph: made with the first link it is given.
class CZinGraph {
public:
  CZinGraph() = default;
  CZinGraph(const CZinGraph&) = delete;
  CZinGraph& operator=(const CZinGraph&) = delete;

  void setLink(IZinMgrRef* link);
  /// The settings back to a new graph's, and no node.
  void resetFields();
  /// The graph; throws "Property root is NULL (pointer is NULL)" before setLink.
  CZinTCE& tce() const;
  CZinTCE* get() const { return mTCE.get(); }

private:
  TZinComPtr<CZinTCE> mTCE;
};

/// The graph inside its property's element: its settings, then its top node as the
/// element "Node" when it has one. Reading a "Node" whose node cannot be made
/// ("Type" "Root") fails with "Can't root's child (assertion failed)"; without
/// "Node" the graph has no node.
struct ZinGraph {
  template <class Owner>
  void put(CZinXMLAdd& out, const char*, CZinGraph& part, Owner&) const {
    Put(out, part);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char*, CZinGraph& part, Owner&) const {
    Get(in, part);
  }
  static void Put(CZinXMLAdd& out, CZinGraph& part);
  static void Get(CZinXMLGet& in, CZinGraph& part);
};

}  // namespace QvZin
