// libFuzzer target: the wire decoder on arbitrary bytes.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::decodeBytes(data, size);
    return 0;
}
