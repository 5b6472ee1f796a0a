// The actor modules' pass routines: each module owns one actor group (two or three for some)
// and the four world passes call its Update, Collide, Move and Draw routines by name, in fixed
// orders (app/world_passes.cpp). A module that is not named in a pass does not run in it.
// Only the solid modules have a Collide routine; the modules without a Move routine move in
// their Update or Draw routine.
#pragma once

// Town NPCs Klaus, Rod, Lime and Pancho (groups 2 to 5), and their talks: one frame of the
// conversation with slot 0 of the group, while SubMode is a talk with that group.
void UpdateNpcKlaus();
void MoveNpcKlaus();
void DrawNpcKlaus();
void TalkNpcKlaus();
void UpdateNpcRod();
void MoveNpcRod();
void DrawNpcRod();
void TalkNpcRod();
void UpdateNpcLime();
void MoveNpcLime();
void DrawNpcLime();
void TalkNpcLime();
void UpdateNpcPancho();
void MoveNpcPancho();
void DrawNpcPancho();
void TalkNpcPancho();

// Townsperson Damian (group 6).
void UpdateNpcDamian();
void MoveNpcDamian();
void DrawNpcDamian();
void TalkNpcDamian();

// Bat enemy (group 32).
void UpdateBatEnemy();
void MoveBatEnemy();
void DrawBatEnemy();

// Kamekichi and roamer enemies (groups 33 and 34).
void UpdateKamekichiEnemy();
void MoveKamekichiEnemy();
void DrawKamekichiEnemy();
void UpdateRoamerEnemy();
void MoveRoamerEnemy();
void DrawRoamerEnemy();

// Kawachan enemy (group 35).
void UpdateKawachanEnemy();
void MoveKawachanEnemy();
void DrawKawachanEnemy();

// Wisp (group 36).
void UpdateWispEnemy();
void MoveWispEnemy();
void DrawWispEnemy();

// Chain boss (group 37).
void UpdateChainBoss();
void MoveChainBoss();
void DrawChainBoss();
// The talk after its defeat, when it still waits for a free frame, is forgotten: the world it was
// won in is gone (a scene change; every load and new game makes one).
void ForgetChainBossDefeatTalk();

// Boss shots (group 38): they move in their draw step.
void UpdateBossShot();
void DrawBossShot();

// Gori enemy (group 40).
void UpdateGoriEnemy();
void MoveGoriEnemy();
void DrawGoriEnemy();

// Block lift (group 60).
void UpdateBlockLift();
void CollideBlockLift();
void MoveBlockLift();
void DrawBlockLift();

// Coin blocks (groups 70 and 71).
void UpdateCoinBlock();
void CollideCoinBlock();
void MoveCoinBlock();
void DrawCoinBlock();
void UpdateHiddenCoinBlock();
void CollideHiddenCoinBlock();
void MoveHiddenCoinBlock();
void DrawHiddenCoinBlock();

// Elevator (group 72).
void UpdateElevator();
void CollideElevator();
void MoveElevator();
void DrawElevator();

// Falling weights (groups 73 and 74).
void UpdateSixteenTon();
void CollideSixteenTon();
void MoveSixteenTon();
void DrawSixteenTon();
void UpdatePistonWeight();
void CollidePistonWeight();
void MovePistonWeight();
void DrawPistonWeight();

// Sliding door (group 90).
void UpdateSlidingDoor();
void CollideSlidingDoor();
void MoveSlidingDoor();
void DrawSlidingDoor();

// Flag-driven warning light (group 91).
void UpdateFlagLight();
void CollideFlagLight();
void MoveFlagLight();
void DrawFlagLight();

// Vertical and horizontal lifts (groups 100 and 101).
void UpdateLiftVertical();
void CollideLiftVertical();
void MoveLiftVertical();
void DrawLiftVertical();
void UpdateLiftHorizontal();
void CollideLiftHorizontal();
void MoveLiftHorizontal();
void DrawLiftHorizontal();

// Hazard block (group 107).
void UpdateBreakableBlock();
void CollideBreakableBlock();
void DrawBreakableBlock();

// Animated scenery panels and light columns (groups 108, 109 and 115).
void UpdateBigPanelBack();
void DrawBigPanelBack();
void UpdateBigPanelFront();
void DrawBigPanelFront();
void UpdateFlagColumn();
void DrawFlagColumn();

// Impact effect (group 110).
void UpdateImpactEffect();
void DrawImpactEffect();

// Floating texts (group 111), and their five cell fonts: `count` characters of `text` in a row
// on the draw layer from (x, y) in world pixels (font 2 also takes the cell of its '0').
void UpdateFloatText();
void DrawFloatText();
void DrawFloatTextFont1(int visible, int layer, int x, int y, const char* text, int count);
void DrawFloatTextFont3(int visible, int layer, int x, int y, const char* text, int count);
void DrawFloatTextFont4(int visible, int layer, int x, int y, const char* text, int count);
void DrawFloatTextFont2(int visible, int layer, int x, int y, const char* text, int count, int base);
void DrawFloatTextFont5(int visible, int layer, int x, int y, const char* text, int count);

// Coin pop-up (group 112): it moves in its draw step.
void UpdateBonusPop();
void DrawBonusPop();

// Treasure chest (group 113).
void UpdateTreasureChest();
void DrawTreasureChest();

// Insect companion (group 114): it moves in its draw step.
void UpdateInsectCompanion();
void DrawInsectCompanion();

// Effect sprite (group 116): it moves in its draw step.
void UpdateEffectSprite();
void DrawEffectSprite();

// Exit door (group 117).
void UpdateExitDoor();
void DrawExitDoor();

// Looping decorations (groups 118 and 119).
void UpdateLoopDecorA();
void DrawLoopDecorA();
void UpdateLoopDecorB();
void DrawLoopDecorB();
