// platform/win32/win32_message_box.cpp: the box window: its text, an optional line to edit and its
// buttons, laid out in the system's message font at the scale of the screen it opens on.
#include "platform/win32/win32_message_box.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/message_box.h"
#include "platform/wide_text.h"
#include "platform/win32/win32_windows.h"
#include "platform/window.h"

// clang-format off
// The system's header comes after ours: it would turn the names ours share with it into macros.
#include <windows.h>
// clang-format on

namespace platform {

namespace {

const wchar_t* const BoxClass = L"TidewrackBox";
constexpr int EditId = 100;

struct Box {
    HWND handle = nullptr;
    HWND edit = nullptr;
    HFONT font = nullptr;
    unsigned type = MB_OK;
    int answer = IDOK;
    std::string text;
};

Box box;

// The answer of a box closed without a button (its close box, Escape): Cancel where it has one,
// No, or OK when that is all it has.
int ClosingAnswer(unsigned type) {
    return type == MB_YESNO ? IDNO : type == MB_OKCANCEL ? IDCANCEL : IDOK;
}

void Finish(int answer) {
    if (box.handle == nullptr) return;
    box.answer = answer;
    if (box.edit != nullptr && answer == IDOK) {
        const int length = GetWindowTextLengthW(box.edit);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(box.edit, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        box.text = Utf8FromWide(text);
    }
    HWND handle = box.handle;
    HWND owner = GetWindow(handle, GW_OWNER);
    box.handle = nullptr;
    box.edit = nullptr;
    // Input goes back to our windows before the box goes, so the system hands the activation to
    // the owner rather than to another program.
    WIN_EnableTopLevelWindows(true);
    DestroyWindow(handle);
    if (box.font != nullptr) DeleteObject(box.font);
    box.font = nullptr;
    if (owner != nullptr) SetForegroundWindow(owner);
}

LRESULT CALLBACK BoxProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                int answer = LOWORD(wParam);
                // Escape comes as Cancel: on a box without one it answers as the close box does.
                if (answer == IDCANCEL && box.type != MB_OKCANCEL) answer = ClosingAnswer(box.type);
                Finish(answer);
                return 0;
            }
            break;
        case DM_GETDEFID:
            return MAKELRESULT(box.type == MB_YESNO ? IDYES : IDOK, DC_HASDEFID);
        case WM_CLOSE:
            Finish(ClosingAnswer(box.type));
            return 0;
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        default:
            break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

void RegisterBoxClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW boxClass{};
    boxClass.cbSize = sizeof(boxClass);
    boxClass.lpfnWndProc = BoxProc;
    boxClass.hInstance = GetModuleHandleW(nullptr);
    boxClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    boxClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    boxClass.lpszClassName = BoxClass;
    // Owned by a window that may be a pop-up: the box must not share its class's double-clicks.
    boxClass.style = CS_HREDRAW | CS_VREDRAW;
    registered = RegisterClassExW(&boxClass) != 0;
}

// The main window when it is up (the box stands in front of it and is centred on it).
HWND OwnerWindow() {
    for (Window* window : TopLevelWindows()) {
        if (window->visible && (window->style & WS_CAPTION) == WS_CAPTION)
            return static_cast<HWND>(WIN_HandleOf(*window));
    }
    return nullptr;
}

struct Button {
    int id;
    const wchar_t* caption;
};

std::vector<Button> ButtonsOf(unsigned type) {
    if (type == MB_YESNO) return {{IDYES, L"&Yes"}, {IDNO, L"&No"}};
    if (type == MB_OKCANCEL) return {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
    return {{IDOK, L"OK"}};
}

HWND AddChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
              const RECT& at) {
    HWND child = CreateWindowExW(className == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0,
                                 className, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top,
                                 at.right - at.left, at.bottom - at.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(box.font), FALSE);
    return child;
}

}  // namespace

