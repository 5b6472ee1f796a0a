// The chain boss in play on a fixture hall with the heroine: its headings and their uneven
// speeds; the head picks an attack 513 frames after the last, circles 513 (high) or 509 (low)
// frames firing every 16, flies two beams of 17 frames narrowing to nothing, and flies straight
// at her from beyond 600 pixels; the segments trail the head three moves apart, stand while it
// hovers and stop her shots unharmed; the defeat bursts the chain, stops the music, opens the
// doors' flag and starts the talk after the fight, waiting for a field event or the pause menu to
// end first (a load or a scene change meanwhile forgets it), and a segment that lands after that
// talk starts it again; and its shots fly on during a frozen event but stand still in the pause
// menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "audio/music.h"
#include "backend/headless/headless.h"
#include "events/event_raise.h"
#include "modules/chain_boss.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/utils.h"
#include "support/event_handlers.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "ui/menu_player.h"
#include "world/draw_queue.h"
#include "world/flags.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"

namespace {

constexpr int kBoss = 37;
constexpr int kShots = 38;
constexpr int kFloorRow = 60;
constexpr int kFloorTop = kFloorRow * 16;
constexpr int kStanding = kFloorTop - 65;  // her PosY on the floor

// The head's AI modes and steps.
constexpr int kAim = 0x2000, kVeer = 0x4000, kLaserRun = 0x8000, kHighCircle = 0x1000, kLowCircle = 0x10000;
constexpr int kDefeated = 0x20000;
constexpr int kHold = 0x100, kLeftBeam = 0x200, kRightBeam = 0x800, kCircling = 0x100;

constexpr int kShotSound = 30, kBeamSound = 27, kNoDamageSound = 6;

TEST(ChainBossHeadingTest, DirectionsSpeedsAndAngles) {
  EXPECT_EQ(AngleToPattern(11), 0);
  EXPECT_EQ(AngleToPattern(12), 2);
  EXPECT_EQ(AngleToPattern(341), 30);
  EXPECT_EQ(AngleToPattern(342), 0);
  EXPECT_EQ(AngleToPattern(359), 0);
  EXPECT_EQ(AngleToPattern(375), 2);  // slot 15 after the breakup: 375 shows as 15 degrees
  EXPECT_EQ(AngleToPattern(-40), 0);  // a negative remainder
  EXPECT_EQ(HeadingDx(180), 980);
  EXPECT_EQ(HeadingDx(0), -1000);
  EXPECT_EQ(HeadingDy(90), -980);
  EXPECT_EQ(HeadingDy(270), 1000);
  // At speed 8: 8 pixels a frame left or down, but 7 right or up.
  EXPECT_EQ(HeadingDx(0) * 8 / 1000, -8);
  EXPECT_EQ(HeadingDx(180) * 8 / 1000, 7);
  EXPECT_EQ(HeadingDy(270) * 8 / 1000, 8);
  EXPECT_EQ(HeadingDy(90) * 8 / 1000, -7);
  // 0 left, 90 up, 180 right, 270 down, truncated toward zero; the degrees are a shade large
  // (180 / 3.14159 to the radian), so straight up comes out as 89.99993 and so 89.
  EXPECT_EQ(AngleTo(100, 100, 0, 100), 0);
  EXPECT_EQ(AngleTo(100, 100, 100, 0), 89);
  EXPECT_EQ(AngleTo(100, 100, 200, 100), 180);
  EXPECT_EQ(AngleTo(100, 100, 100, 200), 270);
  EXPECT_EQ(AngleTo(0, 0, 100, -100), 134);
  EXPECT_EQ(AngleTo(0, 0, 100, 1), 180);  // 180.57 degrees
}

class ChainBossTest : public testing::Test {
 protected:
  void SetUp() override {
    game.Run();  // the new game
    std::vector<std::string> rows(kFloorRow + 1, "#" + std::string(198, '.') + "#");
    rows[kFloorRow] = std::string(200, '#');
    LoadFixtureMap(rows);
  }

