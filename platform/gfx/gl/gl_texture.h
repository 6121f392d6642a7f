// A managed texture backed by an OpenGL texture object: the system-memory
// copy is the master, and each unlocked level is sent again.
#pragma once

#include <epoxy/gl.h>

#include <memory>

#include "platform/gfx/gfx_texture.h"

namespace gfx {

struct GlContext;

// How a format's texels travel to OpenGL; false for formats it cannot take.
struct GlPixelFormat {
    GLint internalFormat;
    GLenum format, type;
};
bool GlPixelFormatOf(Format format, GlPixelFormat& pixel);

class GlTexture final : public Texture {
public:
    explicit GlTexture(std::shared_ptr<GlContext> context) : context_(std::move(context)) {}
    ~GlTexture() override;
    bool Create(uint32_t width, uint32_t height, uint32_t levels, Format format);
    GLuint name() const { return name_; }

private:
    void Upload(uint32_t level) override;

    std::shared_ptr<GlContext> context_;
    GLuint name_ = 0;
    GlPixelFormat pixel_{};
};

}  // namespace gfx
