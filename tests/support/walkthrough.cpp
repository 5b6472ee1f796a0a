#include "support/walkthrough.h"

#include "actors/actor_table.h"
#include "platform/input.h"
#include "world/flags.h"

namespace {

// The piston weight in the waterworks' hall is on its way up, high enough and with far enough
// still to rise that she walks under it.
bool PistonRising() {
  const Actor piston(74, 0);
  const int height = Row(88) - (piston.PosY() + 64);
  return piston.MoneyReward() == 0 && height >= 40 && height <= 100;
}

// Every Kawachan on the floor whose top is row `floor` is at least `distance` pixels east of
// column `col` and walks away eastwards: she can come up there with her back to none and shoot
// it before it turns, walks up to her or throws.
bool KawachansAwayEast(int col, int floor, int distance) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor k(35, slot);
    if (k.State() != kActorActive || k.BodyBox().bottom != Row(floor)) continue;
    if (k.CentreX() - Col(col) < distance || k.FaceX() != 1) return false;
  }
  return true;
}

// A Kawachan on the floor whose top is row `floor` stands by the wall west of column `col`,
// facing west.
bool KawachanWaitsAt(int col, int floor) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor k(35, slot);
    if (k.State() == kActorActive && k.BodyBox().bottom == Row(floor) && k.FaceX() == -1 &&
        k.BodyBox().left < Col(col) + 24)
      return true;
  }
  return false;
}

// A lift at the end of its travel: standing there for its one frame before it turns.
bool LiftAtTop(int slot) {
  const Actor lift(100, slot);
  return lift.StepY() == 0 && lift.PosY() < lift.HomeY() - 60;
}
bool LiftAtLeft(int slot) {
  const Actor lift(101, slot);
  return lift.StepX() == 0 && lift.PosX() < lift.HomeX() - 60;
}
bool LiftAtRight(int slot) {
  const Actor lift(101, slot);
  return lift.StepX() == 0 && lift.PosX() > lift.HomeX() + 60;
}

}  // namespace

Route SaveAtTheStatue(const char* map) {
  return {Arrive("TEMPLE00"), UpAt(kStatue, {kFirstSlot}), UpAt(kSaveRoomDoor), Arrive(map)};
}

Route TheTitlesLoad() { return {TitleMenu(), MenuLine(kContinue), MenuLine(kFirstSlot), Arrive("TEMPLE00")}; }

Route TheLoadFromTheTitle(const char* map) { return Joined({TheTitlesLoad(), {UpAt(kSaveRoomDoor), Arrive(map)}}); }

Route TheOpening() { return {TitleMenu(), MenuLine(kNewGame), Opening()}; }

Route ARingOn() {
  return {Press({kButtonMenu}), MenuLine(kEquipment), Press({kButtonRight, kButtonRight, kButtonRight, kButtonJump})};
}

// The shrine on the landing, the first of the cave's three.
Route TheFirstShrine() { return {WalkTo(40), UpAt(40)}; }

// East off the landing's floor onto the row-21 step, where 513 speaks; up the ledges into the
// first rest room above that step and its drink machine; then east down the steps (a bump at
// column 95 jumped) into the first enemies' hall, the enemies shot, up onto its mesa (the mesa's
// Kawachan) and down, and the barrier of block lifts at the hall's east end shot open, the middle
// one standing and the lowest crouched.
Route TheFirstRestRoom() {
  return {
      WalkTo(48), JumpTo(51),  // the ledge at row 16
      JumpTo(56),              // the ledge at row 13
      WalkTo(57), JumpTo(57),  // up through the ledge tiles of the rest room's floor
      WalkTo(48), UpAt(48, {kSodaLine, kBuy, kDontBuy}),
  };
}
Route TheFirstEnemiesHall() {
  return {
      WalkTo(62),  // the rest room's way out, a gap in its floor, down to the step
      WalkTo(93), JumpTo(97, 8), WalkTo(122),
  };
}
Route TheFirstEnemies() {
  return Joined({TheFirstEnemiesHall(), {
      WaitUntil("the mesa's Kawachan walks off", [] { return KawachansAwayEast(130, 24, 160); }),
      JumpTo(130),  // onto the mesa
      WalkTo(146), WalkTo(160),  // down its east end
      Shoot(1, false, 1), Shoot(1, true, 1), WalkTo(172),
  }});
}

// The steps down east of the first enemies' hall, where the bats fly, to the alcove, where 514
// has her crouch to look down the pit; onto the lip, over the pit, and the elevator down to the
// waterworks' hall, the long hall below.
Route TheElevator() {
  return {
      WalkTo(190), WalkTo(208), WalkTo(224), WalkTo(233),
      WalkAgainst(237), JumpTo(237, 15, 10),  // straight up onto the lip, then over it
      JumpTo(245), WalkTo(245), Ride(kButtonDown),
  };
}

// West along the waterworks' hall: 515 warns of the traps; she runs under the 16-ton, waits for
// the piston weight to rise and passes under it; the second rest room, where 516 speaks, and out
// of its dip; 518 at the locked water door; down the hole short of the door to the second shrine
// right below, where 528 speaks.
Route BetweenTheWeights() { return {WalkTo(236), WalkTo(226), WalkTo(210)}; }
Route TheTraps() {
  return Joined({BetweenTheWeights(), {
      WaitUntil("the piston weight rises", PistonRising), WalkTo(196),
      WalkTo(168), WalkTo(161), JumpTo(157, 10),  // into the second rest room's dip and out
      WalkTo(127), WalkTo(123), Arrive("L001CAVE"),  // 518, then down the hole
      UpAt(114),
  }});
}

