// What every skin window is made of, whichever program shows it: the form with its element
// arrays, the texts and codes its skin file gives it, and the mechanisms that work on them
// alone (the event list, the interaction codes, measuring a label's text). The program's skin
// window (SkinWindow) and the desk band's (deskband::BandWindow) are the two variants; each
// adds its own keywords, commands and steps.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/form.h"

namespace quavero::skin {

struct KeyShortcut {
  std::string keys;  // the key combination as written
  std::string code;
  int32_t last_fired = 0;  // the tick it last ran, kept where shortcuts are polled
};

struct EventRecord {
  std::string name;  // in the letter case written
  std::string code;
};

class SkinElements {
 public:
  SkinElements(platform::Platform& platform, std::string form_name);
  virtual ~SkinElements() = default;
  SkinElements(const SkinElements&) = delete;
  SkinElements& operator=(const SkinElements&) = delete;

  platform::Platform& platform() { return platform_; }
  ui::Form& form() { return form_; }
  const ui::Form& form() const { return form_; }

  // The variant's command interpreter. RunCode takes the caller's text and removes its "{".
  virtual void RunCode(std::string& TheCode) = 0;
  void RunCode(const std::string& code);  // on a copy
  // Runs a "timerevent" timer's code, unless a timer code is still running, of this window or
  // another: a fade or a message box in it lets the ticks of every timer through, and codes
  // started from within would nest without end (or as deep as the skins have timers). Such
  // ticks are left out.
  void RunTimerCode(const ui::Timer& timer);

  // Skin events: "event" lines add records; a raised event runs the codes of its records.
  void NewEvent(const std::string& TheEvent);
  void CheckEvent(const std::string& CurEvent);
  int EventCount() const { return static_cast<int>(EventList.size()); }
  // The "anyinteraction" codes, run on any press.
  virtual void RunInterActionCode();

  // Places the five stars as the "ratingscontrol" line says and lights those the rating (0 to
  // 100, read only when the stars have pictures) reaches.
  void DrawStars(const std::function<double()>& rating);

  // Measures label i's filled caption once (with the scroll gap after it): whether it fits,
  // how many characters fit (the measuring box's tag), and every character's width.
  void FitLabel(int index);

  // State the skin file gives the window.
  std::string CurPath;
  std::string FormClickCode;
  std::string RatingsSpec;
  std::vector<std::string> InteractionCodes;
  int16_t InteractionCount = 0;
  std::vector<KeyShortcut> KeyShortcuts;  // always ends with one empty record
  std::string NoScrollLabels;
  std::vector<std::string> LabelText;  // as the refresh made it, with the gap when it scrolls
  // What the scroll ticks need of LabelText, measured once when the text changes, so that a
  // tick costs what the label shows, however long the text.
  struct ScrollText {
    std::vector<size_t> starts;  // where each character begins in LabelText
    std::vector<int> advances;   // each character's width in pixels in the label's font
    size_t first = 0;            // the character the label shows first
  };
  std::vector<ScrollText> LabelScroll;
  std::vector<std::string> ImagePictures;
  std::vector<EventRecord> EventList;
  // The current track's length in seconds as the last refresh (or step) read it, so that a
  // progress step asks iTunes for the position alone; each window forgets it on every event of
  // iTunes, every failed call and every new connection.
  std::optional<double> KnownLength;
  void ForgetTrack() { KnownLength.reset(); }

 protected:
  platform::Platform& platform_;

 private:
  // One for the whole program (and for each desk band's process).
  static inline bool timer_code_running_ = false;

 public:
  // Elements.
  ui::Form form_;
  ui::ControlArray<ui::Label> lblInfo;
  ui::ControlArray<ui::PictureBox> scrollWidth;
  ui::ControlArray<ui::Image> img;
  ui::ControlArray<ui::Timer> tmr;
  ui::ControlArray<ui::Image> imgRatings;
  ui::Image& imgProgress;
  ui::Line& lnTop;
  ui::Line& lnBottom;
  ui::Line& lnLeft;
  ui::Line& lnRight;
  ui::Timer& tmrScroll;
  ui::Timer& tmrProgress;
};

// The gap of blanks between the end of a scrolling label's text and its start again.
inline constexpr char kScrollGap[] = "     ";
// Where each character of a UTF-8 text begins.
std::vector<size_t> CharacterStarts(const std::string& s);

}  // namespace quavero::skin
