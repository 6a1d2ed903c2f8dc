// The iTunes visual plug-in's rules: the four-character message codes, what the entry point
// and the visualizer's handler do with each message, the registration record as iTunes reads
// it (for 32-bit and 64-bit iTunes), and the option file's rule for starting Quavero. The DLL
// (win32/) only wires these to iTunes and the shell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace quavero::plugin {

// 'init' is 0x696E6974: the first character in the most significant byte. Four characters.
constexpr uint32_t Code(const char* c) {
  return static_cast<uint32_t>(static_cast<unsigned char>(c[0])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(c[1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(c[2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(c[3]));
}

inline constexpr int32_t kNoErr = 0;
inline constexpr int32_t kUnimpErr = -4;

inline constexpr char kOptionFile[] = "C:\\Program Files\\Quavero\\openwithitunes.opt";
inline constexpr char kProgram[] = "C:\\Program Files\\Quavero\\Quavero.exe";
inline constexpr char kVisualizerName[] = "Cantix for iTunes";

// What the entry point does with a message.
enum class EntryAction { kRegister, kCleanUp, kUnknown };
EntryAction EntryMessage(uint32_t message);

// What the visualizer's handler does with a message, and what it answers.
enum class VisualAction { kLaunchCheck, kNothing, kUnknown };
VisualAction VisualMessage(uint32_t message);
inline int32_t VisualResult(VisualAction action) {
  return action == VisualAction::kUnknown ? kUnimpErr : kNoErr;
}

// Where each field of the registration message lies, for a pointer size of 4 or 8 bytes: the
// SDK's structure with natural alignment.
struct RegistrationLayout {
  size_t header;  // major, minor, size, then padding up to the body's alignment
  size_t name, options, creator, version;
  size_t handler, ref_con, time_between_data, waveform_channels, spectrum_channels;
  size_t min_width, min_height, max_width, max_height;
  size_t min_depth, max_depth, alignment;
  size_t body_size;
  constexpr size_t message_size() const { return header + body_size; }
};
constexpr RegistrationLayout LayoutFor(size_t pointer_size) {
  RegistrationLayout l{};
  l.header = pointer_size == 8 ? 16 : 12;
  l.name = 0;
  l.options = 64;
  l.creator = 68;
  l.version = 72;
  l.handler = pointer_size == 8 ? 80 : 76;  // a pointer starts at a multiple of its size
  l.ref_con = l.handler + pointer_size;
  l.time_between_data = l.ref_con + pointer_size;
  l.waveform_channels = l.time_between_data + 4;
  l.spectrum_channels = l.waveform_channels + 4;
  l.min_width = l.spectrum_channels + 4;
  l.min_height = l.min_width + 2;
  l.max_width = l.min_height + 2;
  l.max_height = l.max_width + 2;
  l.min_depth = l.max_height + 2;
  l.max_depth = l.min_depth + 2;
  l.alignment = l.max_depth + 2;
  size_t end = l.alignment + 2;
  l.body_size = (end + pointer_size - 1) / pointer_size * pointer_size;
  return l;
}

// The register-visualizer message ('rvis') as iTunes of that pointer size reads it: the header
// (10, 5, the size), the body zeroed and filled with the visualizer's name, its options (idle
// messages wanted), creator "????", version 1.0 final, the handler, 100 ms between data, two
// waveform and two spectrum channels, 64 by 64 up to 32767 by 32767, any depth and alignment.
std::vector<uint8_t> RegistrationMessage(size_t pointer_size, uint64_t handler);

// The option file's rule, read in text mode: at most one character of its first line is
// read, and only "1" starts Quavero. A file that did not open (null) starts nothing.
std::string FirstCharacterOfFirstLine(std::FILE* option_file);
bool StartsQuavero(std::FILE* option_file);

}  // namespace quavero::plugin