void WIN_OpenMessageBox(const std::string& text, const std::string& caption, unsigned type,
                        bool editable, const std::string& editText) {
    if (box.handle != nullptr) Finish(ClosingAnswer(box.type));  // one box at a time
    RegisterBoxClass();
    HWND owner = OwnerWindow();
    const UINT dpi = owner != nullptr ? GetDpiForWindow(owner) : GetDpiForSystem();
    const auto at = [dpi](int size) { return MulDiv(size, static_cast<int>(dpi), 96); };

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    box.font = CreateFontIndirectW(&metrics.lfMessageFont);
    box.type = type;
    box.answer = ClosingAnswer(type);
    box.text = editText;

    // The text's size, wrapped at a width that reads comfortably.
    const std::wstring wideText = WideFromUtf8(text);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, box.font);
    RECT textSize{0, 0, at(360), 0};
    DrawTextW(dc, wideText.c_str(), -1, &textSize, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);

    const std::vector<Button> buttons = ButtonsOf(type);
    const int margin = at(12);
    const int gap = at(8);
    const int buttonWidth = at(80);
    const int buttonHeight = std::max(at(24), static_cast<int>(tm.tmHeight) + at(10));
    const int editHeight = static_cast<int>(tm.tmHeight) + at(8);
    const int buttonsWidth = static_cast<int>(buttons.size()) * (buttonWidth + gap) - gap;
    const int innerWidth =
        std::max({static_cast<int>(textSize.right), buttonsWidth, editable ? at(280) : 0});
    const int textBottom = margin + textSize.bottom;
    const int editTop = textBottom + gap;
    const int buttonsTop = (editable ? editTop + editHeight : textBottom) + margin;
    RECT frame{0, 0, innerWidth + 2 * margin, buttonsTop + buttonHeight + margin};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectExForDpi(&frame, style, FALSE, WS_EX_DLGMODALFRAME, dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner != nullptr) GetWindowRect(owner, &around);
    const int left = around.left + (around.right - around.left - width) / 2;
    const int top = around.top + (around.bottom - around.top - height) / 2;

    const std::wstring title = WideFromUtf8(caption.empty() ? std::string("Error") : caption);
    box.handle = CreateWindowExW(WS_EX_DLGMODALFRAME, BoxClass, title.c_str(), style, left, top,
                                 width, height, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (box.handle == nullptr) return;
    AddChild(box.handle, L"STATIC", wideText.c_str(), SS_LEFT | SS_NOPREFIX, -1,
             RECT{margin, margin, margin + innerWidth, textBottom});
    if (editable) {
        box.edit = AddChild(box.handle, L"EDIT", WideFromUtf8(editText).c_str(),
                            WS_TABSTOP | ES_AUTOHSCROLL, EditId,
                            RECT{margin, editTop, margin + innerWidth, editTop + editHeight});
    }
    int buttonLeft = margin + innerWidth - buttonsWidth;
    HWND first = nullptr;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const DWORD buttonStyle = WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = AddChild(
            box.handle, L"BUTTON", buttons[i].caption, buttonStyle, buttons[i].id,
            RECT{buttonLeft, buttonsTop, buttonLeft + buttonWidth, buttonsTop + buttonHeight});
        if (first == nullptr) first = button;
        buttonLeft += buttonWidth + gap;
    }
    // Every other window of ours waits for the answer, as behind the classic desktop's box.
    WIN_EnableTopLevelWindows(false);
    ShowWindow(box.handle, SW_SHOW);
    SetForegroundWindow(box.handle);
    if (box.edit != nullptr) {
        SetFocus(box.edit);
        SendMessageW(box.edit, EM_SETSEL, 0, -1);
    } else {
        SetFocus(first);
    }
}

bool WIN_MessageBoxUp() { return box.handle != nullptr; }

int WIN_MessageBoxAnswer() { return box.answer; }

std::string WIN_MessageBoxText() { return box.text; }

bool WIN_IsMessageBoxMessage(void* message) {
    return box.handle != nullptr && IsDialogMessageW(box.handle, static_cast<MSG*>(message));
}

}  // namespace platform
