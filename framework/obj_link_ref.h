// The base of counted objects that carry basic data and reach their owner
// through its link object: the manager, file information, images.
#pragma once

#include "framework/basic_data.h"
#include "framework/com_base.h"

namespace QvZin {

template <class I>
class TZinCOMObjLinkRef : public TZinCOMBase<I>, public CZinBasicData {
public:
  /// owner is the link to the manager (may be null); a counted reference is kept.
  explicit TZinCOMObjLinkRef(IZinMgrRef* owner) : CZinBasicData(owner) {}

  IZinObjectLink* getObjectLink() override {
    IZinMgrRef* link = getMgrRef();
    return link ? static_cast<IZinObjectLink*>(link) : nullptr;
  }
  IZinBasicData* getBasicData() override { return this; }
};

}  // namespace QvZin
