#include "app/WindowProcedures.h"

#include "app/WindowMessageFilter.h"

#include <QPointer>
#include <QWidget>

#include <vector>

namespace quillax {

namespace {
struct WindowEntry {
    QPointer<QWidget> Window;
    int32_t Procedure = 0;
};

std::vector<WindowEntry>& Windows() {
    static std::vector<WindowEntry> windows;
    return windows;
}

std::vector<WNDPROC>& Procedures() {
    static std::vector<WNDPROC> procedures;
    return procedures;
}

WindowEntry* EntryOf(uint32_t hWnd) {
    if (hWnd == 0 || hWnd > Windows().size() || Windows()[hWnd - 1].Window.isNull()) {
        return nullptr;
    }
    return &Windows()[hWnd - 1];
}
} // namespace

uint32_t WindowHandle(QWidget* window) {
    if (window == nullptr) {
        return 0;
    }
    for (size_t i = 0; i < Windows().size(); ++i) {
        if (Windows()[i].Window == window) {
            return static_cast<uint32_t>(i + 1);
        }
    }
    Windows().push_back({window, ProcedureValue(DefWindowProcA)});
    const auto handle = static_cast<uint32_t>(Windows().size());
    window->installEventFilter(new WindowMessageFilter(handle, window));
    return handle;
}

QWidget* WindowFromHandle(uint32_t hWnd) {
    const WindowEntry* entry = EntryOf(hWnd);
    return entry != nullptr ? entry->Window.data() : nullptr;
}

int32_t ProcedureValue(WNDPROC procedure) {
    for (size_t i = 0; i < Procedures().size(); ++i) {
        if (Procedures()[i] == procedure) {
            return static_cast<int32_t>(i + 1);
        }
    }
    Procedures().push_back(procedure);
    return static_cast<int32_t>(Procedures().size());
}

int32_t GetWindowLongA(uint32_t hWnd, int32_t index) {
    const WindowEntry* entry = EntryOf(hWnd);
    return entry != nullptr && index == GWL_WNDPROC ? entry->Procedure : 0;
}

int32_t SetWindowLongA(uint32_t hWnd, int32_t index, int32_t newLong) {
    WindowEntry* entry = EntryOf(hWnd);
    if (entry == nullptr || index != GWL_WNDPROC) {
        return 0;
    }
    const int32_t previous = entry->Procedure;
    entry->Procedure = newLong;
    return previous;
}

intptr_t CallWindowProcA(int32_t procedure, uint32_t hWnd, uint32_t uMsg, intptr_t wParam, intptr_t lParam) {
    if (procedure <= 0 || static_cast<size_t>(procedure) > Procedures().size()) {
        return 0;
    }
    return Procedures()[static_cast<size_t>(procedure) - 1](hWnd, uMsg, wParam, lParam);
}

intptr_t DefWindowProcA(uint32_t, uint32_t, intptr_t, intptr_t) {
    return 0;
}

} // namespace quillax
