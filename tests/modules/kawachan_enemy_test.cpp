// The Kawachan and its wisp in play on fixture maps with the heroine: it sights her, closes in
// and throws from exactly 128 or 129 pixels (measured from its feet to hers, so a heroine on a
// block is thrown at from nearer); the wisp leaves at the release, over the thrower's head,
// arcs, hurts her and bursts where it lands; the thrower carries a new flame 257 frames after the
// throw, at its side, and never touches a sprite that is not its own flame, nor anything when
// the sprite group is full.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/save_block.h"

namespace {

constexpr int kKawachan = 35;
constexpr int kWisp = 36;
constexpr int kImpact = 110;
constexpr int kFlames = 116;
constexpr int kFloorRow = 30;
constexpr int kFloorTop = kFloorRow * 16;
constexpr int kKawachanY = kFloorTop - 64;  // its tile: four rows over the floor
constexpr int kThrowCursor = 320;           // the throw sequence's first tick

int Mode(const Actor& k, int letter) { return GetActorModeBits(kKawachan, k.slot, letter); }
bool Throwing(const Actor& k) { return Mode(k, 'a') == 64; }
Actor Heroine() { return Actor(kHeroineGroup, 0); }
int FirstSlot(int group) {
  for (int s = 0; s < kActorSlots; ++s)
    if (Actor(group, s).State() != kActorFree) return s;
  return -1;
}

class KawachanTest : public testing::Test {
 protected:
  void SetUp() override { game_.Run(); }

  // A hall 60 columns wide with walls at both ends and its floor on row 30; `block` columns from
  // `block_at` stand three rows higher. The heroine stands at x `hero_x`, settled.
  void Enter(int hero_x, int block_at = 0, int block = 0) {
    std::vector<std::string> rows(14, "#" + std::string(58, '.') + "#");
    rows.back() = std::string(60, '#');
    for (int r = 10; r < 13; ++r) rows[r].replace(static_cast<size_t>(block_at), static_cast<size_t>(block), std::string(static_cast<size_t>(block), '#'));
    LoadFixtureMap(rows, {}, 0, kFloorRow - 13);
    EnterPlay({.heroine = true, .hero_x = hero_x, .hero_y = kFloorTop - 120});
    game_.Run(20);
    RefillHeroineHpMp();
  }
  // A Kawachan spawned far from her and run through its first frame (it takes its flame), then
  // put at x facing `face`, standing. Its first frame looks for her from the centre its slot
  // had before, so the slot's earlier occupant is taken far away first.
  Actor Spawn(int x, int face) {
    const Actor k(kKawachan, SpawnActor(kKawachan, 3000, kKawachanY, -1, 0));
    k.CentreX() = 3000;
    game_.Run();
    k.PosX() = x;
    k.PosY() = kKawachanY;
    k.VelY() = k.Motion() = 0;  // it began to fall out there
    k.FaceX() = face;
    SetActorModeBits(kKawachan, k.slot, 16, 'a');
    SetActorAnim(kKawachan, k.slot, 4, 20);
    return k;
  }
  // Where she must stand for her centre to lie d pixels from its centre, on its side `face`.
  static int HeroXAt(int kawachan_x, int face, int d) { return kawachan_x + 17 + face * d - 24; }
  // She stays where she is and keeps her boxes.
  static void HoldHeroine() { HeroControl = kControlFrozen; }

