#include "plugin/plugin_messages.h"

#include <algorithm>
#include <cstring>

namespace quavero::plugin {
namespace {

constexpr uint32_t kVisualMessages[] = {Code("clr "), Code("ctrk"), Code("hide"), Code("null"),
                                        Code("setp"), Code("show"), Code("swin"), Code("voff"),
                                        Code("von "), Code("vpau"), Code("vply"), Code("vrnd"),
                                        Code("vstp"), Code("vunp"), Code("vupd")};

constexpr uint32_t kWantsIdleMessages = 1u << 3;

class Writer {
 public:
  Writer(std::vector<uint8_t>& bytes, size_t base) : bytes_(bytes), base_(base) {}
  void Put(size_t offset, uint64_t value, size_t width) {
    for (size_t i = 0; i < width; ++i)
      bytes_[base_ + offset + i] = static_cast<uint8_t>(value >> (8 * i));  // little-endian
  }
  void Byte(size_t offset, uint8_t value) { bytes_[base_ + offset] = value; }

 private:
  std::vector<uint8_t>& bytes_;
  size_t base_;
};

}  // namespace

EntryAction EntryMessage(uint32_t message) {
  if (message == Code("init")) return EntryAction::kRegister;
  if (message == Code("clr ")) return EntryAction::kCleanUp;
  return EntryAction::kUnknown;
}

VisualAction VisualMessage(uint32_t message) {
  if (message == Code("init")) return VisualAction::kLaunchCheck;
  bool known = std::find(std::begin(kVisualMessages), std::end(kVisualMessages), message) !=
               std::end(kVisualMessages);
  return known ? VisualAction::kNothing : VisualAction::kUnknown;
}

std::vector<uint8_t> RegistrationMessage(size_t pointer_size, uint64_t handler) {
  const RegistrationLayout l = LayoutFor(pointer_size);
  std::vector<uint8_t> bytes(l.message_size(), 0);
  Writer header(bytes, 0);
  header.Put(0, 10, 4);
  header.Put(4, 5, 4);
  header.Put(8, l.message_size(), 4);

  Writer body(bytes, l.header);
  const std::string name = kVisualizerName;  // an ordinary string first, then length-prefixed
  size_t length = std::min<size_t>(name.size(), 63);
  body.Byte(l.name, static_cast<uint8_t>(length));
  for (size_t i = 0; i < length; ++i) body.Byte(l.name + 1 + i, static_cast<uint8_t>(name[i]));
  body.Put(l.options, kWantsIdleMessages, 4);
  body.Put(l.creator, Code("????"), 4);
  const uint8_t version[] = {1, 0, 0x80, 0};  // 1.0, final
  for (size_t i = 0; i < 4; ++i) body.Byte(l.version + i, version[i]);
  body.Put(l.handler, handler, pointer_size);
  body.Put(l.ref_con, 0, pointer_size);
  body.Put(l.time_between_data, 100, 4);
  body.Put(l.waveform_channels, 2, 4);
  body.Put(l.spectrum_channels, 2, 4);
  body.Put(l.min_width, 64, 2);
  body.Put(l.min_height, 64, 2);
  body.Put(l.max_width, 32767, 2);
  body.Put(l.max_height, 32767, 2);
  return bytes;  // depths and alignment stay 0: any
}

std::string FirstCharacterOfFirstLine(std::FILE* option_file) {
  if (!option_file) return "";
  int c = std::fgetc(option_file);
  if (c == EOF || c == '\n') return "";
  return std::string(1, static_cast<char>(c));
}

bool StartsQuavero(std::FILE* option_file) { return FirstCharacterOfFirstLine(option_file) == "1"; }

}  // namespace quavero::plugin
