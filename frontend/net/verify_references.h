// The tables at the host's "vsync" checks. A client takes its answer at the
// point of the match's events where the check was asked (the check waits
// behind every event sent before it), but a slow client's answer may reach
// the host only after the next shot: compared with the host's table as it
// is by then, a table that agrees would be reported as desynchronised. (The
// shooter's own answer may instead already include a shot it fired before
// the check reached it; the table as it is then is the one to compare.)
#pragma once

#include <array>
#include <deque>
#include <optional>

#include "frontend/wire/wire_messages.h"

class VerifyReferences {
public:
    // The table at a check, for every client slot; each answers it once.
    void Take(const wire::Positions& table);
    // The table of this slot's oldest unanswered check; nullopt when it has
    // none (an answer nobody asked for, or a slot outside 2..4).
    std::optional<wire::Positions> TakeFor(int slot);
    // A player newly seated here never answers the checks asked before.
    void Forget(int slot);
    void Clear();

private:
    static constexpr int kFirstClientSlot = 2;
    static constexpr int kLastClientSlot = 4;
    // A client that never answers must not make the host keep every check.
    static constexpr size_t kMostPendingChecks = 16;

    std::array<std::deque<wire::Positions>, kLastClientSlot - kFirstClientSlot + 1> pending_;
};
