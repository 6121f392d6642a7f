#include "frontend/net/line_watch.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace line_watch {
namespace {

bool SetTcpOption(qintptr fd, int option, int value) {
    return setsockopt(static_cast<int>(fd), IPPROTO_TCP, option, &value, sizeof value) == 0;
}

}  // namespace

bool Watch(QTcpSocket& socket) {
    const qintptr fd = socket.socketDescriptor();
    if (fd < 0) return false;
    socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    // The probes are counted by time, not number: a line dead for
    // kDeadAfterMs is given up whatever it was doing.
    const int probes = kDeadAfterMs / 1000 / kProbeEverySeconds;
    const bool ok = SetTcpOption(fd, TCP_KEEPIDLE, kQuietSeconds) &&
                    SetTcpOption(fd, TCP_KEEPINTVL, kProbeEverySeconds) &&
                    SetTcpOption(fd, TCP_KEEPCNT, probes) &&
                    SetTcpOption(fd, TCP_USER_TIMEOUT, kDeadAfterMs);
    if (!ok) qWarning("network: the line cannot be watched for a silent death");
    return ok;
}

void ProbeNow(QTcpSocket& socket) {
    const qintptr fd = socket.socketDescriptor();
    // A shorter quiet time restarts the probe clock from the last word the
    // line carried, so a line quiet for a second or more is probed now. It
    // stays so: a live line is then probed after each second of quiet,
    // which costs it next to nothing.
    if (fd >= 0) SetTcpOption(fd, TCP_KEEPIDLE, 1);
}

}  // namespace line_watch
