// The heroine as the draw queue receives her: the arm overlays from her recent input, queued
// before the body; the stride rows under the walking poses; blinking after a hit and on her
// copies; and what an animation entry outside her table draws.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "world/draw_queue.h"
#include "world/save_block.h"

namespace {

constexpr int kGround = 400 - 65;

struct Cell {
  int cell, x, y;
  bool visible;
  bool operator==(const Cell&) const = default;
};

void PrintTo(const Cell& c, std::ostream* os) {
  *os << "cell " << c.cell << " at (" << c.x << ", " << c.y << ")" << (c.visible ? "" : " blinking");
}

class HeroineDrawTest : public testing::Test {
 protected:
  void SetUp() override {
    game.Run();  // the new game
    LoadFixtureMap({"##############################"}, {}, 0, 25);
    EnterPlay({.heroine = true, .hero_x = 200, .hero_y = kGround});
    game.Run();
  }

  // Her cells of the last frame, in queue order: no other actor is on the map but her shots,
  // whose cells are 800..803 and 840..843.
  std::vector<Cell> Drawn() const {
    std::vector<Cell> cells;
    for (const DrawCommand& c : game.Draws(1)) {
      const bool shot = (c.cell >= 800 && c.cell <= 803) || (c.cell >= 840 && c.cell <= 843);
      if (c.type == kDrawCell && c.coords == kWorldCoords && !shot) {
        cells.push_back({static_cast<int>(c.cell), c.x, c.y, c.visible == 1});
      }
    }
    return cells;
  }

