// An attribute: a name key and a value text, in its element's circular list.
// 32 bytes on 64-bit builds, followed by the value it was made with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "ZinXML.h"
#include "support/mine.h"
#include "xml/node_heap.h"

namespace QuorveXML {

class XCXMLElement;
class CXMLRecycler;

class XCXMLAttribute final : public XIXMLAttribute {
public:
  /// A new detached attribute holding a copy of value (length bytes); null when
  /// memory runs out.
  static XCXMLAttribute* New(CNodeHeap* heap, const char* key, const char* value, size_t length);

  // ---- XIXMLAttribute
  void Delete() override;
  XIXMLAttribute* GetNext() override;
  void SetNext(XIXMLAttribute* attribute) override;
  XIXMLElement* GetOwner() override;
  const char* GetKeyRef() override { return mKey; }
  void SetKey(const char* key) override;
  const char* GetValue() override { return Value(); }
  void SetValue(const char* text) override;
  void Scan(const char* format, void* out) override;
  __attribute__((format(printf, 2, 3))) void Format(const char* format, ...) override;
  void Write(XCXMLWriter& writer) override;
  XIXMLAttribute* CopyTo(XIXMLElement* element) override;
  ~XCXMLAttribute() override;

  // ---- engine
  const char* Key() const { return mKey; }
  const char* Value() const { return static_cast<const char*>(CNodeHeap::ToPtr(mValue)); }
  XCXMLElement* Owner() const { return static_cast<XCXMLElement*>(CNodeHeap::ToPtr(mOwner)); }
  const Quorve::XCMine& Mine() const { return mMine; }
  XRef NextRef() const { return mNext; }
  static XCXMLAttribute* At(XRef ref) { return static_cast<XCXMLAttribute*>(CNodeHeap::ToPtr(ref)); }
  static XCXMLAttribute* From(XIXMLAttribute* attribute) { return static_cast<XCXMLAttribute*>(attribute); }
  /// Destroys the attribute without checking the guard word.
  void Dispose() noexcept;
  /// Renames without checks (re-interning into another tree).
  void Rekey(const char* key) { mKey = key; }

  static void* operator new(size_t, void* place) noexcept { return place; }
  static void operator delete(void* p) { CNodeHeap::Free(p); }
  static void operator delete(void* p, void*) { CNodeHeap::Free(p); }

private:
  XCXMLAttribute(const char* key, XRef value) : mValue(value), mKey(key) {}
  const char* InlineValue() const { return reinterpret_cast<const char*>(this + 1); }
  void Unlink() noexcept;
  void FreeValue();

  XRef mNext = 0;
  XRef mOwner = 0;
  XRef mValue;
  Quorve::XCMine mMine;
  const char* mKey;

  friend class XCXMLElement;
  friend class CXMLRecycler;
};

static_assert(sizeof(void*) != 8 || sizeof(XCXMLAttribute) == 32, "attributes stay small");

}  // namespace QuorveXML
