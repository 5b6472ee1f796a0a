// The 20 bitmaps of the game, each a 640 x 480 picture under its resource number: sprite sheets
// of 40 x 30 cells of 16 x 16 (pure black transparent) and far background pictures.
//
// Every picture is drawn by one small function in the file of its sheet and range under
// sheets/, named after what it shows; a module that changes its pictures changes them there.
#pragma once

#include "art.h"
#include "image.h"
#include "output.h"
#include "palette.h"

void DrawSheets(Output& out);

// ---- bitmap 117: sheet 0 of every scene ---------------------------------------------------------
void DrawCellFonts(Image& sheet);  // sheet117_fonts.cpp
void DrawHeroine(Image& sheet);    // sheet117_heroine.cpp
Image HeroineFrame(int frame, bool left);  // one of her frames 0..9, for other sheets
void DrawShots(Image& sheet);       // sheet117_effects.cpp
void DrawSparks(Image& sheet);
void DrawHudCoin(Image& sheet);
void DrawCoinPop(Image& sheet);
void DrawBalloons(Image& sheet);
void DrawInsect(Image& sheet);
void DrawSpellAuras(Image& sheet);
void DrawChest(Image& sheet);
void DrawSheet0Tiles(Image& sheet);
void DrawItemIcons(Image& sheet);  // sheet117_items.cpp
void DrawStatusPanelPicture(Image& sheet);  // sheet117_hud.cpp

// ---- sheet 2: the tilesets (bitmaps 119, 201, 185, 199, 174, 200, 186) --------------------------
void DrawSheet2Actors(Image& sheet);  // sheet2_actors.cpp: the mechanisms every tileset carries
void DrawForestTiles(Image& sheet);   // tiles_forest.cpp: 119
void DrawTownTiles(Image& sheet);     // tiles_town.cpp: 200
void DrawTempleTiles(Image& sheet);   // tiles_temple.cpp: 185
void DrawCaveTiles(Image& sheet);     // tiles_cave.cpp: 174
void DrawInteriorTiles(Image& sheet); // tiles_interior.cpp: 201
void DrawRuinsTiles(Image& sheet);    // tiles_ruins.cpp: 186
void DrawTitleTiles(Image& sheet);    // tiles_title.cpp: 199

// ---- sheet 1: townspeople, the teacher, the boss, the title picture -----------------------------
void DrawTownsfolk(Image& sheet);     // sheet203_townsfolk.cpp: 203
void DrawKlaus(Image& sheet);         // sheet151_klaus.cpp: 151
void DrawChainBoss(Image& sheet);     // sheet188_boss.cpp: 188

// ---- sheet 3: enemies and mechanisms, the gorilla fighter, the title's sprites ------------------
void DrawBat(Image& sheet);           // sheet3_enemies.cpp
void DrawKamekichi(Image& sheet);
void DrawRoamer(Image& sheet);
void DrawKawachan(Image& sheet);
void DrawFlame(Image& sheet);
void DrawBossShot(Image& sheet);
void DrawPistonWeight(Image& sheet);  // sheet3_mechanisms.cpp
void DrawSixteenTon(Image& sheet);
void DrawCoinBlocks(Image& sheet);
void DrawBlockLift(Image& sheet);
void DrawLifts(Image& sheet);
void DrawElevator(Image& sheet);
void DrawGori(Image& sheet);          // sheet202_gori.cpp: 202
void DrawTitleSprites(Image& sheet);  // sheet196_title.cpp: 196

// ---- far background pictures ------------------------------------------------------------------------
void DrawFarPictures(Output& out);  // far_pictures.cpp: 113, 159, 187, 189, 197
