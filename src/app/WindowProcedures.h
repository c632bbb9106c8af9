#pragma once

#include <cstdint>

class QWidget;

namespace quillax {

// Window procedures as the window system keeps them: every registered top-level window has a
// 32-bit handle and a current procedure, and every event of the window is sent through that
// procedure before the toolkit handles it. Parameters are as wide as a pointer, so that a message
// can carry the address of its record.
using WNDPROC = intptr_t (*)(uint32_t hWnd, uint32_t uMsg, intptr_t wParam, intptr_t lParam);

inline constexpr int32_t GWL_WNDPROC = -4;
// The size query, sent whenever the window is shown or sized; lParam is the address of a
// MINMAXINFO filled with the platform's sizes.
inline constexpr uint32_t WM_GETMINMAXINFO = 0x24;
// Every other event reaches the procedure as WM_APP + its type, with its address in lParam; a
// result other than 0 means the procedure consumed it.
inline constexpr uint32_t WM_APP = 0x8000;

// The handle of a top-level window, registered on first use; 0 for none. Handles are not reused.
uint32_t WindowHandle(QWidget* window);
// The live window of a handle, or nullptr.
QWidget* WindowFromHandle(uint32_t hWnd);

// The 32-bit value that stands for a procedure in GWL_WNDPROC.
int32_t ProcedureValue(WNDPROC procedure);

// Only GWL_WNDPROC is kept; anything else, or an unknown handle, reads as 0 and is not written.
int32_t GetWindowLongA(uint32_t hWnd, int32_t index);
// Returns the previous value.
int32_t SetWindowLongA(uint32_t hWnd, int32_t index, int32_t newLong);
// Calls the procedure that the value stands for; an unknown value returns 0.
intptr_t CallWindowProcA(int32_t procedure, uint32_t hWnd, uint32_t uMsg, intptr_t wParam, intptr_t lParam);
// Every window's own procedure: the platform's sizes stand and the toolkit handles every event.
intptr_t DefWindowProcA(uint32_t hWnd, uint32_t uMsg, intptr_t wParam, intptr_t lParam);

} // namespace quillax
