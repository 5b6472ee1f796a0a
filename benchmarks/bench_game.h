// The game for benchmarks of whole frames and scenes: started on the headless backend as the
// program starts, with the build's Data folder (which holds the maps), and its first frame, the
// new game, run.
#pragma once

#include <benchmark/benchmark.h>

#include "app/game_flow.h"
#include "app/winmain.h"
#include "platform/files.h"

inline void StartBenchGame() {
  SetFileBase(TOVIA_BINARY_DIR);
  StartProcess(0, "", 1);
  StartDisplay(MainWindow);
  RunFrame(MainWindow);
}

inline void StopBenchGame(benchmark::State& state) {
  if (SubMode == kSubMapLoadFailure) state.SkipWithError("the maps are missing from the build's Data folder");
  Shutdown(MainWindow);
  SetFileBase("");
}
