// The routines events are built from, each run as a script runs it: a field handler of the
// test's own, called once a frame by the real dispatcher. The door on the built maps (its fade
// out, the scene change, the fade-in on the ninth frame, the end), a door to a missing map, the
// in-map warps, lines, guide talks, buying, the camera pan and the tile patch.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "actors/actor_table.h"
#include "actors/items.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "events/event_raise.h"
#include "events/event_script.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "support/event_handlers.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTestEvent = 1000;  // a field number without a script of its own

Actor Heroine() { return Actor(kHeroineGroup, 0); }

// Play after the new game, in the cave, the picture faded in, nothing over the world.
struct InPlay : FrameHarness {
  InPlay() {
    Run(2);
    while (IsFading() == 1) Run(1);
  }
  // Runs frames until the test event ends (at most `limit`); the frames run.
  int RunUntilEnd(int limit = 400) {
    int n = 0;
    while (SubMode == kSubFieldEvent && n < limit) {
      Run(1);
      ++n;
    }
    return n;
  }
};

// What the test door saw on each of its frames, after its step.
struct DoorFrame {
  int32_t step, sub_counter, camera_x, camera_y, fading, direction, x, y;
};
std::vector<DoorFrame> door_frames;

void DoorToTheInnLobby() {
  WarpToMap(2, 0, 960, 40, 1172, 1, 610);
  door_frames.push_back({EventStep[2], EventSubCounter, GetCameraX(), GetCameraY(), static_cast<int32_t>(IsFading()),
                         static_cast<int32_t>(Wipe.direction), Heroine().PosX(), Heroine().PosY()});
}

// The frame (index into door_frames) on which the door first reached `step`.
int FirstFrameAt(int32_t step) {
  for (size_t i = 0; i < door_frames.size(); ++i) {
    if (door_frames[i].step == step) return static_cast<int>(i);
  }
  return -1;
}

TEST(EventScriptTest, TheDoorFadesOutChangesTheSceneAndFadesInOnTheNinthFrameThenReleasesHer) {
  InPlay game;
  ScopedFieldHandler door(kTestEvent, FieldRoutine(DoorToTheInnLobby));
  door_frames.clear();
  RaiseEvent(kSubFieldEvent, kTestEvent);
  game.Run(1);
  EXPECT_EQ(HeroControl, 1);  // held in the door pose, facing left
  EXPECT_EQ(Heroine().AnimCursor(), 120);
  EXPECT_EQ(Heroine().FaceX(), -1);
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(IsFading(), 1u);

  const int frames = game.RunUntilEnd();
  ASSERT_EQ(SubMode, kSubWorld);
  // The fade-out is busy for 92 frames (the first with step 0); the door sees it idle on the
  // next and changes the scene on the one after.
  const int changed = FirstFrameAt(3);
  ASSERT_EQ(FirstFrameAt(2), 92);
  ASSERT_EQ(changed, 93);
  EXPECT_EQ(door_frames[changed].camera_x, 0);  // the door's camera, which scene 610 keeps
  EXPECT_EQ(door_frames[changed].camera_y, 960);
  EXPECT_EQ(door_frames[changed].x, 40);  // she is there anew, facing right
  EXPECT_EQ(door_frames[changed].y, 1172);
  // The fade-in starts on the ninth frame of the wait, with the counter left at 9.
  const int fade_in = FirstFrameAt(4);
  EXPECT_EQ(fade_in, changed + 9);
  for (int i = changed; i < fade_in; ++i) EXPECT_EQ(door_frames[i].fading, 0) << i;
  EXPECT_EQ(door_frames[fade_in].fading, 1);
  EXPECT_EQ(door_frames[fade_in].direction, 0);
  EXPECT_EQ(door_frames[fade_in].sub_counter, 9);
  EXPECT_EQ(door_frames[FirstFrameAt(5)].sub_counter, 9);
  EXPECT_EQ(FirstFrameAt(5) + 2, static_cast<int>(door_frames.size()));  // ended on the next frame
  EXPECT_EQ(frames, static_cast<int>(door_frames.size()) - 1);

  EXPECT_STREQ(MapPath, "./Data/LTOWNSHP.MDT");
  EXPECT_EQ(GetCameraTarget(), 1);
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(EventStep[2], 0);
  EXPECT_EQ(EventSubCounter, 0);
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(InputLock, 1);

  // She came to rest on the lobby's floor below her point, and walks off under the keys.
  game.Run(20);
  EXPECT_EQ(Heroine().BodyBox().bottom, 1247);  // right above the floor's top at 1248
  EXPECT_EQ(Heroine().Motion() & 0xFF, 0);      // standing
  EXPECT_EQ(Heroine().PosX(), 40);
  game.Hold(vk::Right);
  game.Run(10);
  EXPECT_GT(Heroine().PosX(), 40);
}

