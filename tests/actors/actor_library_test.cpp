// The actor library: the spawns that fill text and effect fields, the heroine placed by
// scripts, sight and visibility, walking by pad bits, gravity and the balloon.
#include "actors/actor_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "platform/graphics.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "platform/utils.h"
#include "support/fixture_map.h"
#include "support/game_reset.h"
#include "world/camera.h"
#include "world/draw_queue.h"

namespace {

class ActorLibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    SetDefaultKeys();
  }
  void TearDown() override { ResetGameState(); }

  static void SetBox(ActorBox box, int l, int t, int r, int b) {
    box.left = l;
    box.top = t;
    box.right = r;
    box.bottom = b;
  }
};

TEST_F(ActorLibraryTest, TextSpawnsKeepThirtyOneBytesAndLeaveTheNextSlotAlone) {
  const Actor next(111, 1);
  std::strcpy(next.Text(), "NEXT");
  next.State() = kActorActive;
  const Actor a(111, 0);
  a.StepX() = 6;
  a.HitTimer() = 5;
  const std::string longer(40, 'X');
  SpawnActorWithText(111, 10, 20, 's', 0, longer.c_str());
  EXPECT_EQ(a.State(), kActorSpawned);
  EXPECT_EQ(a.HomeY(), 20);
  EXPECT_EQ(a.FaceX(), 's');
  EXPECT_EQ(a.HitTimer(), 0);
  EXPECT_EQ(a.StepX(), 6);  // not cleared
  EXPECT_EQ(std::string(a.Text()), std::string(31, 'X'));
  EXPECT_STREQ(next.Text(), "NEXT");

  SpawnActorWithText(112, 0, 0, 0, 0, nullptr);  // no text: an empty one
  EXPECT_STREQ(Actor(112, 0).Text(), "");
  for (int s = 1; s < kActorSlots; ++s) Actor(112, s).State() = kActorActive;
  SpawnActorWithText(112, 5, 0, 0, 0, "B");  // a full group: nothing, silently
  for (int s = 0; s < kActorSlots; ++s) ASSERT_STREQ(Actor(112, s).Text(), "") << s;
}

TEST_F(ActorLibraryTest, EffectSpawnsFillTheEffectFields) {
  const Actor a(116, 0);
  a.HitTimer() = 9;
  a.Link() = 4;
  a.AttackValue() = 33;
  EXPECT_EQ(SpawnEffectActor14(116, 100, 200, 2, 3, 1, -2, 12, 1, 4, 60, 5, 0, 996), 0);
  EXPECT_EQ(a.FaceX(), 2);
  EXPECT_EQ(a.FaceY(), 3);
  EXPECT_EQ(a.StepX(), 1);
  EXPECT_EQ(a.StepY(), -2);
  EXPECT_EQ(a.ExpReward(), 12);
  EXPECT_EQ(a.MoneyReward(), 1);
  EXPECT_EQ(a.Param25(), 4);
  EXPECT_EQ(a.MaxLife(), 60);
  EXPECT_EQ(a.Param24(), 1);
  EXPECT_EQ(a.Life(), -1);
  EXPECT_EQ(a.DefenseValue(), 996);
  EXPECT_EQ(a.AttackValue(), 33);  // untouched, as HitTimer and Link
  EXPECT_EQ(a.HitTimer(), 9);
  EXPECT_EQ(a.Link(), 4);
  EXPECT_EQ(SpawnEffectActor(116, 0, 0, 1, 1, 0, 0, 1, 2, 1, 1, 0, 1, 0, 7), 1);
  EXPECT_EQ(Actor(116, 1).MoneyReward(), -1);  // only 1 loops
  EXPECT_EQ(Actor(116, 1).Param24(), -1);
  EXPECT_EQ(Actor(116, 1).Life(), 1);
  EXPECT_EQ(Actor(116, 1).AttackValue(), 7);
  for (int s = 2; s < kActorSlots; ++s) Actor(116, s).State() = kActorActive;
  EXPECT_EQ(SpawnEffectActor(116, 0, 0, 1, 1, 0, 0, 1, 2, 1, 1, 0, 1, 0, 7), -1);
}

