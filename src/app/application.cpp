#include "app/application.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/settings.h"
#include "base/failure.h"
#include "base/raised_flag.h"
#include "base/text.h"
#include "base/values.h"
#include "skin/skin_window.h"

namespace quavero::app {
namespace {

// Prints a count the way the settings store has always held it ("1", "2", ...).
std::string CountText(double n) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", n);
  return buffer;
}

// A window handle written as a decimal number; anything that is not one (a fraction, a
// number beyond the range of handles, no number) is no window.
ui::WindowHandle HandleValue(const std::string& text) {
  double number = 0;
  try {
    number = values::LeadingNumber(text);
  } catch (const Failure&) {
    return 0;
  }
  constexpr double kLimit = 9007199254740992.0;  // 2^53: every whole double below is exact
  if (!(number > -kLimit && number < kLimit) || number != std::trunc(number)) return 0;
  return static_cast<ui::WindowHandle>(static_cast<int64_t>(number));
}

}  // namespace

Application::Application(platform::Platform& platform)
    : platform_(platform), itunes_(platform), hotkey_subclass_(platform.hotkeys()) {}

Application::~Application() { WithdrawHandle(); }

std::string Application::GetSetting(const std::string& key, const std::string& fallback) {
  return platform_.settings().Get(settings::kApplication, settings::kOptions, key, fallback);
}

void Application::SaveSetting(const std::string& key, const std::string& value) {
  platform_.settings().Save(settings::kApplication, settings::kOptions, key, value);
}

void Application::Startup(const std::string& command_line) {
  command_line_ = command_line;
  if (command_line.find("Deskband") != std::string::npos) {
    deskband_mode_ = true;
    platform_.instance().Claim();  // no check here, but a later normal start sees this one
    StartInDeskBand(HandleValue(command_line.size() > 9 ? command_line.substr(9) : ""));
    return;
  }
  if (!platform_.instance().Claim()) {
    EndProgram();
    return;
  }
  LoadTrayWindow();
  PublishHandle();
  double runs = values::LeadingNumber(GetSetting(settings::kRunCount, settings::kRunCountDefault));
  SaveSetting(settings::kRunCount, CountText(runs + 1));

  bool asks_default = text::ContainsNoCase(command_line, "default");
  std::string name = asks_default
                         ? std::string("Default")
                         : GetSetting(settings::kCurrentSkin, settings::kCurrentSkinDefault);
  if (!command_line.empty() && !text::EqualsNoCase(command_line, "default")) {
    OpenSkinFromCommandLine();
  } else {
    ShellOpen("iTunes", "1");
    platform_.loop().DoEvents();
    if (platform_.files().FilesIn(SkinFolder(name)).empty()) name = "Default";
    OpenSkinWindow(SkinFolder(name), kKeepPosition, kKeepPosition, false);
  }
  if (NoWindowRemains()) EndWhenIdle();
}

std::shared_ptr<skin::SkinWindow> Application::OpenSkinWindow(const std::string& folder,
                                                              int16_t left, int16_t top,
                                                              bool is_desk_band) {
  CheckOpeningWhileLoading(folder);
  auto window = std::make_shared<skin::SkinWindow>(*this);
  skin_windows_.push_back(window);
  window->IsDeskbar = is_desk_band;
  {
    loading_.push_back(text::CollapseDots(folder));
    struct Loaded {
      std::vector<std::string>& loading;
      ~Loaded() { loading.pop_back(); }
    } loaded{loading_};
    window->LoadSkin(folder + "skin.ini", folder);
  }
  if (left != kKeepPosition) window->form().SetLeft(left);
  if (top != kKeepPosition) window->form().SetTop(top);
  window->RunAfter();
  if (tray_) tray_->SkinWindowsChanged();
  return window;
}

Application::Room Application::RoomForSkinWindow() {
  if (CountSkinWindows() < kMaxSkinWindows) {
    no_room_said_ = false;
    return Room::kFree;
  }
  if (no_room_said_) return Room::kFull;
  no_room_said_ = true;
  return Room::kFullNotSaid;
}

