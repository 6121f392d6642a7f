#include "scene/fireworks.h"

#include <algorithm>
#include <cmath>

#include "engine/graphics/vex_direct3d.h"
#include "engine/graphics/vex_sprite.h"
#include "engine/graphics/vex_texture_list.h"
#include "game/game_sound.h"
#include "scene/screen_scale.h"

namespace {

constexpr float kGravity = 2.0f;
constexpr float kQuarterTurn = 1.5707964f;
constexpr float kRingStep = 0.314159f;  // a tenth of a half turn
constexpr int kLaunchMargin = 64;       // rockets start this far from the left edge at least

struct Rgb {
    uint8_t r, g, b;
};
// Magenta twice: the burst colours as players know them.
constexpr Rgb kBurstColors[7] = {{255, 0, 0},   {255, 255, 0}, {0, 0, 255}, {255, 0, 255},
                                 {0, 255, 255}, {255, 0, 255}, {0, 255, 0}};

// rand mod n over a thousand: the generator's fractions.
float Thousandths(RandomSequence& random, int n) {
    return float(random.Next() % n) / 1000.0f;
}

Rgb Dimmed(Rgb c, float by) {
    return {uint8_t(float(c.r) / by), uint8_t(float(c.g) / by), uint8_t(float(c.b) / by)};
}

uint32_t ColorOf(const Particle& p) {
    const auto alpha = uint32_t(std::clamp(p.alpha, 0, 255));
    return alpha << 24 | uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b;
}

}  // namespace

bool Fireworks::InitFireworks(int width, int height) {
    SetScreenSize(width, height);
    rocketSprite_ = sprites_.AddSprite(nullptr, textures_.FindIndex("rojao.tga"), 1, 1, false);
    sparkSprite_ = sprites_.AddSprite(nullptr, textures_.FindIndex("spark.tga"), 1, 1, false);
    particles_.Reserve(kRoom);
    return true;
}

void Fireworks::SetScreenSize(int width, int height) {
    scale_ = ScreenScale::Of(width, height).scale;
    width_ = int(std::lround(float(width) / scale_));
    height_ = int(std::lround(float(height) / scale_));
}

void Fireworks::LaunchRocket(const GameState& g) {
    RandomSequence& random = g.showRandom;
    auto rocket = std::make_unique<Particle>();
    rocket->life = Thousandths(random, 1500) + 0.5f;
    rocket->spin = Thousandths(random, 3000);
    rocket->vy = -32.5f - Thousandths(random, 10000);
    rocket->vx = Thousandths(random, 16000) - 8.0f;
    rocket->y = float(height_);
    // A screen too narrow for the margin launches from its middle.
    rocket->x = width_ > kLaunchMargin
                    ? float(random.Next() % (width_ - kLaunchMargin) + kLaunchMargin)
                    : float(width_ / 2);
    particles_.Insert(std::move(rocket));
    SoundOf(g).PlayEffectAt(kEffectFireworkLaunch, 160 + random.Next() % 10);
}

void Fireworks::AddSpark(float x, float y, float vx, float vy, float spin, float life, uint8_t r,
                         uint8_t g, uint8_t b) {
    auto spark = std::make_unique<Particle>();
    spark->kind = Particle::kSpark;
    spark->x = x, spark->y = y, spark->vx = vx, spark->vy = vy;
    spark->spin = spin;
    spark->life = life;
    spark->r = r, spark->g = g, spark->b = b;
    particles_.Insert(std::move(spark));
}

