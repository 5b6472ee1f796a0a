// The save block: the global state that a save file holds, byte for byte as it lies here.
//
// The globals below are the members of one struct, so writing or reading a save is one block
// copy. The layout is the save-file format: never reorder or resize a member. Members whose
// owners are not built yet are held as reserved bytes at their offsets.
#pragma once

#include <cstddef>
#include <cstdint>

// The return point of the save room: where scene 100 brings the heroine back to.
struct SavedPositionRecord {
  char MapPath[128];
  char WorldName[128];
  int32_t SheetIds[5];  // the bitmaps of surfaces 7, 8, 9, 10 and 6
  int32_t EventLayerEnabled;
  int32_t CameraX, CameraY;
  int32_t Group;        // the actor group to spawn (1, the heroine)
  int32_t HeroX, HeroY;
  int32_t FaceX, FaceY;
  int32_t CameraTarget;
  int32_t Motion;       // the heroine's motion word
};
static_assert(sizeof(SavedPositionRecord) == 316);
static_assert(offsetof(SavedPositionRecord, SheetIds) == 256);
static_assert(offsetof(SavedPositionRecord, Motion) == 312);

// The heroine's progression: score, coins, hit and magic points, experience, level, the derived
// fighting values, money, the sustained spells and the inventory.
struct PlayerStatsRecord {
  uint32_t Score;
  uint8_t Coins;  // 0..99; only this byte is read and written
  uint8_t Reserved5[3];
  int32_t MaxHp;
  int32_t Hp;
  int32_t Reserved16[2];
  int32_t Mp;  // current before maximum, the reverse of the HP pair
  int32_t MaxMp;
  int32_t Exp;
  int32_t Level;
  int32_t Attack;
  int32_t Defense;
  int32_t Efficiency;
  int32_t Reserved52;
  int32_t Money;
  int32_t SpellLevel[16];  // by the bit number of each spell's magic tool; 0 off
  int32_t SpellTimer[16];
  uint32_t OwnedRings;  // bit masks of the items owned
  uint32_t OwnedChokers;
  uint32_t OwnedPendants;
  uint32_t OwnedMagicTools;
  uint32_t Bag[8];  // consumable item per bag slot, 0 empty
  uint32_t OwnedSpecialItems;
  uint32_t EquipPage;
  uint32_t EquippedRing;  // one bit or 0
  uint32_t EquippedChoker;
  uint32_t EquippedPendant;
  uint32_t BagCursor;
  uint32_t SelectedSpecialItem;
  uint32_t EquippedMagicTool;
};
static_assert(sizeof(PlayerStatsRecord) == 268);
static_assert(offsetof(PlayerStatsRecord, MaxHp) == 8);
static_assert(offsetof(PlayerStatsRecord, Mp) == 24);
static_assert(offsetof(PlayerStatsRecord, Money) == 56);
static_assert(offsetof(PlayerStatsRecord, SpellLevel) == 60);
static_assert(offsetof(PlayerStatsRecord, SpellTimer) == 124);
static_assert(offsetof(PlayerStatsRecord, OwnedRings) == 188);
static_assert(offsetof(PlayerStatsRecord, OwnedChokers) == 192);
static_assert(offsetof(PlayerStatsRecord, Bag) == 204);
static_assert(offsetof(PlayerStatsRecord, OwnedSpecialItems) == 236);
static_assert(offsetof(PlayerStatsRecord, EquippedMagicTool) == 264);

struct SaveBlock {
  // The process (start-up, window and message loop).
  uint32_t DisplayReinit;         // 1 after TAB: the next display start reloads bitmaps and layers
  struct {
    uint32_t width, height;
  } WindowSize;                   // requested client size, 640 x 480
  int32_t WindowMode;             // 1 windowed, -1 full screen
  uint32_t Reserved16;
  char CommandLine[128];          // copy of the command line; nothing reads it
  uint32_t LastKey;               // virtual-key code of the last key press, cleared every frame
  uint32_t Running;               // 0 ends the program
  uint32_t AppActive;             // frames run only while non-zero

  // The input: the button masks of the last 32 frames and the bit of each logical button.
  uint32_t ButtonHistory[32];     // element 0 is this frame's mask, element k that of k frames ago
  uint32_t ButtonBits[14];        // the bit that stands for each logical button

  // The scene: its map file, the world's name on the HUD line and the bitmap of each surface.
  char MapPath[128];
  char WorldName[128];
  int32_t SceneBitmapIds[64];     // bitmap of each surface in the current scene, -1 none

