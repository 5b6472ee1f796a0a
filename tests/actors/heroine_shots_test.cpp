// The heroine's shots: launched by the action key, flying at the speed her Attack gives, stopped
// by walls with a spark, freed off the view, limited to three, and their hits on enemies (made by
// writing their fields into groups no module moves) with the damage, the gauge and the award.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "ui/hud.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/save_block.h"

namespace {

// A floor at y 400 (standing, her PosY is 335) and a wall at column 30 (x 480..495).
const std::vector<std::string> kRoom = {
    "..............................#.........",  // 20: y 320
    "..............................#.........",  //
    "..............................#.........",  //
    "..............................#.........",  //
    "..............................#.........",  // 24: y 384
    "########################################################################################",  // 25
};
constexpr int kGround = 400 - 65;
constexpr int kEnemyGroup = 50;  // a group no module owns: what a test writes stays

class HeroineShotsTest : public testing::Test {
 protected:
  void SetUp() override {
    game.Run();  // the new game
    LoadFixtureMap(kRoom, {}, 0, 20);
  }

  void Enter(int x, int face = 1) {
    EnterPlay({.camera_x = x < 320 ? 0 : x - 320, .heroine = true, .hero_x = x, .hero_y = kGround, .face_x = face});
    game.Run();
  }

  // An active enemy of `kind` whose body is the box (x, y, w, h): 1 of 6 life left, attack 12,
  // defense 0, worth 5 EXP and 20 yen.
  static Actor Enemy(int kind, int x, int y, int w, int h) {
    const Actor e(kEnemyGroup, WriteActiveActor(kEnemyGroup, kind, x, y, w, h));
    e.Life() = 1;
    e.MaxLife() = 6;
    e.AttackValue() = 12;
    e.DefenseValue() = 0;
    e.ExpReward() = 5;
    e.MoneyReward() = 20;
    return e;
  }

  static std::vector<int> Ints(std::initializer_list<int> v) { return v; }

  // A shot from (x, y) in the facing's direction, as its first update makes it.
  static Actor Shot(int x, int y, int face_x, int face_y = 0) {
    const Actor s(kShotGroup, SpawnActor(kShotGroup, x, y, face_x, face_y));
    UpdateShots();
    return s;
  }

  static std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (int s = 0; s < kActorSlots; ++s)
      if (Actor(111, s).State() != kActorFree) texts.push_back(Actor(111, s).Text());
    return texts;
  }

