// Skin windows on real Win32 windows: styles, opacity, region, z-order, painting, and a press
// that stops a fade.
#include <gtest/gtest.h>

#include <thread>

#include "app/application.h"
#include "platform/win32/painter.h"
#include "platform/win32/win32_platform.h"
#include "skin/skin_window.h"
#include "win32_test_support.h"

namespace quavero::test {
namespace {

class Win32SkinWindowTest : public ::testing::Test {
 protected:
  // The program ends when its last skin window closes; the next test's loop must not see that.
  ~Win32SkinWindowTest() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  std::shared_ptr<skin::SkinWindow> Open(const std::string& skin) {
    dir_.Write("skin.ini", skin);
    return app_.OpenSkinWindow(dir_.folder(), app::kKeepPosition, app::kKeepPosition, false);
  }
  static HWND Hwnd(const skin::SkinWindow& w) { return reinterpret_cast<HWND>(w.form().handle()); }
  static BYTE Alpha(HWND hwnd) {
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags);
    return alpha;
  }

  ScratchFolder dir_;
  platform::win32::Win32Platform platform_;
  app::Application app_{platform_};
};

TEST_F(Win32SkinWindowTest, ABorderlessToolWindowWithTheSkinsOptions) {
  auto w = Open("skinname=T\r\nwidth=200\r\nheight=50\r\nleft=30\r\ntop=40\r\nroundwindow=20\r\n"
                "transparency=180\r\nontop=1\r\n");
  HWND hwnd = Hwnd(*w);
  ASSERT_TRUE(IsWindow(hwnd));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_EQ(Alpha(hwnd), 180);
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 50);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(hwnd, rgn), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_TRUE(PtInRegion(rgn, 100, 25));
  DeleteObject(rgn);
  w->Unload();
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Win32SkinWindowTest, AnOpaqueSkinHasNoLayeredStyle) {
  auto w = Open("skinname=T\r\n");
  EXPECT_FALSE(GetWindowLongPtrW(Hwnd(*w), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_FALSE(GetWindowLongPtrW(Hwnd(*w), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Win32SkinWindowTest, PaintsTheModelInItsOrder) {
  auto w = Open("skinname=T\r\nwidth=100\r\nheight=40\r\nbackgroundcolor=&H00FF00\r\n"
                "label=0;0;100;20;WWWWWWWW\r\nlabelcolor=1;&HFFFFFF\r\nlabelfont=1;Tahoma;12\r\n"
                "borders=true;&HFF0000\r\n");
  w->imgProgress.SetVisible(true);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 40);
  ReleaseDC(nullptr, screen);
  SelectObject(dc, bitmap);
  platform::win32::Painter painter;
  painter.Paint(w->form(), dc, RECT{0, 0, 100, 40});
  EXPECT_EQ(GetPixel(dc, 50, 30), RGB(0, 255, 0));  // background colour
  EXPECT_EQ(GetPixel(dc, 0, 30), RGB(0, 0, 255));   // left border line, &HFF0000 is blue
  EXPECT_EQ(GetPixel(dc, 98, 30), RGB(0, 0, 255));  // right border line two pixels in
  int white = 0;
  for (int x = 0; x < 100; ++x)
    for (int y = 1; y < 19; ++y) white += GetPixel(dc, x, y) == RGB(255, 255, 255);
  EXPECT_GT(white, 20);  // the label's text
  DeleteDC(dc);
  DeleteObject(bitmap);
}

// A label that moves repaints where it was and where it is, not the whole window; a paint of
// an area leaves the buffer outside it as it was.
TEST_F(Win32SkinWindowTest, AChangedControlRepaintsOnlyWhereItWasAndWhereItIs) {
  auto w = Open("skinname=T\r\nwidth=300\r\nheight=100\r\nbackgroundcolor=&H00FF00\r\n"
                "label=10;10;40;14;A\r\nlabel=200;60;40;14;B\r\n");
  HWND hwnd = Hwnd(*w);
  UpdateWindow(hwnd);
  RECT pending;
  ASSERT_FALSE(GetUpdateRect(hwnd, &pending, FALSE));
  w->lblInfo(1).SetLeft(60);
  ASSERT_TRUE(GetUpdateRect(hwnd, &pending, FALSE));
  EXPECT_LE(pending.left, 10);
  EXPECT_GE(pending.right, 100);
  EXPECT_LE(pending.top, 10);
  EXPECT_GE(pending.bottom, 24);
  EXPECT_LT(pending.bottom, 60);  // label 2 and the rest of the window are left alone
  EXPECT_LT(pending.right, 200);
  UpdateWindow(hwnd);
  w->lblInfo(2).SetCaption("C");
  ASSERT_TRUE(GetUpdateRect(hwnd, &pending, FALSE));
  EXPECT_GE(pending.top, 50);
  EXPECT_GE(pending.left, 190);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 100);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 300, 100};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, red);
  DeleteObject(red);
  platform::win32::Painter painter;
  painter.Paint(w->form(), dc, RECT{0, 0, 150, 100});
  EXPECT_EQ(GetPixel(dc, 140, 90), RGB(0, 255, 0));  // inside the area: the background
  EXPECT_EQ(GetPixel(dc, 160, 90), RGB(255, 0, 0));  // outside: untouched
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(Win32SkinWindowTest, APressStopsAFadeAtTheLevelItReached) {
  auto keep = Open("skinname=Keep\r\n");
  auto w = Open("skinname=T\r\ntransparency=255\r\n");
  HWND hwnd = Hwnd(*w);
  std::thread presser([hwnd] {
    Sleep(250);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  });
  w->FadeClose();
  presser.join();
  EXPECT_FALSE(w->unloaded());
  EXPECT_TRUE(IsWindow(hwnd));
  BYTE reached = Alpha(hwnd);
  EXPECT_GT(reached, 0);
  EXPECT_LT(reached, 255);
}

TEST_F(Win32SkinWindowTest, AFadeInRunsUpToTheSkinsLevel) {
  auto w = Open("skinname=T\r\ntransparency=120\r\nshowaction=fadein\r\n");
  EXPECT_EQ(Alpha(Hwnd(*w)), 120);
  EXPECT_TRUE(IsWindowVisible(Hwnd(*w)));
}

// An element removed from a shown window ticks no more, even with a tick already queued.
TEST_F(Win32SkinWindowTest, ARemovedTimerElementTicksNoMore) {
  auto w = Open("skinname=T\r\ntransparency=200\r\ntimerevent=20;normaltransparency\r\n");
  ASSERT_TRUE(w->tmr(1).running());
  Sleep(60);  // WM_TIMER is waiting in the queue now
  w->tmr.Unload(1);
  SetLayeredWindowAttributes(Hwnd(*w), 0, 10, LWA_ALPHA);
  EXPECT_FALSE(w->tmr.Exists(1));
  DWORD until = GetTickCount() + 200;
  MSG msg;
  while (GetTickCount() < until) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  }
  EXPECT_EQ(Alpha(Hwnd(*w)), 10);  // its code ran no more
}