  // The game flow: state variables of scenes and menus, and the step counters of events.
  int32_t SceneVars[256];
  int32_t EventStep[256];

  uint32_t FlagBanks[3][256];     // scenario flags: 3 banks of 2048 four-bit values
  uint32_t Reserved5976;               // the word ahead of the player's statistics
  PlayerStatsRecord PlayerStats;
  int32_t HazardBoxes[64][8];     // x, y, w, h, attack, kind and two spares of each hazard box
  uint32_t HazardCount;           // hazard boxes registered this frame, 0..64
  SavedPositionRecord SavedPosition;  // the return point of the save room

  // Save slots: -1 means the slot headers must be read again before a menu shows them.
  int32_t SlotHeadersStale;
  char SlotHeaders[3][32];
  uint32_t CellsDrawnCount;       // cells of the heroine drawn this frame; not read
  uint8_t InputLock;              // while set, the edge queries of the input report nothing
  uint8_t Reserved8721[3];
};

static_assert(sizeof(SaveBlock) == 8724);
static_assert(offsetof(SaveBlock, DisplayReinit) == 0);
static_assert(offsetof(SaveBlock, WindowSize) == 4);
static_assert(offsetof(SaveBlock, WindowMode) == 12);
static_assert(offsetof(SaveBlock, Reserved16) == 16);
static_assert(offsetof(SaveBlock, CommandLine) == 20);
static_assert(offsetof(SaveBlock, LastKey) == 148);
static_assert(offsetof(SaveBlock, Running) == 152);
static_assert(offsetof(SaveBlock, AppActive) == 156);
static_assert(offsetof(SaveBlock, ButtonHistory) == 160);
static_assert(offsetof(SaveBlock, ButtonBits) == 288);
static_assert(offsetof(SaveBlock, MapPath) == 344);
static_assert(offsetof(SaveBlock, WorldName) == 472);
static_assert(offsetof(SaveBlock, SceneBitmapIds) == 600);
static_assert(offsetof(SaveBlock, SceneVars) == 856);
static_assert(offsetof(SaveBlock, EventStep) == 1880);
static_assert(offsetof(SaveBlock, FlagBanks) == 2904);
static_assert(offsetof(SaveBlock, Reserved5976) == 5976);
static_assert(offsetof(SaveBlock, PlayerStats) == 5980);
static_assert(offsetof(SaveBlock, HazardBoxes) == 6248);
static_assert(offsetof(SaveBlock, HazardCount) == 8296);
static_assert(offsetof(SaveBlock, SavedPosition) == 8300);
static_assert(offsetof(SaveBlock, SlotHeadersStale) == 8616);
static_assert(offsetof(SaveBlock, SlotHeaders) == 8620);
static_assert(offsetof(SaveBlock, CellsDrawnCount) == 8716);
static_assert(offsetof(SaveBlock, InputLock) == 8720);

// The one save block of the game.
extern SaveBlock Save;

// The globals under their own names; each is the storage inside the block.
inline uint32_t& DisplayReinit = Save.DisplayReinit;
inline auto& WindowSize = Save.WindowSize;
inline int32_t& WindowMode = Save.WindowMode;
inline char (&CommandLine)[128] = Save.CommandLine;
inline uint32_t& LastKey = Save.LastKey;
inline uint32_t& Running = Save.Running;
inline uint32_t& AppActive = Save.AppActive;
inline uint32_t (&ButtonHistory)[32] = Save.ButtonHistory;
inline uint32_t (&ButtonBits)[14] = Save.ButtonBits;
inline char (&MapPath)[128] = Save.MapPath;
inline char (&WorldName)[128] = Save.WorldName;
inline int32_t (&SceneBitmapIds)[64] = Save.SceneBitmapIds;
inline int32_t (&SceneVars)[256] = Save.SceneVars;
inline int32_t (&EventStep)[256] = Save.EventStep;
inline uint32_t (&FlagBanks)[3][256] = Save.FlagBanks;
inline PlayerStatsRecord& PlayerStats = Save.PlayerStats;
inline int32_t (&HazardBoxes)[64][8] = Save.HazardBoxes;
inline uint32_t& HazardCount = Save.HazardCount;
inline SavedPositionRecord& SavedPosition = Save.SavedPosition;
inline int32_t& SlotHeadersStale = Save.SlotHeadersStale;
inline char (&SlotHeaders)[3][32] = Save.SlotHeaders;
inline uint32_t& CellsDrawnCount = Save.CellsDrawnCount;
inline uint8_t& InputLock = Save.InputLock;
