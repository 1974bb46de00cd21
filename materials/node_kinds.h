// The kinds of node, one row each: how a new node of the kind is made, where its
// children go in its element, and whether it can be copied. The labels of the
// "Type" attribute are one fixed table beside them.
//
// A kind with settings is a field list and a class over TZinNodeKind, whose content
// hooks write, read and copy the list:
//
//   #define ZIN_GLAZING_FIELDS(F, P)
//     F(double, XScale, "X.Scale", 50.0, ZinDouble(), Keep()) ...
//   class CGlazingNode final : public TZinNodeKind<CGlazingNode, IGlazingNode> {
//     ZIN_FIELDS(ZIN_GLAZING_FIELDS)
//     explicit CGlazingNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }
//   };
//
// and its row below names the class: {MakeNode<CGlazingNode>, kNoSubNodes, true}.
// The tree walks write the common header, call the hooks, then place the children
// as the row says, so a kind never writes, reads or copies a sub-node itself. The
// classes are in materials/*_node.h.
#pragma once

#include <type_traits>

#include "ZinValues.h"
#include "materials/tce_node.h"
#include "serialization/fields.h"
#include "xml/tree.h"

namespace QvZin {

/// Where a node's children go in its element, after its content.
struct CZinSubNodes {
  const char* first = nullptr;   ///< child 0 in its own element ("Node"), or null
  const char* second = nullptr;  ///< child 1 in its own element ("SecondNode"), or null
  const char* list = nullptr;    ///< one element holding every child, each in a "Node", or null
};

struct CZinNodeKind {
  /// A new node with the kind's defaults and no reference yet; null for a kind that
  /// is never made alone (the root).
  CTCENode* (*make)(IZinMgrRef* owner);
  CZinSubNodes subNodes;
  /// Whether a node of the kind can be copied (CopyNodeTree).
  bool copyable;
};

/// The labels of the "Type" attribute: "Root" 0 to "Custom" 11. The tables of the
/// kinds' own labels are in materials/node_parts.h.
extern const CZinLabel kTCENodeTypes[];

/// The row of kind type, or null when type is no kind.
const CZinNodeKind* FindNodeKind(int32_t type);

/// Copies every row of a field list from one object to another through the
/// setters; a part is copied by its copyFrom(part), or by assignment.
template <class C>
struct TZinFieldCopy {
  C& to;
  C& from;

  template <class T, class D, class Form, class Rule, class Get, class Set>
  void field(const char*, const char*, const D&, const Form&, const Rule&, Get get, Set set) {
    set(to, get(from));
  }
  template <class Form, class Access>
  void part(const char*, const char* tag, const Form& form, Access access) {
    (void)tag, (void)form;
    auto& target = access(to);
    auto& source = access(from);
    if constexpr (std::is_same<std::decay_t<decltype(target)>, CZinBasicPart>::value)
      return;
    else if constexpr (TZinHasCopyFrom<std::decay_t<decltype(target)>>::value)
      target.copyFrom(source);
    else if constexpr (std::is_copy_assignable<std::decay_t<decltype(target)>>::value)
      target = source;
    else
      throughElement(form, tag, target, source);
  }

  /// A part that copies no other way (a list of objects) is written and read back,
  /// so its copy is what a file would give.
  template <class Form, class Part>
  void throughElement(const Form& form, const char* tag, Part& target, Part& source) {
    QuorveXML::XCXMLTree scratch;
    QuorveXML::XIXMLElement* holder = scratch.GetRoot()->AddElement(scratch.GetRoot()->GetKey("Copy"));
    CZinXMLAdd out(holder);
    form.put(out, tag, source, from);
    CZinXMLGet in(holder);
    form.get(in, tag, target, to);
  }

  template <class P, class = void>
  struct TZinHasCopyFrom : std::false_type {};
  template <class P>
  struct TZinHasCopyFrom<P, std::void_t<decltype(std::declval<P&>().copyFrom(std::declval<P&>()))>>
      : std::true_type {};
};

/// The base of a kind with settings: Self declares ZIN_FIELDS(its list), and the
/// content hooks are the list's.
template <class Self, class I>
class TZinNodeKind : public TTCENode<I> {
public:
  explicit TZinNodeKind(IZinMgrRef* owner) : TTCENode<I>(owner) {}

  void putContent(CZinXMLAdd& out) override { self().putFields(out); }
  void getContent(CZinXMLGet& in, CZinNodeReading&) override { self().getFields(in); }
  /// from is a node of this kind: the tree walks make the copy from its row.
  void copyContent(CTCENode& from) override { Self::visitFields(TZinFieldCopy<Self>{self(), static_cast<Self&>(from)}); }

private:
  Self& self() { return static_cast<Self&>(*this); }
};

/// The make function of a row: a new C with its owner.
template <class C>
CTCENode* MakeNode(IZinMgrRef* owner) {
  return CreateZinObject<C>(owner);
}

}  // namespace QvZin
