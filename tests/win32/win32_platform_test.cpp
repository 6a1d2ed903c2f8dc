// The Win32 platform's own behaviour: the registry, files, GDI+ pictures, the instance rule,
// timers.
#include <gtest/gtest.h>

#include "base/failure.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_bitmap.h"
#include "platform/win32/win32_platform.h"
#include "win32_test_support.h"

namespace quavero::test {
namespace {

using platform::Encoding;
using platform::win32::Wide;

TEST(Win32Settings, KeepsTextValuesWhereTheProgramAlwaysKeptThem) {
  platform::win32::Win32Settings settings;
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\QuaveroTest");
  EXPECT_EQ(settings.Get("QuaveroTest", "Options", "RunCount", "0"), "0");
  settings.Save("QuaveroTest", "Options", "RunCount", "12");
  settings.Save("QuaveroTest", "Options", "CurrentSkin", "Caf\xC3\xA9");
  EXPECT_EQ(settings.Get("QuaveroTest", "Options", "runcount", "0"), "12");
  EXPECT_EQ(settings.Get("QuaveroTest", "Options", "CurrentSkin", ""), "Caf\xC3\xA9");

  wchar_t value[16];
  DWORD size = sizeof value;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER,
                         L"Software\\VB and VBA Program Settings\\QuaveroTest\\Options",
                         L"RunCount", RRF_RT_REG_SZ, nullptr, value, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(value, L"12");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\QuaveroTest");
}

TEST(Win32Files, ReadTheCodePageOrUtf8WithMarkAndWriteBackAlike) {
  ScratchFolder dir;
  platform::win32::Win32Files files;
  dir.Write("ansi.ini", "skinname=Caf\xE9\r\n");
  dir.Write("utf8.ini", "\xEF\xBB\xBFskinname=\xE2\x82\xAC\r\n");
  auto ansi = files.ReadText(dir / "ansi.ini");
  EXPECT_EQ(ansi.text, "skinname=Caf\xC3\xA9\r\n");
  EXPECT_EQ(ansi.encoding, Encoding::kCodePage);
  auto utf8 = files.ReadText(dir / "utf8.ini");
  EXPECT_EQ(utf8.text, "skinname=\xE2\x82\xAC\r\n");
  EXPECT_EQ(utf8.encoding, Encoding::kUtf8Bom);

  files.WriteText(dir / "ansi.ini", {"x=\xC3\xA9\r\n", Encoding::kCodePage});
  EXPECT_EQ(dir.Read("ansi.ini"), "x=\xE9\r\n");
  files.WriteText(dir / "utf8.ini", {"x=1\r\n", Encoding::kUtf8Bom});
  EXPECT_EQ(dir.Read("utf8.ini"), "\xEF\xBB\xBFx=1\r\n");
  // A text the code page cannot hold is kept whole, as UTF-8 with a mark.
  files.WriteText(dir / "ansi.ini", {"x=\xE6\x97\xA5\r\n", Encoding::kCodePage});
  EXPECT_EQ(dir.Read("ansi.ini"), "\xEF\xBB\xBFx=\xE6\x97\xA5\r\n");
  EXPECT_FALSE(files.FileExists(dir / "ansi.ini.quavero-new"));
}

// A save killed at any moment leaves the file as it was or as it was to be: never cut short,
// empty or missing.
TEST(Win32Files, AKillDuringARewriteLeavesTheOldFileOrTheNew) {
  ScratchFolder dir;
  const std::string a(2 << 20, 'a'), b(2 << 20, 'b');
  dir.Write("skin.ini", a);
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring writer = std::filesystem::path(self).parent_path() / L"quavero-save-loop.exe";
  std::wstring command = L"\"" + writer + L"\" \"" + Wide(dir / "skin.ini") + L"\"";
  srand(GetTickCount());
  for (int kill = 0; kill < 12; ++kill) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(writer.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    Sleep(150 + rand() % 400);  // the writer is somewhere in a save now
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string held = dir.Read("skin.ini");
    ASSERT_TRUE(held == a || held == b) << "after kill " << kill << ": " << held.size() << " bytes";
  }
}

TEST(Win32Files, FailWithTheNumbersUsersKnow) {
  ScratchFolder dir;
  platform::win32::Win32Files files;
  auto number = [&](const std::string& path) {
    try {
      files.ReadText(path);
    } catch (const Failure& f) {
      return f.number();
    }
    return 0;
  };
  EXPECT_EQ(number(dir / "missing.ini"), 53);
  EXPECT_EQ(number(dir / "no\\such\\folder.ini"), 76);
  EXPECT_EQ(number(dir.folder()), 75);
  EXPECT_THROW(files.WriteText(dir / "no\\folder.ini", {"x"}), Failure);
  dir.Write("b.txt", "");
  dir.Write("A.txt", "");
  std::filesystem::create_directories(dir.path() / "Sub");
  EXPECT_EQ(files.FilesIn(dir.folder()), (std::vector<std::string>{"A.txt", "b.txt"}));
  EXPECT_EQ(files.FoldersIn(dir.folder()), std::vector<std::string>{"Sub"});
  EXPECT_TRUE(files.FolderExists(dir / "Sub"));
  EXPECT_FALSE(files.FileExists(dir / "Sub"));
}

TEST(Win32Pictures, FlattenTransparencyOnBlackAndReuseUnchangedFiles) {
  platform::win32::Win32Pictures pictures;
  std::filesystem::path file = QUAVERO_TEST_DATA "/half_transparent.png";
  ScratchFolder dir;
  std::filesystem::copy_file(file, dir.path() / "p.png");
  auto picture = pictures.Load(dir / "p.png");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 4);
  EXPECT_EQ(picture->height, 2);
  HBITMAP bitmap = platform::win32::BitmapOf(picture)->bitmap;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));      // transparent red shows black
  EXPECT_EQ(GetPixel(dc, 3, 1), RGB(0, 0, 255));
  SelectObject(dc, old);
  DeleteDC(dc);

  EXPECT_EQ(pictures.Load(dir / "P.PNG"), picture);  // the same pixels, not loaded again
  std::filesystem::copy_file(QUAVERO_TEST_DATA "/half_transparent.png", dir.path() / "p.png",
                             std::filesystem::copy_options::overwrite_existing);
  HANDLE h = CreateFileW(Wide(dir / "p.png").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  FILETIME later{0x12345678, 0x01DA0000};
  SetFileTime(h, nullptr, nullptr, &later);
  CloseHandle(h);
  EXPECT_NE(pictures.Load(dir / "p.png"), picture);  // a changed file is read anew

  dir.Write("bad.png", "not a picture");
  for (const char* name : {"bad.png", "missing.png"}) {
    try {
      pictures.Load(dir / name);
      ADD_FAILURE() << name;
    } catch (const Failure& f) {
      EXPECT_EQ(f.number(), 5);
      EXPECT_EQ(f.description(), "Cannot load file");
    }
  }
}

