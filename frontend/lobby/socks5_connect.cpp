#include "frontend/lobby/socks5_connect.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace lobby {

namespace {

constexpr uint8_t kVersion = 5;
constexpr uint8_t kNoAuthentication = 0;
constexpr uint8_t kNoAcceptableMethod = 0xFF;
constexpr uint8_t kConnect = 1;
constexpr uint8_t kIpv4 = 1;
constexpr uint8_t kDomainName = 3;
constexpr uint8_t kIpv6 = 4;
// A reply's fixed part: VER REP RSV ATYP and the first address byte (the
// length of a domain name).
constexpr size_t kReplyHead = 5;

std::string DescribeReplyCode(uint8_t code) {
    switch (code) {
        case 1: return "general failure";
        case 2: return "connection not allowed by ruleset";
        case 3: return "network unreachable";
        case 4: return "host unreachable";
        case 5: return "connection refused";
        case 6: return "TTL expired";
        case 7: return "command not supported";
        case 8: return "address type not supported";
        default: return "unknown failure code " + std::to_string(code);
    }
}

}  // namespace

std::string Socks5Greeting() {
    return std::string{static_cast<char>(kVersion), 1, static_cast<char>(kNoAuthentication)};
}

std::optional<std::string> Socks5ConnectRequest(const std::string& domain, uint16_t port) {
    if (domain.empty() || domain.size() > 255) return std::nullopt;
    std::string request{static_cast<char>(kVersion), static_cast<char>(kConnect), 0,
                        static_cast<char>(kDomainName), static_cast<char>(domain.size())};
    request += domain;
    request += static_cast<char>(port >> 8);
    request += static_cast<char>(port & 0xFF);
    return request;
}

size_t Socks5ReplyReader::Wanted() const {
    if (state_ == State::Done || state_ == State::Refused) return 0;
    return needed_ - buffer_.size();
}

Socks5ReplyReader::State Socks5ReplyReader::Feed(const uint8_t* data, size_t size) {
    if (state_ == State::Done || state_ == State::Refused) return state_;
    if (size > Wanted()) return Refuse("more bytes than the answer can hold were handed in");
    buffer_.append(reinterpret_cast<const char*>(data), size);
    if (state_ == State::MethodPending) return buffer_.size() < needed_ ? state_ : ReadMethod();
    return ReadReply();
}

Socks5ReplyReader::State Socks5ReplyReader::Refuse(std::string why) {
    problem_ = std::move(why);
    return state_ = State::Refused;
}

Socks5ReplyReader::State Socks5ReplyReader::ReadMethod() {
    const auto version = static_cast<uint8_t>(buffer_[0]);
    const auto method = static_cast<uint8_t>(buffer_[1]);
    if (version != kVersion) return Refuse("the proxy does not speak SOCKS5 (version " + std::to_string(version) + ")");
    if (method == kNoAcceptableMethod) return Refuse("the proxy wants an authentication we do not offer");
    if (method != kNoAuthentication)
        return Refuse("the proxy chose method " + std::to_string(method) + ", which we did not offer");
    buffer_.clear();
    needed_ = kReplyHead;
    return state_ = State::ReplyPending;
}

// Judged as far as it has come: a refusal shows in the second byte already.
Socks5ReplyReader::State Socks5ReplyReader::ReadReply() {
    if (buffer_.size() < 2) return state_;
    const auto version = static_cast<uint8_t>(buffer_[0]);
    const auto code = static_cast<uint8_t>(buffer_[1]);
    if (version != kVersion) return Refuse("the proxy's reply is not SOCKS5 (version " + std::to_string(version) + ")");
    // A failure ends the exchange; the rest of its reply does not matter.
    if (code != 0) return Refuse("the proxy refused the connection: " + DescribeReplyCode(code));
    if (buffer_.size() < kReplyHead) return state_;
    if (buffer_[2] != 0) return Refuse("the proxy's reply has a reserved byte set");
    if (buffer_.size() == kReplyHead) {
        // The head is in: how long the bound address and port are.
        size_t rest = 0;
        switch (static_cast<uint8_t>(buffer_[3])) {
            case kIpv4: rest = 4 - 1 + 2; break;
            case kIpv6: rest = 16 - 1 + 2; break;
            case kDomainName: rest = static_cast<uint8_t>(buffer_[4]) + size_t{2}; break;
            default:
                return Refuse("the proxy's reply has address type " +
                              std::to_string(static_cast<uint8_t>(buffer_[3])));
        }
        needed_ = kReplyHead + rest;
    }
    return buffer_.size() < needed_ ? state_ : state_ = State::Done;
}

Socks5Connect::Socks5Connect(int fd, const std::string& domain, uint16_t port)
    : fd_(fd), request_(Socks5ConnectRequest(domain, port)) {
    if (!request_) Fail("the relay's address cannot be named in SOCKS5");
}

short Socks5Connect::Events() const {
    switch (step_) {
        case Step::Connecting:
        case Step::Greeting:
        case Step::Request: return POLLOUT;
        case Step::Method:
        case Step::Reply: return POLLIN;
    }
    return POLLIN;
}

Socks5Connect::Status Socks5Connect::Fail(std::string why) {
    problem_ = std::move(why);
    return status_ = Status::Failed;
}

bool Socks5Connect::Flush() {
    while (!out_.empty()) {
        const ssize_t sent = send(fd_, out_.data(), out_.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) Fail(std::string("cannot write to the relay: ") + std::strerror(errno));
            return false;
        }
        out_.erase(0, static_cast<size_t>(sent));
    }
    return true;
}

bool Socks5Connect::Fill() {
    while (reader_.Wanted() > 0) {
        uint8_t bytes[300];
        const size_t wanted = std::min(reader_.Wanted(), sizeof bytes);
        const ssize_t got = recv(fd_, bytes, wanted, 0);
        if (got == 0) {
            Fail("the relay closed the line during the handshake");
            return false;
        }
        if (got < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return true;
            Fail(std::string("cannot read from the relay: ") + std::strerror(errno));
            return false;
        }
        if (reader_.Feed(bytes, static_cast<size_t>(got)) == Socks5ReplyReader::State::Refused) {
            Fail(reader_.Problem());
            return false;
        }
        // The method is in: the request goes before anything more is read.
        if (step_ == Step::Method && reader_.Current() == Socks5ReplyReader::State::ReplyPending) return true;
    }
    return true;
}

Socks5Connect::Status Socks5Connect::Advance() {
    if (status_ != Status::Pending) return status_;
    if (step_ == Step::Connecting) {
        pollfd p{fd_, POLLOUT, 0};
        if (poll(&p, 1, 0) <= 0) return status_;
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
        if (error != 0) return Fail(std::string("cannot reach the relay: ") + std::strerror(error));
        out_ = Socks5Greeting();
        step_ = Step::Greeting;
    }
    if (step_ == Step::Greeting) {
        if (!Flush()) return status_;
        step_ = Step::Method;
    }
    if (step_ == Step::Method) {
        if (!Fill()) return status_;
        if (reader_.Current() != Socks5ReplyReader::State::ReplyPending) return status_;
        out_ = *request_;
        step_ = Step::Request;
    }
    if (step_ == Step::Request) {
        if (!Flush()) return status_;
        step_ = Step::Reply;
    }
    if (!Fill()) return status_;
    if (reader_.Current() == Socks5ReplyReader::State::Done) status_ = Status::Connected;
    return status_;
}

}  // namespace lobby
