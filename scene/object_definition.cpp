#include "scene/object_definition.h"

#include <cstring>
#include <new>

#include "serialization/parts.h"
#include "serialization/recycled_elements.h"
#include "xml/root.h"

namespace QvZin {

const CZinLabel kPlacements[] = {
    {"Perpendicular", ePlacementPerpendicular}, {"Vertical", ePlacementVertical}, {nullptr, 0}};
const CZinLabel kModelOrigins[] = {{"Uninitialized", eOriginUninitialized}, {"CenterXYBottom", eOriginCenterXYBottom},
                                   {"CenterXYTop", eOriginCenterXYTop},     {"CenterXY", eOriginCenterXY},
                                   {"Camera.Target", eOriginCameraTarget},  {nullptr, 0}};

unsigned DefinitionKinds(const char* name) {
  if (!name) return 0;
  if (std::strcmp(name, "3DPlant") == 0) return kDefinitionPlant;
  if (std::strcmp(name, "AnimatedObject") == 0) return kDefinitionAnimated;
  return 0;
}

CZinKindTags ZinDefinitionData::tagsOf(unsigned kinds) {
  CZinKindTags tags;
  if (kinds & kDefinitionPlant) tags.add(KindTags<C3DPlant>());
  if (kinds & kDefinitionAnimated) tags.add(KindTags<CZinAnimatedObject>());
  return tags;
}

ZinResult CZinZinObjectDefinition::QueryInterface(const CZinUUID& iid, void** out) {
  const unsigned kinds = DefinitionKinds(getClass());
  IZinBasic* kind = nullptr;
  void* answer = nullptr;
  if (out && iid == IZin3DPlant::sIID && (kinds & kDefinitionPlant)) {
    IZin3DPlant* plant = &mData.kinds.get<C3DPlant>(this);
    kind = plant;
    answer = plant;
  } else if (out && iid == IZinAnimatedObject::sIID && (kinds & kDefinitionAnimated)) {
    IZinAnimatedObject* animated = &mData.kinds.get<CZinAnimatedObject>(this);
    kind = animated;
    answer = animated;
  }
  if (!kind) return TZinSceneObject::QueryInterface(iid, out);
  kind->AddRef();
  *out = answer;
  return kZinOk;
}

void CZinZinObjectDefinition::putDefinition(CZinXMLAdd& out) {
  if (mClass.empty()) return;
  putFields(out);
}

void CZinZinObjectDefinition::getDefinition(CZinXMLGet& in) {
  QuorveXML::XIXMLElement* element = in.GetElement();
  if (element && !element->GetFirstAttribute() && !element->GetFirstNode()) {
    resetFields();
    setId(CZinUUID());
    return;
  }
  getFields(in);
}

void CZinObjectDefinitionMgr::putDefinitions(CZinXMLAdd& root) {
  CZinRecycledSiblings old(root.GetElement(), kItemTag);
  CZinObjectDefinitionList& list = *mDefinitions;
  for (uint32_t i = 0; i < list.getCount(); ++i) {
    {
      CZinXMLAdd item(root.AddElement(kItemTag), root);
      old.lend(item);
      list.itemAt(i)->putDefinition(item);
    }
    old.itemDone();
  }
  old.finish();
}

void CZinObjectDefinitionMgr::getDefinitions(CZinXMLGet& root) {
  CZinObjectDefinitionList& list = *mDefinitions;
  list.removeAll();
  for (QuorveXML::XIXMLElement* e = root.FindElement(kItemTag); e; e = e->GetNextSameElement()) {
    if (!list.newZinObject(kZinEndOfList)) continue;
    CZinXMLGet item(e);
    list.itemAt(list.getCount() - 1)->getDefinition(item);
  }
}

// ---- the list's index by id

void CZinZinObjectDefinition::setId(const CZinUUID& id) {
  const CZinUUID before = *getId();
  TZinSceneObject::setId(id);
  if (mList && before != id) mList->idChanged(this, before, id);
}

CZinObjectDefinitionList::~CZinObjectDefinitionList() { detachAll(); }

IZinZinObjectDefinition* CZinObjectDefinitionList::newZinObject(uint32_t index) {
  IZinZinObjectDefinition* made = Base::newZinObject(index);
  if (!made) return nullptr;
  const uint32_t last = getCount() - 1;
  const uint32_t at = index == kZinEndOfList ? last : index;
  CZinZinObjectDefinition* item = itemAt(at);
  item->mList = this;
  learn(item, *item->getId(), at == last);
  return made;
}

void CZinObjectDefinitionList::removeObject(uint32_t index) {
  const uint32_t at = index == kZinEndOfList ? getCount() - 1 : index;
  // Out of the index before the list lets it go, which may destroy it.
  if (CZinZinObjectDefinition* item = itemAt(at)) {
    forget(item, *item->getId());
    item->mList = nullptr;
  }
  Base::removeObject(index);
}

void CZinObjectDefinitionList::moveObject(uint32_t from, uint32_t to) {
  Base::moveObject(from, to);
  // Only the order among members of one id changes what a search answers.
  if (CZinZinObjectDefinition* item = itemAt(to)) {
    const auto found = mIndex.find(*item->getId());
    if (found != mIndex.end() && found->second.holders > 1) mStale = true;
  }
}

void CZinObjectDefinitionList::removeAll() {
  detachAll();
  Base::removeAll();
}

CZinZinObjectDefinition* CZinObjectDefinitionList::find(const CZinUUID& id) {
  if (mStale) {
    mIndex.clear();
    mStale = false;
    for (uint32_t i = 0; i < getCount() && !mStale; ++i) learn(itemAt(i), *itemAt(i)->getId(), true);
  }
  if (mStale) {
    // No memory for the index: the list answers by a search, from the last.
    for (uint32_t i = getCount(); i-- > 0;)
      if (*itemAt(i)->getId() == id) return itemAt(i);
    return nullptr;
  }
  const auto found = mIndex.find(id);
  return found == mIndex.end() ? nullptr : found->second.last;
}

void CZinObjectDefinitionList::idChanged(CZinZinObjectDefinition* item, const CZinUUID& before,
                                         const CZinUUID& after) {
  forget(item, before);
  learn(item, after, getCount() && itemAt(getCount() - 1) == item);
}

// A stale index is made again whole at the next search, so until then it records nothing.
void CZinObjectDefinitionList::learn(CZinZinObjectDefinition* item, const CZinUUID& id, bool last) {
  if (mStale) return;
  std::pair<decltype(mIndex)::iterator, bool> placed;
  try {
    placed = mIndex.try_emplace(id, CEntry{item, 0});
  } catch (const std::bad_alloc&) {
    // Setters and collections never throw: without room the index is made again later.
    mStale = true;
    return;
  }
  CEntry& entry = placed.first->second;
  ++entry.holders;
  if (placed.second || last) {
    entry.last = item;
  } else {
    mStale = true;
  }
}

void CZinObjectDefinitionList::forget(CZinZinObjectDefinition* item, const CZinUUID& id) {
  if (mStale) return;
  const auto found = mIndex.find(id);
  if (found == mIndex.end()) return;
  if (--found->second.holders == 0) {
    mIndex.erase(found);
  } else if (found->second.last == item) {
    mStale = true;  // the member before it with this id is not known here
  }
}

void CZinObjectDefinitionList::detachAll() {
  for (uint32_t i = 0; i < getCount(); ++i) itemAt(i)->mList = nullptr;
  mIndex.clear();
  mStale = false;
}

}  // namespace QvZin
