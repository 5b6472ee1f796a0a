// The message window: every dialogue, menu and system message of the game goes through this one
// window (a speaker line and a paged text revealed like a typewriter, or a list of up to ten
// choices, optionally timed), plus the one-line text entry box of the map editor and the
// double-bordered window frame. Everything here is drawn straight onto the back buffer, last,
// so it shows over everything else, a black screen included.
#pragma once

#include <cstdint>

struct MessageWindowRecord {
  uint32_t open;
  uint32_t type;  // line width in full-width characters: 10, 15, anything else 24
  char speaker[49];
  char text[4801];
  char choices[10][49];
  int8_t choice_count;  // 0 or 1: text mode; 2..10: choice mode
  uint32_t selected;
  uint32_t revealed;  // bytes of the text revealed so far
  uint32_t page_count;
  uint32_t page;
  uint32_t placement;  // 0: the box's top at y 82; else at y 220 and 32 pixels further left
  uint32_t portrait_shown;
  uint32_t portrait_x, portrait_y;
  uint32_t portrait_kind, portrait_expression;
  uint32_t flags;               // the last argument of OpenMessage
  uint32_t frames_since_close;  // up to 9999
};

struct TextEntryRecord {
  uint32_t open;
  int32_t cursor;
  char* buffer;
  char prompt[25];
  uint32_t max_length;
  uint32_t prompt_colour;  // 0xRRGGBB
  uint32_t* key;           // the key variable it watches (LastKey)
};

extern MessageWindowRecord MessageWindow;
extern TextEntryRecord TextEntry;

// 0, or -1 when refused: a window is already open, more than ten choices, or no speaker.
// `choices` holds `choice_count` consecutive 49-byte lines and is read only for 2 or more.
int OpenMessage(int type, int choice_count, int default_choice, const char* speaker, const char* text,
                const char (*choices)[49], int flags);
void CloseMessage();
void SetMessagePortrait(int kind, int expression);
void SetMessageOption(int value);
// Once a frame: -1 nothing open; 255 open and waiting; 0.. the chosen line; -2 closed or
// cancelled. A result other than 255 comes with the window already closed. While the text
// entry box is open, its result instead.
int32_t UpdateMessage();
void EndMessage();

void OpenTextEntry(const char* prompt, uint32_t colour, char* buffer, uint32_t max_length, uint32_t* key);
// -1 not open, 255 editing, 0 confirmed (Enter), -2 cancelled (Esc).
int32_t UpdateTextEntry();
void CloseTextEntry();
void EndTextEntry();

// A box filled with the colour (solid, or in one-pixel vertical stripes) inside a cream double
// border. Returns the last fill's result.
int DrawWindowFrame(int left, int top, int right, int bottom, int red, int green, int blue, int solid);
