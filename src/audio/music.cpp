#include "audio/music.h"

#include <cstdio>
#include <cstring>

#include "audio/volumes.h"
#include "platform/files.h"

std::atomic<int32_t> CurrentSong{0};
MidiPlay MusicPlayers[kMusicPlayerCount];
char MusicPath[kMusicPathSize] = "";

namespace {

constexpr int kSongPlayer = 0;
constexpr int kShortFade = 750;

MidiPlay* PlayerOf(int player) {
  return player >= 0 && player < kMusicPlayerCount ? &MusicPlayers[player] : nullptr;
}

bool CanOpen(const char* path) {
  FILE* f = OpenFile(path, "rb");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}

// Loads the file into the song player and plays it, when the file can be opened.
void StartSong(const char* path, int32_t volume) {
  if (!CanOpen(path)) return;
  LoadSong(kSongPlayer, path, volume);
  PlaySong(kSongPlayer);
}

}  // namespace

void PlayMusic(const char* path) {
  if (path == nullptr) return;
  // The pause menu passes MusicPath itself: copying it onto itself would be an overlapping copy.
  if (path != MusicPath) std::snprintf(MusicPath, sizeof MusicPath, "%s", path);
  StopSongReset();
  if (MusicVolume != 0) StartSong(path, MusicVolume);
}

void StopMusic() { StopSong(); }

void StopSong() {
  if (MidiPlay* p = PlayerOf(CurrentSong)) p->Stop();
}

void StopSongReset() {
  if (MidiPlay* p = PlayerOf(CurrentSong)) p->StopReset();
}

void LoadSong(int player, const char* path, int32_t volume) {
  MidiPlay* p = PlayerOf(player);
  if (p == nullptr) return;
  BgmChannelVolume = volume;
  BgmFadeVolume = 0;
  p->Load(path);
  BgmFadeVolume = volume;
}

void PlaySong(int player) {
  MidiPlay* p = PlayerOf(player);
  if (p == nullptr) return;
  if (MidiPlay* current = PlayerOf(CurrentSong)) current->Stop();
  p->Play();
  CurrentSong = player;
}

void PlayMusicAtVolume(const char* path, int32_t volume) {
  if (path == nullptr) return;
  StopSongReset();
  StartSong(path, volume);
}

void FadeOutMusic(int length) { FadeOutSong(length); }

void FadeOutSong(int length) {
  if (MidiPlay* p = PlayerOf(CurrentSong)) p->StartFade(length);
}

void FadeOutSong750() { FadeOutSong(kShortFade); }

void ResendSongVolume(int32_t volume, int player) {
  if (MidiPlay* p = PlayerOf(player)) p->SendChannelVolumes(volume);
}
