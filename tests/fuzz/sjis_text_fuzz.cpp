// Shift-JIS text: the input is a message as the game's texts come (any bytes, cut anywhere), shown
// through the message window and typed into the text entry box. Layout of an input:
//
//   byte 0  the window's type (10, 15 or 24 characters a line, or any other value)
//   byte 1  the number of choice lines (0..11: 11 is refused); bit 7 the lower placement
//   byte 2  the default choice
//   byte 3  bit 0: the choices are not timed (OpenMessage's last argument)
//   then, each ended by a 0 byte: the speaker, the text, one field per choice line (up to 49
//   bytes of it, unterminated when it is that long), the name in the entry box
//   the rest, two bytes a frame: the buttons held (bits: up, down, confirm, cancel, menu) and
//   the key last pressed
//
// The window runs frame by frame (typewriter, paging, choices) until it closes or the frames run
// out; then the entry box edits the name, and a confirmed name becomes the speaker of the
// editor's question, as the map editor's file dialogs do.
#include <algorithm>
#include <cstring>
#include <string>

#include "backend/common/sjis.h"
#include "editor/map_editor.h"
#include "fuzz/fuzz_targets.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "support/game_reset.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

constexpr int kMaxFrames = 600;
constexpr int kButtons[] = {kButtonUp, kButtonDown, kButtonJump, kButtonAction, kButtonMenu};

// Reads the input field by field.
struct Reader {
  const uint8_t* at;
  const uint8_t* end;

  uint8_t Byte() { return at < end ? *at++ : 0; }
  // The bytes up to the next 0 (or the end), and past that 0.
  std::string Field() {
    const uint8_t* stop = std::find(at, end, 0);
    std::string s(at, stop);
    at = stop < end ? stop + 1 : end;
    return s;
  }
};

// One frame as the message loop runs it for the window: this frame's buttons become the newest
// mask of the history, the key its last key, then the window's update and the counters' tick.
int32_t RunFrame(Reader& script) {
  const uint8_t buttons = script.Byte();
  uint32_t mask = 0;
  for (size_t k = 0; k < std::size(kButtons); ++k)
    if ((buttons >> k & 1) != 0) mask |= ButtonBits[kButtons[k]];
  std::memmove(&ButtonHistory[1], &ButtonHistory[0], sizeof ButtonHistory - sizeof ButtonHistory[0]);
  ButtonHistory[0] = mask;
  LastKey = script.Byte();
  const int32_t result = UpdateMessage();
  TickFrame();
  return result;
}

// Frames until the window gives a result other than "still open" or the script ends.
int32_t RunUntilClosed(Reader& script, int& frames) {
  int32_t result = 255;
  while (result == 255 && script.at < script.end && frames++ < kMaxFrames) result = RunFrame(script);
  return result;
}

// The state the window and the entry box depend on, as the start of a game has it.
void ResetWindowState() {
  if (DisplayReady != 1) StartTestDisplay();
  MessageWindow = MessageWindowRecord{};
  TextEntry = TextEntryRecord{};
  InitCounters();
  std::fill(std::begin(ButtonHistory), std::end(ButtonHistory), 0u);
  for (int i = 0; i < kButtonCount; ++i) ButtonBits[i] = DefaultButtonBit(i);
  InputLock = 0;
  LastKey = 0;
}

}  // namespace

int FuzzSjisText(const uint8_t* data, size_t size) {
  ResetWindowState();
  Reader in{data, data + size};
  static constexpr int kTypes[] = {10, 15, 24};
  const uint8_t type = in.Byte();
  const uint8_t count_byte = in.Byte();
  const int choice_count = (count_byte & 0x7F) % 12;
  const int default_choice = in.Byte() % std::max(choice_count, 1);
  const int flags = in.Byte() & 1;
  const std::string speaker = in.Field();
  const std::string text = in.Field();
  char choices[11][49] = {};
  for (int i = 0; i < choice_count; ++i) {
    const std::string line = in.Field();
    std::memcpy(choices[i], line.data(), std::min(line.size(), sizeof choices[i]));
  }
  char name[kEditorFileNameLength + 1] = {};
  const std::string initial_name = in.Field();
  std::memcpy(name, initial_name.data(), std::min(initial_name.size(), sizeof name - 1));

  // Decoding as the text output does it.
  backend::SjisToUtf8(speaker.c_str());
  backend::SjisToUtf8(text.c_str());

  int frames = 0;
  const int window_type = type < 3 ? kTypes[type] : type;
  if (OpenMessage(window_type, choice_count, default_choice, speaker.c_str(), text.c_str(), choices, flags) == 0) {
    SetMessageOption(count_byte >> 7);
    RunUntilClosed(in, frames);
  }
  CloseMessage();

  OpenTextEntry(speaker.c_str(), 0x00FFFF00, name, kEditorFileNameLength, &LastKey);
  if (RunUntilClosed(in, frames) == 0) {
    static const char kQuestion[2][49] = {"キャンセル", "ＯＫ"};
    OpenMessage(10, 2, 0, name, nullptr, kQuestion, 1);
    RunUntilClosed(in, frames);
  }
  CloseTextEntry();
  CloseMessage();
  return 0;
}
