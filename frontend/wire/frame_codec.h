// Framing on the TCP stream: one length byte N, then exactly N bytes of
// message. The stream may split or merge frames arbitrarily, so each
// connection keeps its unfinished frame until the rest of it arrives.
#pragma once

#include <QByteArray>
#include <vector>

constexpr int kMaxMessageLength = 255;

// The frame of one message; empty (and a logged warning) for a message too
// long to frame.
QByteArray MakeFrame(const QByteArray& message);

class FrameAssembler {
public:
    // Adds bytes just read and returns every message now complete, in order.
    // Zero-length frames carry nothing and are skipped.
    std::vector<QByteArray> Feed(const QByteArray& bytes);

    // Bytes of a frame that has not arrived whole yet.
    qsizetype PendingBytes() const { return pending_.size(); }
    void Clear() { pending_.clear(); }

private:
    QByteArray pending_;
};
