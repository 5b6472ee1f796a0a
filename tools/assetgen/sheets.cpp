#include "sheets.h"

#include <initializer_list>

namespace {

using Drawing = void (*)(Image& sheet);

// A sheet of 640 x 480 with the given pictures drawn on it, in this order.
Image Sheet(std::initializer_list<Drawing> drawings) {
  Image sheet(640, 480);
  for (Drawing draw : drawings) draw(sheet);
  return sheet;
}

// A tileset of sheet 2: the theme's tiles and the mechanisms every tileset carries.
Image Tileset(Drawing theme) { return Sheet({theme, DrawSheet2Actors}); }

}  // namespace

void DrawSheets(Output& out) {
  // Sheet 0 of every scene.
  out.Bitmap(117, Sheet({DrawCellFonts, DrawHeroine, DrawShots, DrawSparks, DrawHudCoin, DrawCoinPop, DrawBalloons,
                         DrawInsect, DrawSpellAuras, DrawChest, DrawSheet0Tiles, DrawItemIcons, DrawStatusPanelPicture}));
  // Sheet 1.
  out.Bitmap(203, Sheet({DrawTownsfolk}));
  out.Bitmap(151, Sheet({DrawKlaus}));
  out.Bitmap(188, Sheet({DrawChainBoss}));
  // Sheet 2.
  out.Bitmap(119, Tileset(DrawForestTiles));
  out.Bitmap(200, Tileset(DrawTownTiles));
  out.Bitmap(185, Tileset(DrawTempleTiles));
  out.Bitmap(174, Tileset(DrawCaveTiles));
  out.Bitmap(201, Tileset(DrawInteriorTiles));
  out.Bitmap(186, Tileset(DrawRuinsTiles));
  out.Bitmap(199, Tileset(DrawTitleTiles));
  // Sheet 3: 173 and 112 hold the enemies and mechanisms at the same cells; 202 the gorilla
  // fighter and the pieces that fit around him; 196 the title's sprites.
  for (int id : {173, 112})
    out.Bitmap(id, Sheet({DrawBat, DrawKamekichi, DrawRoamer, DrawKawachan, DrawFlame, DrawBossShot, DrawPistonWeight,
                          DrawSixteenTon, DrawCoinBlocks, DrawBlockLift, DrawLifts, DrawElevator}));
  out.Bitmap(202, Sheet({DrawGori, DrawFlame, DrawSixteenTon, DrawCoinBlocks, DrawElevator}));
  out.Bitmap(196, Sheet({DrawTitleSprites}));
  // Far pictures (197 is also the title scene's sheet 1).
  DrawFarPictures(out);
}