// A 109 KB file that declares 30,000 x 30,000 pixels, and a PNG cut off in its middle.
TEST(Win32Pictures, RefuseAPictureTooLargeToShowAndOneCutShort) {
  platform::win32::Win32Pictures pictures;
  for (const char* name : {"declares_30000_square.png", "truncated.png"}) {
    try {
      pictures.Load(std::string(QUAVERO_TEST_DATA "/") + name);
      ADD_FAILURE() << name;
    } catch (const Failure& f) {
      EXPECT_EQ(f.description(), "Cannot load file") << name;
    }
  }
}

TEST(Win32Windows, MeasuresEveryPrefixOfATextInOneCall) {
  platform::win32::Win32Windows windows;
  ui::Font font{"Tahoma", 12};
  auto widths = windows.MeasurePrefixes(font, "WWii\xF0\x9F\x8E\xB5");  // ends with one emoji
  ASSERT_EQ(widths.size(), 5u);
  for (size_t i = 1; i < widths.size(); ++i) EXPECT_GT(widths[i], widths[i - 1]);
  EXPECT_GT(widths[1] - widths[0], widths[3] - widths[2]);  // W is wider than i
  EXPECT_EQ(windows.MeasureText(font, "WW"), widths[1]);
  ui::Font bigger{"Tahoma", 24};
  EXPECT_GT(windows.MeasureText(bigger, "WW"), widths[1]);
  EXPECT_TRUE(windows.MeasurePrefixes(font, "").empty());
}

TEST(Win32Instance, ASecondClaimFailsAndKeepsTheInstanceSeenForLaterStarts) {
  auto first = std::make_unique<platform::win32::Win32Instance>();
  platform::win32::Win32Instance second, third;
  EXPECT_TRUE(first->Claim());
  EXPECT_FALSE(second.Claim());  // a desk band instance claims without a check...
  first.reset();
  EXPECT_FALSE(third.Claim());   // ...and is seen once the first has ended
}

TEST(Win32Loop, TimersTickAtTheirIntervalWhileMessagesRun) {
  platform::win32::Win32Platform platform;
  struct Counter : ui::FormEvents {
    void OnTimer(ui::Timer&) override { ++ticks; }
    int ticks = 0;
  } counter;
  ui::Form form("test");
  ui::Timer& timer = form.Add<ui::Timer>("tmrTest", 0);
  timer.SetInterval(20);
  form.SetEvents(&counter);
  platform.windows().Realise(form);
  DWORD start = GetTickCount();
  while (counter.ticks < 3 && GetTickCount() - start < 3000) {
    platform.loop().DoEvents();
    platform.loop().Sleep(5);
  }
  EXPECT_GE(counter.ticks, 3);
  timer.SetEnabled(false);
  int before = counter.ticks;
  for (int i = 0; i < 10; ++i) {
    platform.loop().Sleep(10);
    platform.loop().DoEvents();
  }
  EXPECT_EQ(counter.ticks, before);
  form.SetEvents(nullptr);
}

}  // namespace
}  // namespace quavero::test