void Fireworks::Burst(const GameState& g, float x, float y, bool celebrating) {
    RandomSequence& random = g.showRandom;
    const Rgb full = kBurstColors[random.Next() % 7];
    const Rgb middle = Dimmed(full, 1.3f), outer = Dimmed(full, 1.6f);
    float a = 0;
    if (celebrating) {
        SoundOf(g).PlayEffectAt(kEffectFireworkBurst, 220 + random.Next() % 20);
        struct Ring {
            float radius, speed;
            Rgb color;
        };
        const Ring rings[3] = {{3, 6, outer}, {2, 4, middle}, {0.5f, 2, full}};
        for (int k = 0; k < 20; ++k, a += kRingStep) {
            for (const Ring& ring : rings) {
                // Drawn in this order: spin, the vertical kick, the sideways one.
                const float spin = Thousandths(random, 8000);
                const float kickY = Thousandths(random, 1000), kickX = Thousandths(random, 1000);
                AddSpark(x + ring.radius * std::cos(a), y + ring.radius * std::sin(a),
                         ring.speed * std::cos(a) + kickX, ring.speed * std::sin(a) - 4 + kickY,
                         spin, 2.0f, ring.color.r, ring.color.g, ring.color.b);
            }
        }
        return;
    }
    SoundOf(g).PlayEffectAt(kEffectFireworkPuff, 210 + random.Next() % 20);
    for (int k = 0; k < 10; ++k, a += 2 * kRingStep) {
        const float spin = Thousandths(random, 4000);
        const float kickY = Thousandths(random, 500), kickX = Thousandths(random, 500);
        AddSpark(x + 0.3f * std::cos(a), y + 0.3f * std::sin(a), std::cos(a) + kickX,
                 std::sin(a) - 2 + kickY, spin, 1.0f, 96, 96, 96);
    }
}

void Fireworks::Draw(const Particle& p) {
    sprites_.SetSpriteColor(ColorOf(p));
    // A rocket points along its flight; a spark turns by its own spin.
    sprites_.SetSpriteRotation(p.kind == Particle::kRocket ? -p.angle : p.angle);
    sprites_.DrawSprite(p.kind == Particle::kRocket ? rocketSprite_ : sparkSprite_,
                        std::trunc(p.x * scale_), std::trunc(p.y * scale_), 0, 0);
}

int Fireworks::DrawFireworks(const GameState& g, float frameSeconds) {
    if (particles_.LiveCount() == 0 || !sprites_.BeginSprites()) return 0;
    const float step = frameSeconds * 8;
    int drawn = 0;
    d3d_.SetDepthWrite(false);
    sprites_.SetSpritePivot(rocketSprite_, 0.5f, 0.5f, true);
    sprites_.SetSpritePivot(sparkSprite_, 0.5f, 0.5f, true);
    sprites_.SetSpriteScale(rocketSprite_, scale_, scale_);
    sprites_.SetSpriteScale(sparkSprite_, scale_, scale_);
    for (int16_t i = int16_t(particles_.SlotsUsed() - 1); i >= 0; --i) {
        Particle* p = particles_.Get(i);
        if (!p) continue;
        if (p->kind == Particle::kRocket) {
            p->angle = std::atan2(-p->vy, p->vx) - kQuarterTurn;
            Draw(*p);
        } else {
            Draw(*p);
            p->alpha = int32_t(255 - (255 / p->life) * p->age);
            p->angle += p->spin * frameSeconds;
        }
        ++drawn;
        p->x += p->vx * step;
        p->y += p->vy * step;
        p->vy += kGravity * step;
        p->age += frameSeconds;
        if (p->age >= p->life) {
            if (p->kind == Particle::kRocket) {
                auto burst = std::make_unique<BurstPoint>();
                burst->x = p->x, burst->y = p->y;
                bursts_.Insert(std::move(burst));
            }
            particles_.Remove(i);
        }
    }
    const bool celebrating = g.winner == g.localSeat || g.localSeat == kSeatSpectator;
    for (int16_t i = int16_t(bursts_.SlotsUsed() - 1); i >= 0; --i) {
        if (const BurstPoint* burst = bursts_.Get(i)) {
            Burst(g, burst->x, burst->y, celebrating);
            bursts_.Remove(i);
        }
    }
    // The particles reach the device when the sprites end: only then may
    // depth writes come back.
    sprites_.EndSprites();
    d3d_.SetDepthWrite(true);
    sprites_.SetSpriteRotation(0);
    return drawn;
}

void Fireworks::ResetFireworks() {
    particles_.Clear();
    bursts_.Clear();
    particles_.Reserve(kRoom);
}
