// libFuzzer entry of one target; the build names the target's run function
// in URNARIUM_FUZZ_RUN (see FuzzTargets.h).

#include "FuzzTargets.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!URNARIUM_FUZZ_RUN(data, size))
        std::abort();
    return 0;
}
