// Reference import: chosen kinds of content of one manager merged into another.
#pragma once

#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "manager/mgr.h"
#include "scene/scenario.h"

namespace QvZin {

/// The kinds of content an import moves, one bit each.
enum EZinImportFlags : int {
  kImportFirstStep = 0x1,
  kImportLights = 0x10,
  kImportHeliodons = 0x20,
  kImportObjects = 0x40,
  kImportPerspectiveViews = 0x80,
  kImportParallelViews = 0x100,
  kImportViewObjects = 0x200,
  kImportPanoramas = 0x400,
  kImportScenarios = 0x800
};

/// One import from source into target (the same manager is allowed). What the steps
/// share: the map from source ids to target ids (layers matched by name included),
/// the target layers no source layer names, and what was imported, whose references
/// the closing step points at the target.
class CZinImport {
public:
  CZinImport(CZIN& target, CZIN& source) : mTarget(target), mSource(source) {}

  /// Runs the steps flags select, in their fixed order; the layer and closing steps
  /// always run. Failures throw; what was merged before stays.
  void run(int flags);

  /// The source id's target id: through the map, kept when it names an object of
  /// the target, else the zero id. Valid in the closing step.
  CZinUUID resolve(const CZinUUID& id) const;

private:
  void importObjects();
  void matchLayers();
  void importScenarios();
  void close();

  template <class List, class F>
  void mergeByName(List& from, List& into, const char* tag, F&& imported);
  void bringDefinition(const CZinUUID& id);
  void bringProperties();
  void notePropertiesOf(TZinObjectMgr<IZinProperty>* list);
  template <class I>
  void noteKindProperties(IZinObjectInstance* instance);
  void collectTargetIds();
  void fixIds(TZinObjectMgr<CZinUUID>* list);
  void fixViewInfo(IZinViewInfo* info, bool addTargetLayers);
  void fixScenario(IZinScenario* scenario);

  CZIN& mTarget;
  CZIN& mSource;
  std::map<CZinUUID, CZinUUID> mIds;       // source id -> target id
  std::vector<CZinUUID> mTargetOnlyLayers;  // target layers whose names no source layer bears
  std::set<CZinUUID> mTargetIds;            // every id an object of the target holds (closing step)

  // The objects step's bookkeeping.
  std::map<CZinUUID, CZinZinObjectDefinition*> mSourceDefinitions;
  std::map<CZinUUID, CZinZinObjectDefinition*> mSourceComponents;
  std::set<CZinUUID> mTargetDefinitionIds;
  std::vector<std::string> mPropertyNames;  // used by what came, in order of first use
  std::set<std::string> mPropertyNamesSeen;

  // What came, for the closing step (references keep them alive).
  std::vector<TZinComPtr<CLight>> mLights;
  std::vector<TZinComPtr<IZinBasic>> mViewHolders;
  std::vector<IZinViewInfo*> mViews;
  std::vector<TZinComPtr<CZinPanoramaV2>> mPanoramas;
  std::vector<TZinComPtr<CZinObjectInstance>> mInstances;
  std::vector<TZinComPtr<CZinZinObjectDefinition>> mDefinitions;
  TZinComPtr<CZinScenario> mScenario;
};

}  // namespace QvZin
