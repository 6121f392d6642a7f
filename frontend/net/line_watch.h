// How a game's connection notices that its far end has gone silently (a
// laptop's network gone, a router rebooted): the system probes a line that
// has been quiet for a few seconds and gives it up when neither the probes
// nor the data written are answered for kDeadAfterMs. The socket then fails
// as a reset line does, so the held seat and the way back follow as for a
// reset. Nothing of the game's own travels for it: the probes are the
// system's, and the peer's system answers them whatever program runs there.
#pragma once

#include <QTcpSocket>

namespace line_watch {

// Quiet for this long, the line is probed, then again at every interval.
constexpr int kQuietSeconds = 3;
constexpr int kProbeEverySeconds = 2;
// Unanswered for this long, by probes or by the data sent, the line is dead.
constexpr int kDeadAfterMs = 12000;

// Puts the watch on a connected socket. False (with a warning) where the
// system refuses it; the line then works as before, unwatched.
bool Watch(QTcpSocket& socket);

// Probes the line at once instead of after its quiet time, so that a line
// whose far end is gone is found out within a round trip: asked when
// somebody logs in under the name of the player on that line.
void ProbeNow(QTcpSocket& socket);

}  // namespace line_watch
