// The map's mechanisms in play on fixture rooms: the sliding door and its lock, the treasure
// chest, the exit door, the hazard block, the warning light, the light column and the panels, and
// the looping decorations, as the heroine and the scenario flags drive them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/flags.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kTop = 13;               // the rooms' first row
constexpr int kGround = 400 - 65;      // standing on the floor at row 25 (y 400)
constexpr int kSoundDoor = 25;

// A hall 46 columns wide, walled at both ends, its floor at row 25; the symbols put one actor each.
const std::vector<FixtureTile> kLegend = {
    {'D', 4, 90}, {'C', 4, 113}, {'E', 4, 117}, {'H', 4, 107},
    {'L', 4, 91}, {'P', 4, 108}, {'F', 4, 109}, {'I', 4, 115}, {'A', 4, 118}, {'B', 4, 119},
};
std::vector<std::string> Hall(const std::vector<std::pair<int, std::string>>& marks) {
  std::vector<std::string> rows(12, "#" + std::string(44, '.') + "#");
  rows.push_back(std::string(46, '#'));
  for (const auto& [row, text] : marks)
    for (size_t i = 0; i < text.size(); ++i)
      if (text[i] != '.') rows[row - kTop][i] = text[i];
  return rows;
}

class MechanismsTest : public testing::Test {
 protected:
  void SetUp() override { game.Run(2); }  // the new game, in the cave: its sheets are loaded

  void Enter(const std::vector<std::pair<int, std::string>>& marks, int hero_x) {
    LoadFixtureMap(Hall(marks), kLegend, 0, kTop);
    EnterPlay({.heroine = true, .hero_x = hero_x, .hero_y = kGround});
    ResetFade();  // the new game's fade-in would cover the picture for a while
  }

