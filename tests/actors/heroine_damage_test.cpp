// The heroine hurt: hazard boxes and enemies' bodies, the stomp, the damage texts, her spells'
// upkeep, her death, the cursor buttons and the event check under her feet, in real frames on a
// fixture map. Enemies are written by hand into groups that no module moves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "actors/heroine.h"
#include "actors/items.h"
#include "app/game_flow.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "ui/hud.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/save_block.h"

namespace {

// The floor's top is at y 400; standing, her PosY is 335 and her feet's row is 398 (row 24).
// Layer 4 of row 24: a tutorial tile 'U' (128), a once-only guide 'G' (520), a guide 'T' (700)
// and a door 'D' (256), which also stands in rows 20..23 so that she can fall past it.
const std::vector<std::string> kRoom = {
    "#..................................D...#",  // 20: y 320
    "#..................................D...#",  //
    "#..................................D...#",  //
    "#..................................D...#",  //
    "#.........U.....G.........T........D...#",  // 24: y 384
    "########################################",  // 25: y 400
};
constexpr int kGround = 400 - 65;
constexpr int kEnemyGroup = 50;  // a group no module owns: what a test writes stays

// Her PosX that puts the left edge of her body on column c.
constexpr int OnColumn(int c) { return c * 16 - 12; }

std::vector<int> Ints(std::initializer_list<int> v) { return v; }

class HeroineDamageTest : public testing::Test {
 protected:
  void SetUp() override {
    game.Run();  // the new game
    LoadFixtureMap(kRoom, {{'U', 4, 128}, {'G', 4, 520}, {'T', 4, 700}, {'D', 4, 256}}, 0, 20);
  }

  // Into play with her standing at x, after her first frame.
  void Enter(int x, int y = kGround, int face = 1) {
    EnterPlay({.heroine = true, .hero_x = x, .hero_y = y, .face_x = face});
    game.Run();
  }

  // An enemy with 10 life that does nothing to her and takes all she does.
  static Actor Enemy(int group, int kind, int x, int y, int w, int h) {
    const Actor e(group, WriteActiveActor(group, kind, x, y, w, h));
    e.Life() = e.MaxLife() = 10;
    e.AttackValue() = e.DefenseValue() = e.ExpReward() = e.MoneyReward() = 0;
    return e;
  }

  // The floating texts spawned since the last frame (their module has not moved them yet), as
  // "text font base dy", dy from her body's top; x is checked to be her middle. They are removed.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    const ActorBox b = hero.BodyBox();
    for (int s = 0; s < kActorSlots; ++s) {
      const Actor t(111, s);
      if (t.State() == kActorFree) continue;
      EXPECT_EQ(t.PosX(), (b.left + b.right) / 2);
      texts.push_back(std::string(t.Text()) + " " + static_cast<char>(t.FaceX()) +
                      (t.FaceY() ? std::string(1, static_cast<char>(t.FaceY())) : "0") + " " +
                      std::to_string(t.PosY() - b.top));
      KillActor(111, s);
    }
    return texts;
  }

  // Her step and velocity and her motion number.
  std::vector<int> Throw() const { return {hero.StepX(), hero.StepY(), hero.VelX(), hero.VelY(), GetHeroineMotion(0)}; }

  static std::string Event() { return std::to_string(SubMode) + "/" + std::to_string(SubModeArg); }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

// ---- hits ---------------------------------------------------------------------------------------

TEST_F(HeroineDamageTest, HitsSetTheTextsSoundsAndImmunityAndOnlyTheFirstOfTwoHazardsHurts) {
  Enter(100);
  // Her body is (112, 338) to (136, 399); Defense 2 at level 1, so an attack of 12 does 6, a
  // third of her 20 HP: an ordinary hit.
  AddHazard(120, 360, 20, 20, 12, 0);
  AddHazard(120, 360, 20, 20, 30, 0);
  HitHeroineWithEnemies();
  EXPECT_EQ(PlayerStats.Hp, 14);
  EXPECT_EQ(HazardCount, 0u);
  EXPECT_EQ(hero.HitTimer(), 90);
  EXPECT_EQ(Throw(), Ints({0, 0, 0, 0, kHeroineHurt}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"DAMAGE: s0 -8", "6 nr 0"}));
  EXPECT_EQ(PlayCount(5), 1);

  // Immune, a hazard does nothing, and the list is emptied all the same.
  AddHazard(120, 360, 20, 20, 12, 0);
  HitHeroineWithEnemies();
  EXPECT_EQ(PlayerStats.Hp, 14);
  EXPECT_EQ(HazardCount, 0u);
  // Frozen, the test does not run and the list stays.
  hero.HitTimer() = 0;
  hero.Control() = kControlFrozen;
  AddHazard(120, 360, 20, 20, 12, 0);
  HitHeroineWithEnemies();
  EXPECT_EQ(HazardCount, 1u);

