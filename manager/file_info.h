// The file information object: the origin of the scene.
#pragma once

#include "ZinFileInfo.h"
#include "framework/obj_link_ref.h"

namespace QvZin {

class CZinFileInfo final : public TZinCOMObjLinkRef<IZinFileInfo> {
public:
  explicit CZinFileInfo(IZinMgrRef* owner) : TZinCOMObjLinkRef<IZinFileInfo>(owner) {}
  const double* getOrigin() override { return mOrigin; }
  void setOrigin(const double* xyz) override {
    if (!xyz) return;
    mOrigin[0] = xyz[0];
    mOrigin[1] = xyz[1];
    mOrigin[2] = xyz[2];
  }

private:
  double mOrigin[3] = {0, 0, 0};
};

}  // namespace QvZin