int missing_door_calls = 0;

TEST(EventScriptTest, ADoorToAMissingMapLeavesTheEventToTheErrorSceneAndIsNotCalledAgain) {
  InPlay game;
  fs::remove(fs::path(game.folder()) / "Data" / "LTOWNSHP.MDT");
  ScopedFieldHandler door(kTestEvent, FieldRoutine([] {
                            ++missing_door_calls;
                            WarpToMap(2, 0, 960, 40, 1172, 1, 610);
                          }));
  RaiseEvent(kSubFieldEvent, kTestEvent);
  game.Run(120);
  EXPECT_EQ(SubMode, kSubMapLoadFailure);
  EXPECT_EQ(SubModeArg, 1);
  EXPECT_EQ(EventStep[2], 3);
  EXPECT_EQ(missing_door_calls, 94);  // step 0, 92 frames of step 1 and the scene change
  EXPECT_EQ(MessageWindow.open, 1u);  // the fatal error's message
}

// Where the warps below put the heroine, seen right after the step that places her (before the
// world passes move her).
int placed_x = 0, placed_y = 0;
void NotePlacement(int32_t step_before) {
  if (step_before == 5 && EventStep[2] == 6) {
    placed_x = Heroine().PosX();
    placed_y = Heroine().PosY();
  }
}

TEST(EventScriptTest, TheInMapWarpsPutHerAboveTheirPointAndHealWhenAsked) {
  InPlay game;
  PlayerStats.Hp = 1;
  PlayerStats.Mp = 0;
  // Steps 3..7 are the warp's, 8 the script's own end.
  ScopedFieldHandler clinic(kTestEvent, FieldRoutine([] {
                              const int32_t before = EventStep[2];
                              if (before == 8) return EndEvent(2);
                              FadeWarpHere(2, 3, 136, 296, 1);
                              NotePlacement(before);
                            }));
  RaiseEvent(kSubFieldEvent, kTestEvent);
  EventStep[2] = 3;
  const int camera_target = GetCameraTarget();
  while (EventStep[2] != 6 && SubMode == kSubFieldEvent) game.Run(1);
  EXPECT_EQ(placed_x, 112);
  EXPECT_EQ(placed_y, 232);
  EXPECT_EQ(HeroControl, 1);
  EXPECT_EQ(PlayerStats.Hp, 1);
  while (EventStep[2] != 7 && SubMode == kSubFieldEvent) game.Run(1);
  EXPECT_EQ(HeroControl, 2);  // frozen while the picture comes back
  EXPECT_EQ(EventSubCounter, 9);
  EXPECT_EQ(PlayerStats.Hp, PlayerStats.MaxHp);
  EXPECT_EQ(PlayerStats.Mp, PlayerStats.MaxMp);
  EXPECT_EQ(IsFading(), 1u);
  game.Run(3);
  EXPECT_EQ(PlayCount(19), 2);  // the heal sound, on this frame and the next
  game.RunUntilEnd();
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(GetCameraTarget(), camera_target);  // the camera was left alone
  EXPECT_EQ(InputLock, 1);

  // The warp with a camera move leaves the camera where it put it and heals nobody.
  PlayerStats.Hp = 1;
  ScopedFieldHandler sign(kTestEvent, FieldRoutine([] {
                            const int32_t before = EventStep[2];
                            if (before == 8) return EndEvent(2);
                            FadeWarpInMap(2, 3, 1920, 64, 1976, 300, 0);
                            NotePlacement(before);
                          }));
  RaiseEvent(kSubFieldEvent, kTestEvent);
  EventStep[2] = 3;
  HeroControl = 1;
  while (EventStep[2] != 6 && SubMode == kSubFieldEvent) game.Run(1);
  EXPECT_EQ(GetCameraTarget(), kNoCameraTarget);
  EXPECT_EQ(GetCameraX(), 1920);
  EXPECT_EQ(GetCameraY(), 64);
  EXPECT_EQ(placed_x, 1952);
  EXPECT_EQ(placed_y, 236);
  while (EventStep[2] != 7 && SubMode == kSubFieldEvent) game.Run(1);
  EXPECT_EQ(HeroControl, 1);  // this warp leaves her as the script held her
  EXPECT_EQ(PlayerStats.Hp, 1);
}

