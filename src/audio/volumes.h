// The volumes of the options menus, kept in the scene variables so that a save carries them.
#pragma once

#include <cstdint>

#include "world/save_block.h"

// Effect volume in 1/100 dB: 0 full .. -10000 and below mute.
inline int32_t& SoundVolume = Save.SceneVars[32];
// Music level, a MIDI channel volume 0..127: 0 is no music at all.
inline int32_t& MusicVolume = Save.SceneVars[33];
