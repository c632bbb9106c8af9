#include "modWinSize.h"

#include <QWidget>

#include <vector>

uint32_t PrevWndProc = 0;
uint32_t HookedWindow = 0;
float MinWidth = 0;
float MinHeight = 0;

namespace {
std::vector<QWidget*> Windows;
}

uint32_t WindowHandle(QWidget* window) {
    for (size_t i = 0; i < Windows.size(); ++i) {
        if (Windows[i] == window) {
            return static_cast<uint32_t>(i + 1);
        }
    }
    Windows.push_back(window);
    return static_cast<uint32_t>(Windows.size());
}

void HookWindow() {
    if (PrevWndProc != 0) {
        return;
    }
    PrevWndProc = HookedWindow;
}

void UnhookWindow() {
    PrevWndProc = 0;
}
