#include "materials/node_kinds.h"

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

namespace {

constexpr CZinSubNodes kNoSubNodes{};
constexpr CZinSubNodes kOneSubNode{"Node"};
constexpr CZinSubNodes kTwoSubNodes{"Node", "SecondNode"};
constexpr CZinSubNodes kChildList{nullptr, nullptr, "Childs"};

// Indexed by kind value. The root is the shader graph itself (materials/tce.h);
// a custom node carries client XML, which is not copied.
const CZinNodeKind kNodeKinds[] = {
    {nullptr, kNoSubNodes, false},
    {MakeNode<TPlainNode<IChessNode>>, kTwoSubNodes, true},
    {MakeNode<TPlainNode<IMappingNode>>, kOneSubNode, true},
    {MakeNode<TPlainNode<ITurbulenceNode>>, kNoSubNodes, true},
    {MakeNode<TPlainNode<ILeafNode>>, kNoSubNodes, true},
    {MakeNode<TPlainNode<IFresnelNode>>, kOneSubNode, true},
    {MakeNode<TPlainNode<IFresnelDiffuseNode>>, kOneSubNode, true},
    {MakeNode<TPlainNode<IGlazingNode>>, kNoSubNodes, true},
    {MakeNode<TPlainNode<IAltitudeNode>>, kNoSubNodes, true},
    {MakeNode<TPlainNode<IMultiTextureNode>>, kNoSubNodes, true},
    {MakeNode<TPlainNode<IWangTilesNode>>, kNoSubNodes, true},
    {MakeNode<TPlainNode<ICustomNode>>, kChildList, false},
};

}  // namespace

const CZinNodeKind* FindNodeKind(int32_t type) {
  constexpr int32_t kCount = sizeof kNodeKinds / sizeof kNodeKinds[0];
  return type >= 0 && type < kCount ? &kNodeKinds[type] : nullptr;
}

}  // namespace QvZin
