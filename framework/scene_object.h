// The base of every counted scene object: identity, counting, basic data and the
// owner's link object, with the default name the object is born with. A scene
// class is then a few lines:
//
//   class CLight final : public TZinSceneObject<IZinLight> {
//   public:
//     explicit CLight(IZinMgrRef* owner) : TZinSceneObject(owner) {}
//   };
//
// Its XML entry points are the same for every class: the factory binds the class's
// field list (ZIN_FIELDS) as the object's element form, so putInXML writes the
// object's element content as a file holds it and initWithXML reads it back.
#pragma once

#include <type_traits>
#include <utility>

#include "framework/obj_link_ref.h"
#include "serialization/xml_io.h"

namespace QvZin {

/// Whether C declares its rows (ZIN_FIELDS).
template <class C, class = void>
struct TZinDeclaresRows : std::false_type {};
template <class C>
struct TZinDeclaresRows<C, std::void_t<decltype(std::declval<C&>().putFields(std::declval<CZinXMLAdd&>()))>>
    : std::true_type {};

/// The child element that C's entry points write and read instead of the element
/// they are given (C::kEntryTag, a property's "Property"), or null.
template <class C, class = void>
struct TZinEntryTag {
  static constexpr const char* value = nullptr;
};
template <class C>
struct TZinEntryTag<C, std::void_t<decltype(C::kEntryTag)>> {
  static constexpr const char* value = C::kEntryTag;
};

template <class I>
class TZinSceneObject : public TZinCOMObjLinkRef<I, CZinXMLBasicData> {
public:
  /// owner is the manager's link object (may be null: no warning sink);
  /// defaultName, when set, is the name of a new object.
  explicit TZinSceneObject(IZinMgrRef* owner, const char* defaultName = nullptr)
      : TZinCOMObjLinkRef<I, CZinXMLBasicData>(owner) {
    if (defaultName) this->setName(defaultName);
  }

  /// Where clip warnings of this object's setters go: the owner's link, or null.
  IZinWarning* warningSink() { return this->getMgrRef(); }

  /// Called once by the factory with the object's own class C: a class with rows
  /// gets them as its element form; one without keeps answering with a warning.
  template <class C>
  void bindClass() {
    if constexpr (TZinDeclaresRows<C>::value) {
      static constexpr CForm form{&putRows<C>, &getRows<C>};
      mForm = &form;
    }
  }

  using CZinXMLBasicData::initWithXML;
  using CZinXMLBasicData::putInXML;
  /// The rows into io's element, in order; 0. Without rows: the warning
  /// "CZinEmptyBasicData::putInXML - This class doesn't implement XML", 0.
  int32_t putInXML(CZinXMLIO& io) override {
    if (!mForm) return unformed("CZinEmptyBasicData::putInXML - This class doesn't implement XML");
    mForm->put(*this, io);
    return kZinOk;
  }
  /// The rows from io's element, through the setters; 0. Throws what the typed
  /// reader throws (a missing element, a bad label).
  int32_t initWithXML(CZinXMLIO& io) override {
    if (!mForm) return unformed("CZinEmptyBasicData::initWithXML - This class doesn't implement XML");
    mForm->get(*this, io);
    return kZinOk;
  }

private:
  struct CForm {
    void (*put)(TZinSceneObject& self, CZinXMLIO& io);
    void (*get)(TZinSceneObject& self, CZinXMLIO& io);
  };

  template <class C>
  static void putRows(TZinSceneObject& self, CZinXMLIO& io) {
    C& object = static_cast<C&>(self);
    CZinXMLAdd out = io.writer();
    if constexpr (TZinEntryTag<C>::value != nullptr) {
      CZinXMLAdd own(out.AddElement(TZinEntryTag<C>::value), out);
      object.putFields(own);
    } else {
      object.putFields(out);
    }
  }
  template <class C>
  static void getRows(TZinSceneObject& self, CZinXMLIO& io) {
    C& object = static_cast<C&>(self);
    CZinXMLGet in = io.reader();
    if constexpr (TZinEntryTag<C>::value != nullptr) {
      CZinXMLGet own(in.GetElement(TZinEntryTag<C>::value));
      object.getFields(own);
    } else {
      object.getFields(in);
    }
  }

  int32_t unformed(const char* text) {
    this->warn(text);
    return 0;
  }

  const CForm* mForm = nullptr;
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
