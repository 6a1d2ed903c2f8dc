#include "lyrics/cantix_pane.h"

#include <algorithm>
#include <exception>

#include "base/lines.h"
#include "base/text.h"
#include "base/values.h"

namespace quavero::lyrics {
namespace {

constexpr int kMaxLinesBeforeRead = 10000;  // so at most 10,001 lines are read

std::string Trim(const std::string& s) {
  size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

}  // namespace

CantixPane::CantixPane(platform::Platform& platform, ITunes itunes)
    : platform_(platform), itunes_(std::move(itunes)) {}

void CantixPane::StartLyrics(const std::string& folder) {
  folder_ = folder;
  started_ = true;
  LoadLyrics();
}

void CantixPane::CloseLyrics() {
  started_ = false;
  stepping_ = false;
}

// One step of the clock: a tenth more, the position read once; a new whole second (or ten
// tenths) starts the fraction again from the position iTunes gives.
void CantixPane::Step() {
  if (!started_) return;
  if (fraction_ < 10) ++fraction_;
  try {
    if (itunes::Application* app = itunes_()) {
      int32_t position = app->PlayerPosition();
      if (position != stored_position_ || fraction_ >= 10) {
        fraction_ = 0;
        stored_position_ = static_cast<int16_t>(std::clamp<int32_t>(position, -32768, 32767));
      }
    }
  } catch (const std::exception&) {
    // iTunes busy or gone: the clock runs on from what it had
  }
  CheckLyrics();
  clock_ = stored_position_ + fraction_ / 10.0;
}

std::string CantixPane::AppPath(std::string path) {
  return text::ReplaceAll(path, "APPPATH", platform_.files().ApplicationFolder());
}

void CantixPane::ClearLines() {
  lines_.assign(1, "");
  line_count_ = 0;
  line_index_ = 0;
  pending_line_.clear();
  next_time_ = current_time_ = time_offset_ = 0;
  stepping_ = false;
}

// With no current track there is no file to look for: nothing is loaded.
void CantixPane::LoadLyrics() {
  ClearLines();
  try {
    itunes::Application* app = itunes_();
    if (!app || !app->CurrentTrack()) {
      InitThing();
      return;
    }
    LoadLyricFile(folder_ + GetFileName());
  } catch (const std::exception&) {
    ClearLines();
  }
  InitThing();
}

std::string CantixPane::ReadToString(const std::string& file) {
  auto& files = platform_.files();
  line_count_ = 0;
  if (!files.FileExists(file)) return "";
  std::string text;
  int read = 0;
  for (const auto& line : lines::SplitLines(files.ReadText(file).text)) {
    if (read > kMaxLinesBeforeRead) break;
    ++read;
    if (text.empty()) text = line;
    else text += "\r\n" + line;
  }
  line_count_ = read;
  return text;
}

void CantixPane::LoadLyricFile(std::string path) {
  path = AppPath(path);
  std::string text;
  try {
    text = ReadToString(path);
  } catch (const std::exception&) {
    text.clear();
  }
  lines_ = text::Split(text, "\r\n");
  if (lines_.empty()) lines_.assign(1, "");
  if (GetCommand("CantixSyncFile") != "1") {
    ClearLines();
    return;
  }
  creator_ = GetCommand("Creator");
  try {
    time_offset_ = values::LeadingNumber(GetCommand("TimeOffset"));
  } catch (const std::exception&) {
    time_offset_ = 0;
  }
}

std::string CantixPane::GetCommand(const std::string& tag, int /*compare_type*/) {
  const std::string marker = "[" + tag + "]";
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (text::StartsWith(lines_[i], marker)) {
      line_index_ = i;
      return lines_[i].substr(marker.size());
    }
  }
  return "";
}

std::string CantixPane::GetCommandPart(bool time, const std::string& line) {
  if (line.empty()) return "0";
  size_t open = line.find('['), close = line.find(']');
  if (time) {
    size_t from = open == std::string::npos ? 0 : open + 1;
    size_t to = close == std::string::npos || close < from ? line.size() : close;
    return Trim(line.substr(from, to - from));
  }
  return Trim(close == std::string::npos ? line : line.substr(close + 1));
}

// The time of a timed line is written with the user's decimal separator.
bool CantixPane::TimeOf(const std::string& line, double& seconds) {
  if (line.find('[') == std::string::npos && line.find(']') == std::string::npos) return false;
  std::string time = GetCommandPart(true, line);
  std::string separator = platform_.locale().DecimalSeparator();
  if (separator != "." && time.find('.') != std::string::npos) return false;
  time = text::ReplaceAll(time, separator, ".");
  if (!values::IsNumeric(time)) return false;
  try {
    seconds = values::LeadingNumber(time);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void CantixPane::SetCurrent(const std::string& line) {
  current_line_ = line;
  if (NewLyrics) NewLyrics();
}

// From the line index on: skips empty lines and lines whose time is no number; stops at
// [EndLyrics], whose default text becomes pending.
bool CantixPane::TakeNextTimedLine() {
  while (++line_index_ < lines_.size()) {
    const std::string& line = lines_[line_index_];
    if (line.empty()) continue;
    if (line == "[EndLyrics]") {
      size_t keep = line_index_;
      pending_line_ = GetCommand("DefaultLyrics");
      line_index_ = keep;
      return true;  // the default text becomes current at the next step, then stepping ends
    }
    double time = 0;
    if (!TimeOf(line, time)) continue;
    next_time_ = time;
    pending_line_ = GetCommandPart(false, line);
    return true;
  }
  return false;
}

void CantixPane::InitThing() {
  SetCurrent(GetCommand("DefaultLyrics"));
  current_time_ = 0;
  stepping_ = false;
  if (line_count_ == 0) return;
  GetCommand("Lyrics");
  if (lines_[line_index_].rfind("[Lyrics]", 0) != 0) return;
  stepping_ = TakeNextTimedLine();
}

// One stepping decision: the pending line becomes current once its time has come (one line a
// step, so a jump forward catches up line by line); a position before the current line's time
// starts again from the top.
void CantixPane::CheckLyrics() {
  if (line_count_ == 0) return;
  double t = stored_position_ + fraction_ / 10.0;
  if (stepping_ && next_time_ + time_offset_ <= t) {
    bool at_end = line_index_ < lines_.size() && lines_[line_index_] == "[EndLyrics]";
    SetCurrent(pending_line_);
    if (at_end) {
      stepping_ = false;  // after [EndLyrics] nothing more until the next load
      return;
    }
    current_time_ = next_time_ + time_offset_;
    stepping_ = TakeNextTimedLine();
  } else if (t < current_time_) {
    InitThing();
  }
}

std::string CantixPane::GetFileName() {
  itunes::Application* app = itunes_();
  if (!app) return "";
  auto track = app->CurrentTrack();
  if (!track) return "";
  std::string name = text::ReplaceAll(track->Artist() + "\\" + track->Name() + ".lyr", "\\\\", "\\");
  std::string cleaned;
  for (char c : name)
    if (std::string_view("/:*?\"<>|").find(c) == std::string_view::npos) cleaned += c;
  return cleaned;
}

std::string CantixPane::GetCurFileName() { return AppPath(folder_ + GetFileName()); }

void CantixPane::OnPlayerStopEvent() {
  current_line_ = kNoSongPlaying;
  ClearLines();
}

void CantixPane::WriteLyricsFile(const std::string& file, const std::string& lyrics,
                                 const std::string& default_lyrics, const std::string& creator) {
  std::string text = "[CantixSyncFile]1\r\n[Timing] Normal\r\n[Creator]" + creator +
                     "\r\n[DefaultLyrics]" + default_lyrics + "\r\n[TimeOffset]0\r\n[Lyrics]\r\n" +
                     lyrics + "\r\n[EndLyrics]\r\n" + "\r\n";  // written with a line end after it
  platform_.files().WriteText(file, {text});  // the file is replaced in one step
}

}  // namespace quavero::lyrics
