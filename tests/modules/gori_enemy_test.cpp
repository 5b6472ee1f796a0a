// Gori in play on fixture maps with the heroine: he sights her ahead of him whichever way he
// faces and not behind him; closes in at 2 pixels a frame and punches once within 49 pixels, one
// box a punch ahead of him by his facing, with a thud and a shake, and none far off the view;
// gives up when she is no longer active; jumps 105 pixels and lands into the landing and then
// the wander; turns at a ledge a frame after he reaches it; and flips while he dies.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/save_block.h"

namespace {

constexpr int kGori = 40;
constexpr int kFloorRow = 30;
constexpr int kFloorTop = kFloorRow * 16;
constexpr int kGoriY = kFloorTop - 128;  // his tile: eight rows over the floor
constexpr int kHeroY = kFloorTop - 80;

// AiState: the mode in the low 16 bits, the sub-state in the high ones.
constexpr int32_t Ai(int mode, int sub) { return mode | (sub << 16); }
constexpr int32_t kWanderStanding = Ai(2, 1);
constexpr int32_t kApproaching = Ai(16, 1);
constexpr int32_t kPunching = Ai(16, 2);

class GoriTest : public testing::Test {
 protected:
  void SetUp() override { game_.Run(); }

  // A hall 60 columns wide with walls at both ends, floor on row 30 (or only up to column
  // `floor_end`, a ledge), the heroine standing at x `hero_x` (or far away), settled.
  void Enter(int hero_x, int floor_end = 60) {
    std::vector<std::string> rows(14, "#" + std::string(58, '.') + "#");
    rows.back() = std::string(static_cast<size_t>(floor_end), '#') + std::string(static_cast<size_t>(60 - floor_end), '.');
    LoadFixtureMap(rows, {}, 0, kFloorRow - 13);
    EnterPlay({.heroine = true, .hero_x = hero_x, .hero_y = kHeroY});
    game_.Run(10);
  }
  // He is spawned at x, run through his first frame, then faces `face`, standing (wander, sub 1).
  Actor Spawn(int x, int face) {
    const Actor g(kGori, SpawnActor(kGori, x, kGoriY, -1, 0));
    game_.Run();
    g.FaceX() = face;
    g.AiState() = kWanderStanding;
    return g;
  }
  // She stays where she is and keeps her boxes, and the damage test leaves the frame's hazard
  // boxes in the list for the test to read.
  static void HoldHeroine() { HeroControl = kControlFrozen; }

  FrameHarness game_;
};

TEST_F(GoriTest, SightsHerAheadOfHimWhicheverWayHeFacesButNotBehind) {
  struct Case {
    int gori_x, face, hero_x;
    bool sighted;
  };
  const Case cases[] = {
      {400, 1, 560, true},   // she is 136 px ahead on his right
      {400, -1, 260, true},  // ahead on his left
      {400, 1, 260, false},  // behind him
      {400, -1, 560, false},
      {400, 1, 660, false},  // too far: 236 px
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.gori_x) + " facing " + std::to_string(c.face) + ", she at " + std::to_string(c.hero_x));
    Enter(c.hero_x);
    const Actor g = Spawn(c.gori_x, c.face);
    game_.Run();
    EXPECT_EQ(g.AiState() == kApproaching, c.sighted);
    EXPECT_EQ(g.FaceX(), c.face);
  }
}

// A punch seen frame by frame: his x, his AiState, and the hazard boxes of each frame.
struct Frame {
  int x;
  int32_t ai;
  std::vector<std::vector<int32_t>> hazards;
  int thuds;
  int32_t shake;
};

std::vector<Frame> Watch(FrameHarness& game, const Actor& g, int n) {
  std::vector<Frame> frames;
  for (int i = 0; i < n; ++i) {
    game.Run();
    Frame f{g.PosX(), g.AiState(), {}, PlayCount(4), CameraShake.on};
    for (uint32_t k = 0; k < HazardCount; ++k) f.hazards.emplace_back(HazardBoxes[k], HazardBoxes[k] + 6);
    frames.push_back(f);
  }
  return frames;
}

