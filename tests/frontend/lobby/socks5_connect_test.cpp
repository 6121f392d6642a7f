// The SOCKS5 client: the proxy's answers read byte by byte or whole, every
// refusal a proxy can give, nothing read past the reply, and the whole
// handshake over a real socket pair with a scripted proxy at the far end.
#include "frontend/lobby/socks5_connect.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

using namespace lobby;

namespace {

using State = Socks5ReplyReader::State;

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

const std::string kHash = "3291193b582d909fec824a7d3bbf3ecc0d84ea2e";
const std::string kChosen = Bytes({5, 0});
// What the relay answers to CONNECT: the name echoed, port 0.
const std::string kNamedReply = Bytes({5, 0, 0, 3, 40}) + kHash + Bytes({0, 0});

// Feeds the whole text as the reader asks for it; the bytes it left.
State FeedAll(Socks5ReplyReader& reader, const std::string& text, size_t* left = nullptr) {
    size_t at = 0;
    while (at < text.size() && reader.Wanted() > 0) {
        const size_t n = std::min(reader.Wanted(), text.size() - at);
        reader.Feed(reinterpret_cast<const uint8_t*>(text.data()) + at, n);
        at += n;
    }
    if (left) *left = text.size() - at;
    return reader.Current();
}

}  // namespace

TEST(Socks5Request, NamesTheDomainWithItsLengthAndTheBigEndianPort) {
    EXPECT_EQ(Socks5Greeting(), Bytes({5, 1, 0}));
    const std::optional<std::string> request = Socks5ConnectRequest(kHash, 0x1234);
    ASSERT_TRUE(request);
    EXPECT_EQ(*request, Bytes({5, 1, 0, 3, 40}) + kHash + Bytes({0x12, 0x34}));
    EXPECT_EQ(request->size(), 47u);  // what the relay insists on for a hash
    EXPECT_FALSE(Socks5ConnectRequest("", 0));
    EXPECT_TRUE(Socks5ConnectRequest(std::string(255, 'a'), 1));
    EXPECT_FALSE(Socks5ConnectRequest(std::string(256, 'a'), 1));
}

TEST(Socks5ReplyReader, ReadsBothAnswersWholeOrByteByByteAndNothingAfterThem) {
    for (const bool byteByByte : {false, true}) {
        Socks5ReplyReader reader;
        EXPECT_EQ(reader.Wanted(), 2u);
        const std::string stream = kChosen + kNamedReply + "game bytes";
        size_t at = 0;
        while (reader.Wanted() > 0) {
            const size_t n = byteByByte ? 1 : reader.Wanted();
            reader.Feed(reinterpret_cast<const uint8_t*>(stream.data()) + at, n);
            at += n;
            if (at == kChosen.size()) {
                EXPECT_EQ(reader.Current(), State::ReplyPending);
            }
        }
        EXPECT_EQ(reader.Current(), State::Done) << reader.Problem();
        EXPECT_EQ(stream.substr(at), "game bytes");
    }
}

TEST(Socks5ReplyReader, TakesEveryAddressTypeAProxyMayBindTo) {
    const std::string ipv4 = Bytes({5, 0, 0, 1, 127, 0, 0, 1, 0x13, 0x88});
    const std::string ipv6 = Bytes({5, 0, 0, 4}) + std::string(15, '\0') + Bytes({1, 0x13, 0x88});
    const std::string emptyName = Bytes({5, 0, 0, 3, 0, 0, 0});
    for (const std::string& reply : {ipv4, ipv6, emptyName}) {
        Socks5ReplyReader reader;
        size_t left = 0;
        EXPECT_EQ(FeedAll(reader, kChosen + reply + "x", &left), State::Done) << reader.Problem();
        EXPECT_EQ(left, 1u);
    }
}

