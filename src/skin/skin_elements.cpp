#include "skin/skin_elements.h"

#include <optional>

#include "base/failure.h"
#include "base/raised_flag.h"
#include "base/text.h"
#include "base/values.h"

namespace quavero::skin {

SkinElements::SkinElements(platform::Platform& platform, std::string form_name)
    : platform_(platform),
      form_(std::move(form_name)),
      lblInfo(form_, "lblInfo", ui::Layer::kLabels),
      scrollWidth(form_, "scrollWidth", ui::Layer::kHidden),
      img(form_, "img", ui::Layer::kImages),
      tmr(form_, "tmr", ui::Layer::kHidden),
      imgRatings(form_, "imgRatings", ui::Layer::kStars),
      imgProgress(form_.Add<ui::Image>("imgProgress", -1, ui::Layer::kProgress)),
      lnTop(form_.Add<ui::Line>("lnTop", -1, ui::Layer::kLines)),
      lnBottom(form_.Add<ui::Line>("lnBottom", -1, ui::Layer::kLines)),
      lnLeft(form_.Add<ui::Line>("lnLeft", -1, ui::Layer::kLines)),
      lnRight(form_.Add<ui::Line>("lnRight", -1, ui::Layer::kLines)),
      tmrScroll(form_.Add<ui::Timer>("tmrScroll", -1)),
      tmrProgress(form_.Add<ui::Timer>("tmrProgress", -1)) {
  // The design, before any skin line applies: index 0 of each array is the hidden template.
  lblInfo.Load(0).SetVisible(false);
  scrollWidth.Load(0).SetVisible(false);
  img.Load(0).SetVisible(false);
  tmr.Load(0).SetInterval(0);
  imgRatings.Load(0).SetVisible(false);
  imgProgress.SetVisible(false);
  for (ui::Line* line : {&lnTop, &lnBottom, &lnLeft, &lnRight}) line->SetVisible(false);
  tmrScroll.SetInterval(0);
  KeyShortcuts.assign(1, KeyShortcut{});
}

void SkinElements::RunCode(const std::string& code) {
  std::string copy = code;
  RunCode(copy);
}

void SkinElements::RunTimerCode(const ui::Timer& timer) {
  if (timer_code_running_) return;
  RaisedFlag running(timer_code_running_);
  RunCode(timer.tag());
}

void SkinElements::NewEvent(const std::string& TheEvent) {
  auto fields = text::Split(TheEvent, ';');
  if (fields.size() < 2) throw Failure(errors::kSubscriptOutOfRange);
  EventList.push_back({fields[0], fields[1]});
}

void SkinElements::CheckEvent(const std::string& CurEvent) {
  // Records added while the codes run are not visited.
  const size_t count = EventList.size();
  for (size_t i = 0; i < count && i < EventList.size(); ++i) {
    if (text::EqualsNoCase(EventList[i].name, CurEvent)) RunCode(EventList[i].code);
  }
}

void SkinElements::RunInterActionCode() {
  for (size_t i = 0; i < InteractionCodes.size(); ++i) RunCode(InteractionCodes[i]);
}

void SkinElements::DrawStars(const std::function<double()>& rating) {
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
  std::optional<double> lit;  // the rating, read once for all five stars
  for (int i = 0; i <= 4; ++i) {
    ui::Image& star = imgRatings(i);
    star.SetLeft(i * gap + i * width + left);
    star.SetTop(top);
    star.SetWidth(width);
    star.SetHeight(height);
    if (unlit != "NONE") {
      if (!lit) lit = rating();
      const std::string& file = i < *lit / 20 ? field(6) : unlit;
      star.SetPicture(platform_.pictures().Load(CurPath + file));
    } else {
      star.SetPicture(nullptr);
    }
    star.SetVisible(true);
  }
}

std::vector<size_t> CharacterStarts(const std::string& s) {
  std::vector<size_t> starts;
  starts.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
  return starts;
}

void SkinElements::FitLabel(int index) {
  ui::Label& label = lblInfo(index);
  ui::PictureBox& box = scrollWidth(index);
  std::string caption = label.caption();
  std::string gapped = caption + kScrollGap;
  auto widths = platform_.windows().MeasurePrefixes(box.font(), gapped);
  if (static_cast<int>(LabelScroll.size()) <= index) LabelScroll.resize(index + 1);
  if (static_cast<int>(LabelText.size()) <= index) LabelText.resize(index + 1);
  ScrollText& scroll = LabelScroll[index];
  scroll = ScrollText{CharacterStarts(gapped), {}, 0};
  widths.resize(scroll.starts.size(), widths.empty() ? 0 : widths.back());
  const size_t length = scroll.starts.size() - (sizeof kScrollGap - 1);
  int whole = length == 0 ? 0 : widths[length - 1];
  if (whole <= label.width()) {
    box.SetTag("noscroll");
    scroll.starts.resize(length);
  } else {
    size_t n = length;
    while (n >= 1 && widths[n - 1] >= label.width()) --n;
    // When not even one character fits, the box keeps its tag, unless that still says the
    // label needs no scrolling (as it does before the first refresh).
    if (n >= 1) box.SetTag(std::to_string(n));
    else if (box.tag() == "noscroll") box.SetTag("0");
    caption = gapped;
    label.SetCaption(caption);
  }
  scroll.advances.reserve(scroll.starts.size());
  for (size_t i = 0; i < scroll.starts.size(); ++i)
    scroll.advances.push_back(widths[i] - (i == 0 ? 0 : widths[i - 1]));
  LabelText[index] = caption;
}

}  // namespace quavero::skin
