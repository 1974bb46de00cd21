// Key frames: a value of one of eight kinds with its two control values, the
// three always of one kind (a tagged value, not a class per kind).
#pragma once

#include <array>

#include "ZinAnimation.h"
#include "framework/scene_object.h"
#include "serialization/fields.h"

namespace QvZin {

extern const CZinLabel kKeyValueTypes[];
extern const CZinLabel kInterpolationTypes[];

/// The value of a key frame and its control values before and after, in that
/// order, all of the key frame's kind. New: three points (0, 0, 0).
class CZinKeyValues {
public:
  static constexpr size_t kValue = 0, kCPBefore = 1, kCPAfter = 2;

  int32_t type() const { return mValues[kValue].type; }
  /// Another kind makes the three values its zero value; the same kind keeps them.
  void setType(int32_t type);
  const CZinKeyValue& at(size_t slot) const { return mValues[slot]; }
  /// Stores value in slot when it has the values' kind. Otherwise changes nothing
  /// and warns sink (may be null) "Invalid choice of m<Kind> to initialize
  /// CZinKeyFrame::uValue union", naming the values' kind.
  void set(size_t slot, const CZinKeyValue& value, IZinWarning* sink);
  void resetFields() { mValues.fill(CZinKeyValue()); }

  /// "Type" (tag) holding the kind's label, then "Value", "CPBefore", "CPAfter" in
  /// the kind's form. A kind outside the table fails with "CZinXMLIO::AddKeyFrame :
  /// Unknow value type" before anything is written.
  void putValues(CZinXMLAdd& out, const char* tag) const;
  /// The mirror of putValues; an unknown label fails with the invalid-label text.
  void getValues(CZinXMLGet& in, const char* tag);

private:
  std::array<CZinKeyValue, 3> mValues;
};

/// The three values in the key frame's own element, after its kind (tag).
struct ZinKeyValues {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinKeyValues& part, Owner&) const {
    part.putValues(out, tag);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinKeyValues& part, Owner&) const {
    part.getValues(in, tag);
  }
};

#define ZIN_KEY_FRAME_FIELDS(F, P)                                                                     \
  F(int32_t, Time, "Time", 0, ZinInt(), Keep())                                                        \
  F(bool, Visible, "Visible", true, ZinFlag(), Keep())                                                 \
  P(CZinKeyValues, Values, "Type", ZinKeyValues())                                                     \
  F(int32_t, InterpolationType, "Interpolation.Type", eInterpolationLinear, ZinLabel{kInterpolationTypes}, \
    Keep())                                                                                            \
  F(bool, AreLocked, "AreLocked", false, ZinFlag(), Keep())

class CZinKeyFrame final : public TZinSceneObject<IZinKeyFrame> {
public:
  ZIN_FIELDS(ZIN_KEY_FRAME_FIELDS)

  explicit CZinKeyFrame(IZinMgrRef* owner) : TZinSceneObject(owner) {}

  int32_t getType() override { return mValues.type(); }
  void setType(int32_t type) override { mValues.setType(type); }
  const CZinKeyValue& getValue() override { return mValues.at(CZinKeyValues::kValue); }
  void setValue(const CZinKeyValue& value) override { mValues.set(CZinKeyValues::kValue, value, warningSink()); }
  const CZinKeyValue& getCPBefore() override { return mValues.at(CZinKeyValues::kCPBefore); }
  void setCPBefore(const CZinKeyValue& value) override {
    mValues.set(CZinKeyValues::kCPBefore, value, warningSink());
  }
  const CZinKeyValue& getCPAfter() override { return mValues.at(CZinKeyValues::kCPAfter); }
  void setCPAfter(const CZinKeyValue& value) override { mValues.set(CZinKeyValues::kCPAfter, value, warningSink()); }
};

}  // namespace QvZin