TEST(Socks5ReplyReader, RefusesEveryAnswerThatDoesNotOpenTheLineAndSaysWhy) {
    struct Case {
        std::string stream;
        std::string why;
    };
    const Case cases[] = {
        {Bytes({4, 0}), "version 4"},
        {Bytes({5, 0xFF}), "authentication"},
        {Bytes({5, 2}), "method 2"},
        {kChosen + Bytes({4, 0, 0, 1}), "version 4"},
        // The relay's own refusal of a request it cannot match.
        {kChosen + Bytes({5, 1, 0, 3, 0, 0, 0}), "general failure"},
        {kChosen + Bytes({5, 5, 0, 1}), "connection refused"},
        {kChosen + Bytes({5, 9, 0, 1}), "unknown failure code 9"},
        {kChosen + Bytes({5, 0, 1, 1, 0}), "reserved"},
        {kChosen + Bytes({5, 0, 0, 2, 0}), "address type 2"},
    };
    for (const Case& c : cases) {
        Socks5ReplyReader reader;
        EXPECT_EQ(FeedAll(reader, c.stream), State::Refused) << c.why;
        EXPECT_NE(reader.Problem().find(c.why), std::string::npos) << reader.Problem();
        EXPECT_EQ(reader.Wanted(), 0u);
    }
}

TEST(Socks5ReplyReader, RefusesMoreBytesThanItAskedFor) {
    Socks5ReplyReader reader;
    const std::string three = kChosen + "x";
    EXPECT_EQ(reader.Feed(reinterpret_cast<const uint8_t*>(three.data()), three.size()), State::Refused);
}

namespace {

// A socket pair: the client's end non-blocking, the test plays the proxy.
struct Wire {
    int client = -1;
    int proxy = -1;
    Wire() {
        int fds[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, fds) == 0) {
            client = fds[0];
            proxy = fds[1];
        }
    }
    ~Wire() {
        close(client);
        if (proxy >= 0) close(proxy);
    }
    std::string Read() {
        char buffer[512];
        const ssize_t n = recv(proxy, buffer, sizeof buffer, 0);
        return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
    }
    void Write(const std::string& bytes) { ASSERT_EQ(send(proxy, bytes.data(), bytes.size(), 0), ssize_t(bytes.size())); }
};

}  // namespace

TEST(Socks5Connect, OpensTheLineInTurnsAndLeavesTheRelayedBytesUnread) {
    Wire wire;
    ASSERT_GE(wire.client, 0);
    Socks5Connect socks(wire.client, kHash, 0);
    EXPECT_EQ(socks.Advance(), Socks5Connect::Status::Pending);
    // The relay wants the greeting and the request each in a read of its own:
    // the request waits for the method.
    EXPECT_EQ(wire.Read(), Socks5Greeting());
    EXPECT_EQ(socks.Events(), POLLIN);
    EXPECT_EQ(socks.Advance(), Socks5Connect::Status::Pending);
    EXPECT_EQ(wire.Read(), "");
    wire.Write(kChosen);
    EXPECT_EQ(socks.Advance(), Socks5Connect::Status::Pending);
    EXPECT_EQ(wire.Read(), *Socks5ConnectRequest(kHash, 0));
    wire.Write(kNamedReply.substr(0, 10));
    EXPECT_EQ(socks.Advance(), Socks5Connect::Status::Pending);
    wire.Write(kNamedReply.substr(10) + "hello");
    EXPECT_EQ(socks.Advance(), Socks5Connect::Status::Connected) << socks.Problem();
    char buffer[16];
    ASSERT_EQ(recv(wire.client, buffer, sizeof buffer, 0), 5);
    EXPECT_EQ(std::string(buffer, 5), "hello");
}

TEST(Socks5Connect, FailsWhenTheRelayRefusesOrHangsUp) {
    {
        Wire wire;
        Socks5Connect socks(wire.client, kHash, 0);
        socks.Advance();
        wire.Write(Bytes({5, 0xFF}));
        EXPECT_EQ(socks.Advance(), Socks5Connect::Status::Failed);
        EXPECT_NE(socks.Problem().find("authentication"), std::string::npos);
    }
    {
        Wire wire;
        Socks5Connect socks(wire.client, kHash, 0);
        socks.Advance();
        EXPECT_EQ(wire.Read(), Socks5Greeting());
        close(wire.proxy);
        wire.proxy = -1;
        EXPECT_EQ(socks.Advance(), Socks5Connect::Status::Failed);
        EXPECT_NE(socks.Problem().find("closed"), std::string::npos);
    }
    {
        Wire wire;
        Socks5Connect socks(wire.client, std::string(256, 'a'), 0);
        EXPECT_EQ(socks.Advance(), Socks5Connect::Status::Failed);
        EXPECT_EQ(wire.Read(), "");  // nothing was sent for a name SOCKS5 cannot carry
    }
}
