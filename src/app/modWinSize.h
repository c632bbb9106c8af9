#pragma once

#include <cstdint>

class QWidget;

// The window's minimum-size hook.
extern uint32_t PrevWndProc;
extern uint32_t HookedWindow;
extern float MinWidth;
extern float MinHeight;

void HookWindow();
void UnhookWindow();

// The 32-bit handle of a top-level window (registered on first use); 0 for none.
uint32_t WindowHandle(QWidget* window);
