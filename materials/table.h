// The float tables of chess and turbulence nodes.
#pragma once

#include <vector>

#include "ZinValues.h"
#include "framework/basic_data.h"
#include "framework/com_base.h"

namespace QvZin {

class CTable final : public TZinCOMBase<ITable> {
public:
  /// owner is where the table's basic-data warnings go (may be null).
  explicit CTable(IZinMgrRef* owner = nullptr) : mBasic(owner) {}

  IZinObjectLink* getObjectLink() override { return nullptr; }
  /// A table has no basic data: each of its operations warns.
  IZinBasicData* getBasicData() override { return &mBasic; }

  int32_t getLength() override { return static_cast<int32_t>(mValues.size()); }
  void setLength(int32_t n) override;
  float getValue(int32_t i) override;
  void setValue(int32_t i, float v) override;
  void copy(ITable* from) override;

  /// The values, for copies between tables of this library.
  const std::vector<float>& values() const { return mValues; }

private:
  CZinEmptyBasicData mBasic;
  std::vector<float> mValues;
};

}  // namespace QvZin