  FrameHarness game_;
};

TEST_F(KawachanTest, SightsHerClosesInAndThrowsAndTheWispArcsHurtsHerAndBursts) {
  Enter(400);
  const Actor hero = Heroine();
  const Actor k = Spawn(200, 1);
  ASSERT_EQ(Mode(k, 'o'), 4096) << "it carries a flame";
  const Actor flame(kFlames, k.Link());
  const int32_t hp = PlayerStats.Hp;

  // It walks up to her at 2 pixels a frame and throws from 128 or 129 pixels (its centre is 17
  // pixels right of its left edge).
  int before = k.PosX();
  int frames = 0;
  while (!Throwing(k) && frames < 100) {
    before = k.PosX();
    game_.Run();
    ++frames;
    EXPECT_EQ(k.PosX() - before, 2) << frames;  // in the frame of the throw too
  }
  ASSERT_TRUE(Throwing(k));
  const int d = hero.CentreX() - (before + 17);
  EXPECT_TRUE(d == 128 || d == 129) << d;
  EXPECT_EQ(flame.State(), kActorFree) << "the flame left its hand";
  EXPECT_EQ(k.Link(), -1);

  // Twelve frames into the throw the wisp springs out over its head, running toward her.
  game_.Run(11);
  EXPECT_EQ(CountActors(kWisp), 0);
  game_.Run();
  ASSERT_EQ(CountActors(kWisp), 1);
  const Actor wisp(kWisp, FirstSlot(kWisp));
  EXPECT_EQ(wisp.HomeX(), k.PosX());
  EXPECT_EQ(wisp.HomeY(), k.PosY());
  EXPECT_EQ(wisp.Link(), 1);

  // It arcs over to her, hurts her and bursts on the floor with its sound.
  const int bursts = PlayCount(29);
  int top = wisp.PosY(), hurt_at = -1;
  for (int i = 0; i < 80 && wisp.State() == kActorActive; ++i) {
    game_.Run();
    top = std::min(top, static_cast<int>(wisp.PosY()));
    if (hurt_at < 0 && PlayerStats.Hp < hp) hurt_at = i;
  }
  EXPECT_GE(hurt_at, 0) << "the wisp never hurt her";
  EXPECT_EQ(wisp.HomeY() - top, 120) << "it rose 15 + 14 + ... + 1 pixels";
  ASSERT_EQ(wisp.State(), kActorEnding);
  EXPECT_EQ(PlayCount(29), bursts + 1);
  ASSERT_EQ(CountActors(kImpact), 1);
  const Actor spark(kImpact, FirstSlot(kImpact));
  EXPECT_EQ(spark.HomeX(), wisp.CentreX() - 4);
  EXPECT_GT(spark.HomeY(), kFloorTop - 32);
}

// The distance runs from its centre at its feet to hers: on a block 48 pixels high her feet are
// 49 pixels over its, so it throws from 119 or 120 pixels across.
TEST_F(KawachanTest, ThrowsFromExactly128Or129PixelsAndWalksUpToHerFromAnyOther) {
  struct Case {
    int face, across;
    bool on_block, throws;
  };
  const Case cases[] = {
      {1, 126, false, false}, {1, 127, false, false}, {1, 128, false, true}, {1, 129, false, true},
      {1, 130, false, false}, {-1, 127, false, false}, {-1, 128, false, true}, {-1, 129, false, true},
      {-1, 131, false, false}, {1, 118, true, false}, {1, 119, true, true}, {1, 120, true, true},
      {1, 121, true, false},  {1, 128, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.face * c.across) + (c.on_block ? " on the block" : ""));
    const int kx = 400;
    Enter(HeroXAt(kx, c.face, c.across), c.on_block ? 32 : 0, c.on_block ? 10 : 0);
    HoldHeroine();
    ASSERT_EQ(Heroine().BodyBox().bottom, c.on_block ? kFloorTop - 49 : kFloorTop - 1);
    const Actor k = Spawn(kx, c.face);
    game_.Run();
    EXPECT_EQ(Throwing(k), c.throws);
    if (c.throws) {
      EXPECT_EQ(k.AnimCursor(), kThrowCursor);
      EXPECT_EQ(k.Scratch(0), 3);  // the cooldown: 1 at the throw, 2 more each frame
      continue;
    }
    EXPECT_EQ(k.PosX(), kx + 2 * c.face);
    // From 130 or 131 it comes to 128 or 129 and throws; from nearer it walks into her.
    for (int i = 0; i < 30 && !Throwing(k); ++i) game_.Run();
    EXPECT_EQ(Throwing(k), c.across > (c.on_block ? 120 : 129));
  }
}

