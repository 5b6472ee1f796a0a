#include "ui/option_menus.h"

#include <algorithm>
#include <cstdio>

#include "app/game_flow.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "audio/volumes.h"
#include "platform/input.h"
#include "platform/utils.h"
#include "world/map_layers.h"
#include "world/message_window.h"

namespace {

using Line = char[49];

// The steps.
constexpr int32_t kOptionRead = 710;
constexpr int32_t kMusicList = 720;
constexpr int32_t kMusicRead = 721;
constexpr int32_t kEffectList = 820;
constexpr int32_t kEffectRead = 821;
constexpr int32_t kJoypadNotice = 898;
constexpr int32_t kJoypadNoticeRead = 899;
constexpr int32_t kJoypadMenu = 900;
constexpr int32_t kJoypadRead = 901;
constexpr int32_t kButtonList = 920;
constexpr int32_t kButtonCapture = 921;
constexpr int32_t kResetMenu = 925;
constexpr int32_t kResetRead = 926;
constexpr int32_t kGraphicsList = 620;
constexpr int32_t kGraphicsRead = 621;

// The sounds.
constexpr int kChooseSound = 0;
constexpr int kSampleSound = 1;
constexpr int kDefaultsSound = 12;
constexpr int kBackSound = 20;

// The lowest bit a button capture takes: bits 1 to 8 are the directions that move the arrow.
constexpr uint32_t kFirstButtonBit = 16;

// Closes any window and opens a list (or, without lines, a notice) for the caller.
void Open(const OptionMenuCaller& caller, int type, int count, int default_line, const char* title, const char* text,
          const Line* lines) {
  CloseMessage();
  OpenMessage(type, count, default_line, title, text, lines, 1);
  if (caller.low_window) SetMessageOption(1);
}

// ---- the option list (700, 710) -------------------------------------------------------------

enum class Option { Music, Effects, Joypad, Graphics, Back };

void OpenOptionList(const OptionMenuCaller& caller) {
  static const Line kWithGraphics[5] = {"ＢＧＭの音量変更", "効果音の音量変更", "ＪＯＹＰＡＤボタンの変更",
                                        "グラフィック負荷設定", "戻る"};
  static const Line kWithoutGraphics[4] = {"ＢＧＭの音量変更", "効果音の音量変更", "ＪＯＹＰＡＤボタンの変更", "戻る"};
  if (caller.graphics_line) {
    Open(caller, 15, 5, 0, "　【オプションメニュー】", nullptr, kWithGraphics);
  } else {
    Open(caller, 15, 4, 0, "　【オプションメニュー】", nullptr, kWithoutGraphics);
  }
  caller.step = kOptionRead;
}

void ReadOptionList(const OptionMenuCaller& caller) {
  const int32_t result = MessageResult;
  if (result == -2) {
    caller.step = caller.back;
    return;
  }
  const int32_t count = caller.graphics_line ? 5 : 4;
  if (result < 0 || result >= count) return;  // still open
  // Without the drawing load the lines after the joypad move up by one.
  const auto option = static_cast<Option>(!caller.graphics_line && result >= 3 ? result + 1 : result);
  switch (option) {
    case Option::Music:
      PlaySound(kChooseSound);
      caller.step = kMusicList;
      break;
    case Option::Effects:
      PlaySound(kChooseSound);
      caller.step = kEffectList;
      break;
    case Option::Joypad:
      PlaySound(kChooseSound);
      caller.step = kJoypadNotice;
      break;
    case Option::Graphics:
      PlaySound(kChooseSound);
      caller.step = kGraphicsList;
      break;
    case Option::Back:
      PlaySound(kBackSound);
      caller.step = caller.back;
      break;
  }
}

// ---- the volume lists (720, 721, 820, 821) --------------------------------------------------

constexpr int kLevelLines = 7;   // lines 0..6 are levels, line 6 the silent one
constexpr int kSilentLine = 6;
constexpr int kVolumeBackLine = 7;

struct VolumeList {
  int32_t levels[kLevelLines];
  const char* titles[kLevelLines + 1];  // by the current level's line, then for a level no line offers
};

constexpr VolumeList kMusicLevels = {
    {127, 96, 80, 64, 48, 32, 0},
    {"　【ＢＧＭ音量－現在最大】", "　【ＢＧＭ音量－現在Ｌ５】", "　【ＢＧＭ音量－現在Ｌ４】", "　【ＢＧＭ音量－現在Ｌ３】",
     "　【ＢＧＭ音量－現在Ｌ２】", "　【ＢＧＭ音量－現在Ｌ１】", "　【ＢＧＭ音量－現在無音】", "　【ＢＧＭ音量－現在不明】"}};

constexpr VolumeList kEffectLevels = {
    {0, -1000, -1500, -2000, -2500, -3000, -10000},
    {"　【効果音音量－現在最大】", "　【効果音音量－現在Ｌ５】", "　【効果音音量－現在Ｌ４】", "　【効果音音量－現在Ｌ３】",
     "　【効果音音量－現在Ｌ２】", "　【効果音音量－現在Ｌ１】", "　【効果音音量－現在無音】",
     "　【効果音音量－現在不明】"}};

// The list names the current level and marks its line; an unlisted level shows the "unknown"
// title with the first line marked.
void OpenVolumeList(const OptionMenuCaller& caller, const VolumeList& list, int32_t level) {
  static const Line kLines[8] = {"最　　大　■■■■■■", "レベル５　■■■■■□", "レベル４　■■■■□□",
                                 "レベル３　■■■□□□", "レベル２　■■□□□□", "レベル１　■□□□□□",
                                 "無　　音　□□□□□□", "戻る"};
  const int32_t* end = list.levels + kLevelLines;
  const auto line = static_cast<int>(std::find(list.levels, end, level) - list.levels);
  Open(caller, 15, 8, line < kLevelLines ? line : 0, list.titles[line], nullptr, kLines);
}

void ReadMusicList(const OptionMenuCaller& caller) {
  const int32_t result = MessageResult;
  if (result == -2 || result == kVolumeBackLine) {
    PlaySound(kBackSound);
    if (caller.list_music != nullptr) StopMusic();
    caller.step = kOptionMenuStep;
  } else if (result >= 0 && result < kSilentLine) {
    MusicVolume = kMusicLevels.levels[result];
    PlaySound(kChooseSound);
    caller.step = kMusicList;
    // The song starts again from its beginning at the new level.
    PlayMusic(caller.list_music != nullptr ? caller.list_music : MusicPath);
  } else if (result == kSilentLine) {
    MusicVolume = 0;
    PlaySound(kChooseSound);
    StopMusic();
    caller.step = kMusicList;
  }
}

void ReadEffectList(const OptionMenuCaller& caller) {
  const int32_t result = MessageResult;
  if (result == -2 || result == kVolumeBackLine) {
    PlaySound(kBackSound);
    caller.step = kOptionMenuStep;
  } else if (result >= 0 && result < kSilentLine) {
    SoundVolume = kEffectLevels.levels[result];
    caller.step = kEffectList;
    PlaySound(kSampleSound);  // a sample at the new volume
  } else if (result == kSilentLine) {
    SoundVolume = kEffectLevels.levels[kSilentLine];
    caller.step = kEffectList;
    StopAllSounds();
  }
}

// ---- the joypad menus (898 .. 926) ----------------------------------------------------------

void OpenJoypadNotice(const OptionMenuCaller& caller) {
  Open(caller, 24, 0, 0, "",
       "※キーボードでＪＡＹＰＡＤ各キーの設定を行わないでください。設定はＪＯＹＳＴＩＣＫの操作で行ってください。",
       nullptr);
  caller.step = kJoypadNoticeRead;
}

void OpenJoypadMenu(const OptionMenuCaller& caller) {
  static const Line kLines[3] = {"ＪＯＹＰＡＤ各キーの設定", "初期の設定に戻す", "戻る"};
  Open(caller, 15, 3, 0, "【ＪＯＹＰＡＤメニュー】", nullptr, kLines);
  JoypadListCursor = 0;
  caller.step = kJoypadRead;
}

void ReadJoypadMenu(const OptionMenuCaller& caller) {
  switch (MessageResult) {
    case -2:
      caller.step = kOptionMenuStep;
      break;
    case 0:
      PlaySound(kChooseSound);
      caller.step = kButtonList;
      break;
    case 1:
      PlaySound(kChooseSound);
      caller.step = kResetMenu;
      break;
    case 2:
      PlaySound(kBackSound);
      caller.step = kOptionMenuStep;
      break;
    default:
      break;
  }
}

constexpr int kFunctionLines = 9;  // line 9 is "戻る"
constexpr int kButtonBackLine = 9;
// The ButtonBits entry of each line's function.
constexpr int kLineButton[kFunctionLines] = {kButtonJump,     kButtonAction,     kButtonItem,
                                             kButtonMagic,    kButtonMenu,       kButtonItemRight,
                                             kButtonItemLeft, kButtonMagicRight, kButtonMagicLeft};

// Each line names its function and ends in its button's number: the first joystick button
// (bit 4) is "０"; a value that is not one bit shows minus four.
void OpenButtonList(const OptionMenuCaller& caller) {
  Line lines[kFunctionLines + 1] = {};
  for (int line = 0; line < kFunctionLines; ++line) {
    char number[16];
    std::snprintf(number, sizeof number, "%d", BitIndex(ButtonBits[kLineButton[line]], 32) - 4);
    ToFullWidth(number, sizeof number);
    std::snprintf(lines[line], sizeof lines[line], "%s%s", caller.button_labels[line], number);
  }
  std::snprintf(lines[kButtonBackLine], sizeof lines[kButtonBackLine], "%s", "戻る");
  // A save may hold any cursor: one outside the list marks its nearest line.
  const int cursor = std::clamp(JoypadListCursor, 0, kButtonBackLine);
  Open(caller, 24, kFunctionLines + 1, cursor, "【矢印を合わせてＪＯＹＰＡＤを押してください】", nullptr, lines);
  caller.step = kButtonCapture;
}

// Every frame while the button list waits: a newly pressed single button of bit 16 or more is
// given to the function under the arrow. Releasing one of two held buttons changes the mask to
// the one still held, which is taken like a press.
void CaptureButton(const OptionMenuCaller& caller) {
  const uint32_t changed = GetChangedButtons();
  if (changed >= kFirstButtonBit && CountBits(changed) == 1) {
    const int line = static_cast<int>(std::min<uint32_t>(MessageWindow.selected, kButtonBackLine));
    JoypadListCursor = line;
    if (line == kButtonBackLine) {
      caller.step = kOptionMenuStep;
      return;
    }
    ButtonBits[kLineButton[line]] = ButtonHistory[0];
    RebuildKeyTable();
    PlaySound(kChooseSound);
    caller.step = kButtonList;  // the list opens again with the new number on the same line
  } else if (changed >= kFirstButtonBit) {
    caller.step = kButtonList;  // several buttons at once: nothing is assigned
  } else if (MessageResult != 255) {
    caller.step = kButtonList;  // closed without an assignment
  }
}

void OpenResetMenu(const OptionMenuCaller& caller) {
  static const Line kLines[2] = {"戻る", "初期化の設定に戻す"};
  Open(caller, 15, 2, 0, "【ＪＯＹＰＡＤ設定初期化】", nullptr, kLines);
  caller.step = kResetRead;
}

void ReadResetMenu(const OptionMenuCaller& caller) {
  switch (MessageResult) {
    case -2:
      caller.step = kJoypadMenu;
      break;
    case 0:
      PlaySound(kBackSound);
      caller.step = kJoypadMenu;
      break;
    case 1:
      PlaySound(kDefaultsSound);
      SetDefaultKeys();
      caller.step = kOptionMenuStep;
      break;
    default:
      break;
  }
}

// ---- the background-drawing load (620, 621) -------------------------------------------------

constexpr int32_t kCarefulRedraw = 6;   // a layer is redrawn whole from a step of 6 pixels
constexpr int32_t kCheapRedraw = 320;   // only from half a screen

void OpenGraphicsList(const OptionMenuCaller& caller) {
  static const Line kLines[3] = {"ＰＣ性能に問題は無い　背景を念入りに描画", "いんや自信ない　　　　背景を手抜き描画",
                                 "戻る"};
  const int32_t threshold = GetRedrawThreshold();
  if (threshold == kCarefulRedraw) {
    Open(caller, 24, 3, 0, "　【負荷大－念入りに描画】", nullptr, kLines);
  } else if (threshold == kCheapRedraw) {
    Open(caller, 24, 3, 1, "　【負担小－手抜き描画】", nullptr, kLines);
  } else {
    Open(caller, 24, 3, 0, "　【負荷不明：設定してください】", nullptr, kLines);
  }
  caller.step = kGraphicsRead;
}

void ReadGraphicsList(const OptionMenuCaller& caller) {
  switch (MessageResult) {
    case -2:
    case 2:
      PlaySound(kBackSound);
      caller.step = kOptionMenuStep;
      break;
    case 0:
      SetRedrawThreshold(kCarefulRedraw);
      PlaySound(kChooseSound);
      caller.step = kGraphicsList;
      break;
    case 1:
      SetRedrawThreshold(kCheapRedraw);
      PlaySound(kChooseSound);
      caller.step = kGraphicsList;
      break;
    default:
      break;
  }
}

// ---- the callers ----------------------------------------------------------------------------

const Line kPauseButtonLabels[kFunctionLines] = {
    "ジャンプ（肯定）－－ボタン", "アクション（否定）－ボタン", "ＩＴＥＭ利用－－－－ボタン",
    "ＭＡＧＩＣ利用－－ボタン",   "Ｍｅｎｕ－－－－－－ボタン", "ＩＴＥＭ切替Ｒ－－－ボタン",
    "ＩＴＥＭ切替Ｌ－－－ボタン", "ＭＡＧＩＣ切替Ｒ－ボタン",   "ＭＡＧＩＣ選択Ｌ－ボタン"};

const Line kTitleButtonLabels[kFunctionLines] = {
    "ジャンプ（肯定）－－ボタン",   "アクション（否定）－ボタン", "ＩＴＥＭ利用－－－－ボタン",
    "Ｍ・ＩＴＥＭ利用－－ボタン",   "Ｍｅｎｕ－－－－－－ボタン", "ＩＴＥＭ切替Ｒ－－－ボタン",
    "ＩＴＥＭ切替Ｌ－－－ボタン",   "Ｍ・ＩＴＥＭ切替Ｒ－ボタン", "Ｍ・ＩＴＥＭ選択Ｌ－ボタン"};

}  // namespace

