// The doors, warps and signs on the built maps, played as a player plays them: she walks to a
// door, presses Up, and arrives where it leads, standing on the floor there with the camera as the
// door sets it; from the town's square through the inn, its rooms, upper hall and cellar, the
// clinic and the teacher's house and back out, through the gorilla house, the save room and the
// way into the boss's building; the signs say their lines; the cave's exit door stays shut until
// she owns the card key.
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "actors/items.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "events/event_raise.h"
#include "events/event_tables.h"
#include "events/field_signs.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "support/event_handlers.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "support/route_driver.h"
#include "support/walkthrough.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_file.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"
#include "world/save_ranges.h"
#include "world/screen_wipe.h"

namespace {

// Where a door, warp or change of scene leaves her: the map, her PosX and PosY, the floor she comes
// to rest on, the camera's target and, when it stays, its view; and whether the input is locked on
// the frame the event ends.
struct Arrival {
  int number;
  const char* map;
  int x, y, floor;
  int target;
  int camera_x = 0, camera_y = 0;
  bool locked = true;
};
constexpr int kFollows = 1, kStays = -1;
constexpr Arrival kArrivals[] = {
    {269, "./Data/LTOWNSHP.MDT", 40, 1172, 1248, kFollows},
    {270, "./Data/LTOWNMID.MDT", 3576, 2056, 2128, kFollows},
    {271, "./Data/LTOWNSHP.MDT", 2632, 712, 784, kStays, 2568, 488},
    {272, "./Data/LTOWNSHP.MDT", 3268, 712, 784, kStays, 3208, 488},
    {273, "./Data/LTOWNSHP.MDT", 3912, 712, 784, kStays, 3848, 488},
    {276, "./Data/LTOWNSHP.MDT", 1208, 872, 944, kFollows},
    {277, "./Data/LTOWNSHP.MDT", 1468, 872, 944, kFollows},
    {278, "./Data/LTOWNSHP.MDT", 1720, 872, 944, kFollows},
    {314, "./Data/LTOWNSHP.MDT", 556, 232, 304, kStays, 0, 0},
    {315, "./Data/LTOWNMID.MDT", 5464, 2052, 2128, kFollows},
    {320, "./Data/LTOWNSHP.MDT", 1840, 232, 304, kStays, 1280, 0},
    {321, "./Data/LTOWNMID.MDT", 264, 1836, 1904, kFollows},
    {322, "./Data/LTOWNSHP.MDT", 2592, 168, 240, kStays, 2568, 0},
    {323, "./Data/LTOWNSHP.MDT", 1352, 232, 304, kStays, 1280, 0},
    {327, "./Data/LTOWNSHP.MDT", 1952, 236, 304, kStays, 1920, 0},
    {328, "./Data/LTOWNSHP.MDT", 1432, 232, 304, kStays, 1280, 0},
    // The warps within the map and the changes of scene end without locking the input.
    {160, "./Data/LTOWNSHP.MDT", 1656, 1824, 1904, kStays, 1616, 1548, false},
    {161, "./Data/LTOWNSHP.MDT", 3763, 864, 944, kFollows, 0, 0, false},
    {162, "./Data/TEMPLE00.MDT", 76, 336, 416, kStays, 0, 64, false},
    {261, "./Data/CORRIDOR.MDT", 76, 336, 416, kFollows, 0, 0, false},
    {400, "./Data/LTOWNMID.MDT", 4156, 1924, 2000, kFollows, 0, 0, false},
    {430, "./Data/BOSS0001.MDT", 176, 960, 1040, kFollows, 0, 0, false},
    {500, "./Data/TEST0000.MDT", 904, 516, 592, kFollows, 0, 0, false},
};

const Arrival& ArrivalOf(int number) {
  return *std::find_if(std::begin(kArrivals), std::end(kArrivals), [&](const Arrival& a) { return a.number == number; });
}

const SignRow& SignOf(int number) {
  return *std::find_if(kSigns.begin(), kSigns.end(), [&](const SignRow& s) { return s.number == number; });
}

// Shift-JIS bytes as UTF-8, for the messages of failed checks.
std::string Utf8(const std::string& text) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string in = text, out(text.size() * 3 + 4, '\0');
  char* from = in.data();
  char* to = out.data();
  size_t left = in.size(), room = out.size();
  iconv(cd, &from, &left, &to, &room);
  iconv_close(cd);
  out.resize(out.size() - room);
  return out;
}

Actor Heroine() { return Actor(kHeroineGroup, 0); }
int Middle() { return Heroine().PosX() + 24; }
bool Standing() { return (Heroine().Motion() & 0xFF) == 0; }

// The number on the event layer under her middle, in the row over the floor she stands on.
uint32_t NumberUnderHer() { return GetTile(Middle(), Heroine().BodyBox().bottom - 1, kEventLayer); }

// The left column of a number two tiles wide: her middle goes to the line between its tiles.
int MiddleOf(int col) { return (col + 1) * kTileSize; }

struct FieldDoorTest : testing::Test {
  void SetUp() override {
    StartInTheCave(game);
    while (IsFading() == 1) game.Run();
  }

