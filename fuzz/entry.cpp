// The libFuzzer entry of one target; fuzz/CMakeLists.txt builds it once per target,
// naming the harness function in ZIN_FUZZ_TARGET.
#include "fuzz/manager_targets.h"
#include "fuzz/material_targets.h"
#include "fuzz/xml_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return ZinFuzz::ZIN_FUZZ_TARGET(data, size);
}
