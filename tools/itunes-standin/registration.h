// Registering the stand-in as "iTunes.Application" and as the shell's "iTunes": per user on
// Windows; under Wine, which does not read per-user class registrations, for the machine.
#pragma once

#include <windows.h>

#include <string>

namespace quavero::standin {

inline constexpr CLSID kITunesClass = {
    0xDC0C2640, 0x1415, 0x4644, {0x87, 0x5C, 0x6F, 0x4D, 0x76, 0x98, 0x39, 0xBA}};

struct Options {
  std::wstring journal;
  std::wstring library;
};

// The options --register remembered, for starts by COM or the shell.
Options ReadRememberedOptions();
int Register(const Options& options);
int Unregister();

}  // namespace quavero::standin