  // A scene as the debug menu enters it, the picture already there; no enemy there.
  void Enter(int scene) {
    ChangeScene(scene);
    RedrawAllLayers();
    for (int group = 32; group <= 40; ++group)
      for (int slot = 0; slot < kActorSlots; ++slot) KillActor(group, slot);
    game.Run(30);
    // A guide talk where she arrives (the town's, once a game) is heard out first.
    for (int taps = 0; taps < 40 && SubMode == kSubGuideEvent; ++taps) game.PressButton(kButtonJump);
  }

  // Puts her by hand standing on the floor `floor` (its top, in pixels) with her middle at x.
  void PutHer(int middle, int floor) {
    PlaceHeroine(0, middle - 24, floor - 65, 'R', 'N');
    Heroine().VelX() = Heroine().VelY() = 0;
    game.Run(10);
  }

  // Walks her with the pad until her middle is near x: she goes up steps by jumping where a wall
  // stops her, and lets go early enough to come to a stop within a few pixels.
  void WalkTo(int x) {
    int stopped = 0;
    for (int frame = 0; frame < 4000 && std::abs(x - Middle()) > 10; ++frame) {
      const bool right = x > Middle();
      game.ReleaseButton(right ? kButtonLeft : kButtonRight);
      game.HoldButton(right ? kButtonRight : kButtonLeft);
      const int before = Heroine().PosX();
      game.Run();
      stopped = Heroine().PosX() == before && Standing() ? stopped + 1 : 0;
      if (stopped >= 2) {  // a step up: jump it, holding on for the whole rise
        game.HoldButton(kButtonJump);
        game.Run(16);
        game.ReleaseButton(kButtonJump);
        stopped = 0;
      }
    }
    game.ReleaseAll();
    for (int frame = 0; frame < 60 && !(Standing() && Heroine().VelX() == 0); ++frame) game.Run();
    game.Run(2);
  }

  // Up at the number under her, for one frame: the event starts.
  void StartEvent(int number) {
    EXPECT_EQ(NumberUnderHer(), static_cast<uint32_t>(number)) << "she does not stand on " << number;
    game.HoldButton(kButtonUp);
    game.Run();
    EXPECT_EQ(SubMode, kSubFieldEvent) << number;
    EXPECT_EQ(SubModeArg, number);
    game.ReleaseButton(kButtonUp);
  }

  // Up at the number under her, then the frames until the event is over; returns the frames run.
  int PressUp(int number) {
    StartEvent(number);
    return FinishEvent(number);
  }

  // The frames until the event is over, closing any line it says; returns the frames run.
  int FinishEvent(int number) {
    int frames = 0;
    said.clear();
    while (SubMode == kSubFieldEvent && frames < 1000) {
      if (MessageWindow.open != 0) {  // a door's sign: read, and closed with the action button
        said = std::string(MessageWindow.speaker) + MessageWindow.text;
        game.PressButton(kButtonAction);
        game.PressButton(kButtonAction);
        frames += 4;
        continue;
      }
      game.Run();
      ++frames;
    }
    EXPECT_EQ(SubMode, kSubWorld) << number << " does not end";
    return frames;
  }

  // Through the door under her: she arrives where it leads and comes to rest on the floor there.
  void GoThrough(int number) {
    SCOPED_TRACE("through " + std::to_string(number));
    const Arrival& a = ArrivalOf(number);
    PressUp(number);
    EXPECT_STREQ(MapPath, a.map);
    EXPECT_EQ(Heroine().PosX(), a.x);
    EXPECT_EQ(InputLock, a.locked ? 1 : 0);
    EXPECT_EQ(GetCameraTarget(), a.target);
    if (a.target == kStays) {
      EXPECT_EQ(GetCameraX(), a.camera_x);
      EXPECT_EQ(GetCameraY(), a.camera_y);
    }
    EXPECT_EQ(HeroControl, 0);
    game.Run(30);
    EXPECT_TRUE(Standing());
    EXPECT_EQ(Heroine().BodyBox().bottom, a.floor - 1) << "she does not stand on the floor at y " << a.floor;
    EXPECT_EQ(Heroine().PosX(), a.x);
  }

  // Walks to the number whose left column is `col` and goes through it.
  void WalkThrough(int col, int number) {
    WalkTo(MiddleOf(col));
    GoThrough(number);
  }

  // Up at the sign under her: each of its lines in turn, each closed with the action button, then
  // she is let go.
  void Read(int number) {
    SCOPED_TRACE("sign " + std::to_string(number));
    EXPECT_EQ(NumberUnderHer(), static_cast<uint32_t>(number));
    game.HoldButton(kButtonUp);
    game.Run();
    ASSERT_EQ(SubModeArg, number);
    game.ReleaseButton(kButtonUp);
    for (const SignLine& line : SignOf(number).lines) {
      for (int frame = 0; frame < 5 && MessageWindow.open == 0; ++frame) game.Run();
      EXPECT_EQ(HeroControl, 1);
      EXPECT_EQ(std::string(MessageWindow.speaker), line.speaker) << Utf8(MessageWindow.speaker);
      EXPECT_EQ(std::string(MessageWindow.text), line.text) << Utf8(MessageWindow.text);
      game.PressButton(kButtonAction);  // the whole line at once
      game.PressButton(kButtonAction);  // and closed
    }
    for (int frame = 0; frame < 5 && SubMode != kSubWorld; ++frame) game.Run();
    EXPECT_EQ(SubMode, kSubWorld);
    EXPECT_EQ(HeroControl, 0);
    EXPECT_EQ(MessageWindow.open, 0u);
  }