  // The 3 x 4 body block from `base` at her position.
  std::vector<Cell> Body(int base, bool visible = true) const {
    std::vector<Cell> cells;
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 4; ++j) cells.push_back({base + i + 40 * j, hero.PosX() + 16 * i, hero.PosY() + 16 * j, visible});
    }
    return cells;
  }

  static std::vector<Cell> Join(std::vector<Cell> a, const std::vector<Cell>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }

  void PressInFrames(const std::vector<std::vector<int>>& buttons_per_frame) {
    for (const std::vector<int>& buttons : buttons_per_frame) {
      for (int b : buttons) game.HoldButton(b);
      game.Run();
      for (int b : buttons) game.ReleaseButton(b);
    }
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

TEST_F(HeroineDrawTest, HerBodyIsTwelveCellsOfHerFrameAndFacingAndNoneForAnEntryOutsideHerTable) {
  const uint32_t before = CellsDrawnCount;
  game.Run();
  EXPECT_EQ(Drawn(), Body(400));
  EXPECT_EQ(CellsDrawnCount - before, 12u);
  hero.FaceX() = -1;
  game.Run();
  EXPECT_EQ(Drawn(), Body(560));
  hero.FaceX() = 0;  // no facing: drawn from cell 0
  game.Run();
  EXPECT_EQ(Drawn(), Body(0));

  // An entry between sequences, or outside the table, shows no frame: nothing is drawn.
  hero.Control() = kControlFrozen;  // nothing but her drawing reads her cursor now
  for (int cursor : {55, 5000}) {
    hero.AnimCursor() = cursor;
    game.Run();
    EXPECT_EQ(Drawn(), std::vector<Cell>{}) << cursor;
  }

  // Entry 0 shows frame 0 and is a sequence of its own: walking on, she stays on it.
  hero.Control() = kControlSelf;
  hero.AnimCursor() = 0;
  hero.FaceX() = -1;
  hero.History(ActorField::FaceXHistory, 0) = -1;
  game.HoldButton(kButtonLeft);
  game.Run(3);
  EXPECT_EQ(hero.AnimCursor(), 0);
  EXPECT_EQ(Drawn(), Body(560));
}

TEST_F(HeroineDrawTest, TheNewerOfAnUpAndAnActionPressDecidesTheArmAndTenFramesClearIt) {
  const int arm_y = kGround + 3;  // her body box's top offset standing: 3
  // Up, then action two frames later: the shooting arm, forward at her shoulder.
  PressInFrames({{kButtonUp}, {}, {kButtonAction}});
  EXPECT_EQ(hero.Motion() & 0x30000, kHeroineShootingArm);
  EXPECT_EQ(Drawn(), Join({{734, 200 + 29, arm_y + 15, true}, {735, 200 + 45, arm_y + 15, true}}, Body(400)));
  // Facing left the hand comes first, on the other side.
  hero.FaceX() = -1;
  game.Run();
  EXPECT_EQ(Drawn(), Join({{774, 200 - 3, arm_y + 15, true}, {775, 200 + 13, arm_y + 15, true}}, Body(560)));
  hero.FaceX() = 1;

  // Both in one frame: up wins, the raised arm over her head.
  PressInFrames({{kButtonUp, kButtonAction}});
  EXPECT_EQ(hero.Motion() & 0x30000, kHeroineRaisedArm);
  EXPECT_EQ(Drawn(), Join({{732, 216, arm_y - 19, true}, {772, 216, arm_y - 3, true}}, Body(400)));

  // Action, then up a frame later: the raised arm, for ten frames from that press.
  PressInFrames({{kButtonAction}, {kButtonUp}});
  game.Run(9);
  EXPECT_EQ(hero.Motion() & 0x30000, kHeroineRaisedArm);
  game.Run();
  EXPECT_EQ(hero.Motion() & 0x30000, 0);
  EXPECT_EQ(hero.Motion() & 0xFFFF, 0x1500);
  EXPECT_EQ(Drawn(), Body(400));
}

TEST_F(HeroineDrawTest, NoArmIsShownOrClearedInTheDoorPoseOrWhileDying) {
  SetHeroineMotion(0, kHeroineInDoor);
  hero.Motion() |= kHeroineShootingArm;
  PressInFrames({{kButtonUp}});
  EXPECT_EQ(hero.AnimCursor(), kHeroineDoorAnim);
  EXPECT_EQ(Drawn(), Body(430));
  EXPECT_EQ(hero.Motion() & 0x30000, kHeroineShootingArm);  // left as it was

  SetHeroineMotion(0, kHeroineOnGround);
  hero.AnimCursor() = kHeroineDeathAnim;
  hero.State() = kActorEnding;
  game.Run(11);
  EXPECT_EQ(hero.Motion() & 0x30000, kHeroineShootingArm);
  const std::vector<Cell> drawn = Drawn();
  ASSERT_EQ(drawn.size(), 12u);
  const int frame = GetHeroineAnimFrame(hero.AnimCursor());
  EXPECT_TRUE(frame == 17 || frame == 19 || frame == 20) << frame;
  EXPECT_EQ(drawn, Body(drawn[0].cell));
}

TEST_F(HeroineDrawTest, WalkingShowsTheStrideRowUnderTheBodyOnItsFourFrames) {
  game.HoldButton(kButtonRight);
  std::vector<int> strides;
  for (int i = 0; i < 40; ++i) {
    game.Run();
    const std::vector<Cell> drawn = Drawn();
    const int frame = GetHeroineAnimFrame(hero.AnimCursor());
    if (frame == 2 || frame == 3 || frame == 5 || frame == 6) {
      ASSERT_EQ(drawn.size(), 15u) << i;
      const int base = drawn[0].cell;
      EXPECT_EQ(drawn[0], (Cell{base, hero.PosX(), hero.PosY() + 32, true}));
      EXPECT_EQ(drawn[2], (Cell{base + 2, hero.PosX() + 32, hero.PosY() + 32, true}));
      EXPECT_EQ(drawn[3].cell, 400 + 3 * frame);  // then the body
      if (strides.empty() || strides.back() != base) strides.push_back(base);
    } else {
      ASSERT_EQ(drawn.size(), 12u) << i;
    }
  }
  // One walk cycle: frames 2, 3, 2, (1, 0, 4) 5, 6, 5.
  EXPECT_EQ(strides, (std::vector<int>{720, 723, 720, 726, 729, 726}));
}

TEST_F(HeroineDrawTest, SheBlinksWhileAHitKeepsHerImmuneAndHerCopiesAlwaysBlink) {
  hero.HitTimer() = 3;
  game.Run();
  EXPECT_EQ(Drawn(), Body(400, false));
  game.Run(2);
  EXPECT_EQ(hero.HitTimer(), 0);
  EXPECT_EQ(Drawn(), Body(400, true));

  ASSERT_EQ(SpawnActor(kHeroineGroup, 0, 0, 1, 0), 1);
  game.Run();
  const std::vector<Cell> drawn = Drawn();
  ASSERT_EQ(drawn.size(), 24u);
  for (int k = 12; k < 24; ++k) EXPECT_FALSE(drawn[k].visible) << k;
  EXPECT_TRUE(drawn[0].visible);
}

}  // namespace
