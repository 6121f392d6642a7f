#include "frontend/wire/frame_codec.h"

#include <QtDebug>

QByteArray MakeFrame(const QByteArray& message) {
    if (message.size() > kMaxMessageLength) {
        qWarning("network: message of %lld bytes is too long to frame, not sent",
                 static_cast<long long>(message.size()));
        return {};
    }
    QByteArray frame;
    frame.reserve(message.size() + 1);
    frame.append(static_cast<char>(message.size()));
    frame.append(message);
    return frame;
}

std::vector<QByteArray> FrameAssembler::Feed(const QByteArray& bytes) {
    pending_.append(bytes);
    std::vector<QByteArray> messages;
    qsizetype p = 0;
    while (p < pending_.size()) {
        const int length = static_cast<unsigned char>(pending_[p]);
        if (pending_.size() - p - 1 < length) break;  // the rest is still on its way
        if (length > 0) messages.push_back(pending_.mid(p + 1, length));
        p += 1 + length;
    }
    pending_.remove(0, p);
    return messages;
}
