// What the core asks of the window: everything it shows, with no logic of its
// own. The Qt main window implements it; tests and the headless peer use
// HeadlessView.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// A piece of a chat line in one colour and weight. The text is plain text:
// the view must show it literally, never as markup.
struct ChatRun {
    QString text;
    uint32_t rgb = 0x000000;
    bool bold = false;
};
using ChatLine = std::vector<ChatRun>;

constexpr uint32_t kBoxSilver = 0xC0C0C0;
constexpr uint32_t kBoxGreen = 0x00FF00;
constexpr uint32_t kBoxRed = 0xFF0000;
// Green's side in the colour-blind-safe disc look; red's stays red.
constexpr uint32_t kBoxBlue = 0x4A8CFF;

class FrontendView {
public:
    virtual ~FrontendView() = default;

#define FRONTEND_VIEW_CALL(result, name, parameters) virtual result name parameters = 0;
#include "frontend/view/frontend_view_calls.h"
#undef FRONTEND_VIEW_CALL
};

