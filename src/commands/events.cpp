// Skin events: the records of "event" lines, and the code run on any press.
#include "base/text.h"
#include "skin/skin_window.h"

namespace quavero::skin {

void SkinWindow::NewEvent(const std::string& TheEvent) {
  auto fields = text::Split(TheEvent, ';');
  if (fields.size() < 2) throw Failure(errors::kSubscriptOutOfRange);
  EventList.push_back({fields[0], fields[1]});
}

void SkinWindow::CheckEvent(const std::string& CurEvent) {
  // Records added while the codes run are not visited.
  const size_t count = EventList.size();
  for (size_t i = 0; i < count && i < EventList.size(); ++i) {
    if (text::EqualsNoCase(EventList[i].name, CurEvent)) RunCode(EventList[i].code);
  }
}

void SkinWindow::RunInterActionCode() {
  AbortEffect = true;
  for (size_t i = 0; i < InteractionCodes.size(); ++i) RunCode(InteractionCodes[i]);
}

}  // namespace quavero::skin
