// The in-memory dialog template of a dialog view-model: its controls in Tab order as standard
// controls, the system's dialog font, the default button as IDOK so that Enter presses it.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/dialog.h"

namespace quavero::shell::win32 {

class DialogTemplate {
 public:
  DialogTemplate(ui::Dialog& dialog, bool modal);
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d);
  void Text(const std::wstring& s);
  void AlignDword();
  void Control(const ui::DialogControl& c, WORD id);

  std::vector<WORD> words_;
};

// The identifier of control i of a dialog.
WORD ControlId(const ui::DialogControl& c, size_t i);

}  // namespace quavero::shell::win32
