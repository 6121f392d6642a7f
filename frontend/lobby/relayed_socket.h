// The socket of a relayed line as it is handed from the lobby's thread to
// whoever plays over it: connected, non-blocking, and closed when the last
// holder drops it unless someone took it.
#pragma once

namespace lobby {

class RelayedSocket {
public:
    explicit RelayedSocket(int fd) : fd_(fd) {}
    ~RelayedSocket();
    RelayedSocket(const RelayedSocket&) = delete;
    RelayedSocket& operator=(const RelayedSocket&) = delete;

    // The descriptor, now the caller's to close; -1 when it was taken before.
    int Take();
    // The descriptor while it is still held here, else -1.
    int Descriptor() const { return fd_; }

private:
    int fd_;
};

}  // namespace lobby
