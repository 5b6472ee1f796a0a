// Our own fuzzing loop, for compilers without libFuzzer (g++): it reads the seed files, runs
// each, then mutates inputs of the corpus for the time it is given, with a fixed random seed.
// When the game is compiled with -fsanitize-coverage=trace-pc, an input that reaches code (or a
// count of passes) no earlier input reached joins the corpus. It understands the part of
// libFuzzer's command line that our scripts use:
//
//   fuzz_NAME [-max_total_time=S] [-runs=N] [-seed=N] [-max_len=N] [-timeout=S]
//             [-artifact_prefix=DIR/] PATH...
//
// PATH is a folder of inputs or one input. With files only and neither -max_total_time nor
// -runs, each file runs once (a reproduction). An input that crashes or hangs is written to
// <artifact_prefix>crash-<hash> (or timeout-<hash>) and named on standard error with libFuzzer's
// words: "Test unit written to PATH". Other libFuzzer flags are accepted and ignored.
#include <sanitizer/common_interface_defs.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

#if defined(__clang__)
#define TOVIA_NO_COVERAGE __attribute__((no_sanitize("coverage")))
#else
#define TOVIA_NO_COVERAGE __attribute__((no_sanitize_coverage))
#endif

namespace {

// ---- coverage -------------------------------------------------------------------------------

constexpr size_t kCounterCount = 1 << 16;
uint8_t counters[kCounterCount];

}  // namespace

// Called by the compiler at every edge of the instrumented code: one counter per return address.
extern "C" TOVIA_NO_COVERAGE void __sanitizer_cov_trace_pc() {
  const auto pc = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
  uint8_t& c = counters[(pc ^ (pc >> 16)) & (kCounterCount - 1)];
  if (c != 255) ++c;
}

namespace {

namespace fs = std::filesystem;
using Input = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// Each counter's passes fall in one of eight ranges, as libFuzzer counts them; a range seen for
// the first time is new coverage.
uint8_t seen[kCounterCount];

uint8_t RangeBit(uint8_t count) {
  if (count >= 128) return 0x80;
  if (count >= 32) return 0x40;
  if (count >= 16) return 0x20;
  if (count >= 8) return 0x10;
  if (count >= 4) return 0x08;
  return static_cast<uint8_t>(1 << (count - 1));  // 1, 2, 3
}

// Collects the last run's counters; true when they show something new.
bool CollectCoverage() {
  bool fresh = false;
  for (size_t i = 0; i < kCounterCount; ++i) {
    if (counters[i] == 0) continue;
    const uint8_t bit = RangeBit(counters[i]);
    if ((seen[i] & bit) == 0) {
      seen[i] |= bit;
      fresh = true;
    }
    counters[i] = 0;
  }
  return fresh;
}

size_t CoveredCounters() {
  return static_cast<size_t>(std::count_if(std::begin(seen), std::end(seen), [](uint8_t s) { return s != 0; }));
}

// ---- the input that runs, for the crash report ----------------------------------------------

Input current;
std::string artifact_prefix;

uint64_t Hash(const Input& in) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (uint8_t b : in) h = (h ^ b) * 1099511628211ull;
  return h;
}

// The standard error the loop started with: while an input runs, the target sends the process's
// own to a file.
int report_fd = 2;

// Runs from the sanitizers' death callback and from signal handlers, when the process is about to
// end anyway: plain C calls on memory that is already there.
void WriteArtifact(const char* kind) {
  char path[4096];
  std::snprintf(path, sizeof path, "%s%s-%016llx", artifact_prefix.c_str(), kind,
                static_cast<unsigned long long>(Hash(current)));
  FILE* f = std::fopen(path, "wb");
  if (f != nullptr) {
    if (!current.empty()) std::fwrite(current.data(), 1, current.size(), f);
    std::fclose(f);
  }
  dprintf(report_fd, "Test unit written to %s\n", path);
}

void OnDeath() { WriteArtifact("crash"); }

