#include "frontend/net/own_address.h"

#include <QHostAddress>
#include <QNetworkInterface>

QString OwnIpv4Address() {
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
                const quint32 v = address.toIPv4Address();
                return QStringLiteral("%1.%2.%3.%4")
                    .arg(v >> 24)
                    .arg((v >> 16) & 0xFF)
                    .arg((v >> 8) & 0xFF)
                    .arg(v & 0xFF);
            }
        }
    }
    return QStringLiteral("127.0.0.1");
}
