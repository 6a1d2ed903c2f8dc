// The skin checker reports what the program would have shown, and the window after loading.
#include "skin_check.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using skincheck::CheckSkin;
using skincheck::Options;

class SkinCheckTest : public SkinFixture {
 protected:
  Options For(const std::string& name) {
    Options o;
    o.skin_folder = root_ / "Skins" / name;
    return o;
  }
};

TEST_F(SkinCheckTest, PrintsEveryMessageInOrderThenTheirCount) {
  WriteSkin("Bad", {"skinname=Bad", "ontop=yes", "label=1;2"});
  auto result = CheckSkin(For("Bad"));
  EXPECT_EQ(result.message_count, 2);
  EXPECT_EQ(result.text,
            "--- Error! (critical)\n"
            "There was an error while loading the skin:\n"
            "Unknown Error: Type mismatch\n"
            "ontop=yes\n"
            "--- Error! (critical)\n"
            "There was an error while loading the skin:\n"
            "Expected parameter missing!\n"
            "label=1;2\n"
            "2 messages\n");
}

TEST_F(SkinCheckTest, BandSkinsAreCheckedWithTheBandsRulesWhereverTheyLie) {
  // The program's keywords mean nothing in the band; a broken line gets the band's message.
  WriteFile("DeskBand/Strip/skin.ini",
            lines::JoinLines({"skinname=Strip", "ontop=yes", "label=1;2", "noresizex=150"}));
  Options o;
  o.skin_folder = root_ / "DeskBand" / "Strip";
  o.deskband = true;
  auto result = CheckSkin(o);
  EXPECT_EQ(result.text,
            "--- Error! (critical)\n"
            "There was an error in LoadSkin\n"
            "Err 9: Subscript out of range\n"
            "1 messages\n");
  o.json = true;
  auto json = nlohmann::json::parse(CheckSkin(o).text);
  EXPECT_EQ(json["window"]["fixedWidth"], 150);
  EXPECT_EQ(json["window"]["fixedHeight"], nullptr);

  // The same skin elsewhere, read as the program's: other messages.
  std::filesystem::create_directories(root_ / "elsewhere");
  std::filesystem::copy(root_ / "DeskBand" / "Strip", root_ / "elsewhere" / "Strip");
  o.skin_folder = root_ / "elsewhere" / "Strip";
  EXPECT_EQ(CheckSkin(o).message_count, 1);
  o.deskband = false;
  o.json = false;
  EXPECT_EQ(CheckSkin(o).message_count, 2);
}

TEST_F(SkinCheckTest, ASkinWithoutFaultsIsOk) {
  WriteSkin("Good", {"skinname=Good"});
  auto result = CheckSkin(For("Good"));
  EXPECT_EQ(result.message_count, 0);
  EXPECT_EQ(result.text, "ok\n");
}

TEST_F(SkinCheckTest, ReadsPersonalShortcutsOfTheApplicationFolderAboveSkins) {
  WriteFile("personal.ini", "ontop=maybe\r\n");
  WriteSkin("Good", {"skinname=Good"});
  EXPECT_EQ(CheckSkin(For("Good")).message_count, 1);
}

TEST_F(SkinCheckTest, ASkinOutsideAnApplicationFolderLoadsItsPicturesToo) {
  auto outside = root_ / "elsewhere";
  WriteFile("elsewhere/skin.ini", "skinname=Out\r\nbackgroundpicture=b.png\r\n");
  WritePicture("elsewhere/b.png");
  Options o;
  o.skin_folder = outside;
  o.json = true;
  auto report = nlohmann::json::parse(CheckSkin(o).text);
  EXPECT_TRUE(report["messages"].empty());
  EXPECT_EQ(report["window"]["backgroundPicture"], "b.png");
}