  void WalkAndRead(int col, int number) {
    WalkTo(MiddleOf(col));
    Read(number);
  }

  FrameHarness game;
  std::string said;  // the speaker and the line a door said on the way, if any
};

TEST(FieldDoorTables, TheScriptedFieldNumbersAreTheDoorsWarpsSignsAndTradesAndNoOther) {
  std::vector<int> scripted;
  for (int n = 0; n < kEventNumbers; ++n)
    if (FieldHandlerOf(n) != FieldRoutine(FieldEventWithoutScript)) scripted.push_back(n);
  // The doors, warps and signs, and the statue, machines, paintings, clinic and chests (164, 256,
  // 257, 259, 280, 281, 317, 1001, 1004).
  const std::vector<int> expected = {160, 161, 162, 163, 164, 256, 257, 259, 261, 269, 270, 271, 272,
                                     273, 276, 277, 278, 280, 281, 284, 302, 310, 314, 315, 317, 320,
                                     321, 322, 323, 324, 325, 327, 328, 329, 330, 331, 337, 338, 339,
                                     352, 400, 430, 500, 1001, 1004};
  EXPECT_EQ(scripted, expected);
}

// From the square down the street into the inn, through the doorways into rooms B, C and D and
// back, and out into the town.
TEST_F(FieldDoorTest, TheInnFromTheSquareItsRoomsAndBackOut) {
  Enter(kSceneTown);
  WalkThrough(224, 269);
  for (const auto& [col, door] : {std::pair{51, 271}, {55, 272}, {59, 273}}) {
    WalkThrough(col, door);
    GoThrough(269);  // each room's door is where she arrives
  }
  WalkThrough(3, 270);
  EXPECT_EQ(NumberUnderHer(), 269u) << "out of the inn she stands at its door";
}

// In the inn: up the three doors into the upper hall and back; the attendant; down the cellar
// door, up its stairway into the hidden room and back into the lobby.
TEST_F(FieldDoorTest, TheInnsUpperHallAttendantCellarAndHiddenRoom) {
  Enter(kSceneTown);
  PutHer(MiddleOf(224), 133 * kTileSize);
  GoThrough(269);
  for (const auto& [col, door] : {std::pair{28, 276}, {33, 277}, {38, 278}}) {
    WalkThrough(col, door);
    GoThrough(269);
  }
  WalkAndRead(21, 338);
  WalkAndRead(24, 339);
  WalkThrough(6, 160);
  WalkThrough(134, 161);
  GoThrough(269);
}

// The clinic's waiting room and back; at the counter she backs out of the reception's menu and
// stays where she stood; the consultation room (where the counter's warp puts her) leads out too.
TEST_F(FieldDoorTest, TheClinicsRoomsFromTheSquareAndBack) {
  Enter(kSceneTown);
  WalkThrough(342, 314);
  GoThrough(315);
  GoThrough(314);
  WalkTo(MiddleOf(20) + 8);
  const int x = Heroine().PosX();
  PressUp(317);
  EXPECT_EQ(said, "受付キャンセルしました。");
  EXPECT_EQ(Heroine().PosX(), x);
  EXPECT_EQ(HeroControl, 0);
  PlaceHeroine(0, 112, 232, 'R', 'N');  // where the counter's warp puts her
  game.Run(20);
  GoThrough(315);
}

// West along the street from the square, reading the signs at the houses on the way, into the
// teacher's house and out again.
TEST_F(FieldDoorTest, TheSignsAlongTheStreetToTheTeachersHouse) {
  Enter(kSceneTown);
  WalkAndRead(190, 337);
  WalkAndRead(154, 310);
  WalkAndRead(130, 302);
  WalkAndRead(86, 284);
  WalkAndRead(35, 352);
  WalkThrough(17, 320);
  GoThrough(321);  // she arrived at the door out
}

// The teacher's house: its hall, the teacher's room (on the loft) and her own room, each with its
// signs, and out again. The teacher's sheet is in while she is in there, the town's when she is out.
TEST_F(FieldDoorTest, TheTeachersHouseItsRoomsAndTheirSigns) {
  Enter(kSceneTown);
  PutHer(MiddleOf(17), 119 * kTileSize);
  GoThrough(320);
  EXPECT_EQ(SceneBitmapIds[8], 151);
  WalkAndRead(96, 331);
  WalkThrough(85, 322);
  EXPECT_EQ(said, "トヴィア「先生の部屋」") << Utf8(said);
  GoThrough(323);
  WalkThrough(85, 322);
  PutHer(MiddleOf(172), 26 * kTileSize);  // down from the loft to the shelves
  Read(324);
  WalkAndRead(184, 325);
  PutHer(2616, 15 * kTileSize);  // back up on the loft
  GoThrough(323);
  WalkThrough(90, 327);
  EXPECT_EQ(said, "トヴィア「私の部屋」") << Utf8(said);
  WalkAndRead(134, 329);
  WalkAndRead(141, 330);
  WalkThrough(123, 328);
  EXPECT_EQ(SceneBitmapIds[8], 151);
  WalkThrough(116, 321);
  EXPECT_EQ(SceneBitmapIds[8], 203);
}

