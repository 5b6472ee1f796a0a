// The save sweep: a real save made by play (the playthrough's save at the corridor's shrine),
// with one 32-bit field of its block set to one of five values, loaded as a player loads it and
// played through everything that reads the block: the pause menu's pages (status, every row of
// the equipment, the options with the joypad's list, the load list), the way out of the save
// room, walking, a jump, shots, the item and magic switches, an item used and a spell cast, the
// shrine's door and a save at the statue, the corridor to the boss, whose defeat is an EXP award,
// the town and a talk, and the pause menu's load of the save just written.
//
// A case fails when the route is not played through (she dies, an event stands, a waypoint is
// not reached), or when a field lies outside what play can produce (SaveFieldOutOfRange) in the
// block after either load or in the file the statue wrote. The sanitizers' reports and a case
// that does not end are the runner's to catch: each case is a process of its own,
// tests/save_sweep/run-sweep runs them all (or a slice), and CTest runs a slice.
//
//   export TOVIA_SWEEP_SAVE=build/playthrough/corridor_shrine.dat
//   TOVIA_SWEEP_CASE=17 build/tests/tovia_tests --gtest_filter=SaveSweep.Case
//   TOVIA_SWEEP_CASE=list build/tests/tovia_tests --gtest_filter=SaveSweep.Case   (the cases)
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/route_driver.h"
#include "support/walkthrough.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_ranges.h"

namespace fs = std::filesystem;

