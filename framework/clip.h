// The clipping rules of the scene model's setters. A rule is a small constant
// value; a setter hands it the value, its own name and its warning sink:
//
//   mFocal = Clamp(0.0, 180.0).whileAttached().apply(value, "setFocal", getMgrRef());
//
// and in a field list (one row per field) the rule is the row's last column:
//
//   ZIN_FIELD(double, Focal, "Focal", 50.0, Clamp(0.0, 180.0).whileAttached())
//
// The clipped value is always what gets stored. The warning, by default
// "Method <setter> has clipped a value out of range.", is sent only when a value
// was clipped and a sink exists. The variations are one call each:
//   .silent()            clip without a word
//   .warns(text)         send text instead of the standard message
//   .prefixed(text)      send text followed by the standard message
//   .naming(setter)      the standard message names another setter
//   .whileAttached()     without a sink the value is kept as given, unclipped
//   .orElse(value)       an out-of-range value becomes value, not the bound
// and Then(first, second), ZeroBecomes(v), Keep() and Custom(hook) cover the rest.
// A NaN lies on neither side of a bound and passes unchanged. A setter also hands
// over the value it holds, for the hooks that keep it ("a non-finite roll keeps
// the previous one").
#pragma once

#include <type_traits>

#include "ZinBase.h"

namespace QvZin {

/// Sends the clip warning to sink: fixed when set, else prefix (may be null) +
/// "Method " + setter + " has clipped a value out of range.".
void SendClipWarning(IZinWarning* sink, const char* fixed, const char* prefix, const char* setter);

/// A range rule over values of type T: either bound may be absent.
template <class T>
class TZinClip {
  static_assert(std::is_arithmetic<T>::value, "clipping rules compare numbers");

public:
  constexpr TZinClip(bool hasLow, T low, bool hasHigh, T high)
      : mLow(low), mHigh(high), mHasLow(hasLow), mHasHigh(hasHigh) {}

  constexpr TZinClip silent() const {
    TZinClip r = *this;
    r.mWarn = false;
    return r;
  }
  constexpr TZinClip warns(const char* text) const {
    TZinClip r = *this;
    r.mFixed = text;
    return r;
  }
  constexpr TZinClip prefixed(const char* text) const {
    TZinClip r = *this;
    r.mPrefix = text;
    return r;
  }
  constexpr TZinClip naming(const char* setter) const {
    TZinClip r = *this;
    r.mSetter = setter;
    return r;
  }
  constexpr TZinClip whileAttached() const {
    TZinClip r = *this;
    r.mOnlyAttached = true;
    return r;
  }
  constexpr TZinClip orElse(T value) const {
    TZinClip r = *this;
    r.mHasFallback = true;
    r.mFallback = value;
    return r;
  }

  // What the rule is, for tests that walk field lists.
  constexpr bool hasLow() const { return mHasLow; }
  constexpr bool hasHigh() const { return mHasHigh; }
  constexpr T low() const { return mLow; }
  constexpr T high() const { return mHigh; }
  constexpr bool warnsWhenClipping() const { return mWarn; }
  constexpr bool onlyWhileAttached() const { return mOnlyAttached; }
  constexpr bool hasFallback() const { return mHasFallback; }
  constexpr T fallback() const { return mFallback; }
  /// The warning's parts: the fixed text, the prefix, the setter named instead of
  /// the caller (each null when not set).
  constexpr const char* fixedText() const { return mFixed; }
  constexpr const char* prefixText() const { return mPrefix; }
  constexpr const char* namedSetter() const { return mSetter; }

  /// The value to store for value, warning sink when it was clipped.
  template <class V>
  V apply(V value, const char* setter, IZinWarning* sink, const V& = V()) const {
    if (mOnlyAttached && !sink) return value;
    V result = value;
    if (mHasLow && value < static_cast<V>(mLow))
      result = static_cast<V>(mHasFallback ? mFallback : mLow);
    else if (mHasHigh && value > static_cast<V>(mHigh))
      result = static_cast<V>(mHasFallback ? mFallback : mHigh);
    else
      return value;
    if (mWarn && sink) SendClipWarning(sink, mFixed, mPrefix, mSetter ? mSetter : setter);
    return result;
  }

private:
  T mLow;
  T mHigh;
  T mFallback{};
  bool mHasLow;
  bool mHasHigh;
  bool mHasFallback = false;
  bool mWarn = true;
  bool mOnlyAttached = false;
  const char* mFixed = nullptr;
  const char* mPrefix = nullptr;
  const char* mSetter = nullptr;
};

/// [low, high], warning with the standard message.
template <class T>
constexpr TZinClip<T> Clamp(T low, T high) {
  return TZinClip<T>(true, low, true, high);
}
/// Not below low ("negative becomes 0" is AtLeast(0)).
template <class T>
constexpr TZinClip<T> AtLeast(T low) {
  return TZinClip<T>(true, low, false, low);
}
/// Not above high.
template <class T>
constexpr TZinClip<T> AtMost(T high) {
  return TZinClip<T>(false, high, true, high);
}

/// Stores the value as given.
struct TZinKeep {
  template <class V>
  constexpr V apply(V value, const char*, IZinWarning*, const V& = V()) const {
    return value;
  }
};
constexpr TZinKeep Keep() { return {}; }

/// Zero becomes replacement, silently ("a step of 0 becomes 1").
template <class T>
struct TZinZeroBecomes {
  T mReplacement;
  template <class V>
  constexpr V apply(V value, const char*, IZinWarning*, const V& = V()) const {
    return value == V(0) ? static_cast<V>(mReplacement) : value;
  }
};
template <class T>
constexpr TZinZeroBecomes<T> ZeroBecomes(T replacement) {
  return {replacement};
}

/// An irregular rule, named where it is used: hook(value), hook(value, previous)
/// or hook(value, setter, sink) gives the value to store.
template <class F>
struct TZinCustom {
  F mHook;
  template <class V>
  V apply(V value, const char* setter, IZinWarning* sink, const V& previous = V()) const {
    if constexpr (std::is_invocable<const F&, V, const char*, IZinWarning*>::value)
      return mHook(value, setter, sink);
    else if constexpr (std::is_invocable<const F&, V, const V&>::value)
      return mHook(value, previous);
    else
      return mHook(value);
  }
};
template <class F>
constexpr TZinCustom<F> Custom(F hook) {
  return {hook};
}

/// first, then second on its result ("clip to [0, 100] while attached, then a value
/// below 10 becomes 1").
template <class A, class B>
struct TZinThen {
  A mFirst;
  B mSecond;
  template <class V>
  V apply(V value, const char* setter, IZinWarning* sink, const V& previous = V()) const {
    return mSecond.apply(mFirst.apply(value, setter, sink, previous), setter, sink, previous);
  }
};
template <class A, class B>
constexpr TZinThen<A, B> Then(A first, B second) {
  return {first, second};
}

}  // namespace QvZin
