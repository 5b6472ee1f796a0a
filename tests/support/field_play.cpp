#include "support/field_play.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "world/map_layers.h"
#include "world/message_window.h"

std::string Utf8(const std::string& text) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string in = text, out(text.size() * 3 + 4, '\0');
  char* from = in.data();
  char* to = out.data();
  size_t left = in.size(), room = out.size();
  iconv(cd, &from, &left, &to, &room);
  iconv_close(cd);
  out.resize(out.size() - room);
  return out;
}

void PrintTo(const Shown& shown, std::ostream* out) {
  *out << "{" << Utf8(shown.speaker) << " " << Utf8(shown.text);
  for (const std::string& c : shown.choices) *out << " [" << Utf8(c) << "]";
  *out << "}";
}

void FieldPlay::StandAt(uint32_t number, int col, int floor) {
  const Actor hero(kHeroineGroup, 0);
  PlaceHeroine(0, (col + 1) * kTileSize - 24, floor - 65, 'R', 'N');
  hero.VelX() = hero.VelY() = 0;
  HeroControl = 0;
  game_.ReleaseAll();
  game_.Run(8);
  EXPECT_EQ(GetTile(hero.PosX() + 24, floor - 1, kEventLayer), number) << "she does not stand at " << number;
}

void FieldPlay::PressUp() { game_.PressButton(kButtonUp); }

Shown FieldPlay::Await() {
  for (int frame = 0; frame < 20 && MessageWindow.open == 0; ++frame) game_.Run();
  if (MessageWindow.open == 0) return {};
  Shown shown{MessageWindow.speaker, MessageWindow.text};
  if (MessageWindow.choice_count >= 2)
    for (int i = 0; i < MessageWindow.choice_count; ++i) shown.choices.push_back(MessageWindow.choices[i]);
  return shown;
}

int32_t FieldPlay::Press(int entry) {
  game_.HoldButton(entry);
  game_.Run();
  const int32_t result = MessageResult;
  game_.ReleaseButton(entry);
  game_.Run();
  return result;
}

bool FieldPlay::Close() {
  for (int press = 0; press < 10; ++press)
    if (Press(kButtonJump) == -2) return true;
  return false;
}

int32_t FieldPlay::Choose(int line) {
  for (int i = 0; i < line; ++i) Press(kButtonDown);
  return Press(kButtonJump);
}

int32_t FieldPlay::Cancel() { return Press(kButtonAction); }

bool FieldPlay::AwaitEnd(int frames) {
  for (int frame = 0; frame < frames && SubMode != kSubWorld; ++frame) game_.Run();
  return SubMode == kSubWorld;
}

std::vector<Shown> FieldPlay::ReadToTheEnd() {
  std::vector<Shown> shown;
  for (int window = 0; window < 40 && SubMode != kSubWorld; ++window) {
    const Shown s = Await();
    if (s == Shown{}) break;
    shown.push_back(s);
    if (s.choices.empty()) {
      Close();
    } else {
      Choose(0);
    }
  }
  AwaitEnd();
  return shown;
}
