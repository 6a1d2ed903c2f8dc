// The code run on any press also stops what the window is doing.
#include "base/text.h"
#include "skin/skin_window.h"

namespace quavero::skin {

void SkinWindow::RunInterActionCode() {
  AbortEffect = true;
  SkinElements::RunInterActionCode();
}

}  // namespace quavero::skin
