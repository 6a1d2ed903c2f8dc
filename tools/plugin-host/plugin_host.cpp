// quavero-pluginhost: loads an iTunes visual plug-in as iTunes does and prints what happened,
// one line each. Usage:
//   quavero-pluginhost [--refuse N] PLUGIN.dll STEP...
// A STEP is a message to the entry point ("init", "clr", any four characters) or, with
// "visual:" in front, to the visualizer the plug-in registered ("visual:init", "visual:vrnd").
// Lines: "register name=... options=... version=... timer=... sizes=..." when the plug-in
// registers (answered with 0, or N with --refuse), "STEP -> RESULT" for each step ("unknown"
// for a code iTunes never sends), and "launched PATH" for each program the plug-in asks the
// shell to open (the call goes on to the shell).
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin/win32/itunes_sdk.h"

namespace {

using EntryPoint = int32_t (*)(uint32_t message, void* info, void* ref_con);
using quavero::plugin::sdk::PlayerMessageInfo;
using quavero::plugin::sdk::PluginInitMessage;
using Handler = quavero::plugin::sdk::VisualHandler;

constexpr uint32_t Code(const char* c) {
  return uint32_t(uint8_t(c[0])) << 24 | uint32_t(uint8_t(c[1])) << 16 |
         uint32_t(uint8_t(c[2])) << 8 | uint32_t(uint8_t(c[3]));
}

Handler g_handler = nullptr;
int32_t g_register_answer = 0;
int g_cookie = 0;

std::string CodeText(uint32_t code) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) text += static_cast<char>((code >> shift) & 0xFF);
  return text;
}

int32_t AppCallback(void* cookie, uint32_t message, void* info) {
  if (cookie != &g_cookie || message != Code("rvis") || !info) {
    std::printf("callback %s (not a registration)\n", CodeText(message).c_str());
    return -4;
  }
  const auto& m = *static_cast<PlayerMessageInfo*>(info);
  const auto& r = m.registerVisualPluginMessage;
  std::string name(reinterpret_cast<const char*>(r.name + 1), r.name[0]);
  std::printf("register message=%u.%u size=%u name=%s options=%u creator=%s version=%u.%u.%u.%u "
              "handler=%s refcon=%s timer=%u channels=%u,%u sizes=%dx%d-%dx%d depths=%u,%u "
              "alignment=%u\n",
              m.messageMajorVersion, m.messageMinorVersion, m.messageInfoSize, name.c_str(),
              r.options, CodeText(r.creator).c_str(), r.pluginVersion[0], r.pluginVersion[1],
              r.pluginVersion[2], r.pluginVersion[3], r.handler ? "set" : "null",
              r.registerRefCon ? "set" : "null", r.timeBetweenDataInMS, r.numWaveformChannels,
              r.numSpectrumChannels, r.minWidth, r.minHeight, r.maxWidth, r.maxHeight,
              r.minFullScreenBitDepth, r.maxFullScreenBitDepth, r.windowAlignmentInBytes);
  std::fflush(stdout);
  g_handler = r.handler;
  return g_register_answer;
}

HINSTANCE WINAPI ShellExecuteSeen(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                  LPCSTR folder, INT show) {
  std::printf("launched %s operation=%s show=%d\n", file ? file : "(none)",
              operation ? operation : "(none)", show);
  std::fflush(stdout);
  return ShellExecuteA(owner, operation, file, parameters, folder, show);
}

// The plug-in's import of ShellExecuteA goes through ShellExecuteSeen.
void WatchShellExecute(HMODULE plugin) {
  auto* base = reinterpret_cast<BYTE*>(plugin);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress) return;
  for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
    if (lstrcmpiA(reinterpret_cast<char*>(base + imp->Name), "shell32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<char*>(by_name->Name), "ShellExecuteA") != 0) continue;
      DWORD old = 0;
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &old);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(&ShellExecuteSeen);
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), old, &old);
    }
  }
}

bool KnownEntryCode(const std::string& code) { return code == "init" || code == "clr "; }
bool KnownVisualCode(const std::string& code) {
  static const char* const known[] = {"init", "clr ", "ctrk", "hide", "null", "setp", "show", "swin",
                                      "voff", "von ", "vpau", "vply", "vrnd", "vstp", "vunp", "vupd"};
  for (const char* k : known)
    if (code == k) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--refuse") == 0) {
    g_register_answer = std::atoi(argv[2]);
    first = 3;
  }
  if (argc <= first) {
    std::fprintf(stderr, "usage: quavero-pluginhost [--refuse N] PLUGIN.dll STEP...\n");
    return 2;
  }
  HMODULE plugin = LoadLibraryA(argv[first]);
  if (!plugin) {
    std::printf("load failed %lu\n", GetLastError());
    return 1;
  }
  auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(plugin, "iTunesPluginMain")));
  if (!entry) {
    std::printf("no iTunesPluginMain\n");
    return 1;
  }
  WatchShellExecute(plugin);
  for (int i = first + 1; i < argc; ++i) {
    std::string step = argv[i];
    bool visual = step.rfind("visual:", 0) == 0;
    std::string code = visual ? step.substr(7) : step;
    code.resize(4, ' ');
    int32_t result;
    if (visual) {
      if (!g_handler) {
        std::printf("%s -> no visualizer registered\n", step.c_str());
        continue;
      }
      result = g_handler(Code(code.c_str()), nullptr, nullptr);
    } else {
      PluginInitMessage init{11, 2, &g_cookie, &AppCallback, 0, nullptr};
      result = entry(Code(code.c_str()), code == "init" ? &init : nullptr, nullptr);
    }
    bool known = visual ? KnownVisualCode(code) : KnownEntryCode(code);
    std::printf("%s%s -> %d\n", visual ? "visual:" : "", known ? step.substr(visual ? 7 : 0).c_str() : "unknown", result);
    std::fflush(stdout);
  }
  FreeLibrary(plugin);
  return 0;
}
