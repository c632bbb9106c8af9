#include "app/modWinSize.h"

#include "app/MinMaxInfo.h"

#include <cstring>

namespace quillax {

uint32_t PrevWndProc = 0;
uint32_t HookedWindow = 0;
float MinWidth = 0;
float MinHeight = 0;

void HookWindow() {
    if (PrevWndProc != 0) {
        return;
    }
    PrevWndProc = static_cast<uint32_t>(GetWindowLongA(HookedWindow, GWL_WNDPROC));
    SetWindowLongA(HookedWindow, GWL_WNDPROC, ProcedureValue(SizeHookProc));
}

void UnhookWindow() {
    if (PrevWndProc == 0) {
        return;
    }
    SetWindowLongA(HookedWindow, GWL_WNDPROC, static_cast<int32_t>(PrevWndProc));
    PrevWndProc = 0;
}

intptr_t SizeHookProc(uint32_t hWnd, uint32_t uMsg, intptr_t wParam, intptr_t lParam) {
    if (uMsg != WM_GETMINMAXINFO) {
        return CallWindowProcA(static_cast<int32_t>(PrevWndProc), hWnd, uMsg, wParam, lParam);
    }
    MINMAXINFO info;
    std::memcpy(&info, reinterpret_cast<const void*>(lParam), sizeof info);
    AnswerMinMaxInfo(info, MinWidth, MinHeight);
    std::memcpy(reinterpret_cast<void*>(lParam), &info, sizeof info);
    return 1;
}

} // namespace quillax