TEST(EventScriptTest, ALineMovesTheStepOnAtOnceEvenWhenTheWindowRefusesAndTheWaitOnlyOnTheClose) {
  InPlay game;
  int32_t step = 0;
  SayLine("トヴィア：", "「開かなーい。」", 1, &step, 2);
  EXPECT_EQ(step, 2);
  EXPECT_EQ(MessageWindow.open, 1u);
  EXPECT_EQ(MessageWindow.type, 24u);
  EXPECT_EQ(std::strcmp(MessageWindow.text, "「開かなーい。」"), 0);
  SayLine(nullptr, "「開かなーい。」", 1, &step, 1);  // refused: no speaker
  EXPECT_EQ(step, 3);
  EXPECT_EQ(MessageWindow.open, 0u);

  for (int32_t result : {255, -1, 0, 2}) {
    MessageResult = result;
    WaitLine(&step, 1);
    EXPECT_EQ(step, 3) << result;
  }
  MessageResult = -2;
  WaitLine(&step, 5);
  EXPECT_EQ(step, 8);
}

TEST(EventScriptTest, AGuideTalkBringsTheInsectAndItsEndMarksOnlyARealEventSeen) {
  InPlay game;
  RaiseEvent(kSubGuideEvent, 520);
  EventStep[2] = 6;
  InputLock = 1;
  Heroine().Link() = 5;
  BeginGuideTalk(1);
  EXPECT_EQ(HeroControl, 1);
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(Heroine().Link(), 0);
  EXPECT_EQ(Actor(114, 0).State(), kActorSpawned);
  EXPECT_EQ(Actor(114, 0).PosX(), Heroine().PosX());
  SpawnActor(114, 0, 0, 1, 1);  // a second insect stays
  EndGuideTalk(520);
  EXPECT_EQ(GetFlag(0, 7), 1u);
  EXPECT_EQ(Actor(114, 0).State(), kActorFree);
  EXPECT_EQ(Actor(114, 1).State(), kActorSpawned);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(EventStep[2], 0);
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(InputLock, 1);

  BeginGuideTalk(0);
  EXPECT_EQ(Actor(114, 0).State(), kActorFree);  // no insect this time
  ClearFlagBank(0);
  EndGuideTalk(-1);
  for (int i = 0; i < kFlagsPerBank; ++i) ASSERT_EQ(GetFlag(0, i), 0u) << i;
}

TEST(EventScriptTest, BuyingChargesThePriceOnlyWhenTheItemFitsInTheBag) {
  InPlay game;
  const int32_t price = ItemValue(2, 2);
  std::memset(PlayerStats.Bag, 0, sizeof PlayerStats.Bag);
  PlayerStats.Money = static_cast<uint32_t>(price);
  EXPECT_EQ(BuyItem(2), kBuyDone);
  EXPECT_EQ(PlayerStats.Money, 0u);
  EXPECT_EQ(PlayerStats.Bag[0], 2u);

  PlayerStats.Money = static_cast<uint32_t>(price - 1);
  EXPECT_EQ(BuyItem(2), kBuyTooLittleMoney);
  EXPECT_EQ(PlayerStats.Money, static_cast<uint32_t>(price - 1));
  EXPECT_EQ(PlayerStats.Bag[1], 0u);

  for (int i = 0; i < 7; ++i) PlayerStats.Bag[i] = 1;
  PlayerStats.Money = 5000;
  EXPECT_EQ(BuyItem(2), kBuyBagFull);
  EXPECT_EQ(PlayerStats.Money, 5000u);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(PlayerStats.Bag[i], 1u);
}

