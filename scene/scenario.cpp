#include "scene/scenario.h"

namespace QvZin {

const CZinLabel kAnimatedTypes[] = {{"Sequence", eAnimatedSequence},
                                    {"Light", eAnimatedLight},
                                    {"Heliodon", eAnimatedHeliodon},
                                    {"Object", eAnimatedObject},
                                    {"Property", eAnimatedProperty},
                                    {"Mapping.Node", eAnimatedMappingNode},
                                    {nullptr, 0}};

// 2 has two labels: writing gives the first, reading accepts both. 1 has none.
const CZinLabel kSequenceTargetTypes[] = {{"Fixed.Vertex", eSequenceFixedVertex},
                                          {"Forward.Path", eSequenceForwardPath},
                                          {"Relative.Angle", eSequenceForwardPath},
                                          {"Object.Instance", eSequenceObjectInstance},
                                          {nullptr, 0}};

}  // namespace QvZin
