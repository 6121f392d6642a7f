// The client half of SOCKS5 CONNECT (RFC 1928) as a relay needs it: no
// authentication, the destination given as a domain name, over a
// non-blocking socket. The proxy's replies are untrusted: the reader takes
// exactly the bytes of a well-formed reply and nothing after it (what
// follows is the relayed stream itself), and refuses anything else with a
// reason.
//
//   client: 05 01 00                       one method offered: none
//   proxy:  05 00                          chosen: none (FF: none acceptable)
//   client: 05 01 00 03 LEN NAME PORT(2)   CONNECT to a domain name
//   proxy:  05 REP 00 ATYP ADDR PORT(2)    REP 0 = done; ATYP 1, 3 or 4
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace lobby {

// The greeting that offers only "no authentication".
std::string Socks5Greeting();
// The CONNECT request, or nothing for a name of 0 or more than 255 bytes.
std::optional<std::string> Socks5ConnectRequest(const std::string& domain, uint16_t port);

// Reads the proxy's two answers: the chosen method, then the reply to
// CONNECT. Feed it at most Wanted() bytes at a time.
class Socks5ReplyReader {
public:
    enum class State { MethodPending, ReplyPending, Done, Refused };

    // The bytes the reader can take now without reading past the answer it
    // waits for; 0 once Done or Refused. Between the two answers the caller
    // sends the request (State() is ReplyPending and the method is read).
    size_t Wanted() const;
    // Takes bytes; more than Wanted() is a caller's error and refused.
    State Feed(const uint8_t* data, size_t size);
    State Current() const { return state_; }
    // Why the proxy was refused, in English for the log.
    const std::string& Problem() const { return problem_; }

private:
    State Refuse(std::string why);
    State ReadMethod();
    State ReadReply();

    State state_ = State::MethodPending;
    std::string buffer_;  // the answer being read
    size_t needed_ = 2;   // its length, as far as known
    std::string problem_;
};

// Drives one CONNECT over a socket (a TCP connection to the proxy, made
// non-blocking, its connect possibly still in progress) until the relayed
// stream is open. The caller waits for Events() on the socket and calls
// Advance() when they come (calling it spuriously is harmless). The socket
// stays the caller's.
class Socks5Connect {
public:
    enum class Status { Pending, Connected, Failed };

    Socks5Connect(int fd, const std::string& domain, uint16_t port);
    Status Advance();
    // POLLIN or POLLOUT: what the socket must become ready for next.
    short Events() const;
    Status Current() const { return status_; }
    const std::string& Problem() const { return problem_; }
    // Whether the TCP connection to the proxy was made: a failure before it
    // may be worth another of the proxy's addresses, one after it is not.
    bool ReachedProxy() const { return step_ != Step::Connecting; }

private:
    enum class Step { Connecting, Greeting, Method, Request, Reply };

    Status Fail(std::string why);
    // Writes what is left of out_; true when all of it went.
    bool Flush();
    // Reads what the reader wants; false on a closed or failed socket.
    bool Fill();

    int fd_;
    std::optional<std::string> request_;
    Step step_ = Step::Connecting;
    std::string out_;
    Socks5ReplyReader reader_;
    Status status_ = Status::Pending;
    std::string problem_;
};

}  // namespace lobby
