// The desk band's skin window (its frmMain): the one window a band shows inside the taskbar.
// It is a skin window like the program's (SkinElements) with the band's own ways: its skins
// live in DeskBand\, it reads fewer keywords and runs fewer commands, fails silently where the
// program would speak, polls its shortcuts instead of holding hotkeys, scrolls its labels with
// a moving start, and scales its elements with the band. Each concern has its file:
// start-up, loading and closing here (band_window.cpp), the keyword table (band_keywords.cpp),
// iTunes and the track information (band_itunes.cpp), commands (band_commands.cpp), shortcuts
// (band_keys.cpp), pointer actions (band_pointer.cpp), scaling (resizer.cpp).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "itunes/itunes.h"
#include "itunes/link.h"
#include "platform/platform.h"
#include "skin/skin_elements.h"
#include "skin/skin_line.h"

namespace quavero::deskband {

// Where the band keeps what is its own.
inline constexpr char kBandApplication[] = "QuaveroDeskband";
inline constexpr char kCurrentSkinKey[] = "CurrentDeskBandSkin";
inline constexpr char kCheckItunesError[] = "check itunes error";
// Not set: the band takes the size the taskbar gives it.
inline constexpr int16_t kNoFixedSize = -99;

class BandWindow : public skin::SkinElements,
                   public ui::FormEvents,
                   public itunes::Events {
 public:
  // Creating the window runs its start-up (Form_Load). The link is the band's shared iTunes
  // object, which star clicks rate through. A band made while the shell starts shows no
  // message of its start-up (quiet); the messages of later work it shows.
  BandWindow(platform::Platform& platform, itunes::Link& link, bool quiet_start = false);
  ~BandWindow() override;

  // Start-up, loading, switching and closing (band_window.cpp).
  void Form_Load();
  void LoadSkin(const std::string& SkinFile, const std::string& Path);
  void ProcessLine(const std::string& Line, const std::string& Path);
  void CloseAndReloadSkin(const std::string& SkinName);
  void Form_Resize();
  void Form_Unload();
  bool closed() const { return closed_; }
  std::string AppFolder() { return platform_.files().ApplicationFolder(); }
  std::string SkinFolder(const std::string& name) {
    return AppFolder() + "\\DeskBand\\" + name + "\\";
  }
  // The file name and parameters the shell opens, owner 1, working folder "1", shown normally.
  void RunFile(const std::string& File, const std::string& Params);

  // iTunes and the track information (band_itunes.cpp).
  bool CheckItunes();
  void LoadSong();
  void RefreshInfo();
  void tmrScroll_Timer();
  void tmrProgress_Timer();
  itunes::ApplicationPtr iTunesR;
  void iTunesR_OnDatabaseChangedEvent();
  void iTunesR_OnPlayerPlayEvent();
  void iTunesR_OnPlayerPlayingTrackChangedEvent();
  void iTunesR_OnPlayerStopEvent();
  void iTunesR_OnQuittingEvent() { iTunesUnavailable = true; }
  void iTunesR_OnCOMCallsDisabledEvent() { iTunesUnavailable = true; }
  void iTunesR_OnCOMCallsEnabledEvent() { iTunesUnavailable = false; }
  void ShowRatings();

  // Commands (band_commands.cpp).
  void RunCode(std::string& TheCode) override;
  using SkinElements::RunCode;
  void ShowSkinCode(const std::string& TheCode);
  void ShowSkin(const std::string& Skin, int16_t Left, int16_t Top);
  void imgRatings_Click(int Index);

  // Keyboard shortcuts, polled on each progress step (band_keys.cpp).
  void CheckKeyShortcuts();
  bool CheckKey(const std::string& Key);
  static int KeyCode(const std::string& Key);
  static constexpr int32_t kShortcutRepeatMs = 300;

  // Pointer actions (band_pointer.cpp).
  void Background_MouseDown();
  void lblInfo_MouseDown();
  void lblInfo_Click();
  void img_MouseDown(int Index, int Button, int Shift, double X, double Y);
  void img_MouseMove(int Index, int Button, int Shift, double X, double Y);
  void img_MouseUp(int Index, int Button, int Shift, double X, double Y);
  void imgProgress_MouseDown(int Button, int Shift, double X, double Y);
  void imgProgress_MouseMove(int Button, int Shift, double X, double Y);
  void MoveWindow();

  // Scaling with the band (resizer.cpp): the geometry the skin gave each scalable element,
  // and the elements placed anew for picBack's size.
  void RecordDesignGeometry();
  void ResizeElements();
  static bool IsScalable(const std::string& name);

  // What the band object asks of the window.
  int16_t NoResizeX = kNoFixedSize;
  int16_t NoResizeY = kNoFixedSize;

  // State.
  bool AutoResize = false;
  int16_t DesignWidth = 0;
  int16_t DesignHeight = 0;
  std::map<std::string, std::string> DesignGeometry;  // key: name or name(index)
  bool iTunesUnavailable = false;
  bool Closing = false;
  bool TimeLabels = false;
  std::vector<int16_t> ScrollStart;  // one per label, where the scroll step starts showing
  std::string CurrentTime;           // the player position as the last progress step saw it

  // The element the band has besides those every skin window has: the background, always as
  // large as the window. Its colour and picture are the window's own, drawn beneath all.
  ui::PictureBox& picBack;

 private:
  // ui::FormEvents.
  void OnMouseDown(ui::Control* element, int button, int shift, double x, double y) override;
  void OnMouseMove(ui::Control* element, int buttons, int shift, double x, double y) override;
  void OnMouseUp(ui::Control* element, int button, int shift, double x, double y) override;
  void OnResize() override { Form_Resize(); }
  void OnTimer(ui::Timer& timer) override;
  void OnCloseRequested() override { Form_Unload(); }
  // itunes::Events.
  // Whatever iTunes says, the track the last refresh read may no longer be the current one.
  void OnPlayerPlayEvent() override { ForgetTrack(), iTunesR_OnPlayerPlayEvent(); }
  void OnPlayerPlayingTrackChangedEvent() override {
    ForgetTrack(), iTunesR_OnPlayerPlayingTrackChangedEvent();
  }
  void OnPlayerStopEvent() override { ForgetTrack(), iTunesR_OnPlayerStopEvent(); }
  void OnDatabaseChangedEvent() override { ForgetTrack(), iTunesR_OnDatabaseChangedEvent(); }
  void OnCOMCallsDisabledEvent() override { ForgetTrack(), iTunesR_OnCOMCallsDisabledEvent(); }
  void OnCOMCallsEnabledEvent() override { ForgetTrack(), iTunesR_OnCOMCallsEnabledEvent(); }
  void OnQuittingEvent() override { ForgetTrack(), iTunesR_OnQuittingEvent(); }

  void ConnectEvents();
  void DropiTunes();
  std::string ChosenSkin();
  void LoadSkinFailed(const std::exception& failure);
  void ShowMessage(const std::string& text, platform::Icon icon, const std::string& title);
  bool HasCurrentTrack();
  // Label i's full text with the current time in it, when the progress step has one.
  std::string ShownText(int index) const;
  void ScrollStep();
  void ProgressStep();
  void SeekTo(double x, double width);
  void RemoveCreatedElements();

  itunes::Link& link_;
  bool events_subscribed_ = false;
  bool quiet_ = false;
  bool showing_message_ = false;
  bool check_error_said_ = false;  // "check itunes error" shown since the last good check
  bool closed_ = false;
};

}  // namespace quavero::deskband
