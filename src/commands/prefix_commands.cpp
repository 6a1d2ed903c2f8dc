// The prefix commands: every test that applies to the code is carried out, in this order. A
// command's parameter is the second field of the code split at "=".
#include <string_view>

#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "commands/commands.h"
#include "commands/shared_commands.h"
#include "skin/skin_window.h"

namespace quavero::commands {
namespace {

using skin::SkinWindow;

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

void ReloadTimerCode(SkinWindow& w, const std::string& code) { ReloadTimer(w, code); }

void PlayPlaylistCode(SkinWindow& w, const std::string& code) { PlayPlaylist(w, Parameter(code)); }
void AddToPlaylistCode(SkinWindow& w, const std::string& code) { AddToPlaylist(w, Parameter(code)); }

void SkipCode(SkinWindow& w, const std::string& code) { Skip(w.iTunes(), code); }

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
    {Starts<kReloadTimer>, ReloadTimerCode},
    {Starts<kPlayPlaylist>, PlayPlaylistCode},
    {Starts<kAddToPlaylist>, AddToPlaylistCode},
    {Starts<kSkip>, SkipCode},
    {Starts<kAddToVolume>, AddToVolume},
};

}  // namespace

void RunPrefixCommands(SkinWindow& window, const std::string& code) {
  for (const auto& command : kPrefixCommands)
    if (command.applies(code)) command.run(window, code);
}

}  // namespace quavero::commands