// Door 320 brings in the teacher's sheet on the first frame of the fade-in, while the picture is
// still black, not with the scene.
struct SheetFrame {
  int32_t step;         // the door's step when it was called
  int32_t sheet;        // the bitmap the scene names for sprite sheet 1 after the call
  int32_t loaded;       // and the one in its surface
  uint32_t fading, direction;
};
std::vector<SheetFrame> sheet_frames;
FieldHandler door_320;

TEST_F(FieldDoorTest, Door320BringsInTheTeachersSheetOnTheFirstFrameOfTheFadeIn) {
  Enter(kSceneTown);
  PutHer(MiddleOf(17), 119 * kTileSize);
  door_320 = FieldHandlerOf(320);
  ScopedFieldHandler recorded(320, FieldRoutine([] {
                                const int32_t step = EventStep[2];
                                door_320();
                                sheet_frames.push_back({step, SceneBitmapIds[8], SurfaceBitmapIds[8], IsFading(),
                                                        Wipe.direction});
                              }));
  GoThrough(320);
  const auto first = std::find_if(sheet_frames.begin(), sheet_frames.end(), [](const SheetFrame& f) { return f.step == 4; });
  ASSERT_NE(first, sheet_frames.end());
  ASSERT_NE(first, sheet_frames.begin());
  for (auto f = sheet_frames.begin(); f != first; ++f) {
    EXPECT_EQ(f->sheet, 203) << "step " << f->step;
    EXPECT_EQ(f->loaded, 203) << "step " << f->step;
  }
  EXPECT_EQ((first - 1)->step, 3);  // the scene stood nine frames with the town's sheet
  EXPECT_EQ(first->sheet, 151);
  EXPECT_EQ(first->loaded, 151);
  EXPECT_EQ(first->fading, 1u);
  EXPECT_EQ(first->direction, 0u);
}

// The shrine's entrance in the corridor stores where she stood and takes her to the save room; its
// door takes her back there, the camera as it was, standing and facing right.
TEST_F(FieldDoorTest, TheShrineLeadsToTheSaveRoomAndItsDoorBackToWhereSheStood) {
  Enter(kSceneCorridor);
  PutHer(MiddleOf(79), 26 * kTileSize);
  const int x = Heroine().PosX(), y = Heroine().PosY(), camera_x = GetCameraX(), camera_y = GetCameraY();
  GoThrough(162);
  const SavedPositionRecord& p = SavedPosition;
  EXPECT_STREQ(p.MapPath, "./Data/CORRIDOR.MDT");
  EXPECT_STREQ(p.WorldName, "CORRIDOR");
  EXPECT_EQ(std::vector<int32_t>(std::begin(p.SheetIds), std::end(p.SheetIds)),
            (std::vector<int32_t>{117, 203, 186, 112, 187}));
  EXPECT_EQ(p.HeroX, x);
  EXPECT_EQ(p.HeroY, y);
  EXPECT_EQ(p.CameraX, camera_x);
  EXPECT_EQ(p.CameraY, camera_y);
  EXPECT_EQ(p.CameraTarget, 1);
  EXPECT_EQ(EventStep[162], 0);

  PressUp(163);  // she arrived on the save room's door
  EXPECT_STREQ(MapPath, "./Data/CORRIDOR.MDT");
  EXPECT_EQ(Heroine().PosX(), x);
  EXPECT_EQ(Heroine().PosY(), y);
  EXPECT_EQ(GetCameraX(), camera_x);
  EXPECT_EQ(GetCameraY(), camera_y);
  EXPECT_EQ(GetCameraTarget(), 1);
  EXPECT_EQ(Heroine().FaceX(), 1);
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(EventStep[163], 0);
  EXPECT_EQ(EventStep[2], 0);
  game.Run(30);
  EXPECT_EQ(NumberUnderHer(), 162u);
  EXPECT_TRUE(Standing());
}

// Without the card key the exit door does not open, and the insect says what it is; with it she
// needs no key after Up: the door opens as the picture goes black and she is in the corridor.
TEST_F(FieldDoorTest, TheExitDoorStaysShutWithoutTheCardKeyAndOpensOntoTheCorridorWithIt) {
  Enter(kSceneCave);
  PutHer(MiddleOf(150), 134 * kTileSize);
  const Actor door(117, 0);
  StartEvent(261);
  game.Run();  // its first step
  EXPECT_EQ(HeroControl, 2);
  for (const auto& [speaker, line] : {std::pair{"トヴィア：", "「開かなーい。」"}, {"変な虫：", "「それが【出口への扉】だ。」"}}) {
    for (int frame = 0; frame < 5 && MessageWindow.open == 0; ++frame) game.Run();
    EXPECT_EQ(std::string(MessageWindow.speaker), speaker) << Utf8(MessageWindow.speaker);
    EXPECT_EQ(std::string(MessageWindow.text), line) << Utf8(MessageWindow.text);
    game.PressButton(kButtonAction);
    game.PressButton(kButtonAction);
  }
  for (int frame = 0; frame < 5 && SubMode != kSubWorld; ++frame) game.Run();
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_STREQ(MapPath, "./Data/L001CAVE.MDT");
  EXPECT_EQ(door.Link(), 0);
  EXPECT_EQ(HeroControl, 0);

  GiveSpecialItem(16);
  StartEvent(261);
  game.Run();
  EXPECT_EQ(door.Link(), 1) << "the door opens while the picture goes black";
  EXPECT_EQ(IsFading(), 1u);
  FinishEvent(261);
  EXPECT_EQ(said, "") << "with the key she says nothing";
  const Arrival& a = ArrivalOf(261);
  EXPECT_STREQ(MapPath, a.map);
  EXPECT_EQ(Heroine().PosX(), a.x);
  EXPECT_EQ(Heroine().FaceX(), 1);
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(GetCameraTarget(), 1);
}

