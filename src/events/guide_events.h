// The guide events: the tutorial and story talks that start by themselves when the heroine steps
// on their tile (the insect companion explains attacks, crouching, traps, rest rooms, the water
// door, the exit and the save shrines, and warns before the boss), the edge of the explored area
// (128), the pipe she enters by crouching (700) and the talk after the chain boss's defeat (701).
// Each handler answers 1 when the world runs this frame.
//
// The talks come in two forms, each a table of rows with one runner: the long form (513..526)
// holds her on every frame and runs its lines by step number, with steps of its own for a few
// events; the short form (527..529, 701) is built from the shared script routines.
#pragma once

#include <cstdint>
#include <span>

// A beat of a long-form talk: a line opened at `step`, whose wait (at `wait`, else the step after
// it) goes on to the next beat's step, after the last to the end. A beat without a speaker is a
// step that the talk's own hook runs.
struct GuideBeat {
  int32_t step;
  const char* speaker = nullptr;
  const char* text = nullptr;
  uint32_t flag = 1;  // OpenMessage's last argument: 1 types slowly
  int32_t wait = -1;
};

struct LongGuideTalk {
  int32_t number;
  std::span<const GuideBeat> beats;
  // Runs the talk's own steps: true when it ran this step, false when the beats go on with it.
  bool (*hook)(int32_t& step) = nullptr;
  void (*at_end)() = nullptr;  // before the common end
};

// A line of a short-form talk; every line types slowly.
struct GuideLine {
  const char* speaker;
  const char* text;
};

struct ShortGuideTalk {
  int32_t number;
  std::span<const GuideLine> lines;
};

extern const std::span<const LongGuideTalk> kLongGuideTalks;
extern const std::span<const ShortGuideTalk> kShortGuideTalks;

uint32_t RunLongGuideTalk(const LongGuideTalk& talk);
uint32_t RunShortGuideTalk(const ShortGuideTalk& talk);

// The edge of the area: one line while the world stands still.
uint32_t GuideEvent128();
// The talk about the traps, which first tests its own seen flag.
uint32_t GuideEvent515();
// The pipe: crouching on it she sinks into it, and the camera pans to where it lets her out.
uint32_t GuideEvent700();
