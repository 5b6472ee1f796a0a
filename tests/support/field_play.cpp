#include "support/field_play.h"

#include <gtest/gtest.h>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "backend/common/sjis.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/screen_wipe.h"

void PrintTo(const Shown& shown, std::ostream* out) {
  *out << "{" << backend::SjisToUtf8(shown.speaker.c_str()) << " " << backend::SjisToUtf8(shown.text.c_str());
  for (const std::string& c : shown.choices) *out << " [" << backend::SjisToUtf8(c.c_str()) << "]";
  *out << "}";
}

void EnterCaveWithoutEnemies(FrameHarness& game) {
  StartInTheCave(game);
  while (IsFading() == 1) game.Run();
  for (int group = 32; group <= 40; ++group)
    for (int slot = 0; slot < kActorSlots; ++slot) KillActor(group, slot);
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
