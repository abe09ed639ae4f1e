// windows/instructions_viewer.cpp: the "TextScroll" window: "instruct.txt" line by line, the two
// title lines centred, scrolled by its scroll bar, the keys of a text viewer and the wheel.
#include "windows/instructions_viewer.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "platform/drawing/drawing.h"
#include "platform/messages.h"
#include "platform/repaint.h"
#include "platform/screen.h"
#include "platform/scroll_bars.h"
#include "platform/virtual_keys.h"
#include "resources/resource_ids.h"
#include "windows/instruction_lines.h"

namespace windows {

using namespace platform;

namespace {

constexpr char ViewerClassName[] = "TextScroll";
constexpr char ViewerTitle[] = "Tidewrack Instructions";
constexpr char InstructionsFile[] = "instruct.txt";
constexpr int ViewerWidth = 640;
constexpr int ViewerHeight = 480;
constexpr int TitleLineCount = 2;
constexpr int TextLeft = 10;
constexpr int LinesPerWheelNotch = 3;

// Each open viewer has its own lines, so closing one never takes the text away from another.
struct ViewerState {
    InstructionLines instructionLines;
    int lineHeight = 1;
    int clientHeight = 0;
    // What the wheel turned by that did not yet make a whole line: a touchpad turns in small steps.
    int wheelTurn = 0;

