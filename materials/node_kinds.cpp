#include "materials/node_kinds.h"

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

namespace QvZin {

const CZinLabel kTCENodeTypes[] = {{"Root", eRootNode},
                                   {"Chess", eChessNode},
                                   {"Mapping", eMappingNode},
                                   {"Turbulence", eTurbulenceNode},
                                   {"Leaf", eLeafNode},
                                   {"Fresnel", eFresnelNode},
                                   {"FresnelDiffuse", eFresnelDiffuseNode},
                                   {"Glazing", eGlazingNode},
                                   {"Altitude", eAltitudeNode},
                                   {"MultiTexture", eMultiTextureNode},
                                   {"WangTexture", eWangTilesNode},
                                   {"Custom", eCustomNode},
                                   {nullptr, 0}};

const CZinLabel kZinChessGeometries[] = {{"Cylinder", 0}, {"Sphere", 1}, {"Cube", 2}, {nullptr, 0}};
const CZinLabel kZinLeafShapes[] = {{"General", 0}, {"Bulb", 1}, {"Plane", 2}, {nullptr, 0}};
const CZinLabel kZinIlluminationModels[] = {{"Phong", 0}, {"Cook.Torrance", 1}, {nullptr, 0}};
const CZinLabel kZinProjections[] = {{"Planetary", 0},     {"Orthogonal", 1},    {"Vertical", 2},
                                     {"Spherical", 3},     {"Y.Cylindrical", 4}, {"X.Cylindrical", 5},
                                     {"Mapping.UV", 6},    {"Horizontal", 7},    {"Planar", 8},
                                     {nullptr, 0}};
const CZinLabel kZinMapChannels[] = {{"Diffuse", 1},     {"Specular", 2}, {"Glossy", 3},      {"Reflection", 4},
                                     {"Refletion", 4},   {"Environment", 5}, {"Alpha", 6},    {"Bump", 7},
                                     {"Normal.Map", 8},  {"Neon", 9},     {"Relief", 10},     {"Movie", 11},
                                     {nullptr, 0}};

namespace {

constexpr CZinSubNodes kNoSubNodes{};
constexpr CZinSubNodes kOneSubNode{"Node"};
constexpr CZinSubNodes kTwoSubNodes{"Node", "SecondNode"};
constexpr CZinSubNodes kChildList{nullptr, nullptr, "Childs"};

// Indexed by kind value. The root is the shader graph itself (materials/tce.h);
// a custom node carries client XML, which is not copied.
const CZinNodeKind kNodeKinds[] = {
    {nullptr, kNoSubNodes, false},
    {MakeNode<CChessNode>, kTwoSubNodes, true},
    {MakeNode<CMappingNode>, kOneSubNode, true},
    {MakeNode<CTurbulenceNode>, kNoSubNodes, true},
    {MakeNode<CLeafNode>, kNoSubNodes, true},
    {MakeNode<CFresnelNode>, kOneSubNode, true},
    {MakeNode<CFresnelDiffuseNode>, kOneSubNode, true},
    {MakeNode<CGlazingNode>, kNoSubNodes, true},
    {MakeNode<CAltitudeNode>, kNoSubNodes, true},
    {MakeNode<CMultiTextureNode>, kNoSubNodes, true},
    {MakeNode<CWangTilesNode>, kNoSubNodes, true},
    {MakeNode<CCustomNode>, kChildList, false},
};

}  // namespace

const CZinNodeKind* FindNodeKind(int32_t type) {
  constexpr int32_t kCount = sizeof kNodeKinds / sizeof kNodeKinds[0];
  return type >= 0 && type < kCount ? &kNodeKinds[type] : nullptr;
}

}  // namespace QvZin
