// Scaling with the band (mdlResizer): a skin with an "autoresize" line names the size it was
// designed for; each image, label, star and the progress bar keeps the geometry its skin line
// gave it, and is placed anew in proportion whenever the band changes size.
#include <cmath>
#include <exception>

#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "deskband/band_window.h"

namespace quavero::deskband {
namespace {

std::string KeyOf(const ui::Control& control) {
  if (control.index() < 0) return control.name();
  return control.name() + "(" + std::to_string(control.index()) + ")";
}

std::string Whole(double v) { return std::to_string(std::lround(v)); }

}  // namespace

bool BandWindow::IsScalable(const std::string& name) {
  const std::string lower = text::ToLowerAscii(name);
  return lower == "img" || lower == "lblinfo" || lower == "imgprogress" ||
         lower == "imgratings" || lower == "scrollinfo";
}

void BandWindow::RecordDesignGeometry() {
  for (const auto& control : form_.controls()) {
    if (!IsScalable(control->name())) continue;
    std::string key = KeyOf(*control);
    if (DesignGeometry.count(key)) throw Failure(errors::kKeyInUse);
    DesignGeometry[key] = Whole(control->left()) + ";" + Whole(control->top()) + ";" +
                          Whole(control->width()) + ";" + Whole(control->height());
  }
}

void BandWindow::ResizeElements() {
  try {
    const double width = std::trunc(picBack.width()), height = std::trunc(picBack.height());
    for (const auto& control : form_.controls()) {
      if (!IsScalable(control->name())) continue;
      auto it = DesignGeometry.find(KeyOf(*control));
      if (it == DesignGeometry.end()) throw Failure(errors::kInvalidCall);
      auto g = text::Split(it->second, ';');
      if (g.size() < 4) throw Failure(errors::kSubscriptOutOfRange);
      if (DesignWidth == 0 || DesignHeight == 0) throw Failure(errors::kDivisionByZero);
      control->SetLeft(values::LeadingNumber(g[0]) / DesignWidth * width);
      control->SetWidth(values::LeadingNumber(g[2]) / DesignWidth * width);
      control->SetTop(values::LeadingNumber(g[1]) / DesignHeight * height);
      control->SetHeight(values::LeadingNumber(g[3]) / DesignHeight * height);
    }
  } catch (const std::exception& failure) {
    ShowMessage(DescriptionOf(failure), platform::Icon::kNone, kBandApplication);
  }
}

}  // namespace quavero::deskband
