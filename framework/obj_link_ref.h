// The base of counted objects that carry basic data and reach their owner
// through its link object: the manager, file information, images.
#pragma once

#include "framework/basic_data.h"
#include "framework/com_base.h"

namespace QvZin {

/// Basic is the record: CZinBasicData, or a class built on it (scene objects take
/// the one with an element form).
template <class I, class Basic = CZinBasicData>
class TZinCOMObjLinkRef : public TZinCOMBase<I>, public Basic {
public:
  /// owner is the link to the manager (may be null); a counted reference is kept.
  explicit TZinCOMObjLinkRef(IZinMgrRef* owner) : Basic(owner) {}

  IZinObjectLink* getObjectLink() override {
    IZinMgrRef* link = this->getMgrRef();
    return link ? static_cast<IZinObjectLink*>(link) : nullptr;
  }
  IZinBasicData* getBasicData() override { return this; }
};

}  // namespace QvZin
