#include "scene/scene_window.h"

#include "engine/modules/engine_modules.h"

SceneWindow::~SceneWindow() {
    if (deviceStarted_) Direct3D().UseSystem(nullptr);
}

bool SceneWindow::StartDevice() {
    if (!ok()) return false;
    Direct3D().UseSystem(nullptr);  // the OpenGL one
    deviceStarted_ = Direct3D().Start({.window = window_.id(),
                                       .width = uint16_t(window_.width()),
                                       .height = uint16_t(window_.height())});
    return deviceStarted_;
}
