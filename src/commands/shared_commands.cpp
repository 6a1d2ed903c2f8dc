#include "commands/shared_commands.h"

#include <algorithm>
#include <iterator>

#include "base/failure.h"
#include "base/values.h"
#include "commands/commands.h"

namespace quavero::commands {
namespace {

void PlayPause(itunes::Application& app) { app.PlayPause(); }
void Play(itunes::Application& app) { app.Play(); }
void Pause(itunes::Application& app) { app.Pause(); }
void Stop(itunes::Application& app) { app.Stop(); }
void PreviousTrack(itunes::Application& app) { app.PreviousTrack(); }
void NextTrack(itunes::Application& app) { app.NextTrack(); }
void Quit(itunes::Application& app) { app.Quit(); }
void Delete(itunes::Application& app) { CurrentTrackOf(app)->Delete(); }
void UpdateIPod(itunes::Application& app) { app.UpdateIPod(); }
void VolumeUp(itunes::Application& app) {
  int32_t volume = app.SoundVolume();
  if (volume < 100) app.SetSoundVolume(volume + 1);
}
void VolumeDown(itunes::Application& app) {
  int32_t volume = app.SoundVolume();
  if (volume > 1) app.SetSoundVolume(volume - 1);
}

struct Player {
  std::string_view word;
  PlayerCommand run;
};

constexpr Player kPlayerCommands[] = {
    {"playpause", PlayPause},
    {"play", Play},
    {"pause", Pause},
    {"stop", Stop},
    {"previoustrack", PreviousTrack},
    {"nexttrack", NextTrack},
    {"quit", Quit},
    {"delete", Delete},
    {"updateipod", UpdateIPod},
    {"volumeup", VolumeUp},
    {"volumedown", VolumeDown},
};

}  // namespace

PlayerCommand FindPlayerCommand(std::string_view word) {
  auto it = std::find_if(std::begin(kPlayerCommands), std::end(kPlayerCommands),
                         [&](const Player& c) { return text::EqualsNoCase(c.word, word); });
  return it == std::end(kPlayerCommands) ? nullptr : it->run;
}

std::string Parameter(const std::string& code) {
  auto fields = text::Split(code, '=');
  if (fields.size() < 2) throw Failure(errors::kSubscriptOutOfRange);
  return fields[1];
}

bool EndsWithStar(const std::string& code) {
  return code.size() >= 4 &&
         text::EqualsNoCase(std::string_view(code).substr(code.size() - 4), "star");
}

void Skip(itunes::Application& app, const std::string& code) {
  double by = values::LeadingNumber(Parameter(code));
  app.SetPlayerPosition(values::ToLong(app.PlayerPosition() + by));
}

void ReloadTimer(skin::SkinElements& w, const std::string& code) {
  ui::Timer& timer = w.tmr(values::ShortValue(Parameter(code)));
  timer.SetEnabled(false);
  timer.SetEnabled(true);
}

}  // namespace quavero::commands
