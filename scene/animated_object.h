// An animated object, the kind of a definition of class "AnimatedObject": the
// animation file of its instances and its takes.
#pragma once

#include <string>

#include "ZinObjects.h"
#include "framework/object_mgr.h"
#include "framework/scene_object.h"
#include "scene/object_kinds.h"
#include "serialization/object_parts.h"

namespace QvZin {

extern const CZinLabel kAnimationFileTypes[];
extern const CZinLabel kTakeTypes[];

#define ZIN_TAKE_FIELDS(F, P)                                              \
  F(int32_t, Duration, "Duration", 0, ZinInt(), Keep())                   \
  F(int32_t, FPS, "FPS", 0, ZinInt(), Keep())                             \
  P(CZinStringPart, Names, "Name", ZinStrings())                          \
  F(double, ZMin, "Z.Min", 0.0, ZinDouble(), Keep())                      \
  F(int32_t, Type, "Type", eTakePredefined, ZinLabel{kTakeTypes}, Keep()) \
  F(double, ZAngle, "Z.Angle", 0.0, ZinDouble(), Keep())

class CZinTake final : public TZinSceneObject<IZinTake> {
public:
  ZIN_FIELDS(ZIN_TAKE_FIELDS)

  explicit CZinTake(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  IZinString* getNames() override { return &mNames; }
};

using CZinTakeList = TObject2Mgr<CZinTake, IZinTake>;

#define ZIN_ANIMATED_OBJECT_FIELDS(F, P)                                                                 \
  F(std::string, ExternalFile, "External.File", "", ZinText(), Keep())                                   \
  F(int32_t, ExternalFileType, "External.File.Type", eAnimationSkeleton, ZinLabel{kAnimationFileTypes}, \
    Keep())                                                                                              \
  F(int32_t, Index, "Index", 0, ZinInt(), Keep())                                                        \
  F(CZinMatrix, InitialMatrix, "Initial.Matrix", CZinMatrix(), ZinMatrix(), Keep())                      \
  P(TZinList<CZinTakeList>, Takes, "Takes", ZinList("Take"))

class CZinAnimatedObject final : public TZinKindPart<IZinAnimatedObject> {
public:
  ZIN_FIELDS(ZIN_ANIMATED_OBJECT_FIELDS)

  TZinObjectMgr<IZinTake>* getTakes() override { return mTakes.list(); }
};

}  // namespace QvZin
