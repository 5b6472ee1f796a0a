// The townspeople on a fixture street: Klaus's gestures play once at their pace, hold their last
// pose and publish his cursor for the opening; the walkers stop at home ± 640 and at walls
// without turning and walk off ledges, while Klaus and Rod walk on past the range when a scene
// holds them; every talk goes on where the last stopped and its last block repeats, with the
// speakers, the flags and Pancho's anger balloon; Damian stays in his place, changing his pose
// and turning without a change on screen; a cursor from a save outside the walk tables draws
// nothing; the insect keeps within 32 pixels of the heroine and drifts while the world stands
// still.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "modules/modules.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/town_talk.h"
#include "world/draw_queue.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

// A street with its floor's top at y 480 (row 30): a wall at columns 8 and 9, and beyond
// column 150 a drop of 96 pixels to a lower floor at y 576.
constexpr int kTop = 20;
constexpr int kFloorY = 480;
constexpr int kLowerY = 576;
constexpr int kWallRight = 160;  // the first free pixel right of the wall
constexpr int kLedgeX = 150 * 16;

std::vector<std::string> Street() {
  std::vector<std::string> rows(17, std::string(200, '.'));
  for (int r = 0; r < 10; ++r) rows[r].replace(8, 2, "##");
  rows[10] = std::string(150, '#') + std::string(50, '.');
  rows[16] = std::string(200, '#');
  return rows;
}

constexpr int kHeroY = kFloorY - 65;   // her PosY standing on the floor
constexpr int kWalkerY = kFloorY - 76;  // Rod, Lime and Pancho stand 76 pixels tall
constexpr int kKlausY = kFloorY - 96;

int32_t Bit(int button) { return static_cast<int32_t>(ButtonBits[button]); }

