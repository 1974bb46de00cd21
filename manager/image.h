// The picture object that clients see. The pixels join with the image blocks.
#pragma once

#include "ZinImage.h"
#include "framework/scene_object.h"

namespace QvZin {

class CZinImage final : public TZinSceneObject<IZinImage> {
public:
  /// owner: the collection's owner, or the manager's link for the preview image.
  explicit CZinImage(IZinMgrRef* owner) : TZinSceneObject(owner) {}

  const CZinUUID* getImageId() override { return &mImageId; }
  const CZinUUID* setImageId(const CZinUUID* id) override {
    if (id) mImageId = *id;
    return id;
  }

private:
  CZinUUID mImageId;
};

}  // namespace QvZin