TEST_F(ActorLibraryTest, ScriptsPlaceTheHeroine) {
  const Actor hero(kHeroineGroup, 0);
  hero.State() = kActorActive;
  hero.Motion() = 0x1504;
  hero.AnimCursor() = 60;
  hero.PosX() = hero.HomeX() = 500;
  hero.PosY() = hero.HomeY() = 300;
  hero.FaceX() = 1;
  hero.FaceY() = 0;
  PlaceHeroine(-1, 100, -1, 'N', 'N');
  EXPECT_EQ(hero.PosX(), 100);
  EXPECT_EQ(hero.HomeX(), 100);
  EXPECT_EQ(hero.PosY(), 300);
  EXPECT_EQ(hero.AnimCursor(), 60);
  EXPECT_EQ(hero.FaceX(), 1);
  EXPECT_EQ(hero.FaceY(), 0);
  PlaceHeroine(2, -1, -1, 'l', 'd');
  EXPECT_EQ(hero.AnimCursor(), 10);
  EXPECT_EQ(hero.FaceX(), -1);
  EXPECT_EQ(hero.FaceY(), 1);
  EXPECT_EQ(hero.Motion(), 0x1504);
  EXPECT_EQ(hero.State(), kActorActive);
  for (auto [kind, anim] : std::vector<std::pair<int, int>>{{1, 80}, {3, 60}, {4, 60}, {5, 90}, {6, 120}, {0, 10}}) {
    PlaceHeroine(kind, -1, -1, 'n', 'u');
    EXPECT_EQ(hero.AnimCursor(), anim) << "kind " << kind;
  }
  EXPECT_EQ(hero.FaceY(), -1);

  // At the end of an event she stands, facing as in the last frame; not while she is ending.
  hero.History(ActorField::FaceXHistory, 0) = 1;
  ResetHeroineFacing();
  EXPECT_EQ(hero.FaceX(), 1);
  EXPECT_EQ(hero.AnimCursor(), 10);
  hero.History(ActorField::FaceXHistory, 0) = -1;
  hero.State() = kActorEnding;
  hero.AnimCursor() = 90;
  ResetHeroineFacing();
  EXPECT_EQ(hero.AnimCursor(), 90);
  EXPECT_EQ(hero.FaceX(), 1);
}

TEST_F(ActorLibraryTest, AWalkerTurnsOnlyBeyondItsRange) {
  const Actor a(34, 0);
  a.HomeX() = 1000;
  a.FaceX() = 1;
  a.Input() = static_cast<int32_t>(ButtonBits[kButtonRight]);
  a.PosX() = 1960;
  EXPECT_EQ(WalkActorByInput(34, 0, 2, 1, 960), 1);
  EXPECT_EQ(a.StepX(), 2);
  a.PosX() = 1961;
  a.StepX() = 0;
  EXPECT_EQ(WalkActorByInput(34, 0, 2, 1, 960), 0);
  EXPECT_EQ(a.FaceX(), -1);
  EXPECT_EQ(a.StepX(), 0);
  EXPECT_EQ(WalkActorByInput(34, 0, 2, 0, 960), 1);  // unbounded

  a.Input() = static_cast<int32_t>(ButtonBits[kButtonLeft]);
  a.PosX() = 40;
  EXPECT_EQ(WalkActorByInput(34, 0, 3, 1, 960), -1);
  EXPECT_EQ(a.StepX(), -3);
  a.PosX() = 39;
  EXPECT_EQ(WalkActorByInput(34, 0, 3, 1, 960), 0);
  EXPECT_EQ(a.FaceX(), 1);
  a.Input() = static_cast<int32_t>(ButtonBits[kButtonUp]);
  EXPECT_EQ(WalkActorByInput(34, 0, 3, 1, 960), 0);
}

TEST_F(ActorLibraryTest, ARandomFacingLooksTheSameWayOnBothAxes) {
  for (auto [counter, facing] : std::vector<std::pair<uint8_t, int>>{{6, -1}, {7, 1}, {255, 1}, {0, -1}}) {
    FrameCounters.frame[0] = counter;
    SetActorFacingRandom(3, 0, 1);
    EXPECT_EQ(Actor(3, 0).FaceX(), facing);
    EXPECT_EQ(Actor(3, 0).FaceY(), facing);
  }
  SetActorFacingRandom(3, 0, 0);
  EXPECT_EQ(Actor(3, 0).FaceX(), 1);
  EXPECT_EQ(Actor(3, 0).FaceY(), 1);
}