  // She stands at x `hero_x`; the view follows her.
  void Enter(int hero_x) {
    EnterPlay({.camera_x = hero_x - 300, .camera_y = kFloorTop - 400, .heroine = true, .hero_x = hero_x,
               .hero_y = kStanding});
    Step(3);
  }
  // Frames of play; the boss's blows do not wear her down while the test watches it.
  void Step(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      game.Run();
      PlayerStats.Hp = PlayerStats.MaxHp;
    }
  }
  // The head at (x, y); its first update builds the chain and picks its first attack.
  void SpawnBoss(int x, int y) {
    SpawnActor(kBoss, x, y, 0, 0);
    Step();
  }
  static int Mode() { return GetActorModeBits(kBoss, 0, 'o'); }
  static int StepOfMode() { return GetActorModeBits(kBoss, 0, 'A'); }
  static void Force(int mode, int step) {
    SetActorModeBits(kBoss, 0, mode, 'o');
    SetActorModeBits(kBoss, 0, step, 'A');
  }
  // Runs frames until `done` holds (at most `limit`); the frames run.
  template <typename Done>
  int RunUntil(Done done, int limit) {
    int frames = 0;
    while (!done() && frames < limit) {
      Step();
      ++frames;
    }
    return frames;
  }
  // The beams queued this frame: the heights of the 1280-pixel fills on layer 1.
  std::vector<int> BeamHeights() const {
    std::vector<int> heights;
    for (const DrawCommand& c : game.Draws(1))
      if (c.type == kDrawFillRect && c.w == 1280) heights.push_back(c.h);
    return heights;
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
  const Actor head{kBoss, 0};
};

TEST_F(ChainBossTest, ItCirclesFiringEvery16FramesAndAttacksAgain513FramesAfterACircle) {
  Enter(1200);
  SpawnBoss(1400, kStanding - 300);
  for (const auto& [circle, frames] : {std::pair{kHighCircle, 513}, std::pair{kLowCircle, 509}}) {
    SCOPED_TRACE(circle == kHighCircle ? "high" : "low");
    Force(circle, 0);
    ASSERT_LT(RunUntil([] { return StepOfMode() == kCircling; }, 300), 300) << "it never got over her";
    std::vector<int> fired;
    int lasted = 0;
    while (Mode() == circle && lasted < 600) {
      const int shots = PlayCount(kShotSound);
      Step();
      ++lasted;
      if (PlayCount(kShotSound) > shots) fired.push_back(lasted);
    }
    EXPECT_EQ(lasted, frames);
    ASSERT_GE(fired.size(), 31u);
    for (size_t i = 1; i < fired.size(); ++i) EXPECT_EQ(fired[i] - fired[i - 1], 16) << i;
    EXPECT_GT(CountActors(kShots), 0);
    // Then it aims at her, and picks its next attack 513 frames after the circle's end.
    EXPECT_EQ(Mode(), kAim);
    const int aimed = RunUntil([] { return Mode() != kAim; }, 600);
    EXPECT_EQ(aimed, 513);
  }
}

TEST_F(ChainBossTest, ALaserRunHoldsThenFiresTwo17FrameBeamsNarrowingToNothingThenVeers) {
  Enter(1200);
  SpawnBoss(1500, kStanding - 200);
  Force(kLaserRun, 0);
  // Frozen, she keeps still and the frame's hazards stay listed after it for the test to read.
  HeroControl = kControlFrozen;
  ASSERT_LT(RunUntil([] { return StepOfMode() == kHold; }, 300), 300) << "it never got to her upper right";
  const int x = head.PosX(), y = head.PosY();
  const int beams_sounded = PlayCount(kBeamSound);
  std::vector<int> filled, hurting;
  int frames = 0;
  while (Mode() == kLaserRun && frames < 400) {
    const int step = StepOfMode();
    Step();
    ++frames;
    if (step == kHold) {
      EXPECT_EQ(head.PosX(), x) << "it hovers";
      EXPECT_EQ(head.PosY(), y);
    }
    for (int h : BeamHeights()) filled.push_back(h);
    for (uint32_t i = 0; i < HazardCount; ++i) hurting.push_back(HazardBoxes[i][3]);
  }
  EXPECT_EQ(Mode(), kVeer);
  EXPECT_EQ(PlayCount(kBeamSound) - beams_sounded, 2);
  std::vector<int> one_beam, one_beam_hurting;
  for (int t = 1; t <= 17; ++t) one_beam.push_back(16 - t);
  for (int t = 1; t <= 15; ++t) one_beam_hurting.push_back(16 - t);
  std::vector<int> two_beams = one_beam, two_beams_hurting = one_beam_hurting;
  two_beams.insert(two_beams.end(), one_beam.begin(), one_beam.end());
  two_beams_hurting.insert(two_beams_hurting.end(), one_beam_hurting.begin(), one_beam_hurting.end());
  EXPECT_EQ(filled, two_beams) << "15 pixels down to 0 and -1, which show nothing";
  EXPECT_EQ(hurting, two_beams_hurting) << "a band of no height is no hazard";
}

TEST_F(ChainBossTest, BeyondSixHundredPixelsItFliesStraightAtHer) {
  Enter(1200);
  SpawnBoss(1300, kStanding - 200);
  Force(kHighCircle, kCircling);
  PutHeroineAt(300, kStanding);
  Step();
  EXPECT_EQ(Mode(), kAim);
  const int far = Distance(head.CentreX(), head.CentreY(), hero.CentreX(), hero.CentreY());
  Step(20);
  EXPECT_EQ(Mode(), kAim);
  EXPECT_LT(Distance(head.CentreX(), head.CentreY(), hero.CentreX(), hero.CentreY()), far - 120);
}

TEST_F(ChainBossTest, TheSegmentsTrailTheHeadThreeMovesApartAndStandWhileItHovers) {
  Enter(400);
  SpawnBoss(500, kStanding - 200);
  // Until the head has moved often enough, the chain lies coiled where it appeared.
  for (int n = 1; n < 16; ++n) {
    EXPECT_EQ(Actor(kBoss, n).PosX(), 500) << n;
    EXPECT_EQ(Actor(kBoss, n).PosY(), kStanding - 200) << n;
    EXPECT_EQ(Actor(kBoss, n).State(), kActorActive) << n;
    EXPECT_EQ(Actor(kBoss, n).Life(), 99999) << n;
  }
  // Straight away from her: right, not aiming anew for a while.
  Force(kAim, 0);
  head.FaceX() = 180;
  SetActorTimer(kBoss, 0, 1, 1);
  std::vector<int> xs = {head.PosX()};
  for (int i = 0; i < 50; ++i) {
    Step();
    xs.push_back(head.PosX());
  }
  EXPECT_EQ(xs[50] - xs[49], 7);
  for (int n = 1; n < 16; ++n) EXPECT_EQ(Actor(kBoss, n).PosX(), xs[50 - 3 * n]) << n;
  // Hovering: nothing of the chain moves.
  Force(kLaserRun, kHold);
  SetActorTimer(kBoss, 0, 3, 1);
  Step();
  std::vector<int> before;
  for (int n = 0; n < 16; ++n) before.push_back(Actor(kBoss, n).PosX() * 10000 + Actor(kBoss, n).PosY());
  Step(30);
  for (int n = 0; n < 16; ++n) EXPECT_EQ(Actor(kBoss, n).PosX() * 10000 + Actor(kBoss, n).PosY(), before[n]) << n;
}

TEST_F(ChainBossTest, ASegmentStopsHerShotAndTakesNothing) {
  Enter(400);
  PlayerStats.Attack = 200;
  SpawnBoss(560, kStanding + 8);
  Force(kAim, 0);
  head.FaceX() = 180;
  SetActorTimer(kBoss, 0, 1, 1);
  Step(12);  // the head flies off right; the tail still lies where it appeared
  const int exp = PlayerStats.Exp, dull = PlayCount(kNoDamageSound);
  game.PressButton(kButtonAction);
  RunUntil([] { return CountActors(kShotGroup) == 0; }, 40);
  EXPECT_EQ(CountActors(kShotGroup), 0) << "the shot flew on";
  EXPECT_GT(PlayCount(kNoDamageSound), dull);
  EXPECT_EQ(PlayerStats.Exp, exp);
  EXPECT_EQ(head.Life(), 50);
  for (int n = 1; n < 16; ++n) EXPECT_EQ(Actor(kBoss, n).Life(), 99999) << n;
}

// ---- the defeat ----------------------------------------------------------------------------------

class ChainBossDefeatTest : public ChainBossTest {
 protected:
  // The head hovering high over her, its music playing.
  void Meet() {
    Enter(800);
    SpawnBoss(900, kStanding - 400);
    Hover();
    PlayMusic("./Data/MGYASAU.MDT");
    ASSERT_TRUE(headless::MidiOutIsOpen());
  }
  void Hover() {
    Force(kLaserRun, kHold);
    SetActorTimer(kBoss, 0, 3, 1);
  }
  // Closes the lines of a talk, one tap each for the whole page and for the close, until the
  // talk has ended.
  void CloseTalk() {
    for (int taps = 0; taps < 60 && SubMode == kSubGuideEvent; ++taps) {
      game.PressButton(kButtonJump);
      PlayerStats.Hp = PlayerStats.MaxHp;
    }
  }
  int Burst() const {
    int burst = 0;
    for (int n = 1; n < 16; ++n) burst += (Actor(kBoss, n).MapHits() & 128) != 0 ? 1 : 0;
    return burst;
  }
};

TEST_F(ChainBossDefeatTest, TheChainBreaksTheMusicStopsTheDoorsFlagIsSetAndTheTalkFollows) {
  Meet();
  const int exp = PlayerStats.Exp;
  const uint32_t money = PlayerStats.Money;
  head.Life() = 0;  // emptied by a shot of this frame
  Step();
  EXPECT_EQ(head.State(), kActorEnding);
  EXPECT_EQ(Mode(), kDefeated);
  EXPECT_EQ(head.HitTimer(), 90);
  EXPECT_EQ(GetFlag(1, 110), 1u);
  EXPECT_FALSE(headless::MidiOutIsOpen());
  EXPECT_EQ(MusicPlayers[0].timer_id, 0u);
  EXPECT_EQ(PlayerStats.Exp, exp + 200);
  EXPECT_EQ(PlayerStats.Money, money + 1800);
  EXPECT_EQ(SubMode, kSubGuideEvent);
  EXPECT_EQ(SubModeArg, 701);
  for (int n = 0; n < 16; ++n) {
    EXPECT_EQ(Actor(kBoss, n).FaceX(), 25 * n) << n;
    EXPECT_EQ(Actor(kBoss, n).AttackValue(), 0) << n;
  }
  EXPECT_EQ(Burst(), 0);
  const int sparks = CountActors(110);
  Step();
  EXPECT_EQ(Burst(), 15) << "every segment bursts in the first frame after the defeat";
  EXPECT_EQ(CountActors(110), sparks + 15);
  EXPECT_EQ(MessageWindow.open, 1u);
  EXPECT_EQ(std::string(MessageWindow.text), "「よくやった！」");
  // The head falls to the floor, blinking, lies there and goes.
  RunUntil([&] { return head.State() != kActorEnding; }, 400);
  EXPECT_EQ(head.State(), kActorGone);
  EXPECT_NEAR(head.PosY() + 32, kFloorTop, 1) << "it lies on the floor";
}

TEST_F(ChainBossDefeatTest, DuringAFieldEventTheTalkWaitsForItsEndAndASegmentLandingAfterTheTalkStartsItAgain) {
  Meet();
  ScopedFieldHandler door(300, FieldRoutine([] { HeroControl = 1; }));
  RaiseEvent(kSubFieldEvent, 300);
  EventStep[2] = 3;
  head.Life() = 0;
  Step();
  EXPECT_EQ(head.State(), kActorEnding);
  EXPECT_EQ(GetFlag(1, 110), 1u) << "the rest of the defeat happens at once";
  EXPECT_FALSE(headless::MidiOutIsOpen());
  Step(5);
  EXPECT_EQ(SubMode, kSubFieldEvent) << "the field event goes on";
  EXPECT_EQ(SubModeArg, 300);
  EXPECT_EQ(EventStep[2], 3);
  // The field event ends as its script ends it.
  SubMode = kSubWorld;
  SubModeArg = 0;
  EventStep[2] = 0;
  HeroControl = 0;
  Step();
  EXPECT_EQ(SubMode, kSubGuideEvent);
  EXPECT_EQ(SubModeArg, 701);
  CloseTalk();
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(GetFlag(0, 188), 1u);

  // The segments that do not fly off fall and land one after another; a landing that finds the
  // world free starts the talk again.
  int talks = 0;
  for (int frame = 0; frame < 400; ++frame) {
    Step();
    if (SubMode == kSubGuideEvent && SubModeArg == 701) {
      ++talks;
      CloseTalk();
    }
  }
  EXPECT_GE(talks, 1);
  int landed = 0;
  for (int n = 1; n < 16; ++n) landed += (Actor(kBoss, n).MapHits() & 2) != 0 || Actor(kBoss, n).State() != kActorActive;
  EXPECT_EQ(landed, 8) << "segments 7 to 14 fall; the others fly off upwards";
}

TEST_F(ChainBossDefeatTest, ADefeatInTheFrameThePauseMenuOpensStartsTheTalkWhenTheMenuCloses) {
  Meet();
  head.Life() = 0;
  game.PressButton(kButtonMenu);  // the menu opens before the world passes of this frame
  EXPECT_EQ(head.State(), kActorEnding);
  EXPECT_EQ(SubMode, kSubPauseMenu);
  Step(10);
  EXPECT_EQ(SubMode, kSubPauseMenu);
  EventStep[2] = 5;  // left over from elsewhere
  game.PressButton(kButtonMenu);  // the menu closes, after the draw pass of a frame
  for (int i = 0; i < 10 && SubMode == kSubPauseMenu; ++i) Step();
  ASSERT_EQ(SubMode, kSubWorld);
  Step();
  EXPECT_EQ(SubMode, kSubGuideEvent);
  EXPECT_EQ(SubModeArg, 701);
  Step();
  EXPECT_EQ(std::string(MessageWindow.text), "「よくやった！」") << "the talk begins at its first line";
}

// The waiting talk belongs to the fight it was won in: the scene change of a load from that menu,
// of a game saved before the boss, forgets it, as every scene change does.
TEST_F(ChainBossDefeatTest, ALoadFromTheMenuTheTalkWaitsForForgetsIt) {
  Meet();
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  head.Life() = 0;
  game.PressButton(kButtonMenu);
  ASSERT_EQ(SubMode, kSubPauseMenu);
  ASSERT_EQ(head.State(), kActorEnding);
  MenuPlayer menu(game);
  menu.Pick(3);  // the load list
  menu.Pick(1);  // the first slot
  for (int i = 0; i < 400 && SubMode == kSubPauseMenu; ++i) Step();
  ASSERT_EQ(SubMode, kSubWorld);
  ASSERT_STREQ(MapPath, "./Data/TEMPLE00.MDT");
  Step(30);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(GetFlag(0, 188), 0u);
}

// ---- its shots -----------------------------------------------------------------------------------

TEST_F(ChainBossTest, ItsShotsFlyOnWhileAnEventStopsTheWorldButStandInThePauseMenuAndHurtHer) {
  Enter(400);
  const int slot = SpawnEffectActor(kShots, 700, kStanding + 24, 1, 1, -3, 0, 15, 1, 2, 256, 1, 0, 4081, 6);
  Step();
  const Actor shot(kShots, slot);
  EXPECT_EQ(shot.CollisionKind(), 16);
  const int life = shot.MaxLife();
  ScopedGuideHandler frozen(600, GuideRoutine([]() -> uint32_t { return 0; }));
  RaiseEvent(kSubGuideEvent, 600);
  int x = shot.PosX();
  Step(5);
  EXPECT_EQ(shot.PosX(), x - 15) << "it flies on";
  EXPECT_EQ(shot.MaxLife(), life) << "its life does not run down";
  SubMode = kSubWorld;  // the event ends
  SubModeArg = 0;
  x = shot.PosX();
  game.Hold(vk::Escape);  // the pause menu opens in the first world pass of the frame
  Step();
  game.Release(vk::Escape);
  ASSERT_EQ(SubMode, kSubPauseMenu);
  EXPECT_EQ(shot.PosX(), x);
  const int cursor = shot.AnimCursor();
  Step(5);
  EXPECT_EQ(shot.PosX(), x);
  EXPECT_EQ(shot.AnimCursor(), cursor);
  game.PressButton(kButtonMenu);
  ASSERT_EQ(SubMode, kSubWorld);
  // It flies into her and hurts her; her own shots pass through it.
  const int hp = PlayerStats.Hp;
  game.PressButton(kButtonAction);
  for (int i = 0; i < 200 && hero.HitTimer() == 0; ++i) game.Run();
  EXPECT_LT(PlayerStats.Hp, hp);
  EXPECT_EQ(shot.State(), kActorActive);
}

}  // namespace
