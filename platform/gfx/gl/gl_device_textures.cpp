// The OpenGL device's texture stages: the textures bound to them, their
// combiners on OpenGL's combine environment, and their sampler objects.
#include <algorithm>

#include "platform/gfx/gl/gl_device_impl.h"
#include "platform/gfx/gl/gl_texture.h"

namespace gfx {

namespace {

GLenum AddressOf(uint32_t address) {
    switch (address) {
        case kTaddressMirror:
            return GL_MIRRORED_REPEAT;
        case kTaddressClamp:
            return GL_CLAMP_TO_EDGE;
        default:
            return GL_REPEAT;
    }
}

GLenum SourceOf(uint32_t stage, uint32_t arg) {
    switch (arg & 0xF) {
        case kTaDiffuse:
            return GL_PRIMARY_COLOR;
        case kTaTexture:
            return GL_TEXTURE;
        case kTaTFactor:
            return GL_CONSTANT;
        default:
            return stage == 0 ? GL_PRIMARY_COLOR : GL_PREVIOUS;
    }
}

// One combiner function, for colour or alpha.
void Combine(uint32_t stage, GLenum combine, GLenum source0, GLenum source1, GLenum scale,
             uint32_t op, uint32_t arg1, uint32_t arg2) {
    GLenum function = GL_MODULATE;
    float factor = 1.0f;
    GLenum a = SourceOf(stage, arg1), b = SourceOf(stage, arg2);
    switch (op) {
        case kTopSelectArg1:
            function = GL_REPLACE;
            break;
        case kTopSelectArg2:
            function = GL_REPLACE, a = b;
            break;
        case kTopModulate2x:
            factor = 2.0f;
            break;
        case kTopAdd:
            function = GL_ADD;
            break;
        case kTopModulate:
            break;
        default:
            function = GL_REPLACE, a = SourceOf(stage, kTaCurrent);
            break;  // passes the colour on
    }
    glTexEnvi(GL_TEXTURE_ENV, combine, GLint(function));
    glTexEnvi(GL_TEXTURE_ENV, source0, GLint(a));
    glTexEnvi(GL_TEXTURE_ENV, source1, GLint(b));
    glTexEnvf(GL_TEXTURE_ENV, scale, factor);
}

// Whether a white texture leaves this combiner's input as it is.
bool WhiteIsNeutral(uint32_t stage, uint32_t op, uint32_t arg1, uint32_t arg2) {
    auto current = [stage](uint32_t arg) {
        arg &= 0xF;
        return arg == kTaCurrent || (stage == 0 && arg == kTaDiffuse);
    };
    auto texture = [](uint32_t arg) { return (arg & 0xF) == kTaTexture; };
    switch (op) {
        case kTopModulate:
            return (texture(arg1) && current(arg2)) || (current(arg1) && texture(arg2));
        case kTopSelectArg1:
            return current(arg1);
        case kTopSelectArg2:
            return current(arg2);
        default:
            return false;
    }
}

}  // namespace

void GlDevice::SetTextureStageState(uint32_t stage, StageState state, uint32_t value) {
    if (stage >= kStageCount || state >= kStageStateCount) return;
    stageStates_[stage][state] = value;
    const GLuint sampler = samplers_[stage];
    const auto& ss = stageStates_[stage];
    switch (state) {
        case kTssAddressU:
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GLint(AddressOf(value)));
            break;
        case kTssAddressV:
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GLint(AddressOf(value)));
            break;
        case kTssMagFilter:
        case kTssMinFilter:
        case kTssMipFilter:
        case kTssMaxAnisotropy: {
            const bool magLinear = ss[kTssMagFilter] >= kTexfLinear;
            const bool minLinear = ss[kTssMinFilter] >= kTexfLinear;
            GLenum min = minLinear ? GL_LINEAR : GL_NEAREST;
            if (ss[kTssMipFilter] == kTexfPoint)
                min = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
            if (ss[kTssMipFilter] >= kTexfLinear)
                min = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
            glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
            glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GLint(min));
            if (caps_.rasterCaps & Caps::kAnisotropy) {
                const bool anisotropic =
                    ss[kTssMinFilter] == kTexfAnisotropic || ss[kTssMagFilter] == kTexfAnisotropic;
                const float amount =
                    anisotropic ? float(std::clamp(ss[kTssMaxAnisotropy], 1u, caps_.maxAnisotropy))
                                : 1.0f;
                glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY, amount);
            }
            break;
        }
        case kTssMaxMipLevel:
            glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, float(value));
            break;
        default:
            stagesDirty_ = true;
            break;
    }
}

void GlDevice::SetTexture(uint32_t stage, Texture* texture) {
    if (stage >= kStageCount) return;
    textures_[stage] = static_cast<GlTexture*>(texture);
    stagesDirty_ = true;
}

uint32_t GlDevice::GetTextureStageState(uint32_t stage, StageState state) const {
    return stage < kStageCount && state < kStageStateCount ? stageStates_[stage][state] : 0;
}

Texture* GlDevice::GetTexture(uint32_t stage) const {
    return stage < kStageCount ? textures_[stage] : nullptr;
}

Result GlDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t levels, Format format,
                               std::unique_ptr<Texture>& texture) {
    if (width == 0 || height == 0 || width > caps_.maxTextureSize || height > caps_.maxTextureSize)
        return Result::InvalidCall;
    auto created = std::make_unique<GlTexture>(context_);
    if (!created->Create(width, height, levels, format)) return Result::InvalidCall;
    texture = std::move(created);
    return Result::Ok;
}

void GlDevice::ApplyStages() {
    float factor[4];
    ColorOf(renderStates_[kRsTextureFactor], factor);
    bool enabled = true;
    for (uint32_t stage = 0; stage < kStageCount; ++stage) {
        const auto& ss = stageStates_[stage];
        glActiveTexture(GL_TEXTURE0 + stage);
        // A disabled stage ends the cascade.
        enabled = enabled && ss[kTssColorOp] != kTopDisable;
        stageOn_[stage] = enabled;
        if (!enabled) {
            glDisable(GL_TEXTURE_2D);
            glBindSampler(stage, 0);
            continue;
        }
        if (!textures_[stage] &&
            WhiteIsNeutral(stage, ss[kTssColorOp], ss[kTssColorArg1], ss[kTssColorArg2]) &&
            WhiteIsNeutral(stage, ss[kTssAlphaOp], ss[kTssAlphaArg1], ss[kTssAlphaArg2])) {
            glDisable(GL_TEXTURE_2D);
            glBindSampler(stage, 0);
            stageOn_[stage] = false;
            continue;
        }
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, textures_[stage] ? textures_[stage]->name() : white_);
        glBindSampler(stage, samplers_[stage]);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
        Combine(stage, GL_COMBINE_RGB, GL_SRC0_RGB, GL_SRC1_RGB, GL_RGB_SCALE, ss[kTssColorOp],
                ss[kTssColorArg1], ss[kTssColorArg2]);
        Combine(stage, GL_COMBINE_ALPHA, GL_SRC0_ALPHA, GL_SRC1_ALPHA, GL_ALPHA_SCALE,
                ss[kTssAlphaOp], ss[kTssAlphaArg1], ss[kTssAlphaArg2]);
    }
    glActiveTexture(GL_TEXTURE0);
    stagesDirty_ = false;
}

}  // namespace gfx
