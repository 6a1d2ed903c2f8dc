// The skin window (frmMain): one per open skin. It owns its form, its element arrays and the
// state its skin file gives it. What it does lives beside it, one concern per file: loading
// (load_skin.cpp, process_line.cpp), window operations (window_ops.cpp), effects and showing
// (commands/effects.cpp), code (commands/run_code.cpp) and events (commands/events.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/program_window.h"
#include "hotkeys/vb_hotkey.h"
#include "lyrics/cantix_pane.h"
#include "itunes/itunes.h"
#include "platform/platform.h"
#include "skin/skin_elements.h"
#include "ui/form.h"

namespace quavero::app {
class Application;
}

namespace quavero::skin {

class SkinWindow : public SkinElements,
                   public app::ProgramWindow,
                   public ui::FormEvents,
                   public itunes::Events,
                   public std::enable_shared_from_this<SkinWindow> {
 public:
  // Creating the window runs its load step.
  explicit SkinWindow(app::Application& app);
  ~SkinWindow() override;

  app::Application& app() { return app_; }

  // Loading (load_skin.cpp, process_line.cpp).
  void LoadSkin(const std::string& SkinFile, std::string Path);
  void ProcessLine(const std::string& Line, const std::string& Path);
  void LoadSong();
  // The skin windows open now.
  int16_t FrmMainCount() const;

  // Window operations (window_ops.cpp).
  void AlwaysOnTop(bool on_top);
  void CreateRoundRectFromWindow(int16_t Amount);
  void MoveWindow();
  // Brings a window that no monitor shows back where it can be reached.
  void KeepReachable(double own_left, double own_top);

  // Effects and showing (commands/effects.cpp).
  void RunAfter();
  void FadeIn();
  void FadeClose();
  void SlideUp();
  void GlassifyMe();
  void StartMoveWindow();
  void ShowSkinCode(const std::string& TheCode);
  void ShowMeInDeskbar() {}  // the program's skin windows are not desk band windows

  // Code and events (commands/). RunCode takes the caller's text and removes its "{".
  void RunCode(std::string& TheCode) override;
  using SkinElements::RunCode;
  // The window's iTunes, for commands; fails with 91 when the window has no connection.
  itunes::Application& iTunes();
  itunes::Application& GlobaliTunes();
  // A click on rating star i rates the current track (i + 1) x 20.
  void imgRatings_Click(int Index);
  // CheckEvent for an iTunes event, unless the codes of a skin event caused it (itunes_link).
  void RaiseSkinEvent(const std::string& name);
  bool HasEventCode(const std::string& name) const;
  static constexpr uint32_t kEchoMs = 1000;
  static constexpr int kMaxEchoDepth = 2;
  void RunInterActionCode() override;  // also stops a fade or slide that runs

  // The iTunes link (itunes_link.cpp).
  bool IsiTunesDead();
  bool iTunesIsNothing(bool CareForTrack = false);
  void ConnectToiTunes();
  void ReleaseiTunes();  // lets go of the window's reference and its events
  void StopHearingiTunes();  // lets go of its events only
  // Every failed call to iTunes passes here: a server that has gone is let go of at once.
  void iTunesFailed(const std::exception& failure);
  void PolliTunesEvents();
  void iTunesR_OnPlayerPlayEvent();
  void iTunesR_OnPlayerPlayingTrackChangedEvent();
  void iTunesR_OnPlayerStopEvent();
  void iTunesR_OnDatabaseChangedEvent();
  void iTunesR_OnCOMCallsDisabledEvent() { ComCallsEnabled = false; }
  void iTunesR_OnCOMCallsEnabledEvent() { ComCallsEnabled = true; }
  void iTunesR_OnQuittingEvent();
  void iTunesR_OnAboutToPromptUserToQuitEvent();
  itunes::ApplicationPtr iTunesR;
  bool iTunesEventsHeard() const { return events_subscribed_; }

  // Track text, scrolling and progress (track_text.cpp, scrolling.cpp).
  void RefreshInfo();
  void tmrScroll_Timer();
  // Shows every scrolling label's longest start that fits; with rotate, the text first moves
  // on by one character.
  void ScrollStep(bool rotate);
  // Label i's full text as the scroll ticks have turned it so far.
  std::string ScrolledText(int index) const;
  void ProgressStep();
  void SeekTo(double x, double width);
  void imgProgress_MouseDown(int Button, int Shift, double X, double Y);
  void imgProgress_MouseMove(int Button, int Shift, double X, double Y);
  bool ProgressLabels = false;

  // Pointer (pointer.cpp).
  void img_MouseDown(int Index, int Button, int Shift, double X, double Y);
  void img_MouseMove(int Index, int Button, int Shift, double X, double Y);
  void img_MouseUp(int Index, int Button, int Shift, double X, double Y);
  void img_OLEDragDrop(int Index, const std::vector<std::string>& files);
  void Background_MouseDown();
  void Background_MouseUp(int Button);
  void ShowPopupMenu();  // the tray window's menu, with this window as its caller
  std::string PictureEntry(int index, size_t entry) const;
  bool HasEntry(int index, size_t entry) const;
  void ShowEntry(int index, size_t entry);  // a failure leaves the picture as it was
  void ShowEntryOrFail(int index, size_t entry);
  void StartHover(int index);

  // Timed lyrics (lyrics_host.cpp): a lyrics line turns the pane on and names the label that
  // shows the current line.
  void StartLyricsPane();
  void tmrLyrics_Timer();
  void CantixPane_NewLyrics();
  int16_t LyricsLabel = 0;    // 0: the pane is off
  std::string LyricsFolder;   // from the lyrics line; empty: the setting CantixPath

  // Ratings and artwork (commands/ratings_artwork.cpp).
  // The stars and an ARTWORK image, of the given track (the one a refresh read), or of the
  // current track, asked for.
  void ShowRatings(itunes::Track* current = nullptr);
  void ShowArtworkIn(int16_t TheIndex, itunes::Track* current = nullptr);
  void tmrTrackImage_Timer();
  int32_t ArtworkTrackID = 0;

  // Keyboard shortcuts (shortcuts.cpp): one hotkey component per shortcut, element 0 with the
  // window; shortcut i is served by component i.
  bool AddKey(int Index, const std::string& Key);  // true when the word named a key
  void ProcessKeyShortcuts();
  void CloseAllHotkeys();
  void hkHotkey_HotkeyPressed(int Index);
  // What became of shortcut i: active, in conflict inside the program, refused by the system.
  hotkeys::HotkeyState ShortcutState(int index) const;
  std::string ShortcutRefusal(int index) const;
  std::vector<std::unique_ptr<hotkeys::VBHotkey>> hkHotkey;

  // Unloads the window: the unload step, then its platform window goes.
  void Unload() override;
  bool unloaded() const override { return unloaded_; }

  // Public fields.
  std::string ShowAction;
  bool IsDeskbar = false;

  // State the skin file gives the window.
  bool OnTop = false;
  int16_t TransparencyLevel = 0;
  int16_t RoundAmount = 0;
  bool RememberPos = false;
  bool OnDesktop = false;
  bool GlassifyWindow = false;
  bool OnlyOneInstance = false;
  int16_t HoverIndex = -1;
  bool HasArtworkImage = false;
  bool Unloading = false;
  bool AbortEffect = false;
  bool ComCallsEnabled = false;
  bool DeskbarLetDie = false;

  // Elements besides those every skin window has.
  ui::Label& lblMove;
  ui::Timer& tmrTrackImage;
  ui::Timer& tmrDeskbarLetDie;
  ui::Timer& tmrLyrics;
  lyrics::CantixPane CantixPane;

  // Handlers.
  void Form_Activate();
  void Form_Resize();
  void Form_Unload();
  void Form_KeyDown(int KeyCode, int Shift);
  void Form_KeyUp(int KeyCode, int Shift);
  void lblMove_MouseDown(int Button, int Shift, double X, double Y);
  void tmr_Timer(int Index);
  void tmrProgress_Timer();
  void tmrDeskbarLetDie_Timer();

 private:
  // ui::FormEvents: the platform's events routed to the handlers above.
  void OnMouseDown(ui::Control* element, int button, int shift, double x, double y) override;
  void OnMouseMove(ui::Control* element, int buttons, int shift, double x, double y) override;
  void OnMouseUp(ui::Control* element, int button, int shift, double x, double y) override;
  void OnFilesDropped(ui::Control* element, const std::vector<std::string>& files) override;
  void OnKeyDown(int key, int shift) override { Form_KeyDown(key, shift); }
  void OnKeyUp(int key, int shift) override { Form_KeyUp(key, shift); }
  void OnActivate() override { Form_Activate(); }
  void OnResize() override { Form_Resize(); }
  void OnTimer(ui::Timer& timer) override;
  void OnCloseRequested() override { Unload(); }
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
  void OnAboutToPromptUserToQuitEvent() override {
    ForgetTrack(), iTunesR_OnAboutToPromptUserToQuitEvent();
  }

  void LoadStep();
  void ReadPosition();
  void CheckStartPersonal();
  void LoadSkinFailed(const std::exception& failure);
  void SetAlpha(int alpha);
  // Steps the opacity from one level towards another (step +1 or -1), letting messages run;
  // false when a press stopped it.
  bool Fade(int from, int to, int step);

  app::Application& app_;
  bool unloaded_ = false;
  bool closing_ = false;
  bool events_subscribed_ = false;
  // What iTunes plays: the current track and whether it plays; none when it cannot be asked.
  struct Playing {
    int32_t track = 0;
    bool playing = false;
    bool operator==(const Playing&) const = default;
  };
  std::optional<Playing> ReadPlaying();
  // What the last poll saw, for a connection that hears no events.
  std::optional<Playing> polled_;
  // Skin events whose codes ran a moment ago, what played when they were raised, and how
  // many events deep they were caused.
  struct Echo {
    std::string event;
    Playing playing;
    uint32_t until = 0;
    int depth = 0;
  };
  std::vector<Echo> echoes_;
};

}  // namespace quavero::skin