// The house on the square is the way into the gorilla house, whose door leads back to the square;
// the corridor's east door leads into the boss room, whose way out leads to the square too.
TEST_F(FieldDoorTest, TheGorillaHouseAndTheBossRoomLeadBackToTheSquare) {
  Enter(kSceneTown);
  WalkThrough(285, 500);
  EXPECT_STREQ(WorldName, "GORILLA=HOUSE");
  GoThrough(400);  // she arrived on its door
  Enter(kSceneCorridor);
  PutHer(MiddleOf(221), 26 * kTileSize);
  GoThrough(430);
  PutHer(MiddleOf(132), 65 * kTileSize);  // in the boss room's way out, which the scene numbers
  GoThrough(400);
}

// Door 273 opens the passage behind the paintings in room D once both paintings were seen: its
// number ends at once, and the passage is gone when the map is loaded again.
TEST_F(FieldDoorTest, WithBothPaintingsSeenDoor273OpensAPassageThatIsGoneOnTheWayBack) {
  auto passage = [](int layer) { return GetTile(4404, 708, layer); };
  Enter(kSceneTown);
  PutHer(MiddleOf(224), 133 * kTileSize);
  GoThrough(269);
  WalkThrough(59, 273);
  EXPECT_EQ(passage(kEventLayer), 0u) << "no passage without the paintings";
  GoThrough(269);
  SetFlag(1, 11, 1);
  SetFlag(1, 12, 1);
  WalkThrough(59, 273);
  EXPECT_EQ(passage(1), 2240u);
  EXPECT_EQ(passage(kEventLayer), 279u);
  EXPECT_EQ(GetTile(4420, 772, kEventLayer), 279u);  // 2 x 5 tiles, down to the row over the floor
  PutHer(4420, 784);
  const int x = Heroine().PosX();
  EXPECT_EQ(PressUp(279), 1);
  EXPECT_EQ(Heroine().PosX(), x);
  WalkThrough(245, 269);
  EXPECT_EQ(passage(kEventLayer), 0u);
  EXPECT_NE(passage(1), 2240u);
}

// A sign's line closed with the action button locks the input: while the button is held, Up does
// not open the sign again; let go, it does.
TEST_F(FieldDoorTest, ASignClosedWithTheActionButtonDoesNotOpenAgainWhileTheButtonIsHeld) {
  Enter(kSceneTown);
  WalkTo(MiddleOf(190));
  StartEvent(337);
  for (int frame = 0; frame < 5 && MessageWindow.open == 0; ++frame) game.Run();
  game.PressButton(kButtonAction);
  game.HoldButton(kButtonAction);
  for (int frame = 0; frame < 5 && SubMode != kSubWorld; ++frame) game.Run();
  ASSERT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(InputLock, 1);
  game.PressButton(kButtonUp);
  game.Run(3);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(MessageWindow.open, 0u);
  game.ReleaseButton(kButtonAction);
  game.Run();
  EXPECT_EQ(InputLock, 0);
  StartEvent(337);
}


// ---- what a shrine's door stores ----------------------------------------------------------------

// The shrines' doors on the route: the scene, the door's columns and the floor row under it, and
// the columns she comes from on its left and on its right (0: a wall there).
struct Shrine {
  const char* name;
  int scene;
  int first_col, last_col, floor_row;
  int from_left, from_right;
};
constexpr Shrine kShrines[] = {
    {"the landing's", kSceneCave, 40, 41, 17, 36, 43},
    {"the one under the drop by the water door", kSceneCave, 113, 115, 110, 0, 119},
    {"the one by the pipe", kSceneCave, 88, 90, 134, 86, 94},
    {"the corridor's", kSceneCorridor, 79, 80, 26, 76, 84},
};

// How she goes in.
enum class Way { kStanding, kCrouched, kShooting, kWalking, kClockUp, kJumpInPlace, kJumpIn };
struct Approach {
  const char* name;
  Way way;
  int side;  // -1 from the left, 1 from the right, 0 from the door
};
constexpr Approach kApproaches[] = {
    {"standing", Way::kStanding, 0},
    {"crouched, then up with Up", Way::kCrouched, 0},
    {"a shot, then Up", Way::kShooting, 0},
    {"walking in from the left", Way::kWalking, -1},
    {"walking in from the right", Way::kWalking, 1},
    {"running in under CLOCK UP from the left", Way::kClockUp, -1},
    {"running in under CLOCK UP from the right", Way::kClockUp, 1},
    {"landing from a jump in place", Way::kJumpInPlace, 0},
    {"landing from a jump in from the left", Way::kJumpIn, -1},
    {"landing from a jump in from the right", Way::kJumpIn, 1},
};

