// A whole frame of the game on the headless backend while a talk stands: the message window
// open on a full page of text over the map layers.
#include <benchmark/benchmark.h>

#include <string>

#include "app/game_flow.h"
#include "app/winmain.h"
#include "platform/counters.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

void BM_RunFrameIdle(benchmark::State& state) {
  StartProcess(0, "", 1);
  StartDisplay(MainWindow);
  RunFrame(MainWindow);  // the new game
  SubMode = kSubWorld;
  // A full page of mixed text: kana, kanji and ASCII, 144 bytes.
  std::string page;
  while (page.size() < 144) page += "あいうえおカキクケコ漢字表示ABCD";
  page.resize(144);
  CloseMessage();
  OpenMessage(24, 0, 0, "ロッド", page.c_str(), nullptr, 1);
  MessageWindow.revealed = 144;  // the page shown whole: every line drawn each frame
  for (auto _ : state) {
    RunFrame(MainWindow);
    TickFrame();
  }
  Shutdown(MainWindow);
}
BENCHMARK(BM_RunFrameIdle)->Unit(benchmark::kMicrosecond);

}  // namespace
