// The messages of the iTunes Visual Plug-in SDK (the generation Quavero registers with) as the
// compiler lays them out, shared by the plug-in and the plug-in host: the entry point's init
// message and the register-visualizer message. The plug-in checks these layouts against its
// portable ones.
#pragma once

#include <cstdint>

namespace quavero::plugin::sdk {

using AppProc = int32_t (*)(void* app_cookie, uint32_t message, void* message_info);
using VisualHandler = int32_t (*)(uint32_t message, void* message_info, void* ref_con);

struct PluginInitMessage {
  uint32_t majorVersion;
  uint32_t minorVersion;
  void* appCookie;
  AppProc appProc;
  uint32_t options;
  void* refCon;
};

struct RegisterVisualPluginMessage {
  unsigned char name[64];  // a length byte, then up to 63 characters
  uint32_t options;
  uint32_t creator;
  unsigned char pluginVersion[4];  // major, minor and fix, stage, non-release
  VisualHandler handler;
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

}  // namespace quavero::plugin::sdk
