// The iTunes plug-in's rules: message codes and answers, the registration record's bytes for
// 32-bit and 64-bit iTunes, and the option file's rule for starting Quavero.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "plugin/plugin_messages.h"

namespace quavero::plugin {
namespace {

uint64_t Read(const std::vector<uint8_t>& bytes, size_t offset, size_t width) {
  uint64_t value = 0;
  for (size_t i = 0; i < width; ++i) value |= uint64_t(bytes.at(offset + i)) << (8 * i);
  return value;
}

TEST(PluginMessages, CodesPackTheFirstCharacterHighest) {
  EXPECT_EQ(Code("init"), 0x696E6974u);
  EXPECT_EQ(Code("clr "), 0x636C7220u);
  EXPECT_EQ(Code("rvis"), 0x72766973u);
  EXPECT_EQ(Code("vrnd"), 0x76726E64u);
}

TEST(PluginMessages, TheEntryPointAndTheVisualizerAnswerTheirTablesAndNothingElse) {
  EXPECT_EQ(EntryMessage(Code("init")), EntryAction::kRegister);
  EXPECT_EQ(EntryMessage(Code("clr ")), EntryAction::kCleanUp);
  EXPECT_EQ(EntryMessage(Code("clr")), EntryAction::kUnknown);  // "clr" and a NUL
  EXPECT_EQ(EntryMessage(Code("vrnd")), EntryAction::kUnknown);
  EXPECT_EQ(VisualMessage(Code("init")), VisualAction::kLaunchCheck);
  for (const char* code : {"clr ", "ctrk", "hide", "null", "setp", "show", "swin", "voff", "von ",
                           "vpau", "vply", "vrnd", "vstp", "vunp", "vupd"}) {
    EXPECT_EQ(VisualMessage(Code(code)), VisualAction::kNothing) << code;
    EXPECT_EQ(VisualResult(VisualMessage(Code(code))), 0) << code;
  }
  for (const char* code : {"rvis", "von", "INIT", "    "})
    EXPECT_EQ(VisualResult(VisualMessage(Code(code))), -4) << code;
}

TEST(PluginMessages, TheRegistrationFor32BitITunesIsTheSdks124ByteMessage) {
  auto bytes = RegistrationMessage(4, 0x10203040);
  std::vector<uint8_t> expected(124, 0);
  auto put = [&](size_t offset, uint64_t value, size_t width) {
    for (size_t i = 0; i < width; ++i) expected[offset + i] = uint8_t(value >> (8 * i));
  };
  put(0, 10, 4);
  put(4, 5, 4);
  put(8, 124, 4);
  expected[12] = 17;
  std::string name = "Cantix for iTunes";
  std::copy(name.begin(), name.end(), expected.begin() + 13);
  put(12 + 64, 8, 4);           // idle messages wanted
  put(12 + 68, 0x3F3F3F3F, 4);  // "????"
  expected[12 + 72] = 1;        // 1.0 final
  expected[12 + 74] = 0x80;
  put(12 + 76, 0x10203040, 4);  // the handler; its reference value stays null
  put(12 + 84, 100, 4);
  put(12 + 88, 2, 4);
  put(12 + 92, 2, 4);
  put(12 + 96, 64, 2);
  put(12 + 98, 64, 2);
  put(12 + 100, 32767, 2);
  put(12 + 102, 32767, 2);
  EXPECT_EQ(bytes, expected);
}

TEST(PluginMessages, TheRegistrationFor64BitITunesHasTheSameFieldsAtTheirNaturalPlaces) {
  const uint64_t handler = 0x00007FF812345678;
  auto bytes = RegistrationMessage(8, handler);
  ASSERT_EQ(bytes.size(), 144u);
  EXPECT_EQ(Read(bytes, 8, 4), 144u);
  EXPECT_EQ(Read(bytes, 12, 4), 0u);  // padding before the body
  const size_t body = 16;
  EXPECT_EQ(bytes[body], 17);
  EXPECT_EQ(std::string(bytes.begin() + body + 1, bytes.begin() + body + 18), "Cantix for iTunes");
  EXPECT_EQ(Read(bytes, body + 64, 4), 8u);
  EXPECT_EQ(Read(bytes, body + 72, 4), 0x00800001u);  // 1, 0, final, 0
  EXPECT_EQ(Read(bytes, body + 76, 4), 0u);  // padding before the handler
  EXPECT_EQ(Read(bytes, body + 80, 8), handler);
  EXPECT_EQ(Read(bytes, body + 88, 8), 0u);
  EXPECT_EQ(Read(bytes, body + 96, 4), 100u);
  EXPECT_EQ(Read(bytes, body + 100, 4), 2u);
  EXPECT_EQ(Read(bytes, body + 104, 4), 2u);
  EXPECT_EQ(Read(bytes, body + 108, 4), 0x00400040u);  // 64 by 64
  EXPECT_EQ(Read(bytes, body + 112, 4), 0x7FFF7FFFu);  // 32767 by 32767
  EXPECT_EQ(Read(bytes, body + 116, 8), 0u);           // depths, alignment, padding
}

TEST(PluginOptionFile, OnlyAFirstLineStartingWithOneStartsQuavero) {
  struct Case {
    std::string content;
    bool starts;
  };
  const Case cases[] = {{"1\r\n", true}, {"1", true},      {"1x\r\n", true}, {"10", true},
                        {"0\r\n", false}, {"", false},     {"\r\n1", false}, {"\n1", false},
                        {" 1", false},    {"\xEF\xBB\xBF" "1", false}};
  for (const auto& c : cases) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fwrite(c.content.data(), 1, c.content.size(), file);
    std::rewind(file);
    EXPECT_EQ(StartsQuavero(file), c.starts) << c.content;
    EXPECT_LE(std::ftell(file), 1L) << "reads at most one character";
    std::fclose(file);
  }
  EXPECT_FALSE(StartsQuavero(nullptr));  // no file: nothing, and no message
}

}  // namespace
}  // namespace quavero::plugin
