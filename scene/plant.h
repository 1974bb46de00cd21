// A 3D plant, the kind of a definition of class "3DPlant": its type and its
// seasons, each with a flower colour.
#pragma once

#include "ZinObjects.h"
#include "framework/object_mgr.h"
#include "scene/object_kinds.h"
#include "scene/time_place.h"
#include "serialization/object_parts.h"

namespace QvZin {

extern const CZinLabel kPlantTypes[];
extern const CZinLabel kFlowerColors[];

#define ZIN_PLANT_SETUP_FIELDS(F, P)                                                    \
  P(CZinTime, StartTime, "StartTime", ZinPart())                                        \
  P(CZinTime, EndTime, "EndTime", ZinPart())                                            \
  F(int32_t, Color, "Color", eFlowerUndefined, ZinLabel{kFlowerColors}, Keep())         \
  F(CZinUUID, Id, "Id", CZinNewId(), ZinId(), Keep())

class CPlantSetUp final : public TZinFrontier<IZin3DPlant::IPlantSetUp> {
public:
  ZIN_FIELDS(ZIN_PLANT_SETUP_FIELDS)

  IZinTime* getStartTime() override { return &mStartTime; }
  IZinTime* getEndTime() override { return &mEndTime; }
  /// A record of its list warns nowhere: its only rule keeps what it is given.
  IZinWarning* warningSink() const { return nullptr; }
};

using CZinPlantSetUpList = TObjectMgr<CPlantSetUp, IZin3DPlant::IPlantSetUp>;

#define ZIN_PLANT_FIELDS(F, P)                                                          \
  F(int32_t, PlantType, "Plant.Type", ePlantUndefined, ZinLabel{kPlantTypes}, Keep())  \
  P(TZinList<CZinPlantSetUpList>, PlantSetups, "Plant.Setups", ZinList("Plant.Setup"))

class C3DPlant final : public TZinKindPart<IZin3DPlant> {
public:
  ZIN_FIELDS(ZIN_PLANT_FIELDS)

  TZinObjectMgr<IPlantSetUp>* getPlantSetups() override { return mPlantSetups.list(); }
};

}  // namespace QvZin
