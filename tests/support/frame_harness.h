// The frame harness: runs the real game frame by frame on the headless backend, with a fixed
// clock and random seed and the keys a test holds, so that any behaviour of the game can be
// played and checked.
//
//   FrameHarness game;                 // a fresh process: start-up, window, display, seed 1
//   game.Run();                        // the first frame: the new game, the title screen
//   game.Hold(vk::Right);              // keys stay down across frames...
//   game.Run(30);
//   game.Release(vk::Right);
//   game.Tap(vk::Escape);              // ...or are down for one frame
//   game.PressButton(kButtonJump);     // a logical button, through its first key
//   EXPECT_EQ(SubMode, 6);             // the game's globals are read directly
//   game.SavePicture("/tmp/f.png");    // the back buffer as this frame drew it
//   game.Draws(3);                     // the commands this frame queued on draw-queue layer 3
//   game.Sounds();                     // every effect played so far: slot, copy, volume, frame
//
// Each frame runs as the message loop runs it: the waiting messages first (keys, the one-second
// timer, a display switch), then RunFrame and the frame counters. "./Data/" is the Data folder
// inside `folder`: by default a folder of its own holding copies of the maps the build made (so
// the title and every scene after it find their maps) and no saves; or an empty one:
// FrameHarness game(HarnessData::Empty).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/played_sounds.h"
#include "world/draw_queue.h"

// A new empty folder in the temporary directory named `prefix`_<pid>_<n>, made for this process.
// Any folder of that name was left by a process that had this pid and died before it cleaned up:
// its saves and maps are stale, so it goes first.
std::string FreshProcessFolder(const std::string& prefix);

// What the Data folder of a harness's own folder holds at the start.
enum class HarnessData { Empty, BuiltMaps };

class FrameHarness {
 public:
  explicit FrameHarness(uint32_t seed = 1, const std::string& folder = "")
      : FrameHarness(HarnessData::BuiltMaps, seed, folder) {}
  explicit FrameHarness(HarnessData data, uint32_t seed = 1) : FrameHarness(data, seed, "") {}
  ~FrameHarness();
  FrameHarness(const FrameHarness&) = delete;
  FrameHarness& operator=(const FrameHarness&) = delete;

  // Runs frames; stops early when the program ends (Running 0).
  void Run(int frames = 1);
  // One frame per element, with exactly those keys held during it.
  void RunScript(const std::vector<std::vector<uint8_t>>& keys_per_frame);

  void Hold(uint8_t vk);
  void Release(uint8_t vk);
  void ReleaseAll();
  // The key down for one frame, then up (two frames in all).
  void Tap(uint8_t vk);
  // The logical button through the first key bound to its bit.
  void HoldButton(int entry);
  void ReleaseButton(int entry);
  void PressButton(int entry);

  int frames() const { return frames_; }
  // The folder that holds "Data/".
  const std::string& folder() const { return folder_; }
  bool SavePicture(const std::string& path) const;
  std::vector<DrawCommand> Draws(int layer) const;
  std::vector<PlayedSound> Sounds() const;

 protected:
  // Seed 1 on `folder`, which holds "Data/"; with `sound` false the machine has no audio device,
  // so no effect is loaded or heard (and the start-up is quicker).
  FrameHarness(const std::string& folder, bool sound) : FrameHarness(HarnessData::Empty, 1, folder, sound) {}

 private:
  // `data` says what the Data folder holds when the harness makes its own folder.
  FrameHarness(HarnessData data, uint32_t seed, const std::string& folder, bool sound = true);
  uint8_t KeyOf(int entry) const;
  void PumpMessages();

  int frames_ = 0;
  std::string folder_;
  bool own_folder_ = false;
  std::vector<uint8_t> held_;
};
