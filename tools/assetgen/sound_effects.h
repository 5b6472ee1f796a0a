// The designs of the game's 33 sound effects, one function per effect, each made for the place
// where its slot is played.
#pragma once

#include "sound_kit.h"

// An effect's two channels, of one length; a mono slot takes their mean.
struct Effect {
  sfx::Signal left, right;
};

// The effect of slot 0..32 synthesised at `rate`, levelled for its role and silent at both ends.
Effect DesignEffect(int slot, int rate);
