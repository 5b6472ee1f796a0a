#include "world/message_window.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "audio/sound_slots.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/text.h"
#include "world/save_block.h"

MessageWindowRecord MessageWindow{};
TextEntryRecord TextEntry{};

namespace {

constexpr const char* kFont = "ＭＳ ゴシック";
constexpr int kFontHeight = 16;
constexpr int kSpeakerLength = 48;
constexpr int kTextLength = 4800;
constexpr int kChoiceLength = 48;
constexpr int kMaxChoices = 10;
constexpr uint32_t kMaxFramesSinceClose = 9999;
constexpr int kTimedChoiceFrames = 180;
constexpr int kTypewriterSound = 10;
constexpr int kCancelSound = 20;

// Bytes a line and pixels a box is wide, by the window's type.
struct Layout {
  int line_bytes;
  int width;
};

Layout LayoutOf(uint32_t type) {
  switch (type) {
    case 10: return {20, 160};
    case 15: return {30, 240};
    default: return {48, 384};
  }
}

int PageBytes(uint32_t type) { return 3 * LayoutOf(type).line_bytes; }

// Copies at most `limit` bytes of `from` and terminates the copy: every text that comes in is
// bounded by the buffer it goes to.
void CopyBounded(char* to, const char* from, size_t limit) {
  const size_t n = from == nullptr ? 0 : strnlen(from, limit);
  if (n > 0) std::memcpy(to, from, n);
  to[n] = '\0';
}

bool Pressed(int entry) { return IsButtonPressed(ButtonBits[entry]); }

void DrawLine(int x, int y, const char* text, int r, int g, int b) { DrawTextRgb(x, y, text, kFontHeight, kFont, r, g, b); }

// A white line over its own shadow `shadow_dx` pixels to the right.
void DrawShadowedLine(int x, int y, int shadow_dx, const char* text) {
  DrawLine(x + shadow_dx, y, text, 90, 70, 70);
  DrawLine(x, y, text, 255, 255, 255);
}

// `count` bytes of the text from `start`, never past the text's end.
void DrawTextPart(int x, int y, int start, int count) {
  const int length = static_cast<int>(strnlen(MessageWindow.text, sizeof MessageWindow.text));
  if (start >= length || count <= 0) return;
  char line[64];
  const int n = std::min({count, length - start, static_cast<int>(sizeof line) - 1});
  std::memcpy(line, MessageWindow.text + start, static_cast<size_t>(n));
  line[n] = '\0';
  DrawShadowedLine(x, y, 2, line);
}

// The window's box for this frame.
struct Box {
  int left, top, right, bottom;
  int choice_offset;
};

Box BoxOf() {
  const MessageWindowRecord& m = MessageWindow;
  const int screen_w = static_cast<int>(WindowSize.width);
  Box box{};
  box.left = (screen_w - (m.type == 15 ? 240 : 384)) / 2;
  box.top = 82;
  if (m.placement != 0) {
    box.left -= 32;
    box.top = 220;
  }
  box.right = box.left + LayoutOf(m.type).width;
  box.bottom = box.top + 20;
  if (m.choice_count == 0) box.bottom += 20;
  if (m.choice_count >= 2) {
    if (m.flags == 0) box.bottom += 20;  // the remaining-time line
    box.bottom += 20 * m.choice_count;
  }
  if (m.page_count != 0) box.bottom += 60;
  box.choice_offset = m.page_count != 0 ? 60 : 0;
  return box;
}

void DrawPortrait(const Box& box) {
  static constexpr int kBaseCell[] = {1042, 962, 896, 1056, 882};
  MessageWindowRecord& m = MessageWindow;
  m.portrait_x = static_cast<uint32_t>(box.left);
  m.portrait_y = static_cast<uint32_t>(box.top);
  // Kinds without a portrait of their own show the first one.
  const int base = m.portrait_kind < 5 ? kBaseCell[m.portrait_kind] : kBaseCell[0];
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 2; ++column) {
      const int cell = base + 2 * static_cast<int>(m.portrait_expression) + column + 40 * row;
      DrawCell(box.left + 16 * column, box.top + 12 + 16 * row, 16, 16, cell);
    }
  }
}

int32_t CloseWith(int32_t result) {
  CancelWait(1);
  LastKey = 0;
  CloseMessage();
  return result;
}

