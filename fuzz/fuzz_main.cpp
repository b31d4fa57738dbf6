// The libFuzzer entry point of one target; COMET_FUZZ_CASE names its case function.
#include <cstdint>

#include "cases.hpp"
#include "invariants.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    comet::fuzz::require(comet::fuzz::COMET_FUZZ_CASE(comet::fuzz::Bytes(data, size)));
    return 0;
}
