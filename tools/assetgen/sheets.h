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
