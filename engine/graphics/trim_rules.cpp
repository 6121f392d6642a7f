#include "engine/graphics/trim_rules.h"

#include "platform/gfx/gfx_device.h"

using namespace gfx;

namespace {

// Whether an alpha test with this function and reference drops alpha 0.
bool TestDropsZero(uint32_t function, uint32_t reference) {
    reference &= 255;  // alpha is compared in 8 bits
    switch (function) {
        case kCmpNever:
        case kCmpGreater:
            return true;
        case kCmpLess:
        case kCmpNotEqual:
            return reference == 0;
        case kCmpEqual:
        case kCmpGreaterEqual:
            return reference != 0;
        default:
            return false;
    }
}

bool ZeroAlphaChangesNothing(const Device& device) {
    if (device.GetRenderState(kRsAlphaTestEnable) &&
        TestDropsZero(device.GetRenderState(kRsAlphaFunc), device.GetRenderState(kRsAlphaRef)))
        return true;
    const bool blendedByAlpha = device.GetRenderState(kRsAlphaBlendEnable) &&
                                device.GetRenderState(kRsSrcBlend) == kBlendSrcAlpha &&
                                device.GetRenderState(kRsDestBlend) == kBlendInvSrcAlpha;
    const bool writesDepth = device.GetRenderState(kRsZEnable) != kZbFalse &&
                             device.GetRenderState(kRsZWriteEnable) != 0;
    return blendedByAlpha && !writesDepth && !device.GetRenderState(kRsStencilEnable);
}

// Whether a stage's alpha is 0 whenever the argument is.
bool StageKeepsZeroOf(const Device& device, uint32_t stage, uint32_t argument) {
    const uint32_t arg1 = device.GetTextureStageState(stage, kTssAlphaArg1);
    const uint32_t arg2 = device.GetTextureStageState(stage, kTssAlphaArg2);
    switch (device.GetTextureStageState(stage, kTssAlphaOp)) {
        case kTopSelectArg1:
            return arg1 == argument;
        case kTopSelectArg2:
            return arg2 == argument;
        case kTopModulate:
        case kTopModulate2x:
            return arg1 == argument || arg2 == argument;
        default:
            return false;
    }
}

}  // namespace

TrimRules CurrentTrimRules(const Device& device) {
    if (!ZeroAlphaChangesNothing(device)) return {};
    // A second stage in use must pass a 0 from the first one on.
    if (device.GetTextureStageState(1, kTssColorOp) != kTopDisable &&
        !StageKeepsZeroOf(device, 1, kTaCurrent))
        return {};
    const bool anisotropic = (device.GetTextureStageState(0, kTssMinFilter) == kTexfAnisotropic ||
                              device.GetTextureStageState(0, kTssMagFilter) == kTexfAnisotropic) &&
                             device.GetTextureStageState(0, kTssMaxAnisotropy) > 1;
    return {StageKeepsZeroOf(device, 0, kTaTexture), StageKeepsZeroOf(device, 0, kTaDiffuse),
            anisotropic};
}