    int LastLineIndex() const { return static_cast<int>(instructionLines.size()) - 1; }
};

std::map<const Window*, ViewerState>& Viewers() {
    static std::map<const Window*, ViewerState> viewers;
    return viewers;
}

ViewerState* StateOf(const Window* window) {
    auto found = Viewers().find(window);
    return found == Viewers().end() ? nullptr : &found->second;
}

void OnCreate(Window* window) {
    ViewerState state;
    DeviceContext* dc = GetDC(window);
    TextMetrics metrics;
    if (GetTextMetrics(dc, &metrics)) {
        // Never 0: the line height divides positions and the page.
        state.lineHeight = std::max(1, metrics.height + metrics.externalLeading);
    }
    ReleaseDC(window, dc);
    // A file that can be neither opened nor created (a read-only data folder) leaves the viewer
    // empty, without a word.
    if (auto lines = ReadInstructionsFile(InstructionsFile)) {
        state.instructionLines = std::move(*lines);
    }
    Viewers()[window] = std::move(state);
}

void OnSize(Window* window, ViewerState& state, LPARAM lParam) {
    state.clientHeight = HighWord(static_cast<std::uint64_t>(lParam));
    ScrollBarInfo info;
    info.mask = SIF_RANGE | SIF_PAGE;
    info.min = 0;
    info.max = state.LastLineIndex();
    info.page = state.clientHeight / state.lineHeight;
    SetScrollInfo(window, SB_VERT, &info, true);
}

int RequestedPosition(int request, const ScrollBarInfo& info) {
    switch (request) {
        case SB_LINEUP:
            return info.pos - 1;
        case SB_LINEDOWN:
            return info.pos + 1;
        case SB_PAGEUP:
            return info.pos - info.page;
        case SB_PAGEDOWN:
            return info.pos + info.page;
        case SB_THUMBTRACK:
            return info.trackPos;
        case SB_TOP:
            return info.min;
        case SB_BOTTOM:
            return info.max;
        default:
            return info.pos;  // SB_THUMBPOSITION too: tracking has already moved the text
    }
}

void ScrollTo(Window* window, const ViewerState& state, int oldPosition, int wanted) {
    ScrollBarInfo info;
    info.mask = SIF_POS;
    info.pos = wanted;
    SetScrollInfo(window, SB_VERT, &info, true);
    // The scroll bar keeps the position in range; only what it settled on counts.
    const int newPosition = GetScrollPos(window, SB_VERT);
    if (newPosition == oldPosition) return;
    ScrollWindow(window, 0, (oldPosition - newPosition) * state.lineHeight);
    UpdateWindow(window);
}

void OnVerticalScroll(Window* window, const ViewerState& state, int request) {
    ScrollBarInfo info;
    info.mask = SIF_ALL;
    GetScrollInfo(window, SB_VERT, &info);
    ScrollTo(window, state, info.pos, RequestedPosition(request, info));
}

// The keys of a text viewer ask what the scroll bar's parts ask; Escape closes the viewer, also
// where no window manager draws a close box.
void OnKeyDown(Window* window, const ViewerState& state, WPARAM key) {
    switch (key) {
        case VK_UP:
            return OnVerticalScroll(window, state, SB_LINEUP);
        case VK_DOWN:
            return OnVerticalScroll(window, state, SB_LINEDOWN);
        case VK_PRIOR:
            return OnVerticalScroll(window, state, SB_PAGEUP);
        case VK_NEXT:
            return OnVerticalScroll(window, state, SB_PAGEDOWN);
        case VK_HOME:
            return OnVerticalScroll(window, state, SB_TOP);
        case VK_END:
            return OnVerticalScroll(window, state, SB_BOTTOM);
        case VK_ESCAPE:
            SendMessage(window, WM_CLOSE, 0, 0);
            return;
        default:
            return;
    }
}

void OnMouseWheel(Window* window, ViewerState& state, WPARAM wParam) {
    state.wheelTurn += static_cast<std::int16_t>(HighWord(wParam));
    const int lines = state.wheelTurn * LinesPerWheelNotch / WHEEL_DELTA;
    if (lines == 0) return;
    state.wheelTurn -= lines * WHEEL_DELTA / LinesPerWheelNotch;
    const int position = GetScrollPos(window, SB_VERT);
    // A turn away from the player goes back up the text.
    ScrollTo(window, state, position, position - lines);
}

void OnPaint(Window* window, const ViewerState& state) {
    PaintStruct paint;
    DeviceContext* dc = BeginPaint(window, &paint);
    const int position = GetScrollPos(window, SB_VERT);
    const int first = std::max(0, position + paint.paint.top / state.lineHeight);
    const int last =
        std::min(state.LastLineIndex(), position + paint.paint.bottom / state.lineHeight);
    Rect client;
    GetClientRect(window, &client);
    for (int i = first; i <= last; ++i) {
        const int y = state.lineHeight * (i - position);
        // A line is shown up to its first NUL byte, as text of the classic kind ends there.
        const std::string_view text(state.instructionLines[static_cast<std::size_t>(i)].c_str());
        if (i < TitleLineCount) {
            SetTextAlign(dc, TA_CENTER | TA_TOP);
            TextOut(dc, client.Width() / 2, y, text);
        } else {
            SetTextAlign(dc, TA_LEFT | TA_TOP);
            TextOut(dc, TextLeft, y, text);
        }
    }
    EndPaint(window, &paint);
}

}  // namespace

LRESULT InstructionsViewerProc(Window* window, std::uint32_t message, WPARAM wParam,
                               LPARAM lParam) {
    if (message == WM_CREATE) {
        OnCreate(window);
        return 0;
    }
    ViewerState* state = StateOf(window);
    if (state == nullptr) return DefWindowProc(window, message, wParam, lParam);
    switch (message) {
        case WM_SIZE:
            OnSize(window, *state, lParam);
            return 0;
        case WM_VSCROLL:
            OnVerticalScroll(window, *state, LowWord(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            OnMouseWheel(window, *state, wParam);
            return 0;
        case WM_PAINT:
            OnPaint(window, *state);
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(window, *state, wParam);
            return 0;
        case WM_DESTROY:
            Viewers().erase(window);
            return 0;
        default:
            return DefWindowProc(window, message, wParam, lParam);
    }
}

bool OpenInstructionsViewer(Window* owner, const ModuleResources* instance) {
    WindowClass viewerClass;
    viewerClass.name = ViewerClassName;
    viewerClass.style = 0;
    viewerClass.procedure = InstructionsViewerProc;
    viewerClass.instance = instance;
    viewerClass.iconId = resources::IDI_TIDEWRACK;
    viewerClass.hasBackground = true;
    viewerClass.background = Rgb(255, 255, 255);
    RegisterClassEx(viewerClass);  // a repeat fails harmlessly; the first registration stays

    const int left = GetSystemMetrics(SM_CXSCREEN) / 2 - ViewerWidth / 2;
    const int top = GetSystemMetrics(SM_CYSCREEN) / 2 - ViewerHeight / 2;
    Window* viewer =
        CreateWindowEx(0, ViewerClassName, ViewerTitle, WS_CAPTION | WS_SYSMENU | WS_VSCROLL, left,
                       top, ViewerWidth, ViewerHeight, owner, 0, instance);
    if (viewer == nullptr) return false;
    ShowWindow(viewer, SW_SHOWNORMAL);
    UpdateWindow(viewer);
    return true;
}

}  // namespace windows
