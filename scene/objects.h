// Library objects in a scene: definitions, instances of every kind, billboards,
// plants, animated objects, layers and the layer information.
#pragma once

#include "scene/animated_object.h"
#include "scene/billboard.h"
#include "scene/instance_kinds.h"
#include "scene/layer.h"
#include "scene/object_definition.h"
#include "scene/object_instance.h"
#include "scene/plant.h"
