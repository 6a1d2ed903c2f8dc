// The prefix commands: every test that applies to the code is carried out, in this order. A
// command's parameter is the second field of the code split at "=".
#include <string_view>

#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "commands/commands.h"
#include "skin/skin_window.h"

namespace quavero::commands {
namespace {

using skin::SkinWindow;

std::string Parameter(const std::string& code) {
  auto fields = text::Split(code, '=');
  if (fields.size() < 2) throw Failure(errors::kSubscriptOutOfRange);
  return fields[1];
}

bool EndsWithStar(const std::string& code) {
  return code.size() >= 4 && text::EqualsNoCase(std::string_view(code).substr(code.size() - 4), "star");
}

void Stars(SkinWindow& w, const std::string& code) {
  int n = values::ShortValue(code.substr(0, 1));
  w.imgRatings_Click(n - 1);
}

void EditTagCode(SkinWindow& w, const std::string& code) { EditTag(w, code); }
void ShowSkin(SkinWindow& w, const std::string& code) { w.ShowSkinCode(code); }

// Any other value does nothing, and asks iTunes nothing either.
void Repeat(SkinWindow& w, const std::string& code) {
  std::string how = text::ToLowerAscii(Parameter(code));
  if (how != "switch" && how != "one" && how != "off" && how != "all") return;
  auto playlist = CurrentPlaylistOf(w.iTunes());
  if (how == "switch") playlist->SetSongRepeat((playlist->SongRepeat() + 1) % 3);
  else playlist->SetSongRepeat(how == "one" ? 1 : how == "all" ? 2 : 0);
}

void Shuffle(SkinWindow& w, const std::string& code) {
  std::string how = text::ToLowerAscii(Parameter(code));
  if (how != "switch" && how != "on" && how != "off") return;
  auto playlist = CurrentPlaylistOf(w.iTunes());
  playlist->SetShuffle(how == "switch" ? !playlist->Shuffle() : how == "on");
}

void ReloadTimer(SkinWindow& w, const std::string& code) {
  ui::Timer& timer = w.tmr(values::ShortValue(Parameter(code)));
  timer.SetEnabled(false);
  timer.SetEnabled(true);
}

void PlayPlaylistCode(SkinWindow& w, const std::string& code) { PlayPlaylist(w, Parameter(code)); }
void AddToPlaylistCode(SkinWindow& w, const std::string& code) { AddToPlaylist(w, Parameter(code)); }

void Skip(SkinWindow& w, const std::string& code) {
  auto& app = w.iTunes();
  double by = values::LeadingNumber(Parameter(code));
  app.SetPlayerPosition(values::ToLong(app.PlayerPosition() + by));
}

void AddToVolume(SkinWindow& w, const std::string& code) {
  double by = values::LeadingNumber(Parameter(code));
  auto track = CurrentTrackOf(w.iTunes());
  track->SetVolumeAdjustment(values::ToLong(track->VolumeAdjustment() + by));
}

struct PrefixCommand {
  bool (*applies)(const std::string& code);
  void (*run)(SkinWindow&, const std::string& code);
};

template <const char* kPrefix>
bool Starts(const std::string& code) {
  return text::StartsWithNoCase(code, kPrefix);
}

constexpr char kEditTag[] = "edittag", kShowSkin[] = "showskin", kRepeat[] = "repeat",
               kShuffle[] = "shuffle", kReloadTimer[] = "reloadtimer",
               kPlayPlaylist[] = "playplaylist", kAddToPlaylist[] = "addtoplaylist",
               kSkip[] = "skip", kAddToVolume[] = "addtovolume";

constexpr PrefixCommand kPrefixCommands[] = {
    {EndsWithStar, Stars},
    {Starts<kEditTag>, EditTagCode},
    {Starts<kShowSkin>, ShowSkin},
    {Starts<kRepeat>, Repeat},
    {Starts<kShuffle>, Shuffle},
    {Starts<kReloadTimer>, ReloadTimer},
    {Starts<kPlayPlaylist>, PlayPlaylistCode},
    {Starts<kAddToPlaylist>, AddToPlaylistCode},
    {Starts<kSkip>, Skip},
    {Starts<kAddToVolume>, AddToVolume},
};

}  // namespace

void RunPrefixCommands(SkinWindow& window, const std::string& code) {
  for (const auto& command : kPrefixCommands)
    if (command.applies(code)) command.run(window, code);
}

}  // namespace quavero::commands
