// The option menus that the title screen and the pause menu share: the music volume, the
// sound-effect volume, the joypad button assignment with its reset and, in the pause menu only,
// the background-drawing load. They run as steps of the caller's own step variable (700..926,
// and 620, 621 for the drawing load); each step opens a choice list of the message window or
// reads its result. The settings live in the save block, so a loaded game brings its own.
#pragma once

#include <cstdint>

// What differs between the two callers.
struct OptionMenuCaller {
  int32_t& step;                    // the caller's step variable
  int32_t back;                     // the caller's own menu, where leaving the options goes
  bool graphics_line;               // the option list offers the background-drawing load
  const char (*button_labels)[49];  // the nine functions of the button list, in its order
  bool low_window;                  // every list opens lower and further left
  // The music list plays this file at a chosen level and stops it when the list is left;
  // nullptr plays the music last asked for again and leaves it playing.
  const char* list_music;
};

// The pause menu on MenuState, back to its main menu (0), five lines with the drawing load.
extern const OptionMenuCaller kPauseMenuOptions;
// The title screen on SceneStep, back to the title menu (400), four lines, the window low.
extern const OptionMenuCaller kTitleOptions;

// The step that opens the option list.
constexpr int32_t kOptionMenuStep = 700;

// A step of the caller that the option menus run.
bool IsOptionMenuStep(const OptionMenuCaller& caller, int32_t step);
// One step of the option menus on the caller's step variable.
void RunOptionMenus(const OptionMenuCaller& caller);
