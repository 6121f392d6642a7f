// The OpenGL system: opens its own connection to the X display that holds
// the game window, offers the EGL configurations as depth formats, and
// creates the compatibility-profile context that draws into the window.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/gfx/gfx_formats.h"
#include "platform/gfx/gl/gl_context.h"
#include "platform/gfx/gl/gl_device.h"

namespace gfx {

GlDisplay::~GlDisplay() {
    if (egl != EGL_NO_DISPLAY) eglTerminate(egl);
    if (x) XCloseDisplay(x);
}

GlContext::~GlContext() {
    EGLDisplay egl = display->egl;
    eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT) eglDestroyContext(egl, context);
    if (surface != EGL_NO_SURFACE) eglDestroySurface(egl, surface);
}

namespace {

struct ColorBits {
    EGLint red, green, blue;
};

bool ColorBitsOf(Format format, ColorBits& bits) {
    if (format == kFormatX8R8G8B8 || format == kFormatA8R8G8B8) return bits = {8, 8, 8}, true;
    if (format == kFormatR5G6B5) return bits = {5, 6, 5}, true;
    return false;
}

class GlSystem final : public System {
public:
    explicit GlSystem(std::shared_ptr<GlDisplay> display) : display_(std::move(display)) {}

    Format DesktopFormat() override {
        return DefaultDepth(display_->x, DefaultScreen(display_->x)) == 16 ? kFormatR5G6B5
                                                                           : kFormatX8R8G8B8;
    }

    bool CheckDepthStencil(Format backBuffer, Format depthStencil) override {
        EGLConfig config;
        return FindConfig(backBuffer, depthStencil, config);
    }

    Result CreateDevice(const PresentParameters& parameters, VertexProcessing,
                        std::unique_ptr<Device>& device) override {
        // OpenGL has one vertex pipeline; both processing modes get it.
        EGLConfig config;
        const Format depth =
            parameters.autoDepthStencil ? parameters.depthStencilFormat : kFormatUnknown;
        if (!FindConfig(parameters.backBufferFormat, depth, config)) return Result::NotAvailable;
        auto context = std::make_shared<GlContext>();
        context->display = display_;
        EGLNativeWindowType window = parameters.window;
        context->surface = eglCreateWindowSurface(display_->egl, config, window, nullptr);
        if (context->surface == EGL_NO_SURFACE) return Result::NotAvailable;
        const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        context->context = eglCreateContext(display_->egl, config, EGL_NO_CONTEXT, attributes);
        if (context->context == EGL_NO_CONTEXT ||
            !eglMakeCurrent(display_->egl, context->surface, context->surface, context->context))
            return Result::NotAvailable;
        eglSwapInterval(display_->egl, parameters.verticalSync ? 1 : 0);
        device = CreateGlDevice(std::move(context), parameters);
        return device ? Result::Ok : Result::NotAvailable;
    }

    void FitWindow(WindowHandle window, uint32_t width, uint32_t height, bool fullScreen,
                   bool centre) override {
        // X11 windows have no frame of their own: the client area is the
        // window, so fitting is sizing it.
        Display* x = display_->x;
        if (fullScreen) {
            XMoveResizeWindow(x, window, 0, 0, width, height);
        } else if (centre) {
            const int screen = DefaultScreen(x);
            const int left = std::max(0, DisplayWidth(x, screen) / 2 - int(width) / 2);
            const int top = std::max(0, DisplayHeight(x, screen) / 2 - int(height) / 2);
            XMoveResizeWindow(x, window, left, top, width, height);
        } else {
            XResizeWindow(x, window, width, height);
        }
        XSync(x, False);
    }

private:
    // A window configuration whose colour, depth and stencil sizes are
    // exactly those of the formats (unknown depth: none).
    bool FindConfig(Format backBuffer, Format depthStencil, EGLConfig& found) const {
        ColorBits color;
        if (!ColorBitsOf(backBuffer, color)) return false;
        const EGLint depth = FormatDepthBits(depthStencil),
                     stencil = FormatStencilBits(depthStencil);
        if (depthStencil != kFormatUnknown && !IsDepthFormat(depthStencil)) return false;
        const EGLint wanted[] = {
            EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_RED_SIZE,
            color.red,        EGL_GREEN_SIZE, color.green,         EGL_BLUE_SIZE,  color.blue,
            EGL_DEPTH_SIZE,   depth,          EGL_STENCIL_SIZE,    stencil,        EGL_NONE};
        EGLint count = 0;
        if (!eglChooseConfig(display_->egl, wanted, nullptr, 0, &count) || count == 0) return false;
        std::vector<EGLConfig> configs(static_cast<size_t>(count));
        eglChooseConfig(display_->egl, wanted, configs.data(), count, &count);
        for (EGLConfig config : configs) {
            EGLint r, g, b, d, s, visual;
            eglGetConfigAttrib(display_->egl, config, EGL_RED_SIZE, &r);
            eglGetConfigAttrib(display_->egl, config, EGL_GREEN_SIZE, &g);
            eglGetConfigAttrib(display_->egl, config, EGL_BLUE_SIZE, &b);
            eglGetConfigAttrib(display_->egl, config, EGL_DEPTH_SIZE, &d);
            eglGetConfigAttrib(display_->egl, config, EGL_STENCIL_SIZE, &s);
            eglGetConfigAttrib(display_->egl, config, EGL_NATIVE_VISUAL_ID, &visual);
            if (r == color.red && g == color.green && b == color.blue && d == depth &&
                s == stencil && visual != 0) {
                found = config;
                return true;
            }
        }
        return false;
    }

    std::shared_ptr<GlDisplay> display_;
};

}  // namespace

std::unique_ptr<System> CreateOpenGLSystem() {
    auto display = std::make_shared<GlDisplay>();
    display->x = XOpenDisplay(nullptr);
    if (!display->x) return nullptr;
    // The X11 platform is a client extension; without it the native
    // display is taken for an X display anyway.
    display->egl = epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_EXT_platform_x11")
                       ? eglGetPlatformDisplayEXT(EGL_PLATFORM_X11_EXT, display->x, nullptr)
                       : eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(display->x));
    EGLint major = 0, minor = 0;
    if (display->egl == EGL_NO_DISPLAY || !eglInitialize(display->egl, &major, &minor) ||
        !eglBindAPI(EGL_OPENGL_API))
        return nullptr;
    return std::make_unique<GlSystem>(std::move(display));
}

}  // namespace gfx
