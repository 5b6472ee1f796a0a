// The fuzz targets in the unit tests: every seed and every input that once found a fault
// (regressions/<target>/) runs through its target, under the sanitizers in the sanitized build,
// and the game writes nothing on stdout or stderr meanwhile; and the seeds are what their names
// say, so that fuzzing starts from inputs that reach deep.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/music.h"
#include "audio/sound_slots.h"
#include "fuzz/fuzz_output.h"
#include "fuzz/fuzz_scratch.h"
#include "fuzz/fuzz_targets.h"
#include "mapc/map_source.h"
#include "platform/host_audio.h"
#include "support/game_reset.h"
#include "world/map_layers.h"
#include "world/save_files.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const fs::path kFuzzDir = fs::path(TOVIA_SOURCE_DIR) / "tests" / "fuzz";

Bytes ReadBytes(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// The files of seeds/<target> or regressions/<target>, sorted; none when the folder is missing.
std::vector<fs::path> Inputs(const char* kind, const std::string& target) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(kFuzzDir / kind / target, ec))
    if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

class FuzzReplay : public testing::TestWithParam<FuzzTarget> {
 protected:
  void TearDown() override { ResetGameState(); }
};

TEST_P(FuzzReplay, SeedsAndRegressionsRunClean) {
  const FuzzTarget& target = GetParam();
  const std::vector<fs::path> seeds = Inputs("seeds", target.name);
  EXPECT_GE(seeds.size(), 3u) << "a target starts from a few valid and near-valid inputs";
  std::vector<fs::path> all = seeds;
  const std::vector<fs::path> regressions = Inputs("regressions", target.name);
  all.insert(all.end(), regressions.begin(), regressions.end());
  for (const fs::path& input : all) {
    SCOPED_TRACE(input.string());
    const Bytes bytes = ReadBytes(input);
    EXPECT_EQ(RunCapturingOutput(target.run, bytes.data(), bytes.size()), "") << "the game wrote on stdout or stderr";
  }
}

}  // namespace

void PrintTo(const FuzzTarget& target, std::ostream* os) { *os << target.name; }

namespace {

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, testing::ValuesIn(kFuzzTargets),
                         [](const testing::TestParamInfo<FuzzTarget>& info) { return std::string(info.param.name); });

// ---- the seeds are what their names say ---------------------------------------------------------

// The return point's seed is also one the target plays after its load, so fuzzing starts from an
// input that reaches the save room and the way out.
TEST(FuzzSeeds, SavesLoadTheShortOneIsRefusedAndTheReturnPointIsPlayed) {
  ResetGameState();
  UseScratchFolder();
  bool return_point_played = false;
  for (const fs::path& seed : Inputs("seeds", "save_files")) {
    const Bytes bytes = ReadBytes(seed);
    WriteScratchFile("save0.dat", bytes.data(), bytes.size());
    const bool short_one = seed.filename() == "one_byte_short.dat";
    EXPECT_EQ(ReadSave(".\\Data\\save0.dat"), short_one ? -1 : 0) << seed;
    if (seed.filename() == "save_room_return_point.dat")
      return_point_played = SaveInputPlaysTheLoad(bytes.data(), bytes.size());
  }
  EXPECT_TRUE(return_point_played) << "no return point's seed whose bytes make it one of the played";
  ResetGameState();
}

TEST(FuzzSeeds, WavesParseAndTheMixerPlaysTheirFormat) {
  for (const fs::path& seed : Inputs("seeds", "wave")) {
    const Bytes bytes = ReadBytes(seed);
    host::WaveFormat format;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    ASSERT_EQ(ParseWaveData(bytes.data(), bytes.size(), format, data, size), 1) << seed;
    EXPECT_GT(size, 0u) << seed;
    EXPECT_TRUE(format.channels == 1 || format.channels == 2) << seed;
    EXPECT_TRUE(format.bits_per_sample == 8 || format.bits_per_sample == 16) << seed;
  }
}

TEST(FuzzSeeds, MidiFilesHaveTracks) {
  ResetGameState();
  for (const fs::path& seed : Inputs("seeds", "midi_file")) {
    MidiPlay& p = MusicPlayers[0];
    ASSERT_EQ(p.Load(seed.c_str()), 1) << seed;
    EXPECT_GE(p.track_count, 1) << seed;
  }
  ResetGameState();
}

TEST(FuzzSeeds, MapSourcesCompileAndTheFaultyOnesNameTheirLine) {
  InitBgLayers();
  for (const fs::path& seed : Inputs("seeds", "map_source")) {
    const Bytes bytes = ReadBytes(seed);
    const std::string error = CompileMapSource(std::string(bytes.begin(), bytes.end()));
    if (seed.filename().string().rfind("fault_", 0) == 0) {
      EXPECT_NE(error, "") << seed;
    } else {
      EXPECT_EQ(error, "") << seed;
    }
  }
  FreeBgLayers();
}

}  // namespace