int32_t RunChoices(const Box& box) {
  MessageWindowRecord& m = MessageWindow;
  const int line_bytes = LayoutOf(m.type).line_bytes;
  for (int k = 0; k < 3; ++k) DrawTextPart(box.left, box.top + 20 + 20 * k, k * line_bytes, line_bytes);
  for (int i = 0; i < m.choice_count; ++i) {
    DrawShadowedLine(box.left + 32, box.top + 20 + 20 * i + box.choice_offset, 1, m.choices[i]);
  }
  const int pulse = static_cast<int>((GetFrameCounter(0) * 16) % 256);
  DrawLine(box.left + 16, box.top + 20 + 20 * static_cast<int>(m.selected) + box.choice_offset, "≫", pulse, pulse,
           pulse);

  if (Pressed(4)) return CloseWith(static_cast<int32_t>(m.selected));
  if (m.flags != 0) {
    if ((Pressed(12) && m.frames_since_close >= 2) || Pressed(5)) {
      PlaySound(kCancelSound);
      return CloseWith(-2);
    }
  } else {
    if (WaitFrames(1, kTimedChoiceFrames) == 1) return CloseWith(-2);
    const int t = kTimedChoiceFrames - static_cast<int>(GetFrameCounter(1));
    const int k = t / 60 != 0 ? 255 : 50;  // red in the last second
    char line[48];
    std::snprintf(line, sizeof line, "残り時間：%d.%02d", t / 60, t % 60);
    DrawLine(box.left + 16, box.top + 20 + 20 * m.choice_count + box.choice_offset, line, 255, k, k);
  }
  const uint32_t count = static_cast<uint32_t>(m.choice_count);
  if (Pressed(0)) {
    m.selected = m.selected == 0 ? count - 1 : m.selected - 1;
  } else if (Pressed(1)) {
    m.selected = m.selected >= count - 1 ? 0 : m.selected + 1;
  }
  return 255;
}

int32_t RunText(const Box& box) {
  MessageWindowRecord& m = MessageWindow;
  const int line_bytes = LayoutOf(m.type).line_bytes;
  const int page_start = PageBytes(m.type) * static_cast<int>(m.page);
  const int page_end = page_start + PageBytes(m.type);
  const int length = static_cast<int>(strnlen(m.text, sizeof m.text));
  const int revealed = static_cast<int>(m.revealed);

  for (int k = 0; k < 3; ++k) {
    const int line_start = page_start + k * line_bytes;
    if (revealed >= line_start + line_bytes) {
      DrawTextPart(box.left, box.top + 20 + 20 * k, line_start, line_bytes);
    } else if (revealed > line_start) {
      DrawTextPart(box.left, box.top + 20 + 20 * k, line_start, revealed % line_bytes);
    }
  }

  const bool advance = Pressed(4) || Pressed(5);
  if (revealed != page_end && revealed != length) {
    if (WaitFrames(1, m.flags == 1 ? 7 : 2) == 1) {
      PlaySound(kTypewriterSound);
      m.revealed += 2;  // one full-width character
    }
    if (advance) {
      m.revealed = static_cast<uint32_t>(page_end);
      CancelWait(1);
    }
  } else {
    CancelWait(1);
    if (advance) {
      // Counted signed, so that a window without text closes on its one empty page.
      if (static_cast<int>(m.page) + 1 >= static_cast<int>(m.page_count)) {
        CloseMessage();
        return -2;
      }
      m.page += 1;
      m.revealed += 2;
    }
    const int bob = static_cast<int>(GetFrameCounter(0) % 21) / 3;
    FillRectRgb(box.right - 20, box.bottom - 18 + bob, box.right - 10, box.bottom - 10, 255, 255, 255);
    FillRectRgb(box.right - 22, box.bottom - 8, box.right - 8, box.bottom - 7, 255, 255, 255);
  }
  if (static_cast<int>(m.revealed) < length) {
    const int grey = static_cast<int>((GetFrameCounter(0) * 8) % 256);
    DrawTextRgb(box.left + (box.right - box.left) / 2 - 8, box.bottom - 16, "▼", 8, kFont, grey, grey, grey);
  }
  return 255;
}

}  // namespace

int OpenMessage(int type, int choice_count, int default_choice, const char* speaker, const char* text,
                const char (*choices)[49], int flags) {
  MessageWindowRecord& m = MessageWindow;
  if (m.open == 1 || choice_count > kMaxChoices || speaker == nullptr) return -1;
  m.type = static_cast<uint32_t>(type);
  m.revealed = 0;
  m.page = 0;
  m.placement = 0;
  std::memset(m.text, 0, sizeof m.text);
  CopyBounded(m.speaker, speaker, kSpeakerLength);
  m.page_count = 0;
  if (text != nullptr) {
    CopyBounded(m.text, text, kTextLength);
    const int page = PageBytes(m.type);
    m.page_count = static_cast<uint32_t>((static_cast<int>(std::strlen(m.text)) + page - 1) / page);
  }
  m.choice_count = static_cast<int8_t>(choice_count);
  m.selected = static_cast<uint32_t>(default_choice);
  if (choice_count >= 2 && choices != nullptr) {
    for (int i = 0; i < choice_count; ++i) CopyBounded(m.choices[i], choices[i], kChoiceLength);
  }
  m.flags = static_cast<uint32_t>(flags);
  m.open = 1;
  return 0;
}

void CloseMessage() {
  MessageWindow.open = 0;
  MessageWindow.portrait_shown = 0;
  MessageWindow.frames_since_close = 0;
}

void EndMessage() { CloseMessage(); }

void SetMessagePortrait(int kind, int expression) {
  MessageWindow.portrait_shown = 1;
  MessageWindow.portrait_kind = static_cast<uint32_t>(kind);
  MessageWindow.portrait_expression = static_cast<uint32_t>(expression);
}

