#include "scene/insertion_object.h"

namespace QvZin {

const CZinLabel kSizeAxes[] = {{"XAxis", eSizeXAxis}, {"YAxis", eSizeYAxis}, {"ZAxis", eSizeZAxis}, {nullptr, 0}};

}  // namespace QvZin
