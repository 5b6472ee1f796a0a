// The boss fight as a player plays it. From the corridor's sealed door (430) the wipe brings her
// into the boss room and lets her go; with a ring that raises her attack (a new game's shots do nothing to the
// head's defence) she walks on, the insect's talk (526) closes with the boss called and its music
// playing; the boss comes down at her, circles firing its shots and flies its laser runs; her
// shots bring it down: the chain breaks, the music stops, the exit doors' flag is set and the
// talk after the fight runs and is marked heard. Pictures of the fight are saved for people to
// look at (boss_fight_*.png in the build folder).
#include <gtest/gtest.h>

#include <string>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "audio/music.h"
#include "backend/headless/headless.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/flags.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kBoss = 37;
constexpr int kCircling = 0x100, kHighCircle = 0x1000, kLowCircle = 0x10000;

class BossFightTest : public testing::Test {
 protected:
  void SetUp() override {
    StartInTheCave(game);
    while (IsFading() == 1) game.Run();
  }
  // Frames of play in which she takes the boss's blows without dying of them.
  void Play(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      game.Run();
      PlayerStats.Hp = PlayerStats.MaxHp;
    }
  }
  // Closes each line with a tap for the whole page and one to close it, while the talk stands.
  void HearOut(int number) {
    for (int taps = 0; taps < 60 && SubMode == kSubGuideEvent && SubModeArg == number; ++taps) {
      if (MessageWindow.open == 1) {
        game.PressButton(kButtonJump);
        PlayerStats.Hp = PlayerStats.MaxHp;
      } else {
        Play();
      }
    }
  }
  void Picture(const std::string& name) {
    if (GetFrameCounter(0) % 2 == 0) Play();  // a frame on which the blinking pictures show
    ASSERT_TRUE(game.SavePicture(std::string(TOVIA_BINARY_DIR) + "/boss_fight_" + name + ".png"));
  }
  static int Mode() { return GetActorModeBits(kBoss, 0, 'o'); }
  static int ModeStep() { return GetActorModeBits(kBoss, 0, 'A'); }
  bool BeamShown() const {
    for (const DrawCommand& c : game.Draws(1))
      if (c.type == kDrawFillRect && c.w == 1280 && c.h > 0) return true;
    return false;
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
  const Actor head{kBoss, 0};
};

TEST_F(BossFightTest, FromTheSealedDoorToTheTalkAfterTheFight) {
  // The corridor's sealed door, and the wipe into the boss room, whose end lets her go.
  ChangeScene(kSceneCorridor);
  RedrawAllLayers();
  PlaceHeroine(0, 221 * 16 + 16 - 24, 26 * 16 - 65, 'R', 'N');
  Play(10);
  game.HoldButton(kButtonUp);
  Play();
  game.ReleaseButton(kButtonUp);
  ASSERT_EQ(SubMode, kSubFieldEvent);
  ASSERT_EQ(SubModeArg, 430);
  for (int i = 0; i < 400 && SubMode == kSubFieldEvent; ++i) Play();
  ASSERT_STREQ(MapPath, "./Data/BOSS0001.MDT");
  ASSERT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(CountActors(kBoss), 0);

  // With a ring she owns from the start on her finger her attack is 55; she walks on into the
  // insect's warning.
  PlayerStats.EquippedRing = 0x08;
  game.HoldButton(kButtonRight);
  for (int i = 0; i < 200 && SubMode != kSubGuideEvent; ++i) Play();
  game.ReleaseButton(kButtonRight);
  ASSERT_EQ(SubModeArg, 526);
  EXPECT_GE(PlayerStats.Attack, 6);
  Play();
  EXPECT_EQ(CountActors(114), 1) << "the insect comes to speak";
  EXPECT_EQ(std::string(MessageWindow.text), "「ここがボスの部屋で、右の部屋が出口になっている。」");
  HearOut(526);
  ASSERT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(GetFlag(0, 13), 1u);
  EXPECT_EQ(CountActors(114), 0);
  EXPECT_STREQ(MusicPath, "./Data/MGYASAU.MDT");
  EXPECT_TRUE(headless::MidiOutIsOpen()) << "the boss's music plays";
  Play();
  ASSERT_EQ(head.State(), kActorActive);
  EXPECT_EQ(CountActors(kBoss), 16) << "the head and its chain";
  EXPECT_EQ(BossActive, 1);

  // It comes down at her from the top of the room.
  const int start_y = head.PosY();
  Play(40);
  EXPECT_GT(head.PosY(), start_y + 150);

  // It circles firing its shots, and flies its laser runs.
  bool circled = false, fired = false, beamed = false;
  const int shots = PlayCount(30);
  for (int i = 0; i < 8000 && !(circled && fired && beamed); ++i) {
    Play();
    if (!circled && (Mode() == kHighCircle || Mode() == kLowCircle) && ModeStep() == kCircling) {
      circled = true;
      Play(40);
      Picture("circling");
    }
    fired = fired || (PlayCount(30) > shots && CountActors(38) > 0);
    if (!beamed && BeamShown()) {
      beamed = true;
      Picture("beam");
    }
  }
  EXPECT_TRUE(circled);
  EXPECT_TRUE(fired);
  EXPECT_TRUE(beamed);

  // Her shots: up when it is over her, ahead when it is level with her.
  for (int i = 0; i < 8000 && head.State() == kActorActive; ++i) {
    const int dx = head.CentreX() - hero.CentreX(), dy = head.CentreY() - hero.CentreY();
    if (CountActors(kShotGroup) == 0 && dx > -24 && dx < 24 && dy < -40) {
      game.HoldButton(kButtonUp);
      game.PressButton(kButtonAction);
      game.ReleaseButton(kButtonUp);
    } else if (CountActors(kShotGroup) == 0 && dy > -24 && dy < 24 && (dx > 0) == (hero.FaceX() == 1)) {
      game.PressButton(kButtonAction);
    } else {
      Play();
    }
    PlayerStats.Hp = PlayerStats.MaxHp;
  }
  ASSERT_EQ(head.State(), kActorEnding) << "her shots never brought it down";
  EXPECT_EQ(GetFlag(1, 110), 1u) << "the exit doors' flag";
  EXPECT_FALSE(headless::MidiOutIsOpen()) << "the music stops";
  EXPECT_EQ(SubModeArg, 701);
  Play();
  int burst = 0;
  for (int n = 1; n < 16; ++n) burst += (Actor(kBoss, n).MapHits() & 128) != 0 ? 1 : 0;
  EXPECT_EQ(burst, 15) << "the chain breaks";
  Picture("breakup");
  EXPECT_EQ(std::string(MessageWindow.text), "「よくやった！」");
  HearOut(701);
  EXPECT_EQ(GetFlag(0, 188), 1u);
  Play(60);
  Picture("after");
}

}  // namespace
