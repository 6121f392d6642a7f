// The fireworks on the recording backend, driven by a seeded show generator:
// launch values, flight, the bursts of each screen, fading, and the
// resets the game announces.
#include "scene/fireworks.h"

#include <cmath>

#include "game/practice.h"
#include "scene/scene_presentation.h"
#include "tests/scene/scene_fixture.h"

using namespace gfx;

namespace {

class FireworksTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        ASSERT_TRUE(fireworks.InitFireworks(kWidth, kHeight));
        g.localSeat = kSideGreen;
        g.winner = kSideGreen;
        g.outputs.sound = &sound;
    }
    // The live particles in index order.
    std::vector<Particle> Live() const {
        std::vector<Particle> live;
        const auto& list = fireworks.particles();
        for (int16_t i = 0; i < list.SlotsUsed(); ++i)
            if (const Particle* p = list.Get(i)) live.push_back(*p);
        return live;
    }
    // Frames until the one rocket has burst; the sparks it left.
    std::vector<Particle> RunUntilBurst(float seconds = 0.05f) {
        for (int frame = 0; frame < 100 && Live().size() <= 1; ++frame)
            fireworks.DrawFireworks(g, seconds);
        return Live();
    }
    // rand mod n over a thousand, from the generator the test expects with.
    float Thousandths(int n) { return float(expected.Next() % n) / 1000.0f; }

    Fireworks fireworks{Direct3D(), TextureList(), Sprites()};
    GameState g;
    RandomSequence expected{1};
};

TEST_F(FireworksTest, ARocketLeavesTheBottomEdgeWithTheGeneratorsValuesInOrder) {
    EXPECT_EQ(fireworks.rocketSprite(), 4);
    EXPECT_EQ(fireworks.sparkSprite(), 5);
    expected = RandomSequence(42);
    const float life = Thousandths(1500) + 0.5f, spin = Thousandths(3000);
    const float vy = -32.5f - Thousandths(10000), vx = Thousandths(16000) - 8.0f;
    const float x = float(expected.Next() % (kWidth - 64) + 64);
    const int volume = 160 + expected.Next() % 10;
    g.showRandom = RandomSequence(42);
    fireworks.LaunchRocket(g);
    const auto live = Live();
    ASSERT_EQ(live.size(), 1u);
    const Particle& rocket = live[0];
    EXPECT_EQ(rocket.kind, Particle::kRocket);
    EXPECT_FLOAT_EQ(rocket.life, life);
    EXPECT_FLOAT_EQ(rocket.spin, spin);
    EXPECT_FLOAT_EQ(rocket.vy, vy);
    EXPECT_FLOAT_EQ(rocket.vx, vx);
    EXPECT_FLOAT_EQ(rocket.x, x);
    EXPECT_FLOAT_EQ(rocket.y, kHeight);
    EXPECT_EQ(rocket.alpha, 255);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].effect, kEffectFireworkLaunch);
    EXPECT_EQ(sound.played[0].volume, volume);

    for (int i = 0; i < 500; ++i) fireworks.LaunchRocket(g);
    for (const Particle& p : Live()) {
        EXPECT_GE(p.x, 64);
        EXPECT_LE(p.x, kWidth - 1);
        EXPECT_GE(p.life, 0.5f);
        EXPECT_LT(p.life, 2.0f);
    }
}

TEST_F(FireworksTest, ARocketFliesNoseFirstUnderGravity) {
    fireworks.LaunchRocket(g);
    const Particle before = Live()[0];
    const size_t drawsBefore = device().draws().size();
    EXPECT_EQ(fireworks.DrawFireworks(g, 0.05f), 1);
    const auto quads = QuadsSince(drawsBefore);
    ASSERT_EQ(quads.size(), 1u);
    const RecordedQuad& quad = quads[0];
    EXPECT_EQ(quad.texture, TextureNamed("rojao.tga"));
    // Centred on the truncated position...
    const float midX = (quad.corners[0].x + quad.corners[3].x) / 2;
    const float midY = (quad.corners[0].y + quad.corners[3].y) / 2;
    EXPECT_NEAR(midX, std::trunc(before.x), 1e-3);
    EXPECT_NEAR(midY, std::trunc(before.y), 1e-3);
    // ...with the picture's top pointing along the flight.
    const float noseX =
        quad.corners[0].x + quad.corners[1].x - quad.corners[2].x - quad.corners[3].x;
    const float noseY =
        quad.corners[0].y + quad.corners[1].y - quad.corners[2].y - quad.corners[3].y;
    const float along = (noseX * before.vx + noseY * before.vy) /
                        (std::hypot(noseX, noseY) * std::hypot(before.vx, before.vy));
    EXPECT_NEAR(along, 1, 1e-4);

    const Particle after = Live()[0];
    EXPECT_FLOAT_EQ(after.x, before.x + before.vx * 0.4f);
    EXPECT_FLOAT_EQ(after.y, before.y + before.vy * 0.4f);
    EXPECT_FLOAT_EQ(after.vy, before.vy + 2.0f * 0.4f);
    EXPECT_FLOAT_EQ(after.age, 0.05f);
    EXPECT_EQ(Sprites().rotation(), 0);
    // Depth writes go off for the particles and back on after.
    EXPECT_EQ(device().renderState(kRsZWriteEnable), 1u);
}