  // The cells queued this frame on the layer at (x, y), world pixels.
  std::vector<uint32_t> CellsAt(int layer, int x, int y) const {
    std::vector<uint32_t> cells;
    for (const DrawCommand& c : game.Draws(layer))
      if (c.type == kDrawCell && c.x == x && c.y == y) cells.push_back(c.cell);
    return cells;
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

// ---- the sliding door -------------------------------------------------------------------------

// A door at column 20 (x 320), its home y 304, 96 pixels tall down to the floor.
const std::vector<std::pair<int, std::string>> kDoor = {{19, std::string(20, '.') + "D"}};
constexpr int kDoorX = 320, kDoorY = 304;

TEST_F(MechanismsTest, AnUnlockedDoorRisesWhileHerFeetAreInItsZoneAndSinksWhenSheLeaves) {
  Enter(kDoor, kDoorX - 100);  // her foot box's right edge touches the zone (x 256) from outside
  const Actor door(90, 0);
  game.Run(4);
  EXPECT_EQ(door.PosY(), kDoorY);
  EXPECT_EQ(door.ModeBits(), 2);
  hero.PosX() = kDoorX + 68;  // her left edge touches the zone's right edge (x 400)
  game.Run(4);
  EXPECT_EQ(door.PosY(), kDoorY);
  EXPECT_EQ(PlayCount(kSoundDoor), 0);
  // Its pictures: the top, a middle piece and the foot.
  EXPECT_EQ(CellsAt(1, kDoorX, kDoorY), (std::vector<uint32_t>{3440}));
  EXPECT_EQ(CellsAt(1, kDoorX, kDoorY + 16), (std::vector<uint32_t>{3480}));
  EXPECT_EQ(CellsAt(1, kDoorX, kDoorY + 80), (std::vector<uint32_t>{3560}));

  hero.PosX() = kDoorX + 67;  // a pixel inside
  std::vector<int> heights;
  for (int f = 0; f < 14; ++f) {
    game.Run();
    heights.push_back(door.PosY());
  }
  EXPECT_EQ(heights, (std::vector<int>{296, 288, 280, 272, 264, 256, 248, 240, 232, 224, 216, 208, 208, 208}));
  EXPECT_EQ(PlayCount(kSoundDoor), 1);
  EXPECT_EQ(door.BodyBox().top, 208);

  // She leaves: it comes down; she comes back while it is halfway: it rises again from there.
  // Each change of its wish sounds.
  hero.PosX() = kDoorX - 100;
  game.Run(5);
  EXPECT_EQ(door.PosY(), 248);
  EXPECT_EQ(PlayCount(kSoundDoor), 2);
  hero.PosX() = kDoorX - 99;
  game.Run();
  EXPECT_EQ(door.PosY(), 240);
  EXPECT_EQ(PlayCount(kSoundDoor), 3);

  // Only a change from shut to open or back sounds: a wish word that holds neither (as a slot
  // may) takes the new wish silently.
  door.ModeBits() = 0;
  game.Run();
  EXPECT_EQ(door.ModeBits(), 1);
  hero.PosX() = kDoorX - 100;
  door.ModeBits() = 3;
  game.Run();
  EXPECT_EQ(door.ModeBits(), 2);
  EXPECT_EQ(PlayCount(kSoundDoor), 3);
}

TEST_F(MechanismsTest, ALockedDoorIsSolidAndSilentWorksFromTheFrameItsFlagIsSetAndStaysOpenLockedAgain) {
  Enter(kDoor, 200);
  const Actor door(90, 0);
  SetActorLink(90, 0, 50);
  game.HoldButton(kButtonRight);
  game.Run(40);
  EXPECT_EQ(door.PosY(), kDoorY);
  EXPECT_EQ(door.ModeBits(), 2);
  // Her feet meet solids.
  EXPECT_LE(hero.SpriteBox().right, door.BodyBox().left) << "she went through the shut door";
  EXPECT_GT(hero.SpriteBox().right, door.BodyBox().left - 4) << "she did not reach it";
  EXPECT_EQ(PlayCount(kSoundDoor), 0);

  SetFlag(1, 50, 1);
  game.Run();
  EXPECT_EQ(door.ModeBits(), 1);
  EXPECT_EQ(door.PosY(), kDoorY - 8);
  EXPECT_EQ(PlayCount(kSoundDoor), 1);
  game.Run(20);
  EXPECT_GT(hero.SpriteBox().left, door.BodyBox().right) << "she is still held at the door";
  game.ReleaseButton(kButtonRight);

  // Locked again while open, it stays open and silent, wherever she goes.
  SetFlag(1, 50, 0);
  hero.PosX() = 600;
  game.Run(20);
  EXPECT_EQ(door.PosY(), kDoorY - 96);
  EXPECT_EQ(door.ModeBits(), 1);
  EXPECT_EQ(PlayCount(kSoundDoor), 1);
}

// ---- the treasure chest -----------------------------------------------------------------------

TEST_F(MechanismsTest, AChestOpensAtTheUpdateAfterItsFlagEvenDuringAFieldEventAndStaysOpen) {
  // Two chests on the floor: slot 0 at x 160, slot 1 at x 400.
  Enter({{23, std::string(10, '.') + "C" + std::string(14, '.') + "C"}}, 600);
  const Actor chest(113, 0), other(113, 1);
  SetActorLink(113, 0, 1004);
  game.Run(2);
  EXPECT_EQ(CellsAt(1, 160, 368), (std::vector<uint32_t>{1070}));
  EXPECT_EQ(CellsAt(1, 192, 384), (std::vector<uint32_t>{1112}));
  EXPECT_EQ(chest.BodyBox().right - chest.BodyBox().left, 48);

  // A field event holds the heroine, but the world runs.
  SubMode = kSubFieldEvent;
  SubModeArg = 1000;
  SetFlag(1, 1004, 1);
  game.Run();
  EXPECT_EQ(CellsAt(1, 160, 368), (std::vector<uint32_t>{1073}));
  EXPECT_EQ(CellsAt(1, 192, 384), (std::vector<uint32_t>{1115}));
  EXPECT_EQ(chest.BodyBox().right, chest.BodyBox().left) << "the open chest has a body";
  EXPECT_EQ(chest.BodyBox().bottom, chest.BodyBox().top);
  EXPECT_EQ(CellsAt(1, 400, 368), (std::vector<uint32_t>{1070}));

  SubMode = kSubWorld;
  SubModeArg = 0;
  SetFlag(1, 1004, 0);
  game.Run(5);
  EXPECT_EQ(CellsAt(1, 160, 368), (std::vector<uint32_t>{1073})) << "an opened chest stays open";

  // The other chest's Link is 0: it reads flag 0 of bank 1.
  SetFlag(1, 0, 1);
  game.Run();
  EXPECT_EQ(CellsAt(1, 400, 368), (std::vector<uint32_t>{1073}));
  EXPECT_EQ(other.Link(), 0);
}

// ---- the exit door ----------------------------------------------------------------------------

TEST_F(MechanismsTest, AnExitDoorOpensByItsOwnLinkInFifteenUpdatesAndHoldsItsOpenPicture) {
  Enter({{20, std::string(5, '.') + "E" + std::string(9, '.') + "E"}}, 600);
  const Actor first(117, 0), second(117, 1);
  game.Run(3);
  EXPECT_EQ(CellsAt(1, 80, 320), (std::vector<uint32_t>{3424}));
  SetActorLink(117, 0, 1);
  SubMode = kSubPauseMenu;  // it opens only while the world runs
  game.Run(5);
  EXPECT_EQ(first.AnimCursor(), 20);
  SubMode = kSubWorld;

  std::vector<int> cursor;
  std::vector<uint32_t> shown;
  for (int f = 0; f < 20; ++f) {
    game.Run();
    cursor.push_back(first.AnimCursor());
    shown.push_back(CellsAt(1, 80, 320).at(0));
  }
  EXPECT_EQ(cursor, (std::vector<int>{21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 34, 35, 34, 35, 34}));
  EXPECT_EQ(shown[0], 3424u);
  EXPECT_EQ(shown[2], 3426u);
  for (int f = 13; f < 20; ++f) EXPECT_EQ(shown[f], 3438u) << f;
  EXPECT_EQ(CellsAt(1, 80 + 16, 320 + 64), (std::vector<uint32_t>{3438 + 1 + 160}));
  EXPECT_EQ(second.AnimCursor(), 20);
  EXPECT_EQ(CellsAt(1, 240, 320), (std::vector<uint32_t>{3424}));
}

// ---- the hazard block -------------------------------------------------------------------------

TEST_F(MechanismsTest, TheHazardBlockBurnsFeetInItsLowerHalfUnlessSheIsImmuneAndSheWalksIntoIt) {
  // Two blocks: at x 320 sunk a row into the floor, so that only its upper half meets her feet;
  // at x 480 standing on the floor.
  Enter({{24, std::string(20, '.') + "H"}, {23, std::string(30, '.') + "H"}}, 200);
  const Actor sunk(107, 0), block(107, 1);
  game.Run();
  EXPECT_EQ(block.BodyBox().top, 368 + 16);  // its lower half
  EXPECT_EQ(block.BodyBox().bottom, 400);
  // It bubbles, a loop of 36 frames.
  const uint32_t first = CellsAt(2, 480, 368).at(0);
  game.Run(18);
  EXPECT_NE(CellsAt(2, 480, 368).at(0), first);
  game.Run(18);
  EXPECT_EQ(CellsAt(2, 480, 368).at(0), first);

  game.HoldButton(kButtonRight);
  for (int f = 0; f < 120 && PlayerStats.Hp == 20; ++f) game.Run();
  game.ReleaseButton(kButtonRight);
  EXPECT_GT(hero.SpriteBox().left, sunk.BodyBox().right) << "she did not walk through the sunk block";
  EXPECT_GT(hero.SpriteBox().right, block.BodyBox().left);
  EXPECT_EQ(PlayerStats.Hp, 19);
  // Thrown back, she walks on into it while she is immune and stops there; it burns her again
  // only once her immunity is over.
  game.Run(10);
  game.HoldButton(kButtonRight);
  game.Run(6);
  game.ReleaseButton(kButtonRight);
  game.Run(4);
  ASSERT_GT(hero.SpriteBox().right, block.BodyBox().left);
  ASSERT_LT(hero.SpriteBox().left, block.BodyBox().right);
  const int immune = hero.HitTimer();
  EXPECT_EQ(PlayerStats.Hp, 19);
  int frames = 0;
  while (PlayerStats.Hp == 19 && frames < 100) {
    game.Run();
    ++frames;
  }
  EXPECT_EQ(PlayerStats.Hp, 18);
  EXPECT_EQ(frames, immune);  // in the frame her immunity runs out
  EXPECT_EQ(block.State(), kActorActive);
  EXPECT_EQ(sunk.State(), kActorActive);
}

// ---- the warning light ------------------------------------------------------------------------

// A lamp under the ceiling at x 320, y 224.
const std::vector<std::pair<int, std::string>> kLamp = {{14, std::string(20, '.') + "L"}};

// Whether the frame just drawn shows red in the middle of the right half of the screen, where
// nothing else is.
bool ScreenIsRed() { return Surfaces[kBackBuffer].At(560, 240) == 0xFF0000; }

TEST_F(MechanismsTest, AWarningLightIsDarkUntilItsFlagThenFlashesTheScreenRedOnceACycleWhileSheIsNear) {
  Enter(kLamp, 300);
  const Actor lamp(91, 0);
  SetActorLink(91, 0, 101);
  for (int f = 0; f < 30; ++f) {
    game.Run();
    ASSERT_EQ(CellsAt(1, 320, 224), (std::vector<uint32_t>{3453})) << "the dark lamp";
    ASSERT_TRUE(game.Draws(3).empty());
    ASSERT_FALSE(ScreenIsRed());
  }

  SetFlag(1, 101, 1);
  int red = 0, beams = 0;
  std::vector<uint32_t> lamp_cells;
  for (int f = 0; f < 52; ++f) {
    game.Run();
    red += ScreenIsRed() ? 1 : 0;
    beams += static_cast<int>(game.Draws(3).size());
    for (const DrawCommand& c : game.Draws(3)) EXPECT_EQ(c.visible, 0u);
    lamp_cells.push_back(CellsAt(1, 320, 224).at(0));
  }
  EXPECT_EQ(red, 2) << "one red frame in each of two cycles";
  // Pictures of its widest beam and of the flash, for people to look at.
  for (int f = 0; f < 26 && !(game.Draws(3).size() == 5 && GetFrameCounter(0) % 2 == 0); ++f) game.Run();
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/mechanisms_warning_light_beam.png"));
  for (int f = 0; f < 26 && !ScreenIsRed(); ++f) game.Run();
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/mechanisms_warning_light_flash.png"));
  EXPECT_EQ(lamp_cells[1], 3449u);  // the beacon's first turn
  EXPECT_EQ(lamp_cells[27], lamp_cells[1]);
  EXPECT_GT(beams, 0);

  // Beyond 320 pixels only the beams blink.
  hero.PosX() = 320 + 330;
  red = 0;
  int beam_frames = 0;
  for (int f = 0; f < 52; ++f) {
    game.Run();
    red += ScreenIsRed() ? 1 : 0;
    for (const DrawCommand& c : game.Draws(3)) EXPECT_EQ(c.type, kDrawCell);
    beam_frames += game.Draws(3).empty() ? 0 : 1;
  }
  EXPECT_EQ(red, 0);
  EXPECT_EQ(beam_frames, 2 * 12);  // patterns 0 to 3: six of the thirteen entries, two frames each

  // The flag cleared, the cycle stops where it stands.
  SetFlag(1, 101, 0);
  game.Run();
  const int32_t held = lamp.AnimCursor();
  game.Run(10);
  EXPECT_EQ(lamp.AnimCursor(), held);
}

// ---- light columns, panels and decorations ----------------------------------------------------

TEST_F(MechanismsTest, ALightColumnShowsWhileSwitchedOnAtOneToFourStepsAFrameAndKeepsItsCursor) {
  Enter({{15, std::string(10, '.') + "I"}}, 600);
  const Actor column(115, 0);
  game.Run(3);
  EXPECT_TRUE(CellsAt(2, 160, 240).empty()) << "a column without Link bit 1 is dark";
  EXPECT_EQ(column.AnimCursor(), 0);

  SetActorLink(115, 0, 1);
  game.Run(4);
  EXPECT_EQ(column.AnimCursor(), 4);
  EXPECT_EQ(CellsAt(2, 160, 240 + 112), (std::vector<uint32_t>{3361}));  // eight cells, pattern 1
  // Bit 2: the second colour in the same frame, the cycle going on.
  SetActorLink(115, 0, 3);
  game.Run();
  EXPECT_EQ(CellsAt(2, 160, 240), (std::vector<uint32_t>{3369}));
  EXPECT_EQ(column.AnimCursor(), 5);
  // Bits 4 and 8: four steps a frame, the 32-step cycle in 8 frames.
  SetActorLink(115, 0, 1 | 4 | 8);
  game.Run(8);
  EXPECT_EQ(column.AnimCursor(), 5);
  game.Run();
  EXPECT_EQ(column.AnimCursor(), 9);
  // Off: not drawn, not animated, the cursor kept.
  SetActorLink(115, 0, 4);
  game.Run(7);
  EXPECT_TRUE(CellsAt(2, 160, 240).empty());
  EXPECT_EQ(column.AnimCursor(), 9);
  for (const DrawCommand& c : game.Draws(2)) EXPECT_EQ(c.visible, 0u) << "columns flicker";
}

// A cursor that stands on one of the -1 entries after the last picture (a panel's 16..19, a
// column's 32..40, the last with nothing after it in the table) starts the cycle again at once.
TEST_F(MechanismsTest, PanelsAndColumnsComeBackToTheirFirstPictureFromTheEndOfTheirTables) {
  Enter({{14, "..P......F....I.I"}}, 600);
  game.Run();
  const Actor back(108, 0), front(109, 0), column(115, 0), last(115, 1);
  SetActorLink(115, 0, 1);
  SetActorLink(115, 1, 1);
  back.AnimCursor() = 16;
  front.AnimCursor() = 19;
  column.AnimCursor() = 32;
  last.AnimCursor() = 40;
  game.Run();
  for (const Actor& a : {back, front, column, last}) EXPECT_EQ(a.AnimCursor(), 0) << a.group << ", " << a.slot;
  EXPECT_EQ(CellsAt(2, 32, 224), (std::vector<uint32_t>{3360}));
  EXPECT_EQ(CellsAt(3, 144, 224), (std::vector<uint32_t>{3360}));
  EXPECT_EQ(CellsAt(2, 224, 224), (std::vector<uint32_t>{3360}));
  EXPECT_EQ(CellsAt(2, 256, 224 + 112), (std::vector<uint32_t>{3360}));
}

TEST_F(MechanismsTest, PanelsFlickerBehindOrBeforeHerAndDecorationsLoopEvenInThePauseMenu) {
  Enter({{14, "..P......F"}, {20, std::string(20, '.') + "AB"}}, 600);
  game.Run(2);
  EXPECT_EQ(game.Draws(2).size(), 32u);  // the back panel's 4 x 8 cells
  EXPECT_EQ(game.Draws(3).size(), 32u);       // the front panel's, before the actors
  for (int layer : {2, 3})
    for (const DrawCommand& c : game.Draws(layer)) EXPECT_EQ(c.visible, 0u);

  // The pause menu stops the world, and the panels with it; the decorations go on.
  SubMode = kSubPauseMenu;
  const uint32_t panel = CellsAt(2, 32, 224).at(0);
  std::vector<uint32_t> torch, console;
  for (int f = 0; f < 16; ++f) {
    game.Run();
    EXPECT_EQ(CellsAt(2, 32, 224).at(0), panel);
    torch.push_back(CellsAt(1, 320, 320).at(0));
    console.push_back(CellsAt(1, 336, 320).at(0));
  }
  for (int f = 0; f < 16; ++f) {
    EXPECT_EQ(torch[f], torch[(f + 8) % 16]) << "an 8-frame loop";
    EXPECT_EQ(console[f] - torch[f], 4u) << "A and B started in the same frame go in step";
    EXPECT_TRUE(torch[f] >= 3384 && torch[f] <= 3387);
  }
  int changes = 0;
  for (int f = 1; f < 16; ++f) changes += torch[f] != torch[f - 1] ? 1 : 0;
  EXPECT_EQ(changes, 7);  // a new picture every second frame
}

}  // namespace