TEST_F(ActorLibraryTest, FallingStopsOnTheFloorWithinThisFramesMove) {
  LoadFixtureMap({"....", "....", "....", "####"});  // the floor's top line is y 48
  const Actor a(33, 0);
  SetBox(a.BodyBox(), 10, 12, 34, 40);  // probed as top 13: the floor row is 41 + k
  a.Motion() = 0x1503;
  a.StepY() = 7;
  a.VelY() = 0;
  EXPECT_EQ(FallActorToFloor(33, 0), 1);  // exactly at the end of the fall
  EXPECT_EQ(a.Motion(), 0x1503);
  EXPECT_EQ(a.StepY(), 7);
  a.StepY() = 1;
  a.VelY() = 9;
  EXPECT_EQ(FallActorToFloor(33, 0), 1);  // nearer than the move: she lands
  EXPECT_EQ(a.Motion(), 0);
  EXPECT_EQ(a.StepY(), 7);
  EXPECT_EQ(a.VelY(), 0);
  a.Motion() = 0x1500;
  a.StepY() = 1;
  a.VelY() = 4;
  EXPECT_EQ(FallActorToFloor(33, 0), 0);  // nothing within the move: falling, the whole word
  EXPECT_EQ(a.Motion(), 3);
  EXPECT_EQ(a.VelY(), 4);
}

TEST_F(ActorLibraryTest, SightLooksTheWayTheActorFaces) {
  const Actor a(35, 0), hero(kHeroineGroup, 0);
  SetBox(a.BodyBox(), 100, 200, 132, 248);
  a.CentreX() = 116;
  SetBox(hero.SpriteBox(), 220, 230, 244, 262);  // 104 pixels right of the centre
  a.FaceX() = 1;
  EXPECT_EQ(ActorSightHits(35, 0, 105, 0, 40, kHeroineGroup, 0, 0), 1);
  EXPECT_EQ(ActorSightHits(35, 0, 104, 0, 40, kHeroineGroup, 0, 0), 0);  // touching is not seeing
  EXPECT_EQ(ActorSightHits(35, 0, 200, 0, 30, kHeroineGroup, 0, 0), 0);  // she is below the sight
  a.FaceX() = -1;
  EXPECT_EQ(ActorSightHits(35, 0, 200, 0, 40, kHeroineGroup, 0, 0), 0);
  SetBox(hero.SpriteBox(), 0, 150, 20, 201);
  EXPECT_EQ(ActorSightHits(35, 0, 100, 50, 0, kHeroineGroup, 0, 1), 1);
  ASSERT_EQ(DrawQueue.count[3], 1u);
  const DrawCommand& rect = DrawQueue.commands[3][0];
  EXPECT_EQ(rect.type, kDrawFillRect);
  EXPECT_EQ(rect.visible, 0u);
  EXPECT_EQ(rect.coords, kWorldCoords);
  EXPECT_EQ(rect.x, 16);
  EXPECT_EQ(rect.y, 150);
  EXPECT_EQ(rect.w, 100);
  EXPECT_EQ(rect.h, 50);
  EXPECT_EQ(rect.colour, 0x0000FFu);
  EXPECT_EQ(CompareActorCentreX(35, 0, 1, 0), 1);
  hero.CentreX() = 117;
  EXPECT_EQ(CompareActorCentreX(35, 0, 1, 0), -1);
}

TEST_F(ActorLibraryTest, OnScreenAndNearTheHeroine) {
  SetCameraPosition(1000, 500);
  const Actor a(40, 2);
  SetBox(a.BodyBox(), 1640, 600, 1680, 664);  // just right of the view
  EXPECT_EQ(IsActorOnScreen(40, 2, 0), 0);
  EXPECT_EQ(IsActorOnScreen(40, 2, 1), 1);
  SetBox(a.BodyBox(), 1639, 600, 1680, 664);
  EXPECT_EQ(IsActorOnScreen(40, 2, 0), 1);
  SetBox(a.BodyBox(), 1960, 600, 1980, 664);  // the wide view ends at x 1960
  EXPECT_EQ(IsActorOnScreen(40, 2, 1), 0);

  WindowSize.width = 640;
  WindowSize.height = 480;
  SetBox(Actor(kHeroineGroup, 0).BodyBox(), 1000, 1000, 1024, 1061);  // centre (1012, 1030)
  EXPECT_EQ(IsBoxNearHeroine(1651, 1000, 10, 10), 1);
  EXPECT_EQ(IsBoxNearHeroine(1652, 1000, 10, 10), 0);
  EXPECT_EQ(IsBoxNearHeroine(1000, 540, 10, 10), 0);  // it ends at y 549, the rectangle starts at 550
  EXPECT_EQ(IsBoxNearHeroine(1000, 541, 10, 10), 1);
}

