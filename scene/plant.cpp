#include "scene/plant.h"

namespace QvZin {

const CZinLabel kPlantTypes[] = {{"Undefined", ePlantUndefined}, {"Tree", ePlantTree},
                                 {"Flower", ePlantFlower},       {"Bushes", ePlantBushes},
                                 {"PottedPlant", ePlantPotted},  {"PalmTree", ePlantPalmTree},
                                 {"Cactus", ePlantCactus},       {"WaterPlant", ePlantWater},
                                 {"Fern", ePlantFern},           {nullptr, 0}};
const CZinLabel kFlowerColors[] = {{"Undefined", eFlowerUndefined}, {"White", eFlowerWhite},
                                   {"Red", eFlowerRed},             {"Orange", eFlowerOrange},
                                   {"Rose", eFlowerRose},           {"Purple", eFlowerPurple},
                                   {"LightBlue", eFlowerLightBlue}, {"DarkBlue", eFlowerDarkBlue},
                                   {"Yellow", eFlowerYellow},       {"Brown", eFlowerBrown},
                                   {nullptr, 0}};

}  // namespace QvZin
