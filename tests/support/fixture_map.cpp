#include "support/fixture_map.h"

#include <algorithm>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "world/camera.h"
#include "world/map_layers.h"

void LoadFixtureMap(const std::vector<std::string>& rows, const std::vector<FixtureTile>& legend, int left, int top) {
  if (BgLayers.store_ready == 0) InitBgLayers();
  std::fill(BgLayers.TileBuffer, BgLayers.TileBuffer + kTileCount, 0u);
  std::vector<FixtureTile> symbols = {{'#', kCollisionLayer, kFixtureSolid}, {'=', kCollisionLayer, kFixtureLedge}};
  symbols.insert(symbols.end(), legend.begin(), legend.end());
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
      for (const FixtureTile& t : symbols) {
        if (t.symbol == rows[r][c]) SetTile((left + c) * kTileSize, (top + r) * kTileSize, t.layer, t.value);
      }
    }
  }
}

void EnterPlay(const PlayStart& start) {
  GameMode = kGamePlaying;
  SubMode = kSubWorld;
  SubModeArg = 0;
  BgLayers.LayerEnabled[kEventLayer] = 0;
  SetCameraPosition(start.camera_x, start.camera_y);
  SetCameraTarget(start.heroine ? kHeroineGroup : kNoCameraTarget);
  ClearAllActors();
  SpawnMapActors();
  if (start.heroine) {
    SpawnActor(kHeroineGroup, start.hero_x, start.hero_y, start.face_x, 0);
    PlaceHeroine(0, -1, -1, start.face_x < 0 ? 'L' : 'R', 'N');
    Actor(kHeroineGroup, 0).Motion() = 0x1500;
  }
  RedrawAllLayers();
}

void PutHeroineAt(int x, int y) {
  Actor(kHeroineGroup, 0).PosX() = x;
  Actor(kHeroineGroup, 0).PosY() = y;
}

int SpawnAndUpdate(int group, int x, int y, int face_x, int face_y) {
  const int slot = SpawnActor(group, x, y, face_x, face_y);
  UpdateObjects();
  return slot;
}

int WriteActiveActor(int group, int kind, int x, int y, int w, int h) {
  const int slot = SpawnActor(group, x, y, -1, 0);
  if (slot < 0) return slot;
  const Actor a(group, slot);
  a.State() = kActorActive;
  a.CollisionKind() = kind;
  const ActorBox box = a.BodyBox();
  box.left = x;
  box.top = y;
  box.right = x + w;
  box.bottom = y + h;
  return slot;
}