  HurtHeroine(6 + 1);  // one point over a third: a hard hit
  EXPECT_EQ(Texts(), (std::vector<std::string>{"HARDHIT!: B0 -8", "7 N0 8"}));
  EXPECT_EQ(PlayCount(8), 1);
  HurtHeroine(0);
  EXPECT_EQ(hero.HitTimer(), 15);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"NO=DAMAGE: s0 0"}));
  EXPECT_EQ(PlayCount(6), 1);
  HurtHeroine(1000);
  EXPECT_EQ(PlayerStats.Hp, 0);
}

TEST_F(HeroineDamageTest, AStompHurtsTheEnemyEvenWhileSheIsImmuneAndOnlyGroup32DiesOfIt) {
  Enter(100, 200);
  // Falling 6 a frame onto the head of an enemy 3 pixels under her feet (her bottom is 264):
  // her Attack 5 against its 0 does 2 to its 1 life.
  auto fall_onto = [&](int group, int defense = 0) {
    KillActor(kEnemyGroup, 0);  // the one before
    hero.HitTimer() = 50;
    hero.StepX() = hero.StepY() = hero.VelX() = 0;
    hero.VelY() = 6;
    const Actor e = Enemy(group, 1, 110, 267, 32, 32);
    e.Life() = 1;
    e.DefenseValue() = defense;
    e.ExpReward() = 4;
    e.MoneyReward() = 30;
    HitHeroineWithEnemies();
    return e;
  };

  const Actor other = fall_onto(kEnemyGroup);
  EXPECT_EQ(Throw(), Ints({0, 3 - 2, 0, 0, kHeroineBouncing}));  // the last free pixel, 2 up
  EXPECT_EQ(Ints({other.Life(), other.State()}), Ints({-1, kActorActive}));
  EXPECT_EQ(Ints({EnemyGaugeHp, EnemyGaugeMax, EnemyGaugeTimer}), Ints({-1, 10, 255}));
  EXPECT_EQ(PlayCount(9), 1);
  EXPECT_EQ(PlayerStats.Exp, 0);

  const Actor bat = fall_onto(32);
  EXPECT_EQ(Ints({bat.Life(), bat.State(), bat.Motion(), bat.HitTimer()}), Ints({0, kActorEnding, 3, 90}));
  KillActor(32, bat.slot);
  EXPECT_EQ(Ints({PlayerStats.Exp, PlayerStats.Money}), Ints({4, 320 + 30}));
  EXPECT_EQ(PlayCount(7), 1);

  fall_onto(kEnemyGroup, 100);  // no damage: only a sound, but she bounces
  EXPECT_EQ(PlayCount(6), 1);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineBouncing);
  EXPECT_EQ(PlayerStats.Hp, 20);
}

TEST_F(HeroineDamageTest, AStompableEnemysBodyKnocksHerBackAgainstHerFacing) {
  for (int face : {1, -1}) {
    Enter(100, kGround, face);
    hero.VelX() = 3;
    // Its body overlaps hers from the side; its head is level with hers, so no stomp.
    Enemy(kEnemyGroup, 1, 130, 340, 32, 60).AttackValue() = 12;
    HitHeroineWithEnemies();
    EXPECT_EQ(Throw(), Ints({face == 1 ? -8 : 8, 0, 3, -8, kHeroineRising})) << face;
  }
  EXPECT_EQ(PlayerStats.Hp, 20 - 6 - 6);
}

TEST_F(HeroineDamageTest, FootHazardsThePercentageHazardAndTheKindsThatNeverTouch) {
  Enter(100);
  auto touch = [&](int kind, int x, int y, int w, int h, int control = kControlSelf) {
    hero.HitTimer() = 0;
    PlayerStats.Hp = 20;
    const Actor e = Enemy(kEnemyGroup, kind, x, y, w, h);
    e.Control() = control;
    HitHeroineWithEnemies();
    KillActor(kEnemyGroup, e.slot);
    return 20 - PlayerStats.Hp;
  };
  // Her foot box is (112, 338) to (136, 399). A box that only touches its bottom corner: the
  // unshrunk kind 8 hurts, kind 4 (both boxes shrunk) does not.
  EXPECT_EQ(touch(8, 130, 395, 30, 20), 1);
  EXPECT_EQ(touch(4, 130, 395, 30, 20), 0);
  EXPECT_EQ(touch(4, 110, 370, 30, 40), 1);
  const int percent = touch(64, 100, 340, 48, 64);  // 10 or 20 percent of 20
  EXPECT_TRUE(percent == 2 || percent == 4) << percent;
  for (int kind : {2, 32, 128}) EXPECT_EQ(touch(kind, 100, 340, 48, 64), 0) << kind;
  EXPECT_EQ(touch(0, 100, 340, 48, 64, kControlHeld), 0);  // held by a script: never touches
}

