// Chat between real peer processes: lines through the host, the phrase
// sounds under each machine's chat-effects option, and the commands.
#include <gtest/gtest.h>

#include <QDir>

#include "peer_process.h"

namespace {

class ChatPlay : public ::testing::Test {
protected:
    ChatPlay()
        : ana(group.StartHost("Ana")),
          bob(group.StartClient("Bob")),
          cid(group.StartClient("Cid")) {
        cid.Send("chateffects 0");
        EXPECT_GE(ana.WaitForLine("SLOT 3 1 Cid"), 0);
    }

    PeerGroup group;
    PeerProcess& ana;
    PeerProcess& bob;
    PeerProcess& cid;
};

TEST_F(ChatPlay, PhrasesSoundWhereChatEffectsAreOn) {
    const int anaFrom = ana.LineCount(), bobFrom = bob.LineCount(), cidFrom = cid.LineCount();
    bob.Send("chat LOL");
    bob.Send("chat hehe!");
    bob.Send("chat hehe hehe");
    bob.Send("chat done");
    for (PeerProcess* p : {&ana, &bob, &cid}) {
        const int from = p == &ana ? anaFrom : p == &bob ? bobFrom : cidFrom;
        const int done = p->WaitForLine("CHAT Bob: done", from);
        ASSERT_GE(done, 0) << p->Name().toStdString();
        EXPECT_GE(p->WaitForLine("CHAT Bob: LOL", from), 0);
        // Only a whole-text match sounds: the laugh, never the "hehe" lines.
        EXPECT_EQ(p->CountOf("SFX 11", from), p == &cid ? 0 : 1) << p->Name().toStdString();
        EXPECT_EQ(p->CountOf("SFX 12", from), 0) << p->Name().toStdString();
    }

    // The shout: its sender always hears it; receivers only with chat effects on.
    const int anaShout = ana.LineCount(), bobShout = bob.LineCount(), cidShout = cid.LineCount();
    cid.Send("chat /PRACA");
    cid.Send("chat after shout");
    ASSERT_GE(bob.WaitForLine("CHAT Cid: after shout", bobShout), 0);
    ASSERT_GE(ana.WaitForLine("CHAT Cid: after shout", anaShout), 0);
    EXPECT_EQ(cid.CountOf("SFX 18", cidShout), 1);
    EXPECT_EQ(ana.CountOf("SFX 18", anaShout), 1);
    EXPECT_EQ(bob.CountOf("SFX 18", bobShout), 1);
    EXPECT_FALSE(cid.Saw("CHAT Cid: /PRACA", cidShout));
    EXPECT_FALSE(ana.Saw("CHAT Cid: /PRACA", anaShout));

    // Shouting with more words is no command and no line.
    cid.Send("chat /praca now");
    cid.Send("chat end");
    ASSERT_GE(ana.WaitForLine("CHAT Cid: end", anaShout), 0);
    EXPECT_EQ(ana.CountOf("SFX 18", anaShout), 1);
}

TEST_F(ChatPlay, VersionDumpAndClearCommands) {
    // A client asks: the host alone answers.
    bob.Send("chat /version");
    EXPECT_GE(bob.WaitForLine("CHAT Ana version: v1.1"), 0);
    ASSERT_TRUE(Delivered(ana, cid));
    EXPECT_FALSE(cid.Saw("CHAT Ana version: v1.1"));

    // The host asks: every client answers, the host shows each.
    ana.Send("chat /version");
    EXPECT_GE(ana.WaitForLine("CHAT Bob version: v1.1"), 0);
    EXPECT_GE(ana.WaitForLine("CHAT Cid version: v1.1"), 0);

    // A client cannot ask for dumps or a sync check.
    bob.Send("chat /dump");
    bob.Send("chat /vsync");
    ASSERT_TRUE(Delivered(bob, ana));
    EXPECT_TRUE(QDir(group.Folder(1)).entryList({"dump_*.log"}).isEmpty());
    EXPECT_FALSE(ana.Saw("CHAT No desync at ID 2"));

    ana.Send("start");
    ASSERT_GE(bob.WaitForLine("BOX 2 ff0000"), 0);
    ana.Send("chat /dump");
    for (int peer : {0, 1, 2}) {
        EXPECT_TRUE(SpinUntil([&] {
            return !QDir(group.Folder(peer)).entryList({"dump_*.log"}).isEmpty();
        })) << "peer "
            << peer;
    }
    EXPECT_FALSE(QDir(group.Folder(1)).entryList({"dump_remote_*.log"}).isEmpty());
    EXPECT_FALSE(QDir(group.Folder(2)).entryList({"dump_spec_*.log"}).isEmpty());

    const int before = cid.LineCount();
    cid.Send("chat /Clear");
    EXPECT_GE(cid.WaitForLine("CHATCLEAR", before), 0);
}

}  // namespace
