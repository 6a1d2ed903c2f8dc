// A dialog view-model as a real Win32 dialog: an in-memory dialog template made from its
// controls (their order is the Tab order), the system's dialog font, the default button as
// IDOK so that Enter presses it, and Escape (IDCANCEL) closing without any handler.
#include <windows.h>

#include <vector>

#include "platform/win32/wide.h"
#include "shell/win32/shell_win32.h"

namespace quavero::shell::win32 {
namespace {

constexpr WORD kFirstId = 100;
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

class Template {
 public:
  void Word(WORD w) { bytes_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::wstring& s) {
    for (wchar_t c : s) Word(static_cast<WORD>(c));
    Word(0);
  }
  void AlignDword() {
    if (bytes_.size() % 2) Word(0);
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  std::vector<WORD> bytes_;
};

WORD IdOf(const ui::DialogControl& c, size_t i) {
  return c.default_button ? static_cast<WORD>(IDOK) : static_cast<WORD>(kFirstId + i);
}

struct Kind {
  WORD window_class;
  DWORD style;
};

Kind KindOf(const ui::DialogControl& c) {
  switch (c.kind) {
    case ui::DialogControlKind::kCheckBox: return {kButtonClass, BS_AUTOCHECKBOX | WS_TABSTOP};
    case ui::DialogControlKind::kTextBox: return {kEditClass, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case ui::DialogControlKind::kButton:
      return {kButtonClass,
              static_cast<DWORD>(c.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP};
    case ui::DialogControlKind::kLabel: break;
  }
  return {kStaticClass, SS_LEFT};
}

Template Build(ui::Dialog& dialog) {
  Template t;
  t.Dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  t.Dword(0);
  t.Word(static_cast<WORD>(dialog.controls().size()));
  t.Word(0);
  t.Word(0);
  t.Word(static_cast<WORD>(dialog.width()));
  t.Word(static_cast<WORD>(dialog.height()));
  t.Word(0);  // no menu
  t.Word(0);  // the standard dialog class
  t.Text(platform::win32::Wide(dialog.caption()));
  t.Word(8);
  t.Text(L"MS Shell Dlg");
  for (size_t i = 0; i < dialog.controls().size(); ++i) {
    const auto& c = dialog.controls()[i];
    Kind kind = KindOf(c);
    t.AlignDword();
    t.Dword(WS_CHILD | WS_VISIBLE | kind.style);
    t.Dword(0);
    t.Word(static_cast<WORD>(c.left));
    t.Word(static_cast<WORD>(c.top));
    t.Word(static_cast<WORD>(c.width));
    t.Word(static_cast<WORD>(c.height));
    t.Word(IdOf(c, i));
    t.Word(0xFFFF);
    t.Word(kind.window_class);
    t.Text(platform::win32::Wide(c.kind == ui::DialogControlKind::kTextBox ? c.text : c.caption));
    t.Word(0);  // no creation data
  }
  return t;
}

// What the user ticked and typed goes back into the view-model before a handler runs.
void ReadBack(HWND hwnd, ui::Dialog& dialog) {
  for (size_t i = 0; i < dialog.controls().size(); ++i) {
    auto& c = dialog.controls()[i];
    HWND item = GetDlgItem(hwnd, IdOf(c, i));
    if (c.kind == ui::DialogControlKind::kCheckBox) {
      c.checked = SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
    } else if (c.kind == ui::DialogControlKind::kTextBox) {
      std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
      text.resize(static_cast<size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
      c.text = platform::win32::Utf8(text);
    }
  }
}

void Press(HWND hwnd, ui::Dialog& dialog, const ui::DialogControl& button) {
  ReadBack(hwnd, dialog);
  dialog.OnClick(button.name);
  if (dialog.closed()) EndDialog(hwnd, IDOK);
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, lparam);
      auto& dialog = *reinterpret_cast<ui::Dialog*>(lparam);
      for (size_t i = 0; i < dialog.controls().size(); ++i) {
        const auto& c = dialog.controls()[i];
        if (c.kind == ui::DialogControlKind::kCheckBox)
          CheckDlgButton(hwnd, IdOf(c, i), c.checked ? BST_CHECKED : BST_UNCHECKED);
      }
      return TRUE;
    }
    auto* dialog = reinterpret_cast<ui::Dialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message != WM_COMMAND || !dialog) return FALSE;
    WORD id = LOWORD(wparam);
    if (id == IDCANCEL) {
      EndDialog(hwnd, IDCANCEL);
      return TRUE;
    }
    if (HIWORD(wparam) != BN_CLICKED) return FALSE;
    for (size_t i = 0; i < dialog->controls().size(); ++i) {
      const auto& c = dialog->controls()[i];
      if (c.kind == ui::DialogControlKind::kButton && IdOf(c, i) == id) {
        Press(hwnd, *dialog, c);
        return TRUE;
      }
    }
  } catch (...) {
    // nothing escapes a dialog procedure
  }
  return FALSE;
}

}  // namespace

void ShowModalDialog(ui::Dialog& dialog) {
  dialog.Reopen();
  Template t = Build(dialog);
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), GetActiveWindow(), DialogProc,
                          reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace quavero::shell::win32