std::string Application::NoRoomText() {
  return std::to_string(kMaxSkinWindows) +
         " skin windows are open: close one before a skin opens another";
}

void Application::CheckOpeningWhileLoading(const std::string& folder) const {
  if (CountSkinWindows() >= kMaxSkinWindows) throw Failure(errors::kInvalidCall, NoRoomText());
  std::string wanted = text::CollapseDots(folder);
  for (const auto& loading : loading_)
    if (text::EqualsNoCase(loading, wanted))
      throw Failure(errors::kInvalidCall, "The skin " + wanted + " is still loading");
  if (loading_.size() >= kMaxLoadingDepth)
    throw Failure(errors::kInvalidCall, "Skins opened by loading skins nest too deep: " + wanted);
}

void Application::OpenSkinFromCommandLine() { OpenSkinFromText(command_line_); }

void Application::OpenSkinFromText(const std::string& request) {
  try {
    // A folder quoted on the command line arrives with its quotes; paths never hold any.
    auto parts = text::Split(text::ReplaceAll(request, "\"", ""), '|');
    if (parts.size() < 3) return;
    std::string folder = parts[0];
    if (folder.empty() || folder.back() != '\\') folder += '\\';  // as the desk band names one
    int16_t left = values::ShortValue(parts[1]);
    int16_t top = values::ShortValue(parts[2]);
    OpenSkinWindow(folder, left, top, false);
  } catch (const Failure&) {
    // A malformed command line opens nothing, silently.
  }
}

void Application::StartInDeskBand(ui::WindowHandle parent) {
  auto window = OpenSkinWindow(AppFolder() + "\\Deskband\\Default\\", 0, 0, true);
  if (!window->unloaded()) window->form().SetParentWindow(parent);
}

void Application::SwitchSkin(const std::string& name) {
  switching_skin_ = true;
  SaveSetting(settings::kCurrentSkin, name);
  CloseAllWindows();
  switching_skin_ = false;
  LoadTrayWindow();
  OpenSkinWindow(SkinFolder(name), kKeepPosition, kKeepPosition, false);
}

void Application::ReloadEditedSkin(const std::string& folder) {
  auto is_edited = [&](const std::shared_ptr<skin::SkinWindow>& w) {
    return text::EqualsNoCase(text::CollapseDots(w->CurPath), text::CollapseDots(folder));
  };
  auto windows = SkinWindows();
  auto edited = std::find_if(windows.begin(), windows.end(), is_edited);
  bool was_open = edited != windows.end();
  int16_t left = kKeepPosition, top = kKeepPosition;
  if (was_open) {
    left = static_cast<int16_t>(ui::WithinRange((*edited)->form().left(), -32767, 32767));
    top = static_cast<int16_t>(ui::WithinRange((*edited)->form().top(), -32767, 32767));
  }
  SwitchSkin(GetSetting(settings::kCurrentSkin, settings::kCurrentSkinDefault));
  windows = SkinWindows();
  if (was_open && std::none_of(windows.begin(), windows.end(), is_edited))
    OpenSkinWindow(folder, left, top, false);
}

void Application::CloseAllWindows() {
  auto windows = skin_windows_;
  for (auto& w : windows) w->Unload();
  CloseTrayWindow();
  tray_.reset();
  Prune();
  if (!switching_skin_ && NoWindowRemains()) EndWhenIdle();  // also with no skin window open
}

void Application::ReportFailure(const std::string& text, const std::string& title,
                                platform::Icon icon) {
  if (reporting_) return;
  RaisedFlag reporting(reporting_);
  platform_.windows().ShowMessageBox(text, title, icon, platform::Buttons::kOk);
}

std::shared_ptr<ui::Dialog> Application::OpenDialog(const std::string& caption) {
  return platform_.windows().OpenDialog(caption);
}

void Application::ShowDialog(std::shared_ptr<ui::Dialog> dialog) {
  platform_.windows().ShowModeless(std::move(dialog));
}

ui::Picture Application::LoadPictureFile(const std::string& file) {
  return platform_.pictures().Load(file);
}

