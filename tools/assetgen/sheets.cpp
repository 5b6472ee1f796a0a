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

}  // namespace

void DrawSheets(Output& out) { out.Bitmap(117, Sheet117()); }