struct ShrineDoorTest : FieldDoorTest {
  // Up held in the frame that comes when `now` says so, her way there driven by `steer`; true
  // when Up started the shrine's door.
  template <typename Steer, typename Now>
  bool UpWhen(Steer steer, Now now) {
    for (int frame = 0; frame < 300 && SubMode != kSubFieldEvent; ++frame) {
      steer();
      if (now()) game.HoldButton(kButtonUp);
      game.Run();
      game.ReleaseButton(kButtonUp);
    }
    game.ReleaseAll();
    return SubMode == kSubFieldEvent && SubModeArg == 162;
  }

  // Holds the pad towards her middle at x, or lets go near it.
  void SteerTo(int x) {
    const int dx = x - Middle();
    game.ReleaseButton(kButtonLeft);
    game.ReleaseButton(kButtonRight);
    if (std::abs(dx) > 2) game.HoldButton(dx > 0 ? kButtonRight : kButtonLeft);
  }

  // The file of the first slot, as the statue wrote it.
  std::vector<char> FirstSlot() const {
    std::ifstream in(std::filesystem::path(game.folder()) / "Data" / "save0.dat", std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
  }
  // The block the statue wrote to the first slot, after its header.
  static const SaveBlock& BlockOf(const std::vector<char>& file) {
    static SaveBlock block;
    block = {};
    EXPECT_EQ(file.size(), 32 + sizeof block);
    if (file.size() == 32 + sizeof block) std::memcpy(&block, file.data() + 32, sizeof block);
    return block;
  }

  // This frame she lands on the floor at y `floor`: falling, and the floor within this frame's fall.
  static bool LandsNow(int floor) {
    const Actor h = Heroine();
    if ((h.Motion() & 0xFF) != kHeroineFalling) return false;
    const int fall = h.VelY() < kHeroineFallCap ? h.VelY() + 1 : h.VelY();
    return h.PosY() + 64 + fall + 1 >= floor;
  }

  bool GoIn(const Shrine& s, const Approach& a) {
    const int left = s.first_col * kTileSize, right = (s.last_col + 1) * kTileSize;
    const int floor = s.floor_row * kTileSize, door = (left + right) / 2;
    const auto over_door = [&](int x) { return x >= left && x < right; };
    // A walk from the side comes from its column; a hop from the side from as far as it carries.
    constexpr int kHop = 48;
    const int from = a.way == Way::kJumpIn ? door + a.side * kHop
                     : a.side < 0         ? Col(s.from_left)
                     : a.side > 0         ? Col(s.from_right)
                                          : door;
    PutHer(from, floor);
    switch (a.way) {
      case Way::kStanding:
        return UpWhen([] {}, [] { return true; });
      case Way::kCrouched:
        game.HoldButton(kButtonDown);
        game.Run(12);
        return UpWhen([&] { game.ReleaseButton(kButtonDown); }, [] { return true; });
      case Way::kShooting:  // her arm still out
        game.PressButton(kButtonAction);
        return UpWhen([] {}, [] { return true; });
      case Way::kClockUp:
        game.PressButton(kButtonMagic);
        [[fallthrough]];
      case Way::kWalking:
        // Up on the first frame her step reaches the door: short of it by that step.
        return UpWhen([&] { game.HoldButton(a.side < 0 ? kButtonRight : kButtonLeft); },
                      [&] { return over_door(Middle() - a.side * GetHeroineWalkSpeed()); });
      case Way::kJumpInPlace:
      case Way::kJumpIn: {
        // A whole jump in place; a hop from the side, low enough to pass under the ledges by the
        // pipe.
        const int hold = a.way == Way::kJumpIn ? 3 : 15;
        int held = 0;
        return UpWhen(
            [&] {
              if (held++ < hold) game.HoldButton(kButtonJump);
              else game.ReleaseButton(kButtonJump);
              SteerTo(a.way == Way::kJumpIn ? door - a.side * (right - left) / 2 : door);  // still on her way in
            },
            [&] { return LandsNow(floor); });
      }
    }
    return false;
  }
};

// However she goes in at a shrine's door (standing, crouched, walking, running under CLOCK UP,
// landing from a jump), on every shrine of the route from each side that has a floor, the save she
// makes at the statue holds every field in its range, and the loader's ranges leave it as it is.
TEST_F(ShrineDoorTest, WhatEveryWayInStoresTheLoaderKeepsAsItIs) {
  PlayerStats.OwnedMagicTools = PlayerStats.EquippedMagicTool = 16;  // TACHYON=CLOCK
  SetFlag(0, 528 - 513, 1);  // the talk where she lands under the drop, heard on the way there
  int landed_above_the_floor = 0;
  for (const Shrine& s : kShrines) {
    for (const Approach& a : kApproaches) {
      if ((a.side < 0 && s.from_left == 0) || (a.side > 0 && s.from_right == 0)) continue;
      SCOPED_TRACE(std::string(s.name) + " shrine, " + a.name);
      Enter(s.scene);
      ClearSpells();
      PlayerStats.Mp = PlayerStats.MaxMp;
      ASSERT_TRUE(GoIn(s, a)) << "Up took her through no shrine's door";
      RouteDriver driver(game, "shrine_doors");
      ASSERT_TRUE(driver.Play("the statue", {Arrive("TEMPLE00"), ::WalkTo(kStatue), Crouch(10),
                                             UpAt(kStatue, {kFirstSlot})}));
      const SaveBlock& written = BlockOf(FirstSlot());
      static SaveBlock kept;
      const SavedPositionRecord& p = written.SavedPosition;
      SCOPED_TRACE("stored at (" + std::to_string(p.HeroX) + ", " + std::to_string(p.HeroY) + "), Motion " +
                   std::to_string(p.Motion));
      EXPECT_EQ(SaveFieldOutOfRange(written), nullptr) << SaveFieldOutOfRange(written);
      kept = written;
      BringSaveIntoRange(kept);
      EXPECT_EQ(std::memcmp(&kept, &written, sizeof kept), 0);
      if ((p.Motion & 0xFF) == kHeroineFalling) ++landed_above_the_floor;
    }
  }
  EXPECT_GT(landed_above_the_floor, 0) << "no jump landed with a fall still to go";
}

// ---- the return map, however it is spelled --------------------------------------------------------

// Ways of writing the table's "./Data/NAME.MDT" that the file layer reads as the same file from the
// game's folder `folder`, made of five choices, the table's own first in each: how the path
// begins (nothing, a dot folder, a doubled separator, the folder's absolute path, up a folder and
// back in by name, into Data and out), the Data folder's name (in any case, with trailing blanks
// and dots), the way from it to the file (either separator, a dot folder, out of Data and back
// in), the file's name (in any case, with trailing blanks and dots) and how the path ends (a
// trailing separator). Each other choice of each dimension, once on the table's spelling and once
// with the other dimensions turning through theirs; none longer than the field holds.
std::vector<std::string> SpellingsOf(const std::string& name, const std::string& folder) {
  const auto lower = [](std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
  };
  const std::string up_and_back = "../" + std::filesystem::path(folder).filename().string() + "/";
  const std::vector<std::vector<std::string>> dimensions = {
      {"./", "", ".\\", "././", ".//", folder + "/", up_and_back, "Data/../", ".\\data\\..\\"},
      {"Data", "data", "DATA", "dAtA", "Data ", "Data.", "data . "},
      {"/", "\\", "/./", "\\.\\", "//", "/../Data/", "\\..\\DATA\\"},
      {name, lower(name), name + " ", lower(name) + ".", name + " . "},
      {"", "/", "\\"},
  };
  const std::string table = "./Data/" + name;
  std::vector<std::string> spellings;
  for (bool turning : {false, true}) {
    for (size_t d = 0; d < dimensions.size(); ++d) {
      for (size_t v = 1; v < dimensions[d].size(); ++v) {
        std::string spelling;
        for (size_t e = 0; e < dimensions.size(); ++e)
          spelling += dimensions[e][e == d ? v : turning ? (v + d + e) % dimensions[e].size() : 0];
        if (spelling != table && spelling.size() < sizeof SavedPosition.MapPath &&
            std::find(spellings.begin(), spellings.end(), spelling) == spellings.end())
          spellings.push_back(spelling);
      }
    }
  }
  return spellings;
}

// The maps of the scene table with a shrine's door (162) on their event layer, in the table's
// spelling, sorted.
std::vector<std::string> MapsWithAShrine() {
  static uint32_t tiles[kTileCount];
  std::vector<std::string> maps;
  SceneNames row;
  for (int i = 0; SceneMapNames(i, row); ++i) {
    if (std::find(maps.begin(), maps.end(), row.map) != maps.end() || ReadMapFile(row.map, tiles) != 0) continue;
    if (std::count(tiles + kEventLayer * kTilesPerLayer, tiles + (kEventLayer + 1) * kTilesPerLayer, 162u) > 0)
      maps.emplace_back(row.map);
  }
  std::sort(maps.begin(), maps.end());
  return maps;
}

struct ReturnMapTest : ShrineDoorTest {
  // A new save at the shrine `s` of the scene entered, the statue's first slot: its block.
  const SaveBlock& SavedAt(const Shrine& s) {
    EXPECT_TRUE(GoIn(s, kApproaches[0]));
    RouteDriver driver(game, "return_map");
    EXPECT_TRUE(driver.Play("the statue", SaveAtTheStatue(MapName().c_str())));
    file_ = FirstSlot();
    const SaveBlock& written = BlockOf(file_);
    file_.resize(32 + sizeof(SaveBlock));
    return written;
  }
  // "L001CAVE" of "./Data/L001CAVE.MDT".
  static std::string MapName() { return std::string(MapPath + 7, std::strlen(MapPath) - 11); }

