#include "music.h"

namespace {

constexpr int kPanController = 10;
constexpr int kReverbController = 91;

}  // namespace

TrackWriter Conductor(const std::string& name, int beats_per_minute, const Meter& m) {
  TrackWriter t(name);
  t.Tempo(0, static_cast<uint32_t>(60000000 / beats_per_minute));
  t.TimeSignature(0, m.beats, 4);
  return t;
}

TrackWriter Instrument(const std::string& name, int channel, int program, int pan, int reverb) {
  TrackWriter t(name);
  if (channel != kDrumChannel) t.Program(0, channel, program);
  t.Controller(0, channel, kPanController, pan);
  t.Controller(0, channel, kReverbController, reverb);
  return t;
}

bool WriteMusic(Output& out) {
  const std::vector<uint8_t> town = ComposeTownSong();
  const std::vector<uint8_t> boss = ComposeBossSong();
  if (town.empty() || boss.empty()) return false;
  out.DataFile("TOWN.MID", town);
  out.DataFile("MGYASAU.MDT", boss);
  return true;
}
