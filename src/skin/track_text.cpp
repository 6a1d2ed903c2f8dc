// Filling the labels with what iTunes plays: every placeholder of a label's template is
// replaced, in the order of the table, each value read from iTunes at most once a refresh.
#include "skin/track_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "skin/skin_window.h"

namespace quavero::skin {

std::string ConvertToTime(int64_t Time, bool RoundOther) {
  int64_t s = Time / 1000;
  if (RoundOther && Time % 1000 != 0) s += 1;
  return std::to_string(s / 60) + ":" + MakeNum(s % 60);
}

int64_t Milliseconds(double seconds) {
  constexpr double kLimit = 9.2e18;  // within the 64-bit range, with room
  double ms = std::round(seconds * 1000);
  if (std::isnan(ms)) return 0;
  return static_cast<int64_t>(std::clamp(ms, -kLimit, kLimit));
}

std::string MakeNum(int64_t ANum) {
  std::string digits = std::to_string(ANum);
  return digits.size() == 1 ? "0" + digits : digits;
}

double Seconds(std::string_view MMSS) {
  auto fields = text::Split(MMSS, ':');
  double minutes = values::LeadingNumber(fields.empty() ? "" : fields[0]);
  if (fields.size() < 2 || !values::IsNumeric(fields[1])) return minutes;
  return minutes * 60 + values::LeadingNumber(fields[1]);
}

bool IsLeft(std::string_view MainString, std::string_view CheckString, int CompareType) {
  return app::Application::StartsWithText(MainString, CheckString,
                                          CompareType == 1 ? app::Compare::kText
                                                           : app::Compare::kBinary);
}

std::string ReplaceNoCase(std::string_view s, std::string_view placeholder, std::string_view value) {
  std::string lower = text::ToLowerAscii(s), key = text::ToLowerAscii(placeholder), out;
  size_t start = 0;
  for (size_t at; (at = lower.find(key, start)) != std::string::npos; start = at + key.size())
    out.append(s.substr(start, at - start)).append(value);
  return out.append(s.substr(start));
}

std::string NumberText(double value, std::string_view decimal_separator) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text = buffer;
  size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimal_separator);
  return text;
}

bool TrackFacts::has_playlist() {
  if (!playlist_) playlist_ = playlist_source_ ? playlist_source_() : nullptr;
  return *playlist_ != nullptr;
}

const std::string& TrackFacts::Get(const std::string& placeholder) {
  auto it = values_.find(placeholder);
  if (it != values_.end()) return it->second;
  return values_[placeholder] = Read(placeholder);
}

std::string TrackFacts::Read(const std::string& p) {
  itunes::Track& t = track_;
  if (p == "[Artist]") return t.Artist();
  if (p == "[Title]") return t.Name();
  if (p == "[Album]") return t.Album();
  if (p == "[Time]") return t.Time();
  if (p == "[PlayCount]") return std::to_string(t.PlayedCount());
  if (p == "[BitRate]") return std::to_string(t.BitRate());
  if (p == "[BPM]") return std::to_string(t.BPM());
  if (p == "[Comment]") return t.Comment();
  if (p == "[Compilation]") return t.Compilation() ? "True" : "False";
  if (p == "[Composer]") return t.Composer();
  if (p == "[Genre]") return t.Genre();
  if (p == "[Rating]") return NumberText(t.Rating() / 20.0, locale_.DecimalSeparator());
  if (p == "[TrackNumber]") return std::to_string(t.TrackNumber());
  if (p == "[Year]") return std::to_string(t.Year());
  if (p == "[CurrentPlaylistName]") return (*playlist_)->Name();
  if (p == "[CurrentPlaylistTracks]")
    return std::to_string(itunes::Existing((*playlist_)->Tracks()).Count());
  if (p == "[CurrentPlaylistDuration]") return std::to_string((*playlist_)->Duration());
  return "xx:xx";  // [CurrentPosition] and [CurrentRemaining]: the progress tick fills them
}

namespace {

constexpr const char* kPlaceholders[] = {
    "[Artist]", "[Title]", "[Album]", "[Time]", "[PlayCount]", "[BitRate]", "[BPM]",
    "[Comment]", "[Compilation]", "[Composer]", "[Genre]", "[Rating]", "[TrackNumber]", "[Year]",
    "[CurrentPlaylistName]", "[CurrentPlaylistTracks]", "[CurrentPlaylistDuration]",
    "[CurrentPosition]", "[CurrentRemaining]"};

}  // namespace

std::string FillTemplate(const std::string& templ, std::span<const char* const> placeholders,
                         TrackFacts& facts) {
  std::string caption = templ;
  for (const char* p : placeholders) {
    if (!text::ContainsNoCase(caption, p)) continue;
    if (text::StartsWith(p, "[CurrentPlaylist") && !facts.has_playlist()) continue;
    caption = ReplaceNoCase(caption, p, facts.Get(p));
  }
  return caption;
}

void SkinWindow::RefreshInfo() {
  try {
    ProgressLabels = false;
    auto track = iTunes().CurrentTrack();
    if (!track) throw Failure(errors::kObjectNotSet);
    TrackFacts facts(*track, [this] { return iTunes().CurrentPlaylist(); },
                     app_.platform().locale());
    for (int i = 1; i <= lblInfo.UBound(); ++i) {
      ui::Label& label = lblInfo(i);
      label.SetCaption(label.tag());
      label.SetCaption(FillTemplate(label.tag(), kPlaceholders, facts));
      FitLabel(i);
      if (text::ContainsNoCase(label.tag(), "[CurrentRemaining]") ||
          text::ContainsNoCase(label.tag(), "[CurrentPosition]"))
        ProgressLabels = true;
    }
    if (HasArtworkImage) {
      for (int i = 0; i <= img.UBound(); ++i) {
        if (i >= static_cast<int>(ImagePictures.size()) || ImagePictures[i].empty()) continue;
        if (text::Split(ImagePictures[i], '|')[0] == "ARTWORK")
          ShowArtworkIn(static_cast<int16_t>(i), track.get());
      }
    }
    // The progress step and the stars use the track and its length this refresh read.
    KnownLength = Seconds(facts.Get("[Time]"));
    tmrProgress_Timer();
    ScrollStep(false);  // each label starts at its first character
    ShowRatings(track.get());
  } catch (const std::exception& failure) {
    iTunesFailed(failure);
    auto* f = dynamic_cast<const Failure*>(&failure);
    app_.ReportFailure(
        "Error in RefreshInfo: " + (f ? f->description() : std::string(failure.what())),
        "Quavero", platform::Icon::kNone);
  }
}

}  // namespace quavero::skin
