// Multi-language text: one entry per language code, in insertion order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ZinBase.h"
#include "ZinComPtr.h"
#include "framework/com_base.h"

namespace QvZin {

class CZinString : public TZinFrontier<IZinString> {
public:
  /// owner gives the current language; a string without owner throws
  /// "TZinComPtr::operator->() - Dereferencing NULL" from get() and set(text).
  explicit CZinString(IZinMgrRef* owner = nullptr) : mOwner(owner) {}
  CZinString(const CZinString& other) : TZinFrontier<IZinString>(), mOwner(other.mOwner), mEntries(other.mEntries) {}
  CZinString& operator=(const CZinString& other) {
    mEntries = other.mEntries;
    return *this;
  }
  ~CZinString() = default;

  void copy(const IZinString* from) override;
  const char* get(uint32_t code) const override;
  const char* get() const override;
  void set(uint32_t code, const char* text) override;
  void set(const char* text) override;
  uint32_t getCount() const override { return static_cast<uint32_t>(mEntries.size()); }
  uint32_t getLanguageAt(uint32_t index) const override;
  void clear() override { mEntries.clear(); }

  void setOwner(IZinMgrRef* owner) { mOwner.reset(owner); }

private:
  uint32_t currentCode() const;

  TZinComPtr<IZinMgrRef> mOwner;
  std::vector<std::pair<uint32_t, std::string>> mEntries;
};

}  // namespace QvZin
