#include "manager/reference_import.h"

#include <exception>
#include <memory>

#include "framework/uuid.h"
#include "scene/object_instance.h"
#include "support/raise.h"
#include "xml/root.h"
#include "xml/tree.h"

namespace QvZin {

namespace {

constexpr const char* kNoObject = "newZinObject: Can't allocate object";

// The instance classes an objects import moves: every class of a kind but the plant
// group; plant groups and unknown classes stay behind.
bool ImportedClass(const char* name) {
  const unsigned kinds = InstanceKinds(name);
  return kinds != 0 && kinds != kInstanceGroup;
}

// An object's content in a document of its own, written and read by the object's
// element form (the halves that throw, so that a failure stops the import): one
// root element with the object's tag, laid out as in a file, so that what an import
// reads is what a file holds.
class CTransfer {
public:
  CTransfer(CZinXMLBasicData& from, const char* tag) {
    CZinXMLAdd root(mDocument.GetRoot());
    mElement = root.AddElement(tag);
    CZinXMLIO io(mElement, from.getMgrRef());
    from.putInXML(io);
  }
  /// Reads the content into into. keepId: into keeps its own id (what merges do,
  /// so that no two objects of the target share one); otherwise the id is read too.
  void readInto(CZinXMLBasicData& into, bool keepId) {
    const CZinUUID kept = *into.getId();
    CZinXMLIO io(mElement, into.getMgrRef());
    into.initWithXML(io);
    if (keepId) into.setId(kept);
  }

private:
  QuorveXML::XCXMLTree mDocument;
  QuorveXML::XIXMLElement* mElement = nullptr;
};

// Appends a new object to list and returns it, concrete.
template <class List>
auto* Append(List& list) {
  if (!list.newZinObject(kZinEndOfList)) throw std::runtime_error(kNoObject);
  return list.itemAt(list.getCount() - 1);
}

// Calls f with instance's kind interface I, when its class selects that kind.
template <class I, class F>
void WithKind(IZinObjectInstance* instance, F&& f) {
  I* kind = nullptr;
  if (instance->QueryInterface(I::sIID, reinterpret_cast<void**>(&kind)) != kZinOk || !kind) return;
  TZinComPtr<I> hold;
  hold.attach(kind);
  f(*kind);
}

}  // namespace

void CZinImport::run(int flags) {
  CZinSceneCollections& from = mSource.scene();
  CZinSceneCollections& into = mTarget.scene();
  if (flags & kImportObjects) importObjects();
  // The first step selects nothing of its own: its bit is accepted and does nothing.
  if (flags & kImportLights)
    mergeByName(*from.mLights, *into.mLights, "Light", [this](CLight* light) { mLights.emplace_back(light); });
  if (flags & kImportHeliodons) mergeByName(*from.mHeliodons, *into.mHeliodons, "Heliodon", [](CHeliodon*) {});
  matchLayers();
  auto view = [this](auto* object) {
    mViewHolders.emplace_back(object);
    mViews.push_back(object->getViewInfo());
  };
  if (flags & kImportPerspectiveViews)
    mergeByName(*from.mPerspectiveViews, *into.mPerspectiveViews, "Perspective.View", view);
  if (flags & kImportParallelViews)
    mergeByName(*from.mParallelViews, *into.mParallelViews, "Parallel.View", view);
  if (flags & kImportViewObjects) mergeByName(*from.mViewObjects, *into.mViewObjects, "View.Object", view);
  if (flags & kImportPanoramas)
    mergeByName(*from.mPanoramas, *into.mPanoramas, "PanoramaV2",
                [this](CZinPanoramaV2* panorama) { mPanoramas.emplace_back(panorama); });
  if (flags & kImportScenarios) importScenarios();
  close();
}

template <class List, class F>
void CZinImport::mergeByName(List& from, List& into, const char* tag, F&& imported) {
  // The first target object of each name, kept up to date as objects are appended:
  // one look-up per source object instead of a walk of the target.
  std::unordered_map<std::string, uint32_t> byName;
  const uint32_t targetCount = into.getCount();
  byName.reserve(targetCount);
  for (uint32_t i = 0; i < targetCount; ++i) byName.emplace(into.itemAt(i)->getName(), i);
  // Counted once: when source and target are one, the appended objects are not sources.
  const uint32_t count = from.getCount();
  for (uint32_t i = 0; i < count; ++i) {
    auto* source = from.itemAt(i);
    const CZinUUID sourceId = *source->getId();
    const std::string name = source->getName();
    CTransfer content(*source, tag);
    auto found = byName.find(name);
    auto* target = found != byName.end() ? into.itemAt(found->second) : nullptr;
    if (!target) {
      target = Append(into);
      byName.emplace(name, into.getCount() - 1);
    }
    content.readInto(*target, true);
    mIds[sourceId] = *target->getId();
    imported(target);
  }
}

// ---- objects

void CZinImport::importObjects() {
  CZinSceneCollections& from = mSource.scene();
  CZinSceneCollections& into = mTarget.scene();
  CZinObjectDefinitionList& definitions = from.mObjectDefinitions->definitions();
  for (uint32_t i = 0; i < definitions.getCount(); ++i)
    mSourceDefinitions.emplace(*definitions.itemAt(i)->getId(), definitions.itemAt(i));
  CZinObjectDefinitionList& components = *from.mInternalComponentDefinitions;
  for (uint32_t i = 0; i < components.getCount(); ++i)
    mSourceComponents.emplace(*components.itemAt(i)->getId(), components.itemAt(i));
  CZinObjectDefinitionList& targetDefinitions = into.mObjectDefinitions->definitions();
  for (uint32_t i = 0; i < targetDefinitions.getCount(); ++i)
    mTargetDefinitionIds.insert(*targetDefinitions.itemAt(i)->getId());
  for (uint32_t i = 0; i < into.mInternalComponentDefinitions->getCount(); ++i)
    mTargetDefinitionIds.insert(*into.mInternalComponentDefinitions->itemAt(i)->getId());

  CZinObjectInstanceList& instances = *from.mObjectInstances;
  const uint32_t count = instances.getCount();
  for (uint32_t i = 0; i < count; ++i) {
    CZinObjectInstance* source = instances.itemAt(i);
    if (!ImportedClass(source->getClass())) continue;
    const CZinUUID sourceId = *source->getId();
    CTransfer content(*source, "Object.Instance");
    CZinObjectInstance* target = Append(*into.mObjectInstances);
    content.readInto(*target, true);
    mIds[sourceId] = *target->getId();
    mInstances.emplace_back(target);

    // What the instance uses: the definition it overloads, the selected overload,
    // the internal component it shows, and the materials of all of them.
    bringDefinition(target->getOverloadId());
    WithKind<IZinZinObjectInstance>(target, [this](IZinZinObjectInstance& kind) {
      bringDefinition(kind.getCurrentOverload());
      notePropertiesOf(kind.getProperties());
      // The instance's own lights are new objects too: a second import of the same
      // instance must not give the target two lights of one id.
      TZinObjectMgr<IZinLight>* lights = kind.getLights();
      for (uint32_t l = 0; l < lights->getCount(); ++l) {
        IZinBasicData* light = lights->getZinObject(l)->getBasicData();
        const CZinUUID sourceLight = *light->getId();
        light->setId(NewZinUUID());
        mIds[sourceLight] = *light->getId();
      }
    });
    WithKind<IZinBBObjectInstance>(
        target, [this](IZinBBObjectInstance& kind) { notePropertiesOf(kind.getOverloadedProperties()); });
    WithKind<IZinAnimatedObjectInstance>(
        target, [this](IZinAnimatedObjectInstance& kind) { notePropertiesOf(kind.getOverloadedProperties()); });
    WithKind<IZinInternalComponentInstance>(target, [this](IZinInternalComponentInstance& kind) {
      bringDefinition(kind.getComponentId());
      notePropertiesOf(kind.getProperties());
    });
  }
  bringProperties();
}

void CZinImport::bringDefinition(const CZinUUID& id) {
  // A definition the target holds already is used as it is: definitions are named
  // by id alone.
  if (id.isNull() || !mTargetDefinitionIds.insert(id).second) return;
  CZinSceneCollections& into = mTarget.scene();
  CZinZinObjectDefinition* copy = nullptr;
  auto definition = mSourceDefinitions.find(id);
  auto component = mSourceComponents.find(id);
  if (definition != mSourceDefinitions.end()) {
    CTransfer content(*definition->second, CZinObjectDefinitionMgr::kItemTag);
    copy = Append(into.mObjectDefinitions->definitions());
    content.readInto(*copy, false);
  } else if (component != mSourceComponents.end()) {
    CZinZinObjectDefinition& source = *component->second;
    CTransfer content(source, CZinObjectDefinitionMgr::kItemTag);
    copy = Append(*into.mInternalComponentDefinitions);
    content.readInto(*copy, false);
    copy->setId(id);
    copy->setGeometryLevel(source.geometryLevel());
    const uint32_t points = source.points().getCount();
    copy->points().reserveExactly(points);
    for (uint32_t i = 0; i < points; ++i)
      if (!copy->points().append(source.points().records()[i])) throw std::runtime_error(kNoObject);
    TZinComPtr<CPolygon> polygon(CreateZinObject<CPolygon>(&mTarget.link()));
    const uint32_t polygons = source.polygons().getCount();
    copy->polygons().reserveExactly(polygons);
    for (uint32_t i = 0; i < polygons; ++i) {
      source.polygons().copyTo(i, *polygon);
      copy->polygons().append(polygon.get());
    }
  } else {
    return;
  }
  mIds[id] = id;
  mDefinitions.emplace_back(copy);
  notePropertiesOf(copy->getProperties());
}

void CZinImport::notePropertiesOf(TZinObjectMgr<IZinProperty>* list) {
  const uint32_t count = list ? list->getCount() : 0;
  for (uint32_t i = 0; i < count; ++i) {
    IZinProperty* property = list->getZinObject(i);
    if (!property) continue;
    std::string name = property->getBasicData()->getName();
    if (mPropertyNamesSeen.insert(name).second) mPropertyNames.push_back(std::move(name));
  }
}

void CZinImport::bringProperties() {
  // Materials are matched by name: one the target has is used as it is; one only the
  // source has comes along.
  CZinPropertyList& from = *mSource.scene().mProperties;
  CZinPropertyList& into = *mTarget.scene().mProperties;
  std::unordered_map<std::string, CProperty*> sourceByName;
  for (uint32_t i = 0; i < from.getCount(); ++i) sourceByName.emplace(from.itemAt(i)->getName(), from.itemAt(i));
  std::set<std::string> targetNames;
  for (uint32_t i = 0; i < into.getCount(); ++i) targetNames.insert(into.itemAt(i)->getName());
  for (const std::string& name : mPropertyNames) {
    auto source = sourceByName.find(name);
    if (source == sourceByName.end() || !targetNames.insert(name).second) continue;
    const CZinUUID sourceId = *source->second->getId();
    CTransfer content(*source->second, "Property");
    CProperty* copy = Append(into);
    content.readInto(*copy, true);
    mIds[sourceId] = *copy->getId();
  }
}

// ---- layers and scenarios

void CZinImport::matchLayers() {
  CZinLayerList& from = *mSource.scene().mLayers;
  CZinLayerList& into = *mTarget.scene().mLayers;
  std::unordered_map<std::string, CZinUUID> targetByName;
  for (uint32_t i = 0; i < into.getCount(); ++i) targetByName.emplace(into.itemAt(i)->getName(), *into.itemAt(i)->getId());
  std::set<std::string> sourceNames;
  for (uint32_t i = 0; i < from.getCount(); ++i) {
    const std::string name = from.itemAt(i)->getName();
    sourceNames.insert(name);
    auto target = targetByName.find(name);
    if (target != targetByName.end()) mIds[*from.itemAt(i)->getId()] = target->second;
  }
  for (uint32_t i = 0; i < into.getCount(); ++i)
    if (!sourceNames.count(into.itemAt(i)->getName())) mTargetOnlyLayers.push_back(*into.itemAt(i)->getId());
}

void CZinImport::importScenarios() {
  CZinScenarioList& from = *mSource.scene().mScenarios;
  CZinScenarioList& into = *mTarget.scene().mScenarios;
  if (from.getCount() == 0) return;
  if (into.getCount() == 0 && !into.newZinObject(0)) throw std::runtime_error(kNoObject);
  CZinScenario* source = from.itemAt(0);
  CZinScenario* target = into.itemAt(0);
  const CZinUUID sourceId = *source->getId();
  CTransfer content(*source, "Scenario");
  content.readInto(*target, true);
  mIds[sourceId] = *target->getId();
  mScenario = TZinComPtr<CZinScenario>(target);
}

// ---- the closing step

CZinUUID CZinImport::resolve(const CZinUUID& id) const {
  if (id.isNull()) return id;
  auto mapped = mIds.find(id);
  if (mapped != mIds.end()) return mapped->second;
  return mTargetIds.count(id) ? id : CZinUUID();
}

void CZinImport::collectTargetIds() {
  CZinSceneCollections& into = mTarget.scene();
  auto add = [this](auto& list) {
    for (uint32_t i = 0; i < list.getCount(); ++i) mTargetIds.insert(*list.itemAt(i)->getId());
  };
  add(*into.mLights);
  add(*into.mLightsGroups);
  add(*into.mHeliodons);
  add(*into.mPerspectiveViews);
  add(*into.mParallelViews);
  add(*into.mViewObjects);
  add(*into.mPanoramas);
  add(*into.mAnimations);
  add(*into.mScenarios);
  add(*into.m3DPaths);
  add(*into.mEnvironments);
  add(*into.mGrounds);
  add(*into.mLayers);
  add(*into.mProperties);
  add(*into.mObjectInstances);
  add(*into.mInternalComponentDefinitions);
  CZinObjectDefinitionList& definitions = into.mObjectDefinitions->definitions();
  add(definitions);
  // An instance's selected overload names one of its definition's setups.
  for (uint32_t i = 0; i < definitions.getCount(); ++i) {
    TZinObjectMgr<IZinZinObjectSetup>* setups = definitions.itemAt(i)->getSetups();
    for (uint32_t s = 0; s < setups->getCount(); ++s) mTargetIds.insert(*setups->getZinObject(s)->getBasicData()->getId());
  }
}

void CZinImport::fixIds(TZinObjectMgr<CZinUUID>* list) {
  if (!list) return;
  std::vector<CZinUUID> kept;
  const uint32_t count = list->getCount();
  kept.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    const CZinUUID id = resolve(*list->getZinObject(i));
    if (!id.isNull()) kept.push_back(id);
  }
  list->removeAll();
  for (const CZinUUID& id : kept)
    if (CZinUUID* slot = list->newZinObject(kZinEndOfList)) *slot = id;
}

