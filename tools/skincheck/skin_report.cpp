#include "skin_report.h"

#include "base/lines.h"
#include "shell/options_window.h"
#include "base/text.h"
#include "base/values.h"

namespace quavero::skincheck {
namespace {

using nlohmann::json;

std::string IconName(platform::Icon icon) {
  switch (icon) {
    case platform::Icon::kCritical: return "critical";
    case platform::Icon::kInformation: return "information";
    case platform::Icon::kExclamation: return "exclamation";
    case platform::Icon::kQuestion: return "question";
    case platform::Icon::kNone: break;
  }
  return "none";
}

// The file a picture was loaded from, relative to the skin folder when it lies in it.
json PictureFile(const ui::Picture& picture, const std::string& skin_folder) {
  if (!picture) return nullptr;
  if (text::StartsWithNoCase(picture->file, skin_folder))
    return picture->file.substr(skin_folder.size());
  return picture->file;
}

json Labels(const skin::SkinElements& w) {
  json labels = json::array();
  for (const auto& [index, label] : w.lblInfo.elements()) {
    if (index == 0) continue;
    labels.push_back({{"index", index}, {"left", label->left()}, {"top", label->top()},
                      {"width", label->width()}, {"height", label->height()},
                      {"template", label->tag()}, {"fontName", label->font().name},
                      {"fontSize", label->font().size}, {"color", label->fore_color()},
                      {"centered", label->alignment() == ui::Alignment::kCenter},
                      {"visible", label->visible()}});
  }
  return labels;
}

json Images(const skin::SkinElements& w) {
  json images = json::array();
  for (const auto& [index, image] : w.img.elements()) {
    if (index == 0) continue;
    std::string pictures = index < static_cast<int>(w.ImagePictures.size())
                               ? w.ImagePictures[index] : "";
    images.push_back({{"index", index}, {"left", image->left()}, {"top", image->top()},
                      {"width", image->width()}, {"height", image->height()},
                      {"code", image->tag()}, {"pictures", pictures},
                      {"picture", PictureFile(image->picture(), w.CurPath)},
                      {"acceptsFiles", image->accepts_files()}, {"visible", image->visible()}});
  }
  return images;
}

json Timers(const skin::SkinElements& w) {
  json timers = json::array();
  for (const auto& [index, timer] : w.tmr.elements()) {
    if (index == 0) continue;
    timers.push_back({{"index", index}, {"interval", timer->interval()},
                      {"enabled", timer->enabled()}, {"code", timer->tag()}});
  }
  return timers;
}

json Events(const skin::SkinElements& w) {
  json events = json::array();
  for (const auto& e : w.EventList) events.push_back({{"name", e.name}, {"code", e.code}});
  return events;
}

std::string StateName(hotkeys::HotkeyState state) {
  switch (state) {
    case hotkeys::HotkeyState::kActive: return "active";
    case hotkeys::HotkeyState::kConflict: return "conflict";
    case hotkeys::HotkeyState::kRefused: return "refused";
    case hotkeys::HotkeyState::kIdle: break;
  }
  return "inactive";
}

json Shortcuts(const skin::SkinWindow& w) {
  json shortcuts = json::array();
  // The list always ends with the empty record the next shortcut line fills.
  for (size_t i = 0; i + 1 < w.KeyShortcuts.size(); ++i) {
    json shortcut = {{"keys", w.KeyShortcuts[i].keys}, {"code", w.KeyShortcuts[i].code}};
    if (i < w.hkHotkey.size()) {
      const auto& k = w.hkHotkey[i]->settings;
      shortcut["alt"] = k.AltKey;
      shortcut["shift"] = k.ShiftKey;
      shortcut["control"] = k.CtrlKey;
      shortcut["win"] = k.WinKey;
      shortcut["key"] = k.VKey;
      shortcut["state"] = StateName(w.ShortcutState(static_cast<int>(i)));
    }
    shortcuts.push_back(shortcut);
  }
  return shortcuts;
}

json Progress(const skin::SkinElements& w) {
  const ui::Image& bar = w.imgProgress;
  return {{"visible", bar.visible()}, {"left", bar.left()}, {"top", bar.top()},
          {"height", bar.height()}, {"fullWidth", values::LeadingNumber(bar.tag())},
          {"picture", PictureFile(bar.picture(), w.CurPath)}};
}

}  // namespace

std::string MessagesAsText(const std::vector<platform::headless::MessageRecord>& messages,
                           const std::vector<std::string>& warnings) {
  std::string out;
  for (const auto& m : messages) {
    out += "--- " + m.title + " (" + IconName(m.icon) + ")\n";
    for (const auto& line : lines::SplitLines(m.text)) out += line + "\n";
  }
  for (const auto& w : warnings) out += "--- warning\n" + w + "\n";
  if (messages.empty() && warnings.empty()) return "ok\n";
  out += std::to_string(messages.size()) + " messages";
  if (!warnings.empty())
    out += ", " + std::to_string(warnings.size()) + (warnings.size() == 1 ? " warning" : " warnings");
  return out + "\n";
}

json MessagesAsJson(const std::vector<platform::headless::MessageRecord>& messages) {
  json list = json::array();
  for (const auto& m : messages)
    list.push_back({{"title", m.title}, {"icon", IconName(m.icon)}, {"text", m.text}});
  return list;
}

namespace {

// What every skin window has, the program's and the band's.
json ElementsAsJson(const skin::SkinElements& w) {
  const ui::Form& f = w.form();
  return {
      {"tag", f.tag()},
      {"backColor", f.back_color()},
      {"backgroundPicture", PictureFile(f.picture(), w.CurPath)},
      {"formClickCode", w.FormClickCode},
      {"ratingsSpec", w.RatingsSpec},
      {"interactionCodes", w.InteractionCodes},
      {"scrollInterval", w.tmrScroll.interval()},
      {"borders", {{"visible", w.lnTop.visible()}, {"color", w.lnTop.color()}}},
      {"labels", Labels(w)},
      {"images", Images(w)},
      {"timers", Timers(w)},
      {"events", Events(w)},
      {"progress", Progress(w)},
  };
}

}  // namespace

json WindowAsJson(const skin::SkinWindow& w) {
  json window = ElementsAsJson(w);
  window.update({
      {"left", w.form().left()},
      {"top", w.form().top()},
      {"width", w.form().width()},
      {"height", w.form().height()},
      {"onTop", w.OnTop},
      {"transparency", w.TransparencyLevel},
      {"roundAmount", w.RoundAmount},
      {"rememberPos", w.RememberPos},
      {"onDesktop", w.OnDesktop},
      {"glassify", w.GlassifyWindow},
      {"onlyOneInstance", w.OnlyOneInstance},
      {"showAction", w.ShowAction},
      {"noScrollLabels", w.NoScrollLabels},
      {"shortcuts", Shortcuts(w)},
      // The lyrics label (0: none) and the folder its files come from (the setting's default
      // when the line names none).
      {"lyrics", {{"label", w.LyricsLabel},
                  {"folder", w.LyricsFolder.empty() ? shell::kCantixPathDefault : w.LyricsFolder}}},
  });
  return window;
}

json BandWindowAsJson(const deskband::BandWindow& w) {
  json shortcuts = json::array();
  for (size_t i = 0; i + 1 < w.KeyShortcuts.size(); ++i) {
    json keys = json::array();
    for (const std::string& word : text::Split(w.KeyShortcuts[i].keys, '+'))
      keys.push_back(deskband::BandWindow::KeyCode(word));
    shortcuts.push_back({{"keys", w.KeyShortcuts[i].keys}, {"code", w.KeyShortcuts[i].code},
                         {"keyCodes", keys}});
  }
  auto fixed = [](int16_t size) { return size == deskband::kNoFixedSize ? json(nullptr) : json(size); };
  json window = ElementsAsJson(w);
  window.update({
      {"fixedWidth", fixed(w.NoResizeX)},
      {"fixedHeight", fixed(w.NoResizeY)},
      {"autoResize", w.AutoResize ? json({{"width", w.DesignWidth}, {"height", w.DesignHeight}})
                                  : json(nullptr)},
      {"shortcuts", shortcuts},
  });
  return window;
}

}  // namespace quavero::skincheck