  // Whether this frame queued any of her cells (the first of layer 1) to blink.
  bool HeroineBlinks() const {
    const std::vector<DrawCommand> cells = game.Draws(1);
    return !cells.empty() && cells.front().visible == 0;
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

// ---- in play ----------------------------------------------------------------------------------

TEST_F(HeroineShotsTest, AShotDownsAnEnemyThatPaysAndAnotherEnemyTouchesHer) {
  Enter(64);
  // The shot flies at PosY + 18 + 4 .. + 13: rows 357..366.
  const Actor target = Enemy(0, 300, 340, 32, 58);
  game.HoldButton(kButtonAction);
  int frames = 0;
  while (target.Life() > 0 && frames++ < 60) game.Run();
  game.ReleaseButton(kButtonAction);
  ASSERT_EQ(target.Life(), 0);  // her Attack 5 against 0 does 2
  EXPECT_EQ(target.Motion() & 0xFF, 7);
  EXPECT_EQ(Ints({EnemyGaugeHp, EnemyGaugeMax, PlayerStats.Exp, PlayerStats.Money}), Ints({0, 6, 5, 320 + 20}));
  EXPECT_GT(EnemyGaugeTimer, 0);
  EXPECT_EQ(Ints({PlayCount(13), PlayCount(16), PlayCount(7) > 0}), Ints({1, 1, 1}));  // shot, hit, defeat
  EXPECT_EQ(Texts(), (std::vector<std::string>{"5EXP=20YEN"}));
  EXPECT_EQ(CountActors(110), 1);  // the spark where it met the enemy
  game.Run();
  EXPECT_EQ(CountActors(kShotGroup), 0);

  // Its own module would take it away; another walks into her.
  KillActor(kEnemyGroup, target.slot);
  for (int s = 0; s < kActorSlots; ++s) KillActor(111, s);
  const Actor walker = Enemy(0, 90, 340, 32, 58);
  game.Run();
  KillActor(kEnemyGroup, walker.slot);
  EXPECT_EQ(Ints({PlayerStats.Hp, PlayCount(5)}), Ints({20 - 6, 1}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"DAMAGE:", "6"}));
  int blinking = HeroineBlinks() ? 1 : 0;
  for (int i = 0; i < 100 && HeroineBlinks(); ++i) {
    game.Run();
    if (HeroineBlinks()) ++blinking;
  }
  EXPECT_EQ(blinking, 90);
}

TEST_F(HeroineShotsTest, ShotsFlySparkAtAWallAndVanishOffTheView) {
  Enter(100);
  game.PressButton(kButtonAction);
  ASSERT_EQ(CountActors(kShotGroup), 1);
  const Actor shot(kShotGroup, 0);
  EXPECT_EQ(shot.PosY(), kGround + 18);
  std::vector<int> moves;
  int frames = 0;
  while (shot.State() == kActorActive && frames++ < 60) {
    const int x = shot.PosX();
    game.Run();
    moves.push_back(shot.PosX() - x);
  }
  ASSERT_EQ(shot.State(), kActorEnding);
  EXPECT_EQ(moves.front(), 8);
  const int box_right = shot.PosX() + 4 + 9;
  EXPECT_TRUE(box_right <= 480 && box_right > 480 - 8) << box_right;  // stopped short of the wall
  EXPECT_EQ(CountActors(110), 1);
  game.Run();
  EXPECT_EQ(shot.State(), kActorFree);

  // To the left in the open, and upwards: each flies until it has left the view by 32 pixels.
  Enter(1000, -1);
  game.PressButton(kButtonAction);
  EXPECT_EQ(shot.PosX(), 1000 - 16);
  game.HoldButton(kButtonUp);
  game.PressButton(kButtonAction);
  game.ReleaseButton(kButtonUp);
  const Actor up(kShotGroup, 1);
  EXPECT_EQ(Ints({up.PosX(), up.FaceY()}), Ints({1000 + 15, -1}));
  int left = 0, gone = 0;
  for (int i = 0; i < 120 && CountActors(kShotGroup) > 0; ++i) {
    game.Run();
    if (shot.State() == kActorActive) left = shot.PosX();
    if (up.State() == kActorActive) gone = up.PosY();
  }
  EXPECT_EQ(CountActors(kShotGroup), 0);
  EXPECT_LT(left, Camera.x);  // both had left the view before they were freed
  EXPECT_LT(gone, Camera.y);
  EXPECT_EQ(CountActors(110), 0);  // no spark in the open
}

// ---- the routines on their own --------------------------------------------------------------------

TEST_F(HeroineShotsTest, AFourthShotIsFreedAtOnceAndTheShotsAfterItMissThatUpdate) {
  Enter(100);
  for (int i = 0; i < 3; ++i) Shot(100, 200 + 20 * i, 1);
  ASSERT_EQ(CountActors(kShotGroup), 3);
  const Actor fourth(kShotGroup, SpawnActor(kShotGroup, 100, 300, 1, 0));
  const Actor later(kShotGroup, SpawnActor(kShotGroup, 100, 320, 1, 0));
  later.State() = kActorActive;
  later.Motion() = 1;
  later.StepX() = 99;
  UpdateShots();
  EXPECT_EQ(fourth.State(), kActorFree);
  EXPECT_EQ(later.StepX(), 99);
  EXPECT_EQ(Actor(kShotGroup, 2).StepX(), 8);
}

TEST_F(HeroineShotsTest, HerAttackSetsTheSpeedAndPictureAndAShotToTheRightStarts38PixelsOn) {
  Enter(100);
  struct Case {
    int attack, face, speed, cell, x;
  };
  for (const Case& c : {Case{99, 1, 8, 840, 138}, Case{100, -1, -12, 800, 100}, Case{499, 1, 14, 800, 138},
                        Case{500, 1, 16, 800, 138}}) {
    PlayerStats.Attack = c.attack;
    const Actor s = Shot(100, 200, c.face);
    InitDrawQueueLayer(1);
    DrawShots();
    ASSERT_EQ(DrawQueue.count[1], 1u);
    const DrawCommand& cell = DrawQueue.commands[1][0];
    EXPECT_EQ(Ints({s.PosX(), s.StepX(), static_cast<int>(cell.cell), static_cast<int>(cell.visible)}),
              Ints({c.x, c.speed, c.cell, 1}))
        << c.attack;
    KillActor(kShotGroup, s.slot);
  }
  EXPECT_EQ(PlayCount(13), 4);
  PlayerStats.Attack = -1;
  EXPECT_EQ(Shot(100, 200, 1).StepX(), 0);
  EXPECT_EQ(PlayCount(13), 4);
}

TEST_F(HeroineShotsTest, ShotsPassSomeKindsStopAtOthersAndTwoShotsPayForOneDefeatTwice) {
  Enter(100);
  // A kind-16 enemy whose life is gone: the shot passes it and nothing is paid.
  const Actor ghost = Enemy(16, 300, 200, 32, 32);
  ghost.Life() = 0;
  // A shot from x 250 starts at 288: its box (292, 208) to (301, 217) meets the enemy.
  const Actor through = Shot(250, 204, 1);
  HitEnemiesWithShots();
  EXPECT_EQ(Ints({through.State(), PlayerStats.Exp}), Ints({kActorActive, 0}));
  KillActor(kEnemyGroup, ghost.slot);
  KillActor(kShotGroup, through.slot);

  // Kind 64 stops a shot, with a spark, without harm.
  const Actor wall = Enemy(64, 300, 200, 32, 32);
  const Actor stopped = Shot(250, 204, 1);
  HitEnemiesWithShots();
  EXPECT_EQ(Ints({stopped.State(), wall.Life(), CountActors(110)}), Ints({kActorEnding, 1, 1}));
  KillActor(kEnemyGroup, wall.slot);
  KillActor(kShotGroup, stopped.slot);

  // Two shots meet one enemy in one frame: both damage it and both pay.
  const Actor e = Enemy(0, 300, 200, 32, 32);
  Shot(250, 204, 1);
  Shot(250, 214, 1);
  HitEnemiesWithShots();
  EXPECT_EQ(Ints({e.Life(), PlayCount(16), PlayerStats.Exp, PlayerStats.Money}), Ints({0, 2, 10, 320 + 40}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"5EXP=20YEN", "5EXP=20YEN"}));
}

}  // namespace
