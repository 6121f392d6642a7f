// A host fed any byte stream from one kind of sender, chosen when the target
// is built (RINGDISK_WIRE_SENDER): a connection that has not logged in, or a
// client seated in a running match.
#include "fuzz/host_under_test.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartHostEventLoop(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FeedHost(Sender::RINGDISK_WIRE_SENDER, data, size);
    return 0;
}
