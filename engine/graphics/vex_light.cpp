#include "engine/graphics/vex_light.h"

#include "base/debug_log.h"
#include "engine/graphics/vex_direct3d.h"
#include "engine/services/string_tools.h"

using namespace gfx;

VEX_Light::~VEX_Light() {
    Log().ModuleFinishing("VEX_Light");
    Clear();
    Log().ReportOk();
}

int16_t VEX_Light::AddLight(const char* name, const Light& light) {
    Device* device = d3d_.device();
    if (!device) return -1;
    auto entry = std::make_unique<LightEntry>();
    entry->name = StringTools::Duplicate(name);
    entry->light = std::make_unique<Light>(light);
    const int16_t index = slots_.Insert(std::move(entry));
    if (index < 0) return -1;
    device->SetLight(uint32_t(index), light);
    return index;
}

int16_t VEX_Light::MakeLight(const char* name, LightType type, const Vector3& position,
                             const Vector3& direction, float dr, float dg, float db, float ar,
                             float ag, float ab, float sr, float sg, float sb, float range,
                             float theta, float phi) {
    Light light;
    light.type = type;
    light.diffuse = {dr, dg, db, 0};
    light.specular = {sr, sg, sb, 0};
    light.ambient = {ar, ag, ab, 0};
    light.position = position;
    light.direction = direction;
    light.range = range;
    light.falloff = 1.0f;
    light.attenuation0 = light.attenuation1 = light.attenuation2 = 0;
    light.theta = theta;
    light.phi = phi;
    return AddLight(name, light);
}

Light* VEX_Light::StoredLight(int16_t index) {
    LightEntry* entry = slots_.Get(index);
    return entry ? entry->light.get() : nullptr;
}

void VEX_Light::SetType(int16_t index, LightType type) {
    if (Light* light = StoredLight(index)) light->type = type;
}
void VEX_Light::SetPosition(int16_t index, const Vector3& position) {
    if (Light* light = StoredLight(index)) light->position = position;
}
void VEX_Light::SetDirection(int16_t index, const Vector3& direction) {
    if (Light* light = StoredLight(index)) light->direction = direction;
}
void VEX_Light::SetDiffuse(int16_t index, float r, float g, float b) {
    if (Light* light = StoredLight(index)) light->diffuse = {r, g, b, 0};
}
void VEX_Light::SetAmbient(int16_t index, float r, float g, float b) {
    if (Light* light = StoredLight(index)) light->ambient = {r, g, b, 0};
}
void VEX_Light::SetSpecular(int16_t index, float r, float g, float b) {
    if (Light* light = StoredLight(index)) light->specular = {r, g, b, 0};
}
void VEX_Light::SetRangeAndFalloff(int16_t index, float range, float falloff) {
    if (Light* light = StoredLight(index)) light->range = range, light->falloff = falloff;
}
void VEX_Light::SetThetaAndPhi(int16_t index, float theta, float phi) {
    if (Light* light = StoredLight(index)) light->theta = theta, light->phi = phi;
}

void VEX_Light::EnableLight(int16_t index, bool on) {
    LightEntry* entry = slots_.Get(index);
    if (!entry) return;
    entry->enabled = on;
    if (Device* device = d3d_.device()) device->LightEnable(uint32_t(index), on);
}

void VEX_Light::ApplyLight(int16_t index) {
    LightEntry* entry = slots_.Get(index);
    Device* device = d3d_.device();
    if (!entry || !device) return;
    device->SetLight(uint32_t(index), *entry->light);
    device->LightEnable(uint32_t(index), entry->enabled);
}

void VEX_Light::ApplyAllLights() {
    for (int16_t i = 0; i < slots_.SlotsUsed(); ++i) ApplyLight(i);
}

int16_t VEX_Light::FindLight(const char* name) const {
    return slots_.FindNamed(name);
}

void VEX_Light::RemoveLight(int16_t index) {
    if (!slots_.IsValid(index)) return;
    // The device must not keep lighting with a light the list forgot; a new
    // light at this index starts switched off, as every added light does.
    if (Device* device = d3d_.device()) device->LightEnable(uint32_t(index), false);
    slots_.Remove(index);
}

bool VEX_Light::Clear() {
    for (int16_t i = 0; i < slots_.SlotsUsed(); ++i) RemoveLight(i);
    slots_.Clear();
    return true;
}