  // `block` with its return map spelled `spelling`.
  static SaveBlock& Respelled(const SaveBlock& block, const std::string& spelling) {
    static SaveBlock respelled;
    respelled = block;
    CopyName(respelled.SavedPosition.MapPath, spelling.c_str());
    return respelled;
  }

  // `block` in the first slot, after the header the statue wrote.
  void PutInTheFirstSlot(const SaveBlock& block) {
    std::memcpy(file_.data() + 32, &block, sizeof block);
    std::ofstream(std::filesystem::path(game.folder()) / "Data" / "save0.dat", std::ios::binary)
        .write(file_.data(), static_cast<std::streamsize>(file_.size()));
  }
  // `block` loaded from the first slot as the menus load it, and the save room's door left (scene
  // 100): the group, slot and link of every actor in the world.
  using Links = std::vector<std::array<int32_t, 3>>;
  Links LoadedAndOut(const SaveBlock& block) {
    PutInTheFirstSlot(block);
    SubMode = kSubWorld;
    EXPECT_EQ(ReadSave(".\\Data\\save0.dat"), 0);
    ChangeScene(kSceneSavedPosition);
    Links links;
    for (int group = kHeroineGroup + 1; group < kActorGroups; ++group)
      for (int slot = 0; slot < kActorSlots; ++slot)
        if (Actor(group, slot).State() != kActorFree) links.push_back({group, slot, Actor(group, slot).Link()});
    return links;
  }
  // The presets of `map` in force: the cave's chests linked to their flags and its sliding doors
  // waiting for the valve; the other maps have none.
  static void ExpectThePresetsOf(const std::string& map) {
    if (map != "./Data/L001CAVE.MDT") return;
    EXPECT_EQ(Actor(113, 0).Link(), 1000);
    EXPECT_EQ(Actor(113, 1).Link(), 1004);
    EXPECT_EQ(Actor(113, 2).Link(), 1001);
    EXPECT_EQ(Actor(90, 0).Link(), 100);
  }

