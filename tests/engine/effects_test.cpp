// Showing a loaded skin and the window effects.
#include "skin_fixture.h"

namespace quavero::test {
namespace {

class EffectsTest : public SkinFixture {
 protected:
  const platform::headless::WindowRecord& Record(const skin::SkinWindow& w) {
    return platform_.windows().record(w.form());
  }
};

TEST_F(EffectsTest, RunAfterAppliesTheWindowOptionsAndShowsWithoutActivating) {
  auto w = Load({"skinname=T", "width=100", "height=20", "ontop=1", "transparency=200",
                 "roundwindow=20"});
  EXPECT_TRUE(w->form().visible());
  EXPECT_EQ(Record(*w).activations, 0);
  EXPECT_TRUE(w->form().topmost());
  EXPECT_EQ(w->form().alpha(), 200);
  ASSERT_TRUE(w->form().region());
  EXPECT_EQ(w->form().region()->rects[0], (ui::Rect{0, 0, 100, 20}));
  EXPECT_EQ(w->form().region()->corner_width, 20);
  w->form().SetWidth(3000);  // a later size change keeps the old region
  EXPECT_EQ(w->form().region()->rects[0], (ui::Rect{0, 0, 100, 20}));
}

TEST_F(EffectsTest, RunAfterWorksInItsOrder) {
  auto w = Load({"skinname=T", "ontop=1", "transparency=200", "roundwindow=20", "glassify=1",
                 "ondesktop=1"});
  EXPECT_THAT(Record(*w).operations,
              ::testing::ElementsAre("topmost 1", "show", "alpha 200", "region", "region", "show",
                                     "desktop"));
}

TEST_F(EffectsTest, TransparencyZeroLeavesTheWindowOpaqueAnd255IsLayeredAtFullOpacity) {
  auto opaque = Load({"skinname=A", "transparency=0"});
  EXPECT_FALSE(Record(*opaque).layered);
  auto full = Load({"skinname=B", "transparency=255"});
  EXPECT_TRUE(Record(*full).layered);
  EXPECT_EQ(full->form().alpha(), 255);
  auto low_bits = Load({"skinname=C", "transparency=300"});
  EXPECT_EQ(low_bits->form().alpha(), 300 & 0xFF);
}

TEST_F(EffectsTest, OnDesktopAttachesAPlainlyShownWindow) {
  auto w = Load({"skinname=T", "ondesktop=true"});
  EXPECT_TRUE(w->form().on_desktop());
}

TEST_F(EffectsTest, OnlyOneInstanceClosesTheSecondWindowWithTheSameTag) {
  WriteSkin("A", {"skinname=Same", "onlyoneinstance="});
  WriteSkin("B", {"skinname=Other", "onlyoneinstance="});
  auto first = Open("A");
  auto second = Open("A");
  auto other = Open("B");
  EXPECT_FALSE(first->unloaded());
  EXPECT_TRUE(second->unloaded());
  EXPECT_FALSE(other->unloaded());
}

TEST_F(EffectsTest, SkinsWithoutNameShareTheirTag) {
  WriteSkin("A", {"onlyoneinstance="});
  WriteSkin("B", {"width=10"});
  auto b = Open("B");
  auto a = Open("A");
  EXPECT_TRUE(a->unloaded());
  EXPECT_FALSE(b->unloaded());
}

TEST_F(EffectsTest, FadeInWithoutTransparencyReachesFullOpacity) {
  auto w = Load({"skinname=T", "showaction=fadein"});
  const auto& steps = Record(*w).alpha_steps;
  ASSERT_EQ(steps.size(), 256u);
  EXPECT_EQ(steps.front(), 0);
  EXPECT_EQ(steps.back(), 255);
  EXPECT_EQ(w->TransparencyLevel, 255);
  EXPECT_TRUE(w->form().visible());
  EXPECT_GE(platform_.loop().slept_ms(), 256u * 3);
}

TEST_F(EffectsTest, FadeInStopsAtTheSkinsLevelAndTheCaseOfShowActionMatters) {
  auto w = Load({"skinname=T", "showaction=fadein", "transparency=100"});
  EXPECT_EQ(Record(*w).alpha_steps.back(), 100);
  auto plain = Load({"skinname=U", "showaction=FadeIn", "transparency=100"});
  EXPECT_EQ(Record(*plain).alpha_steps, std::vector<int>{100});
}

TEST_F(EffectsTest, APressDuringAFadeStopsItAndTheFlagIsConsumed) {
  WriteSkin("Test", {"skinname=T", "showaction=fadein"});
  platform_.loop().At(platform_.loop().now() + 90, [&] {
    platform_.windows().Press(app_.SkinWindows().back()->form(), 1, 1);
  });
  auto w = Open("Test");
  int reached = Record(*w).alpha_steps.back();
  EXPECT_GT(reached, 10);
  EXPECT_LT(reached, 60);
  EXPECT_FALSE(w->AbortEffect);
}

TEST_F(EffectsTest, APressDuringFadeCloseLeavesTheWindowOpenAtItsLevel) {
  auto w = Load({"skinname=T"});
  auto keep = Open("Test");
  platform_.loop().At(platform_.loop().now() + 150, [&] { platform_.windows().Press(w->form(), 1, 1); });
  w->FadeClose();
  EXPECT_FALSE(w->unloaded());
  int reached = Record(*w).alpha_steps.back();
  EXPECT_GT(reached, 180);
  EXPECT_LT(reached, 240);
  EXPECT_EQ(w->form().alpha(), reached);
}

TEST_F(EffectsTest, AnUnconsumedPressStopsTheNextFadeAtItsFirstStep) {
  auto w = Load({"skinname=T", "transparency=200"});
  auto keep = Open("Test");
  platform_.windows().Press(w->form(), 1, 1);
  EXPECT_TRUE(w->AbortEffect);
  w->FadeClose();
  EXPECT_FALSE(w->unloaded());
  EXPECT_EQ(w->form().alpha(), 200);
  EXPECT_FALSE(w->AbortEffect);
}

TEST_F(EffectsTest, ANegativeLevelMakesNoFadeSteps) {
  auto w = Load({"skinname=T", "transparency=-5", "showaction=fadein"});
  EXPECT_TRUE(Record(*w).alpha_steps.empty());
  EXPECT_TRUE(w->form().visible());
  auto keep = Open("Test");
  w->FadeClose();
  EXPECT_TRUE(Record(*w).alpha_steps.empty());
  EXPECT_TRUE(w->unloaded());
}

// A level above 255 gives the opacity of its low eight bits; its fades run once over the
// opacities, not round them again and again (32767 would flicker for a minute and a half).
TEST_F(EffectsTest, ALevelAboveFullOpacityFadesOnceToTheOpacityItGives) {
  auto Fade = [](int from, int to) {
    std::vector<int> steps;
    for (int a = from; from < to ? a <= to : a >= to; a += from < to ? 1 : -1) steps.push_back(a);
    return steps;
  };
  auto w = Load({"skinname=T", "transparency=300", "showaction=fadein"});
  const auto& steps = Record(*w).alpha_steps;
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.front(), 300 & 0xFF);  // set before the fade, as for any level
  EXPECT_EQ(std::vector<int>(steps.begin() + 1, steps.end()), Fade(0, 300 & 0xFF));
  auto highest = Load({"skinname=U", "transparency=32767", "showaction=fadein"});
  EXPECT_EQ(Record(*highest).alpha_steps.size(), 1u + 256u);
  EXPECT_EQ(highest->form().alpha(), 255);
  auto keep = Open("Test");
  const size_t before_close = steps.size();
  w->FadeClose();
  EXPECT_TRUE(w->unloaded());
  EXPECT_EQ(std::vector<int>(steps.begin() + before_close, steps.end()), Fade(300 & 0xFF, 0));
}

TEST_F(EffectsTest, FadeCloseRunsDownToZeroAndUnloads) {
  auto w = Load({"skinname=T", "transparency=50"});
  auto keep = Open("Test");
  w->FadeClose();
  EXPECT_TRUE(w->unloaded());
  EXPECT_EQ(Record(*w).alpha_steps.back(), 0);
}

TEST_F(EffectsTest, CallsDisabledDuringAFadeLetItFinishAndTheRestOfTheCodeOnlyBeeps) {
  auto itunes = SimulatedITunes();
  itunes::TrackData t;
  t.name = "Song";
  itunes->AddLibraryTrack(t);
  itunes->Select(0, 0);
  auto w = Load({"skinname=T", "transparency=200"});
  auto keep = Open("Test");
  // iTunes shows a dialog while the window fades: its event arrives between two fade steps.
  platform_.loop().Post([&] { itunes->SetCallsEnabled(false); });
  w->RunCode(std::string("{fadeclose}{quit}"));
  EXPECT_TRUE(w->unloaded());
  EXPECT_EQ(Record(*w).alpha_steps.back(), 0);
  EXPECT_FALSE(itunes->quit());
  EXPECT_GE(platform_.windows().beeps(), 1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(EffectsTest, SlideUpGrowsOnePixelAStepFromTheBottomEdge) {
  auto w = Load({"skinname=T", "left=0", "top=100", "width=10", "height=3",
                 "showaction=slideup"});
  std::vector<std::string> bounds;
  for (const auto& op : Record(*w).operations)
    if (op.rfind("bounds", 0) == 0) bounds.push_back(op);
  ASSERT_GE(bounds.size(), 8u);
  bounds.erase(bounds.begin(), bounds.end() - 8);  // before these, the skin's own lines
  EXPECT_THAT(bounds, ::testing::ElementsAre("bounds 0,1500,150,0", "bounds 0,1545,150,0",
                                             "bounds 0,1530,150,0", "bounds 0,1530,150,15",
                                             "bounds 0,1515,150,15", "bounds 0,1515,150,30",
                                             "bounds 0,1500,150,30", "bounds 0,1500,150,45"));
  EXPECT_EQ(w->form().top(), 1500);
  EXPECT_EQ(w->form().height(), 45);
  EXPECT_EQ(platform_.loop().slept_ms(), 3u * 3);
  EXPECT_TRUE(w->form().visible());
}

TEST_F(EffectsTest, SlideUpStopsExactlyAtTheTopForHeightsThatAreNotWholePixels) {
  auto w = Load({"skinname=T", "top=100", "height=2.5", "showaction=slideup"});
  EXPECT_EQ(w->form().top(), 1500);
  EXPECT_EQ(w->form().height(), std::lround(37.5));
}

TEST_F(EffectsTest, ASlideUpOfAWindowTallerThanTheScreenPlaysOnlyWhatCanBeSeen) {
  auto w = Load({"skinname=T", "top=100", "height=1e12", "showaction=slideup"});
  EXPECT_EQ(w->form().top(), 1500);
  EXPECT_EQ(w->form().height(), 32767 * 15);
  EXPECT_EQ(platform_.loop().slept_ms(), 3u * (768 - 100));  // one step a pixel of the screen
}

TEST_F(EffectsTest, GlassifyCutsTheWindowToItsVisibleElements) {
  WritePicture("Skins/Test/b.png");
  auto w = Load({"skinname=T", "label=1;2;30;10;x", "image=40;0;16;16;;b.png",
                 "image=60;0;16;16;;NONE", "borders=1;0", "glassify=1"});
  w->img(2).SetVisible(false);
  w->GlassifyMe();
  ASSERT_TRUE(w->form().region());
  EXPECT_THAT(w->form().region()->rects,
              ::testing::UnorderedElementsAre(ui::Rect{1, 2, 31, 12}, ui::Rect{40, 0, 56, 16}));
}

TEST_F(EffectsTest, GlassifyWithNothingVisibleLeavesAnEmptyRegion) {
  auto w = Load({"skinname=T", "glassify=true"});
  ASSERT_TRUE(w->form().region());
  EXPECT_TRUE(w->form().region()->rects.empty());
  EXPECT_FALSE(w->unloaded());
}

TEST_F(EffectsTest, MoveModeCoversTheWindowAndAPressStartsTheSystemDrag) {
  auto w = Load({"skinname=T", "width=100", "height=20", "label=0;0;100;20;x"});
  platform_.windows().KeyDown(w->form(), 'A', ui::keys::kShift);
  ASSERT_TRUE(w->lblMove.visible());
  EXPECT_EQ(w->lblMove.width(), 100);
  EXPECT_EQ(w->lblMove.caption(), "Move Window");
  platform_.windows().Press(w->form(), 50, 10);
  EXPECT_EQ(Record(*w).drags, 1);
  EXPECT_FALSE(w->lblMove.visible());

  platform_.windows().KeyDown(w->form(), 'A', 0);
  EXPECT_FALSE(w->lblMove.visible());
  platform_.windows().KeyDown(w->form(), 'A', ui::keys::kCtrl);
  platform_.windows().KeyUp(w->form(), 'A', 0);
  EXPECT_FALSE(w->lblMove.visible());
}

TEST_F(EffectsTest, AModifierPressOnAnImageMovesTheWindow) {
  auto w = Load({"skinname=T", "image=0;0;16;16;playpause;NONE"});
  platform_.windows().Press(w->form(), 5, 5, ui::mouse::kLeft, ui::keys::kAlt);
  EXPECT_EQ(Record(*w).drags, 1);
  EXPECT_FALSE(w->AbortEffect);  // the press did nothing else
}

TEST_F(EffectsTest, ShowSkinOpensASubfolderSkinBesideThisWindow) {
  WriteSkin("Test", {"skinname=Main", "left=100", "top=50"});
  WriteFile("Skins/Test/extra/skin.ini", "skinname=Extra\r\nleft=1\r\n");
  auto w = Open("Test");
  w->ShowSkinCode("showskin=extra\\|10|20");
  auto windows = app_.SkinWindows();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[1]->form().tag(), "Extra");
  EXPECT_EQ(windows[1]->form().left(), 1500 + 150);
  EXPECT_EQ(windows[1]->form().top(), 750 + 300);
  EXPECT_EQ(windows[1]->CurPath, Folder("Test") + "extra\\");

  w->ShowSkinCode("showskin=extra\\");
  EXPECT_EQ(app_.SkinWindows()[2]->form().left(), 15);
  EXPECT_THROW(w->ShowSkinCode("showskin=extra\\|10"), Failure);
}

}  // namespace
}  // namespace quavero::test
