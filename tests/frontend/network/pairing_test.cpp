// Who plays whom, between real peer processes. Match results are staged by
// giving every machine the final score (the library then reports the victory
// itself), so a test can run through several matches in seconds.
#include <gtest/gtest.h>

#include "peer_process.h"

namespace {

struct Pairing {
    int green, red;
};

class PairingPlay : public ::testing::Test {
protected:
    PairingPlay() : a(group.StartHost("A")), b(group.StartClient("B")), c(group.StartClient("C")) {
        EXPECT_GE(a.WaitForLine("SLOT 3 1 C"), 0);
    }

    // The pairing every machine agrees on once a match runs.
    ::testing::AssertionResult Plays(Pairing expected) {
        QMap<QString, QString> state;
        for (PeerProcess* p : {&a, &b, &c}) {
            if (!SpinUntil([&] {
                    state = p->State();
                    return state["match"] == "1" && state["green"].toInt() == expected.green &&
                           state["red"].toInt() == expected.red;
                })) {
                return ::testing::AssertionFailure()
                       << p->Name().toStdString() << " shows match=" << state["match"].toStdString()
                       << " green=" << state["green"].toStdString()
                       << " red=" << state["red"].toStdString();
            }
        }
        return ::testing::AssertionSuccess();
    }

    // Ends the running match: result 1 green won, 2 red won, 0 draw. The
    // clients learn it first so that the host's next "INIT:" cannot reach a
    // client before its own victory.
    void Finish(int result) {
        const QString score = result == 1   ? "score 10 0"
                              : result == 2 ? "score 0 10"
                                            : "score 10 10";
        for (PeerProcess* p : {&b, &c, &a}) {
            p->Send(score);
            ASSERT_TRUE(SpinUntil([&] { return p->State()["match"] == "0"; }))
                << p->Name().toStdString();
        }
    }

    PeerGroup group;
    PeerProcess& a;
    PeerProcess& b;
    PeerProcess& c;
};

TEST_F(PairingPlay, WinnerMeetsTheLongestWaitingAndADrawSwapsSides) {
    a.Send("start");
    ASSERT_TRUE(Plays({1, 2}));  // A - B
    Finish(1);                   // A wins; C has waited one match
    EXPECT_GE(a.WaitForLine("WINS 1 1"), 0);
    ASSERT_TRUE(Plays({1, 3}));  // A - C
    Finish(2);                   // C wins; B has waited two matches
    ASSERT_TRUE(Plays({3, 2}));  // C - B
    EXPECT_GE(b.WaitForLine("WINS 3 1"), 0);
    Finish(0);  // a draw: the same two, sides swapped
    ASSERT_TRUE(Plays({2, 3}));
    EXPECT_GE(b.WaitForLine("BOX 2 00ff00"), 0);
    EXPECT_GE(b.WaitForLine("BOX 3 ff0000"), 0);
}

TEST_F(PairingPlay, APlayingClientLeavingStartsTheNextMatchAtOnce) {
    a.Send("start");
    ASSERT_TRUE(Plays({1, 2}));
    b.Send("leave");
    // No pause for the end of a match: C takes the place straight away.
    QMap<QString, QString> state;
    ASSERT_TRUE(SpinUntil(
        [&] {
            state = a.State();
            return state["green"] == "1" && state["red"] == "3";
        },
        3000));
    EXPECT_EQ(state["match"], "1");
    EXPECT_EQ(state["countdown"], "0");
    EXPECT_GE(c.WaitForLine("BOX 3 ff0000"), 0);
    EXPECT_EQ(c.State()["seat"], "1");  // C plays red

    // With the last client gone the host is alone: no match, no start button.
    const int from = a.LineCount();
    c.Send("leave");
    EXPECT_GE(a.WaitForLine("START 0", from), 0);
    EXPECT_TRUE(SpinUntil([&] { return a.State()["match"] == "0"; }));
}

}  // namespace
