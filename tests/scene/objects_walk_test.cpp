// The field walk of every class of the scene's objects.
#include "scene/objects_walk.h"
#include "scene/objects_texts.h"

using namespace QvZin;
using namespace QvZinTest;

ZIN_FIELD_WALK(CObjectSetup, kSetupText)
ZIN_FIELD_WALK(CZinZinObjectDefinition, kDefinitionText)
ZIN_FIELD_WALK(CZinObjectInstance, kInstanceText)
ZIN_FIELD_WALK(CZinZinObjectInstance, kLibraryInstanceText)
ZIN_FIELD_WALK(CZinBBObjectInstance, kBBInstanceText)
ZIN_FIELD_WALK(CZinAnimatedObjectInstance, kAnimatedInstanceText)
ZIN_FIELD_WALK(C3DPlantRef, kPlantRefText)
ZIN_FIELD_WALK(CZinInternalComponentInstance, kComponentInstanceText)
ZIN_FIELD_WALK(CPlantSetUp, kPlantSetUpText)
ZIN_FIELD_WALK(C3DPlant, kPlantText)
ZIN_FIELD_WALK(CZinTake, kTakeText)
ZIN_FIELD_WALK(CZinAnimatedObject, kAnimatedObjectText)
ZIN_FIELD_WALK(CZinQuad, "<Quad/>")
ZIN_FIELD_WALK(CZinBillboard, kBillboardText)
ZIN_FIELD_WALK(CZinBBMgrData, kBBMgrDataText)
ZIN_FIELD_WALK(CZinLayer, kLayerText)
ZIN_FIELD_WALK(CZinLayerInfo, kLayerInfoText)

