// The table of animatable values: every quantity an interpolated value can drive,
// as (label, code) rows in code order. The "Type" of an interpolated value is its
// label; writing searches the table by code and reading by label, the first
// matching row winning (the label forms' own search: ZinLabel{kAnimatableValues}).
#pragma once

#include "ZinValues.h"

namespace QvZin {

/// The rows, ordered by code, ended by a null label.
extern const CZinLabel kAnimatableValues[];

}  // namespace QvZin