void CZinImport::fixViewInfo(IZinViewInfo* info, bool addTargetLayers) {
  if (!info) return;
  fixIds(info->getLightsGroups());
  fixIds(info->getNeonShaders());
  info->setEnvironment(resolve(info->getEnvironment()));
  info->setGround(resolve(info->getGround()));
  TZinObjectMgr<CZinUUID>* layers = info->getLayers();
  fixIds(layers);
  if (!addTargetLayers || !layers) return;
  // A view that comes in still shows the target's own layers.
  std::set<CZinUUID> shown;
  for (uint32_t i = 0; i < layers->getCount(); ++i) shown.insert(*layers->getZinObject(i));
  for (const CZinUUID& id : mTargetOnlyLayers)
    if (shown.insert(id).second)
      if (CZinUUID* slot = layers->newZinObject(kZinEndOfList)) *slot = id;
}

void CZinImport::fixScenario(IZinScenario* scenario) {
  TZinObjectMgr<IZinSequence>* sequences = scenario->getSequences();
  for (uint32_t i = 0; i < sequences->getCount(); ++i) {
    IZinSequence* sequence = sequences->getZinObject(i);
    sequence->setTargetObjectId(resolve(sequence->getTargetObjectId()));
    fixViewInfo(sequence->getViewInfo(), true);
  }
  TZinObjectMgr<IZinAnimatedElement>* elements = scenario->getAnimatedElements();
  for (uint32_t i = 0; i < elements->getCount(); ++i) {
    IZinAnimatedElement* element = elements->getZinObject(i);
    element->setObjectId(resolve(element->getObjectId()));
    TZinObjectMgr<IZinInterpolatedValue>* values = element->getInterpolatedValues();
    for (uint32_t v = 0; v < values->getCount(); ++v) {
      IZinInterpolatedValue* value = values->getZinObject(v);
      value->setPathId(resolve(value->getPathId()));
    }
  }
}