  std::vector<char> file_;  // the file the statue wrote
};

// A save's return map spelled otherwise, by which the file layer reads the same file as a map of
// the scene table (every map with a shrine), is that map in the table's spelling: out of range as
// stored, the loader brings it to the block the statue wrote, and loaded and out through the save
// room's door it carries that map's presets (the links of every actor), as the statue's own save
// does; the first spelling also loaded from the title, as a player loads it. A path by which the
// file layer reads no map of the table is kept as it is: up and back through a folder that is not
// there, which the file layer cannot read though the letters lead to the map (the save room's door
// shows the fatal error scene), and a copy of the map under another name, which plays without the
// map's presets.
TEST_F(ReturnMapTest, EverySpellingOfAShrinesMapIsThatMapWithItsPresets) {
  std::vector<std::string> tried;
  for (const Shrine& s : kShrines) {
    Enter(s.scene);
    const std::string map = MapPath, name = MapName();
    if (std::find(tried.begin(), tried.end(), map) != tried.end()) continue;
    tried.push_back(map);
    SCOPED_TRACE(map);
    const SaveBlock& written = SavedAt(s);
    ASSERT_EQ(SaveFieldOutOfRange(written), nullptr);
    const Links presets = LoadedAndOut(written);
    ExpectThePresetsOf(map);
    // Besides the spellings, the same file by a hard link and by a symbolic link.
    const std::filesystem::path data = std::filesystem::path(game.folder()) / "Data";
    const std::string file_name = name + ".MDT";
    std::filesystem::create_hard_link(data / file_name, data / ("HARD_" + file_name));
    std::filesystem::create_symlink(data / file_name, data / ("SOFT_" + file_name));
    std::vector<std::string> spellings = SpellingsOf(file_name, game.folder());
    spellings.push_back("./Data/HARD_" + file_name);
    spellings.push_back("Data\\soft_" + file_name);
    for (const std::string& spelling : spellings) {
      SCOPED_TRACE("\"" + spelling + "\"");
      SaveBlock& brought = Respelled(written, spelling);
      EXPECT_STREQ(SaveFieldOutOfRange(brought), "SavedPosition.MapPath");
      BringSaveIntoRange(brought);
      EXPECT_EQ(std::memcmp(&brought, &written, sizeof written), 0) << brought.SavedPosition.MapPath;
      EXPECT_EQ(LoadedAndOut(Respelled(written, spelling)), presets);
      EXPECT_EQ(MapPath, map);
    }

    std::filesystem::copy_file(data / file_name, data / ("COPY_" + file_name));
    for (const auto& [spelling, sub_mode] : {std::pair{"./Nowhere/../Data/" + file_name, kSubMapLoadFailure},
                                             std::pair{"./Data/COPY_" + file_name, kSubWorld}}) {
      SCOPED_TRACE("\"" + spelling + "\", no map of the table");
      EXPECT_EQ(SaveFieldOutOfRange(Respelled(written, spelling)), nullptr);
      const Links links = LoadedAndOut(Respelled(written, spelling));
      EXPECT_EQ(MapPath, spelling);
      EXPECT_EQ(SubMode, sub_mode);
      if (name == "L001CAVE") {
        EXPECT_NE(links, presets);
      }
    }

    PutInTheFirstSlot(Respelled(written, spellings.front()));
    SubMode = kSubStartSequence;  // the title, as the debug menu enters it
    SubModeArg = 1;
    SceneStep = 0;
    RouteDriver driver(game, "return_map");
    ASSERT_TRUE(driver.Play("the load", TheLoadFromTheTitle(name.c_str())));
    EXPECT_EQ(MapPath, map);
    ExpectThePresetsOf(map);
  }
  std::sort(tried.begin(), tried.end());
  EXPECT_EQ(tried, MapsWithAShrine()) << "a map with a shrine that no shrine of the test stands on";
}

}  // namespace
