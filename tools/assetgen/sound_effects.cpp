// The sound effects, one function per slot, grouped by where the game plays them. Each is made
// from oscillators, noise and envelopes (sound_kit.h) to sound like its role: pitch sweeps for
// jumps and shots, noise bursts for hits and blasts, bright notes for coins and chimes. Lengths
// follow how often a slot is played: the typewriter tick sounds for every revealed character,
// the elevator's hum every frame, so both are short; jingles may ring for up to a second.
#include "sound_effects.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>

using namespace sfx;

namespace {

// ---- shared shapes -------------------------------------------------------------------------

Effect Mono(Signal s) { return Effect{s, s}; }

// Adds `s` times `gain` into both channels at `pan` (-1 left .. 1 right, equal power), `delay`
// seconds in.
void Place(Effect& e, const Signal& s, double pan, double delay = 0.0, double gain = 1.0) {
  const double angle = (pan + 1.0) * kPi / 4.0;
  e.left.Add(s, gain * std::cos(angle) * std::sqrt(2.0), delay);
  e.right.Add(s, gain * std::sin(angle) * std::sqrt(2.0), delay);
  const size_t n = std::max(e.left.s.size(), e.right.s.size());
  e.left.s.resize(n, 0.0);
  e.right.s.resize(n, 0.0);
}

Effect Silence(int rate) { return Effect{Signal(rate, 0.0), Signal(rate, 0.0)}; }

// A struck note: a pulse wave (blended with a sine to round it) of MIDI key `key`, ringing away
// with time constant `tau` and ending after `seconds`. Each key starts at a phase of its own, so
// the notes of a chord do not pile their first peaks on one another.
Signal Struck(int rate, double key, double seconds, double tau) {
  Phase p(rate, std::fmod(key * 0.37, 1.0));
  LowPass soften(rate);
  return Render(rate, seconds, [&, hz = KeyHz(key)](double t) {
    const double phase = p(hz);
    const double tone = 0.6 * Square(phase) + 0.4 * Sine(phase);
    return soften(tone, 6000) * Attack(t, 0.003) * Decay(t, tau) * FadeOut(t, seconds - 0.02, seconds);
  });
}

// A bell: a sine with two inharmonic partials that die faster than the fundamental.
Signal Bell(int rate, double key, double seconds, double tau) {
  Phase a(rate), b(rate), c(rate);
  return Render(rate, seconds, [&, hz = KeyHz(key)](double t) {
    const double ring =
        Sine(a(hz)) + 0.35 * Sine(b(hz * 2.76)) * Decay(t, tau / 3) + 0.15 * Sine(c(hz * 5.4)) * Decay(t, tau / 6);
    return ring * Attack(t, 0.002) * Decay(t, tau) * FadeOut(t, seconds - 0.03, seconds);
  });
}

// A blast: noise through a low-pass closing from `bright` to `dull` Hz, over a sine thump
// falling from `thump` Hz; `tau` sets how fast it dies.
Signal Blast(int rate, double seconds, double bright, double dull, double tau, double thump, uint32_t seed) {
  Noise noise(seed);
  LowPass body(rate);
  Phase low(rate);
  return Render(rate, seconds, [&](double t) {
    const double rumble = body(noise(), Glide(t, seconds * 0.7, bright, dull)) * 2.0 * Decay(t, tau);
    const double boom = Sine(low(Glide(t, seconds * 0.5, thump, thump * 0.4))) * Decay(t, tau * 0.8);
    return rumble + 0.8 * boom;
  });
}

// A blip whose pitch glides from `from` to `to` Hz over `glide` seconds: jumps, shots, hurts.
Signal Sweep(int rate, double seconds, double from, double to, double glide, double tau, double duty = 0.5) {
  Phase p(rate);
  return Render(rate, seconds, [&](double t) {
    return Square(p(Glide(t, glide, from, to)), duty) * Decay(t, tau) * FadeOut(t, seconds * 0.8, seconds);
  });
}

// A notes-in-a-row jingle: each key struck `step` seconds after the one before, the last one
// left to ring.
Signal Arpeggio(int rate, std::initializer_list<double> keys, double step, double ring) {
  Signal out(rate, 0.0);
  double at = 0.0;
  size_t i = 0;
  for (double key : keys) {
    const bool last = ++i == keys.size();
    out.Add(Struck(rate, key, last ? ring : step * 2, last ? ring / 3 : step), 0.6, at);
    at += step;
  }
  return out;
}

// A shower of `count` short high bells at seeded times within `seconds`.
Signal Sparkles(int rate, double seconds, int count, uint32_t seed) {
  constexpr double kPentatonic[] = {96, 98, 100, 103, 105, 108};
  Noise pick(seed);
  Signal out(rate, seconds);
  for (int k = 0; k < count; ++k) {
    const double key = kPentatonic[static_cast<int>((pick() + 1.0) * 3.0) % 6];
    const double at = (pick() + 1.0) / 2.0 * (seconds - 0.2);
    out.Add(Bell(rate, key, 0.18, 0.05), 0.4, at);
  }
  out.s.resize(static_cast<size_t>(std::lround(seconds * rate)), 0.0);
  return out;
}

// ---- menus and the message window ----------------------------------------------------------

// 0: a choice made in a menu, or a talk begun: two bright rising square notes.
Effect MenuChoose(int rate) {
  Phase p(rate);
  return Mono(Render(rate, 0.08, [&](double t) {
    const double hz = t < 0.035 ? KeyHz(81) : KeyHz(88);
    return Square(p(hz)) * FadeOut(t, 0.05, 0.08);
  }));
}

// 20: back or cancel: the same kind of blip, stepping down and lower, so it reads as "no".
Effect Cancel(int rate) {
  Phase p(rate);
  return Mono(Render(rate, 0.1, [&](double t) {
    const double hz = t < 0.04 ? KeyHz(76) : KeyHz(69);
    return Square(p(hz), 0.25) * FadeOut(t, 0.06, 0.1);
  }));
}

// 10: the typewriter tick, sounded for every revealed character (every 2 frames at the fastest):
// a 20-millisecond click of bright noise over a tiny ping.
Effect TypeTick(int rate) {
  Noise noise(10);
  HighPass crisp(rate);
  Phase ping(rate);
  return Mono(Render(rate, 0.02, [&](double t) {
    return 0.7 * crisp(noise(), 3000) * Decay(t, 0.0015) + 0.5 * Sine(ping(2400)) * Decay(t, 0.004);
  }));
}

// 14: the bag cursor and the magic-tool switch: a soft rounded click.
Effect CursorClick(int rate) {
  Phase p(rate);
  return Mono(Render(rate, 0.08, [&](double t) {
    return Triangle(p(Glide(t, 0.02, KeyHz(86), KeyHz(84)))) * Decay(t, 0.015);
  }));
}

// 24: the status panel's alarm while a spell drains the magic: a "bi-bip" that fits in the
// shortest repeat of 8 frames.
Effect Alarm(int rate) {
  Phase p(rate);
  return Mono(Render(rate, 0.11, [&](double t) {
    const double tone = Square(p(KeyHz(91)));
    return t < 0.045 || (t >= 0.06 && t < 0.105) ? tone : 0.0;
  }));
}

// ---- the heroine ---------------------------------------------------------------------------

// 2: the jump: a thin square sweeping up an octave and a half, fading as it rises.
Effect Jump(int rate) { return Mono(Sweep(rate, 0.15, 180, 640, 0.12, 0.07, 0.25)); }

// 13: her magic bullet: a "pew" falling fast from a high whistle.
Effect Pew(int rate) { return Mono(Sweep(rate, 0.15, 1800, 350, 0.1, 0.06)); }

// 5: she is hurt: a falling, wobbling square over a short bruise of noise.
Effect Hurt(int rate) {
  Phase p(rate), wobble(rate);
  Noise noise(5);
  LowPass bruise(rate);
  return Mono(Render(rate, 0.2, [&](double t) {
    const double hz = Glide(t, 0.18, 700, 180) * (1.0 + 0.06 * Sine(wobble(25)));
    return (Square(p(hz)) + 0.6 * bruise(noise(), 3000) * 3.0 * Decay(t, 0.02)) * Decay(t, 0.1);
  }));
}

// 8: a hard hit on her (and the teacher's second blast): a crack, then a heavy crash.
Effect HardHit(int rate) {
  Noise noise(8);
  HighPass crack(rate);
  Signal out = Render(rate, 0.4, [&](double t) { return 0.8 * crack(noise(), 2500) * Decay(t, 0.008); });
  out.Add(Blast(rate, 0.4, 3000, 200, 0.1, 90, 81));
  return Mono(out);
}

// 6: a blow that does no damage: a short metallic "tink" of inharmonic partials.
Effect Tink(int rate) {
  constexpr double kRatios[] = {1.0, 1.58, 2.21, 2.87};
  constexpr double kTaus[] = {0.03, 0.02, 0.015, 0.01};
  Signal out(rate, 0.1);
  for (int k = 0; k < 4; ++k) {
    Phase p(rate);
    out.Add(Render(rate, 0.1, [&](double t) { return Sine(p(2400 * kRatios[k])) * Decay(t, kTaus[k]); }));
  }
  return Mono(out);
}

// 4: a bump: her head on a ceiling, a coin block struck, a weight landing, the gorilla's punch.
// A dull thud: a low sine dropping in pitch over a muffled knock.
Effect Thud(int rate) {
  Phase p(rate);
  Noise noise(4);
  LowPass muffle(rate);
  return Mono(Render(rate, 0.15, [&](double t) {
    return Sine(p(Glide(t, 0.08, 140, 50))) * Decay(t, 0.05) + 0.6 * muffle(noise(), 600) * 4.0 * Decay(t, 0.015);
  }));
}

// 9: a stomp that hurts: a squashy falling blip over a soft thump.
Effect Stomp(int rate) {
  Phase p(rate);
  Signal out = Sweep(rate, 0.2, 500, 90, 0.1, 0.05);
  for (double& s : out.s) s *= 0.6;
  out.Add(Render(rate, 0.2, [&](double t) { return Sine(p(Glide(t, 0.1, 120, 55))) * Decay(t, 0.07); }));
  return Mono(out);
}

// ---- her shots on enemies ------------------------------------------------------------------

// 16: a shot lands: a smack of band-limited noise with a short falling knock.
Effect Thwack(int rate) {
  Noise noise(16);
  HighPass edge(rate);
  LowPass body(rate);
  Phase p(rate);
  return Mono(Render(rate, 0.1, [&](double t) {
    const double smack = body(edge(noise(), 800), 4000) * 2.0 * Decay(t, 0.02);
    return smack + 0.6 * Square(p(Glide(t, 0.05, 320, 120))) * Decay(t, 0.03);
  }));
}

// A defeated enemy's "poof": noise whose brightness closes down, over a falling pop.
Signal Poof(int rate, double seconds, double pop_from, double pop_to, uint32_t seed) {
  Noise noise(seed);
  LowPass puff(rate);
  Phase p(rate);
  return Render(rate, seconds, [&](double t) {
    const double cloud = puff(noise(), Glide(t, seconds * 0.8, 5000, 300)) * 1.5 * Decay(t, seconds * 0.3);
    return cloud + 0.5 * Square(p(Glide(t, 0.1, pop_from, pop_to))) * Decay(t, 0.04);
  });
}

// 7: an enemy defeated.
Effect Defeat(int rate) { return Mono(Poof(rate, 0.3, 900, 200, 7)); }

// 28: the defeat of another kind of enemy: a rising pop first, then a poof spread across the
// stereo field.
Effect DefeatVariant(int rate) {
  Effect e = Silence(rate);
  Place(e, Sweep(rate, 0.08, 400, 1200, 0.08, 0.05), 0.0);
  Place(e, Poof(rate, 0.3, 1200, 300, 28), -0.4, 0.05);
  Place(e, Poof(rate, 0.3, 1100, 280, 29), 0.4, 0.06);
  return e;
}

// 29: every spark of an emitter, and the wisp bursting: a small pop.
Effect SmallPop(int rate) { return Mono(Blast(rate, 0.2, 4000, 400, 0.04, 300, 29)); }

// ---- items, coins and magic ----------------------------------------------------------------

// 1: a coin (and the vending machines' thanks): the two-note "ching" of a coin, B then E, the
// second note ringing, slightly detuned between the ears so it shimmers.
Effect Coin(int rate) {
  Effect e = Silence(rate);
  Place(e, Struck(rate, 83, 0.07, 0.2), 0.0);
  Place(e, Struck(rate, 88.03, 0.23, 0.09), -0.5, 0.07);
  Place(e, Struck(rate, 87.97, 0.23, 0.09), 0.5, 0.07);
  return e;
}

// 3: an item taken from the bag or found: a rising major arpeggio that rings out.
Effect ItemGet(int rate) {
  Effect e = Silence(rate);
  Place(e, Arpeggio(rate, {84, 88, 91, 96}, 0.08, 0.5), -0.2);
  Place(e, Arpeggio(rate, {79, 84, 88, 91}, 0.08, 0.5), 0.3, 0.01);
  return e;
}

// 12: a level gained: a brassy rising run and a held major chord with vibrato.
Effect LevelUp(int rate) {
  Effect e = Silence(rate);
  Place(e, Arpeggio(rate, {79, 84, 88, 91}, 0.09, 0.2), 0.0, 0.0, 2.0);
  constexpr double kChord[] = {84, 88, 91, 96};
  for (int k = 0; k < 4; ++k) {
    Phase p(rate, 0.25 * k), vibrato(rate);
    LowPass brass(rate);
    const Signal note = Render(rate, 0.6, [&, hz = KeyHz(kChord[k])](double t) {
      const double tone = Saw(p(hz * (1.0 + 0.006 * Sine(vibrato(6)) * Attack(t, 0.2))));
      return brass(tone, 3500) * Attack(t, 0.01) * Decay(t, 0.35) * FadeOut(t, 0.5, 0.6);
    });
    Place(e, note, -0.45 + 0.3 * k, 0.45, 0.6);
  }
  return e;
}

// 19: saving, loading, the clinic's healing: a rising arpeggio of soft bells.
Effect Restore(int rate) {
  Signal out(rate, 0.0);
  constexpr double kKeys[] = {84, 88, 91, 96};
  for (int k = 0; k < 4; ++k) out.Add(Bell(rate, kKeys[k], 0.75 - 0.07 * k, 0.25), 0.5, 0.07 * k);
  return Mono(out);
}

// 21: a spell cast: a rising shimmer of a few partials, chorused between the ears, with
// sparkles over it.
Effect PowerUp(int rate) {
  Effect e = Silence(rate);
  for (double detune : {-0.004, 0.004}) {
    Phase p1(rate), p2(rate), p3(rate), tremolo(rate);
    const Signal voice = Render(rate, 1.0, [&](double t) {
      const double hz = Glide(t, 0.7, 300, 1200) * (1.0 + detune);
      const double tone = Sine(p1(hz)) + 0.5 * Sine(p2(2 * hz)) + 0.33 * Sine(p3(3 * hz));
      return tone * (0.75 + 0.25 * Sine(tremolo(14))) * Attack(t, 0.05) * FadeOut(t, 0.6, 1.0);
    });
    Place(e, voice, detune < 0 ? -0.7 : 0.7);
  }
  Place(e, Sparkles(rate, 0.9, 10, 21), 0.0, 0.1);
  return e;
}

// 22: the magic ran out: a square stepping down two semitones at a time, wavering.
Effect PowerDown(int rate) {
  Phase p(rate), vibrato(rate);
  return Mono(Render(rate, 0.5, [&](double t) {
    const double key = 84 - 2 * std::floor(t / 0.04);
    return Square(p(KeyHz(key) * (1.0 + 0.02 * Sine(vibrato(12))))) * (1.0 - 0.5 * t) * FadeOut(t, 0.45, 0.5);
  }));
}

// 11: the BEETLE cast (and the teacher's first blast): a buzzing "bzzt" that bursts into a wide
// "boom".
Effect Backfire(int rate) {
  Effect e = Silence(rate);
  Phase buzz(rate), ring(rate);
  Noise noise(11);
  const Signal bzzt = Render(rate, 0.16, [&](double t) {
    return (0.7 * Saw(buzz(110)) * Square(ring(37)) + 0.3 * noise()) * Attack(t, 0.01) * FadeOut(t, 0.12, 0.16);
  });
  Place(e, bzzt, 0.0);
  Place(e, Blast(rate, 0.38, 1200, 150, 0.12, 80, 111), -0.6, 0.12);
  Place(e, Blast(rate, 0.38, 1200, 150, 0.12, 80, 112), 0.6, 0.12);
  return e;
}

// ---- machines and places -------------------------------------------------------------------

// 18: the elevator moving, played every frame and taken by its 5 copies in turn, so each copy
// sounds for 5 frames before it is restarted. The grain lasts exactly 5 frames of 60 a second:
// it rises over the first frame and falls over the last along raised cosines, so the 5 copies
// always add up to 4 grains' level with no seam; its motor whine has only partials that are
// multiples of 60 Hz, so copies started a frame apart add in phase. It is levelled 12 dB under
// the other effects, as 4 grains sound at once.
Effect ElevatorHum(int rate) {
  constexpr double kFrame = 1.0 / 60.0;
  Phase p(rate);
  return Mono(Render(rate, 5 * kFrame, [&](double t) {
    const double phase = p(120);
    double whine = 0;
    for (int k = 1; k <= 8; ++k) whine += Sine(k * phase) / k;
    return whine * FadeIn(t, 0, kFrame) * FadeOut(t, 4 * kFrame, 5 * kFrame);
  }));
}

// 25: a sliding door starts moving: a scraping slide and a clunk as it catches.
Effect DoorSlide(int rate) {
  Noise noise(25);
  HighPass edge(rate);
  LowPass body(rate);
  Phase judder(rate), clunk(rate);
  return Mono(Render(rate, 0.2, [&](double t) {
    const double scrape = body(edge(noise(), 500), 1400) * (0.7 + 0.3 * Square(judder(40))) * FadeIn(t, 0, 0.03) *
                          FadeOut(t, 0.1, 0.14);
    const double hit = t < 0.13 ? 0.0 : Sine(clunk(Glide(t - 0.13, 0.05, 150, 70))) * Decay(t - 0.13, 0.03);
    return 2.0 * scrape + hit;
  }));
}

// 26: into the pipe: three falling "bwow"s, each starting lower, as she sinks.
Effect IntoPipe(int rate) {
  Effect e = Silence(rate);
  constexpr double kStarts[] = {700, 600, 500};
  for (int k = 0; k < 3; ++k) {
    Phase p(rate);
    const Signal bwow = Render(rate, 0.16, [&](double t) {
      return Square(p(Glide(t, 0.14, kStarts[k], kStarts[k] / 2.8))) * Attack(t, 0.003) * FadeOut(t, 0.12, 0.16);
    });
    Place(e, bwow, 0.2 * (k - 1), 0.165 * k);
  }
  return e;
}

// 32: the hidden buttons of the painting: a distant mechanism grinding somewhere, a low rumble
// with a ratchet's clicks, swelling in and out.
Effect Grind(int rate) {
  Noise noise(32), clicks(33);
  LowPass rumble(rate), tick(rate), distance(rate);
  Phase low(rate), ratchet(rate);
  return Mono(Render(rate, 1.0, [&](double t) {
    const double r = ratchet(11);
    const double click = tick(clicks(), 2000) * 3.0 * Decay(r / 11.0, 0.008);
    const double body = 3.0 * rumble(noise(), 180) + 0.4 * Sine(low(45 + 5 * Sine(r)));
    return distance(body + 0.5 * click, 1200) * FadeIn(t, 0, 0.15) * FadeOut(t, 0.75, 1.0);
  }));
}

// ---- the title's demo and the chain boss ---------------------------------------------------

// 23: a sprite of the title's demo bursts: a bright explosion closing down.
Effect Burst(int rate) { return Mono(Blast(rate, 0.5, 6000, 250, 0.13, 100, 23)); }

// 31: the demo's flash: a shower of high sine pings over a faint hiss.
Effect Sparkle(int rate) {
  Noise noise(31);
  HighPass hiss(rate);
  Signal out = Render(rate, 0.5, [&](double t) { return 0.15 * hiss(noise(), 6000) * FadeOut(t, 0.05, 0.45); });
  out.Add(Sparkles(rate, 0.5, 14, 31));
  return Mono(out);
}

// 27: the chain boss's laser (and the demo's flash bar): a whine charging up to a high buzz
// that wavers for as long as a beam lasts (17 frames).
Effect Laser(int rate) {
  Phase p(rate), vibrato(rate), grit(rate);
  LowPass soften(rate);
  return Mono(Render(rate, 0.3, [&](double t) {
    const double hz = (t < 0.05 ? Glide(t, 0.05, 200, 2400) : Glide(t - 0.05, 0.25, 2400, 1600)) *
                      (1.0 + 0.03 * Sine(vibrato(30)));
    const double phase = p(hz);
    const double tone = soften(0.6 * Saw(phase) + 0.4 * Square(phase), 7000);
    return tone * (0.7 + 0.3 * Square(grit(90))) * FadeOut(t, 0.22, 0.3);
  }));
}

// 30: the chain boss fires: a buzzing "zip" rising, the opposite of her falling "pew".
Effect EnemyShot(int rate) {
  Phase p(rate), buzz(rate);
  LowPass soften(rate);
  return Mono(Render(rate, 0.15, [&](double t) {
    const double hz = Glide(t, 0.12, 300, 1400) * (1.0 + 0.05 * Square(buzz(60)));
    return soften(Saw(p(hz)), 5000) * Attack(t, 0.005) * FadeOut(t, 0.09, 0.15);
  }));
}

// ---- never played, but loaded ---------------------------------------------------------------

// 15: a soft two-note door chime.
Effect Chime(int rate) {
  Effect e = Silence(rate);
  Place(e, Bell(rate, 88, 0.5, 0.2), -0.3);
  Place(e, Bell(rate, 84, 0.45, 0.2), 0.3, 0.15);
  return e;
}

// 17: a soft whoosh of noise whose band sweeps up and back down.
Effect Whoosh(int rate) {
  Noise noise(17);
  HighPass low_cut(rate);
  LowPass high_cut(rate);
  return Mono(Render(rate, 0.4, [&](double t) {
    const double centre = t < 0.2 ? Glide(t, 0.2, 400, 2500) : Glide(t - 0.2, 0.2, 2500, 600);
    return high_cut(low_cut(noise(), centre * 0.5), centre * 2.0) * FadeIn(t, 0, 0.15) * FadeOut(t, 0.2, 0.4);
  }));
}

// ---- the catalogue -------------------------------------------------------------------------

struct Design {
  Effect (*make)(int rate);
  double peak_db;  // the level of the loudest sample, dB under full scale
  double drive;    // how hard the body is pushed towards the peak (0: not at all)
};

constexpr double kLevel = -6.0;
constexpr double kHumLevel = -18.0;  // four copies of the hum sound at once
constexpr double kClean = 0.0;
constexpr double kPunchy = 2.5;  // hits and blasts: a sharp attack over a body that carries

constexpr Design kDesigns[] = {
    {MenuChoose, kLevel, kClean},  {Coin, kLevel, kClean},        {Jump, kLevel, kClean},
    {ItemGet, kLevel, kClean},     {Thud, kLevel, kPunchy},       {Hurt, kLevel, kClean},
    {Tink, kLevel, kClean},        {Defeat, kLevel, kPunchy},     {HardHit, kLevel, kPunchy},
    {Stomp, kLevel, kPunchy},      {TypeTick, kLevel, kClean},    {Backfire, kLevel, kPunchy},
    {LevelUp, kLevel, kClean},     {Pew, kLevel, kClean},         {CursorClick, kLevel, kClean},
    {Chime, kLevel, kClean},       {Thwack, kLevel, kPunchy},     {Whoosh, kLevel, kClean},
    {ElevatorHum, kHumLevel, kClean}, {Restore, kLevel, kClean},  {Cancel, kLevel, kClean},
    {PowerUp, kLevel, kClean},     {PowerDown, kLevel, kClean},   {Burst, kLevel, kPunchy},
    {Alarm, kLevel, kClean},       {DoorSlide, kLevel, kPunchy},  {IntoPipe, kLevel, kClean},
    {Laser, kLevel, kClean},       {DefeatVariant, kLevel, kPunchy}, {SmallPop, kLevel, kPunchy},
    {EnemyShot, kLevel, kClean},   {Sparkle, kLevel, kClean},     {Grind, kLevel, kPunchy},
};

// Scales both channels so the loudest sample sits at `peak_db`, after pushing the quieter body
// up towards the peak along a tanh curve when the design asks for drive.
void Level(Effect& e, double peak_db, double drive) {
  double peak = 0.0;
  for (const Signal* c : {&e.left, &e.right}) {
    for (double s : c->s) peak = std::max(peak, std::fabs(s));
  }
  if (peak == 0.0) return;
  const double level = std::pow(10.0, peak_db / 20.0);
  for (Signal* c : {&e.left, &e.right}) {
    for (double& s : c->s) {
      const double x = s / peak;
      s = level * (drive > 0 ? std::tanh(drive * x) / std::tanh(drive) : x);
    }
  }
}

// A millisecond's rise and a short fall at the very ends, so no effect starts or stops with a
// click of its own.
void Edges(Effect& e) {
  for (Signal* c : {&e.left, &e.right}) {
    const double length = c->Time(c->Frames());
    for (int i = 0; i < c->Frames(); ++i) {
      const double t = c->Time(i);
      c->s[i] *= FadeIn(t, 0, 0.001) * FadeOut(t, length - 0.003, length);
    }
  }
}

}  // namespace

static_assert(std::size(kDesigns) == 33);

Effect DesignEffect(int slot, int rate) {
  Effect e = kDesigns[slot].make(rate);
  Edges(e);
  Level(e, kDesigns[slot].peak_db, kDesigns[slot].drive);
  return e;
}
