// The rating stars and the artwork: the stars show the current track's rating and rate it
// when clicked; ARTWORK images show the current track's artwork through a temporary file; an
// image shows its normal picture again once the pointer has left it.
#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "skin/skin_window.h"

namespace quavero::skin {

void SkinWindow::ShowRatings() {
  if (RatingsSpec.empty()) return;
  auto p = text::Split(RatingsSpec, ';');
  auto field = [&](size_t i) -> const std::string& {
    if (i >= p.size()) throw Failure(errors::kSubscriptOutOfRange);
    return p[i];
  };
  double left = values::LeadingNumber(field(0)), top = values::LeadingNumber(field(1));
  double width = values::LeadingNumber(field(2)), height = values::LeadingNumber(field(3));
  double gap = values::LeadingNumber(field(4));
  const std::string& unlit = field(5);
  for (int i = 0; i <= 4; ++i) {
    ui::Image& star = imgRatings(i);
    star.SetLeft(i * gap + i * width + left);
    star.SetTop(top);
    star.SetWidth(width);
    star.SetHeight(height);
    if (unlit != "NONE") {
      double rating = itunes::Existing(iTunes().CurrentTrack()).Rating();
      star.SetPicture(app_.LoadPictureFile(CurPath + (i < rating / 20 ? field(6) : unlit)));
    } else {
      star.SetPicture(nullptr);
    }
    star.SetVisible(true);
  }
}

void SkinWindow::imgRatings_Click(int Index) {
  if (iTunesIsNothing(true)) return;
  auto track = GlobaliTunes().CurrentTrack();
  if (track) track->SetRating((Index + 1) * 20);
}

void SkinWindow::ShowArtworkIn(int16_t TheIndex) {
  if (iTunesIsNothing(true)) return;
  auto track = iTunes().CurrentTrack();
  if (!track) return;
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