void SetMessageOption(int value) { MessageWindow.placement = static_cast<uint32_t>(value); }

int32_t UpdateMessage() {
  MessageWindowRecord& m = MessageWindow;
  if (m.frames_since_close < kMaxFramesSinceClose) ++m.frames_since_close;
  if (TextEntry.open == 1) return UpdateTextEntry();
  if (m.open != 1) return -1;

  const Box box = BoxOf();
  DrawWindowFrame(box.left, box.top, box.right, box.bottom, 0, 0, 0, 1);
  if (m.portrait_shown == 1) DrawPortrait(box);
  DrawLine(box.left, box.top, m.speaker, 255, 255, 255);
  return m.choice_count >= 2 ? RunChoices(box) : RunText(box);
}

void OpenTextEntry(const char* prompt, uint32_t colour, char* buffer, uint32_t max_length, uint32_t* key) {
  TextEntry.open = 1;
  TextEntry.cursor = 0;
  TextEntry.buffer = buffer;
  CopyBounded(TextEntry.prompt, prompt, sizeof TextEntry.prompt - 1);
  TextEntry.max_length = max_length;
  TextEntry.prompt_colour = colour;
  TextEntry.key = key;
}

namespace {

// The keys that type a character: digits, capitals and the full stop. The codes between the
// digits and the letters name no key, and nothing else may become part of a file name.
bool IsNameKey(uint32_t k) {
  return (k >= vk::Key0 && k <= vk::Key0 + 9) || (k >= vk::KeyA && k <= vk::KeyA + 25) || k == vk::OemPeriod ||
         k == vk::Decimal;
}

}  // namespace

int32_t UpdateTextEntry() {
  TextEntryRecord& e = TextEntry;
  if (e.open != 1) return -1;
  const int max = static_cast<int>(e.max_length);
  uint32_t k = 0;
  if (e.key != nullptr) {
    *e.key %= 255;
    k = *e.key;
  }
  char* text = e.buffer;
  auto put = [&](char c) {
    if (text != nullptr && e.cursor >= 0 && e.cursor < max) text[e.cursor] = c;
  };
  if (k == vk::Right) {
    if (e.cursor < max - 1) ++e.cursor;
  } else if (k == vk::Left) {
    if (e.cursor > 0) --e.cursor;
  } else if (k == vk::Back) {
    put(' ');
    if (e.cursor > 0) --e.cursor;
  } else if (k == vk::Space) {
    put('_');
  } else if (IsNameKey(k)) {
    put(k == vk::OemPeriod || k == vk::Decimal ? '.' : static_cast<char>(k));
    if (e.cursor < max - 1) ++e.cursor;
  } else if (k == vk::Return) {
    CloseTextEntry();
    return 0;
  } else if (k == vk::Escape) {
    CloseTextEntry();
    return -2;
  }

  const int left = 320 - max * 4;
  const int top = 216;
  DrawWindowFrame(left, top, left + 8 * max, top + 48, 0, 0, 0, 1);
  const uint32_t c = e.prompt_colour;
  DrawLine(left, top, e.prompt, (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
  if (text != nullptr) DrawLine(left, top + 32, text, 255, 255, 255);
  if (GetFrameCounter(0) % 16 < 8) FillRectRgb(left + 8 * e.cursor, top + 32, left + 8 * e.cursor + 8, top + 48, 255, 255, 255);
  return 255;
}

void CloseTextEntry() {
  TextEntry.open = 0;
  TextEntry.key = nullptr;
}

void EndTextEntry() { CloseTextEntry(); }

int DrawWindowFrame(int left, int top, int right, int bottom, int red, int green, int blue, int solid) {
  int result = 0;
  if (solid != 0) {
    result = FillRectRgb(left, top, right, bottom, red, green, blue);
  } else {
    FillEveryOtherColumn(left, top, right, bottom, MakeColor(red, green, blue));
  }
  // From the box outward on every side: black, cream, two pixels undrawn, black, cream, black.
  struct Line {
    int distance;  // 1 = the line next to the box
    bool cream;
  };
  static constexpr Line kBorder[] = {{1, false}, {2, true}, {5, false}, {6, true}, {7, false}};
  for (const Line& line : kBorder) {
    const int r = line.cream ? 255 : 0, g = line.cream ? 238 : 0, b = line.cream ? 170 : 0;
    const int x0 = line.cream ? left - 6 : left - 7;
    const int x1 = line.cream ? right + 5 : right + 6;
    const int d = line.distance;
    FillRectRgb(x0, top - d, x1, top - d + 1, r, g, b);
    FillRectRgb(x0, bottom + d - 1, x1, bottom + d, r, g, b);
    FillRectRgb(left - d, top - 6, left - d + 1, bottom + 4, r, g, b);
    result = FillRectRgb(right + d - 1, top - 6, right + d, bottom + 4, r, g, b);
  }
  return result;  // the last fill's
}
