#include "ui/dialog.h"

#include <stdexcept>

namespace quavero::ui {

DialogControl& Dialog::control(const std::string& name) {
  for (auto& c : controls_)
    if (c.name == name) return c;
  throw std::logic_error("no control " + name + " in " + caption_);
}

}  // namespace quavero::ui