struct TownNpcTest : testing::Test {
  void SetUp() override {
    game.Run();  // the new game
    LoadFixtureMap(Street(), {}, 0, kTop);
  }
  // Into play with the heroine at x, then a townsperson of the group at (x, y), made active.
  Actor Enter(int hero_x, int group, int x, int y) {
    EnterPlay({.heroine = true, .hero_x = hero_x, .hero_y = kHeroY});
    const int slot = SpawnAndUpdate(group, x, y);
    game.Run(2);
    return Actor(group, slot);
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

// ---- Klaus's gestures ----------------------------------------------------------------------------

struct GestureCase {
  int button;
  int first, last;     // the entries of his walk table it runs through
  int frames_a_step;   // frame counter 0 paces it
  std::vector<int> awaited;  // the cursors the opening waits for
  int last_cell;       // the first cell of the last pose
};

TEST_F(TownNpcTest, KlausPlaysEachGestureOnceAtItsPaceAndHoldsTheLastPoseUntilHeWalksAgain) {
  const Actor klaus = Enter(40, 2, 600, kKlausY);
  klaus.Control() = 1;  // held and facing right, as the opening has him
  klaus.FaceX() = 1;
  const GestureCase cases[] = {
      {kButtonJump, 50, 90, 2, {67}, 1200 + 0},          // the big spell ends on pattern 5
      {kButtonAction, 100, 108, 3, {108}, 1200 + 258},   // the hand ends pointing: pattern 22
      {kButtonMagic, 110, 118, 3, {118}, 1200 + 254},    // ... and lowered: pattern 20
      {kButtonItem, 120, 129, 3, {123, 128}, 1200 + 480},  // the small spell ends standing
  };
  for (const GestureCase& c : cases) {
    SCOPED_TRACE(c.first);
    klaus.Motion() = 1;
    klaus.Input() = Bit(c.button);
    std::vector<int> seen;  // field 121 after each frame
    for (int frame = 0; frame < 140; ++frame) {
      game.Run();
      seen.push_back(klaus.Field(ActorField::KlausCursor));
    }
    ASSERT_EQ(seen.front(), c.first);
    // Every entry once, in order, each for exactly its pace but the first; then the last held.
    int steps = 0;
    for (size_t i = 1; i < seen.size(); ++i) {
      if (seen[i] == seen[i - 1]) continue;
      ASSERT_EQ(seen[i], seen[i - 1] + 1) << "frame " << i;
      ++steps;
      if (seen[i] != c.last) {
        ASSERT_LT(i + c.frames_a_step, seen.size());
        EXPECT_EQ(seen[i + c.frames_a_step - 1], seen[i]) << "frame " << i;
        EXPECT_EQ(seen[i + c.frames_a_step], seen[i] + 1) << "frame " << i;
      }
    }
    EXPECT_EQ(steps, c.last - c.first);
    EXPECT_EQ(seen.back(), c.last);
    for (int cursor : c.awaited) EXPECT_NE(std::find(seen.begin(), seen.end(), cursor), seen.end()) << cursor;
    // The last pose is what is drawn: its first cell, at the top left of his picture.
    const std::vector<DrawCommand> cells = game.Draws(1);
    EXPECT_TRUE(std::any_of(cells.begin(), cells.end(), [&](const DrawCommand& d) {
      return d.cell == static_cast<uint32_t>(c.last_cell) && d.x == klaus.PosX() && d.y == klaus.PosY();
    }));
  }

  // Pressed to walk while the pose holds, he stands; set back to walking, he walks.
  const int x = klaus.PosX();
  klaus.Input() = Bit(kButtonRight);
  game.Run(10);
  EXPECT_EQ(klaus.PosX(), x);
  EXPECT_EQ(klaus.AnimCursor(), 129);
  klaus.Motion() = 1;
  game.Run(10);
  EXPECT_EQ(klaus.PosX(), x + 20);  // 2 pixels a frame
  EXPECT_LT(klaus.AnimCursor(), 48);
  EXPECT_GT(klaus.AnimCursor(), 0);
}

// ---- walking -------------------------------------------------------------------------------------

TEST_F(TownNpcTest, WalkersStopAtTheirRangeAndAtWallsWithoutTurningAndWalkOffLedges) {
  EnterPlay({.heroine = true, .hero_x = 40, .hero_y = kHeroY});
  // Pressed right by a scene that holds them: Lime and Pancho stop at home + 640 for good,
  // facing as they did; Klaus and Rod walk on.
  struct Case {
    int group, y;
    bool walks_on;
  };
  for (const Case& c : {Case{4, kWalkerY, false}, Case{5, kWalkerY, false}, Case{3, kWalkerY, true},
                        Case{2, kKlausY, true}}) {
    SCOPED_TRACE(c.group);
    const Actor npc(c.group, SpawnAndUpdate(c.group, 400, c.y, -1, 0));
    npc.Control() = 1;
    npc.Input() = Bit(kButtonRight);
    game.Run(430);
    EXPECT_EQ(npc.PosX(), npc.HomeX() + (c.walks_on ? 860 : 642));
    EXPECT_EQ(npc.FaceX(), c.group == 3 ? 1 : -1);  // only Rod turns to the way he walks
    if (!c.walks_on) {
      EXPECT_EQ(npc.AnimCursor(), 0);
    }
    KillActor(c.group, npc.slot);
  }

  // Into a wall: Rod stops against it, his walk reset, and does not turn.
  const Actor rod(3, SpawnAndUpdate(3, 240, kWalkerY));
  rod.Control() = 1;
  rod.Input() = Bit(kButtonLeft);
  game.Run(60);
  EXPECT_EQ(rod.BodyBox().left, kWallRight);
  EXPECT_EQ(rod.FaceX(), -1);
  EXPECT_EQ(rod.AnimCursor(), 0);

  // Off a ledge: Pancho falls, no faster than 10 pixels a frame, and lands on the floor below.
  const Actor pancho(5, SpawnAndUpdate(5, kLedgeX - 60, kWalkerY));
  pancho.Control() = 1;
  pancho.Input() = Bit(kButtonRight);
  int fastest = 0;
  for (int frame = 0; frame < 120; ++frame) {
    game.Run();
    fastest = std::max(fastest, pancho.VelY());
  }
  EXPECT_EQ(fastest, 10);
  EXPECT_EQ(pancho.Motion(), 1);
  EXPECT_EQ(pancho.PosY() + 76, kLowerY);
}

// ---- talks ---------------------------------------------------------------------------------------

// Cells of the anger balloon over slot 0 of group 5 in the draw queue of this frame.
bool AngerOverPancho(const FrameHarness& game) {
  const ActorBox box = Actor(5, 0).BodyBox();
  const int x = box.left + (box.right - box.left) / 2 - 24, y = box.top - 32;
  const std::vector<DrawCommand> cells = game.Draws(3);
  const auto balloon = [&](const DrawCommand& d) { return d.cell == 434 && d.x == x && d.y == y; };
  const auto veins = [](const DrawCommand& d) { return d.cell >= 514 && d.cell <= 516; };
  return std::any_of(cells.begin(), cells.end(), balloon) && std::any_of(cells.begin(), cells.end(), veins);
}

TEST_F(TownNpcTest, EachTalkGoesOnWhereTheLastStoppedAndTheLastBlockRepeats) {
  const char* const lime = "ライム・ローゼンフィールド：";
  const char* const pancho = "パンチョさん：";
  const char* const damian = "ダミアン：";
  const char* const hers = "トヴィア・ローデン：";
  struct Case {
    int group;
    std::vector<std::vector<ShownLine>> talks;
  };
  const Case cases[] = {
      {4,
       {{{lime, "「あらトヴィアちゃん。」", 1}, {hers, "「ライムさんこんにちは」", 1}},
        {{lime, "「もっと利便の良い街に移りたいんだけど、数年前から申請してるのに、全然許可が下りないの。役所は何をしてるのかしらね」", 1}},
        {{lime, "「はぁ、【首都ベルベーン】にでも移りたいわ」", 1}},
        {{lime, "「はぁ、【首都ベルベーン】にでも移りたいわ」", 1}}}},
      {5,
       {{{pancho, "「うるせー！」", 0}, {hers, "「パンチョさんこんにちはー」", 1}},
        {{pancho, "「るせーなー、どうせハゲだよ！」", 0}},
        {{pancho, "「うるせー！」", 0}},
        {{pancho, "「うるせー！」", 0}}}},
      {6,
       {{{damian, "「こんにちは。」", 1}, {"トヴィア：", "「ダミアンさん、こんにちはー」", 1}},
        {{damian, "「お前さんには酒は売れないよ」", 1}},
        {{damian, "「お前さんには酒は売れないよ」", 1}}}},
  };
  EnterPlay({.heroine = true, .hero_x = 300, .hero_y = kHeroY});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.group);
    const Actor npc(c.group, SpawnAndUpdate(c.group, 420, c.group == 6 ? kFloorY - 80 : kWalkerY));
    for (const auto& expected : c.talks) {
      // Pancho is angry in every frame that a line of his stands, and at most as hers opens.
      int his_frames = 0, angry_frames = 0, angry_at_her = 0;
      const TalkRecord talk = TalkWith(game, c.group, [&] {
        if (MessageWindow.open != 1) return;
        const bool his = std::string(MessageWindow.speaker) != hers;
        his_frames += his ? 1 : 0;
        (his ? angry_frames : angry_at_her) += AngerOverPancho(game) ? 1 : 0;
      });
      EXPECT_TRUE(talk.ended);
      EXPECT_TRUE(talk.held);
      EXPECT_EQ(talk.lines, expected);
      EXPECT_EQ(HeroControl, 0);
      EXPECT_EQ(npc.Control(), 0);
      if (c.group == 5) {
        EXPECT_EQ(angry_frames, his_frames);
        EXPECT_LE(angry_at_her, 1);
      }
      if (c.group == 6) {
        EXPECT_EQ(InputLock, 1);  // each end of his talk locks it
      }
    }
    KillActor(c.group, npc.slot);
  }

