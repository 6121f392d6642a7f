#include "frontend/lobby/relayed_socket.h"

#include <unistd.h>

namespace lobby {

RelayedSocket::~RelayedSocket() {
    if (fd_ >= 0) close(fd_);
}

int RelayedSocket::Take() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

}  // namespace lobby