TEST_F(SkinCheckTest, JsonReflectsTheWindowAfterLoading) {
  WritePicture("Skins/J/play.png");
  WritePicture("Skins/J/bar.png");
  WriteSkin("J", {"skinname=J", "width=200", "left=r100", "transparency=200", "roundwindow=8",
                  "label=5;4;150;14;[Artist]", "labelfont=1;Tahoma;9", "labelcolor=1;&HFFFFFF",
                  "labelcenter=1", "image=160;4;16;16;playpause;play.png|h.png",
                  "image=1;1;1;1;x;ARTWORK", "timerevent=1000;nexttrack",
                  "event=newsong;playpause", "keyboardshortcut=Ctrl+P;playpause",
                  "progresscontrol=5;24;150;6;bar.png", "borders=1;&HFF", "scrolltimer=150",
                  "anyinteraction=a", "ontop=bad"});
  Options o = For("J");
  o.json = true;
  o.screen_width = 800;
  auto report = nlohmann::json::parse(CheckSkin(o).text);
  ASSERT_EQ(report["messages"].size(), 1u);
  EXPECT_EQ(report["messages"][0]["icon"], "critical");
  EXPECT_EQ(report["messages"][0]["title"], "Error!");
  const auto& w = report["window"];
  EXPECT_EQ(w["tag"], "J");
  EXPECT_EQ(w["width"], 3000);
  EXPECT_EQ(w["left"], 800 * 15 - 1500);
  EXPECT_EQ(w["backColor"], 0xFF00FF);
  EXPECT_EQ(w["backgroundPicture"], nullptr);
  EXPECT_EQ(w["transparency"], 200);
  EXPECT_EQ(w["roundAmount"], 8);
  EXPECT_EQ(w["scrollInterval"], 150);
  EXPECT_EQ(w["borders"]["visible"], true);
  EXPECT_EQ(w["borders"]["color"], 255);
  ASSERT_EQ(w["labels"].size(), 1u);
  EXPECT_EQ(w["labels"][0]["template"], "[Artist]");
  EXPECT_EQ(w["labels"][0]["fontName"], "Tahoma");
  EXPECT_EQ(w["labels"][0]["color"], 0xFFFFFF);
  EXPECT_EQ(w["labels"][0]["centered"], true);
  ASSERT_EQ(w["images"].size(), 2u);
  EXPECT_EQ(w["images"][0]["picture"], "play.png");
  EXPECT_EQ(w["images"][0]["code"], "playpause");
  EXPECT_EQ(w["images"][1]["picture"], nullptr);
  EXPECT_EQ(w["images"][1]["acceptsFiles"], true);
  EXPECT_EQ(w["timers"][0]["interval"], 1000);
  EXPECT_EQ(w["timers"][0]["code"], "nexttrack");
  EXPECT_EQ(w["events"][0]["name"], "newsong");
  ASSERT_EQ(w["shortcuts"].size(), 1u);
  EXPECT_EQ(w["shortcuts"][0]["keys"], "Ctrl+P");
  EXPECT_EQ(w["shortcuts"][0]["control"], false);  // the word is CONTROL: Ctrl names nothing
  EXPECT_EQ(w["shortcuts"][0]["key"], 80);
  EXPECT_EQ(w["shortcuts"][0]["state"], "active");
  EXPECT_EQ(w["progress"]["fullWidth"], 150);
  EXPECT_EQ(w["progress"]["picture"], "bar.png");
  EXPECT_EQ(w["interactionCodes"], nlohmann::json::array({"a"}));
  EXPECT_EQ(w["onTop"], false);
  EXPECT_EQ(w["lyrics"]["label"], 0);
}

TEST_F(SkinCheckTest, PicturesTheProgramCannotDecodeAreReportedAsItReportsThem) {
  std::string whole = PngBytes(8, 8);
  WriteFile("Skins/Pics/cut.png", whole.substr(0, whole.size() - 20));
  WriteFile("Skins/Pics/huge.png", PngBytes(30000, 30000));
  WriteFile("Skins/Pics/fine.png", whole);
  WriteSkin("Pics", {"skinname=P", "backgroundpicture=cut.png", "image=0;0;8;8;x;huge.png",
                     "image=0;0;8;8;x;fine.png"});
  auto result = CheckSkin(For("Pics"));
  EXPECT_EQ(result.message_count, 2);
  EXPECT_NE(result.text.find("Unknown Error: Cannot load file\nbackgroundpicture=cut.png"),
            std::string::npos);
  EXPECT_NE(result.text.find("Unknown Error: Cannot load file\nimage=0;0;8;8;x;huge.png"),
            std::string::npos);
}

TEST_F(SkinCheckTest, JsonListsTheLyricsLabelAndFolder) {
  WriteSkin("Lyr", {"skinname=L", "label=0;0;10;10;", "lyrics=1", "lyrics=7;x"});
  Options o = For("Lyr");
  o.json = true;
  auto report = nlohmann::json::parse(CheckSkin(o).text);
  EXPECT_EQ(report["messages"].size(), 1u);  // label 7 was never made
  EXPECT_EQ(report["window"]["lyrics"]["label"], 1);
  EXPECT_EQ(report["window"]["lyrics"]["folder"], "APPPATH\\Lyrics\\");
}