namespace {

// ---- the cases ----------------------------------------------------------------------------------

// A run of 32-bit words of the block: a field, or an array swept by its first and its last
// element and filled whole.
struct SweptField {
  const char* name;
  size_t offset;
  size_t words;
};

#define WORD(member) SweptField{#member, offsetof(SaveBlock, member), 1}
#define ARRAY(member) SweptField{#member, offsetof(SaveBlock, member), sizeof(Save.member) / 4}

// Every field of the block but its texts, each named element of SceneVars and EventStep, and
// each ButtonBits entry (a function each); the one-byte fields as the word they begin.
const SweptField kFields[] = {
    WORD(DisplayReinit), WORD(WindowSize.width), WORD(WindowSize.height), WORD(WindowMode), WORD(Reserved16),
    WORD(LastKey), WORD(Running), WORD(AppActive), ARRAY(ButtonHistory), ARRAY(ButtonBits), WORD(ButtonBits[1]),
    WORD(ButtonBits[2]), WORD(ButtonBits[3]), WORD(ButtonBits[4]), WORD(ButtonBits[5]), WORD(ButtonBits[6]),
    WORD(ButtonBits[7]), WORD(ButtonBits[8]), WORD(ButtonBits[9]), WORD(ButtonBits[10]), WORD(ButtonBits[11]),
    WORD(ButtonBits[12]), ARRAY(SceneBitmapIds), WORD(SceneBitmapIds[7]), ARRAY(SceneVars), WORD(SceneVars[0]),
    WORD(SceneVars[1]), WORD(SceneVars[2]), WORD(SceneVars[3]), WORD(SceneVars[5]), WORD(SceneVars[6]),
    WORD(SceneVars[9]), WORD(SceneVars[10]), WORD(SceneVars[32]), WORD(SceneVars[33]), WORD(SceneVars[34]),
    WORD(SceneVars[35]), WORD(SceneVars[38]), WORD(SceneVars[200]), WORD(SceneVars[201]), WORD(SceneVars[202]),
    WORD(SceneVars[203]), ARRAY(EventStep), WORD(EventStep[2]), WORD(EventStep[164]), ARRAY(FlagBanks[0]),
    ARRAY(FlagBanks[1]), ARRAY(FlagBanks[2]), WORD(Reserved5976), WORD(PlayerStats.Score), WORD(PlayerStats.Coins),
    WORD(PlayerStats.MaxHp), WORD(PlayerStats.Hp), ARRAY(PlayerStats.Reserved16), WORD(PlayerStats.Mp),
    WORD(PlayerStats.MaxMp), WORD(PlayerStats.Exp), WORD(PlayerStats.Level), WORD(PlayerStats.Attack),
    WORD(PlayerStats.Defense), WORD(PlayerStats.Efficiency), WORD(PlayerStats.Reserved52), WORD(PlayerStats.Money),
    ARRAY(PlayerStats.SpellLevel), WORD(PlayerStats.SpellLevel[1]), WORD(PlayerStats.SpellLevel[2]),
    WORD(PlayerStats.SpellLevel[4]), ARRAY(PlayerStats.SpellTimer), WORD(PlayerStats.SpellTimer[1]),
    WORD(PlayerStats.OwnedRings), WORD(PlayerStats.OwnedChokers), WORD(PlayerStats.OwnedPendants),
    WORD(PlayerStats.OwnedMagicTools), ARRAY(PlayerStats.Bag), WORD(PlayerStats.OwnedSpecialItems),
    WORD(PlayerStats.EquipPage), WORD(PlayerStats.EquippedRing), WORD(PlayerStats.EquippedChoker),
    WORD(PlayerStats.EquippedPendant), WORD(PlayerStats.BagCursor), WORD(PlayerStats.SelectedSpecialItem),
    WORD(PlayerStats.EquippedMagicTool), ARRAY(HazardBoxes), WORD(HazardCount), ARRAY(SavedPosition.SheetIds),
    WORD(SavedPosition.EventLayerEnabled), WORD(SavedPosition.CameraX), WORD(SavedPosition.CameraY),
    WORD(SavedPosition.Group), WORD(SavedPosition.HeroX), WORD(SavedPosition.HeroY), WORD(SavedPosition.FaceX),
    WORD(SavedPosition.FaceY), WORD(SavedPosition.CameraTarget), WORD(SavedPosition.Motion), WORD(SlotHeadersStale),
    WORD(CellsDrawnCount), WORD(InputLock),
};

#undef WORD
#undef ARRAY

constexpr int32_t kValues[] = {INT32_MIN, -1, 0, 0x3FFFFFFF, INT32_MAX};

enum class Part { kFirst, kLast, kAll };

struct Case {
  std::string name;
  size_t first_word;  // from the start of the block
  size_t words;
  int32_t value;
};

// Case 0 is the save as play made it; then, field by field, each value in turn.
std::vector<Case> AllCases() {
  std::vector<Case> cases = {{"the save as made", 0, 0, 0}};
  for (const SweptField& f : kFields) {
    const size_t first = f.offset / 4;
    std::vector<Part> parts = {Part::kFirst};
    if (f.words > 1) parts = {Part::kFirst, Part::kLast, Part::kAll};
    for (Part part : parts) {
      const std::string name = f.words == 1     ? f.name
                               : part == Part::kFirst ? std::string(f.name) + "[first]"
                               : part == Part::kLast  ? std::string(f.name) + "[last]"
                                                      : std::string(f.name) + "[all]";
      const size_t at = part == Part::kLast ? first + f.words - 1 : first;
      const size_t words = part == Part::kAll ? f.words : 1;
      for (int32_t v : kValues) cases.push_back({name + " = " + std::to_string(v), at, words, v});
    }
  }
  return cases;
}

// ---- the route ----------------------------------------------------------------------------------

// Reads a notice (a window without choices) to its end and closes it: done when the next list
// has opened and the keys have been up for a few frames (the input lock after a window closes).
Waypoint CloseNotice() {
  return {"close the notice", [](RouteDriver& d) {
            if (MessageWindow.open == 1 && MessageWindow.choice_count >= 2) {
              d.ReleaseAll();
              return ++d.count > 4;
            }
            if (MessageWindow.open == 1) d.Tap(kButtonJump);
            return false;
          }};
}

// The pause menu's pages, each opened and left as a player looks at them.
const Route kThePauseMenusPages = {
    Press({kButtonMenu}), MenuLine(kStatusLine), Press({kButtonJump}),
    Press({kButtonMenu}), MenuLine(kEquipment),
    Press({kButtonDown, kButtonDown, kButtonDown, kButtonDown, kButtonDown, kButtonUp, kButtonUp, kButtonUp,
           kButtonUp, kButtonUp, kButtonJump}),
    // The options: the two volume lists left by cancel, the joypad's list left by its last line.
    Press({kButtonMenu}), MenuLine(kOptions), MenuLine(0), Press({kButtonAction}), MenuLine(1),
    Press({kButtonAction}), MenuLine(2), CloseNotice(), MenuLine(0), MenuLine(9), MenuLine(4), MenuLine(0),
    // The load list, left by its first line.
    Press({kButtonMenu}), MenuLine(kLoad), MenuLine(0), MenuLine(0),
};

// Out of the save room to the corridor's shrine (its door at column 79), and what she does there
// before she goes back in.
constexpr int kCorridorShrine = 79;
const Route kTheCorridorsPlay = {
    UpAt(kSaveRoomDoor), Arrive("CORRIDOR"),
    Press({kButtonItemLeft, kButtonItemRight, kButtonMagicRight, kButtonMagicLeft, kButtonItem, kButtonMagic}),
    WalkTo(84), JumpTo(84), Shoot(1, false, 2), WalkTo(kCorridorShrine), UpAt(kCorridorShrine),
};

// ---- the case -----------------------------------------------------------------------------------

std::vector<char> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// The block of a save file, or "" with the block untouched when the file is not a save's size.
std::string BlockOf(const std::vector<char>& file, SaveBlock& block) {
  if (file.size() != 32 + sizeof block) return "the file has " + std::to_string(file.size()) + " bytes";
  std::memcpy(&block, file.data() + 32, sizeof block);
  return "";
}

void ExpectInRange(const SaveBlock& block, const char* where) {
  if (const char* field = SaveFieldOutOfRange(block)) ADD_FAILURE() << where << ": " << field << " out of its range";
}

TEST(SaveSweep, Case) {
  const char* which = std::getenv("TOVIA_SWEEP_CASE");
  if (which == nullptr) GTEST_SKIP() << "run by tests/save_sweep/run-sweep, one case a process";
  const std::vector<Case> cases = AllCases();
  if (std::strcmp(which, "list") == 0) {
    for (size_t i = 0; i < cases.size(); ++i) std::printf("%zu %s\n", i, cases[i].name.c_str());
    return;
  }
  const size_t index = std::strtoul(which, nullptr, 10);
  ASSERT_LT(index, cases.size());
  const Case& c = cases[index];
  const char* base = std::getenv("TOVIA_SWEEP_SAVE");
  ASSERT_NE(base, nullptr) << "TOVIA_SWEEP_SAVE names the save the cases start from";
  std::vector<char> file = ReadBytes(base);
  SaveBlock original;
  ASSERT_EQ(BlockOf(file, original), "") << base;
  for (size_t w = 0; w < c.words; ++w) std::memcpy(file.data() + 32 + 4 * (c.first_word + w), &c.value, 4);
  SCOPED_TRACE(c.name);

  FrameHarness game;
  const fs::path slot = fs::path(game.folder()) / "Data" / "save0.dat";
  std::ofstream(slot, std::ios::binary).write(file.data(), static_cast<std::streamsize>(file.size()));
  RouteDriver driver(game, "save_sweep");

  ASSERT_TRUE(driver.Play("the title's load", TheTitlesLoad()));
  ExpectInRange(Save, "after the title's load");
  ASSERT_TRUE(driver.Play("the pause menu's pages", kThePauseMenusPages));
  ASSERT_TRUE(driver.Play("the corridor", kTheCorridorsPlay));
  ASSERT_TRUE(driver.Play("the statue's save", SaveAtTheStatue("CORRIDOR")));
  SaveBlock written;
  ASSERT_EQ(BlockOf(ReadBytes(slot), written), "");
  ExpectInRange(written, "in the save the statue wrote");
  ASSERT_TRUE(driver.Play("the sealed door", TheSealedDoor()));
  ASSERT_TRUE(driver.Play("the boss", TheBoss()));
  ASSERT_TRUE(driver.Play("the town", Joined({TheTown(), ATalkInTheTown()})));
  ASSERT_TRUE(driver.Play("the pause menu's load", ThePauseMenusLoad()));
  ExpectInRange(Save, "after the pause menu's load");
}

}  // namespace
