// The pieces the sound effects are built from: a signal of samples at the effect's rate,
// oscillators that follow a pitch changing every sample, seeded noise, one-pole filters and
// envelopes. Times are in seconds, pitches in Hz, samples -1..1 before the effect is levelled.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace sfx {

constexpr double kPi = 3.14159265358979323846;

// One channel of an effect.
struct Signal {
  int rate = 0;
  std::vector<double> s;

  Signal(int r, double seconds) : rate(r), s(static_cast<size_t>(std::lround(seconds * r)), 0.0) {}
  int Frames() const { return static_cast<int>(s.size()); }
  double Time(int i) const { return static_cast<double>(i) / rate; }
  // Adds `other` (of the same rate) scaled by `gain`, starting `delay` seconds in; the signal
  // grows to hold it.
  void Add(const Signal& other, double gain = 1.0, double delay = 0.0) {
    const size_t at = static_cast<size_t>(std::lround(delay * rate));
    if (s.size() < at + other.s.size()) s.resize(at + other.s.size(), 0.0);
    for (size_t i = 0; i < other.s.size(); ++i) s[at + i] += gain * other.s[i];
  }
};

// A signal `seconds` long whose sample at time t is f(t); f keeps its oscillators and filters
// as state, called once per sample in order.
template <typename F>
Signal Render(int rate, double seconds, F f) {
  Signal out(rate, seconds);
  for (int i = 0; i < out.Frames(); ++i) out.s[i] = f(out.Time(i));
  return out;
}

// An oscillator's phase 0..1, advanced each sample by the pitch of that sample.
class Phase {
 public:
  explicit Phase(int rate, double start = 0.0) : rate_(rate), phase_(start) {}
  double operator()(double hz) {
    const double p = phase_;
    phase_ += hz / rate_;
    phase_ -= std::floor(phase_);
    return p;
  }

 private:
  int rate_;
  double phase_;
};

inline double Sine(double phase) { return std::sin(2 * kPi * phase); }
inline double Square(double phase, double duty = 0.5) { return phase < duty ? 1.0 : -1.0; }
inline double Triangle(double phase) { return 1.0 - 4.0 * std::fabs(phase - 0.5); }
inline double Saw(double phase) { return 2.0 * phase - 1.0; }

// White noise -1..1 from a fixed seed, so every build writes the same bytes.
class Noise {
 public:
  explicit Noise(uint32_t seed = 1) : state_(seed * 2654435761u + 1) {}
  double operator()() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / (1u << 23) - 1.0;
  }

 private:
  uint32_t state_;
};

// One-pole filters whose cut-off may change every sample.
class LowPass {
 public:
  explicit LowPass(int rate) : rate_(rate) {}
  double operator()(double x, double hz) {
    const double a = 1.0 - std::exp(-2 * kPi * hz / rate_);
    y_ += a * (x - y_);
    return y_;
  }

 private:
  int rate_;
  double y_ = 0.0;
};

class HighPass {
 public:
  explicit HighPass(int rate) : low_(rate) {}
  double operator()(double x, double hz) { return x - low_(x, hz); }

 private:
  LowPass low_;
};

// ---- envelopes and pitch curves (t: seconds since the start of the effect) -------------------

// Exponential decay with time constant `tau`.
inline double Decay(double t, double tau) { return std::exp(-t / tau); }
// A linear rise over `seconds`, then 1.
inline double Attack(double t, double seconds) { return std::min(1.0, t / seconds); }
// 1 until `start`, then a raised-cosine fall to 0 at `end`, 0 after.
inline double FadeOut(double t, double start, double end) {
  if (t <= start) return 1.0;
  if (t >= end) return 0.0;
  return 0.5 + 0.5 * std::cos(kPi * (t - start) / (end - start));
}
// A raised-cosine rise from 0 at `start` to 1 at `end`.
inline double FadeIn(double t, double start, double end) { return 1.0 - FadeOut(t, start, end); }
// A pitch gliding exponentially from `from` to `to` over `seconds`, then held.
inline double Glide(double t, double seconds, double from, double to) {
  return from * std::pow(to / from, std::min(1.0, t / seconds));
}
// The pitch of MIDI key `key` (69 = A 440 Hz).
inline double KeyHz(double key) { return 440.0 * std::pow(2.0, (key - 69.0) / 12.0); }

}  // namespace sfx
