// The root interfaces of the ZIN SDK: reference counting, the link through which
// every object reaches its manager, and multi-language strings.
#pragma once

#include <exception>

#include "ZinDefs.h"
#include "ZinUUID.h"

namespace QuorveXML {
class XIXMLElement;
}

namespace QvZin {

class IZinMgr;
class IZinBasicData;
class IZinObjectLinkRef;
class IZinWarning;

/// The three leading operations of every counted interface.
class IUnknown {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("0000000000000000C000000000000046");
  /// Stores the requested interface with one new reference into *out and returns
  /// kZinOk; unknown identifier: null and kZinNoInterface; null out: kZinInvalidArg.
  virtual ZinResult QueryInterface(const CZinUUID& iid, void** out) = 0;
  /// Adds one reference. Returns 1, never the count.
  virtual int32_t AddRef() = 0;
  /// Drops one reference; the object dies with its last one. Returns 1.
  virtual int32_t Release() = 0;

protected:
  ~IUnknown() = default;
};

/// The identifier answered by every scene object with an identity.
constexpr CZinUUID kIID_ZinBasicObject = CZinUUID::fromText("DC74F41BE7D545E8A5D0BCF81E12FA86");
/// The identifier answered by the view classes (cameras, parallel views, panoramas).
constexpr CZinUUID kIID_ZinViewBasic = CZinUUID::fromText("F80CF31F35E5438AB5B31B29044B6A26");
/// The identifier answered by every collection.
constexpr CZinUUID kIID_ZinObjectMgr = CZinUUID::fromText("C243B7B175044DCF9BD2C3EB74AE0F8D");
/// The identifier answered by the manager's link object.
constexpr CZinUUID kIID_ZinMgrRef = CZinUUID::fromText("0D22DAC5459C478B83E0A9FF0C8758CC");

/// Where warnings of an object go: the client's feedback object of its manager.
class IZinWarning {
public:
  /// Sends message to the manager's feedback object; nothing once the manager is gone.
  virtual void warning(const char* message) = 0;
  /// Sends "Exception in <where> : <what>" (cut to 1023 characters).
  virtual void exception(const char* where, const std::exception& e) = 0;
  /// Sends "Unknown exception in <where>".
  virtual void otherException(const char* where) = 0;

protected:
  ~IZinWarning() = default;
};

/// An object's link to what owns it.
class IZinObjectLink {
public:
  /// The link object's main interface (borrowed).
  virtual IZinObjectLinkRef* getLinkRef() = 0;
  /// The parent's link, or null (the manager has no parent).
  virtual IZinObjectLink* getParentLink() = 0;
  /// The warning sink of this link (borrowed).
  virtual IZinWarning* getWarning() = 0;
  /// The warning sink of the document (borrowed).
  virtual IZinWarning* getDocumentWarning() = 0;

protected:
  ~IZinObjectLink() = default;
};

/// A counted link object.
class IZinObjectLinkRef : public IUnknown, public IZinObjectLink {
protected:
  ~IZinObjectLinkRef() = default;
};

/// The manager's link object: every object of a manager holds it, not the manager.
/// It outlives the manager while objects hold it; its warnings are then dropped.
class IZinMgrRef : public IZinObjectLinkRef, public IZinWarning {
public:
  static constexpr CZinUUID sIID = kIID_ZinMgrRef;
  /// The manager, or null once it is destroyed (borrowed).
  virtual IZinMgr* getMgr() = 0;
  /// The document language: two letters and a terminating zero; "en" by default.
  virtual const char* getLanguage() = 0;
  /// Accepts exactly two non-zero characters; anything else warns
  /// "IZinMgr::setLanguage - Invalid language" and keeps the current language.
  virtual void setLanguage(const char* language) = 0;
  /// The 16 values of the 4 x 4 transformation, row by row (row vectors,
  /// translation in the fourth row); identity by default.
  virtual const double* getTransformation() = 0;
  /// Copies 16 values; the transformation is active unless all equal the identity
  /// (a NaN counts as different).
  virtual void setTransformation(const double* matrix) = 0;
  /// Multiplies a 4 x 4 matrix (16 values, row by row) by the transformation,
  /// matrix x transformation, when active; otherwise leaves it unchanged.
  virtual void transformMatrix(double* matrix) = 0;
  /// Applies the transformation without its translation to xyz, when active.
  virtual void transformVector(double* xyz) = 0;
  /// Applies the transformation to the point xyz, when active.
  virtual void transformPoint(double* xyz) = 0;

protected:
  ~IZinMgrRef() = default;
};

/// The root of every library interface.
class IZinBasic : public IUnknown {
public:
  virtual ~IZinBasic() = default;
  /// The object's link (borrowed), null when it has no owner.
  virtual IZinObjectLink* getObjectLink() = 0;
  /// The object's id, name, user data and UI value (borrowed).
  virtual IZinBasicData* getBasicData() = 0;
};

/// A multi-language text: entries of a language code (first letter x 256 + second
/// letter, "en" = 0x656E) and a text, at most one per code, in insertion order.
class IZinString {
public:
  /// Clears this string, then appends every entry of from in its order.
  virtual void copy(const IZinString* from) = 0;
  /// The text of that code's entry, or null.
  virtual const char* get(uint32_t code) const = 0;
  /// The text for the document's current language, else the first entry's, else "".
  virtual const char* get() const = 0;
  /// Replaces or appends that code's text; a null text removes the entry.
  virtual void set(uint32_t code, const char* text) = 0;
  /// set(current language code, text).
  virtual void set(const char* text) = 0;
  /// The number of entries.
  virtual uint32_t getCount() const = 0;
  /// The code of the entry at index, 0 when index is not below the count.
  virtual uint32_t getLanguageAt(uint32_t index) const = 0;
  /// Removes every entry.
  virtual void clear() = 0;

protected:
  ~IZinString() = default;
};

/// The language code of two letters: first x 256 + second.
constexpr uint32_t ZinLanguageCode(const char* language) {
  return static_cast<uint32_t>(static_cast<unsigned char>(language[0])) * 256u +
         static_cast<unsigned char>(language[1]);
}

}  // namespace QvZin
