#pragma once

#include "app/WindowProcedures.h"

#include <cstdint>

namespace quillax {

// The window's minimum-size hook: SizeHookProc stands in front of the hooked window's procedure
// and answers its size query from MinWidth and MinHeight (outer size in pixels, read afresh at
// every query; 0 or below means no minimum).
extern uint32_t PrevWndProc;
extern uint32_t HookedWindow;
extern float MinWidth;
extern float MinHeight;

void HookWindow();
void UnhookWindow();
intptr_t SizeHookProc(uint32_t hWnd, uint32_t uMsg, intptr_t wParam, intptr_t lParam);

} // namespace quillax
