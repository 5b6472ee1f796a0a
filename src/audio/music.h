// The music interface: the game starts and stops its background music through these few calls
// over a table of MIDI players (only player 0 is used). A song plays looping at the options'
// music volume; a music volume of 0 loads no song at all, and every scene change stops it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "audio/midi_play.h"

constexpr int kMusicPlayerCount = 256;
constexpr size_t kMusicPathSize = 128;

extern MidiPlay MusicPlayers[kMusicPlayerCount];
// The player that plays or played last; read by the timer thread.
extern std::atomic<int32_t> CurrentSong;
// The file last asked for by PlayMusic (emptied at start-up); the pause menu plays it again.
extern char MusicPath[kMusicPathSize];

// Remembers the path, stops the music, and unless the music volume is 0 plays the file from
// its beginning, looping. Nothing plays when the file cannot be opened.
void PlayMusic(const char* path);
void StopMusic();
void StopSong();       // the current player: timer stopped, device closed
void StopSongReset();  // the same, every note off first
void LoadSong(int player, const char* path, int32_t volume);
void PlaySong(int player);

// Not called by the game.
void PlayMusicAtVolume(const char* path, int32_t volume);
void FadeOutMusic(int length);
void FadeOutSong(int length);
void FadeOutSong750();
void ResendSongVolume(int32_t volume, int player);
