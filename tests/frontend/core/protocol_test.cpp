// Framing, payload encodings and the text conversion at the wire's edge.
#include <gtest/gtest.h>

#include <cstring>

#include "frontend/wire/frame_codec.h"
#include "frontend/wire/wire_messages.h"
#include "frontend/wire/wire_text.h"

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out.append(static_cast<char>(v));
    return out;
}

TEST(Frame, TurnChangeTravelsAsSixBytes) {
    EXPECT_EQ(MakeFrame(wire::kTurn), Bytes({0x05, 0x4D, 0x55, 0x44, 0x4A, 0x3A}));
    EXPECT_EQ(wire::RefusalFrame(wire::kFull), Bytes({0x05, 'F', 'U', 'L', 'L', ':'}));
}

TEST(Frame, MessageOver255BytesIsNotFramed) {
    EXPECT_EQ(MakeFrame(QByteArray(255, 'x')).size(), 256);
    EXPECT_TRUE(MakeFrame(QByteArray(256, 'x')).isEmpty());
}

TEST(FrameAssembler, TwoFramesInOneReadArriveInOrder) {
    FrameAssembler a;
    const auto messages = a.Feed(MakeFrame(wire::kTurn) + MakeFrame(wire::kShout));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], wire::kTurn);
    EXPECT_EQ(messages[1], wire::kShout);
    EXPECT_EQ(a.PendingBytes(), 0);
}

TEST(FrameAssembler, FrameSplitAcrossReadsIsKeptUntilWhole) {
    const QByteArray shot = wire::kShot + wire::EncodeShot({1.5f, -21.5f, 9.0f, 0.25f});
    const QByteArray stream = MakeFrame(shot) + MakeFrame(wire::kTurn);
    FrameAssembler a;
    std::vector<QByteArray> all;
    for (char byte : stream) {
        for (QByteArray& m : a.Feed(QByteArray(1, byte))) all.push_back(m);
    }
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], shot);
    EXPECT_EQ(all[1], wire::kTurn);
}

TEST(FrameAssembler, LoneLengthByteWaitsAndEmptyFramesAreSkipped) {
    FrameAssembler a;
    auto messages = a.Feed(MakeFrame(wire::kTurn) + Bytes({0}) + Bytes({5}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(a.PendingBytes(), 1);
    messages = a.Feed("PRCA:");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], wire::kShout);
}

TEST(Payload, ShotWithZeroAndColonBytesIsCarriedIntact) {
    float withColon;
    const unsigned char raw[4] = {0x00, 0x3A, 0x00, 0x3A};
    std::memcpy(&withColon, raw, 4);
    const wire::Shot shot{withColon, 0.0f, 7.0f, -0.5f};
    const QByteArray message = wire::kShot + wire::EncodeShot(shot);
    FrameAssembler a;
    const auto messages = a.Feed(MakeFrame(message));
    ASSERT_EQ(messages.size(), 1u);
    const wire::Message m = wire::SplitMessage(messages[0]);
    EXPECT_EQ(m.command, wire::kShot);
    const auto decoded = wire::DecodeShot(m.payload);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::memcmp(&decoded->x, raw, 4), 0);
    EXPECT_EQ(decoded->force, 7.0f);
    EXPECT_EQ(decoded->angle, -0.5f);
}

TEST(Payload, ShortPayloadsAreRefused) {
    EXPECT_FALSE(wire::DecodeShot(QByteArray(15, 1)));
    EXPECT_FALSE(wire::DecodeAim(QByteArray(16, 1)));
    EXPECT_FALSE(wire::DecodeSync(QByteArray(160, 1)));
    EXPECT_FALSE(wire::DecodeVerify(QByteArray(159, 1)));
    EXPECT_FALSE(wire::DecodeInit(Bytes({1, 2})));
    EXPECT_TRUE(wire::DecodeSync(QByteArray(161, 1)));
}

TEST(Payload, SyncAndVerifyRoundTrip) {
    wire::Positions p{};
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<float>(i) * 1.25f - 20.0f;
    const QByteArray sync = wire::EncodeSync({p, 1});
    ASSERT_EQ(sync.size(), wire::kSyncBytes);
    const auto s = wire::DecodeSync(sync);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->positions, p);
    EXPECT_EQ(s->side, 1);

    const auto v = wire::DecodeVerify(wire::EncodeVerify(p, 3));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->positions, p);
    EXPECT_EQ(v->id, "3");
}

TEST(Payload, AimKeepsTheOrderOfTheCallback) {
    const QByteArray bytes = wire::EncodeAim({.x = 2.0f, .z = 1.0f, .force = 3.0f, .angle = 4.0f, .phase = 7});
    ASSERT_EQ(bytes.size(), wire::kAimBytes);
    float first;
    std::memcpy(&first, bytes.constData(), 4);
    EXPECT_EQ(first, 1.0f);  // aim Z leads
    const auto a = wire::DecodeAim(bytes);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->x, 2.0f);
    EXPECT_EQ(a->phase, 7);
}

TEST(Payload, InitCarriesRawSlotsAndDecimalSeed) {
    EXPECT_EQ(wire::EncodeInit({1, 3, 427}), Bytes({1, 3, '4', '2', '7'}));
    const auto init = wire::DecodeInit(Bytes({2, 1, '9', '9', '8'}));
    ASSERT_TRUE(init);
    EXPECT_EQ(init->greenSlot, 2);
    EXPECT_EQ(init->redSlot, 1);
    EXPECT_EQ(init->seed, 998);
    EXPECT_FALSE(wire::DecodeInit(Bytes({1, 2, 'x'})));
}

TEST(Payload, DecimalsAreUnsignedDigitsOnly) {
    EXPECT_EQ(wire::ParseDecimal("2500"), 2500);
    EXPECT_EQ(wire::ParseDecimal("0"), 0);
    EXPECT_FALSE(wire::ParseDecimal(""));
    EXPECT_FALSE(wire::ParseDecimal("-1"));
    EXPECT_FALSE(wire::ParseDecimal("12a"));
    EXPECT_FALSE(wire::ParseDecimal("99999999999"));
}

TEST(Payload, SlotEntriesAndLogin) {
    EXPECT_EQ(wire::EncodeSlotEntry({"Bob", 2, 5}, true), "Bob,2,5");
    EXPECT_EQ(wire::EncodeSlotEntry({"Bob", 2, 0}, false), "Bob,2");
    const auto empty = wire::DecodeSlotEntry(",3,0", true);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->name.isEmpty());
    EXPECT_EQ(empty->slot, 3);
    EXPECT_FALSE(wire::DecodeSlotEntry("Bob,x,0", true));
    EXPECT_FALSE(wire::DecodeSlotEntry("Bob", false));

    const wire::Login l = wire::DecodeLogin("Ana,se,cret");
    EXPECT_EQ(l.name, "Ana");
    EXPECT_EQ(l.password, "se,cret");
    EXPECT_EQ(wire::DecodeLogin("Ana").password, "");
}

TEST(WireText, Windows1252BothWays) {
    const QString text = QString::fromUtf8("Reflexão €5 “ok”");
    const QByteArray wire = ToWireText(text);
    EXPECT_EQ(wire.size(), text.size());
    EXPECT_EQ(static_cast<unsigned char>(wire[6]), 0xE3);  // ã
    EXPECT_EQ(static_cast<unsigned char>(wire[9]), 0x80);  // €
    EXPECT_EQ(FromWireText(wire), text);
    EXPECT_EQ(ToWireText(QString::fromUtf8("日")), "?");
}

}  // namespace