// ---- spells, cursors and death ---------------------------------------------------------------------

TEST_F(HeroineDamageTest, RepulsiveForceCostsOneMpEvery129FramesAndClockUpAtOneMpEndsEverySpell) {
  Enter(100);
  PlayerStats.SpellLevel[kSpellRepulsive] = 1;
  PlayerStats.SpellTimer[kSpellRepulsive] = 128;
  std::vector<int> drains;
  for (int frame = 1; frame <= 400; ++frame) {
    const int mp = PlayerStats.Mp;
    game.Run();
    if (PlayerStats.Mp != mp) drains.push_back(frame);
  }
  EXPECT_EQ(drains, Ints({128, 257, 386}));
  EXPECT_EQ(PlayerStats.Mp, 10 - 3);

  // CLOCK UP cast at 1 MP: the next frame takes it, and every spell ends.
  PlayerStats.EquippedMagicTool = 16;
  PlayerStats.Mp = 1;
  game.HoldButton(kButtonMagic);
  game.Run();
  EXPECT_EQ(PlayerStats.SpellLevel[kSpellClockUp], 1);
  game.Run();
  EXPECT_EQ(Ints({PlayerStats.Mp, PlayerStats.SpellLevel[kSpellClockUp], PlayerStats.SpellLevel[kSpellRepulsive]}),
            Ints({0, 0, 0}));
  EXPECT_EQ(PlayCount(22), 1);
  bool shown = false;
  for (int s = 0; s < kActorSlots; ++s)
    shown = shown || (Actor(111, s).State() != kActorFree && std::string(Actor(111, s).Text()) == "OUT@OF@MAGIC@POWER");
  EXPECT_TRUE(shown);
}

TEST_F(HeroineDamageTest, TheCursorButtonsStepTheBagAndTheOwnedMagicTools) {
  Enter(100);
  std::vector<int> seen;
  auto press = [&](int button, int times, const uint32_t& value) {
    for (int i = 0; i < times; ++i) {
      game.PressButton(button);
      seen.push_back(static_cast<int>(value));
    }
  };
  press(kButtonItemLeft, 1, PlayerStats.BagCursor);   // at the first slot already
  press(kButtonItemRight, 7, PlayerStats.BagCursor);  // up to the last used slot
  press(kButtonItemLeft, 1, PlayerStats.BagCursor);
  press(kButtonMagicRight, 5, PlayerStats.EquippedMagicTool);  // owned: 1, 2, 4, 16
  press(kButtonMagicLeft, 1, PlayerStats.EquippedMagicTool);
  EXPECT_EQ(seen, Ints({0, 1, 2, 3, 4, 5, 6, 6, 5, 1, 2, 4, 16, 16, 4}));
  EXPECT_EQ(PlayCount(14), 15 - 3);  // no sound where nothing moved
}

TEST_F(HeroineDamageTest, NoHpLeftStartsHerDeathAtTheDrawAndItIsRecordedOnce) {
  Enter(300);
  PlayerStats.SpellLevel[kSpellBodyRock] = 3;
  PlayerStats.Hp = 0;
  // The camera as her draw finds it: this frame's scroll is applied after the draw pass.
  const int camera_x = GetCameraX(), camera_y = GetCameraY();
  game.Run();
  EXPECT_EQ(Ints({hero.State(), hero.AnimCursor(), PlayerStats.SpellLevel[kSpellBodyRock]}),
            Ints({kActorEnding, kHeroineDeathAnim, 0}));
  EXPECT_EQ(Ints({DeathRecord[0], DeathRecord[1], DeathRecord[2], DeathRecord[3]}),
            Ints({300, kGround, camera_x, camera_y}));

  // She floats up, and no enemy touches her any more.
  Enemy(kEnemyGroup, 0, 300, 300, 64, 100).AttackValue() = 100;
  game.Run(10);
  EXPECT_EQ(hero.PosY(), kGround - 20);
  EXPECT_EQ(hero.HitTimer(), 0);

  // Put into a scene again with no HP, she dies again; the first death stays recorded.
  EnterPlay({.heroine = true, .hero_x = 500, .hero_y = kGround});
  game.Run();
  EXPECT_EQ(hero.State(), kActorEnding);
  EXPECT_EQ(Ints({DeathRecord[0], DeathRecord[1]}), Ints({300, kGround}));
}

// ---- the event check --------------------------------------------------------------------------

