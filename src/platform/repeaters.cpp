#include "platform/repeaters.h"

#include "actors/actor_table.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "platform/utils.h"

SoundRepeatTable SoundRepeats = {};
EmitterTable Emitters = {};

namespace {

constexpr int kImpactSound = 29;
constexpr int kImpactGroup = 110;

}  // namespace

void InitRepeaters() {
  SoundRepeats = SoundRepeatTable{};
  SoundRepeats.initialised = 1;
  ClearEmitters();
  MusicPath[0] = '\0';
}

// ---- sounds --------------------------------------------------------------------------------

void QueueRepeatedSound(int slot, int frames, int interval) {
  for (SoundRepeat& e : SoundRepeats.entries) {
    if (e.active != 0) continue;
    // An interval of 0 or less has no period; it counts as every frame.
    e = SoundRepeat{1, static_cast<uint32_t>(slot), frames, interval > 0 ? interval : 1};
    return;
  }
}

void RunRepeatedSounds() {
  for (SoundRepeat& e : SoundRepeats.entries) {
    if (e.active == 0) continue;
    if (e.frames_left % e.interval == 0) PlaySound(static_cast<int>(e.slot));
    if (e.frames_left > 0) {
      --e.frames_left;
    } else {
      e.active = 0;
    }
  }
}

// ---- emitters ------------------------------------------------------------------------------

void ClearEmitters() {
  for (Emitter& e : Emitters.entries) e = Emitter{0, 0, 0, 0, 0, 0, 1, 0};
  Emitters.initialised = 1;
}

void AddEmitter(int x, int y, int range_x, int range_y, int parameter, int count, int interval) {
  for (Emitter& e : Emitters.entries) {
    if (e.count > 0) continue;
    e = Emitter{count, x, y, range_x, range_y, parameter, interval > 0 ? interval : 1, 0};
    return;
  }
}

void RunEmitters() {
  if (Emitters.initialised == 0) {
    ClearEmitters();
    return;
  }
  for (Emitter& e : Emitters.entries) {
    if (e.count <= 0) continue;
    e.phase = e.phase >= 256 ? 0 : e.phase + 1;
    if (e.phase % e.interval != 0) continue;
    const int sign_x = Random(2) != 0 ? -1 : 1;
    const int sign_y = Random(2) != 0 ? -1 : 1;
    --e.count;
    const int spawn_y = e.y + Random(e.range_y) * sign_y;  // y is drawn before x
    const int spawn_x = e.x + Random(e.range_x) * sign_x;
    SpawnActor(kImpactGroup, spawn_x, spawn_y, e.parameter, -1);
    QueueRepeatedSound(kImpactSound, 1, 1);
  }
}