const OptionMenuCaller kPauseMenuOptions = {MenuState, 0, true, kPauseButtonLabels, false, nullptr};
const OptionMenuCaller kTitleOptions = {SceneStep, 400, false, kTitleButtonLabels, true, "./Data/TOWN.MID"};

bool IsOptionMenuStep(const OptionMenuCaller& caller, int32_t step) {
  switch (step) {
    case kOptionMenuStep:
    case kOptionRead:
    case kMusicList:
    case kMusicRead:
    case kEffectList:
    case kEffectRead:
    case kJoypadNotice:
    case kJoypadNoticeRead:
    case kJoypadMenu:
    case kJoypadRead:
    case kButtonList:
    case kButtonCapture:
    case kResetMenu:
    case kResetRead:
      return true;
    case kGraphicsList:
    case kGraphicsRead:
      return caller.graphics_line;
    default:
      return false;
  }
}

void RunOptionMenus(const OptionMenuCaller& caller) {
  switch (caller.step) {
    case kOptionMenuStep:
      OpenOptionList(caller);
      break;
    case kOptionRead:
      ReadOptionList(caller);
      break;
    case kMusicList:
      OpenVolumeList(caller, kMusicLevels, MusicVolume);
      caller.step = kMusicRead;
      break;
    case kMusicRead:
      ReadMusicList(caller);
      break;
    case kEffectList:
      OpenVolumeList(caller, kEffectLevels, SoundVolume);
      caller.step = kEffectRead;
      break;
    case kEffectRead:
      ReadEffectList(caller);
      break;
    case kJoypadNotice:
      OpenJoypadNotice(caller);
      break;
    case kJoypadNoticeRead:
      if (MessageResult == -2) caller.step = kJoypadMenu;
      break;
    case kJoypadMenu:
      OpenJoypadMenu(caller);
      break;
    case kJoypadRead:
      ReadJoypadMenu(caller);
      break;
    case kButtonList:
      OpenButtonList(caller);
      break;
    case kButtonCapture:
      CaptureButton(caller);
      break;
    case kResetMenu:
      OpenResetMenu(caller);
      break;
    case kResetRead:
      ReadResetMenu(caller);
      break;
    case kGraphicsList:
      if (caller.graphics_line) OpenGraphicsList(caller);
      break;
    case kGraphicsRead:
      if (caller.graphics_line) ReadGraphicsList(caller);
      break;
    default:
      break;
  }
}
