#include "support/game_reset.h"

#include <cstring>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "app/winmain.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "backend/headless/headless.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/repeaters.h"
#include "platform/utils.h"
#include "ui/hud.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/screen_wipe.h"
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
  for (KeyBinding& b : KeyBindings) b = KeyBinding{0, 0};
  JoystickCalibration = JoystickCalibrationTable{-1, {}};
  FrameCounters = FrameCounterTable{};
  SoundRepeats = SoundRepeatTable{};
  Emitters = EmitterTable{};
  SeedRandom(1);
  FreeBgLayers();
  BgLayers = BgLayerState{};
  SimulateTileStoreFailure(false);
  for (int layer = 0; layer < kQueueLayers; ++layer) InitDrawQueueLayer(layer);
  FrameScroll = ScrollRecord{};
  ParallaxDivisors = DivisorTable{};
  Camera = CameraRecord{};
  CameraShake = ShakeRecord{};
  FlashState = FlashRecord{};
  BackPictureMode = 0;
  EditorScrollMode = 0;
  HudVisible = 0;
  ResetHud();
  std::memset(ActorTable, 0, sizeof ActorTable);
  for (uint32_t& n : DrawQueue.drawn) n = 0;
  MessageWindow = MessageWindowRecord{};
  TextEntry = TextEntryRecord{};
  Wipe = ScreenWipe{};
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
