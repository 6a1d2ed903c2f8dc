// The sandbox's files follow Windows' rules and failures alike whether they live in real folders
// or in memory: the fuzzers load skins from memory and must meet what the tests meet on disk.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

#include "base/failure.h"
#include "platform/headless/headless_files.h"

namespace quavero::test {
namespace {

using platform::Encoding;
using platform::headless::DiskStore;
using platform::headless::HeadlessFiles;
using platform::headless::MemoryStore;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

class SandboxFilesTest : public ::testing::TestWithParam<bool> {
 protected:
  SandboxFilesTest() {
    if (InMemory()) {
      auto store = std::make_shared<MemoryStore>();
      store->MakeFolders("/app/Skins/Blue");
      store->Put("/app/Skins/Blue/Skin.ini", "skinname=Blue");
      store->Put("/outside/secret.txt", "secret");
      files_ = std::make_unique<HeadlessFiles>("C:\\Quavero", "/app", store);
    } else {
      root_ = fs::path(::testing::TempDir()) /
              ("quavero-files-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
      fs::remove_all(root_);
      fs::create_directories(root_ / "app/Skins/Blue");
      std::ofstream(root_ / "app/Skins/Blue/Skin.ini", std::ios::binary) << "skinname=Blue";
      fs::create_directories(root_ / "outside");
      std::ofstream(root_ / "outside/secret.txt", std::ios::binary) << "secret";
      files_ = std::make_unique<HeadlessFiles>("C:\\Quavero", root_ / "app");
    }
  }
  ~SandboxFilesTest() override {
    if (!root_.empty()) fs::remove_all(root_);
  }
  bool InMemory() const { return GetParam(); }
  // The failure a call ends in, 0 for none.
  template <typename Call>
  int FailureOf(Call call) {
    try {
      call();
    } catch (const Failure& f) {
      return f.number();
    }
    return 0;
  }

  fs::path root_;
  std::unique_ptr<HeadlessFiles> files_;
};

TEST_P(SandboxFilesTest, NamesMatchWithoutRegardToCaseAndTextKeepsItsEncoding) {
  EXPECT_TRUE(files_->FileExists("C:\\QUAVERO\\skins\\BLUE\\skin.INI"));
  EXPECT_TRUE(files_->FolderExists("c:\\quavero\\Skins\\blue\\"));
  EXPECT_FALSE(files_->FolderExists("C:\\Quavero\\Skins\\Blue\\skin.ini"));
  EXPECT_EQ(files_->ReadText("C:\\Quavero\\Skins\\blue\\SKIN.ini").text, "skinname=Blue");

  // Text the code page can hold is stored in it; other text behind a byte-order mark.
  files_->WriteText("C:\\Quavero\\Skins\\Blue\\a.txt", {"caf\xC3\xA9", Encoding::kCodePage});
  EXPECT_EQ(files_->ReadBytes("C:\\Quavero\\Skins\\Blue\\a.txt"), "caf\xE9");
  files_->WriteText("C:\\Quavero\\Skins\\Blue\\b.txt", {"\xE2\x99\xAA", Encoding::kCodePage});
  EXPECT_EQ(files_->ReadBytes("C:\\Quavero\\Skins\\Blue\\b.txt"), "\xEF\xBB\xBF\xE2\x99\xAA");
  auto back = files_->ReadText("C:\\Quavero\\Skins\\Blue\\b.txt");
  EXPECT_EQ(back.text, "\xE2\x99\xAA");
  EXPECT_EQ(back.encoding, Encoding::kUtf8Bom);

  // A rewrite under another spelling replaces the file, it does not add one beside it.
  files_->WriteText("C:\\Quavero\\Skins\\Blue\\A.TXT", {"new", Encoding::kCodePage});
  EXPECT_THAT(files_->FilesIn("C:\\Quavero\\Skins\\Blue"), ElementsAre("a.txt", "b.txt", "Skin.ini"));
}

TEST_P(SandboxFilesTest, FailuresAreWindowsOwn) {
  EXPECT_EQ(FailureOf([&] { files_->ReadText("C:\\Quavero\\Skins\\Blue\\none.ini"); }), errors::kFileNotFound);
  EXPECT_EQ(FailureOf([&] { files_->ReadText("C:\\Quavero\\Skins\\Red\\skin.ini"); }), errors::kPathNotFound);
  EXPECT_EQ(FailureOf([&] { files_->ReadText("C:\\Quavero\\Skins\\Blue"); }), errors::kPathFileAccess);
  EXPECT_EQ(FailureOf([&] { files_->WriteText("C:\\Quavero\\Skins\\Red\\x.ini", {}); }), errors::kPathNotFound);
  EXPECT_EQ(FailureOf([&] { files_->WriteText("C:\\Quavero\\Skins\\Blue", {}); }), errors::kPathFileAccess);
  EXPECT_EQ(FailureOf([&] { files_->Delete("C:\\Quavero\\Skins\\Blue\\none.ini"); }), errors::kFileNotFound);
  // ".." is resolved first: no path leads out of the application folder.
  EXPECT_FALSE(files_->FileExists("C:\\Quavero\\..\\outside\\secret.txt"));
  EXPECT_EQ(FailureOf([&] { files_->ReadText("C:\\Quavero\\..\\..\\outside\\secret.txt"); }),
            errors::kPathNotFound);
}

TEST_P(SandboxFilesTest, FoldersAndFilesAreListedApartInNameOrderAndDeleted) {
  files_->WriteText("C:\\Quavero\\Skins\\zeta.txt", {"z", Encoding::kCodePage});
  files_->WriteText("C:\\Quavero\\Skins\\Alpha.txt", {"a", Encoding::kCodePage});
  EXPECT_THAT(files_->FilesIn("C:\\Quavero\\Skins"), ElementsAre("Alpha.txt", "zeta.txt"));
  EXPECT_THAT(files_->FoldersIn("C:\\Quavero\\Skins\\"), ElementsAre("Blue"));
  EXPECT_THAT(files_->FoldersIn("C:\\Quavero\\Nothing"), ElementsAre());
  files_->Delete("C:\\Quavero\\Skins\\ZETA.txt");
  EXPECT_THAT(files_->FilesIn("C:\\Quavero\\Skins"), ElementsAre("Alpha.txt"));
  EXPECT_TRUE(files_->FolderExists("C:\\Quavero\\Skins\\Blue"));
}

INSTANTIATE_TEST_SUITE_P(DiskAndMemory, SandboxFilesTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Memory" : "Disk"; });

}  // namespace
}  // namespace quavero::test