TEST_F(HeroineDamageTest, GuideTilesStartTheirEventsAtTheFirstStepAndStopHerExcept700) {
  SetFlag(0, 520 - 513, 1);  // 520 already seen: nothing
  Enter(OnColumn(16));
  game.Run();
  EXPECT_EQ(Event(), "0/0");

  SetFlag(0, 520 - 513, 0);
  EventStep[2] = 5;
  EventSubCounter = 9;
  Enter(OnColumn(15));
  game.HoldButton(kButtonRight);
  for (int frames = 0; SubMode == kSubWorld && frames < 10; ++frames) game.Run();
  EXPECT_EQ(Event(), "4/520");
  EXPECT_EQ(Ints({EventStep[2], EventSubCounter, hero.VelX()}), Ints({0, 0, 0}));  // she did not move
  game.ReleaseButton(kButtonRight);

  Enter(OnColumn(26) - 4);
  game.HoldButton(kButtonRight);
  game.Run();
  EXPECT_EQ(Event(), "0/0");
  game.Run();  // her left edge has come onto 700: she walks on in that frame
  EXPECT_EQ(Event(), "4/700");
  EXPECT_EQ(Ints({hero.PosX(), hero.VelX()}), Ints({OnColumn(26) + 4, 4}));
}

TEST_F(HeroineDamageTest, TheCheckRunsInTheOpeningWithoutTalksAndNotWhileAnotherEventStands) {
  Enter(200);
  hero.PosX() = OnColumn(10);  // on the tutorial tile
  UpdateHeroineBodyBox(0);
  hero.VelX() = 4;
  SubMode = kSubStartSequence;
  SubModeArg = 1;  // the title stands
  CheckHeroineMapEvents();
  EXPECT_EQ(Event(), "8/1");
  SubModeArg = 0;  // the opening
  CheckHeroineMapEvents();
  EXPECT_EQ(Event(), "4/128");
  EXPECT_EQ(hero.VelX(), 0);

  // The action button next to a townsperson: no talk in the opening, a talk otherwise.
  Enter(200);
  Enemy(7, 0, 210, 340, 24, 60);
  ButtonHistory[0] = ButtonBits[kButtonAction];
  ButtonHistory[1] = 0;
  SubMode = kSubStartSequence;
  CheckHeroineMapEvents();
  EXPECT_EQ(Event(), "8/0");
  SubMode = kSubWorld;
  CheckHeroineMapEvents();
  EXPECT_EQ(Event(), "3/7");
}

TEST_F(HeroineDamageTest, ADoorTakesUpWhileSheStandsOrAtOnceOnASolidActorButNotWhileSheFalls) {
  const int x = 35 * 16 - 24 + 4;  // her centre (PosX + 24) on the door's column
  Enter(x);
  game.Run(3);
  EXPECT_EQ(Event(), "0/0");  // standing on it without Up
  hero.History(ActorField::InputHistory, 3) = 7;
  // One frame with Up: the event is read before the dispatcher's next frame ends it (256 has no
  // script yet).
  game.HoldButton(kButtonUp);
  game.Run();
  game.ReleaseButton(kButtonUp);
  EXPECT_EQ(Event(), "5/256");
  EXPECT_EQ(Ints({hero.History(ActorField::InputHistory, 3), hero.Motion() & ~0xFFFF}), Ints({0, 0}));

  Enter(x, 280);  // falling past the door
  game.Run(2);
  ASSERT_EQ(GetHeroineMotion(0), kHeroineFalling);
  game.HoldButton(kButtonUp);
  game.Run();
  game.ReleaseButton(kButtonUp);
  EXPECT_EQ(Event(), "0/0");

  Enter(x);
  SetHeroineMotion(0, kHeroineRiding);
  hero.VelX() = 2;
  CheckHeroineMapEvents();
  EXPECT_EQ(Event(), "5/256");
  EXPECT_EQ(hero.VelX(), 0);
}

TEST_F(HeroineDamageTest, TheActionButtonTalksToTheLowerGroupTurnsItsSlotZeroAndAlsoShoots) {
  Enter(200);
  EventStep[7] = 4;  // how far the talk with group 7 has come
  // Two townspeople overlap her: group 9, and group 7's slot 1 (its slot 0 stands far off).
  Enemy(9, 0, 180, 340, 24, 60);
  const Actor far_off = Enemy(7, 0, 1000, 340, 24, 60);
  Enemy(7, 0, 250, 340, 24, 60);
  far_off.FaceX() = 1;
  game.HoldButton(kButtonAction);
  game.Run();
  EXPECT_EQ(Event(), "3/7");
  EXPECT_EQ(EventStep[7], 4);
  EXPECT_EQ(Ints({far_off.FaceX(), hero.FaceX()}), Ints({-1, 1}));  // she stands to its left
  EXPECT_EQ(PlayCount(0), 1);
  EXPECT_EQ(CountActors(kShotGroup), 1);
}

}  // namespace
