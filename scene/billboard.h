// Billboards: flat, textured substitutes for objects, made of quads. The texts
// the format carries as written ("Mgr.Info", "Property", the quads' triangles,
// the texture's cut-outs, the names) are kept whole.
#pragma once

#include "ZinObjects.h"
#include "framework/scene_object.h"
#include "scene/object_kinds.h"
#include "serialization/object_parts.h"
#include "serialization/user_xml.h"

namespace QvZin {

extern const CZinLabel kBillboardKinds[];

/// The content of an object's own element (its attributes and children), kept as
/// written.
struct ZinContent {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinUserXML& part, Owner&) const {
    if (!part.empty()) CopyOthers(part.element(tag), out.GetElement(), CZinKindTags());
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinUserXML& part, Owner&) const {
    part.resetFields();
    if (HoldsOthers(in.GetElement(), CZinKindTags())) CopyOthers(in.GetElement(), part.element(tag), CZinKindTags());
  }
};

#define ZIN_QUAD_FIELDS(F, P) P(CZinUserXML, Triangles, "Quad", ZinContent())

class CZinQuad final : public TZinSceneObject<IZinQuad> {
public:
  ZIN_FIELDS(ZIN_QUAD_FIELDS)

  explicit CZinQuad(IZinMgrRef* owner) : TZinSceneObject(owner) {}

  QuorveXML::XIXMLElement* getTriangles() override { return mTriangles.element("Quad"); }
};

using CZinQuadList = TObject2Mgr<CZinQuad, IZinQuad>;

#define ZIN_BILLBOARD_FIELDS(F, P)                                                                               \
  P(TZinList<CZinQuadList>, Quads, "Quads", ZinList("Quad"))                                                     \
  F(CZinVector3D, TextureOrigin, "Origin", CZinVector3D(), ZinUnder("Texture", ZinPoint()), Keep())              \
  F(CZinVector3D, TextureXAxis, "X.Axis", CZinVector3D(), ZinUnder("Texture", ZinPoint()), Keep())               \
  F(CZinVector3D, TextureYAxis, "Y.Axis", CZinVector3D(), ZinUnder("Texture", ZinPoint()), Keep())               \
  F(double, TextureWidth, "Width", 0.0, ZinUnder("Texture", ZinDouble()), Keep())                                \
  F(double, TextureHeight, "Height", 0.0, ZinUnder("Texture", ZinDouble()), Keep())                              \
  P(CZinUserXML, CutOut1, "CutOut1", ZinUnder("Texture", ZinCopy()))                                             \
  P(CZinUserXML, CutOut2, "CutOut2", ZinUnder("Texture", ZinCopy()))                                             \
  P(CZinUserXML, CutSet, "CutSet", ZinUnder("Texture", ZinCopy()))                                               \
  P(CZinUserXML, Names, "Names", ZinUnder("Bb.Info", ZinCopy()))                                                 \
  F(int32_t, Behavior, "Kind", eBBFlat, ZinUnder("Bb.Info", ZinUnder("Behavior", ZinLabel{kBillboardKinds})),    \
    Keep())                                                                                                      \
  F(int32_t, NbFaces, "NbFaces", 0, ZinUnder("Bb.Info", ZinInt()), Keep())                                       \
  F(bool, Animate, "Animate", false, ZinUnder("Bb.Info", ZinFlag()), Keep())                                     \
  F(double, Scale, "Scale", 0.0, ZinUnder("Bb.Info", ZinDouble()), Keep())                                       \
  F(CZinVector3D, Normal, "Normal", CZinVector3D(), ZinUnder("Bb.Info", ZinPoint()), Keep())

/// The billboard of a billboard's data, answered on its behalf.
class CZinBillboard final : public TZinKindPart<IZinBillboard> {
public:
  ZIN_FIELDS(ZIN_BILLBOARD_FIELDS)

  TZinObjectMgr<IZinQuad>* getQuads() override { return mQuads.list(); }
  QuorveXML::XIXMLElement* getCutOut1() override { return mCutOut1.element("CutOut1"); }
  QuorveXML::XIXMLElement* getCutOut2() override { return mCutOut2.element("CutOut2"); }
  QuorveXML::XIXMLElement* getCutSet() override { return mCutSet.element("CutSet"); }
  QuorveXML::XIXMLElement* getNames() override { return mNames.element("Names"); }
};

#define ZIN_BB_MGR_DATA_FIELDS(F, P)                   \
  P(CZinUserXML, MgrInfo, "Mgr.Info", ZinCopy())       \
  P(CZinUserXML, Property, "Property", ZinCopy())      \
  P(CZinBillboard, Billboard, "", ZinInline())

/// One "Billboard" element of the scene's "Billboards".
class CZinBBMgrData final : public TZinSceneObject<IZinBBMgrData> {
public:
  ZIN_FIELDS(ZIN_BB_MGR_DATA_FIELDS)

  explicit CZinBBMgrData(IZinMgrRef* owner) : TZinSceneObject(owner) {
    mBillboard.bindOwner(this);
    linkParts(getMgrRef());
  }

  /// Answers IZinBillboard with its billboard, besides its own identifiers.
  ZinResult QueryInterface(const CZinUUID& iid, void** out) override {
    if (!out || iid != IZinBillboard::sIID) return TZinSceneObject::QueryInterface(iid, out);
    IZinBillboard* billboard = &mBillboard;
    billboard->AddRef();
    *out = billboard;
    return kZinOk;
  }

  QuorveXML::XIXMLElement* getMgrInfo() override { return mMgrInfo.element("Mgr.Info"); }
  QuorveXML::XIXMLElement* getProperty() override { return mProperty.element("Property"); }
  IZinBillboard* getBillboard() override { return &mBillboard; }
};

}  // namespace QvZin
