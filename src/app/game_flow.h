// The game-flow state that every frame dispatches on, and the per-frame function.
#pragma once

#include <cstdint>

#include "platform/window.h"
#include "world/save_block.h"

extern int32_t GameMode;       // 0 before the first frame's new-game set-up, 2 playing, 254 halted
extern int32_t SubMode;        // what runs over the world this frame (values below)
extern int32_t SubModeArg;     // the sub-mode's argument: actor group, event number or stage
extern int32_t MessageResult;  // the message window's result of the frame; -1 when none is open

// Values of GameMode.
constexpr int32_t kGameNew = 0;
constexpr int32_t kGamePlaying = 2;
constexpr int32_t kGameHalted = 254;

// Values of SubMode.
constexpr int32_t kSubWorld = 0;
constexpr int32_t kSubDebugMenu = 1;
constexpr int32_t kSubMapEditor = 2;
constexpr int32_t kSubTalk = 3;
constexpr int32_t kSubGuideEvent = 4;
constexpr int32_t kSubFieldEvent = 5;
constexpr int32_t kSubPauseMenu = 6;
constexpr int32_t kSubMapLoadFailure = 7;
constexpr int32_t kSubStartSequence = 8;

// Named elements of SceneVars (CameraHoldCounter and BossActive are the camera's, in
// world/camera.h; SoundVolume and MusicVolume the audio's, in audio/volumes.h).
inline int32_t& MenuState = Save.SceneVars[0];        // the pause menu's state; 0 closed
inline int32_t& ErrorSceneStep = Save.SceneVars[1];   // the step of the fatal error scene
inline int32_t& SceneStep = Save.SceneVars[2];        // the step of the opening, title and game over
inline int32_t& PanchoNameKnown = Save.SceneVars[3];  // read by one talk; nothing writes it
inline int32_t& ObjectVariant = Save.SceneVars[5];    // scene-wide variant of the modules; always 0
inline int32_t& MenuLoadSlot = Save.SceneVars[6];     // the slot picked in the pause menu's load page
inline int32_t& JoypadListCursor = Save.SceneVars[34];
inline int32_t& RideCount = Save.SceneVars[35];        // landings on solid actors this frame
inline int32_t& EventSubCounter = Save.SceneVars[38];  // frames counted inside one event step
// Her PosX, PosY and the camera's x, y when she died (200..203); x 0 while nothing is recorded.
inline int32_t* const DeathRecord = &Save.SceneVars[200];

// One frame of the game.
int RunFrame(Window window);
// The set-up of a new game, on the first frame.
void NewGameInit();
// The four world passes: each calls the modules' routines in a fixed order.
void UpdateObjects();
void RunObjectPass2();
void RunObjectPass3();
void DrawObjects();

// Runs whatever stands over the world this frame; 1 when the world runs too.
uint32_t DispatchSubMode();
// Stage 1 of the start sequence until the title screen and the opening are built: the game goes
// straight to the cave, where the opening leaves the heroine, with the HUD shown, and the world
// runs. Returns 1, as the title does.
uint32_t EnterCaveInPlaceOfTitle();
// One step of the fatal error scene.
void RunFatalErrorScene();

// The steps that each step machine on SceneVars knows: a loaded save keeps a known step and
// starts any other machine over at 0.
bool IsKnownMenuState(int32_t state);      // the pause menu
bool IsKnownErrorSceneStep(int32_t step);  // the fatal error scene
bool IsKnownSceneStep(int32_t step);       // the opening, the title screen and the game-over scene
