#include "support/game_reset.h"

#include <cstring>

#include "app/game_flow.h"
#include "app/winmain.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "backend/headless/headless.h"
#include "platform/graphics.h"
#include "platform/messages.h"
#include "world/save_block.h"

void ResetGameState() {
  ReleaseAllSoundSlots();
  std::memset(SoundSlots, 0, sizeof SoundSlots);
  for (MidiPlay& player : MusicPlayers) {
    player.Stop();
    player.FreeTracks();
  }
  CurrentSong = 0;
  std::memset(MusicPath, 0, sizeof MusicPath);
  BgmChannelVolume = 0;
  BgmFadeVolume = 48;
  ReleaseDirectDraw();
  for (Surface& s : Surfaces) FreeSurface(s);
  ClearSurfaceBitmapIds();
  Display = DisplayParams{};
  DisplayReady = 0;
  headless::Reset();
  ResetMessages();
  Save = SaveBlock{};
  MainWindow = 0;
  GameMode = 0;
  SubMode = 0;
  SubModeArg = 0;
  MessageResult = -1;
}

void StartTestDisplay() {
  ResetGameState();
  WindowSize.width = 640;
  WindowSize.height = 480;
  WindowMode = 1;
  Running = 1;
  CreateMainWindow(0, 1);
  StartDisplay(MainWindow);
}
