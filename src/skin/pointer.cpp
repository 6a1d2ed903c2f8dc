// Images are the skin's buttons: a hover picture while the pointer is over one, a pressed
// picture while a button is held, and the image's code on release. Presses on the background
// and on labels run the window's click codes; a modifier key held moves the window.
#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "skin/skin_window.h"

namespace quavero::skin {

std::string SkinWindow::PictureEntry(int index, size_t entry) const {
  if (index < 0 || index >= static_cast<int>(ImagePictures.size())) return "";
  auto entries = text::Split(ImagePictures[index], '|');
  return entry < entries.size() ? entries[entry] : "";
}

void SkinWindow::ShowEntry(int index, size_t entry) {
  try {
    ShowEntryOrFail(index, entry);
  } catch (const std::exception& failure) {
    // A picture that cannot be loaded leaves the image as it was; the handler goes on.
    iTunesFailed(failure);
  }
}

void SkinWindow::ShowEntryOrFail(int index, size_t entry) {
  std::string e = PictureEntry(index, entry);
  if (e.empty() && entry > 0) return;
  if (text::EqualsNoCase(e, "NONE")) {
    if (entry == 0) img(index).SetPicture(nullptr);
  } else if (text::EqualsNoCase(e, "ARTWORK")) {
    ShowArtworkIn(static_cast<int16_t>(index));
  } else {
    img(index).SetPicture(app_.LoadPictureFile(CurPath + e));
  }
}

bool SkinWindow::HasEntry(int index, size_t entry) const {
  std::string e = PictureEntry(index, entry);
  return !e.empty() && !text::EqualsNoCase(e, "NONE");
}

void SkinWindow::StartHover(int index) {
  ShowEntry(index, 1);
  HoverIndex = static_cast<int16_t>(index);
  tmrTrackImage.SetEnabled(true);
}

void SkinWindow::img_MouseDown(int Index, int Button, int Shift, double X, double Y) {
  if (Shift & (ui::keys::kShift | ui::keys::kCtrl | ui::keys::kAlt)) {
    StartMoveWindow();
    return lblMove_MouseDown(Button, Shift, X, Y);
  }
  HoverIndex = -1;
  if (HasEntry(Index, 2)) ShowEntry(Index, 2);
  RunInterActionCode();
  if (!unloaded_) img_MouseMove(Index, Button, Shift, X, Y);
}

void SkinWindow::img_MouseMove(int Index, int Button, int, double X, double) {
  if (Button == 0 && HoverIndex == -1 && HasEntry(Index, 1)) StartHover(Index);
  const ui::Image& image = img(Index);
  if (!(Button & ui::mouse::kLeft) || image.width() <= 0) return;
  if (text::EqualsNoCase(image.tag(), "position")) {
    try {
      SeekTo(X, image.width());
    } catch (const std::exception& failure) {
      iTunesFailed(failure);
    }
  }
  if (text::EqualsNoCase(image.tag(), "movewindow")) MoveWindow();
}

void SkinWindow::img_MouseUp(int Index, int Button, int, double X, double Y) {
  ShowEntry(Index, 0);
  const ui::Image& image = img(Index);
  bool inside = X >= 0 && X <= image.width() && Y >= 0 && Y <= image.height();
  if (inside && HasEntry(Index, 1)) StartHover(Index);
  else if (!inside) HoverIndex = -1;
  if (Button == ui::mouse::kRight) return ShowPopupMenu();
  std::string code = image.tag();
  RunCode(code);
}

// A picture file dropped on an ARTWORK image becomes the current track's artwork.
void SkinWindow::img_OLEDragDrop(int Index, const std::vector<std::string>& files) {
  if (files.empty() || iTunesIsNothing(true)) return;
  try {
    auto track = iTunes().CurrentTrack();
    if (!track) return;
    track->AddArtworkFromFile(files.front());
    ArtworkTrackID = 0;  // the artwork changed: save it anew
    ShowEntryOrFail(Index, 0);
  } catch (const std::exception& failure) {
    iTunesFailed(failure);
    auto* f = dynamic_cast<const Failure*>(&failure);
    app_.ReportFailure(
        "Error on add artwork on OLE Drop: " + (f ? f->description() : std::string(failure.what())),
        "Quavero", platform::Icon::kNone);
  }
}

void SkinWindow::OnFilesDropped(ui::Control* element, const std::vector<std::string>& files) {
  auto keep_alive = weak_from_this().lock();
  if (element && element->name() == "img" && static_cast<ui::Image*>(element)->accepts_files())
    img_OLEDragDrop(element->index(), files);
}

void SkinWindow::ShowPopupMenu() { app_.ShowMenu(*this); }

void SkinWindow::Background_MouseDown() {
  RunInterActionCode();
  RunCode(FormClickCode);
}

void SkinWindow::Background_MouseUp(int Button) {
  if (Button == ui::mouse::kRight) ShowPopupMenu();
}

void SkinWindow::OnMouseDown(ui::Control* element, int button, int shift, double x, double y) {
  auto keep_alive = weak_from_this().lock();
  if (element == &lblMove) return lblMove_MouseDown(button, shift, x, y);
  if (element == &imgProgress) return imgProgress_MouseDown(button, shift, x, y);
  if (element && element->name() == "img") return img_MouseDown(element->index(), button, shift, x, y);
  if (element && element->name() == "imgRatings") return RunInterActionCode();
  Background_MouseDown();
}

void SkinWindow::OnMouseMove(ui::Control* element, int buttons, int shift, double x, double y) {
  auto keep_alive = weak_from_this().lock();
  if (element == &imgProgress) return imgProgress_MouseMove(buttons, shift, x, y);
  if (element && element->name() == "img") img_MouseMove(element->index(), buttons, shift, x, y);
}

void SkinWindow::OnMouseUp(ui::Control* element, int button, int shift, double x, double y) {
  auto keep_alive = weak_from_this().lock();
  if (element && element->name() == "img") return img_MouseUp(element->index(), button, shift, x, y);
  if (element && element->name() == "imgRatings") {
    // A click: the left button, released over the star it was pressed on.
    bool over = x >= 0 && x < element->width() && y >= 0 && y < element->height();
    if (button == ui::mouse::kLeft && over) imgRatings_Click(element->index());
    return;
  }
  if (element == nullptr || element->name() == "lblInfo") Background_MouseUp(button);
}

}  // namespace quavero::skin
