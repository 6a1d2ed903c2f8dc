// The rating stars and the artwork: the stars show the current track's rating and rate it
// when clicked; ARTWORK images show the current track's artwork through a temporary file; an
// image shows its normal picture again once the pointer has left it.
#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "skin/skin_window.h"

namespace quavero::skin {

void SkinWindow::ShowRatings(itunes::Track* current) {
  DrawStars([&] {
    return current ? current->Rating() : itunes::Existing(iTunes().CurrentTrack()).Rating();
  });
}

void SkinWindow::imgRatings_Click(int Index) {
  if (iTunesIsNothing(true)) return;
  auto track = GlobaliTunes().CurrentTrack();
  if (track) track->SetRating((Index + 1) * 20);
}

void SkinWindow::ShowArtworkIn(int16_t TheIndex, itunes::Track* current) {
  itunes::TrackPtr asked;
  if (!current) {
    if (iTunesIsNothing(true)) return;
    asked = iTunes().CurrentTrack();
    if (!asked) return;
    current = asked.get();
  }
  itunes::Track* track = current;
  auto artwork = track->Artwork();
  if (!artwork || artwork->Count() == 0) {
    img(TheIndex).SetPicture(nullptr);
    return;
  }
  std::string file = app_.GetTempFolder() + "\\tempart.jpg";
  int32_t id = track->TrackDatabaseID();
  if (id != ArtworkTrackID) {
    itunes::Existing(artwork->Item(1)).SaveArtworkToFile(file);
    ArtworkTrackID = id;
  }
  img(TheIndex).SetPicture(app_.LoadPictureFile(file));
}

void SkinWindow::tmrTrackImage_Timer() {
  if (HoverIndex == -1) return tmrTrackImage.SetEnabled(false);
  const ui::Image& image = img(HoverIndex);
  ui::Point origin = form_.ScreenOrigin();  // also for a window inside another
  int left = static_cast<int>(origin.x + image.left());
  int top = static_cast<int>(origin.y + image.top());
  if (app_.CursorInRect(left, top, static_cast<int>(image.height()), static_cast<int>(image.width())))
    return;
  int index = HoverIndex;
  HoverIndex = -1;
  tmrTrackImage.SetEnabled(false);
  ShowEntry(index, 0);
}

}  // namespace quavero::skin
