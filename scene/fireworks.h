// The fireworks that celebrate a match's end: rockets rise from the bottom
// of the screen, burst into rings of sparks (a grey puff on the loser's
// screen) and fade, with a launch and a burst sound. Everything is in 2D
// screen pixels, y down, drawn with two sprites the effect makes for
// itself; every random number comes from the table's show generator and
// every sound goes where the table's go.
#pragma once

#include <cstdint>

#include "base/memory_tracker.h"
#include "base/slot_list.h"
#include "game/game_state.h"

class VEX_Direct3D;
class VEX_Sprite;
class VEX_TextureList;

struct Particle : TrackedObject {
    enum Kind : uint8_t { kRocket = 0, kSpark = 1 };

    float x = 0, y = 0;
    float vx = 0, vy = 0;  // pixels per eighth of a second
    float spin = 0;        // sparks: radians a second
    int32_t alpha = 255;
    uint8_t kind = kRocket;
    uint8_t r = 255, g = 255, b = 255;
    float angle = 0;
    float age = 0, life = 0;  // seconds
};

struct BurstPoint : TrackedObject {
    float x = 0, y = 0;
};

class Fireworks : public TrackedObject {
public:
    static constexpr int16_t kRoom = 400;  // particles kept room for

    Fireworks(VEX_Direct3D& d3d, VEX_TextureList& textures, VEX_Sprite& sprites)
        : d3d_(d3d), textures_(textures), sprites_(sprites) {}
    Fireworks(const Fireworks&) = delete;
    Fireworks& operator=(const Fireworks&) = delete;

    // Makes the rocket and spark sprites (from "rojao.tga" and "spark.tga")
    // for a screen of this size.
    bool InitFireworks(int width, int height);
    // Later rockets rise from the bottom of a screen of this size; those
    // in the air fly on. The particles fly in the 2D layout's units (a
    // screen 400 high), drawn scaled to the screen's height, so a show
    // looks the same at any size.
    void SetScreenSize(int width, int height);
    // A rocket from the bottom edge, with its launch sound.
    void LaunchRocket(const GameState& g);
    // Draws every particle and moves it on by the frame's time; bursts the
    // rockets whose fuse ran out, as the winner's (or a spectator's) rings
    // or the loser's puff. Answers the particles drawn.
    int DrawFireworks(const GameState& g, float frameSeconds);
    void ResetFireworks();

    const SlotList<Particle>& particles() const { return particles_; }
    int16_t rocketSprite() const { return rocketSprite_; }
    int16_t sparkSprite() const { return sparkSprite_; }

private:
    void Burst(const GameState& g, float x, float y, bool celebrating);
    void AddSpark(float x, float y, float vx, float vy, float spin, float life, uint8_t r,
                  uint8_t g, uint8_t b);
    void Draw(const Particle& p);

    VEX_Direct3D& d3d_;
    VEX_TextureList& textures_;
    VEX_Sprite& sprites_;
    SlotList<Particle> particles_;
    SlotList<BurstPoint> bursts_;
    int width_ = 0, height_ = 0;  // in the layout's units
    float scale_ = 1;             // screen pixels per layout unit
    int16_t rocketSprite_ = -1, sparkSprite_ = -1;
};
