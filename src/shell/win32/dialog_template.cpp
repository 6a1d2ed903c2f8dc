#include "shell/win32/dialog_template.h"

#include "platform/win32/wide.h"

namespace quavero::shell::win32 {
namespace {

constexpr WORD kFirstId = 100;
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082,
               kListBoxClass = 0x0083, kComboBoxClass = 0x0085;

struct Kind {
  WORD window_class;
  DWORD style;
};

// Lists draw their rows themselves, so that a remark can stand beside each one.
Kind KindOf(const ui::DialogControl& c) {
  using K = ui::DialogControlKind;
  switch (c.kind) {
    case K::kFrame: return {kButtonClass, BS_GROUPBOX};
    case K::kCheckBox: return {kButtonClass, BS_AUTOCHECKBOX | WS_TABSTOP};
    case K::kTextBox: return {kEditClass, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case K::kListBox:
      return {kListBoxClass, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                                 LBS_HASSTRINGS | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
    case K::kComboBox:
      return {kComboBoxClass, static_cast<DWORD>(c.editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                                                            : CBS_DROPDOWNLIST) |
                                  WS_VSCROLL | WS_TABSTOP};
    case K::kButton:
      return {kButtonClass,
              static_cast<DWORD>(c.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP};
    case K::kLabel: break;
  }
  return {kStaticClass, SS_LEFT};
}

}  // namespace

WORD ControlId(const ui::DialogControl& c, size_t i) {
  return c.default_button ? static_cast<WORD>(IDOK) : static_cast<WORD>(kFirstId + i);
}

void DialogTemplate::Dword(DWORD d) {
  Word(LOWORD(d));
  Word(HIWORD(d));
}

void DialogTemplate::Text(const std::wstring& s) {
  for (wchar_t c : s) Word(static_cast<WORD>(c));
  Word(0);
}

void DialogTemplate::AlignDword() {
  if (words_.size() % 2) Word(0);
}

// A dialog that stays beside the other windows has its own button on the taskbar and may be
// minimised.
DialogTemplate::DialogTemplate(ui::Dialog& dialog, bool modal) {
  DWORD style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  if (!modal) style |= WS_MINIMIZEBOX;
  Dword(style);
  Dword(modal ? 0 : WS_EX_APPWINDOW);
  Word(static_cast<WORD>(dialog.controls().size()));
  Word(0);
  Word(0);
  Word(static_cast<WORD>(dialog.width()));
  Word(static_cast<WORD>(dialog.height()));
  Word(0);  // no menu
  Word(0);  // the standard dialog class
  Text(platform::win32::Wide(dialog.caption()));
  Word(8);
  Text(L"MS Shell Dlg");
  for (size_t i = 0; i < dialog.controls().size(); ++i)
    Control(dialog.controls()[i], ControlId(dialog.controls()[i], i));
}

void DialogTemplate::Control(const ui::DialogControl& c, WORD id) {
  Kind kind = KindOf(c);
  AlignDword();
  Dword(WS_CHILD | WS_VISIBLE | kind.style);
  Dword(0);
  Word(static_cast<WORD>(c.left));
  Word(static_cast<WORD>(c.top));
  Word(static_cast<WORD>(c.width));
  Word(static_cast<WORD>(c.height));
  Word(id);
  Word(0xFFFF);
  Word(kind.window_class);
  Text(platform::win32::Wide(c.kind == ui::DialogControlKind::kTextBox ? c.text : c.caption));
  Word(0);  // no creation data
}

}  // namespace quavero::shell::win32
