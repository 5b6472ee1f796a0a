// The soak: the game played from its title by random buttons, frame after frame, on the headless
// backend through the frame harness. Keys go down at random and stay down for random lengths (a
// tap, a short hold, a long walk), several at once; the menu key and the display switch come
// rarely. A quit ends the program as it ends the real one, and so does closing the window, which
// the player does after a random length of play; the next program starts fresh on the same Data
// folder (its maps, games saved further on for a load to reach, and whatever saves the earlier
// programs wrote) and play goes on.
//
// What it looks for, besides the sanitizers' reports, is a game that stops answering:
// - GameMode 254 (the halted game), the debug menu or the map editor: play never opens them;
// - something left standing over the world: a talk, an event, a menu, the title, the opening,
//   the game-over scene. Two bounds for each kind (kSoakBounds): the frames it may stand in all,
//   and the frames it may stand without progress (its step counter unchanged and no line of the
//   message window closed or chosen);
// - anything written on standard output or standard error.
//
//   const SoakResult r = RunSoak({.seed = 1, .frames = 10000});
//   EXPECT_TRUE(r.findings.empty());
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

// What stands over the world, as the soak tells the kinds apart.
enum class Standing { kNone, kTalk, kGuideEvent, kFieldEvent, kPauseMenu, kErrorScene, kOpening, kTitle, kGameOver };
constexpr int kStandingKinds = 9;
const char* StandingName(Standing kind);

struct StandingBound {
  int frames;  // the longest it may stand at one stretch
  int idle;    // the longest it may stand without progress
};
extern const std::array<StandingBound, kStandingKinds> kSoakBounds;

struct SoakOptions {
  uint32_t seed = 1;  // of the buttons; each program's game runs on the harness's fixed seed
  int frames = 3000;
  int max_findings = 10;  // the soak ends early after this many
};

struct SoakResult {
  int frames = 0;
  int programs = 0;                   // started: the first and one after each quit
  std::vector<std::string> findings;  // each names the frame, the program and what was found
  std::array<int, kStandingKinds> longest{};       // the longest stretch of each kind
  std::array<int, kStandingKinds> longest_idle{};  // the longest stretch of each without progress
  std::set<std::string> maps;                      // every map that was played
  std::string output;                              // what the game wrote on stdout and stderr
};

SoakResult RunSoak(const SoakOptions& options);

// The figures of a result, one line per kind, for a report.
std::string DescribeSoak(const SoakResult& result);
