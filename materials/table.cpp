#include "materials/table.h"

#include <algorithm>

namespace QvZin {

void CTable::setLength(int32_t n) {
  const size_t length = n > 0 ? static_cast<size_t>(n) : 0;
  if (length == mValues.size()) return;
  try {
    // A new array, not a resize in place: a failed growth leaves the old values.
    std::vector<float> values(length, 0.0f);
    std::copy_n(mValues.begin(), std::min(length, mValues.size()), values.begin());
    mValues.swap(values);
  } catch (...) {
    // No memory for that many values: the table stays as it was.
  }
}

float CTable::getValue(int32_t i) {
  return i >= 0 && static_cast<size_t>(i) < mValues.size() ? mValues[static_cast<size_t>(i)] : 0.0f;
}

void CTable::setValue(int32_t i, float v) {
  if (i >= 0 && static_cast<size_t>(i) < mValues.size()) mValues[static_cast<size_t>(i)] = v;
}

void CTable::copy(ITable* from) {
  if (!from || from == this) return;
  const int32_t length = from->getLength();
  setLength(length);
  if (getLength() != (length > 0 ? length : 0)) return;  // no memory: unchanged
  for (int32_t i = 0; i < length; ++i) mValues[static_cast<size_t>(i)] = from->getValue(i);
}

}  // namespace QvZin