bool Application::SetWindowAlpha(ui::Form& form, int alpha) {
  return form.SetLayeredAlpha(alpha & 0xFF);
}

void Application::AttachToDesktop(ui::Form& form) { form.AttachToDesktop(); }

void Application::ShellOpen(const std::string& file, const std::string& parameters) {
  platform_.shell().Open(file, parameters);
}

std::string Application::GetTempFolder() {
  std::string folder = platform_.files().TempPath();
  folder = folder.substr(0, folder.find('\0'));
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

bool Application::CursorInRect(int left, int top, int height, int width) {
  auto p = platform_.windows().CursorPos();
  return left < p.x && p.x < left + width && top < p.y && p.y < top + height;
}

bool Application::StartsWithText(std::string_view main, std::string_view check, Compare mode) {
  std::string_view head = main.substr(0, check.size());
  return mode == Compare::kText ? text::EqualsNoCase(head, check) : head == check;
}

std::vector<std::shared_ptr<skin::SkinWindow>> Application::SkinWindows() const {
  std::vector<std::shared_ptr<skin::SkinWindow>> open;
  for (const auto& w : skin_windows_)
    if (!w->unloaded()) open.push_back(w);
  return open;
}

int Application::CountSkinWindows() const {
  return static_cast<int>(std::count_if(skin_windows_.begin(), skin_windows_.end(),
                                        [](const auto& w) { return !w->unloaded(); }));
}

void Application::ReleaseAlliTunes() {
  itunes_.checker().IgnoreUntilGone("iTunes");
  LetGoOfiTunes();
}

void Application::LetGoOfiTunes() {
  for (const auto& w : skin_windows_) w->ReleaseiTunes();
  itunes_.Release();
}

void Application::LoadTrayWindow() {
  if (tray_factory_) tray_ = tray_factory_(*this);
}

void Application::CloseTrayWindow() {
  if (tray_ && !tray_->unloaded()) tray_->Unload();
}

void Application::ShowMenu(skin::SkinWindow& caller) {
  if (TrayWindowLoaded()) tray_->ShowMenu("", caller.shared_from_this());
}

void Application::NoteActive(skin::SkinWindow& window) { last_active_ = window.weak_from_this(); }

std::shared_ptr<skin::SkinWindow> Application::LastActiveSkinWindow() const {
  auto last = last_active_.lock();
  if (last && !last->unloaded()) return last;
  auto open = SkinWindows();
  return open.empty() ? nullptr : open.back();
}

void Application::WindowUnloaded() {
  Prune();
  if (tray_) tray_->SkinWindowsChanged();
  if (!switching_skin_ && NoWindowRemains()) EndWhenIdle();
}

// The desk band asks the running program to open a skin: it sets the text of the window whose
// handle communicate.hwnd holds to "folder|left|top", as the command line gives a skin.
void Application::PublishHandle() {
  ui::WindowHandle handle = platform_.windows().ListenForText(
      [this](const std::string& request) { OpenSkinFromText(request); });
  if (handle == 0) return;
  try {
    platform_.files().WriteText(HandleFile(), {std::to_string(handle) + "\r\n"});
    handle_published_ = true;
  } catch (const Failure&) {
    // A folder the user cannot write: the band starts the program with the skin instead.
  }
}

void Application::WithdrawHandle() {
  if (!handle_published_) return;
  handle_published_ = false;
  try {
    platform_.files().Delete(HandleFile());
  } catch (const Failure&) {
  }
}

void Application::EndWhenIdle() {
  WithdrawHandle();
  ended_ = true;
  platform_.loop().Quit();
}

void Application::EndProgram() {
  ended_at_once_ = true;
  EndWhenIdle();
}

bool Application::NoWindowRemains() const { return CountSkinWindows() == 0 && !TrayWindowLoaded(); }

void Application::Prune() {
  std::erase_if(skin_windows_, [](const auto& w) { return w->unloaded(); });
  if (tray_ && tray_->unloaded()) tray_.reset();
}

}  // namespace quavero::app