// Pans from the camera at (0, 0) towards the point whose view starts at (dx, dy), one frame a
// call, and gives the camera's moves until it arrived.
std::vector<std::pair<int, int>> Pan(int dx, int dy) {
  SetCameraTarget(kNoCameraTarget);
  SetCameraPosition(1000, 1000);
  std::vector<std::pair<int, int>> moves;
  for (int call = 0; call < 100; ++call) {
    const int x = GetCameraX(), y = GetCameraY();
    if (PanCameraTo(kHeroineGroup, 0, 1000 + dx + 296, 1000 + dy + 240) == 1) return moves;
    RenderFrame();
    moves.emplace_back(GetCameraX() - x, GetCameraY() - y);
  }
  return moves;
}

TEST(EventScriptTest, ThePanMovesByTheFirstDivisorThatMovesEitherAxisAndPlacesTheActorOnArrival) {
  InPlay game;
  auto moves = Pan(800, -80);
  ASSERT_GE(moves.size(), 3u);
  EXPECT_EQ(moves[0], std::make_pair(100, -10));
  EXPECT_EQ(moves[1], std::make_pair(87, -8));
  EXPECT_EQ(moves[2], std::make_pair(76, -7));
  EXPECT_EQ(GetCameraTarget(), kHeroineGroup);
  EXPECT_EQ(Heroine().PosX(), 1000 + 800 + 296);
  EXPECT_EQ(Heroine().PosY(), 1000 - 80 + 240);
  EXPECT_EQ(GetCameraX(), 1800);
  EXPECT_EQ(GetCameraY(), 920);

  moves = Pan(12, 0);
  EXPECT_EQ(moves.size(), 12u);  // it arrives on the 13th call, a pixel a frame
  for (const auto& m : moves) EXPECT_EQ(m, std::make_pair(1, 0));
  moves = Pan(0, -7);
  EXPECT_EQ(moves.size(), 7u);
}

TEST(EventScriptTest, ThePatchOpensATwoByFiveBlockCarryingTheNumberAndShowsIt) {
  InPlay game;
  ChangeScene(610);
  SetCameraPosition(3848, 488);
  RedrawAllLayers();
  const Surface& ring = Surfaces[3];  // layer 1's picture of the view
  std::vector<uint32_t> before(ring.pixels, ring.pixels + ring.width * ring.height);
  PatchMapTiles(4404, 708, 279);
  for (int column = 0; column < 2; ++column) {
    for (int row = 0; row < 5; ++row) {
      EXPECT_EQ(GetTile(4404 + 16 * column, 708 + 16 * row, 1), 2240u);
      EXPECT_EQ(GetTile(4404 + 16 * column, 708 + 16 * row, kEventLayer), 279u);
    }
  }
  EXPECT_NE(GetTile(4404 + 32, 708, kEventLayer), 279u);
  EXPECT_NE(GetTile(4404, 708 + 80, kEventLayer), 279u);
  EXPECT_NE(GetTile(4404 - 16, 708, kEventLayer), 279u);
  // The redraw shows the opening at once, and only there.
  int changed_inside = 0, changed_outside = 0;
  for (int y = 0; y < ring.height; ++y) {
    for (int x = 0; x < ring.width; ++x) {
      const bool inside = x >= 4400 - 3848 && x < 4432 - 3848 && y >= 704 - 488 && y < 784 - 488;
      if (ring.At(x, y) != before[static_cast<size_t>(y * ring.width + x)]) ++(inside ? changed_inside : changed_outside);
    }
  }
  EXPECT_GT(changed_inside, 32 * 80 / 2);
  EXPECT_EQ(changed_outside, 0);
}

}  // namespace
