// A host fed any byte stream from a client seated in a running match.
#include "fuzz/host_under_test.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartHostEventLoop(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FeedHost(Sender::SeatedInMatch, data, size);
    return 0;
}