TEST_F(ActorLibraryTest, TheBalloonShowsItsSymbolOverTheActor) {
  const Actor a(2, 0);
  SetBox(a.BodyBox(), 300, 400, 332, 464);
  DrawActorBalloon(2, 0, 0);  // a free slot: nothing
  EXPECT_EQ(DrawQueue.count[3], 0u);
  a.State() = kActorActive;
  DrawActorBalloon(2, 0, 0);
  ASSERT_EQ(DrawQueue.count[3], 8u);
  const DrawCommand* c = DrawQueue.commands[3];
  const int cells[6] = {434, 435, 436, 474, 475, 476};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(c[i].cell, static_cast<uint32_t>(cells[i]));
    EXPECT_EQ(c[i].x, 292 + 16 * (i % 3));
    EXPECT_EQ(c[i].y, 368 + 16 * (i / 3));
    EXPECT_EQ(c[i].coords, kWorldCoords);
    EXPECT_EQ(c[i].visible, 1u);
  }
  EXPECT_EQ(c[6].cell, 437u);
  EXPECT_EQ(c[7].cell, 477u);
  EXPECT_EQ(c[7].x, c[6].x);
  EXPECT_EQ(c[7].y, c[6].y + 16);
  EXPECT_GE(c[6].x - 308, 0);  // jittered by at most one pixel
  EXPECT_LE(c[6].x - 308, 1);
  EXPECT_GE(c[6].y - 368, 0);
  EXPECT_LE(c[6].y - 368, 1);

  // Kind 5 is a 3 x 2 symbol of its own, any unknown kind the balloon alone.
  ClearDrawQueues();
  DrawBalloon(0, 0, 5);
  ASSERT_EQ(DrawQueue.count[3], 12u);
  EXPECT_EQ(DrawQueue.commands[3][6].cell, 594u);
  EXPECT_EQ(DrawQueue.commands[3][11].cell, 636u);
  ClearDrawQueues();
  DrawBalloon(0, 0, 9);
  EXPECT_EQ(DrawQueue.count[3], 6u);
  ClearDrawQueues();
  DrawBalloon(0, 0, 3);
  ASSERT_EQ(DrawQueue.count[3], 8u);
  EXPECT_GE(DrawQueue.commands[3][6].cell, 514u);
  EXPECT_LE(DrawQueue.commands[3][6].cell, 516u);
  EXPECT_GE(DrawQueue.commands[3][7].cell, 554u);
  EXPECT_LE(DrawQueue.commands[3][7].cell, 556u);
}

TEST_F(ActorLibraryTest, TheMessageBoxIsAFramedPanelWithTwoWhiteLines) {
  StartTestDisplay();
  ClearDrawQueues();
  DrawMessageBox("ここは、トヴィア。", "LINE TWO");
  // A solid black box 384 wide centred in the 640-pixel window, its double border, the lines.
  ASSERT_EQ(DrawQueue.count[4], 1u + 20u + 2u);
  const DrawCommand* c = DrawQueue.commands[4];
  EXPECT_EQ(c[0].type, kDrawFillRect);
  EXPECT_EQ(c[0].x, 128);
  EXPECT_EQ(c[0].y, 90);
  EXPECT_EQ(c[0].w, 384);
  EXPECT_EQ(c[0].h, 100);
  EXPECT_EQ(c[0].colour, 0u);
  for (int k = 0; k < 2; ++k) {
    const DrawCommand& line = c[21 + k];
    EXPECT_EQ(line.type, kDrawText);
    EXPECT_EQ(line.visible, 1u);
    EXPECT_EQ(line.coords, kScreenCoords);
    EXPECT_EQ(line.x, 130);
    EXPECT_EQ(line.y, 90 + 20 * k);
    EXPECT_EQ(line.colour, 0xFFFFFFu);
    EXPECT_EQ(line.font_height, 16u);
    EXPECT_STREQ(line.face, "MS Gothic");
  }
  EXPECT_STREQ(c[21].text, "ここは、トヴィア。");
  EXPECT_STREQ(c[22].text, "LINE TWO");

  // Drawn: the light border shows beside the box and the text in white inside it.
  FillRectColor(0, 0, 640, 480, MakeColor(1, 2, 3));
  DrawQueuedLayer(4);
  const Surface& back = Surfaces[kBackBuffer];
  EXPECT_EQ(back.At(126, 140) & 0xFFFFFF, 0xFFEEAAu);
  EXPECT_EQ(back.At(511, 189) & 0xFFFFFF, 0u);
  int white = 0;
  for (int y = 110; y < 126; ++y)
    for (int x = 130; x < 200; ++x) white += (back.At(x, y) & 0xFFFFFF) == 0xFFFFFF;
  EXPECT_GT(white, 20);
}

}  // namespace