TEST_F(GoriTest, ClosesInAtTwoPixelsAFrameAndPunchesOnceAPunchAheadOfHimWithAThud) {
  for (const int face : {1, -1}) {
    SCOPED_TRACE(face == 1 ? "facing right" : "facing left");
    Enter(face == 1 ? 560 : 440);
    HoldHeroine();
    const Actor g = Spawn(face == 1 ? 400 : 600, face);
    const int start = g.PosX();
    const int thuds_before = PlayCount(4);
    const std::vector<Frame> frames = Watch(game_, g, 200);

    size_t punch = 0;
    while (punch < frames.size() && frames[punch].ai != kPunching) ++punch;
    ASSERT_LT(punch, frames.size()) << "he never punched";
    int x = start;
    for (size_t i = 0; i < punch; ++i) {
      EXPECT_EQ(frames[i].ai, kApproaching) << i;
      EXPECT_EQ(frames[i].x - x, 2 * face) << i;
      x = frames[i].x;
    }
    // He stopped within 49 pixels of her (from his centre at his feet to hers), short of her.
    const Actor hero(kHeroineGroup, 0);
    EXPECT_LT(std::abs(g.CentreX() - hero.CentreX()), 49);
    EXPECT_GT(std::abs(g.CentreX() - hero.CentreX()), 40);

    // Each punch makes one box, ahead of him at his shoulder (his body as it was before this
    // frame's step of the punch: the arm drawn back), with a thud in its frame and the next
    // and a shake.
    int boxes = 0;
    for (size_t i = punch; i < frames.size(); ++i) {
      const Frame& f = frames[i];
      if (f.ai != kPunching) break;
      EXPECT_EQ(f.x, frames[punch].x);  // he stands while he punches
      ASSERT_LE(f.hazards.size(), 1u);
      if (f.hazards.empty()) continue;
      ++boxes;
      const int body_left = f.x + 28, body_top = kGoriY + 20;
      const std::vector<int32_t> expected = {face == 1 ? body_left + 48 : body_left - 20, body_top + 32, 32, 32, 9000, 0};
      EXPECT_EQ(f.hazards[0], expected) << i;
      EXPECT_EQ(f.thuds, thuds_before + 2 * boxes - 1) << i;
      if (i + 1 < frames.size()) {
        EXPECT_EQ(frames[i + 1].thuds, thuds_before + 2 * boxes) << i;
      }
      EXPECT_EQ(f.shake, 1) << i;
      // The next box comes only with the next punch: 36 frames on.
      if (i + 36 < frames.size() && frames[i + 36].ai == kPunching) {
        for (size_t j = i + 1; j < i + 36; ++j) EXPECT_TRUE(frames[j].hazards.empty()) << j;
      }
    }
    EXPECT_GE(boxes, 1);
  }
}

TEST_F(GoriTest, PunchesFarOffTheViewMakeNoBoxNoThudAndNoShake) {
  Enter(560);
  HoldHeroine();
  const Actor g = Spawn(400, 1);
  SetCameraTarget(kNoCameraTarget);
  SetCameraPosition(3000, 2000);
  const int thuds = PlayCount(4);
  const std::vector<Frame> frames = Watch(game_, g, 200);
  int punching = 0;
  for (const Frame& f : frames) {
    punching += f.ai == kPunching ? 1 : 0;
    EXPECT_TRUE(f.hazards.empty());
    EXPECT_EQ(f.shake, 0);
  }
  EXPECT_GT(punching, 36);  // he went on punching all the same
  EXPECT_EQ(PlayCount(4), thuds);
}

