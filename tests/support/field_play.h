// Playing a field event as a player does: she stands at its number, presses Up, reads each line
// with the jump button and answers each menu with Down and jump (or backs out with the action
// button), while the test looks at what the message window shows.
//
//   FieldPlay play(game);
//   play.StandAt(164, 19, 416);              // her middle at the number's left tile's right edge
//   play.PressUp();
//   EXPECT_EQ(play.Await(), (Shown{"【石像】", "「汝、...」"}));
//   play.Close();
//   EXPECT_EQ(play.Await().choices[0], "キャンセル");
//   play.Choose(1);
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class FrameHarness;

// What the message window shows: the speaker, the text and the choice lines (none for a line).
struct Shown {
  std::string speaker, text;
  std::vector<std::string> choices = {};
  bool operator==(const Shown&) const = default;
};
// Printed in UTF-8.
void PrintTo(const Shown& shown, std::ostream* out);

// The new game's first frames, in the cave with its picture faded in, and every enemy removed so
// that nothing hurts her while she stands at a number.
void EnterCaveWithoutEnemies(FrameHarness& game);

class FieldPlay {
 public:
  explicit FieldPlay(FrameHarness& game) : game_(game) {}

  // Puts her standing on the floor whose top is `floor` (pixels) with her middle on the line
  // between column `col` and the next, free and at rest, and checks that `number` lies under her.
  void StandAt(uint32_t number, int col, int floor);
  // Up down for one frame, then up: the event under her starts.
  void PressUp();
  // Runs frames until the window is open (at most 20) and gives what it shows; an empty Shown
  // when none opened.
  Shown Await();
  // Presses jump until the open line closes (the first press shows it whole); true when it closed.
  bool Close();
  // Moves the cursor down `line` times from the first line and presses jump: the window's result.
  int32_t Choose(int line);
  // Presses the action button, which backs out of a menu: the window's result.
  int32_t Cancel();
  // Runs frames until no event stands (at most `frames`): true when it ended.
  bool AwaitEnd(int frames = 200);
  // Every line and menu shown until the event ends, each line closed and each menu answered with
  // its first line, which backs out.
  std::vector<Shown> ReadToTheEnd();

 private:
  // The button down for one frame: the window's result of that frame; then up for one frame.
  int32_t Press(int entry);

  FrameHarness& game_;
};
