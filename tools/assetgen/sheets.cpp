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
}
