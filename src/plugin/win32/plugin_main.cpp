// QuaveroPlugin.dll: iTunes loads it from its Plug-Ins folder and calls iTunesPluginMain. On
// 'init' it registers a visualizer that draws nothing; when iTunes initialises that
// visualizer, Quavero is started if the option file says "1". It keeps no state and reads no
// other file.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "plugin/plugin_messages.h"
#include "plugin/win32/itunes_sdk.h"

namespace {

using quavero::plugin::LayoutFor;
namespace sdk = quavero::plugin::sdk;

using sdk::PlayerMessageInfo;
using sdk::PluginInitMessage;
using sdk::RegisterVisualPluginMessage;

constexpr auto kLayout = LayoutFor(sizeof(void*));
static_assert(offsetof(PlayerMessageInfo, registerVisualPluginMessage) == kLayout.header);
static_assert(sizeof(PlayerMessageInfo) == kLayout.message_size());
static_assert(offsetof(RegisterVisualPluginMessage, handler) == kLayout.handler);
static_assert(offsetof(RegisterVisualPluginMessage, timeBetweenDataInMS) == kLayout.time_between_data);
static_assert(offsetof(RegisterVisualPluginMessage, minWidth) == kLayout.min_width);
static_assert(offsetof(RegisterVisualPluginMessage, windowAlignmentInBytes) == kLayout.alignment);
static_assert(offsetof(PluginInitMessage, appProc) == (sizeof(void*) == 8 ? 16 : 12));

void LaunchCheck() {
  std::FILE* option_file = std::fopen(quavero::plugin::kOptionFile, "r");
  bool start = quavero::plugin::StartsQuavero(option_file);
  if (option_file) std::fclose(option_file);
  if (start) ShellExecuteA(nullptr, "open", quavero::plugin::kProgram, nullptr, nullptr, SW_SHOWNORMAL);
}

int32_t VisualPluginHandler(uint32_t message, void* /*message_info*/, void* /*ref_con*/) {
  try {
    auto action = quavero::plugin::VisualMessage(message);
    if (action == quavero::plugin::VisualAction::kLaunchCheck) LaunchCheck();
    return quavero::plugin::VisualResult(action);
  } catch (...) {
    return quavero::plugin::kNoErr;  // nothing escapes into iTunes
  }
}

int32_t RegisterVisualizer(const PluginInitMessage& init) {
  auto record = quavero::plugin::RegistrationMessage(
      sizeof(void*), reinterpret_cast<uintptr_t>(&VisualPluginHandler));
  // The record as the structure iTunes reads: aligned as the structure is.
  PlayerMessageInfo message;
  std::memcpy(&message, record.data(), sizeof(message));
  return init.appProc(init.appCookie, quavero::plugin::Code("rvis"), &message);
}

}  // namespace

extern "C" __declspec(dllexport) int32_t iTunesPluginMain(uint32_t message, void* message_info,
                                                          void* /*ref_con*/) {
  try {
    switch (quavero::plugin::EntryMessage(message)) {
      case quavero::plugin::EntryAction::kRegister: {
        auto* init = static_cast<PluginInitMessage*>(message_info);
        if (!init || !init->appProc) return quavero::plugin::kUnimpErr;
        return RegisterVisualizer(*init);
      }
      case quavero::plugin::EntryAction::kCleanUp: return quavero::plugin::kNoErr;
      case quavero::plugin::EntryAction::kUnknown: break;
    }
  } catch (...) {
    // nothing escapes into iTunes
  }
  return quavero::plugin::kUnimpErr;
}
