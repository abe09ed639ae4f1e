// shell/board_painting.cpp: minimal stand-in until the painter is written.
#include "shell/board_painting.h"

#include "platform/drawing/drawing.h"
#include "platform/repaint.h"
#include "platform/screen.h"

namespace shell {

void PaintBoard(platform::Window* window) {
    platform::PaintStruct paint;
    platform::DeviceContext* dc = platform::BeginPaint(window, &paint);
    if (dc == nullptr) return;
    platform::FillRect(dc, dc->DrawableArea(), platform::GetSysColor(platform::COLOR_BACKGROUND));
    platform::EndPaint(window, &paint);
}

}  // namespace shell
