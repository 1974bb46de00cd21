// The kinds of instances and definitions: values that the object's class selects,
// written into one XML block beside whatever else that block holds, so that what
// this library does not model survives a read and a write.
#pragma once

#include <cstring>
#include <memory>
#include <tuple>
#include <vector>

#include "framework/com_base.h"
#include "serialization/fields.h"
#include "serialization/user_xml.h"

namespace QvZin {

/// The base of a kind's values: the kind interface I of an owner object, which
/// counts for it and answers QueryInterface for it (a part made on its own, as the
/// tests make them, has no owner: it counts nothing and answers nothing). Its clip
/// warnings go through the manager link.
template <class I>
class TZinKindPart : public TZinFrontier<I> {
public:
  /// The object the kind belongs to (borrowed: it owns the part).
  void bindOwner(IZinBasic* owner) { mOwner = owner; }
  /// Borrowed; may be null.
  void setLink(IZinMgrRef* link) { mLink = link; }
  IZinWarning* warningSink() const { return mLink; }

  ZinResult QueryInterface(const CZinUUID& iid, void** out) override {
    if (mOwner) return mOwner->QueryInterface(iid, out);
    if (!out) return kZinInvalidArg;
    *out = nullptr;
    return kZinNoInterface;
  }
  int32_t AddRef() override {
    if (mOwner) mOwner->AddRef();
    return 1;
  }
  int32_t Release() override {
    if (mOwner) mOwner->Release();
    return 1;
  }
  IZinObjectLink* getObjectLink() override { return mOwner ? mOwner->getObjectLink() : nullptr; }
  IZinBasicData* getBasicData() override { return mOwner ? mOwner->getBasicData() : nullptr; }

private:
  IZinBasic* mOwner = nullptr;
  IZinMgrRef* mLink = nullptr;
};

/// Collects the tags of a field list's rows (the visitor of visitFields).
struct CZinTagCollector {
  std::vector<const char*> tags;
  template <class T, class... A>
  void field(const char*, const char* tag, A&&...) {
    tags.push_back(tag);
  }
  template <class... A>
  void part(const char*, const char* tag, A&&...) {
    tags.push_back(tag);
  }
};

/// The element and attribute names that the rows of a kind C write.
template <class C>
const std::vector<const char*>& KindTags() {
  static const std::vector<const char*> tags = [] {
    CZinTagCollector collect;
    C::visitFields(collect);
    return collect.tags;
  }();
  return tags;
}

/// Names that the selected kinds write themselves, in the order of the kinds.
class CZinKindTags {
public:
  void add(const std::vector<const char*>& tags) { mTags.insert(mTags.end(), tags.begin(), tags.end()); }
  bool has(const char* name) const {
    for (const char* tag : mTags)
      if (name && std::strcmp(tag, name) == 0) return true;
    return false;
  }

private:
  std::vector<const char*> mTags;
};

/// The value parts of the kinds K of one object, each made the first time it is
/// asked for (most objects have one kind or none).
template <class... K>
class TZinKinds {
public:
  /// The part of kind C, made with the owner and the link when missing (borrowed).
  template <class C>
  C& get(IZinBasic* owner) {
    std::unique_ptr<C>& part = std::get<std::unique_ptr<C>>(mParts);
    if (!part) {
      part = std::make_unique<C>();
      part->bindOwner(owner);
      ZinLinkPart(*part, mLink);
    }
    return *part;
  }
  /// Borrowed; may be null.
  void setLink(IZinMgrRef* link) {
    mLink = link;
    std::apply([link](auto&... part) { ((part ? ZinLinkPart(*part, link) : void()), ...); }, mParts);
  }
  void resetFields() {
    std::apply([](auto&... part) { ((part ? part->resetFields() : void()), ...); }, mParts);
  }

private:
  std::tuple<std::unique_ptr<K>...> mParts;
  IZinMgrRef* mLink = nullptr;
};

/// True when element holds an attribute or a child node that tags does not name.
bool HoldsOthers(QuorveXML::XIXMLElement* element, const CZinKindTags& tags);
/// Appends to target copies of source's attributes and child nodes, except the
/// attributes and elements that tags names (the kinds write those themselves).
void CopyOthers(QuorveXML::XIXMLElement* source, QuorveXML::XIXMLElement* target, const CZinKindTags& tags);
/// True when a child node that tags does not name follows after (null: none does).
bool OthersFollow(QuorveXML::XIXMLElement* after, const CZinKindTags& tags);
/// As CopyOthers, for the child nodes that follow after (null: none are copied).
void CopyOthersAfter(QuorveXML::XIXMLElement* after, QuorveXML::XIXMLElement* target, const CZinKindTags& tags);

}  // namespace QvZin
