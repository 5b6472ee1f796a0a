// The field events that trade with the player or change lasting state: the save statue (writes a
// save file), the drink and food vending machines, the waterworks control machine (unlocks the
// water door), the two paintings with hidden buttons, the clinic (heals for a fee) and the two
// chests of the cave's storage room. Each is a step machine called once a frame while it stands;
// all step EventStep[2] except the save statue, which steps EventStep[164].
#pragma once

#include <cstdint>

// The first step of the save statue and the drink machine: the heroine frozen in the door pose
// facing left, her pad cleared.
void FreezeHeroine();

// The save statue: a prayer, then the save menu of the three slots.
void FieldEvent164();

// The drink machine: a menu of three drinks, each paid and bagged by the machine itself.
void FieldEvent256();
// The food machine: a menu of two foods, bought through BuyItem.
void FieldEvent259();

// The waterworks control machine: the insect's warning before the water-pressure talk, the
// operation that opens the valve, and nothing once it has been operated.
void FieldEvent257();

// A painting with a hidden button. Each has its own button flag and reads the other's.
struct PaintingRow {
  int32_t number;
  int32_t own_flag, other_flag;  // in bank 1
  const char* plain;             // her line while the paintings may not be examined closely
  const char* first_look;        // the insect recognises the picture
  const char* question;
  const char* explanation;
  const char* discovery;         // she finds the button and presses it
  const char* remark;
};
extern const PaintingRow kPaintings[2];  // 280 the vase painting, 281 the red building
void RunPainting(const PaintingRow& painting);

// The clinic's reception: 30 yen with the health-insurance card, 500 without, then the
// consultation room with HP and MP full.
void FieldEvent317();

// A chest of the cave's storage room, whose number is also its flag in bank 1: opened, it gives
// its contents and says so (the card key with its picture beside the line, then the insect's
// line); opened again it is empty.
struct ChestRow {
  int32_t number;
  void (*give)();
  const char* found;
  bool with_picture;        // the card key's picture beside the found line
  const char* insect_line;  // after the found line, or nullptr
  const char* empty_speaker;
  const char* empty_line;
};
extern const ChestRow kChests[2];  // 1001 the 1000 yen, 1004 the card key
void RunChest(const ChestRow& chest);
