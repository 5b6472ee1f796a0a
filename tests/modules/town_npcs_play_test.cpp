// The townspeople in the town as the game builds it: in LTOWNMID she walks up to Rod and talks
// with him (his line, hers, the end), and the next talk, after a save and a load, begins with
// his news; Pancho shouts at
// her under his anger balloon; a picture of the street shows Rod, Lime and Pancho whole
// (town_street.png in the build folder). In the teacher's room of LTOWNSHP, where the doors of
// his house switch sprite sheet 1 to his bitmap, Klaus answers "「なんだ？」"
// (teacher_room.png); in the inn's lobby Damian stands at the counter (inn_lobby.png).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "events/event_raise.h"
#include "events/event_script.h"
#include "events/event_tables.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/utils.h"
#include "support/event_handlers.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "support/png.h"
#include "support/town_talk.h"
#include "world/camera.h"
#include "world/map_layers.h"
#include "world/save_block.h"
#include "world/save_files.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kRod = 3, kLime = 4, kPancho = 5;

// In the scene with its fade-in over.
struct InSceneLit : InScene {
  explicit InSceneLit(int scene) : InScene(scene) { ResetFade(); }
};

// The stretch of street each walker keeps to: from its left end to its right end, and its floor.
struct Street {
  int left, right, floor;
};
Street StreetOf(int group) {
  switch (group) {
    case kRod:
      return {1056, 3200, 2000};  // the main street
    case kLime:
      return {3264, 3904, 2128};  // the lower street between its two steps
    default:
      return {4864, 5696, 2128};  // the east street
  }
}

// Puts her on the townsperson's street about 160 pixels from slot 0 of the group, on the side
// where the street goes on (left of it when it can), and lets the camera settle.
void PutHerBeside(FrameHarness& game, int group) {
  const Actor npc(group, 0);
  const Street street = StreetOf(group);
  int x = npc.PosX() - 160;
  if (x < street.left) x = npc.PosX() + 160;
  PlaceHeroine(0, std::min(x, street.right - 48), street.floor - 72, x < npc.PosX() ? 'R' : 'L', 'N');
  game.Run(40);
}

// Of the pixels that the townsperson's cells (those drawn on queue layer 1 near its position)
// show, one over the other in the order they were queued, how many the picture does not show:
// covered by something in front, or outside the screen. -1 when none of its cells was drawn.
int HiddenPixels(const FrameHarness& game, const Actor& npc) {
  std::map<std::pair<int, int>, uint32_t> shown;  // world pixel: colour
  for (const DrawCommand& d : game.Draws(1)) {
    if (d.type != kDrawCell || d.x < npc.PosX() - 16 || d.x >= npc.PosX() + 48 || d.y < npc.PosY() ||
        d.y >= npc.PosY() + 96)
      continue;
    const Surface& sheet = Surfaces[kFirstSheetSurface + static_cast<int>(d.cell / 1200)];
    const int cell = static_cast<int>(d.cell % 1200);
    for (int py = 0; py < 16; ++py)
      for (int px = 0; px < 16; ++px) {
        const uint32_t colour = sheet.Row(cell / 40 * 16 + py)[cell % 40 * 16 + px];
        if (colour != 0) shown[{d.x + px, d.y + py}] = colour;  // black is transparent
      }
  }
  if (shown.empty()) return -1;
  const Surface& back = Surfaces[kBackBuffer];
  int hidden = 0;
  for (const auto& [at, colour] : shown) {
    const int sx = at.first - GetCameraX(), sy = at.second - GetCameraY();
    if (sx < 0 || sy < 0 || sx >= back.width || sy >= back.height || back.Row(sy)[sx] != colour) ++hidden;
  }
  return hidden;
}

// The screen as it is now, into the strip at column `at`.
void CopyScreen(std::vector<uint32_t>& strip, int strip_width, int at) {
  const Surface& back = Surfaces[kBackBuffer];
  for (int y = 0; y < back.height; ++y)
    for (int x = 0; x < back.width; ++x) strip[static_cast<size_t>(y * strip_width + at + x)] = back.Row(y)[x];
}