TEST_F(SkinCheckTest, JsonWritesTextThatIsNoUtf8Replaced) {
  WriteFile("Skins/Odd/skin.ini", "\xEF\xBB\xBFskinname=caf\xC3 \xFF\r\nontop=maybe\r\n");
  Options o = For("Odd");
  o.json = true;
  auto result = CheckSkin(o);
  EXPECT_EQ(result.message_count, 1);
  EXPECT_NE(result.text.find("\"tag\": \"caf\xEF\xBF\xBD \xEF\xBF\xBD\""), std::string::npos);
}

TEST_F(SkinCheckTest, ASkinFileWithUnixLineEndsIsNotOk) {
  // The program reads it as one line starting with a comment: no message, an empty window.
  WriteFile("Skins/Unix/Skin.INI", "' mine\nskinname=Unix\nwidth=300\r\nheight=50\n");
  // Beside it a name beyond any ANSI code page, which Windows' narrow names cannot hold.
  std::ofstream(root_ / "Skins" / "Unix" / std::filesystem::path(u8"\u30d7\u30ec\u30a4.png"));
  auto result = CheckSkin(For("Unix"));
  EXPECT_EQ(result.message_count, 0);
  ASSERT_EQ(result.warnings.size(), 1u);
  EXPECT_EQ(result.warnings[0],
            "Skin.INI has 3 line feeds without a carriage return before them: Quavero ends a "
            "line only at CR LF (or CR), so what they separate is read as one line. Save the "
            "file with Windows line ends.");
  EXPECT_EQ(result.text, "--- warning\n" + result.warnings[0] + "\n0 messages, 1 warning\n");

  Options o = For("Unix");
  o.json = true;
  auto report = nlohmann::json::parse(CheckSkin(o).text);
  EXPECT_EQ(report["warnings"], nlohmann::json::array({result.warnings[0]}));
  EXPECT_NE(report["window"]["width"], 300 * 15);  // within the comment (twips)
  EXPECT_EQ(report["window"]["height"], 50 * 15);

  // Line ends of CR alone are the program's too; a band skin is read alike.
  WriteFile("Skins/Mac/skin.ini", "skinname=Mac\rwidth=300\r");
  EXPECT_EQ(CheckSkin(For("Mac")).text, "ok\n");
  WriteFile("DeskBand/Strip/skin.ini", "skinname=Strip\n");
  o.skin_folder = root_ / "DeskBand" / "Strip";
  o.deskband = true;
  o.json = false;
  EXPECT_EQ(CheckSkin(o).warnings.size(), 1u);
}

TEST_F(SkinCheckTest, TheSandboxNeverLeadsOutOfTheApplicationFolder) {
  auto outside = root_.parent_path() / (root_.filename().string() + "-outside.png");
  { std::ofstream(outside, std::ios::binary) << PngBytes(4, 4); }
  WriteSkin("Climb", {"skinname=C", "backgroundpicture=..\\..\\..\\..\\..\\" +
                                        outside.filename().string()});
  auto result = CheckSkin(For("Climb"));
  std::filesystem::remove(outside);
  EXPECT_EQ(result.message_count, 1);
  EXPECT_NE(result.text.find("Cannot load file"), std::string::npos);
}

TEST_F(SkinCheckTest, ArgumentsAreCheckedAndAMissingFolderIsAnError) {
  Options o;
  EXPECT_FALSE(skincheck::ParseArguments({"--json", "--screen", "800x600", "x"}, o));
  EXPECT_TRUE(o.json);
  EXPECT_EQ(o.screen_width, 800);
  EXPECT_TRUE(skincheck::ParseArguments({}, o));
  EXPECT_TRUE(skincheck::ParseArguments({"--screen", "big", "x"}, o));
  EXPECT_TRUE(skincheck::ParseArguments({"--app-folder"}, o));
  EXPECT_TRUE(skincheck::ParseArguments({"a", "b"}, o));
  EXPECT_TRUE(skincheck::ParseArguments({"--verbose", "a"}, o));
  EXPECT_THROW(CheckSkin(For("NoSuchSkin")), std::runtime_error);
}

}  // namespace
}  // namespace quavero::test
