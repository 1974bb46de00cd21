// A guard word embedded in every XML node and attribute: it detects use after
// destruction and double deletion of objects that clients delete by pointer.
#pragma once

#include <cstdint>

namespace Quorve {

class XCMine {
public:
  static constexpr uint32_t kArmed = 0xC0DEA1FFu;
  static constexpr uint32_t kDestroyed = 0xCACADEADu;

  XCMine() : mWord(kArmed) {}
  /// Reports a double or invalid deletion (never throws) and marks the word destroyed.
  ~XCMine() {
    if (mWord != kArmed) ReportDeletion();
    mWord = kDestroyed;
  }
  XCMine(const XCMine&) : mWord(kArmed) {}
  XCMine& operator=(const XCMine&) { return *this; }

  /// Throws "XCMine::CheckMine - Owner object is destroyed) (assertion failed)" for a
  /// destroyed owner, "XCMine::CheckMine - Invalide mine state (assertion failed)"
  /// for any other corrupt word.
  void CheckMine() const {
    if (mWord != kArmed) Fail();
  }

  uint32_t Word() const { return mWord; }

private:
  [[noreturn]] void Fail() const;
  void ReportDeletion() const;

  // volatile: the destructor's store must reach memory, since a later CheckMine
  // on the stale object reads it back.
  volatile uint32_t mWord;
};

}  // namespace Quorve