TEST(TownNpcsPlayTest, OnTheTownsStreetSheTalksWithRodAndPanchoAndAPictureShowsAllThree) {
  InSceneLit game(kSceneTown);
  ASSERT_EQ(CountActors(kRod), 1);
  ASSERT_EQ(CountActors(kLime), 1);
  ASSERT_EQ(CountActors(kPancho), 1);
  ASSERT_EQ(CountActors(2), 0);  // Klaus's pictures are not on this map's sheets
  ASSERT_EQ(CountActors(6), 0);

  // She walks up to Rod and presses the action button (each looking away as she does): they
  // turn to each other, and she reads his line, hers, and the talk ends.
  const Actor hero(kHeroineGroup, 0), rod(kRod, 0);
  PutHerBeside(game, kRod);
  ASSERT_TRUE(WalkUpTo(game, kRod));
  const int toward_rod = hero.BodyBox().left <= rod.BodyBox().left ? 1 : -1;  // both boxes are 24 wide
  hero.FaceX() = -toward_rod;
  rod.FaceX() = toward_rod;
  game.PressButton(kButtonAction);
  ASSERT_EQ(SubMode, kSubTalk);
  ASSERT_EQ(SubModeArg, kRod);
  EXPECT_EQ(hero.FaceX(), toward_rod);
  EXPECT_EQ(rod.FaceX(), -toward_rod);
  const int rod_x = rod.PosX();
  const TalkRecord first = ReadTalk(game, kRod);
  EXPECT_TRUE(first.ended);
  EXPECT_TRUE(first.held);
  EXPECT_EQ(rod.PosX(), rod_x);  // held, he stood still
  EXPECT_EQ(first.lines, (std::vector<ShownLine>{{"ロドリゲス・ホーン：", "「こんにはトヴィアちゃん。」", 1},
                                                 {"トヴィア・ローデン：", "「ロッドさんこんにちはー」", 1}}));
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(rod.Control(), 0);
  EXPECT_EQ(EventStep[kRod], 3);

  // The progress lies in the save.
  const std::string save = game.folder() + "/Data/save0.dat";
  ASSERT_EQ(WriteSave(save.c_str()), 0);
  EventStep[kRod] = 0;
  ASSERT_EQ(ReadSave(save.c_str()), 0);

  // The next talk starts at his step 3: the news of the trade road, then where it goes; then
  // the town's height on every later talk.
  const TalkRecord second = TalkWith(game, kRod);
  ASSERT_EQ(second.lines.size(), 2u);
  EXPECT_EQ(second.lines[0].text.rfind("「噂では、貿易街道が移動するらしいよ。", 0), 0u);
  EXPECT_EQ(second.lines[1].text.rfind("「どこに貿易街道が移動するかって？", 0), 0u);
  for (int talk = 0; talk < 2; ++talk)
    EXPECT_EQ(TalkWith(game, kRod).lines,
              (std::vector<ShownLine>{
                  {"ロドリゲス・ホーン：", "「この【山岳都市ランカシャ】は標高3776メートルの位置にあるんだって」", 1}}));

  // Pancho shouts, with his anger balloon over him.
  PutHerBeside(game, kPancho);
  int angry = 0;
  const TalkRecord shout = TalkWith(game, kPancho, [&] {
    for (const DrawCommand& d : game.Draws(3)) angry += d.cell == 434 ? 1 : 0;
  });
  EXPECT_EQ(shout.lines.front(), (ShownLine{"パンチョさん：", "「うるせー！」", 0}));
  EXPECT_GT(angry, 0);

  // The street: the three of them, each on a screen of the strip, whole.
  constexpr int kWidth = 3 * 640, kHeight = 480;
  std::vector<uint32_t> strip(static_cast<size_t>(kWidth * kHeight));
  int at = 0;
  for (int group : {kRod, kLime, kPancho}) {
    SCOPED_TRACE(group);
    PutHerBeside(game, group);
    EXPECT_EQ(HiddenPixels(game, Actor(group, 0)), 0);
    CopyScreen(strip, kWidth, at);
    at += 640;
  }
  ASSERT_TRUE(WritePng(TOVIA_BINARY_DIR "/town_street.png", strip.data(), kWidth, kHeight));
}

TEST(TownNpcsPlayTest, InTheTeachersRoomKlausSaysWhatAndInTheInnDamianStandsAtTheCounter) {
  InSceneLit game(kSceneTown);
  // The way into the teacher's house, as its doors go: the inside scene, and sprite sheet 1
  // switched to his bitmap as the picture comes back; here straight into his room.
  ScopedFieldHandler door(320, FieldRoutine([] {
    if (EventStep[2] == 4 && SceneBitmapIds[8] != 151) {
      SceneBitmapIds[8] = 151;
      ReloadSheetBitmaps();
    }
    WarpToMap(2, 2568, 0, 2980, 344, -1, kSceneTownInside);
  }));
  RaiseEvent(kSubFieldEvent, 320);
  for (int frame = 0; frame < 300 && SubMode != kSubWorld; ++frame) game.Run();
  ASSERT_EQ(SubMode, kSubWorld);
  ASSERT_EQ(CountActors(2), 1);
  const Actor klaus(2, 0);
  EXPECT_GE(klaus.PosX(), 2568);
  EXPECT_LT(klaus.PosX() + 32, 3208);  // in his room

  const TalkRecord talk = TalkWith(game, 2);
  EXPECT_TRUE(talk.ended);
  EXPECT_EQ(talk.lines, (std::vector<ShownLine>{{"クラウス先生：", "「なんだ？」", 0}}));
  EXPECT_EQ(EventStep[2], 0);  // every talk with him begins at his one line

  game.Run(30);
  EXPECT_EQ(HiddenPixels(game, klaus), 0);
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/teacher_room.png"));

  // The inn's lobby, as door 269 brings her there.
  SubMode = kSubWorld;
  SetCameraPosition(0, 960);
  ChangeScene(kSceneTownInside);
  ASSERT_EQ(CountActors(6), 1);
  const Actor damian(6, 0);
  SpawnActor(kHeroineGroup, 40, 1172, 1, 0);
  PlaceHeroine(0, 40, 1172, 'R', 'N');
  SetCameraTarget(kHeroineGroup);
  RedrawAllLayers();
  game.Run(30);
  EXPECT_EQ(damian.PosY() + 80, 1248);  // standing on the lobby's floor
  EXPECT_EQ(HiddenPixels(game, damian), 0);
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/inn_lobby.png"));
}

}  // namespace
