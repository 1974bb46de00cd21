// Object definitions with their setups and extended data, and the manager's
// collection of them.
#pragma once

#include <string>
#include <unordered_map>

#include "ZinObjects.h"
#include "framework/object_mgr.h"
#include "framework/scene_object.h"
#include "framework/string.h"
#include "framework/uuid.h"
#include "geometry/polygon_store.h"
#include "materials/property.h"
#include "scene/animated_object.h"
#include "scene/object_kinds.h"
#include "scene/plant.h"
#include "serialization/object_parts.h"

namespace QvZin {

extern const CZinLabel kPlacements[];
extern const CZinLabel kModelOrigins[];

#define ZIN_OBJECT_SETUP_FIELDS(F, P)         \
  P(CZinBasicPart, Id, "UUID", ZinBasicId()) \
  P(CZinStringPart, Names, "Name", ZinStrings())

class CObjectSetup final : public TZinSceneObject<IZinZinObjectSetup> {
public:
  ZIN_FIELDS(ZIN_OBJECT_SETUP_FIELDS)

  explicit CObjectSetup(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  IZinString* getNames() override { return &mNames; }
};

using CZinObjectSetupList = TObject2Mgr<CObjectSetup, IZinZinObjectSetup>;

/// The kinds a definition's class selects.
enum EZinDefinitionKind : unsigned { kDefinitionPlant = 1u, kDefinitionAnimated = 2u };
/// The kinds of a definition of class name.
unsigned DefinitionKinds(const char* name);

/// The end of a definition: its extended data (children the definition does not
/// model, kept in a holder element) and the values of its kind, which replace
/// children and attributes of the same names.
class CZinDefinitionData {
public:
  static constexpr const char* kHolderTag = "Extended.Data";

  CZinUserXML extended;
  TZinKinds<C3DPlant, CZinAnimatedObject> kinds;

  void setLink(IZinMgrRef* link) { kinds.setLink(link); }
  void resetFields() {
    extended.resetFields();
    kinds.resetFields();
  }
};

/// The definition's extended data and kind, straight in its element: written last;
/// read from the children after "Setups" and from the kind's rows.
struct ZinDefinitionData {
  template <class Owner>
  void put(CZinXMLAdd& out, const char*, CZinDefinitionData& part, Owner& owner) const {
    const unsigned kinds = DefinitionKinds(owner.getClass());
    const CZinKindTags tags = tagsOf(kinds);
    if (!part.extended.empty()) CopyOthers(part.extended.element(part.kHolderTag), out.GetElement(), tags);
    if (kinds & kDefinitionPlant) part.kinds.get<C3DPlant>(&owner).putFields(out);
    if (kinds & kDefinitionAnimated) part.kinds.get<CZinAnimatedObject>(&owner).putFields(out);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char*, CZinDefinitionData& part, Owner& owner) const {
    part.resetFields();
    const unsigned kinds = DefinitionKinds(owner.getClass());
    const CZinKindTags tags = tagsOf(kinds);
    if (kinds & kDefinitionPlant) part.kinds.get<C3DPlant>(&owner).getFields(in);
    if (kinds & kDefinitionAnimated) part.kinds.get<CZinAnimatedObject>(&owner).getFields(in);
    QuorveXML::XIXMLElement* setups = in.FindElement("Setups");
    if (OthersFollow(setups, tags)) CopyOthersAfter(setups, part.extended.element(part.kHolderTag), tags);
  }
  static CZinKindTags tagsOf(unsigned kinds);
};

#define ZIN_OBJECT_DEFINITION_FIELDS(F, P)                                                            \
  F(std::string, Class, "Class", "", ZinName(), Keep())                                               \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                                                          \
  P(CZinStringPart, Names, "Name", ZinStrings())                                                      \
  F(CZinVector3D, Anchor, "Anchor", CZinVector3D(), ZinPoint(), Keep())                               \
  F(int32_t, Placement, "Placement", ePlacementPerpendicular, ZinLabel{kPlacements}, Keep())          \
  F(CZinVector3D, UpVector, "Up", CZinVector3D(0, 1, 0), ZinPoint(), Keep())                          \
  F(double, InitialAngle, "Initial.Angle", 0.0, ZinDouble(), Keep())                                  \
  P(CZinProperties, Properties, "Properties", ZinProperties())                                        \
  F(CZinUUID, LightGroupId, "LightGroupID", CZinUUID(), ZinId(), Keep())                              \
  F(CZinVector3D, ModelRotation, "Model.Rotation", CZinVector3D(), ZinPoint(), Keep())                \
  F(CZinMatrix, ModelRotationMatrix, "Model.Rotation.Matrixs", CZinMatrix(), ZinMatrix(), Keep())     \
  F(CZinVector3D, ModelPosition, "Model.Position", CZinVector3D(), ZinPoint(), Keep())                \
  P(CZinStringPart, Description1, "Description1", ZinStrings())                                       \
  P(CZinStringPart, Description2, "Description2", ZinStrings())                                       \
  P(CZinStringPart, Comment, "Comment", ZinStrings())                                                 \
  P(CZinBasicPart, UIValue, "UIValue", ZinBasicUIValue())                                             \
  F(int32_t, ModelOrigin, "Model.Origin", eOriginUninitialized, ZinLabel{kModelOrigins}, Keep())      \
  P(TZinList<CZinObjectSetupList>, Setups, "Setups", ZinList("Setup"))                                \
  P(CZinDefinitionData, Data, "", ZinDefinitionData())

class CZinObjectDefinitionList;

class CZinZinObjectDefinition final : public TZinSceneObject<IZinZinObjectDefinition> {
public:
  ZIN_FIELDS(ZIN_OBJECT_DEFINITION_FIELDS)

