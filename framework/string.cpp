#include "framework/string.h"

#include <algorithm>

namespace QvZin {

uint32_t CZinString::currentCode() const { return ZinLanguageCode(mOwner->getLanguage()); }

void CZinString::copy(const IZinString* from) {
  if (from == this) return;
  mEntries.clear();
  if (!from) return;
  const uint32_t count = from->getCount();
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t code = from->getLanguageAt(i);
    const char* text = from->get(code);
    mEntries.emplace_back(code, text ? text : "");
  }
}

const char* CZinString::get(uint32_t code) const {
  for (const auto& entry : mEntries)
    if (entry.first == code) return entry.second.c_str();
  return nullptr;
}

const char* CZinString::get() const {
  if (const char* text = get(currentCode())) return text;
  return mEntries.empty() ? "" : mEntries.front().second.c_str();
}

void CZinString::set(uint32_t code, const char* text) {
  auto found = std::find_if(mEntries.begin(), mEntries.end(), [code](const auto& e) { return e.first == code; });
  if (!text) {
    if (found != mEntries.end()) mEntries.erase(found);
  } else if (found != mEntries.end()) {
    found->second = text;
  } else {
    mEntries.emplace_back(code, text);
  }
}

void CZinString::set(const char* text) { set(currentCode(), text); }

uint32_t CZinString::getLanguageAt(uint32_t index) const {
  return index < mEntries.size() ? mEntries[index].first : 0;
}

}  // namespace QvZin