  // Every frame of Damian's talk unlocks the input, even while a button is held down.
  EventStep[6] = 4;
  SubMode = kSubTalk;
  SubModeArg = 6;
  for (int32_t result : {-1, 255}) {
    InputLock = 1;
    MessageResult = result;
    TalkNpcDamian();
    EXPECT_EQ(InputLock, 0);
  }
}

TEST_F(TownNpcTest, DamianStaysInHisPlaceChangingHisPoseAndTurningWithoutAChangeOnScreen) {
  const Actor damian = Enter(40, 6, 420, kFloorY - 80);
  EXPECT_EQ(damian.AiState(), 2 | 2 << 16);  // idle, sub-state 2, in the still pose
  std::set<std::vector<uint32_t>> shown[2];  // the cells of each picture, facing left and right
  int changes = 0, turns = 0, since_change = 0;
  for (int frame = 0; frame < 4000; ++frame) {
    const int32_t sub = damian.AiState() >> 16, face = damian.FaceX();
    game.Run();
    const int32_t now = damian.AiState() >> 16;
    if (now != sub) {
      ++changes;
      since_change = 0;
    } else {
      ++since_change;
    }
    turns += damian.FaceX() != face ? 1 : 0;
    ASSERT_EQ(damian.PosX(), 420);  // he stays in his place
    ASSERT_EQ(damian.PosY(), kFloorY - 80);
    std::vector<uint32_t> cells;
    for (const DrawCommand& d : game.Draws(1))
      if (d.x >= 420 && d.x < 452) cells.push_back(d.cell);
    ASSERT_FALSE(cells.empty());
    shown[damian.FaceX() == 1 ? 1 : 0].insert(cells);
    // The order of his pictures: the still pose from the spawn (sub-state 2) and through his
    // first change (to 1); a change to 2 starts the gesture at its first picture, which goes
    // round 16 frames of each of its two; a change to 1 brings the still pose back.
    const bool gesturing = now == 2 && changes >= 2;
    const uint32_t expected = !gesturing ? 2225 : since_change / 16 % 2 == 0 ? 2227 : 2229;
    ASSERT_EQ(cells.front(), expected) << "frame " << frame << ", sub-state " << now << " after " << changes
                                       << " changes, " << since_change << " frames after the last";
  }
  EXPECT_GE(changes, 10);
  EXPECT_GE(turns, 10);
  // Still, and the two poses of his "no": 2 x 5 cells each, the same whichever way he faces.
  EXPECT_EQ(shown[0], shown[1]);
  ASSERT_EQ(shown[1].size(), 3u);
  for (const auto& cells : shown[1]) {
    ASSERT_EQ(cells.size(), 10u);
    EXPECT_TRUE(cells.front() == 2225 || cells.front() == 2227 || cells.front() == 2229) << cells.front();
  }

  // Nothing in the game moves him; one that did would take his effect (group 116) along, but
  // only a slot of that group: slot 256 + 5 would be slot 5's PosY.
  const Actor effect(116, 3), other(116, 5);
  effect.PosX() = other.PosX() = 100;
  other.PosY() = 200;
  damian.Motion() = 3;
  damian.VelX() = 4;
  for (int32_t link : {3, 256 + 5, -1}) {
    damian.Link() = link;
    MoveNpcDamian();
  }
  EXPECT_EQ(effect.PosX(), 104);
  EXPECT_EQ(other.PosY(), 200);
  EXPECT_EQ(other.PosX(), 100);
}

