// libFuzzer entry: the reading side of the data store (see DataFileFuzz.h).

#include "DataFileFuzz.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!urn::fuzz::runDataFileInput(data, size))
        std::abort();
    return 0;
}