TEST_F(KawachanTest, CarriesItsFlameAtItsSideAndANewOne257FramesAfterAThrow) {
  Enter(HeroXAt(300, 1, 300));
  const Actor k = Spawn(300, 1);
  // Walking either way, the flame is at its side the way it faces, level with its head.
  for (const int face : {1, -1}) {
    k.FaceX() = face;
    SetActorModeBits(kKawachan, k.slot, 32, 'a');
    for (int i = 0; i < 12; ++i) {
      game_.Run();
      const Actor flame(kFlames, k.Link());
      EXPECT_EQ(flame.PosX(), k.FaceX() == 1 ? k.PosX() + 14 : k.PosX() - 14) << i;
      EXPECT_EQ(flame.PosY(), k.CentreY() - 32) << i;
    }
  }
  // Standing, it throws at her from 128 pixels; she stays there, so it throws again as soon as
  // it can. (A walking thrower steps on in the frame of its throw.)
  HoldHeroine();
  k.PosX() = Heroine().CentreX() - 128 - 17;
  k.FaceX() = 1;
  SetActorModeBits(kKawachan, k.slot, 16, 'a');
  game_.Run();
  ASSERT_TRUE(Throwing(k));
  game_.Run(256);
  EXPECT_EQ(Mode(k, 'o'), 0);
  EXPECT_EQ(CountActors(kFlames), 0);
  game_.Run();
  EXPECT_EQ(Mode(k, 'o'), 4096) << "a new flame 257 frames after the throw";
  EXPECT_EQ(CountActors(kFlames), 1);
  EXPECT_EQ(Mode(k, 'a'), 16);
  game_.Run();
  EXPECT_TRUE(Throwing(k));
}

// Group 116 full of other sprites: it carries nothing, walks, throws and dies without touching
// any of them.
TEST_F(KawachanTest, WithEverySpriteSlotTakenItCarriesNothingAndTouchesNoSprite) {
  Enter(HeroXAt(300, 1, 130));
  HoldHeroine();
  for (int s = 0; s < kActorSlots; ++s)
    ASSERT_EQ(SpawnEffectActor14(kFlames, 5000 + s, 3000, 2, 2, 0, 0, 6, 1, 6, -255, 1, 0, 4320), s);
  const Actor k = Spawn(300, 1);
  EXPECT_EQ(Mode(k, 'o'), 0);
  EXPECT_EQ(k.Link(), -1);
  game_.Run();  // it walks to 128 pixels
  game_.Run();  // and throws
  ASSERT_TRUE(Throwing(k));
  game_.Run(20);
  k.Life() = 0;
  game_.Run(3);
  ASSERT_EQ(k.State(), kActorEnding);
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor sprite(kFlames, s);
    EXPECT_EQ(sprite.State(), kActorActive) << s;
    EXPECT_EQ(sprite.PosX(), 5000 + s) << s;
    EXPECT_EQ(sprite.PosY(), 3000) << s;
  }
  EXPECT_EQ(Mode(k, 'o'), 0);
  EXPECT_EQ(k.Link(), -1);
}

// The slot a throw freed soon holds another sprite (a spell's aura here): the thrower neither
// drags it along nor frees it at its defeat, which frees only the flame it carries.
TEST_F(KawachanTest, AfterAThrowTheFreedSlotsNextSpriteIsNotItsConcern) {
  Enter(HeroXAt(300, 1, 130));
  HoldHeroine();
  const Actor thrower = Spawn(300, 1);
  const Actor carrier = Spawn(100, -1);  // facing away from her, out of sight
  const int thrown_slot = thrower.Link();
  const Actor carried(kFlames, carrier.Link());
  game_.Run(2);
  ASSERT_TRUE(Throwing(thrower));
  ASSERT_EQ(SpawnEffectActor14(kFlames, 900, 100, 2, 2, 0, 0, 0, 0, 1, -255, 1, 0, 996), thrown_slot);
  const Actor aura(kFlames, thrown_slot);
  game_.Run(30);
  EXPECT_EQ(aura.PosX(), 900);
  EXPECT_EQ(aura.PosY(), 100);

  thrower.Life() = 0;
  game_.Run();
  ASSERT_EQ(thrower.State(), kActorEnding);
  EXPECT_EQ(aura.State(), kActorActive);
  EXPECT_EQ(carried.State(), kActorActive);

  carrier.Life() = 0;
  game_.Run();
  EXPECT_EQ(carried.State(), kActorFree);
  EXPECT_EQ(aura.State(), kActorActive);
  EXPECT_EQ(aura.PosX(), 900);
}

}  // namespace