TEST_F(GoriTest, GivesUpTheApproachWhenSheIsNoLongerActive) {
  Enter(560);
  HoldHeroine();
  const Actor g = Spawn(400, 1);
  game_.Run(5);
  ASSERT_EQ(g.AiState(), kApproaching);
  Actor(kHeroineGroup, 0).State() = kActorEnding;
  game_.Run();
  EXPECT_EQ(g.AiState() & 0xFFFF, 2);  // wandering again
  const int x = g.PosX();
  game_.Run();
  EXPECT_NE(g.PosX(), x + 2);  // no longer closing in
}

TEST_F(GoriTest, JumpsAHundredAndFivePixelsAndLandsIntoTheWander) {
  Enter(5000);
  const Actor g = Spawn(400, 1);
  g.AiState() = Ai(2, 2);  // walking
  int before = g.PosY();
  for (int i = 0; i < 5000 && g.Motion() != 4; ++i) {
    before = g.PosY();
    game_.Run();
  }
  ASSERT_EQ(g.Motion(), 4) << "he never jumped";
  int top = g.PosY();
  int32_t landed_ai = 0;
  int frames = 0;
  while (frames < 60 && !(g.Motion() == 0 && g.PosY() > top)) {
    game_.Run();
    ++frames;
    top = std::min(top, g.PosY());
    landed_ai = g.AiState();
  }
  EXPECT_EQ(before - top, 105);
  EXPECT_EQ(g.PosY(), before);   // back on the floor
  EXPECT_EQ(landed_ai, Ai(1, 2));  // the landing
  // The landing sequence plays once, 16 frames, then he stands.
  game_.Run(15);
  EXPECT_EQ(g.AiState(), Ai(1, 2));
  game_.Run(2);
  EXPECT_EQ(g.AiState() & 0xFFFF, 2);
}

TEST_F(GoriTest, TurnsAtALedgeAFrameAfterHeReachesIt) {
  // The floor ends at column 40 (x 640): the pixel right of his body's right edge is over
  // nothing once he stands at x 571.
  Enter(5000, 40);
  const Actor g = Spawn(560, 1);
  g.AiState() = Ai(2, 2);  // walking
  std::vector<int> xs, faces;
  for (int i = 0; i < 30; ++i) {
    game_.Run();
    xs.push_back(g.PosX());
    faces.push_back(g.FaceX());
    ASSERT_EQ(g.Motion(), 0) << i;  // he never went over
  }
  size_t turn = 0;
  while (turn < faces.size() && faces[turn] == 1) ++turn;
  ASSERT_LT(turn, faces.size());
  ASSERT_GE(turn, 1u);
  EXPECT_EQ(xs[turn] - xs[turn - 1], 1);  // the frame he turned he still stepped on
  EXPECT_EQ(xs[turn], 572);
  EXPECT_EQ(xs[turn + 1] - xs[turn], -1);  // and walks back from the next
  EXPECT_EQ(*std::max_element(xs.begin(), xs.end()), 572);
}

TEST_F(GoriTest, DefeatedHeFlipsEveryFrameWhileHeBlinksAndIsGoneAfterEightyEightFrames) {
  Enter(5000);
  const Actor g = Spawn(400, 1);
  g.Life() = 0;
  game_.Run();
  ASSERT_EQ(g.State(), kActorEnding);
  std::vector<int> faces;
  while (g.State() == kActorEnding && faces.size() < 200) {
    game_.Run();
    faces.push_back(g.FaceX());
    if (g.State() == kActorEnding) {
      const std::vector<DrawCommand> cells = game_.Draws(1);
      ASSERT_FALSE(cells.empty());
      EXPECT_EQ(cells.back().visible, 0u);
    }
  }
  EXPECT_EQ(faces.size(), 89u);
  for (size_t i = 1; i < faces.size(); ++i) EXPECT_EQ(faces[i], -faces[i - 1]) << i;
  EXPECT_EQ(g.State(), kActorGone);
}

}  // namespace
