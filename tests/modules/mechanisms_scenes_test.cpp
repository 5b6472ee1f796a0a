// The doors, chests and lights where the maps put them, played through the game's own scenes:
// the cave's first chest opens with the opening's flag; the waterworks' flags let the water door
// open as she comes near and start the warning lights; the boss room's doors wait for the boss's
// flag. Each moment is also saved as a picture for people to look at (mechanisms_*.png in the
// build folder), with the cave's control room, the front panel before its machine, its lava and
// its exit door, and the torches of the corridor and the temple.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_layers.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kSoundDoor = 25;
constexpr int kStatusPanelTop = 350;  // the status panel covers the screen from here down

class MechanismsInScenesTest : public testing::Test {
 protected:
  void SetUp() override {
    StartInTheCave(game);
    ResetFade();
  }

  // Puts her standing on the floor at y `floor`, lets the camera catch up and then runs on to a
  // frame drawn on an odd value of frame counter 0, so that the flickering pictures show.
  void Stand(int x, int floor) {
    hero.PosX() = x;
    hero.PosY() = floor - 65;
    hero.VelX() = hero.VelY() = 0;
    game.Run(40);
    RunToShownFrame();
  }
  void RunToShownFrame() {
    game.Run();
    if (GetFrameCounter(0) % 2 == 1) game.Run();  // the counter moves on after each frame
  }
  void Save(const std::string& name) {
    RunToShownFrame();
    ASSERT_TRUE(game.SavePicture(std::string(TOVIA_BINARY_DIR) + "/mechanisms_" + name + ".png"));
  }
  // The first cell queued this frame on the layer at (x, y), world pixels; -1 when none.
  int64_t CellAt(int layer, int x, int y) const {
    for (const DrawCommand& c : game.Draws(layer))
      if (c.type == kDrawCell && c.x == x && c.y == y) return c.cell;
    return -1;
  }
  // Pixels of the screen rectangle that are not black.
  static int LitPixels(int x, int y, int w, int h) {
    int lit = 0;
    for (int py = y; py < y + h; ++py)
      for (int px = x; px < x + w; ++px) lit += Surfaces[kBackBuffer].At(px, py) != 0 ? 1 : 0;
    return lit;
  }
  // Where the world pixel lies on the screen.
  static int ScreenX(int x) { return x - GetCameraX(); }
  static int ScreenY(int y) { return y - GetCameraY(); }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

TEST_F(MechanismsInScenesTest, TheCavesChestOpensWithItsFlagAndTheWaterFlagsOpenTheDoorAndStartTheLights) {
  // The opening's chest, slot 0, on the landing at tile (10, 15).
  const Actor chest(113, 0);
  EXPECT_EQ(chest.Link(), 1000);
  Stand(204, 272);
  EXPECT_EQ(CellAt(1, 160, 240), 1070) << "shut";
  Save("cave_chest_shut");
  SetFlag(1, 1000, 1);
  game.Run();
  EXPECT_EQ(CellAt(1, 160, 240), 1073) << "open";
  Save("cave_chest_open");
  EXPECT_GT(LitPixels(ScreenX(160), ScreenY(240), 48, 32), 400);

  // West of the water door (slot 0, at tile (119, 82)) on the floor of the waterworks' hall; she
  // walks to it.
  const Actor door(90, 0), lamp(91, 0);
  ASSERT_EQ(door.PosX(), 119 * 16);
  EXPECT_EQ(door.Link(), 100);
  Stand(1780, 1408);
  game.HoldButton(kButtonRight);
  game.Run(40);
  EXPECT_EQ(door.PosY(), 82 * 16) << "the door opened before the water runs";
  EXPECT_LE(hero.SpriteBox().right, door.BodyBox().left);
  EXPECT_EQ(lamp.AnimCursor(), 20) << "a light is lit before the water runs";
  EXPECT_EQ(PlayCount(kSoundDoor), 0);
  Save("cave_water_door_shut");

  // The waterworks run: the door opens as she comes near, and she goes on through it.
  SetFlag(1, 100, 1);
  SetFlag(1, 101, 1);
  game.Run(12);
  EXPECT_EQ(door.PosY(), 82 * 16 - 96);
  EXPECT_EQ(PlayCount(kSoundDoor), 1);
  for (int s = 0; s < 7; ++s) EXPECT_NE(Actor(91, s).AnimCursor(), 20) << "light " << s << " stays dark";
  EXPECT_EQ(Actor(91, 7).State(), kActorFree) << "an eighth light";
  game.Run(8);
  game.ReleaseButton(kButtonRight);
  EXPECT_GT(hero.SpriteBox().left, door.BodyBox().right);
  // The machine also lights the water falling by the door.
  for (int s = 0; s < 4; ++s) SetActorLink(115, s, 5);
  Stand(1830, 1408);
  EXPECT_NE(CellAt(2, 111 * 16, 80 * 16), -1);
  Save("cave_water_door_open");
}

TEST_F(MechanismsInScenesTest, TheBossRoomsDoorsStayShutUntilTheBossFlagIsSet) {
  ChangeScene(kSceneBossRoom);
  ResetFade();
  HeroControl = kControlSelf;  // the room's first guide event would free her
  const Actor left(90, 0), right(90, 1);
  EXPECT_EQ(left.Link(), 110);
  EXPECT_EQ(right.Link(), 110);
  Stand(1800, 1040);
  game.HoldButton(kButtonRight);
  game.Run(30);
  game.ReleaseButton(kButtonRight);
  EXPECT_EQ(left.PosY(), 59 * 16);
  EXPECT_EQ(right.PosY(), 59 * 16);
  EXPECT_LE(hero.SpriteBox().right, left.BodyBox().left) << "she passed the shut doors";
  Save("boss_doors_shut");

  SetFlag(1, 110, 1);
  game.Run(12);
  EXPECT_EQ(left.PosY(), 59 * 16 - 96);
  EXPECT_EQ(right.PosY(), 59 * 16 - 96);
  game.HoldButton(kButtonRight);
  game.Run(30);
  game.ReleaseButton(kButtonRight);
  EXPECT_GT(hero.PosX(), 120 * 16) << "she is not in the exit room";
  Save("boss_exit_room");
  EXPECT_GT(LitPixels(ScreenX(123 * 16), ScreenY(56 * 16), 16, 16), 30) << "the torch";
}

// The cave's other mechanisms where they stand, and the torches of two more maps.
TEST_F(MechanismsInScenesTest, TheControlRoomTheLavaTheExitDoorAndTheTorchesShow) {
  struct View {
    const char* name;
    int x, floor;
    bool look_down;            // she crouches until the view has panned down
    int look_x, look_y, w, h;  // a thing that must show, in world pixels
  };
  const View cave[] = {
      {"cave_control_room", 5900, 1760, false, 375 * 16, 100 * 16, 64, 128},  // panels, columns, consoles
      {"cave_lava", 512, 2912, true, 36 * 16, 186 * 16 + 16, 64, 16},          // from the climb-out ledge
      {"cave_exit_door", 2300, 2144, false, 150 * 16, 129 * 16, 32, 80},
  };
  for (const View& v : cave) {
    SCOPED_TRACE(v.name);
    Stand(v.x, v.floor);
    if (v.look_down) {
      game.HoldButton(kButtonDown);
      game.Run(120);
    }
    Save(v.name);
    game.ReleaseButton(kButtonDown);
    ASSERT_LE(ScreenY(v.look_y + v.h), kStatusPanelTop) << "hidden under the status panel";
    EXPECT_GT(LitPixels(ScreenX(v.look_x), ScreenY(v.look_y), v.w, v.h), v.w * v.h / 4);
  }
  SetActorLink(117, 0, 1);
  game.Run(20);
  Save("cave_exit_door_open");

  // Before the waterworks machine the front panel shimmers over her: its 4 x 8 cells, all of one
  // picture, on the layer drawn after the actors', cover her where she works the machine.
  constexpr int kPanelX = 384 * 16, kPanelY = 102 * 16;
  Stand(385 * 16, 1760);
  std::vector<uint32_t> panel;
  for (const DrawCommand& c : game.Draws(3))
    if (c.type == kDrawCell && c.x >= kPanelX && c.x < kPanelX + 64 && c.y >= kPanelY && c.y < kPanelY + 128)
      panel.push_back(c.cell);
  ASSERT_EQ(panel.size(), 32u);
  EXPECT_EQ(std::count(panel.begin(), panel.end(), panel[0]), 32);
  EXPECT_TRUE(panel[0] >= 3360 && panel[0] <= 3367) << panel[0];
  EXPECT_GE(hero.SpriteBox().left, kPanelX);
  EXPECT_LE(hero.SpriteBox().right, kPanelX + 64);
  EXPECT_GE(hero.SpriteBox().top, kPanelY);
  EXPECT_LE(hero.SpriteBox().bottom, kPanelY + 128);
  ASSERT_LE(ScreenY(kPanelY + 128), kStatusPanelTop);
  Save("cave_front_panel");

  ChangeScene(kSceneCorridor);
  RedrawAllLayers();  // the scene leaves that to the door that leads there
  ResetFade();
  Stand(200, 416);
  Save("corridor_torches");
  EXPECT_GT(LitPixels(ScreenX(12 * 16), ScreenY(17 * 16), 16, 16), 30);
  ChangeScene(kSceneSaveRoom);
  RedrawAllLayers();
  ResetFade();
  HeroControl = kControlSelf;
  RunToShownFrame();
  Save("temple_torches");
  EXPECT_GT(LitPixels(ScreenX(29 * 16), ScreenY(15 * 16), 16, 16), 30);
}

}  // namespace
