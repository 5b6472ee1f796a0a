#include "support/route_stretches.h"

#include "platform/input.h"
#include "world/flags.h"

Route SaveAtTheStatue(const char* map) {
  return {Arrive("TEMPLE00"), UpAt(kStatue, {kFirstSlot}), UpAt(kSaveRoomDoor), Arrive(map)};
}

Route LoadFromTheTitlesMenu() { return {TitleMenu(), MenuLine(kContinue), MenuLine(kFirstSlot), Arrive("TEMPLE00")}; }

const Route kTheSealedDoor = {
    WalkTo(84), WalkTo(128), JumpTo(134), WalkTo(148), JumpTo(152, 10), WalkTo(168), WalkTo(221), UpAt(221),
    Arrive("BOSS0001"),
};
// The boss's defeat (flag 1:110, which also opens the exit room's doors) and 701 heard (0:188):
// both, since a save may hold either already. Without her ring's attack (a save that lost it)
// the fight takes several times as long.
const Route kTheBoss = {
    WalkTo(20), WaitUntil("the boss is down and 701 heard", [] { return GetFlag(1, 110) != 0 && GetFlag(0, 188) != 0; },
                          5000)};
const Route kTheTown = {WalkTo(132), UpAt(132), Arrive("LTOWNMID"), TalkTo(kPancho)};
const Route kThePauseMenusLoad = {Press({kButtonMenu}), MenuLine(kLoad), MenuLine(kFirstSlot), Arrive("TEMPLE00")};