// The same show on a screen twice as high: the same flight in the layout's
// units, drawn at twice the place and twice the size.
TEST_F(FireworksTest, OnATallerScreenTheSameFlightIsDrawnLargerAndFurtherOut) {
    const auto drawnRocket = [&](int width, int height) {
        fireworks.ResetFireworks();
        fireworks.SetScreenSize(width, height);
        g.showRandom = RandomSequence(42);
        fireworks.LaunchRocket(g);
        const size_t before = device().draws().size();
        fireworks.DrawFireworks(g, 0.05f);
        const auto quads = QuadsSince(before);
        EXPECT_EQ(quads.size(), 1u);
        return quads.empty() ? RecordedQuad{} : quads[0];
    };
    const RecordedQuad small = drawnRocket(kWidth, kHeight);
    const Particle smallFlight = Live()[0];
    const RecordedQuad large = drawnRocket(2 * kWidth, 2 * kHeight);
    const Particle largeFlight = Live()[0];
    EXPECT_FLOAT_EQ(largeFlight.x, smallFlight.x);
    EXPECT_FLOAT_EQ(largeFlight.y, smallFlight.y);
    const float midX = (small.corners[0].x + small.corners[3].x) / 2;
    const float midY = (small.corners[0].y + small.corners[3].y) / 2;
    const float largeMidX = (large.corners[0].x + large.corners[3].x) / 2;
    const float largeMidY = (large.corners[0].y + large.corners[3].y) / 2;
    // The middle at twice the place (within the pixel the positions are cut
    // to), each corner twice as far from it.
    EXPECT_NEAR(largeMidX, 2 * midX, 2);
    EXPECT_NEAR(largeMidY, 2 * midY, 2);
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_NEAR(large.corners[corner].x - largeMidX, 2 * (small.corners[corner].x - midX),
                    1e-3);
        EXPECT_NEAR(large.corners[corner].y - largeMidY, 2 * (small.corners[corner].y - midY),
                    1e-3);
    }
}

TEST_F(FireworksTest, TheWinnersBurstIsThreeRingsOfTwentyInTheGeneratorsOrder) {
    g.showRandom = RandomSequence(7);
    fireworks.LaunchRocket(g);
    const int afterLaunch = g.showRandom.Next();  // the burst's first draw follows
    fireworks.ResetFireworks();
    g.showRandom = RandomSequence(7);
    g.tableRandom = RandomSequence(3);
    const int gameNext = RandomSequence(3).Next();
    fireworks.LaunchRocket(g);
    const auto sparks = RunUntilBurst();
    ASSERT_EQ(sparks.size(), 60u);
    EXPECT_EQ(g.tableRandom.Next(), gameNext) << "the show drew from the table's own generator";

    expected = RandomSequence(7);
    for (int i = 0; i < 6; ++i) expected.Next();
    ASSERT_EQ(expected.Next(), afterLaunch);
    const uint8_t palette[7][3] = {{255, 0, 0},   {255, 255, 0}, {0, 0, 255}, {255, 0, 255},
                                   {0, 255, 255}, {255, 0, 255}, {0, 255, 0}};
    const uint8_t* full = palette[afterLaunch % 7];
    const int volume = 220 + expected.Next() % 20;
    EXPECT_EQ(sound.played.back().effect, kEffectFireworkBurst);
    EXPECT_EQ(sound.played.back().volume, volume);

    // The outer spark of step 0 lies 3 pixels right of the burst.
    const float x = sparks[0].x - 3, y = sparks[0].y;
    const float radius[3] = {3, 2, 0.5f}, speed[3] = {6, 4, 2}, dim[3] = {1.6f, 1.3f, 1};
    float a = 0;
    for (int step = 0; step < 20; ++step, a += 0.314159f) {
        for (int ring = 0; ring < 3; ++ring) {
            SCOPED_TRACE(testing::Message() << "step " << step << " ring " << ring);
            const Particle& s = sparks[size_t(step * 3 + ring)];
            const float spin = Thousandths(8000), kickY = Thousandths(1000),
                        kickX = Thousandths(1000);
            EXPECT_EQ(s.kind, Particle::kSpark);
            EXPECT_FLOAT_EQ(s.life, 2.0f);
            EXPECT_FLOAT_EQ(s.spin, spin);
            EXPECT_NEAR(s.x, x + radius[ring] * std::cos(a), 1e-3);
            EXPECT_NEAR(s.y, y + radius[ring] * std::sin(a), 1e-3);
            EXPECT_FLOAT_EQ(s.vx, speed[ring] * std::cos(a) + kickX);
            EXPECT_FLOAT_EQ(s.vy, speed[ring] * std::sin(a) - 4 + kickY);
            EXPECT_EQ(s.r, uint8_t(full[0] / dim[ring]));
            EXPECT_EQ(s.g, uint8_t(full[1] / dim[ring]));
            EXPECT_EQ(s.b, uint8_t(full[2] / dim[ring]));
        }
    }
}

