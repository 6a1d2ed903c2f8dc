// The dialog binder under Wine: a dialog beside the other windows shows its view-model, what
// the user does reaches the view-model as its event, and what the handlers change shows; a
// list's scrolling reaches the view-model; showing it again brings it forward; Escape closes it.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/win32_platform.h"
#include "shell/win32/shell_win32.h"

namespace quavero {
namespace {

// Two lists that scroll together, a field that echoes into a label, a box that fills the field.
class TwinLists : public ui::Dialog {
 public:
  TwinLists() : ui::Dialog("Twin Lists", 200, 120) {
    Add("lstLeft", ui::DialogControlKind::kListBox, "", 5, 5, 90, 60);
    Add("lstRight", ui::DialogControlKind::kListBox, "", 100, 5, 90, 60);
    Add("txtLine", ui::DialogControlKind::kTextBox, "", 5, 70, 185, 13);
    Add("lblEcho", ui::DialogControlKind::kLabel, "", 5, 88, 90, 10);
    Add("chkFill", ui::DialogControlKind::kCheckBox, "Fill", 100, 88, 60, 10);
    for (int i = 0; i < 60; ++i) {
      control("lstLeft").items.push_back("left " + std::to_string(i));
      control("lstRight").items.push_back("right " + std::to_string(i));
    }
    control("lstRight").notes = {"first"};
  }
  void OnScroll(const std::string& name) override {
    SetTopIndex(name == "lstLeft" ? "lstRight" : "lstLeft", control(name).top_index);
  }
  void OnChange(const std::string& name) override {
    if (name == "txtLine") control("lblEcho").caption = "echo " + control("txtLine").text;
  }
  void OnClick(const std::string& name) override {
    if (name == "chkFill") SetText("txtLine", "filled");
    if (name == "lstLeft") SetListIndex("lstRight", control("lstLeft").list_index);
  }
};

HWND DialogWindow() { return FindWindowW(nullptr, L"Twin Lists"); }
HWND Child(HWND dialog, int index) { return GetDlgItem(dialog, 100 + index); }

void RunMessages() {
  MSG msg;
  for (int round = 0; round < 20; ++round) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (shell::win32::RouteDialogMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

std::wstring Text(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(Win32Dialogs, ABesideDialogFollowsItsViewModelBothWays) {
  auto dialog = std::make_shared<TwinLists>();
  shell::win32::ShowModelessDialog(dialog);
  RunMessages();
  HWND hwnd = DialogWindow();
  ASSERT_NE(hwnd, nullptr);
  HWND left = Child(hwnd, 0), right = Child(hwnd, 1);
  EXPECT_EQ(SendMessageW(left, LB_GETCOUNT, 0, 0), 60);

  // The user scrolls the left list: the right one follows.
  SendMessageW(left, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20), 0);
  RunMessages();
  EXPECT_EQ(dialog->control("lstLeft").top_index, 20);
  EXPECT_EQ(SendMessageW(right, LB_GETTOPINDEX, 0, 0), 20);

  // The user picks a row far down: the list shows it, the other list selects and follows.
  SendMessageW(left, LB_SETCURSEL, 55, 0);
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), reinterpret_cast<LPARAM>(left));
  RunMessages();
  EXPECT_EQ(SendMessageW(right, LB_GETCURSEL, 0, 0), 55);
  EXPECT_EQ(SendMessageW(right, LB_GETTOPINDEX, 0, 0), SendMessageW(left, LB_GETTOPINDEX, 0, 0));

  // Typing raises the change; a handler's text shows, and raises the change too.
  SetWindowTextW(Child(hwnd, 2), L"typed");
  RunMessages();
  EXPECT_EQ(dialog->control("txtLine").text, "typed");
  EXPECT_EQ(Text(Child(hwnd, 3)), L"echo typed");
  SendMessageW(Child(hwnd, 4), BM_CLICK, 0, 0);
  RunMessages();
  EXPECT_TRUE(dialog->control("chkFill").checked);
  EXPECT_EQ(Text(Child(hwnd, 2)), L"filled");
  EXPECT_EQ(Text(Child(hwnd, 3)), L"echo filled");

  // Shown again: the same window, brought forward. Escape does not throw the work away (there
  // is no Cancel button); the close box closes it without a handler.
  shell::win32::ShowModelessDialog(dialog);
  RunMessages();
  EXPECT_EQ(DialogWindow(), hwnd);
  SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
  RunMessages();
  EXPECT_FALSE(dialog->closed());
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  RunMessages();
  EXPECT_TRUE(dialog->closed());
  EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace quavero
