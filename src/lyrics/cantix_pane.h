// CantixPane: follows the track iTunes plays, finds its lyrics file, and steps through the
// file's timed lines in step with the playing position, raising NewLyrics each time the
// current line changes. Its clock is a step the host's 100 ms timer drives: the position is
// read once a step and a fraction of tenths runs between whole seconds.
//
// A lyrics file (.lyr), lines ended by CR LF:
//   [CantixSyncFile]1          the header; anything but "1" means no lyrics
//   [Timing] Normal
//   [Creator]name
//   [DefaultLyrics]text        shown when the lyrics start, and again at their end
//   [TimeOffset]2.5            seconds added to every time ("." whatever the regional settings)
//   [Lyrics]
//   [5]First line              a time in seconds, in the user's regional number format
//   [7.5]Second line
//   [EndLyrics]
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "itunes/itunes.h"
#include "platform/platform.h"

namespace quavero::lyrics {

inline constexpr char kNoSongPlaying[] = "No Song Playing!";

class CantixPane {
 public:
  // iTunes is the host's connection: nullptr while there is none.
  using ITunes = std::function<itunes::Application*()>;
  CantixPane(platform::Platform& platform, ITunes itunes);

  // Starts following iTunes with a lyrics folder (which may hold "APPPATH"); the host then
  // calls Step every 100 ms until CloseLyrics.
  void StartLyrics(const std::string& folder);
  void CloseLyrics();
  bool started() const { return started_; }
  void Step();

  void LoadLyrics();
  void LoadLyricFile(std::string path);
  std::string ReadToString(const std::string& file);
  std::string GetCommand(const std::string& tag, int compare_type = 0);
  static std::string GetCommandPart(bool time, const std::string& line);
  void CheckLyrics();
  void InitThing();
  std::string GetFileName();
  std::string GetCurFileName();
  void WriteLyricsFile(const std::string& file, const std::string& lyrics,
                       const std::string& default_lyrics, const std::string& creator);
  static std::string getVersion() { return "1"; }

  // iTunes' events, passed on by the host.
  void OnPlayerPlayEvent() { LoadLyrics(); }
  void OnPlayerPlayingTrackChangedEvent() { LoadLyrics(); }
  void OnPlayerStopEvent();

  std::function<void()> NewLyrics;
  const std::string& current_line() const { return current_line_; }
  int line_count() const { return line_count_; }
  double clock() const { return clock_; }
  const std::string& creator() const { return creator_; }

 private:
  std::string AppPath(std::string path);
  // A timed line's time in seconds, in the user's regional format; false when it is none.
  bool TimeOf(const std::string& line, double& seconds);
  void SetCurrent(const std::string& line);
  void ClearLines();
  // Moves on to the next timed line from the line index; false at the end.
  bool TakeNextTimedLine();

  platform::Platform& platform_;
  ITunes itunes_;
  std::string folder_;
  std::vector<std::string> lines_{""};
  int line_count_ = 0;
  size_t line_index_ = 0;
  std::string current_line_;
  std::string pending_line_;
  double next_time_ = 0;
  double current_time_ = 0;
  double time_offset_ = 0;
  std::string creator_;
  int16_t stored_position_ = 0;
  int fraction_ = 0;  // tenths
  double clock_ = 0;
  bool started_ = false;
  bool stepping_ = false;  // a timed line is pending; false after [EndLyrics] and without lyrics
};

}  // namespace quavero::lyrics
