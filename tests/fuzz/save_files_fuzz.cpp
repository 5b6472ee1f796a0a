// Save files: the input is the file of slot 0. The load page reads the slot headers and shows
// them as its choice lines; a file that loads then plays as a load plays it: the save room, a
// few frames of the world with buttons held, and the way out of the save room to the return
// point the file holds.
#include <cstring>

#include "app/game_flow.h"
#include "app/scene_change.h"
#include "fuzz/fuzz_game.h"
#include "fuzz/fuzz_scratch.h"
#include "fuzz/fuzz_targets.h"
#include "ui/hud.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"

namespace {

// The load page as the menus build it: "キャンセル" and the three slot headers.
void ShowLoadPage(FuzzGame& game) {
  if (SlotHeadersStale == -1) {
    ReadSlotHeaders();
    SlotHeadersStale = 0;
  }
  char lines[4][49] = {"キャンセル"};
  for (int slot = 0; slot < 3; ++slot) std::memcpy(lines[slot + 1], SlotHeaders[slot], sizeof SlotHeaders[slot]);
  CloseMessage();
  OpenMessage(15, 4, 0, "　ロードメニュー", nullptr, lines, 1);
  SetMessageOption(1);
  game.Run(1);
  CloseMessage();
  SlotHeadersStale = -1;
}

}  // namespace

int FuzzSaveFiles(const uint8_t* data, size_t size) {
  CopyBuiltMap("TEMPLE00.MDT");  // the save room, where a load enters
  CopyBuiltMap("L001CAVE.MDT");  // the return point of the seeds
  FuzzGame game;
  WriteScratchFile("Save0.dat", data, size);
  SlotHeadersStale = -1;
  ShowLoadPage(game);
  if (ReadSave(".\\Data\\save0.dat") != 0) return 0;

  SubMode = kSubWorld;
  ChangeScene(kSceneSaveRoom);
  ShowHud();
  // The last bytes of the file choose the buttons of the first frames: they are the padding
  // after the input lock, which the game never reads.
  for (int frame = 0; frame < 3; ++frame) {
    HoldButtonsOf(game, Save.Reserved8721[frame]);
    game.Run(1);
  }
  game.ReleaseAll();
  SubMode = kSubWorld;
  ChangeScene(kSceneSavedPosition);
  game.Run(2);
  return 0;
}