  explicit CZinZinObjectDefinition(IZinMgrRef* owner)
      : TZinSceneObject(owner),
        mPoints(NewZinCollection<TSimpleMgr<CZinPoint>>(owner)),
        mPolygons(NewZinCollection<CPolygonStore>(owner)) {
    linkParts(getMgrRef());
  }

  /// Answers IZin3DPlant for class "3DPlant" and IZinAnimatedObject for class
  /// "AnimatedObject", besides the definition's own identifiers.
  ZinResult QueryInterface(const CZinUUID& iid, void** out) override;
  /// Sets the id and tells the list that holds the definition, which finds its
  /// members by id.
  void setId(const CZinUUID& id) override;

  IZinString* getNames() override { return &mNames; }
  TZinObjectMgr<IZinProperty>* getProperties() override { return mProperties.list(); }
  IZinString* getDescription1() override { return &mDescription1; }
  IZinString* getDescription2() override { return &mDescription2; }
  IZinString* getComment() override { return &mComment; }
  TZinObjectMgr<IZinZinObjectSetup>* getSetups() override { return mSetups.list(); }
  QuorveXML::XIXMLElement* getExtendedData() override { return mData.extended.element(mData.kHolderTag); }

  /// Writes the definition into its own element: nothing at all for an empty class.
  void putDefinition(CZinXMLAdd& out);
  /// Reads the definition from its own element; an empty element gives a
  /// definition of default values, the all-zero id included.
  void getDefinition(CZinXMLGet& in);

  /// The geometry of an internal component definition.
  TSimpleMgr<CZinPoint>& points() { return *mPoints; }
  CPolygonStore& polygons() { return *mPolygons; }
  /// "Geometry.Level" of an internal component definition.
  int32_t geometryLevel() const { return mGeometryLevel; }
  void setGeometryLevel(int32_t level) { mGeometryLevel = level; }

private:
  friend class CZinObjectDefinitionList;

  TZinComPtr<TSimpleMgr<CZinPoint>> mPoints;
  TZinComPtr<CPolygonStore> mPolygons;
  int32_t mGeometryLevel = 0;
  CZinObjectDefinitionList* mList = nullptr;  // the list that holds it, told of id changes
};

/// Definitions in order, found by id in constant time: every file's blocks ask for
/// their component by id, so a search of the list per block would cost the square
/// of the components. The index follows the list's own changes and its members'
/// setId. A change whose effect depends on positions (an id that several members
/// share) only marks the index stale: the next search makes it again, once.
class CZinObjectDefinitionList final
    : public TZinPointerMgr<CZinZinObjectDefinition, IZinZinObjectDefinition, TZinStrongHold<CZinZinObjectDefinition>> {
  using Base = TZinPointerMgr<CZinZinObjectDefinition, IZinZinObjectDefinition, TZinStrongHold<CZinZinObjectDefinition>>;

public:
  explicit CZinObjectDefinitionList(IZinMgrRef* owner) : Base(owner) {}
  ~CZinObjectDefinitionList() override;

  IZinZinObjectDefinition* newZinObject(uint32_t index) override;
  void removeObject(uint32_t index) override;
  void moveObject(uint32_t from, uint32_t to) override;
  void removeAll() override;

  /// The definition with that id, the last one when several have it (borrowed), or
  /// null. Constant time, but for the first search after a stale change.
  CZinZinObjectDefinition* find(const CZinUUID& id);

private:
  friend class CZinZinObjectDefinition;

  struct CEntry {
    CZinZinObjectDefinition* last;  // the last member with the id
    uint32_t holders;               // how many members have it
  };

  void idChanged(CZinZinObjectDefinition* item, const CZinUUID& before, const CZinUUID& after);
  void learn(CZinZinObjectDefinition* item, const CZinUUID& id, bool last);
  void forget(CZinZinObjectDefinition* item, const CZinUUID& id);
  void detachAll();

  std::unordered_map<CZinUUID, CEntry, CZinUUIDHash> mIndex;
  bool mStale = false;
};

/// The manager's object definitions: one top-level "Object.Definition" element
/// each, and the names readMediaInfo finds.
class CZinObjectDefinitionMgr final : public TZinSceneObject<IZinObjectDefinitionMgr> {
public:
  static constexpr const char* kItemTag = "Object.Definition";

  explicit CZinObjectDefinitionMgr(IZinMgrRef* owner)
      : TZinSceneObject(owner), mDefinitions(NewZinCollection<CZinObjectDefinitionList>(owner)), mNames(owner) {}

  TZinObjectMgr<IZinZinObjectDefinition>* getDefinitions() override { return mDefinitions.get(); }
  IZinString* getNames() override { return &mNames; }
  CZinObjectDefinitionList& definitions() { return *mDefinitions; }
  CZinString* names() { return &mNames; }

  /// Replaces every "Object.Definition" child of root by one per definition, at the end,
  /// each built from the nodes of the old one of its rank.
  void putDefinitions(CZinXMLAdd& root);
  /// Empties the collection, then appends one definition per "Object.Definition"
  /// child of root, in document order.
  void getDefinitions(CZinXMLGet& root);

private:
  TZinComPtr<CZinObjectDefinitionList> mDefinitions;
  CZinString mNames;
};

}  // namespace QvZin