void CZinImport::close() {
  collectTargetIds();
  for (const auto& light : mLights) {
    fixIds(light->getLightsGroups());
    light->setTargetObjectId(resolve(light->getTargetObjectId()));
  }
  for (IZinViewInfo* info : mViews) fixViewInfo(info, true);
  for (size_t i = 0; i < mViewHolders.size(); ++i) {
    IZinCamera* camera = nullptr;
    // Only cameras aim at an object.
    if (mViewHolders[i]->QueryInterface(IZinCamera::sIID, reinterpret_cast<void**>(&camera)) == kZinOk && camera) {
      camera->setTargetObjectId(resolve(camera->getTargetObjectId()));
      camera->Release();
    }
  }
  for (const auto& panorama : mPanoramas) {
    fixIds(panorama->getParallelViews());
    fixViewInfo(panorama->getViewInfo(), true);
    TZinObjectMgr<IZinPanoLinkV2>* links = panorama->getLinks();
    for (uint32_t i = 0; i < links->getCount(); ++i) {
      IZinPanoLinkV2* link = links->getZinObject(i);
      link->setPathId(resolve(link->getPathId()));
    }
  }
  for (const auto& instance : mInstances) {
    instance->setLayerId(resolve(instance->getLayerId()));
    instance->setAttachId(resolve(instance->getAttachId()));
    instance->setOverloadId(resolve(instance->getOverloadId()));
    WithKind<IZinZinObjectInstance>(instance.get(), [this](IZinZinObjectInstance& kind) {
      kind.setCurrentOverload(resolve(kind.getCurrentOverload()));
    });
    WithKind<IZinInternalComponentInstance>(
        instance.get(), [this](IZinInternalComponentInstance& kind) { kind.setComponentId(resolve(kind.getComponentId())); });
  }
  for (const auto& definition : mDefinitions) definition->setLightGroupId(resolve(definition->getLightGroupId()));
  if (mScenario) fixScenario(mScenario.get());
}

// ---- the entry point

void IZinMgr::doImportReference(IZinMgr* target, IZinMgr* source, int flags) {
  if (!target || !source) return;
  // Only a manager of this library can take content: a client's own has no
  // collections to merge into and no feedback object to hear of it.
  CZIN* into = dynamic_cast<CZIN*>(target);
  if (!into) return;
  try {
    CZIN* from = dynamic_cast<CZIN*>(source);
    if (!from) throw std::runtime_error("The source is not a manager of this library");
    CZinImport(*into, *from).run(flags);
  } catch (const std::exception& e) {
    const std::string text = std::string("Exception in doImportReference : ") + e.what();
    into->feedbackWarning(text.c_str());
  } catch (...) {
    into->feedbackWarning("Exception in doImportReference : unknown exception");
  }
}

}  // namespace QvZin
