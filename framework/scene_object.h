// The base of every counted scene object: identity, counting, basic data and the
// owner's link object, with the default name the object is born with. A scene
// class is then a few lines:
//
//   class CLight final : public TZinSceneObject<IZinLight> {
//   public:
//     explicit CLight(IZinMgrRef* owner) : TZinSceneObject(owner) {}
//   };
#pragma once

#include "framework/obj_link_ref.h"

namespace QvZin {

template <class I>
class TZinSceneObject : public TZinCOMObjLinkRef<I> {
public:
  /// owner is the manager's link object (may be null: no warning sink);
  /// defaultName, when set, is the name of a new object.
  explicit TZinSceneObject(IZinMgrRef* owner, const char* defaultName = nullptr) : TZinCOMObjLinkRef<I>(owner) {
    if (defaultName) this->setName(defaultName);
  }

  /// Where clip warnings of this object's setters go: the owner's link, or null.
  IZinWarning* warningSink() { return this->getMgrRef(); }
};

/// The view classes (cameras, parallel views, panoramas) also answer the
/// view-basic identifier, tested before the basic-object one.
template <class I>
class TZinViewBase : public TZinSceneObject<I> {
public:
  using TZinSceneObject<I>::TZinSceneObject;

  ZinResult QueryInterface(const CZinUUID& iid, void** out) override {
    if (out && iid == kIID_ZinViewBasic) {
      I* self = this;
      *out = self;
      self->AddRef();
      return kZinOk;
    }
    return TZinSceneObject<I>::QueryInterface(iid, out);
  }
};

}  // namespace QvZin
