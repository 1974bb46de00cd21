// The field walks of the node kinds and of their maps and sub-parts.
#include <gtest/gtest.h>

#include <string>

#include "materials/altitude_node.h"
#include "materials/chess_node.h"
#include "materials/custom_node.h"
#include "materials/fresnel_node.h"
#include "materials/glazing_node.h"
#include "materials/leaf_node.h"
#include "materials/mapping_node.h"
#include "materials/multi_texture_node.h"
#include "materials/turbulence_node.h"
#include "materials/wang_tiles_node.h"
#include "serialization/field_walk.h"

using namespace QvZin;

namespace QvZin {

// How the field walk moves the node kinds' own parts away from a new node's.
inline std::string Away(const std::string& def, const ZinOwnText&) { return def + "maps/away <&>.png"; }
inline void MoveAway(CZinNodeTable& part, const ZinNodeTable&) {
  part.table()->setLength(2);
  part.table()->setValue(0, 0.25f);
  part.table()->setValue(1, -3.5f);
}
inline void MoveAway(CZinLinkedMaps& part, const ZinLinkedMaps&) {
  part.add(CZinUUID::fromText("1111111111111111111111111111111A"));
  part.add(CZinUUID::fromText("2222222222222222222222222222222B"));
}
inline void MoveAway(CZinCustomData& part, const ZinCustomData&) {
  part.setClass("Brick <wall>");
  QuorveXML::XIXMLElement* data = part.element();
  data->AddElement(data->GetKey("Mortar"))->AddData("grey");
}

}  // namespace QvZin

#include "materials/node_kinds_texts.h"

using QvZinTest::kMapText;
using QvZinTest::kMultiMapsText;
using QvZinTest::kChessText;
using QvZinTest::kMappingText;
using QvZinTest::kTurbulenceText;
using QvZinTest::kLeafText;
using QvZinTest::kFresnelText;
using QvZinTest::kGlazingText;
using QvZinTest::kAltitudeText;
using QvZinTest::kMultiTextureText;
using QvZinTest::kWangTilesText;
using QvZinTest::kCustomText;

ZIN_FIELD_WALK(CZinMap, kMapText)
ZIN_FIELD_WALK(CZinMultiMaps, kMultiMapsText)
ZIN_FIELD_WALK(CZinSubPart, "<Sub.Part>\n\t<Maps/>\n</Sub.Part>")
ZIN_FIELD_WALK(CChessNode, kChessText)
ZIN_FIELD_WALK(CMappingNode, kMappingText)
ZIN_FIELD_WALK(CTurbulenceNode, kTurbulenceText)
ZIN_FIELD_WALK(CLeafNode, kLeafText)
ZIN_FIELD_WALK(CFresnelNode, kFresnelText)
ZIN_FIELD_WALK(CFresnelDiffuseNode, kFresnelText)
ZIN_FIELD_WALK(CGlazingNode, kGlazingText)
ZIN_FIELD_WALK(CAltitudeNode, kAltitudeText)
ZIN_FIELD_WALK(CMultiTextureNode, kMultiTextureText)
ZIN_FIELD_WALK(CWangTilesNode, kWangTilesText)
ZIN_FIELD_WALK(CCustomNode, kCustomText)
