// A hosting front-end core, against the recording stand-in for the game
// library, that takes one client's byte stream through an unwired
// connection: the stream is cut into reads as a socket would deliver it,
// each read goes through the connection's frame assembler to the host's
// message dispatch, and the frame tick runs between reads so that queued
// shots, aims and turn changes reach the library.
#pragma once

#include <cstddef>
#include <cstdint>

enum class Sender {
    Stranger,       // a connection that has not logged in (it may, in the stream)
    SeatedInMatch,  // "Bob", admitted to slot 2 and playing red in a running match
};

// The first byte of the input chooses how the rest is cut into reads (and,
// for a seated sender, whose turn it is); the rest is the stream.
void FeedHost(Sender sender, const uint8_t* data, size_t size);

// Once per process, before the first FeedHost.
void StartHostEventLoop(int* argc, char*** argv);
