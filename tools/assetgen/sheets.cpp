#include "sheets.h"

namespace {

Image Sheet117() {
  Image sheet(640, 480);
  DrawCellFonts(sheet);
  DrawHeroine(sheet);
  DrawShots(sheet);
  DrawSparks(sheet);
  DrawHudCoin(sheet);
  DrawCoinPop(sheet);
  DrawBalloons(sheet);
  DrawInsect(sheet);
  DrawSpellAuras(sheet);
  DrawChest(sheet);
  DrawSheet0Tiles(sheet);
  DrawItemIcons(sheet);
  DrawStatusPanelPicture(sheet);
  return sheet;
}

Image Sheet203() {
  Image sheet(640, 480);
  DrawTownsfolk(sheet);
  return sheet;
}

Image Sheet151() {
  Image sheet(640, 480);
  DrawKlaus(sheet);
  return sheet;
}

Image Sheet188() {
  Image sheet(640, 480);
  DrawChainBoss(sheet);
  return sheet;
}

// Bitmaps 173 and 112: the enemies and mechanisms of sheet 3, at the same cells in both.
Image Sheet3Actors() {
  Image sheet(640, 480);
  DrawBat(sheet);
  DrawKamekichi(sheet);
  DrawRoamer(sheet);
  DrawKawachan(sheet);
  DrawFlame(sheet);
  DrawBossShot(sheet);
  DrawWeights(sheet, true);
  DrawCoinBlocks(sheet);
  DrawBlockLift(sheet);
  DrawLifts(sheet);
  DrawElevator(sheet);
  return sheet;
}

// Bitmap 202: the gorilla fighter and the pieces that fit around him.
Image Sheet202() {
  Image sheet(640, 480);
  DrawGori(sheet);
  DrawFlame(sheet);
  DrawWeights(sheet, false);
  DrawCoinBlocks(sheet);
  DrawElevator(sheet);
  return sheet;
}

Image Sheet196() {
  Image sheet(640, 480);
  DrawTitleSprites(sheet);
  return sheet;
}

// A tileset of sheet 2: the theme's tiles and the shared mechanisms.
Image Tileset(void (*theme)(Image&)) {
  Image sheet(640, 480);
  theme(sheet);
  DrawSheet2Actors(sheet);
  return sheet;
}

}  // namespace

void DrawSheets(Output& out) {
  out.Bitmap(117, Sheet117());
  out.Bitmap(119, Tileset(DrawForestTiles));
  out.Bitmap(200, Tileset(DrawTownTiles));
  out.Bitmap(185, Tileset(DrawTempleTiles));
  out.Bitmap(174, Tileset(DrawCaveTiles));
  out.Bitmap(201, Tileset(DrawInteriorTiles));
  out.Bitmap(186, Tileset(DrawRuinsTiles));
  out.Bitmap(199, Tileset(DrawTitleTiles));
  out.Bitmap(203, Sheet203());
  out.Bitmap(151, Sheet151());
  out.Bitmap(188, Sheet188());
  out.Bitmap(173, Sheet3Actors());
  out.Bitmap(112, Sheet3Actors());
  out.Bitmap(202, Sheet202());
  out.Bitmap(196, Sheet196());
  DrawFarPictures(out);
}
