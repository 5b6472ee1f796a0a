// MIDI files: the input is the song's file. The music player loads it and is stepped one
// millisecond at a time, as its timer would step it, until every track has ended and the song
// has started over (or for at most a minute of music), with a fade on the way. What it sends
// goes to the synthesiser, as in the game, and a little of its sound is mixed every second.
#include <vector>

#include "audio/midi_play.h"
#include "audio/music.h"
#include "backend/headless/headless.h"
#include "fuzz/fuzz_scratch.h"
#include "fuzz/fuzz_targets.h"
#include "platform/host_midi.h"

namespace {

constexpr int kMaxSteps = 60000;
constexpr int kStepsAfterTheEnd = 50;
constexpr int kFadeAt = 500;
constexpr int kMixFrames = 1024;

bool AnyTrackPlays(const MidiPlay& p) {
  for (int i = 0; i < p.track_count; ++i)
    if (p.tracks[i].active != 0) return true;
  return false;
}

// The player's own values as a fresh process has them.
void ResetPlayer(MidiPlay& p) {
  p.Stop();
  p.FreeTracks();
  p.format = p.division = 0;
  p.tempo = 0;
  p.elapsed_ms = p.tick_base = 0;
  for (MidiChannelState& c : p.channels) c = MidiChannelState{};
  p.transpose = 0;
  p.fade_level = 0;
  p.fade_level_int = p.volume_offset = p.mute = p.fading = p.fade_length = p.fade_count = 0;
}

}  // namespace

int FuzzMidiFile(const uint8_t* data, size_t size) {
  UseScratchFolder();
  headless::UseSynth(true);  // nothing happens when there is no SoundFont: the recorder still listens
  WriteScratchFile("SONG.MID", data, size);
  MidiPlay& p = MusicPlayers[0];
  ResetPlayer(p);
  CurrentSong = 0;
  BgmChannelVolume = 100;
  BgmFadeVolume = 48;
  p.Load("./Data/SONG.MID");
  p.Rewind();
  p.out.Open(host::kMidiMapper);

  int after_the_end = 0;
  std::vector<int16_t> sound(2 * kMixFrames);
  for (int step = 0; step < kMaxSteps && after_the_end < kStepsAfterTheEnd; ++step) {
    if (step == kFadeAt) p.StartFade(300);
    if (!AnyTrackPlays(p)) ++after_the_end;
    p.OnTimer();
    if (step % 1000 == 999) {
      headless::MixAudio(sound.data(), kMixFrames);
      headless::ClearMidiOutEvents();  // the recorder would grow without end
    }
  }
  headless::MixAudio(sound.data(), kMixFrames);
  // The synthesiser stays from one input to the next, as in the game: opening the device resets
  // it.
  ResetPlayer(p);
  headless::ClearMidiOutEvents();
  return 0;
}