TEST_F(FireworksTest, TheLoserSeesAGreyPuffAndASpectatorTheFullBurst) {
    g.winner = kSideRed;
    fireworks.LaunchRocket(g);
    auto sparks = RunUntilBurst();
    ASSERT_EQ(sparks.size(), 10u);
    EXPECT_EQ(sound.played.back().effect, kEffectFireworkPuff);
    EXPECT_GE(sound.played.back().volume, 210);
    EXPECT_LT(sound.played.back().volume, 230);
    for (const Particle& s : sparks) {
        EXPECT_EQ(s.r, 96);
        EXPECT_EQ(s.b, 96);
        EXPECT_FLOAT_EQ(s.life, 1.0f);
        EXPECT_LT(s.spin, 4.0f);
    }

    fireworks.ResetFireworks();
    g.localSeat = kSeatSpectator;
    fireworks.LaunchRocket(g);
    EXPECT_EQ(RunUntilBurst().size(), 60u);
}

TEST_F(FireworksTest, SparksFadeLinearlyOverTheirLifeAndThenGo) {
    fireworks.LaunchRocket(g);
    RunUntilBurst(0.25f);
    std::vector<uint32_t> alphas;
    for (int frame = 0; frame < 8; ++frame) {
        const size_t before = device().draws().size();
        EXPECT_EQ(fireworks.DrawFireworks(g, 0.25f), 60);
        const auto quads = QuadsSince(before);
        ASSERT_EQ(quads.size(), 60u);
        alphas.push_back(quads[0].corners[0].diffuse >> 24);
    }
    // Each frame draws with the alpha the previous frame worked out.
    EXPECT_EQ(alphas, (std::vector<uint32_t>{255, 255, 223, 191, 159, 127, 95, 63}));
    EXPECT_EQ(fireworks.particles().LiveCount(), 0);
    const size_t before = device().draws().size();
    EXPECT_EQ(fireworks.DrawFireworks(g, 0.25f), 0);
    EXPECT_EQ(device().draws().size(), before);
}

TEST_F(FireworksTest, AScreenTooNarrowForTheMarginLaunchesFromItsMiddle) {
    for (int width : {64, 10, 0}) {
        Fireworks narrow{Direct3D(), TextureList(), Sprites()};
        ASSERT_TRUE(narrow.InitFireworks(width, 100));
        narrow.LaunchRocket(g);
        EXPECT_FLOAT_EQ(narrow.particles().Get(0)->x, float(width / 2)) << width;
    }
}

TEST_F(FireworksTest, MissingPicturesLeaveTheSpritesAtTheirNumbersAsPlainQuads) {
    // The scene's four sprites, then the two of the fireworks.
    Sprites().ReleaseSprites();
    for (int i = 0; i < 4; ++i) Sprites().AddSprite(nullptr, 0, 1, 1, false);
    TextureList().Remove(TextureList().FindIndex("rojao.tga"));
    TextureList().Remove(TextureList().FindIndex("spark.tga"));
    Fireworks plain{Direct3D(), TextureList(), Sprites()};
    ASSERT_TRUE(plain.InitFireworks(kWidth, kHeight));
    EXPECT_EQ(plain.rocketSprite(), 4);
    EXPECT_EQ(plain.sparkSprite(), 5);
    plain.LaunchRocket(g);
    plain.DrawFireworks(g, 0.05f);
    EXPECT_EQ(QuadsOf({device().draws().back()}).at(0).texture, nullptr);
}

TEST_F(FireworksTest, ATableResetClearsTheFireworksAndAPracticeStartShowsFourTries) {
    fireworks.LaunchRocket(g);
    RunUntilBurst();
    ScenePresentation presentation(&fireworks);
    g.outputs.presentation = &presentation;
    ResetTable(g);
    EXPECT_EQ(fireworks.particles().LiveCount(), 0);
    Hud().triesShown = 1;
    StartPractice(g, "ana");
    EXPECT_EQ(Hud().triesShown, kPracticeTries);

    // A scene without fireworks, and no scene at all: nothing to clear.
    ScenePresentation withoutFireworks(nullptr);
    g.outputs.presentation = &withoutFireworks;
    ResetTable(g);
    g.outputs.presentation = nullptr;
    fireworks.LaunchRocket(g);
    ResetTable(g);
    EXPECT_EQ(fireworks.particles().LiveCount(), 1);
}

}  // namespace
