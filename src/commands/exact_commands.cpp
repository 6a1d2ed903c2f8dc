// The exact commands: the whole code is the command's word, letter case ignored. Those that
// only drive iTunes are shared with every skin window (shared_commands.cpp).
#include <algorithm>
#include <string_view>

#include "app/application.h"
#include "commands/commands.h"
#include "commands/shared_commands.h"
#include "skin/skin_window.h"

namespace quavero::commands {
namespace {

using skin::SkinWindow;

// The file goes to the recycle bin only once iTunes has deleted the track: a track iTunes
// keeps keeps its file.
void DeleteCompletely(SkinWindow& w) {
  auto keep_alive = w.shared_from_this();
  std::string file = CurrentTrackOf(w.iTunes())->Location();  // a track that is not a file fails
  ui::WindowHandle owner = w.form().handle();
  bool deleted = DeleteCurrentTrack(w);
  w.app().platform().loop().DoEvents();
  if (deleted && !file.empty()) w.app().platform().shell().SendToRecycleBin(file, owner);
}
void ShowITunes(SkinWindow& w) { w.app().ShellOpen("itunes.exe", "1"); }
void EjectIPod(SkinWindow& w) {
  auto& windows = w.app().platform().windows();
  windows.SetWaitCursor(true);
  w.app().ShellOpen(w.app().AppFolder() + "\\Unmounter.exe", "");
  w.app().platform().loop().DoEvents();
  windows.SetWaitCursor(false);
}
void CloseProgram(SkinWindow& w) {
  w.Unload();
  w.app().EndProgram();
}
void Show(SkinWindow& w) {
  w.form().Show(true);
  w.form().BringToTop();
}
void NormalTransparency(SkinWindow& w) {
  w.app().SetWindowAlpha(w.form(), w.TransparencyLevel == 0 ? 255 : w.TransparencyLevel);
}
void CloseSkin(SkinWindow& w) { w.Unload(); }
void MoveWindow(SkinWindow& w) { w.MoveWindow(); }
void FadeIn(SkinWindow& w) { w.FadeIn(); }
void FadeClose(SkinWindow& w) { w.FadeClose(); }
void SwapArtistAndAlbum(SkinWindow& w) {
  auto track = CurrentTrackOf(w.iTunes());
  std::string artist = track->Artist(), album = track->Album();
  track->SetArtist(album);
  track->SetAlbum(artist);
}
void SwapArtistAndTitle(SkinWindow& w) {
  auto track = CurrentTrackOf(w.iTunes());
  std::string artist = track->Artist(), name = track->Name();
  track->SetArtist(name);
  track->SetName(artist);
}
void SetAsStart(SkinWindow& w) {
  auto& global = w.GlobaliTunes();
  CurrentTrackOf(global)->SetStart(global.PlayerPosition());
}
void SetAsEnd(SkinWindow& w) {
  auto& global = w.GlobaliTunes();
  CurrentTrackOf(global)->SetFinish(global.PlayerPosition());
}

struct ExactCommand {
  std::string_view word;
  void (*run)(SkinWindow&);
};

constexpr ExactCommand kExactCommands[] = {
    {"deletecompletely", DeleteCompletely},
    {"showitunes", ShowITunes},
    {"ejectipod", EjectIPod},
    {"closeprogram", CloseProgram},
    {"show", Show},
    {"normaltransparency", NormalTransparency},
    {"closeskin", CloseSkin},
    {"movewindow", MoveWindow},
    {"fadein", FadeIn},
    {"fadeclose", FadeClose},
    {"swapartistandalbum", SwapArtistAndAlbum},
    {"swapartistandtitle", SwapArtistAndTitle},
    {"setasstart", SetAsStart},
    {"setasend", SetAsEnd},
};

}  // namespace

bool RunExactCommand(SkinWindow& window, const std::string& word) {
  if (PlayerCommand player = FindPlayerCommand(word)) {
    player(window.iTunes());
    return true;
  }
  auto it = std::find_if(std::begin(kExactCommands), std::end(kExactCommands),
                         [&](const ExactCommand& c) { return text::EqualsNoCase(c.word, word); });
  if (it == std::end(kExactCommands)) return false;
  it->run(window);
  return true;
}

}  // namespace quavero::commands
