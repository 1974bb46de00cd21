// File information: what the "File.Info" element of a file carries.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// What checkFormat2 says of a file (the numbers are part of the interface).
enum eReadability : int32_t {
  eNotZin = 0,       ///< not a ZIN file, or unreadable
  eOlderFile = 1,    ///< written by a library older than 5.1.0
  eOldFile = 2,      ///< written by a library from 5.1.0 up to 5.1.1
  eSameVersion = 3,  ///< written by library 5.1.1
  eNewerFile = 4,    ///< written by a newer library whose minimum and safe versions this one meets
  eUnsafeFile = 5,   ///< this library meets the minimum version but not the safe one: read with losses
  eTooNewFile = 6,   ///< this library is older than the file's minimum version: not readable
  eForeignFile = 7   ///< written by another program, with a library major of 5 or less
};

class IZinFileInfo : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("3B8E51D0C7A2493F9E6D02A1B4C8F75E");
  /// The origin of the scene: three doubles x, y, z (0, 0, 0 at first); the
  /// pointer stays valid for the object's life.
  virtual const double* getOrigin() = 0;
  /// Copies three doubles; null is ignored.
  virtual void setOrigin(const double* xyz) = 0;
};

}  // namespace QvZin
