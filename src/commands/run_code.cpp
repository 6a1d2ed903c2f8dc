// The command interpreter of skin code.
#include "skin/skin_window.h"

namespace quavero::skin {

// The command language is not understood yet: a code is accepted and does nothing.
void SkinWindow::RunCode(const std::string& /*code*/) {}

}  // namespace quavero::skin
