#include "engine/services/engine_modules.h"

#include "engine/services/debug_log.h"

namespace {

constinit EngineModules* running = nullptr;

}  // namespace

EngineLifetime::EngineLifetime() {
    Log().Create();
    modules_ = std::make_unique<EngineModules>();
    running = modules_.get();
}

EngineLifetime::~EngineLifetime() {
    running = nullptr;
    modules_.reset();
    Log().CloseAtUnload();
}

EngineModules& Engine() { return *running; }
VEX_Resource& Resource() { return running->resource; }
