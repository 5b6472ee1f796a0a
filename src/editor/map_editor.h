// The built-in map editor: paints the five layers of the loaded map with cells of sprite sheet 2
// (or, on the event layer, with plain numbers) at a fixed cursor in the centre of the screen,
// while the world is frozen and the screen manager still scrolls and draws the map. Files are
// loaded and saved through the editor's dialogs (editor/editor_dialogs.h).
#pragma once

#include <cstdint>

constexpr int kEditorFileNameLength = 12;  // an 8.3 name under "./Data/"

// The stamp: a block of PXS x PYS consecutive palette cells, put DXS times across and DYS times
// down; each 0..40.
struct EditorStampRecord {
  int32_t PXS, PYS, DXS, DYS;
};

extern int32_t EditorState;       // 0: initialise on the next editor frame; 1: running
extern int32_t EditorLayer;       // the plane being edited, 0..4 (4 is the event layer)
extern int32_t EditorPalettePos;  // the selected palette position; unbounded
extern int32_t EditorCellBase;    // 2400: the cell of palette position 0 (cell 0 of sheet 2)
extern char EditorFileName[kEditorFileNameLength + 1];
extern char EditorFileNameBackup[kEditorFileNameLength + 1];  // the last name loaded or saved
extern int32_t EditorGridOn;      // 1: the 16-pixel grid is shown
extern EditorStampRecord EditorStamp;
extern int32_t EditorDialogState;  // the step of the load, save and menu dialogs; 0 none

// The handler of the editor's sub-mode, once a frame. Returns 0.
int RunMapEditor();
void ResetEditor();
void InitEditor(int plane_count);
// Pen, erase, stamp, the stamp-size keys and pick, with the grid and the cross-hair.
void HandleEditorInput();
void DrawEditorGrid(int plane);
// The panel at the right: the palette, the planes, the cursor's tile, the file name, the stamp.
void DrawEditorPanel();
// The event layer's numbers as text, while the event layer is the plane being edited.
void DrawEventNumbers();

// The value the pen puts on a plane for a palette position: the cell on the tile planes, the
// number itself on the event layer.
uint32_t EditorPenValue(int plane, int position);
