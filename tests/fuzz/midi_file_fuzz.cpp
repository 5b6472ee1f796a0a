// MIDI files: the input is the song's file. The music player loads it and is stepped one
// millisecond at a time, as its timer would step it, until every track has ended and the song
// has started over (or for at most a minute of music), with a fade on the way.
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
  for (int step = 0; step < kMaxSteps && after_the_end < kStepsAfterTheEnd; ++step) {
    if (step == kFadeAt) p.StartFade(300);
    if (!AnyTrackPlays(p)) ++after_the_end;
    p.OnTimer();
    if (step % 1000 == 999) headless::ClearMidiOutEvents();  // the recorder would grow without end
  }
  ResetPlayer(p);
  headless::Reset();
  return 0;
}