void OnSignal(int sig) {
  WriteArtifact(sig == SIGALRM ? "timeout" : "crash");
  if (sig == SIGALRM) dprintf(report_fd, "ALARM: the last input ran too long\n");
  _exit(sig == SIGALRM ? 70 : 1);
}

int timeout_seconds = 10;

void Run(const Input& in) {
  current = in;
  alarm(static_cast<unsigned>(timeout_seconds));
  LLVMFuzzerTestOneInput(current.data(), current.size());
  alarm(0);
}

// ---- mutations ------------------------------------------------------------------------------

class Mutator {
 public:
  Mutator(uint32_t seed, size_t max_len) : random_(seed), max_len_(max_len) {}

  size_t Below(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

  // One to four changes of `in`, sometimes with bytes taken from `other`.
  void Mutate(Input& in, const Input& other) {
    const size_t changes = 1 + Below(4);
    for (size_t k = 0; k < changes; ++k) MutateOnce(in, other);
    if (in.size() > max_len_) in.resize(max_len_);
  }

 private:
  void MutateOnce(Input& in, const Input& other) {
    static constexpr uint32_t kInteresting[] = {0,          1,          2,          0x7F,       0x80,
                                                0xFF,       0x100,      0x7FFF,     0x8000,     0xFFFF,
                                                0x10000,    0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE};
    const size_t n = in.size();
    switch (Below(9)) {
      case 0:  // flip a bit
        if (n != 0) in[Below(n)] ^= static_cast<uint8_t>(1 << Below(8));
        break;
      case 1:  // a random byte
        if (n != 0) in[Below(n)] = static_cast<uint8_t>(Below(256));
        break;
      case 2: {  // an interesting value of 1, 2 or 4 bytes, little- or big-endian
        const uint32_t v = kInteresting[Below(std::size(kInteresting))];
        const size_t width = size_t{1} << Below(3);
        if (n < width) break;
        const size_t at = Below(n - width + 1);
        const bool big = Below(2) == 1;
        for (size_t i = 0; i < width; ++i) in[at + i] = static_cast<uint8_t>(v >> (8 * (big ? width - 1 - i : i)));
        break;
      }
      case 3:  // a small step up or down
        if (n != 0) in[Below(n)] += static_cast<uint8_t>(Below(2) == 0 ? 1 + Below(16) : 256 - 1 - Below(16));
        break;
      case 4: {  // insert random bytes
        const size_t count = 1 + Below(16);
        const size_t at = Below(n + 1);
        Input bytes(count);
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(Below(256));
        in.insert(in.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin(), bytes.end());
        break;
      }
      case 5: {  // erase a range
        if (n == 0) break;
        const size_t at = Below(n);
        const size_t count = 1 + Below(std::min<size_t>(n - at, 64));
        in.erase(in.begin() + static_cast<std::ptrdiff_t>(at), in.begin() + static_cast<std::ptrdiff_t>(at + count));
        break;
      }
      case 6: {  // repeat a range of itself
        if (n == 0) break;
        const size_t from = Below(n);
        const Input piece(in.begin() + static_cast<std::ptrdiff_t>(from),
                          in.begin() + static_cast<std::ptrdiff_t>(from + 1 + Below(std::min<size_t>(n - from, 64))));
        in.insert(in.begin() + static_cast<std::ptrdiff_t>(Below(n + 1)), piece.begin(), piece.end());
        break;
      }
      case 7: {  // bytes of another input over the same place
        if (other.empty() || n == 0) break;
        const size_t at = Below(std::min(n, other.size()));
        const size_t count = 1 + Below(std::min(n, other.size()) - at);
        std::copy_n(other.begin() + static_cast<std::ptrdiff_t>(at), count, in.begin() + static_cast<std::ptrdiff_t>(at));
        break;
      }
      default:  // cut the end
        if (n != 0) in.resize(Below(n));
        break;
    }
  }

  std::mt19937 random_;
  size_t max_len_;
};

// ---- the command line -----------------------------------------------------------------------

struct Options {
  double max_total_time = 0;
  long runs = -1;
  uint32_t seed = 1;
  size_t max_len = 0;
  std::vector<std::string> paths;
};

bool Flag(const char* arg, const char* name, std::string& value) {
  const size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0 || arg[n] != '=') return false;
  value = arg + n + 1;
  return true;
}

