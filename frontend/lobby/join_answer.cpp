#include "frontend/lobby/join_answer.h"

namespace lobby {

namespace {

bool IsHostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == ':';
}

}  // namespace

ElementAttributes EncodeJoinAnswer(const JoinAnswer& answer) {
    return {{"host", answer.host.toStdString()}, {"port", std::to_string(answer.port)}};
}

std::optional<JoinAnswer> DecodeJoinAnswer(const ElementAttributes& attributes) {
    const auto host = attributes.find("host");
    const auto port = attributes.find("port");
    if (host == attributes.end() || port == attributes.end()) return std::nullopt;
    const std::string& name = host->second;
    if (name.empty() || name.size() > kMaxHostChars || name.front() == '-') return std::nullopt;
    for (const char c : name)
        if (!IsHostChar(c)) return std::nullopt;
    const std::optional<int64_t> number = ReadBoundedNumber(port->second, 1, 65535);
    if (!number) return std::nullopt;
    return JoinAnswer{QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                      static_cast<uint16_t>(*number)};
}

}  // namespace lobby
