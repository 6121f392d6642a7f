// A host fed any byte stream from a connection that has not logged in.
#include "fuzz/host_under_test.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartHostEventLoop(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FeedHost(Sender::Stranger, data, size);
    return 0;
}
