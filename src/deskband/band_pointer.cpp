// What the pointer does on the band: presses run the interaction codes, images run their code
// when released, "position" images and the progress bar seek while the left button is held,
// "movewindow" images drag the window, and the stars rate. Right-button releases do nothing.
#include <exception>

#include "base/text.h"
#include "base/values.h"
#include "deskband/band_window.h"

namespace quavero::deskband {
namespace {

// Whether a release at x, y (relative to the element that kept the mouse) is over it.
bool Over(const ui::Control& element, double x, double y) {
  return x >= 0 && y >= 0 && x < element.width() && y < element.height();
}

}  // namespace

void BandWindow::Background_MouseDown() {
  RunInterActionCode();
  RunCode(FormClickCode);
}

void BandWindow::lblInfo_MouseDown() { RunInterActionCode(); }
void BandWindow::lblInfo_Click() { RunCode(FormClickCode); }

void BandWindow::img_MouseDown(int Index, int Button, int Shift, double X, double Y) {
  RunInterActionCode();
  img_MouseMove(Index, Button, Shift, X, Y);
}

void BandWindow::img_MouseMove(int Index, int Button, int, double X, double) {
  if (!(Button & ui::mouse::kLeft)) return;
  ui::Image& image = img(Index);
  if (text::EqualsNoCase(image.tag(), "position")) SeekTo(X, image.width());
  else if (image.tag() == "movewindow") MoveWindow();
}

void BandWindow::img_MouseUp(int Index, int Button, int, double, double) {
  if (Button == ui::mouse::kRight) return;
  RunCode(img(Index).tag());
}

void BandWindow::imgProgress_MouseDown(int Button, int Shift, double X, double Y) {
  RunInterActionCode();
  imgProgress_MouseMove(Button, Shift, X, Y);
}

void BandWindow::imgProgress_MouseMove(int Button, int, double X, double) {
  if (Button & ui::mouse::kLeft) SeekTo(X, values::LeadingNumber(imgProgress.tag()));
}

void BandWindow::MoveWindow() { form_.StartSystemDrag(); }

// The platform's events, each caught whole: nothing escapes into the shell.
void BandWindow::OnMouseDown(ui::Control* element, int button, int shift, double x, double y) {
  try {
    if (element == nullptr) return Background_MouseDown();
    if (element == &imgProgress) return imgProgress_MouseDown(button, shift, x, y);
    if (element->name() == "img") return img_MouseDown(element->index(), button, shift, x, y);
    if (element->name() == "lblInfo") return lblInfo_MouseDown();
  } catch (const std::exception&) {
  }
}

void BandWindow::OnMouseMove(ui::Control* element, int buttons, int shift, double x, double y) {
  try {
    if (element == &imgProgress) return imgProgress_MouseMove(buttons, shift, x, y);
    if (element && element->name() == "img")
      return img_MouseMove(element->index(), buttons, shift, x, y);
  } catch (const std::exception&) {
  }
}

void BandWindow::OnMouseUp(ui::Control* element, int button, int shift, double x, double y) {
  try {
    if (element == nullptr || button == ui::mouse::kRight) return;
    if (element->name() == "img") return img_MouseUp(element->index(), button, shift, x, y);
    if (element->name() == "lblInfo" && Over(*element, x, y)) return lblInfo_Click();
    if (element->name() == "imgRatings" && button == ui::mouse::kLeft && Over(*element, x, y))
      return imgRatings_Click(element->index());
  } catch (const std::exception&) {
  }
}

}  // namespace quavero::deskband
