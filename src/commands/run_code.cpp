// The command interpreter of skin code. A code is one command, or a group of commands in
// braces, {fadeclose}{quit}. Exact commands are looked up first; only when none matches, every
// prefix command that applies is carried out, in table order. Failures are reported per code:
// a beep when iTunes is not usable, otherwise a message naming the code.
#include <exception>

#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "commands/commands.h"
#include "commands/shared_commands.h"
#include "skin/skin_window.h"

namespace quavero::skin {

void SkinWindow::RunCode(std::string& TheCode) {
  // A window that closes while its code runs keeps its iTunes until the code has ended, so the
  // rest of a group still runs as written; a program ended at once runs nothing more.
  auto keep_alive = weak_from_this().lock();
  if (app_.ended_at_once()) return;
  if (!ComCallsEnabled) {
    app_.platform().windows().Beep();
    return;
  }
  if (TheCode.empty()) return;
  commands::RunGroupPieces(TheCode, [this](std::string& piece) {
    RunCode(piece);
    return !app_.ended_at_once();
  });
  if (app_.ended_at_once()) return;
  try {
    if (!commands::RunExactCommand(*this, TheCode))
      commands::RunPrefixCommands(*this, TheCode);
  } catch (const std::exception& failure) {
    iTunesFailed(failure);
    if (iTunesIsNothing(true)) {
      app_.platform().windows().Beep();
      return;
    }
    auto* f = dynamic_cast<const Failure*>(&failure);
    app_.ReportFailure(
        "There was an error in the RunCode procedure: \r\nRunCode: " + TheCode + "\r\n" +
            (f ? f->description() : std::string(failure.what())),
        "Error!", platform::Icon::kCritical);
  }
}

}  // namespace quavero::skin
