// The soak: the game played by random buttons, frame after frame, on the headless backend through
// the frame harness, program after program, each program started somewhere else in the world.
//
// Random buttons from the title seldom take a game past the cave's first rooms, so first the soak
// makes saves as a player makes them: the game's route (support/walkthrough.h) played by the
// route driver from a new game to each shrine on the way, and saved at the statue. Then each
// program starts at one of the starts in turn: the title (a new game or a load, as the random keys
// choose), the title's new game, or a save loaded from the title's menu: in the save room, out of
// its door at the shrine, or on along the route to a place beside groups that the random keys
// would reach from a shrine only by luck: in the cave's first enemies' hall, beyond its barrier,
// on the steps down, at the elevator's foot, between the weights, before the first pit's lifts,
// in the control room, at the exit door, the lava's edge, the shaft's foot and the storage room;
// in the corridor west of the stump, at the low passage and the east end; in the boss room before,
// during and after the fight; on the town's streets, in the inn, the clinic, the teacher's house
// and room, the test hall and its upper room. There the random keys take over. Every placed group
// stands in view of some start when its keys take over, so a whole run's verdict rests on where
// the starts stand, not on the seed (SoakOptions::frames_per_start shows it; tests/soak/run-seeds
// plays that and the whole soak over many seeds).
//
// The keys go down at random and stay down for random lengths (a tap, a short hold, a long walk),
// several at once; the menu key and the display switch come rarely. The random player leans
// towards what reaches things: for a while one way along the map is favoured, walked often and
// long, until a wall stops her; once she has looked round where she came in, Up comes often where
// she stands at something Up starts (a door, a sign, a machine, the statue); the action button
// beside a townsperson. From the title the player now and then watches the demo first. A quit
// ends the program as it ends the real one, and so does closing the window, which the player does
// when the start's share of the frames is played, when she has lain dead a while, or, from the
// title, once the opening is over; the next program starts fresh on the same Data folder (its
// maps and whatever saves the earlier programs wrote), from the same start until its share is
// played, then from the next.
//
// What it looks for, besides the sanitizers' reports, is a game that stops answering:
// - GameMode 254 (the halted game), the debug menu or the map editor: play never opens them;
// - something left standing over the world: a talk, an event, a menu, the title, the opening,
//   the game-over scene. Two bounds for each kind (kSoakBounds): the frames it may stand in all,
//   and the frames it may stand without progress (its step counter unchanged and no line of the
//   message window closed or chosen);
// - anything written on standard output or standard error;
// - a save or a way to a start that the route driver could not play;
// - an actor group that a map's layer 4 places and that the random keys never drove there: no
//   frame of theirs with a slot of it active in the camera's view, and none in which she touched
//   it (her body, her feet or a shot of hers meeting it, a ride on it, its life falling, a talk
//   with it). Only the random keys' frames count, never the route driver's (the saves, the ways to
//   the starts): a group the random keys do not reach needs a start near it. A whole run checks
//   every group placed on a map play can enter, and fails too for such a map the random keys
//   never played; the slice only the groups placed near its shrine. A start left out
//   (SoakOptions::without) leaves what it is there for checked, so the run fails for the groups
//   only it drove.
// Each map's frames and each placed group's frames on screen and frames touched are reported,
// and for each start the placed groups it drove.
//
//   const SoakResult r = RunSoak({.seed = 1, .frames = 100000});
//   EXPECT_TRUE(r.findings.empty());
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <map>
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
  int frames = 3000;  // of random buttons, in all, shared evenly among the starts
  // When above 0, each start plays this many instead: with a few frames each, only what stands in
  // view where a start leaves the random keys is driven, whatever the seed.
  int frames_per_start = 0;
  // Only the title's start and the first shrine's (whose save takes only the opening to make),
  // and only the groups placed near that shrine checked; otherwise every start, every map and
  // every placed group.
  bool slice = false;
  // Starts left out, by name; what they are there for is checked all the same.
  std::vector<std::string> without = {};
  int max_findings = 10;  // the soak ends early after this many
};

// A group as the random keys met it on one map.
struct GroupPlay {
  int on_screen = 0;  // frames a slot of it stood active in the camera's view
  int touched = 0;    // frames she touched it, stood on it, hit it or talked with it
  bool Driven() const { return on_screen > 0 || touched > 0; }
};

// A map as the soak played it.
struct MapPlay {
  int frames = 0;                     // of the random keys on it
  std::array<GroupPlay, 256> groups;  // every group but hers
  std::bitset<256> placed;            // the groups its layer 4 places
  std::bitset<256> checked;           // those the run checks were driven
};

// A start as the soak played it.
struct StartPlay {
  std::string name;
  int programs = 0;
  int frames = 0;  // of the random keys from it
  int driven = 0;  // of the route driver on the way to it: the title's load and the way on
  std::map<std::string, int> maps;                // the random keys' frames from it on each map
  std::map<std::string, std::bitset<256>> drove;  // the placed groups they drove there
};

struct SoakResult {
  int frames = 0;                     // of the random keys
  int driven = 0;                     // of the route driver: the saves made and the ways to the starts
  int programs = 0;                   // started: one at each start, and one more after each quit
  std::vector<std::string> findings;  // each names the frame, the program and what was found
  std::array<int, kStandingKinds> started{};       // the stretches of each kind
  std::array<int, kStandingKinds> longest{};       // the longest stretch of each kind
  std::array<int, kStandingKinds> longest_idle{};  // the longest stretch of each without progress
  std::map<std::string, MapPlay> maps;             // every map of the Data folder, by name
  std::vector<StartPlay> starts;
  std::string output;  // what the game wrote on stdout and stderr
};

SoakResult RunSoak(const SoakOptions& options);

// The figures of a result: the maps with their frames and groups, the starts, the longest stretch
// of each kind, the findings.
std::string DescribeSoak(const SoakResult& result);