// ---- what a save may hold ------------------------------------------------------------------------

TEST_F(TownNpcTest, ACursorOutsideTheWalkTableDrawsNothingAndStartsTheWalkAgain) {
  const Actor rod = Enter(40, 3, 420, kWalkerY), klaus(2, SpawnAndUpdate(2, 600, kKlausY));
  game.Run(2);
  rod.Control() = klaus.Control() = 1;
  // The end of the walk cycle, past the tables, before them; 95 lies between two of Klaus's gestures.
  const int cursors[][2] = {{48, 95}, {51, 140}, {5000, 5000}, {-7, -7}};
  for (const auto& [cursor, klaus_cursor] : cursors) {
    rod.AnimCursor() = cursor;
    klaus.AnimCursor() = klaus_cursor;
    ClearDrawQueues();
    DrawNpcRod();
    DrawNpcKlaus();
    EXPECT_EQ(DrawQueue.count[1], 0u) << cursor;
    game.Run();
    EXPECT_EQ(rod.AnimCursor(), 0) << cursor;
    EXPECT_EQ(klaus.AnimCursor(), 0) << cursor;
  }
}

// ---- the insect ----------------------------------------------------------------------------------

TEST_F(TownNpcTest, TheInsectHoversNearHerWhileTheWorldRunsAndDriftsUnderThePauseMenu) {
  EnterPlay({.heroine = true, .hero_x = 600, .hero_y = kHeroY});
  game.Run(3);
  const Actor insect(114, SpawnActor(114, hero.PosX(), hero.PosY(), 1, 1));
  std::vector<uint32_t> wings;
  for (int frame = 0; frame < 400; ++frame) {
    game.Run();
    ASSERT_GE(insect.PosX(), hero.PosX() - 32) << frame;
    ASSERT_LT(insect.PosX(), hero.PosX() + 32) << frame;
    ASSERT_GE(insect.PosY(), hero.PosY() - 32) << frame;
    ASSERT_LT(insect.PosY(), hero.PosY() + 32) << frame;
    for (const DrawCommand& d : game.Draws(3))
      if (d.x == insect.PosX() - insect.VelX() && d.y == insect.PosY() - insect.VelY()) wings.push_back(d.cell);
  }
  ASSERT_GE(wings.size(), 390u);
  // The wings beat 746, 747, 748, 749, four frames each.
  int beats = 0;
  for (size_t i = 1; i < wings.size(); ++i)
    if (wings[i] != wings[i - 1]) {
      EXPECT_EQ(wings[i], wings[i - 1] == 749 ? 746u : wings[i - 1] + 1);
      ++beats;
    }
  EXPECT_GE(beats, 90);

  game.PressButton(kButtonMenu);
  ASSERT_EQ(SubMode, kSubPauseMenu);
  const int x = insect.PosX(), y = insect.PosY();
  game.Run(60);
  EXPECT_GT(std::abs(insect.PosX() - x) + std::abs(insect.PosY() - y), 200);  // it drifts off
  SubMode = kSubWorld;  // out of the menu (how is the menu's own business)
  int back = -1;
  for (int frame = 0; frame < 6000 && back < 0; ++frame) {
    game.Run();
    if (std::abs(insect.PosX() - hero.PosX()) <= 32 && std::abs(insect.PosY() - hero.PosY()) <= 32) back = frame;
  }
  EXPECT_GE(back, 0) << "it never came back";

  // Left for an hour, its drift stops growing far beyond the world, within its numbers.
  insect.StepX() = 3;
  insect.StepY() = -3;
  for (int frame = 0; frame < 216000; ++frame) DrawInsectCompanion();
  EXPECT_GT(insect.PosX(), 1 << 29);
  EXPECT_LT(insect.PosY(), -(1 << 29));
}

}  // namespace
