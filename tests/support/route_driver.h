// Playing the game's route as a player does, from a walkthrough: a list of waypoints per stretch
// of a map ("walk to column 125", "jump up to the ledge", "Up at the shrine, then the second line
// of its menu"), turned into keys frame by frame.
//
//   RouteDriver route(game, "cave");
//   ASSERT_TRUE(route.Play("the landing", {
//       WalkTo(40),                  // her middle in column 40
//       UpAt(162),                   // the shrine: the save room
//       Arrive("TEMPLE00"),
//       WalkTo(19), UpAt(164, {1}),  // the statue: save in the first slot
//   }));
//
// While it plays, the driver also does what a player does without thinking: it closes the lines
// of talks and events, answers their menus with the answers the route gives, and shoots the
// enemies that come into her line of fire (a crouched shot for the small ones, a shot upwards
// for what flies over her). It reads the game's state (her position, the actor table, the map,
// the message window) to steer by, and writes none of it: everything happens through keys.
//
// After every frame it checks what must hold all through play: the game never halts (GameMode
// 254), she never dies, and no event, menu or talk stands longer than `kLongestStand` frames.
// A failure names the stretch and the waypoint, and the picture of that frame is saved in the
// build folder as playthrough_<name>.png. It fails the running test, or goes to the failure
// sink the driver was given.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "actors/actor_table.h"

class FrameHarness;
class RouteDriver;

// One waypoint: what it is (for the failure message), the keys of each frame until it is
// reached (true when it is), and the frames it may take.
struct Waypoint {
  std::string what;
  std::function<bool(RouteDriver&)> step;
  int cap = 1500;
};
using Route = std::vector<Waypoint>;
// The pieces one after another, as one route.
Route Joined(std::initializer_list<Route> pieces);

// The frames an event, a menu or a talk may stand at the longest.
constexpr int kLongestStand = 600;  // the route's longest is about 260

// Columns and rows of the map, in pixels: the middle of a column, the top of a floor row.
constexpr int Col(int col) { return col * 16 + 8; }
constexpr int Row(int row) { return row * 16; }

// ---- waypoints --------------------------------------------------------------------------------

// Walks (or steers in the air) until her middle is in column `col` and she stands.
Waypoint WalkTo(int col);
// Walks towards column `col` until she is there or a wall (a step, a lip) stops her.
Waypoint WalkAgainst(int col);
// A jump towards column `col`, the jump button held `hold` frames (15 for the full 120 pixels),
// straight up for the first `straight` frames, then steering until her middle is over the column;
// reached when she stands again.
Waypoint JumpTo(int col, int hold = 15, int straight = 0);
// Walks towards column `col` until the guide talk `number` has been heard out (it speaks on the
// way, and may take her elsewhere).
Waypoint WalkUntilHeard(int col, int number);
// Down held for `frames` frames, then let go.
Waypoint Crouch(int frames);
// Walks to column `col` and presses Up there; the event that starts is played through, its menus
// answered with `answers` in turn (a line number each), until the world runs free again.
Waypoint UpAt(int col, std::vector<int> answers = {});
// Waits until the map `name` (as in "./Data/NAME.MDT") is in play, faded in, the world free.
Waypoint Arrive(const char* name);
// Walks up to the townsperson of `group`, presses the action button and hears the talk out.
Waypoint TalkTo(int group);
// Holds `button` while she rides the elevator, until it stops at the end of its shaft.
Waypoint Ride(int button);
// Runs frames with no key down until `until` holds.
Waypoint WaitUntil(std::string what, std::function<bool()> until, int cap = 1500);
// Presses each button in turn (down one frame, up one frame): for the pause menu's pages.
Waypoint Press(std::vector<int> buttons);
// Moves the arrow of the open choice list to `line` and confirms it with the jump button.
Waypoint MenuLine(int line);
// Shoots ahead `shots` times, crouched or standing, facing `facing` (1 right, -1 left).
Waypoint Shoot(int facing, bool crouched, int shots);
// From the first frame of the title: the demo skipped, the title's menu waiting for a line.
Waypoint TitleMenu();
// The opening played through, each of its lines closed, until the world runs free in the cave.
Waypoint Opening();

// ---- the driver -------------------------------------------------------------------------------

// Where a driver's failures go: the text that names them.
using RouteFailureSink = std::function<void(const std::string&)>;

class RouteDriver {
 public:
  // Without a sink, a failure fails the running test.
  RouteDriver(FrameHarness& game, std::string name, RouteFailureSink sink = {});

  // Plays the waypoints in order. False, with a failure naming `stretch` and the waypoint and
  // the picture saved, when one is not reached within its cap or a check fails.
  bool Play(const std::string& stretch, const Route& route);
  // Fails the test (naming `what`) and saves the picture of this frame.
  void Fail(const std::string& what);

  // ---- for the waypoints ----
  // One frame with the buttons held now; then the checks.
  void Frame();
  void Hold(int button);
  void Release(int button);
  void ReleaseAll();
  // The button down on even ticks and up on odd ones, for a press every other frame.
  void Tap(int button);
  // An event, a talk or a guide talk stands (SubMode 3, 4 or 5).
  static bool EventStands();
  // The world runs free: no sub-mode, no fade.
  static bool WorldFree();
  // She stands on a floor or on a solid actor (crouched or not).
  static bool Standing();
  // Her body's middle.
  static int Middle();
  void QueueAnswers(const std::vector<int>& answers);
  bool AnswersLeft() const { return !answers_.empty(); }
  // The waypoint's own counters, zero at its start.
  int phase = 0;
  int count = 0;
  bool started_event = false;  // an event stood since the waypoint began

  int frames() const { return frames_; }
  int longest_stand() const { return longest_stand_; }
  bool failed() const { return failed_; }

 private:
  // Plays a frame of the standing event's message window: closes its line or answers its menu;
  // false when no window is open.
  bool ServeWindow();
  // Shoots at an enemy in her line of fire; false when there is none to shoot this frame.
  bool Fight();
  // With half her HP or less, or no more than a wisp takes while she could hold more, eats or
  // drinks what in the bag gives HP back (the item buttons
  // move the bag's cursor to it); false when she need not or cannot.
  bool Heal();
  void Check();
  bool GaveUp(int group, int slot) const;

  FrameHarness& game_;
  std::string name_;
  RouteFailureSink sink_;
  std::string where_;
  std::deque<int> answers_;
  int frames_ = 0;
  int tick_ = 0;
  int stand_ = 0, stand_mode_ = 0, stand_arg_ = 0;
  int longest_stand_ = 0;
  bool failed_ = false;
  bool trace_;  // TOVIA_ROUTE_TRACE set: each waypoint printed as it begins
  // The enemy she shoots at and since when its life last fell; ones she could not hurt wait.
  int target_group_ = 0, target_slot_ = -1, target_life_ = 0, target_frames_ = 0;
  struct GivenUp {
    int group, slot, frame;
  };
  std::vector<GivenUp> given_up_;
};
