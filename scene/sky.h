// The sky of a heliodon: its light, the god rays and the clouds (the fog has its
// own file: environments hold one too).
#pragma once

#include "ZinSky.h"
#include "serialization/fields.h"

namespace QvZin {

/// The labels of EZinColorChoice: the sky light's sky type, the heliodon's colour type.
extern const CZinLabel kColorChoices[];

#define ZIN_SKYLIGHT_FIELDS(F, P)                                                           \
  F(bool, Used, "Used", false, ZinFlag(), Keep())                                           \
  F(double, Factor, "Factor", 0.5, ZinDouble(), Keep())                                     \
  F(CZinColor, Color, "Color", CZinColor(255, 255, 255), ZinColour(), Keep())               \
  F(int32_t, SkyType, "Sky.Type", eColorAutomatic, ZinLabel{kColorChoices}, Keep())         \
  F(bool, Background, "Background", false, ZinFlag(), Keep())                               \
  F(double, Pollution, "Pollution", 0.2, ZinDouble(), Keep())                               \
  F(bool, MixColorFlag, "Sky.Mix.Color.Flag", false, ZinFlag(), Keep())                     \
  F(CZinColor, MixColor, "Sky.Mix.Color", CZinColor(255, 255, 255), ZinColour(), Keep())    \
  F(bool, PowerFlag, "Power.Flag", false, ZinFlag(), Keep())                                \
  F(bool, SkyColorFlag, "Sky.Color.Flag", false, ZinFlag(), Keep())

class CSkylight final : public TZinSettings<IZinSkylight> {
  ZIN_FIELDS(ZIN_SKYLIGHT_FIELDS)
};

#define ZIN_GOD_RAYS_FIELDS(F, P)                 \
  F(bool, Used, "Used", false, ZinFlag(), Keep()) \
  F(double, Power, "Power", 1.0, ZinDouble(), Keep())

class CZinGodRays final : public TZinSettings<IZinGodRays> {
  ZIN_FIELDS(ZIN_GOD_RAYS_FIELDS)
};

#define ZIN_CLOUDS_FIELDS(F, P)                                                 \
  F(bool, Active, "Active", false, ZinFlag(), Keep())                           \
  F(double, CumulusSize, "Cumulus.Size", 0.6, ZinDouble(), Keep())              \
  F(int32_t, CumulusSeed, "Cumulus.Seed", 0, ZinInt(), Keep())                  \
  F(double, CirrusSize, "Cirrus.Size", 0.5, ZinDouble(), Keep())                \
  F(int32_t, CirrusSeed, "Cirrus.Seed", 0, ZinInt(), Keep())                    \
  F(double, StratusSize, "Stratus.Size", 0.2, ZinDouble(), Keep())              \
  F(int32_t, StratusSeed, "Stratus.Seed", 0, ZinInt(), Keep())                  \
  F(double, CirrocumulusSize, "Cirrocumulus.Size", 0.4, ZinDouble(), Keep())    \
  F(int32_t, CirrocumulusSeed, "Cirrocumulus.Seed", 0, ZinInt(), Keep())        \
  F(bool, WindActive, "Active.Wind", false, ZinFlag(), Keep())                  \
  F(double, WindSpeed, "Wind.Speed", 20.0, ZinDouble(), Keep())                 \
  F(double, WindDirection, "Wind.Direction", 0.0, ZinDouble(), Keep())

class CZinClouds final : public TZinSettings<IZinClouds> {
  ZIN_FIELDS(ZIN_CLOUDS_FIELDS)
};

}  // namespace QvZin