Options ReadOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string v;
    if (Flag(argv[i], "-max_total_time", v)) {
      o.max_total_time = std::atof(v.c_str());
    } else if (Flag(argv[i], "-runs", v)) {
      o.runs = std::atol(v.c_str());
    } else if (Flag(argv[i], "-seed", v)) {
      o.seed = static_cast<uint32_t>(std::strtoul(v.c_str(), nullptr, 10));
    } else if (Flag(argv[i], "-max_len", v)) {
      o.max_len = static_cast<size_t>(std::atol(v.c_str()));
    } else if (Flag(argv[i], "-timeout", v)) {
      timeout_seconds = std::max(1, std::atoi(v.c_str()));
    } else if (Flag(argv[i], "-artifact_prefix", v)) {
      artifact_prefix = v;
    } else if (argv[i][0] != '-') {
      o.paths.push_back(argv[i]);
    }
  }
  return o;
}

Input ReadInput(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  return Input(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = ReadOptions(argc, argv);
  report_fd = dup(2);
  LLVMFuzzerInitialize(&argc, &argv);
  __sanitizer_set_death_callback(OnDeath);
  signal(SIGALRM, OnSignal);
  signal(SIGABRT, OnSignal);

  const bool reproduce = o.max_total_time <= 0 && o.runs < 0 &&
                         std::all_of(o.paths.begin(), o.paths.end(), [](const std::string& p) { return !fs::is_directory(p); });
  std::vector<Input> corpus;
  for (const std::string& p : o.paths) {
    if (fs::is_directory(p)) {
      std::vector<fs::path> files;
      for (const fs::directory_entry& e : fs::directory_iterator(p))
        if (e.is_regular_file()) files.push_back(e.path());
      std::sort(files.begin(), files.end());
      for (const fs::path& f : files) corpus.push_back(ReadInput(f));
    } else {
      corpus.push_back(ReadInput(p));
    }
  }
  if (reproduce) {
    for (size_t i = 0; i < corpus.size(); ++i) {
      Run(corpus[i]);
      std::fprintf(stderr, "Executed %s\n", o.paths[i].c_str());
    }
    return 0;
  }

  if (corpus.empty()) corpus.emplace_back();
  size_t max_len = o.max_len;
  if (max_len == 0) {
    max_len = 4096;
    for (const Input& in : corpus) max_len = std::max(max_len, in.size());
  }
  const Clock::time_point start = Clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
  long executions = 0;
  for (const Input& in : corpus) {
    Run(in);
    CollectCoverage();
    ++executions;
  }
  std::fprintf(stderr, "#%ld INITED cov: %zu corp: %zu\n", executions, CoveredCounters(), corpus.size());

  Mutator mutator(o.seed, max_len);
  double next_report = 5;
  while ((o.max_total_time <= 0 || elapsed() < o.max_total_time) && (o.runs < 0 || executions < o.runs)) {
    Input in = corpus[mutator.Below(corpus.size())];
    mutator.Mutate(in, corpus[mutator.Below(corpus.size())]);
    Run(in);
    ++executions;
    if (CollectCoverage()) corpus.push_back(std::move(in));
    if (elapsed() >= next_report) {
      std::fprintf(stderr, "#%ld pulse cov: %zu corp: %zu exec/s: %.0f\n", executions, CoveredCounters(), corpus.size(),
                   executions / elapsed());
      next_report += 5;
    }
  }
  std::fprintf(stderr, "#%ld DONE cov: %zu corp: %zu exec/s: %.0f\n", executions, CoveredCounters(), corpus.size(),
               executions / std::max(elapsed(), 1e-9));
  std::fprintf(stderr, "Done %ld runs in %.0f second(s)\n", executions, elapsed());
  return 0;
}
