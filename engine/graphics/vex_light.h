// VEX_Light: the engine's list of lights. A light's list index is its device
// light index. Setters change only the stored copy; the device sees a change
// when the light is applied again (the scene applies all of them after a
// frame could not begin, which covers a lost and reset device).
#pragma once

#include <cstdint>
#include <memory>

#include "base/memory_tracker.h"
#include "base/slot_list.h"
#include "platform/gfx/gfx_types.h"

class VEX_Direct3D;

struct LightEntry : TrackedObject {
    TrackedChars name;  // may be null
    std::unique_ptr<gfx::Light> light;
    bool enabled = false;
};

class VEX_Light : public TrackedObject {
public:
    explicit VEX_Light(VEX_Direct3D& d3d) : d3d_(d3d) {}
    ~VEX_Light();
    VEX_Light(const VEX_Light&) = delete;
    VEX_Light& operator=(const VEX_Light&) = delete;

    // -1 without a device; the light starts switched off.
    int16_t AddLight(const char* name, const gfx::Light& light);
    int16_t MakeLight(const char* name, gfx::LightType type, const gfx::Vector3& position,
                      const gfx::Vector3& direction, float diffuseR, float diffuseG, float diffuseB,
                      float ambientR, float ambientG, float ambientB, float specularR,
                      float specularG, float specularB, float range, float theta, float phi);

    void SetType(int16_t index, gfx::LightType type);
    void SetPosition(int16_t index, const gfx::Vector3& position);
    void SetDirection(int16_t index, const gfx::Vector3& direction);
    void SetDiffuse(int16_t index, float r, float g, float b);
    void SetAmbient(int16_t index, float r, float g, float b);
    void SetSpecular(int16_t index, float r, float g, float b);
    void SetRangeAndFalloff(int16_t index, float range, float falloff);
    void SetThetaAndPhi(int16_t index, float theta, float phi);

    void EnableLight(int16_t index, bool on);
    void ApplyLight(int16_t index);
    void ApplyAllLights();
    int16_t FindLight(const char* name) const;
    void RemoveLight(int16_t index);
    bool Clear();

    bool IsValid(int16_t index) const { return slots_.IsValid(index); }
    const LightEntry* EntryOf(int16_t index) const { return slots_.Get(index); }
    int16_t SlotsUsed() const { return slots_.SlotsUsed(); }

private:
    VEX_Direct3D& d3d_;
    gfx::Light* StoredLight(int16_t index);

    SlotList<LightEntry> slots_;
};
