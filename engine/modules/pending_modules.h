// Engine modules whose own work (fonts, sprites) lands in their own
// folders. Until then each one is present
// in the load order with exactly its life-cycle lines in the log, so the
// log already reads as the finished engine's will.
#pragma once

#include "base/debug_log.h"
#include "base/memory_tracker.h"

// Writes "Iniciando <name>: Ok." when constructed (for modules that announce
// their start) and "Finalizando <name>: Ok." when destroyed.
class ModuleLifeLines {
public:
    enum Start { kSilentStart, kLoggedStart };

    ModuleLifeLines(const char* name, Start start) : name_(name) {
        if (start == kSilentStart) return;
        Log().ModuleStarting(name_);
        Log().ReportOk();
    }
    ~ModuleLifeLines() {
        Log().ModuleFinishing(name_);
        Log().ReportOk();
    }
    ModuleLifeLines(const ModuleLifeLines&) = delete;
    ModuleLifeLines& operator=(const ModuleLifeLines&) = delete;

private:
    const char* name_;
};

#define VEX_PENDING_MODULE(Name, start)                        \
    class Name : public TrackedObject {                        \
        ModuleLifeLines lines_{#Name, ModuleLifeLines::start}; \
    }

VEX_PENDING_MODULE(VEX_GDIFont, kSilentStart);
VEX_PENDING_MODULE(VEX_Sprite, kLoggedStart);
VEX_PENDING_MODULE(VEX_Font, kLoggedStart);

#undef VEX_PENDING_MODULE