// Hotkeys: the window's own procedure still gets every message; closing restores it.
TEST_F(Win32SkinWindowTest, AShortcutRunsItsCodeAndClosingLetsGoOfIt) {
  auto keep = Open("skinname=Keep\r\n");
  auto w = Open("skinname=T\r\ntransparency=200\r\n"
                "keyboardshortcut=CONTROL+ALT+F11;normaltransparency\r\n");
  HWND hwnd = Hwnd(*w);
  EXPECT_EQ(w->ShortcutState(0), hotkeys::HotkeyState::kActive);
  auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Hwnd(*keep), GWLP_WNDPROC));
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), own);
  SetLayeredWindowAttributes(hwnd, 0, 10, LWA_ALPHA);
  SendMessageW(hwnd, WM_HOTKEY, w->hkHotkey[0]->hAtom(), MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F11));
  EXPECT_EQ(Alpha(hwnd), 200);  // normaltransparency ran
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  w->Unload();
  // Unregistered: the test can take the combination itself now.
  EXPECT_TRUE(RegisterHotKey(Hwnd(*keep), 7, MOD_CONTROL | MOD_ALT, VK_F11));
  UnregisterHotKey(Hwnd(*keep), 7);
}

TEST_F(Win32SkinWindowTest, ACombinationHeldElsewhereIsRefusedWithTheSystemsText) {
  auto holder = Open("skinname=Holder\r\n");
  ASSERT_TRUE(RegisterHotKey(Hwnd(*holder), 9, MOD_SHIFT | MOD_ALT, VK_F10));
  auto w = Open("skinname=T\r\nkeyboardshortcut=SHIFT+ALT+F10;playpause\r\n");
  EXPECT_EQ(w->ShortcutState(0), hotkeys::HotkeyState::kRefused);
  EXPECT_FALSE(w->ShortcutRefusal(0).empty());
  EXPECT_EQ(w->ShortcutRefusal(0).find_first_of("\r\n"), std::string::npos);  // trimmed
  UnregisterHotKey(Hwnd(*holder), 9);
}

TEST(Win32Hotkeys, AHookSeesEveryMessageBeforeTheWindowsOwnProcedure) {
  static int own_calls = 0;
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_HOTKEY) ++own_calls;
    return DefWindowProcW(h, m, w, l);
  };
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuaveroHookTest";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, L"QuaveroHookTest", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                              wc.hInstance, nullptr);
  platform::win32::Win32Platform platform;
  auto& system = platform.hotkeys();
  int seen = 0;
  auto handle = reinterpret_cast<ui::WindowHandle>(hwnd);
  ASSERT_TRUE(system.HookWindow(handle, [&](ui::WindowHandle, uint32_t m, uint64_t, int64_t) {
    if (m == WM_HOTKEY) ++seen;
  }));
  EXPECT_FALSE(system.HookWindow(handle, [](ui::WindowHandle, uint32_t, uint64_t, int64_t) {}));
  SendMessageW(hwnd, WM_HOTKEY, 1, 0);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(own_calls, 1);
  system.UnhookWindow(handle);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), wc.lpfnWndProc);
  SendMessageW(hwnd, WM_HOTKEY, 1, 0);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(own_calls, 2);

  uint16_t atom = system.NewAtom("WIN+080");
  EXPECT_EQ(system.AtomText(atom), "WIN+080");
  auto first = system.RegisterHotKey(handle, atom, MOD_WIN, 'P');
  auto second = system.RegisterHotKey(handle, atom + 1, MOD_WIN, 'P');
  EXPECT_TRUE(first.registered);
  EXPECT_FALSE(second.registered);
  EXPECT_EQ(second.error, 1409u);
  EXPECT_FALSE(second.message.empty());
  system.UnregisterHotKey(handle, atom);
  system.FreeAtom(atom);
  DestroyWindow(hwnd);
}

}  // namespace
}  // namespace quavero::test