// East along the passage under the waterworks' hall: the lifts over its first pit, the Kawachan
// between the pits, the block lifts over the second pit as steps, the control room's door; the
// waterworks machine (257); up the ledges to the balcony, west through the gates that the water
// opened, over the elevator's foot, over the 16-ton where it fell, under the piston again,
// through the second rest room and back over the hole to the water door.
Route TheFirstPit() { return {WalkTo(200), WalkTo(220)}; }
Route TheWaterworks() {
  return Joined({TheFirstPit(), {
      WaitUntil("the first lift is at its top", [] { return LiftAtTop(0); }),
      JumpTo(227), JumpTo(233), WaitUntil("the second lift is at its top", [] { return LiftAtTop(1); }),
      JumpTo(240), WalkTo(288), JumpTo(295), JumpTo(300), JumpTo(306),
      WalkTo(386), UpAt(386),
  }});
}
Route TheWaterDoor() {
  return {
      WalkTo(364), JumpTo(364), JumpTo(364), JumpTo(364),  // the ledges at rows 104, 98 and 93
      JumpTo(358, 15, 7),                                   // straight up, then onto the balcony
      WalkTo(248), JumpTo(242, 8),                          // over the elevator's foot
      WalkTo(226), JumpTo(217),                             // over the 16-ton
      WalkTo(210), WaitUntil("the piston weight rises", PistonRising), WalkTo(196),
      WalkTo(168), WalkTo(161), JumpTo(157, 10), WalkTo(126), JumpTo(120),
      WalkTo(108), Arrive("L001CAVE"),  // through the water door, down into the exit hall, where 519 speaks
  };
}

// West along the exit hall into the pipe chamber, to the third shrine.
Route TheThirdShrine() { return {WalkTo(89), UpAt(89)}; }

// West over the upper pipe and along the passage, down the drop to the lava hall (522); over the
// lava on the ledges and the two lifts; the runway, where 517 walks her into the shaft down to the
// lowest level; west over a lip into the storage room: the card key's chest and the 1000 yen's;
// east over the lips and the lowest level's mesa (its Kawachan) to the lower pipe (524), on it,
// and a crouch.
Route TheLavasEdge() { return {WalkTo(74), JumpTo(67), WalkTo(11), Arrive("L001CAVE"), WalkTo(31)}; }
Route TheLava() {
  return Joined({TheLavasEdge(), {
      JumpTo(31), WalkTo(33),
      WaitUntil("the first lift is at its left end", [] { return LiftAtLeft(0); }), WalkTo(35),
      WaitUntil("the first lift is at its right end", [] { return LiftAtRight(0); }), JumpTo(49, 8), WalkTo(51),
      WaitUntil("the second lift is at its left end", [] { return LiftAtLeft(1); }), WalkTo(53),
      WaitUntil("the second lift is at its right end", [] { return LiftAtRight(1); }), JumpTo(67, 8),
      WalkTo(80), WalkUntilHeard(99, 517),
  }});
}
Route TheStorageRoom() { return {WalkTo(97), JumpTo(90), WalkTo(28)}; }
Route TheCardKey() { return Joined({TheStorageRoom(), {JumpTo(21, 8), UpAt(13), UpAt(21)}}); }
Route ThePipeBackUp() {
  return {
      WalkTo(91), JumpTo(97), WalkTo(106), JumpTo(112),  // the lips round the shaft's foot
      WalkTo(118), JumpTo(122), WalkTo(142),             // over the mesa
      WalkTo(158), JumpTo(161, 10), WalkTo(161), Crouch(60), Arrive("L001CAVE"),
  };
}

// East through the exit hall to the exit door, which the card key opens; the corridor (525), over
// the fallen block and the stump to its shrine.
Route TheExitDoor() { return {WalkTo(150), UpAt(150), Arrive("CORRIDOR")}; }
Route TheCorridorShrine() {
  return {
      WalkTo(38), WaitUntil("the Kawachan waits at the block's foot", [] { return KawachanWaitsAt(48, 26); }),
      JumpTo(46), JumpTo(56),            // onto the fallen block and over it
      WalkTo(70), JumpTo(77), UpAt(79),  // over the stump
  };
}

// The corridor east: down into the sunken stretch and out, up into the low passage and down, to
// the sealed door; the boss room: 526 calls the boss, her shots bring it down, 701; the exit
// room's door (400) to the town, where 529 speaks; Pancho on the east street; the clinic.
Route TheSunkenStretch() { return {WalkTo(84), WalkTo(128)}; }
Route TheLowPassage() { return Joined({TheSunkenStretch(), {JumpTo(134), WalkTo(148), JumpTo(152, 10), WalkTo(168)}}); }
Route TheSealedDoor() { return Joined({TheLowPassage(), {WalkTo(221), UpAt(221), Arrive("BOSS0001")}}); }
// The boss's defeat (flag 1:110, which also opens the exit room's doors) and 701 heard (0:188):
// both, since a save may hold either already. Without her ring's attack (a save that lost it)
// the fight takes several times as long.
Route TheBoss() {
  return {WalkTo(20), WaitUntil("the boss is down and 701 heard",
                                [] { return GetFlag(1, 110) != 0 && GetFlag(0, 188) != 0; }, 5000)};
}
Route TheTown() { return {WalkTo(132), UpAt(132), Arrive("LTOWNMID")}; }
Route ATalkInTheTown() { return {TalkTo(5)}; }
Route TheClinic() { return {UpAt(342), Arrive("LTOWNSHP"), UpAt(21, {kTreat}), UpAt(7), Arrive("LTOWNMID")}; }
Route ThePauseMenusLoad() { return {Press({kButtonMenu}), MenuLine(kLoad), MenuLine(kFirstSlot), Arrive("TEMPLE00")}; }
