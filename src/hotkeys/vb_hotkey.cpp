#include "hotkeys/vb_hotkey.h"

#include "hotkeys/hotkey_subclass.h"

namespace quavero::hotkeys {
namespace {

const char* Word(bool flag) { return flag ? "True" : "False"; }

constexpr char kConflict[] =
    "Error: There was a conflict in key combinations! Please make sure that you fix this. The "
    "program will now continue to load...";

}  // namespace

std::string CombinationRecord(const KeySettings& s) {
  return std::string("{") + Word(s.AltKey) + ";" + Word(s.ShiftKey) + ";" + Word(s.CtrlKey) +
         ";" + Word(s.WinKey) + ";" + std::to_string(s.VKey) + "}";
}

VBHotkey::VBHotkey(HotkeySubclass& subclass, platform::Platform& platform)
    : subclass_(subclass), platform_(platform),
      api_(std::make_unique<ApiHotkey>(platform.hotkeys())) {}

VBHotkey::~VBHotkey() { subclass_.ClearCombinations(); }

void VBHotkey::InitTheThing(ui::WindowHandle host) {
  std::string record = CombinationRecord(settings);
  if (subclass_.combinations().find(record) != std::string::npos) {
    state_ = HotkeyState::kConflict;
    platform_.windows().ShowMessageBox(
        std::string(kConflict) + "\r\nDebug: " + subclass_.combinations(), "Error!",
        platform::Icon::kCritical, platform::Buttons::kOk);
    return;
  }
  subclass_.AddCombination(record);
  if (host <= 0 || !api_) return;
  host_ = host;
  api_->SetAltKey(settings.AltKey);
  api_->SetShiftKey(settings.ShiftKey);
  api_->SetControlKey(settings.CtrlKey);
  api_->SetWinKey(settings.WinKey);
  api_->VKey = settings.VKey;
  api_->hwnd = host;
  subclass_.AddComponent(api_->UniqueKey(), this);
  state_ = HotkeyState::kActive;
  if (auto refused = api_->Register()) RaiseError("ApiHotkey:Register", *refused);
  subclass_.Hook(host);
}

void VBHotkey::StopHotkey() {
  if (host_) subclass_.Unhook(host_);
  if (api_) {
    api_->Unregister();
    api_.reset();
  }
}

void VBHotkey::RaiseError(const std::string& source, const std::string& description) {
  state_ = HotkeyState::kRefused;
  refusal_ = description;
  if (ErrorOccured) ErrorOccured(source, description);
}

void VBHotkey::HotkeyMessage(int32_t key, uint32_t modifiers) {
  ApiHotkey test(platform_.hotkeys());
  test.VKey = key;
  test.Modifier = modifiers;
  if (api_ && api_->MatchedKey(test) && HotkeyPressed) HotkeyPressed();
}

}  // namespace quavero::hotkeys
