// A sandbox application folder on the headless platform, with helpers to write skins into it.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "itunes/simulated_itunes.h"
#include "base/lines.h"
#include "platform/headless/headless_platform.h"
#include "platform/picture_header.h"
#include "skin/skin_window.h"

namespace quavero::test {

// A whole PNG file of that size, as far as its chunks go (the pixel data is not real).
inline std::string PngBytes(int width, int height) {
  auto chunk = [](std::string_view type, const std::string& data) {
    std::string c;
    for (int shift = 24; shift >= 0; shift -= 8) c += static_cast<char>((data.size() >> shift) & 0xFF);
    std::string body = std::string(type) + data;
    uint32_t crc = platform::Crc32(body);
    c += body;
    for (int shift = 24; shift >= 0; shift -= 8) c += static_cast<char>((crc >> shift) & 0xFF);
    return c;
  };
  std::string header;
  for (int v : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) header += static_cast<char>((v >> shift) & 0xFF);
  header += std::string("\x08\x06\0\0\0", 5);
  return "\x89PNG\r\n\x1A\n" + chunk("IHDR", header) + chunk("IDAT", std::string(8, '\0')) +
         chunk("IEND", "");
}

class SkinFixture : public ::testing::Test {
 protected:
  SkinFixture()
      : root_(MakeRoot()), platform_(root_), app_(platform_) {}
  ~SkinFixture() override {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

  static std::filesystem::path MakeRoot() {
    static int counter = 0;
    auto root = std::filesystem::temp_directory_path() /
                ("quavero-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "Skins");
    return root;
  }

  // Writes a file below the application folder; relative uses "/".
  void WriteFile(const std::string& relative, const std::string& bytes) {
    auto path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& relative) {
    std::ifstream in(root_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& relative) { return std::filesystem::exists(root_ / relative); }

  void WriteSkin(const std::string& name, const std::vector<std::string>& lines) {
    WriteFile("Skins/" + name + "/skin.ini", lines::JoinLines(lines));
  }
  void WritePicture(const std::string& relative, int width = 16, int height = 16) {
    WriteFile(relative, PngBytes(width, height));
  }

  static std::string Folder(const std::string& name) {
    return "C:\\Quavero\\Skins\\" + name + "\\";
  }
  std::shared_ptr<skin::SkinWindow> Open(const std::string& name, int16_t left = -99,
                                         int16_t top = -99) {
    return app_.OpenSkinWindow(Folder(name), left, top, false);
  }
  // A skin written and opened in one go.
  std::shared_ptr<skin::SkinWindow> Load(const std::vector<std::string>& lines) {
    WriteSkin("Test", lines);
    return Open("Test");
  }

  // A simulated iTunes that the program will find: the application object it creates, and
  // (unless told otherwise) a running process in an iTunes folder.
  std::shared_ptr<itunes::SimulatedITunes> SimulatedITunes(bool running = true) {
    auto itunes = std::make_shared<itunes::SimulatedITunes>(platform_.loop());
    platform_.itunes = itunes;
    if (running) platform_.processes().Start(4242, "C:\\Program Files\\iTunes\\iTunes.exe");
    return itunes;
  }

  const std::vector<platform::headless::MessageRecord>& messages() {
    return platform_.windows().messages();
  }
  std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const auto& m : messages()) texts.push_back(m.text);
    return texts;
  }
  std::string Setting(const std::string& key, const std::string& fallback = "<missing>") {
    return platform_.settings().Get("Quavero", "Options", key, fallback);
  }

  std::filesystem::path root_;
  platform::headless::HeadlessPlatform platform_;
  app::Application app_;
};

// The text of a skin-line failure message.
inline std::string LineError(const std::string& detail, const std::string& line) {
  return "There was an error while loading the skin:\r\n" + detail + "\r\n" + line;
}

// A timed lyrics file whose default text is "Ready", around the given lines.
inline std::string LyricsFile(const std::string& body, const std::string& header = "1",
                              const std::string& offset = "0") {
  return "[CantixSyncFile]" + header + "\r\n[Timing] Normal\r\n[Creator]Ann\r\n"
         "[DefaultLyrics]Ready\r\n[TimeOffset]" + offset + "\r\n[Lyrics]\r\n" + body +
         "[EndLyrics]\r\n";
}

}  // namespace quavero::test
