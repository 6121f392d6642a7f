// The OpenGL side's shared handles: the X display connection with its EGL
// display, and the one context with its window surface. Textures hold the
// context so that a texture released after its device still finds the
// context it was made in.
#pragma once

#include <epoxy/egl.h>

#include <memory>

typedef struct _XDisplay Display;

namespace gfx {

struct GlDisplay {
    Display* x = nullptr;
    EGLDisplay egl = EGL_NO_DISPLAY;
    ~GlDisplay();
};

struct GlContext {
    std::shared_ptr<GlDisplay> display;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;
    ~GlContext();
};

}  // namespace gfx
