#include "app/MinMaxInfo.h"
#include "app/modWinSize.h"

#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace quillax {

namespace {
struct Message {
    uint32_t hWnd = 0;
    uint32_t uMsg = 0;
    intptr_t wParam = 0;
    intptr_t lParam = 0;
};
std::vector<Message> Received;

intptr_t RecordingProc(uint32_t hWnd, uint32_t uMsg, intptr_t wParam, intptr_t lParam) {
    Received.push_back({hWnd, uMsg, wParam, lParam});
    return 77;
}

// A plain top-level window with the hook's globals set as the editor sets them.
class WinSizeHookTest : public ::testing::Test {
protected:
    WinSizeHookTest() {
        Window.resize(800, 600);
        Handle = WindowHandle(&Window);
        HookedWindow = Handle;
        MinWidth = 712;
        MinHeight = 481;
        Received.clear();
    }
    ~WinSizeHookTest() override { UnhookWindow(); }

    QSize OuterSize() const { return Window.frameGeometry().size(); }
    intptr_t SizeQuery(MINMAXINFO& info) const {
        return SizeHookProc(Handle, WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info));
    }

    QWidget Window;
    uint32_t Handle = 0;
};
} // namespace

TEST_F(WinSizeHookTest, TheSizeQueryAnswersTheMinimumsRoundedHalfToEven) {
    MINMAXINFO info{{0, 0}, {1280, 1000}, {0, 0}, {136, 39}, {1292, 1036}};
    MinHeight = 480.5f;
    EXPECT_EQ(SizeQuery(info), 1);
    EXPECT_EQ(info.ptMinTrackSize.x, 712);
    EXPECT_EQ(info.ptMinTrackSize.y, 480);
    EXPECT_EQ(info.ptMaxTrackSize.y, 1036);
    MinHeight = 481.5f;
    SizeQuery(info);
    EXPECT_EQ(info.ptMinTrackSize.y, 482);
    MinWidth = 0;
    MinHeight = -3;
    info.ptMinTrackSize = {136, 39};
    SizeQuery(info);
    EXPECT_EQ(info.ptMinTrackSize.x, 136);
    EXPECT_EQ(info.ptMinTrackSize.y, 39);
}

TEST_F(WinSizeHookTest, OtherMessagesReachThePreviousProcedureUnchanged) {
    SetWindowLongA(Handle, GWL_WNDPROC, ProcedureValue(RecordingProc));
    HookWindow();
    EXPECT_EQ(GetWindowLongA(Handle, GWL_WNDPROC), ProcedureValue(SizeHookProc));
    EXPECT_EQ(SizeHookProc(Handle, 0x000F, 5, -6), 77);
    ASSERT_EQ(Received.size(), 1u);
    EXPECT_EQ(Received[0].hWnd, Handle);
    EXPECT_EQ(Received[0].uMsg, 0x000Fu);
    EXPECT_EQ(Received[0].wParam, 5);
    EXPECT_EQ(Received[0].lParam, -6);

    Received.clear();
    Window.show();
    Window.resize(900, 700);
    bool sawResize = false;
    for (const Message& message : Received) {
        EXPECT_NE(message.uMsg, WM_GETMINMAXINFO);
        sawResize = sawResize || message.uMsg == WM_APP + QEvent::Resize;
    }
    EXPECT_TRUE(sawResize);
}

TEST_F(WinSizeHookTest, TheShownWindowCannotBeSizedBelowTheMinimumOuterSize) {
    HookWindow();
    Window.show();
    Window.resize(100, 100);
    EXPECT_EQ(OuterSize(), QSize(712, 481));

    MinWidth = 0;
    Window.resize(800, 599);
    Window.resize(100, 100);
    EXPECT_EQ(Window.width(), 100);
    EXPECT_EQ(OuterSize().height(), 481);
}

TEST_F(WinSizeHookTest, ANewMinimumTakesEffectAtTheNextResize) {
    HookWindow();
    Window.show();
    MinHeight = 500;
    Window.resize(800, 599);
    Window.resize(800, 100);
    EXPECT_EQ(OuterSize().height(), 500);
}

TEST_F(WinSizeHookTest, HookingTwiceThenUnhookingOnceRestoresTheWindowsOwnBehaviour) {
    const int32_t own = GetWindowLongA(Handle, GWL_WNDPROC);
    HookWindow();
    const uint32_t previous = PrevWndProc;
    HookWindow();
    EXPECT_EQ(PrevWndProc, previous);
    Window.show();
    UnhookWindow();
    EXPECT_EQ(PrevWndProc, 0u);
    EXPECT_EQ(GetWindowLongA(Handle, GWL_WNDPROC), own);
    UnhookWindow();
    EXPECT_EQ(GetWindowLongA(Handle, GWL_WNDPROC), own);

    Window.resize(800, 599);
    Window.resize(100, 100);
    EXPECT_EQ(Window.size(), QSize(100, 100));
}

TEST(WindowProceduresTest, UnknownHandlesAndIndicesReadAsZeroAndAreNotWritten) {
    EXPECT_EQ(GetWindowLongA(0, GWL_WNDPROC), 0);
    EXPECT_EQ(SetWindowLongA(0, GWL_WNDPROC, ProcedureValue(RecordingProc)), 0);
    EXPECT_EQ(CallWindowProcA(0, 0, 0x000F, 0, 0), 0);
    uint32_t gone = 0;
    {
        QWidget window;
        gone = WindowHandle(&window);
        EXPECT_EQ(WindowFromHandle(gone), &window);
        EXPECT_EQ(GetWindowLongA(gone, -16), 0);
    }
    EXPECT_EQ(WindowFromHandle(gone), nullptr);
    EXPECT_EQ(GetWindowLongA(gone, GWL_WNDPROC), 0);
}

} // namespace quillax
