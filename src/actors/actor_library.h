// The actor library: the shared operations that modules, events and the heroine's code use on
// the actor table beyond the basic spawn and accessors. Spawns that also fill text or effect
// fields, the heroine's placement by scripts, visibility and sight tests, walking by pad bits, a
// random facing, gravity against the map, the emotion balloon drawn over an actor and a two-line
// message panel.
//
// The spawns take the first slot of the group whose State is 0, as SpawnActor does, and write
// only the fields they name; a full group spawns nothing.
#pragma once

// State := 1, PosX and HomeX := x, PosY and HomeY := y, FaceX, FaceY, into the given slot.
void SpawnActorAt(int group, int slot, int x, int y, int faceX, int faceY);
// A spawn that also sets HitTimer, Input and Link 0 and copies text into the slot's Text: at
// most 31 bytes and a terminating zero. StepX and StepY are not cleared. Floating texts use it,
// with the font and cell-base letters as the facing.
void SpawnActorWithText(int group, int x, int y, int faceX, int faceY, const char* text);
// An effect: FaceX, FaceY := its width and height in cells, StepX, StepY := stepX, stepY,
// ExpReward := frames, MoneyReward := +1 when loop is 1 else -1, Param25 := delay,
// MaxLife := life, Param24 := +1 when visible else -1, Life := +1 when it follows the heroine
// else -1, DefenseValue := baseCell, AttackValue := attack. HitTimer, Input and Link are not
// touched. The slot, or -1 when the group is full.
int SpawnEffectActor(int group, int x, int y, int width, int height, int stepX, int stepY, int frames, int loop,
                     int delay, int life, int visible, int follow, int baseCell, int attack);
// The same without the attack (AttackValue untouched).
int SpawnEffectActor14(int group, int x, int y, int width, int height, int stepX, int stepY, int frames, int loop,
                       int delay, int life, int visible, int follow, int baseCell);

// The heroine (group 1, slot 0) placed by a script. kind sets AnimCursor: -1 keeps it, 1 crouch
// (80), 3 and 4 in the air (60), 5 death (90), 6 door (120), any other stands (10). A negative x
// or y keeps that coordinate, else it sets the position and home. faceX letter 'L'/'l' faces
// left, 'N'/'n' keeps, any other faces right; faceY letter 'N'/'n' keeps, 'U'/'u' up, any other
// down. Nothing else changes.
void PlaceHeroine(int kind, int x, int y, int faceX, int faceY);
// Unless she is ending (State 4): she stands, facing as in the last frame.
void ResetHeroineFacing();

// 1 when the slot's BodyBox overlaps the 640 x 480 view at the camera, or with wide nonzero the
// 1280 x 960 rectangle from the camera - (320, 240).
int IsActorOnScreen(int group, int slot, int wide);
// 1 when the box (size form) overlaps the rectangle of twice the window size centred on the
// centre of the heroine's BodyBox.
int IsBoxNearHeroine(int x, int y, int w, int h);
// 1 when the target's SpriteBox overlaps the sight box in front of the actor: from its BodyBox
// top - above to top + below, and from CentreX `length` pixels the way it faces (left when FaceX
// is -1, else right). With debugDraw 1 the sight box is also queued as a blinking blue rectangle.
int ActorSightHits(int group, int slot, int length, int above, int below, int targetGroup, int targetSlot,
                   int debugDraw);
// -1 when A's CentreX (CentreY) is smaller than B's, else 1.
int CompareActorCentreX(int groupA, int slotA, int groupB, int slotB);
int CompareActorCentreY(int groupA, int slotA, int groupB, int slotB);

// Walks by the right and left bits of the slot's Input: StepX := speed (result 1) or -speed
// (result -1). With bounded 1 it turns about instead (FaceX := -FaceX, result 0) past HomeX +
// range to the right or HomeX - range to the left. Without either bit, 0.
int WalkActorByInput(int group, int slot, int speed, int bounded, int range);
// varied nonzero: FaceX := +1 when frame counter 0 is odd, else -1, and FaceY the same from a
// second reading of the counter (so always the same as FaceX); varied 0: both +1.
void SetActorFacingRandom(int group, int slot, int varied);
// Gravity against the map for this frame's move: a floor within the move sets StepY to reach it,
// VelY 0 and, when that differs from StepY as it was, Motion 0 (landed): 1. No floor: Motion 3
// (falling): 0. Both write the whole Motion word.
int FallActorToFloor(int group, int slot);

// The emotion balloon over a slot that is not free: centred over its BodyBox, 32 pixels above.
void DrawActorBalloon(int group, int slot, int kind);
// The 3 x 2-cell balloon at (x, y) in world pixels on draw layer 3, and its symbol by kind (0..5;
// any other shows the balloon only), jittered by a pixel each frame.
void DrawBalloon(int x, int y, int kind);

// A two-line message panel for the opening: a solid black framed box 384 pixels wide, centred in
// the window's width, from y 90 to 190, and the two lines in white over it on draw layer 4.
void DrawMessageBox(const char* line1, const char* line2);

// a + (c - a) / 2 and b + (d - b) / 2.
int MidpointA(int a, int b, int c);
int MidpointB(int a, int b, int c, int d);
