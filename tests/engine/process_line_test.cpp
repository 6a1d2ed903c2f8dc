// How skin lines are read: syntax, every keyword, and the per-line failure messages.
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using ::testing::ElementsAre;

class ProcessLineTest : public SkinFixture {};

TEST_F(ProcessLineTest, CommentsBlanksAndUnknownKeywordsAreIgnored) {
  auto w = Load({"// comment", "\\\\left=5", "'left=6", "/left=7", "left =8", " left=9",
                 "=left", "noequals", "mystery=1", "Left=10"});
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(w->form().left(), 150);  // only Left=10 applies
}

TEST_F(ProcessLineTest, WindowGeometryIsKeptInTwips) {
  platform_.windows().SetScreenSize(1024, 768);
  auto w = Load({"width=200", "height=40", "left=r120", "top=r50"});
  EXPECT_EQ(w->form().width(), 3000);
  EXPECT_EQ(w->form().height(), 600);
  EXPECT_EQ(w->form().left(), 15360 - 1800);
  EXPECT_EQ(w->form().top(), 11520 - 750);
}

TEST_F(ProcessLineTest, UpperCaseRIsNotTheRightEdgeAndEmptyWidthIsZero) {
  auto w = Load({"left=R50", "width="});
  EXPECT_EQ(w->form().left(), 0);
  EXPECT_EQ(w->form().width(), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(ProcessLineTest, DesignStateStaysWithoutGeometryLines) {
  auto w = Load({"skinname=Plain"});
  EXPECT_EQ(w->form().width(), 3870);
  EXPECT_EQ(w->form().height(), 315);
  EXPECT_EQ(w->form().back_color(), 0xFF00FF);
  EXPECT_FALSE(w->lnTop.visible());
}

TEST_F(ProcessLineTest, SkinNameTakesTheWholeValue) {
  auto w = Load({"skinname=a;b"});
  EXPECT_EQ(w->form().tag(), "a;b");
}

TEST_F(ProcessLineTest, ColoursReadDecimalAndHexadecimal) {
  auto w = Load({"backgroundcolor=&HFF0000", "label=1;2;3;4;x", "labelcolor=1;255;7"});
  EXPECT_EQ(w->form().back_color(), 0xFF0000);
  EXPECT_EQ(w->lblInfo(1).fore_color(), 255);
}

TEST_F(ProcessLineTest, LabelsGetTheNextIndexAndTheirMeasuringBox) {
  auto w = Load({"label=5;4;150.5;14;[Artist] - [Title];extra;more", "label=1;1;1;1;two"});
  ASSERT_TRUE(w->lblInfo.Exists(2));
  const ui::Label& first = w->lblInfo(1);
  EXPECT_TRUE(first.visible());
  EXPECT_EQ(first.left(), 5);
  EXPECT_EQ(first.width(), 150.5);
  EXPECT_EQ(first.tag(), "[Artist] - [Title]");
  EXPECT_TRUE(w->scrollWidth.Exists(2));
  EXPECT_EQ(w->LabelText.size(), 3u);
  EXPECT_TRUE(messages().empty());
}

TEST_F(ProcessLineTest, AMissingParameterKeepsWhatTheLineAlreadyDid) {
  auto w = Load({"label=1;2;3;4"});
  ASSERT_TRUE(w->lblInfo.Exists(1));
  EXPECT_TRUE(w->lblInfo(1).visible());
  EXPECT_EQ(w->lblInfo(1).height(), 4);
  EXPECT_EQ(w->lblInfo(1).tag(), "");
  EXPECT_THAT(MessageTexts(),
              ElementsAre(LineError("Expected parameter missing!", "label=1;2;3;4")));
  EXPECT_EQ(messages()[0].title, "Error!");
  EXPECT_EQ(messages()[0].icon, platform::Icon::kCritical);
}

TEST_F(ProcessLineTest, ImagesStoreCodeAndPicturesAndShowTheNormalPicture) {
  WritePicture("Skins/Test/play.png");
  auto w = Load({"image=160;4;16;16;playpause;Play.PNG|hover.png|down.png",
                 "image=1;1;10;10;;NONE", "image=1;1;10;10;x;artwork"});
  EXPECT_TRUE(messages().empty());
  const ui::Image& play = w->img(1);
  EXPECT_EQ(play.tag(), "playpause");
  ASSERT_TRUE(play.picture());
  EXPECT_EQ(play.picture()->file, Folder("Test") + "Play.PNG");
  EXPECT_EQ(w->ImagePictures[1], "Play.PNG|hover.png|down.png");
  EXPECT_FALSE(w->img(2).picture());
  EXPECT_EQ(w->img(2).tag(), "");
  EXPECT_TRUE(w->img(3).accepts_files());
  EXPECT_TRUE(w->HasArtworkImage);
  EXPECT_FALSE(w->img(1).accepts_files());
}

TEST_F(ProcessLineTest, AnEmptyPictureListIsAMissingParameter) {
  auto w = Load({"image=1;1;10;10;x;"});
  ASSERT_TRUE(w->img.Exists(1));
  EXPECT_EQ(w->img(1).tag(), "x");
  EXPECT_EQ(w->ImagePictures[1], "");
  EXPECT_THAT(MessageTexts(),
              ElementsAre(LineError("Expected parameter missing!", "image=1;1;10;10;x;")));
}

TEST_F(ProcessLineTest, APictureThatCannotBeLoadedIsReported) {
  WriteFile("Skins/Test/broken.png", "not a picture");
  auto w = Load({"backgroundpicture=broken.png", "backgroundpicture=missing.bmp",
                 "backgroundpicture=[TransparentBackground]"});
  EXPECT_THAT(MessageTexts(),
              ElementsAre(LineError("Unknown Error: Cannot load file", "backgroundpicture=broken.png"),
                          LineError("Unknown Error: Cannot load file",
                                    "backgroundpicture=missing.bmp")));
  EXPECT_FALSE(w->form().picture());
}

TEST_F(ProcessLineTest, LabelFontCentreAndColourAddressExistingLabels) {
  auto w = Load({"label=0;0;10;10;a", "labelfont=1;Arial;0", "labelfont=1;Tahoma;9.5",
                 "labelcenter=1", "label=0;0;10;10;b", "labelcenter=2;true", "labelcenter=2;0",
                 "labelfont=9;Arial;8"});
  EXPECT_EQ(w->lblInfo(1).font().name, "Tahoma");
  EXPECT_EQ(w->lblInfo(1).font().size, 9.5);
  EXPECT_EQ(w->scrollWidth(1).font().name, "Tahoma");
  EXPECT_EQ(w->scrollWidth(1).font().size, 9.5);
  EXPECT_EQ(w->lblInfo(1).alignment(), ui::Alignment::kCenter);
  EXPECT_EQ(w->lblInfo(2).alignment(), ui::Alignment::kLeft);
  EXPECT_THAT(MessageTexts(),
              ElementsAre(LineError("Unknown Error: Control array element '9' doesn't exist",
                                    "labelfont=9;Arial;8")));
}

TEST_F(ProcessLineTest, LabelFontWithSizeZeroSetsTheNameOnly) {
  auto w = Load({"label=0;0;10;10;a", "labelfont=1;Arial;0"});
  EXPECT_EQ(w->lblInfo(1).font().name, "Arial");
  EXPECT_EQ(w->lblInfo(1).font().size, 8);
}

TEST_F(ProcessLineTest, FlagsAcceptWordsAndNumbersOnly) {
  auto w = Load({"ontop=yes", "ontop=TRUE", "rememberpos=1", "ondesktop=false", "glassify=0"});
  EXPECT_TRUE(w->OnTop);
  EXPECT_TRUE(w->RememberPos);
  EXPECT_THAT(MessageTexts(), ElementsAre(LineError("Unknown Error: Type mismatch", "ontop=yes")));
}

TEST_F(ProcessLineTest, ShortNumbersOutOfRangeOverflow) {
  auto w = Load({"transparency=40000", "roundwindow=", "roundwindow=20", "transparency=200"});
  EXPECT_EQ(w->RoundAmount, 20);
  EXPECT_EQ(w->TransparencyLevel, 200);
  EXPECT_THAT(MessageTexts(),
              ElementsAre(LineError("Unknown Error: Overflow", "transparency=40000"),
                          LineError("Expected parameter missing!", "roundwindow=")));
}

TEST_F(ProcessLineTest, BordersShowTheFourLinesInOneColour) {
  auto w = Load({"width=100", "height=20", "borders=true;&H00FF00"});
  for (const ui::Line* line : {&w->lnTop, &w->lnBottom, &w->lnLeft, &w->lnRight}) {
    EXPECT_TRUE(line->visible());
    EXPECT_EQ(line->color(), 0x00FF00);
  }
  EXPECT_EQ(w->lnRight.x1(), 98);
  EXPECT_EQ(w->lnBottom.y1(), 18);
  EXPECT_EQ(w->lnTop.x2(), 100);
}

TEST_F(ProcessLineTest, LaterValuesWinAndListsGrow) {
  auto w = Load({"scrolltimer=100", "scrolltimer=150", "anyinteraction=a", "anyinteraction=b",
                 "disablelabelscroll=1", "disablelabelscroll=3", "showaction=fadein",
                 "formclick=playpause;x", "ratingscontrol=1;2;3", "onlyoneinstance",
                 "onlyoneinstance=", "autoresize=true", "autoresize=whatever"});
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(w->tmrScroll.interval(), 150);
  EXPECT_THAT(w->InteractionCodes, ElementsAre("a", "b"));
  EXPECT_EQ(w->InteractionCount, 2);
  EXPECT_EQ(w->NoScrollLabels, "[1][3]");
  EXPECT_EQ(w->ShowAction, "fadein");
  EXPECT_EQ(w->FormClickCode, "playpause;x");
  EXPECT_EQ(w->RatingsSpec, "1;2;3");
  EXPECT_TRUE(w->OnlyOneInstance);
}

TEST_F(ProcessLineTest, EventsNeedANameAndACode) {
  auto w = Load({"event=NewSong;{pause}{play};ignored", "event=newsong"});
  ASSERT_EQ(w->EventCount(), 1);
  EXPECT_EQ(w->EventList[0].name, "NewSong");
  EXPECT_EQ(w->EventList[0].code, "{pause}{play}");
  EXPECT_THAT(MessageTexts(), ElementsAre(LineError("Expected parameter missing!", "event=newsong")));
}

TEST_F(ProcessLineTest, TimerEventsCreateEnabledTimers) {
  auto w = Load({"timerevent=1000;playpause", "timerevent=0;never"});
  ASSERT_TRUE(w->tmr.Exists(2));
  EXPECT_EQ(w->tmr(1).interval(), 1000);
  EXPECT_TRUE(w->tmr(1).enabled());
  EXPECT_EQ(w->tmr(1).tag(), "playpause");
  EXPECT_FALSE(w->tmr(2).running());
  EXPECT_TRUE(platform_.loop().IsArmed(w->tmr(1)));
  EXPECT_FALSE(platform_.loop().IsArmed(w->tmr(2)));
}

TEST_F(ProcessLineTest, KeyboardShortcutsFillTheLastRecordAndAppendAnEmptyOne) {
  auto w = Load({"keyboardshortcut=Ctrl+Alt+P;playpause", "keyboardshortcut=F5"});
  ASSERT_EQ(w->KeyShortcuts.size(), 2u);
  EXPECT_EQ(w->KeyShortcuts[0].keys, "Ctrl+Alt+P");
  EXPECT_EQ(w->KeyShortcuts[0].code, "playpause");
  EXPECT_EQ(w->KeyShortcuts[1].keys, "F5");  // filled half-way, then the line failed
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(ProcessLineTest, ProgressControlShowsTheBarAndKeepsItsFullWidthAsText) {
  WritePicture("Skins/Test/bar.png", 150, 6);
  auto w = Load({"progresscontrol=5;24;150;6;bar.png"});
  EXPECT_TRUE(w->imgProgress.visible());
  EXPECT_EQ(w->imgProgress.left(), 5);
  EXPECT_EQ(w->imgProgress.top(), 24);
  EXPECT_EQ(w->imgProgress.height(), 6);
  EXPECT_EQ(w->imgProgress.tag(), "150");
  ASSERT_TRUE(w->imgProgress.picture());
}

TEST_F(ProcessLineTest, ScrollTimerRejectsANegativeInterval) {
  auto w = Load({"scrolltimer=-5"});
  EXPECT_EQ(w->tmrScroll.interval(), 0);
  EXPECT_THAT(MessageTexts(),
              ElementsAre(LineError("Unknown Error: Invalid property value", "scrolltimer=-5")));
}

}  // namespace
}  // namespace quavero::test
