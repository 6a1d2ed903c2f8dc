// A dialog view-model as a real Win32 dialog. The binding keeps what each control shows; a
// user's action goes into the view-model and raises its event, and afterwards every control
// the handlers changed is shown anew (with the controls' own notifications ignored meanwhile).
// A list whose top row moves, by its scroll bar, the wheel, the keyboard or a selection,
// raises its scroll. Escape and the close box close the dialog without any handler.
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>

#include "base/raised_flag.h"
#include "platform/win32/wide.h"
#include "shell/win32/dialog_template.h"
#include "shell/win32/shell_win32.h"

namespace quavero::shell::win32 {
namespace {

using platform::win32::Utf8;
using platform::win32::Wide;
using K = ui::DialogControlKind;

constexpr wchar_t kListProcProperty[] = L"QuaveroListProc";

struct Binding {
  ui::Dialog* dialog = nullptr;
  std::shared_ptr<ui::Dialog> kept;  // a dialog beside the other windows lives as long as this
  bool modal = true;
  bool pushing = false;
  std::vector<ui::DialogControl> shown;  // what the controls show
};

// The dialogs open beside the other windows.
std::map<ui::Dialog*, HWND>& Modeless() {
  static std::map<ui::Dialog*, HWND> open;
  return open;
}

Binding* BindingOf(HWND dialog) {
  return reinterpret_cast<Binding*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

HWND Item(HWND hwnd, Binding& b, size_t i) {
  return GetDlgItem(hwnd, ControlId(b.dialog->controls()[i], i));
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void ShowItems(HWND item, const std::vector<std::string>& items, UINT reset, UINT add) {
  SendMessageW(item, WM_SETREDRAW, FALSE, 0);
  SendMessageW(item, reset, 0, 0);
  for (const auto& text : items) SendMessageW(item, add, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
  SendMessageW(item, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(item, nullptr, TRUE);
}

void ShowList(HWND item, const ui::DialogControl& c, ui::DialogControl& s) {
  bool refilled = c.items != s.items;
  if (refilled) ShowItems(item, c.items, LB_RESETCONTENT, LB_ADDSTRING);
  if (c.notes != s.notes) InvalidateRect(item, nullptr, TRUE);
  if (refilled || c.top_index != s.top_index) SendMessageW(item, LB_SETTOPINDEX, c.top_index, 0);
  if (refilled || c.list_index != s.list_index) SendMessageW(item, LB_SETCURSEL, c.list_index, 0);
}

void ShowKeyList(HWND item, const ui::DialogControl& c, const ui::DialogControl& s) {
  bool refilled = c.items != s.items;
  if (refilled) ShowItems(item, c.items, CB_RESETCONTENT, CB_ADDSTRING);
  if (refilled || c.list_index != s.list_index || c.text != s.text) {
    SendMessageW(item, CB_SETCURSEL, c.list_index, 0);
    if (c.list_index < 0 && c.editable) SetWindowTextW(item, Wide(c.text).c_str());
  }
}

// Shows every control as the view-model holds it, where it differs from what it shows.
void Push(HWND hwnd, Binding& b) {
  RaisedFlag pushing(b.pushing);
  auto& controls = b.dialog->controls();
  for (size_t i = 0; i < controls.size(); ++i) {
    const ui::DialogControl& c = controls[i];
    ui::DialogControl& s = b.shown[i];
    HWND item = Item(hwnd, b, i);
    if (c.kind == K::kTextBox) {
      if (c.text != s.text) SetWindowTextW(item, Wide(c.text).c_str());
    } else if (c.kind == K::kListBox) {
      ShowList(item, c, s);
    } else if (c.kind == K::kComboBox) {
      ShowKeyList(item, c, s);
    } else if (c.caption != s.caption) {
      SetWindowTextW(item, Wide(c.caption).c_str());
    }
    if (c.kind == K::kCheckBox && c.checked != s.checked)
      CheckDlgButton(hwnd, ControlId(c, i), c.checked ? BST_CHECKED : BST_UNCHECKED);
    s = c;
  }
}

// A list that had to move to show its selection raises its scroll, so that what follows it
// (the other list of the skin editor) moves too.
void PushAndFollow(HWND hwnd, Binding& b) {
  for (int round = 0; round < 4 && !b.dialog->closed(); ++round) {
    Push(hwnd, b);
    bool moved = false;
    for (size_t i = 0; i < b.shown.size() && !b.dialog->closed(); ++i) {
      if (b.shown[i].kind != K::kListBox) continue;
      int top = static_cast<int>(SendMessageW(Item(hwnd, b, i), LB_GETTOPINDEX, 0, 0));
      if (top == b.shown[i].top_index) continue;
      b.shown[i].top_index = top;
      b.dialog->UserScrolls(b.shown[i].name, top);
      moved = true;
    }
    if (!moved) return;
  }
}

void CloseWindow(HWND hwnd, Binding& b) {
  b.dialog->Close();
  if (b.modal) EndDialog(hwnd, IDOK);
  else DestroyWindow(hwnd);
}

// After an event: the dialog closes if a handler asked for it, else shows what changed.
void AfterEvent(HWND hwnd, Binding& b) {
  if (b.dialog->closed()) CloseWindow(hwnd, b);
  else PushAndFollow(hwnd, b);
}

// Escape closes a modal dialog without any handler. A dialog beside the windows holds work
// that Escape must not throw away by accident: Escape presses its "Cancel" button when it has
// one, and does nothing otherwise (its close box still closes it).
void Escape(HWND hwnd, Binding& b) {
  if (b.modal) return CloseWindow(hwnd, b);
  for (const auto& c : b.dialog->controls()) {
    if (c.kind != K::kButton || c.name != "cmdCancel") continue;
    b.dialog->UserClicks(c.name);
    return AfterEvent(hwnd, b);
  }
}

LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
  auto own = reinterpret_cast<WNDPROC>(GetPropW(list, kListProcProperty));
  if (!own) return DefWindowProcW(list, message, wparam, lparam);
  LRESULT result = CallWindowProcW(own, list, message, wparam, lparam);
  try {
    if (message == WM_NCDESTROY) {
      RemovePropW(list, kListProcProperty);
      return result;
    }
    HWND hwnd = GetParent(list);
    Binding* b = BindingOf(hwnd);
    if (!b || b->pushing || b->dialog->closed()) return result;
    for (size_t i = 0; i < b->shown.size(); ++i) {
      if (Item(hwnd, *b, i) != list) continue;
      int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
      if (top == b->shown[i].top_index) break;
      b->shown[i].top_index = top;
      b->dialog->UserScrolls(b->shown[i].name, top);
      AfterEvent(hwnd, *b);
      break;
    }
  } catch (...) {
    // nothing escapes a window procedure
  }
  return result;
}

// A row: its text on the left, its remark on the right in grey.
void DrawRow(Binding& b, const DRAWITEMSTRUCT& d) {
  if (d.itemID == static_cast<UINT>(-1)) return;
  bool selected = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  std::wstring text(static_cast<size_t>(SendMessageW(d.hwndItem, LB_GETTEXTLEN, d.itemID, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(SendMessageW(d.hwndItem, LB_GETTEXT, d.itemID, reinterpret_cast<LPARAM>(text.data()))));
  RECT r = d.rcItem;
  r.left += 2;
  r.right -= 2;
  std::wstring note;
  for (size_t i = 0; i < b.shown.size(); ++i)
    if (ControlId(b.shown[i], i) == d.CtlID && d.itemID < b.shown[i].notes.size())
      note = Wide(b.shown[i].notes[d.itemID]);
  if (!note.empty()) {
    SIZE size{};
    GetTextExtentPoint32W(d.hDC, note.c_str(), static_cast<int>(note.size()), &size);
    if (!selected) SetTextColor(d.hDC, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(d.hDC, note.c_str(), -1, &r, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (!selected) SetTextColor(d.hDC, GetSysColor(COLOR_WINDOWTEXT));
    r.right = std::max(r.left, r.right - std::min(size.cx + 8, (r.right - r.left) / 2));
  }
  DrawTextW(d.hDC, text.c_str(), -1, &r, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

void Start(HWND hwnd, Binding& b) {
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&b));
  b.shown = b.dialog->controls();
  for (auto& s : b.shown) {  // as the template made them
    s.items.clear();
    s.notes.clear();
    s.list_index = -1;
    s.top_index = 0;
    s.checked = false;
  }
  for (size_t i = 0; i < b.shown.size(); ++i) {
    if (b.shown[i].kind != K::kListBox) continue;
    HWND list = Item(hwnd, b, i);
    SetPropW(list, kListProcProperty,
             reinterpret_cast<HANDLE>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc))));
  }
  PushAndFollow(hwnd, b);
}

// A control's notification: what the user did goes into the view-model and raises its event.
bool Notify(HWND hwnd, Binding& b, WORD id, WORD code, HWND item) {
  auto& controls = b.dialog->controls();
  for (size_t i = 0; i < controls.size(); ++i) {
    if (ControlId(controls[i], i) != id) continue;
    ui::DialogControl& s = b.shown[i];
    const std::string name = controls[i].name;
    switch (controls[i].kind) {
      case K::kButton:
        if (code != BN_CLICKED) return false;
        b.dialog->UserClicks(name);
        break;
      case K::kCheckBox:
        if (code != BN_CLICKED) return false;
        s.checked = IsDlgButtonChecked(hwnd, id) == BST_CHECKED;
        controls[i].checked = !s.checked;
        b.dialog->UserTicks(name);
        break;
      case K::kTextBox:
        if (code != EN_CHANGE || b.pushing) return false;
        s.text = Utf8(TextOf(item));
        b.dialog->UserTypes(name, s.text);
        break;
      case K::kListBox:
        if (code != LBN_SELCHANGE || b.pushing) return false;
        s.list_index = static_cast<int>(SendMessageW(item, LB_GETCURSEL, 0, 0));
        b.dialog->UserPicks(name, s.list_index);
        break;
      case K::kComboBox:
        if (b.pushing) return false;
        if (code == CBN_SELCHANGE) {
          s.list_index = static_cast<int>(SendMessageW(item, CB_GETCURSEL, 0, 0));
          b.dialog->UserPicks(name, s.list_index);
          s.text = controls[i].text;
        } else if (code == CBN_EDITCHANGE) {
          s.text = Utf8(TextOf(item));
          b.dialog->UserEditsKey(name, s.text);
          s.list_index = controls[i].list_index;
        } else {
          return false;
        }
        break;
      default: return false;
    }
    AfterEvent(hwnd, b);
    return true;
  }
  return false;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    if (message == WM_INITDIALOG) {
      Start(hwnd, *reinterpret_cast<Binding*>(lparam));
      return TRUE;
    }
    if (message == WM_MEASUREITEM) {
      RECT row{0, 0, 0, 10};
      MapDialogRect(hwnd, &row);
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = static_cast<UINT>(std::max<LONG>(row.bottom, 12));
      return TRUE;
    }
    Binding* b = BindingOf(hwnd);
    if (!b) return FALSE;
    switch (message) {
      case WM_DRAWITEM: DrawRow(*b, *reinterpret_cast<DRAWITEMSTRUCT*>(lparam)); return TRUE;
      case WM_CLOSE: CloseWindow(hwnd, *b); return TRUE;
      case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (!b->modal) {
          Modeless().erase(b->dialog);
          delete b;
        }
        return FALSE;
      case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL) {
          Escape(hwnd, *b);
          return TRUE;
        }
        return Notify(hwnd, *b, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      default: return FALSE;
    }
  } catch (...) {
    // nothing escapes a dialog procedure
  }
  return FALSE;
}

}  // namespace

void ShowModalDialog(ui::Dialog& dialog) {
  dialog.Reopen();
  Binding binding;
  binding.dialog = &dialog;
  DialogTemplate t(dialog, true);
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), GetActiveWindow(), DialogProc,
                          reinterpret_cast<LPARAM>(&binding));
}

void ShowModelessDialog(std::shared_ptr<ui::Dialog> dialog) {
  auto open = Modeless().find(dialog.get());
  if (open != Modeless().end()) {
    if (IsIconic(open->second)) ShowWindow(open->second, SW_RESTORE);
    SetForegroundWindow(open->second);
    return;
  }
  dialog->Reopen();
  auto binding = std::make_unique<Binding>();
  binding->dialog = dialog.get();
  binding->kept = dialog;
  binding->modal = false;
  DialogTemplate t(*dialog, false);
  HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.get(), nullptr, DialogProc,
                                         reinterpret_cast<LPARAM>(binding.get()));
  if (!hwnd) {
    dialog->Close();
    return;
  }
  Modeless()[dialog.get()] = hwnd;
  binding.release();  // the window owns it now
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
}

std::shared_ptr<ui::Dialog> OpenModelessDialog(const std::string& caption) {
  for (const auto& [dialog, hwnd] : Modeless())
    if (!dialog->closed() && dialog->caption() == caption)
      if (auto* b = BindingOf(hwnd)) return b->kept;
  return nullptr;
}

bool RouteDialogMessage(MSG& message) {
  if (Modeless().empty()) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  for (const auto& [dialog, hwnd] : Modeless())
    if (hwnd == root) return IsDialogMessageW(hwnd, &message);  // may close it: return at once
  return false;
}

}  // namespace quavero::shell::win32
