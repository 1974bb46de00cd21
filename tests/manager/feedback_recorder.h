// The feedback recorder lives with the other shared test helpers; this name stays for
// the tests that include it from here.
#pragma once

#include "test_support.h"
