// The timed repeaters: the countdown of repeated sounds and the spawn emitters.
#include "platform/repeaters.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "actors/actor_table.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "platform/utils.h"
#include "support/game_reset.h"
#include "support/played_sounds.h"

namespace {

class RepeatersTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    LoadSoundEffects(0);
    InitRepeaters();
  }
  void TearDown() override { ResetGameState(); }

  static int ActiveSounds(int slot) {
    int n = 0;
    for (const SoundRepeat& e : SoundRepeats.entries) n += e.active != 0 && static_cast<int>(e.slot) == slot;
    return n;
  }
};

TEST_F(RepeatersTest, CountdownOfASoundTwoFramesLater) {
  QueueRepeatedSound(9, 2, 10);
  const SoundRepeat& e = SoundRepeats.entries[0];
  RunRepeatedSounds();
  EXPECT_EQ(e.frames_left, 1);
  RunRepeatedSounds();
  EXPECT_EQ(e.frames_left, 0);
  EXPECT_EQ(e.active, 1u);
  EXPECT_EQ(PlayCount(9), 0);
  RunRepeatedSounds();  // the frame it plays on, and its last
  EXPECT_EQ(e.active, 0u);
  EXPECT_EQ(PlayCount(9), 1);
}

TEST_F(RepeatersTest, ADoubleHitAndAnIntervalOfZero) {
  QueueRepeatedSound(29, 1, 1);  // plays on this frame's run and the next
  QueueRepeatedSound(4, 1, 0);   // no period: counts as every frame, like the double hit
  EXPECT_EQ(SoundRepeats.entries[1].interval, 1);
  RunRepeatedSounds();
  EXPECT_EQ(PlayCount(29), 1);
  RunRepeatedSounds();
  EXPECT_EQ(PlayCount(29), 2);
  EXPECT_EQ(PlayCount(4), 2);
  EXPECT_EQ(SoundRepeats.entries[0].active, 0u);
  EXPECT_EQ(SoundRepeats.entries[1].active, 0u);
}

TEST_F(RepeatersTest, AFullSoundTableDropsTheRequest) {
  for (int i = 0; i < kSoundRepeatCount; ++i) QueueRepeatedSound(1, 5, 1);
  QueueRepeatedSound(2, 5, 1);
  EXPECT_EQ(ActiveSounds(1), kSoundRepeatCount);
  EXPECT_EQ(ActiveSounds(2), 0);
  SoundRepeats.entries[40].active = 0;
  QueueRepeatedSound(2, 5, 1);
  EXPECT_EQ(SoundRepeats.entries[40].slot, 2u);  // the first free entry is taken
}

TEST_F(RepeatersTest, EmitterOfThreeSpawnsOnThreeFramesThenIsFree) {
  AddEmitter(100, 200, 8, 8, 1, 3, 1);
  for (int frame = 1; frame <= 3; ++frame) {
    RunEmitters();
    EXPECT_EQ(Emitters.entries[0].count, 3 - frame);
    EXPECT_EQ(ActiveSounds(29), frame);  // each spawn queues the impact sound as a double hit
  }
  RunEmitters();
  EXPECT_EQ(ActiveSounds(29), 3);
  // Three impact effects, around the emitter's place, facing (its parameter, up).
  ASSERT_EQ(CountActors(110), 3);
  for (int slot = 0; slot < 3; ++slot) {
    const Actor impact(110, slot);
    EXPECT_EQ(impact.State(), kActorSpawned);
    EXPECT_LE(std::abs(impact.PosX() - 100), 7);
    EXPECT_LE(std::abs(impact.PosY() - 200), 7);
    EXPECT_EQ(impact.FaceX(), 1);
    EXPECT_EQ(impact.FaceY(), -1);
  }
}

TEST_F(RepeatersTest, EmitterWaitsItsIntervalAndItsPhaseWraps) {
  AddEmitter(0, 0, 0, 0, 0, 1000, 3);
  std::vector<int> counts;
  for (int frame = 1; frame <= 7; ++frame) {
    RunEmitters();
    counts.push_back(Emitters.entries[0].count);
  }
  EXPECT_EQ(counts, (std::vector<int>{1000, 1000, 999, 999, 999, 998, 998}));

  // The phase runs 1, 2, ..., 256, 0, 1, ...
  Emitters.entries[0].phase = 255;
  RunEmitters();
  EXPECT_EQ(Emitters.entries[0].phase, 256);
  RunEmitters();
  EXPECT_EQ(Emitters.entries[0].phase, 0);
  EXPECT_EQ(Emitters.entries[0].count, 997);  // 0 is a multiple of every interval
}

// The number the generator seeded with 77 gives after `draws` numbers.
int NumberAfter(int draws) {
  SeedRandom(77);
  for (int i = 0; i < draws; ++i) Random(2);
  return Random(32768);
}

TEST_F(RepeatersTest, EmitterDrawsTwoSignsAndTwoOffsets) {
  const int after_four = NumberAfter(4);
  const int after_two = NumberAfter(2);
  SeedRandom(77);
  AddEmitter(0, 0, 5, 9, 0, 1, 1);
  RunEmitters();
  EXPECT_EQ(Random(32768), after_four);
  SeedRandom(77);
  AddEmitter(0, 0, 0, 0, 0, 1, 1);  // a range of 0 draws no number
  RunEmitters();
  EXPECT_EQ(Random(32768), after_two);
}

TEST_F(RepeatersTest, EmitterTableLimitsAndFirstRun) {
  for (int i = 0; i < kEmitterCount; ++i) AddEmitter(i, 0, 0, 0, 0, 5, 0);
  AddEmitter(999, 0, 0, 0, 0, 5, 1);
  for (const Emitter& e : Emitters.entries) {
    EXPECT_NE(e.x, 999);
    EXPECT_EQ(e.interval, 1);  // 0 became 1
  }

  // A table never initialised is only initialised by the first run.
  Emitters = EmitterTable{};
  Emitters.entries[3].count = 2;
  Emitters.entries[3].interval = 1;
  RunEmitters();
  EXPECT_EQ(Emitters.initialised, 1u);
  EXPECT_EQ(Emitters.entries[3].count, 0);
  EXPECT_EQ(ActiveSounds(29), 0);
}

}  // namespace

namespace {

TEST(InitRepeatersTest, ForgetsTheLastMusicPath) {
  ResetGameState();
  std::snprintf(MusicPath, sizeof MusicPath, "%s", "./Data/TOWN.MID");
  InitRepeaters();
  EXPECT_STREQ(MusicPath, "");
}

}  // namespace
