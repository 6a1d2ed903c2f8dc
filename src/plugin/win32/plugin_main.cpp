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

namespace {

using quavero::plugin::LayoutFor;

using AppProc = int32_t (*)(void* app_cookie, uint32_t message, void* message_info);

// The SDK's init message, as iTunes passes it to the entry point.
struct PluginInitMessage {
  uint32_t majorVersion;
  uint32_t minorVersion;
  void* appCookie;
  AppProc appProc;
  uint32_t options;
  void* refCon;
};

// The SDK's register-visualizer message, for the compiler to check the portable layout against.
struct RegisterVisualPluginMessage {
  unsigned char name[64];
  uint32_t options;
  uint32_t creator;
  unsigned char pluginVersion[4];
  void* handler;
  void* registerRefCon;
  uint32_t timeBetweenDataInMS;
  uint32_t numWaveformChannels;
  uint32_t numSpectrumChannels;
  int16_t minWidth, minHeight, maxWidth, maxHeight;
  uint16_t minFullScreenBitDepth, maxFullScreenBitDepth;
  uint16_t windowAlignmentInBytes;
};
struct PlayerMessageInfo {
  uint32_t messageMajorVersion;
  uint32_t messageMinorVersion;
  uint32_t messageInfoSize;
  RegisterVisualPluginMessage registerVisualPluginMessage;
};

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
