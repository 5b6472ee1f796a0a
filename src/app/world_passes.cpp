// The four world passes. Each calls the actor modules' routines by name in a fixed order, which
// decides who sees whose changes in the same frame: the heroine thinks and moves first, so the
// townspeople and enemies react to her position of this frame; the solid actors are tested
// against her after everyone updated and before anyone moves; the draw order inside one
// draw-queue layer is the order of the draw pass.
#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "actors/heroine.h"
#include "app/game_flow.h"
#include "modules/modules.h"

namespace {

bool HeroineEnding() { return Actor(kHeroineGroup, 0).State() == kActorEnding; }

}  // namespace

void UpdateObjects() {
  // Hazard boxes live for one frame: they are added in this pass and the heroine's damage test
  // empties the list. When that test does not run (she is dying, frozen or not there) old boxes
  // would stay and hurt her later where nothing is any more, so every update pass starts empty.
  ClearHazards();

  ThinkHeroine();
  UpdateNpcRod();
  UpdateNpcLime();
  UpdateNpcPancho();
  UpdateNpcKlaus();
  UpdateShots();
  UpdateNpcDamian();
  UpdateBatEnemy();
  UpdateKamekichiEnemy();
  UpdateRoamerEnemy();
  UpdateKawachanEnemy();
  UpdateWispEnemy();
  UpdateBossShot();
  UpdateGoriEnemy();
  UpdateChainBoss();
  UpdateLiftVertical();
  UpdateLiftHorizontal();
  UpdateBlockLift();
  UpdateElevator();
  UpdateSixteenTon();
  UpdatePistonWeight();
  UpdateCoinBlock();
  UpdateHiddenCoinBlock();
  UpdateSlidingDoor();
  UpdateFlagLight();
  UpdateBigPanelBack();
  UpdateBigPanelFront();
  UpdateFlagColumn();
  UpdateImpactEffect();
  UpdateFloatText();
  UpdateBonusPop();
  UpdateTreasureChest();
  UpdateInsectCompanion();
  UpdateEffectSprite();
  UpdateBreakableBlock();
  UpdateExitDoor();
  UpdateLoopDecorA();
  UpdateLoopDecorB();
}

void RunObjectPass2() {
  // While she is dying no solid actor carries her and no enemy touches her.
  if (HeroineEnding()) return;
  CheckHeroineGround();  // reads the rides of the frame before
  RideCount = 0;
  HitEnemiesWithShots();
  CollideSlidingDoor();
  CollideFlagLight();
  CollideLiftVertical();
  CollideLiftHorizontal();
  CollideBlockLift();
  CollideElevator();
  CollideSixteenTon();
  CollidePistonWeight();
  CollideCoinBlock();
  CollideHiddenCoinBlock();
  CollideBreakableBlock();
  HitHeroineWithEnemies();
}

void RunObjectPass3() {
  if (!HeroineEnding()) MoveHeroine();
  MoveNpcRod();
  MoveNpcLime();
  MoveNpcPancho();
  MoveNpcKlaus();
  MoveShots();
  MoveNpcDamian();
  MoveBatEnemy();
  MoveKamekichiEnemy();
  MoveWispEnemy();
  MoveRoamerEnemy();
  MoveKawachanEnemy();
  MoveGoriEnemy();
  MoveChainBoss();
  MoveSlidingDoor();
  MoveFlagLight();
  MoveSixteenTon();
  MoveLiftVertical();
  MoveLiftHorizontal();
  MoveBlockLift();
  MoveElevator();
  MovePistonWeight();
  MoveCoinBlock();
  MoveHiddenCoinBlock();
}

void DrawObjects() {
  DrawElevator();
  DrawTreasureChest();
  DrawExitDoor();
  DrawFlagLight();
  DrawNpcDamian();
  DrawLoopDecorA();
  DrawLoopDecorB();
  DrawHeroine();
  DrawNpcRod();
  DrawNpcLime();
  DrawNpcPancho();
  DrawNpcKlaus();
  DrawShots();
  DrawBatEnemy();
  DrawKamekichiEnemy();
  DrawRoamerEnemy();
  DrawKawachanEnemy();
  DrawWispEnemy();
  DrawBossShot();
  DrawGoriEnemy();
  DrawChainBoss();
  DrawLiftVertical();
  DrawLiftHorizontal();
  DrawBlockLift();
  DrawSixteenTon();
  DrawPistonWeight();
  DrawCoinBlock();
  DrawHiddenCoinBlock();
  DrawSlidingDoor();
  DrawImpactEffect();
  DrawBonusPop();
  DrawInsectCompanion();
  DrawEffectSprite();
  DrawFloatText();
  DrawBreakableBlock();
  DrawBigPanelBack();
  DrawBigPanelFront();
  DrawFlagColumn();
}
