// What happens to the heroine beyond moving: the upkeep of her sustained spells and their MP cost,
// the bag and magic-tool cursor buttons, the damage she takes from enemies' bodies and hazard
// boxes (and the stomp with which she hurts the stompable ones), the floating damage texts, the
// start of her death, and the check that turns the event layer under her feet, or the action
// button next to a townsperson, into an event or a talk.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/collision.h"
#include "actors/hazards_and_input.h"
#include "actors/heroine.h"
#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "audio/sound_slots.h"
#include "events/event_raise.h"
#include "platform/input.h"
#include "platform/utils.h"
#include "ui/hud.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_layers.h"
#include "world/save_block.h"

namespace {

constexpr int kFloatTextGroup = 111;

constexpr int kSoundTalk = 0;
constexpr int kSoundHurt = 5;
constexpr int kSoundNoDamage = 6;
constexpr int kSoundDefeat = 7;
constexpr int kSoundHardHit = 8;
constexpr int kSoundStomp = 9;
constexpr int kSoundCursor = 14;
constexpr int kSoundOutOfMagic = 22;

constexpr int32_t kImmuneAfterHit = 90;
constexpr int32_t kImmuneAfterNoDamage = 15;

Actor Heroine() { return Actor(kHeroineGroup, 0); }

// A floating text over the heroine: from the middle of her body box, dy below its top.
void HeroineText(int dy, int font, int base, const char* text) {
  const ActorBox box = Heroine().BodyBox();
  SpawnActorWithText(kFloatTextGroup, (box.left + box.right) / 2, box.top + dy, font, base, text);
}

bool NewlyOn(int button) {
  return ActorInputNewlyOn(kHeroineGroup, 0, static_cast<int>(ButtonBits[button])) != 0;
}

}  // namespace

// ---- spell upkeep -----------------------------------------------------------------------------

int32_t SpellReload(int slot, int32_t level) {
  switch (slot) {
    case kSpellBodyRock:
      return 128 / level;
    case kSpellRepulsive:
      return 128;
    case 3:
      return 1;
    case kSpellClockUp:
      return 1;
    case 6:
      return 8;
    case 7:
      return 16;
    default:
      return -1;
  }
}

void TickSpellTimers() {
  PlayerStatsRecord& p = PlayerStats;
  for (int i = 1; i <= 15; ++i) {
    const int32_t level = p.SpellLevel[i];
    if (level <= 0) continue;
    int32_t& timer = p.SpellTimer[i];
    if (timer < 1) {
      const int32_t reload = SpellReload(i, level);
      if (reload >= 0) timer = reload;
    } else {
      timer = std::max(timer - level, 0);
    }
  }
}

int32_t DrainHeroineMp(int32_t cost, int32_t timer) {
  int32_t& mp = PlayerStats.Mp;
  if (timer != 0) return mp;
  // Taken in 64 bits: a loaded MP far below 0 must not wrap round to a full tank.
  const int64_t left = int64_t{mp} - cost;
  if (left < 1) {
    SpawnTextOverHeroine('m', "OUT@OF@MAGIC@POWER");
    PlaySound(kSoundOutOfMagic);
    mp = 0;
  } else {
    mp = static_cast<int32_t>(left);
  }
  return mp;
}

void UpkeepHeroineSpells() {
  PlayerStatsRecord& p = PlayerStats;
  TickSpellTimers();
  if (p.SpellLevel[kSpellBodyRock] > 0) DrainHeroineMp(1, p.SpellTimer[kSpellBodyRock]);
  if (p.SpellLevel[kSpellRepulsive] > 0) DrainHeroineMp(p.SpellLevel[kSpellRepulsive], p.SpellTimer[kSpellRepulsive]);
  if (p.SpellLevel[kSpellClockUp] > 0) DrainHeroineMp(p.SpellLevel[kSpellClockUp], p.SpellTimer[kSpellClockUp]);
  if (p.Mp < 1) ClearSpells();
}

// ---- the cursor buttons -----------------------------------------------------------------------

void SwitchHeroineCursors() {
  PlayerStatsRecord& p = PlayerStats;
  if (NewlyOn(kButtonItemLeft)) {
    if (p.BagCursor > 0) {
      PlaySound(kSoundCursor);
      p.BagCursor -= 1;
    }
  } else if (NewlyOn(kButtonItemRight) && p.BagCursor < kBagSlots - 1) {
    PlaySound(kSoundCursor);
    p.BagCursor += 1;
  }

  const int direction = NewlyOn(kButtonMagicLeft) ? -1 : NewlyOn(kButtonMagicRight) ? 1 : 0;
  if (direction != 0) {
    const uint32_t v = NextOwnedBit(direction, p.EquippedMagicTool, p.OwnedMagicTools);
    if (v != kNoOwnedBit) {
      p.EquippedMagicTool = v;
      PlaySound(kSoundCursor);
    }
  }
}

// ---- hits on her ------------------------------------------------------------------------------

void HurtHeroine(int32_t damage) {
  PlayerStatsRecord& p = PlayerStats;
  const Actor h = Heroine();
  if (damage == 0) {
    HeroineText(0, 's', 0, "NO=DAMAGE:");
    h.HitTimer() = kImmuneAfterNoDamage;
    PlaySound(kSoundNoDamage);
    return;
  }
  h.HitTimer() = kImmuneAfterHit;
  p.Hp = static_cast<int32_t>(std::max<int64_t>(int64_t{p.Hp} - damage, 0));
  char number[ActorField::TextBytes];
  std::snprintf(number, sizeof number, "%d", damage);
  if (3 * int64_t{damage} <= p.MaxHp) {
    HeroineText(-8, 's', 0, "DAMAGE:");
    HeroineText(0, 'n', 'r', number);
    PlaySound(kSoundHurt);
  } else {
    HeroineText(-8, 'B', 0, "HARDHIT!:");
    HeroineText(8, 'N', 0, number);
    PlaySound(kSoundHardHit);
  }
}

void HurtHeroineByPercent() { HurtHeroine((PlayerStats.MaxHp / 10) * (1 + Random(2))); }

// ---- the damage test of the second pass -------------------------------------------------------

namespace {

// A box in edge form.
struct Box {
  int32_t left, top, right, bottom;
};

Box BoxOf(const ActorBox& b) { return {b.left, b.top, b.right, b.bottom}; }

// A mover of this frame: its box and its move.
struct Mover {
  Box box;
  int32_t dx, dy;
};

// The swept test of two movers; out receives their last free offsets.
bool Sweep(const Mover& a, const Mover& b, int out[4]) {
  return SweepBoxes(a.box.left, a.box.top, a.box.right, a.box.bottom, b.box.left, b.box.top, b.box.right,
                    b.box.bottom, a.dx, a.dy, b.dx, b.dy, out) != 0;
}

bool Overlap(const Box& a, const Box& b) {
  return BoxesOverlapLTRB(a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom) != 0;
}

// She is thrown into motion `motion` with the given step and no velocity.
void ThrowHeroine(int32_t step_x, int32_t step_y, int motion) {
  const Actor h = Heroine();
  h.VelX() = h.VelY() = 0;
  h.StepX() = step_x;
  h.StepY() = step_y;
  SetHeroineMotion(0, motion);
}

// The first hazard box of this frame that overlaps her body hurts her, while she is not immune.
// The list is emptied in either case. True after a hit.
bool HitHeroineWithHazards() {
  const Actor h = Heroine();
  const Box body = BoxOf(h.BodyBox());
  const int count = static_cast<int>(std::min<uint32_t>(HazardCount, kHazardCapacity));
  for (int i = 0; i < count; ++i) {
    if (h.HitTimer() >= 1) continue;
    const int32_t* e = HazardBoxes[i];
    const Mover hazard = {{e[0], e[1], e[0] + e[2], e[1] + e[3]}, 0, 0};
    int out[4] = {};
    if (!Sweep({body, 0, 0}, hazard, out)) continue;
    HurtHeroine(ComputeDamage(e[4], PlayerStats.Defense, 0));
    ThrowHeroine(0, 0, kHeroineHurt);
    ClearHazards();
    return true;
  }
  ClearHazards();
  return false;
}

// Body contact with an enemy of kind 0 or 16: she is hurt and stopped where they met.
bool TouchBody(const Mover& her, const Mover& enemy, const Actor& e) {
  int out[4] = {};
  if (!Sweep(her, enemy, out)) return false;
  HurtHeroine(ComputeDamage(e.AttackValue(), PlayerStats.Defense, 0));
  ThrowHeroine(out[0], out[1], kHeroineHurt);
  return true;
}

// A stompable enemy (kind 1): her feet coming down on its head stomp it, whether she is immune or
// not; otherwise its body hurts her and knocks her back.
bool TouchStompable(const Mover& her, const Mover& enemy, const Actor& e, const Actor& h) {
  int out[4] = {};
  const Mover feet = {{her.box.left, her.box.bottom - 1, her.box.right, her.box.bottom}, her.dx, her.dy};
  const Mover head = {{enemy.box.left, enemy.box.top, enemy.box.right, enemy.box.top + 1}, enemy.dx, enemy.dy};
  if (Sweep(feet, head, out)) {
    ThrowHeroine(out[0], out[1] - 2, kHeroineBouncing);
    const int32_t d = ComputeDamage(PlayerStats.Attack, e.DefenseValue(), 0);
    if (d == 0) {
      PlaySound(kSoundNoDamage);
      return true;
    }
    PlaySound(kSoundStomp);
    e.Life() -= d;  // it may go below 0: its own draw step starts its defeat
    ShowEnemyGauge(e.Life(), e.MaxLife());
    if (e.Life() <= 0 && e.State() == kActorActive && e.Control() != kControlHeld && e.group == 32) {
      e.Life() = 0;
      e.State() = kActorEnding;
      e.Motion() = 3;
      e.HitTimer() = 90;
      AddExp(e.ExpReward());
      AddMoney(e.MoneyReward());
      PlaySound(kSoundDefeat);
    }
    return true;
  }
  if (h.HitTimer() >= 1) return false;
  out[0] = out[1] = out[2] = out[3] = 0;
  if (!Sweep(her, enemy, out)) return false;
  HurtHeroine(ComputeDamage(e.AttackValue(), PlayerStats.Defense, 0));
  // The knock-back throws her against her facing, as the hurt motion does.
  h.StepX() = out[0] + (h.FaceX() == 1 ? -8 : 8);
  h.VelY() = -8;
  h.StepY() = 0;
  SetHeroineMotion(0, kHeroineRising);
  return true;
}

// A foot hazard (kinds 4 and 8): her foot box on its body costs her 1 HP.
bool TouchWithFeet(const Box& feet, const Box& body) {
  if (!Overlap(feet, body)) return false;
  HurtHeroine(1);
  ThrowHeroine(0, 0, kHeroineHurt);
  return true;
}

// A percentage hazard (kind 64): her feet swept into the core of its body.
bool TouchPercentHazard(const Mover& her, const Mover& enemy) {
  const Box& f = her.box;
  const Box& b = enemy.box;
  int out[4] = {};
  if (!Sweep({{f.left + 3, f.top + 2, f.right - 2, f.bottom - 8}, her.dx, her.dy},
             {{b.left + 4, b.top + 8, b.right - 4, b.bottom - 4}, enemy.dx, enemy.dy}, out))
    return false;
  HurtHeroineByPercent();
  ThrowHeroine(out[0], out[1], kHeroineHurt);
  return true;
}

// One enemy against her, by its collision kind; true when they met.
bool TouchEnemy(const Actor& e, const Actor& h) {
  const int32_t dx = h.StepX() + h.VelX(), dy = h.StepY() + h.VelY();
  const Mover body = {BoxOf(h.BodyBox()), dx, dy};
  const Mover feet = {BoxOf(h.SpriteBox()), dx, dy};
  const Mover enemy = {BoxOf(e.BodyBox()), e.StepX() + e.VelX(), e.StepY() + e.VelY()};
  const bool immune = h.HitTimer() >= 1;
  switch (e.CollisionKind()) {
    case 0:
    case 16:
      return !immune && TouchBody(body, enemy, e);
    case 1:
      return TouchStompable(body, enemy, e, h);
    case 4: {
      const Box& f = feet.box;
      const Box& b = enemy.box;
      return !immune && TouchWithFeet({f.left + 3, f.top + 2, f.right - 2, f.bottom - 4},
                                      {b.left + 4, b.top + 4, b.right - 4, b.bottom - 4});
    }
    case 8:
      return !immune && TouchWithFeet(feet.box, enemy.box);
    case 64:
      return !immune && TouchPercentHazard(feet, enemy);
    default:
      return false;
  }
}

}  // namespace

void HitHeroineWithEnemies() {
  const Actor h = Heroine();
  UpdateHeroineBodyBox(0);
  if (h.State() == kActorEnding) return;
  UpdateHeroineBodyBox(0);
  UpdateHeroineFootBox(0);
  // Frozen or not there: the hazard list is left as it is.
  if (h.State() == kActorFree || h.Control() == kControlFrozen) return;
  if (!HitHeroineWithHazards()) {
    // The first enemy that meets her ends the test.
    for (int g = 32; g <= 107; ++g) {
      bool met = false;
      for (int s = 0; s < kActorSlots && !met; ++s) {
        const Actor e(g, s);
        if (e.State() != kActorActive || e.Control() == kControlHeld) continue;
        met = TouchEnemy(e, h);
      }
      if (met) break;
    }
  }
  UpdateHeroineBodyBox(0);
}

// ---- death ------------------------------------------------------------------------------------

void StartHeroineDeath() {
  const Actor h = Heroine();
  if (PlayerStats.Hp > 0 || h.State() == kActorEnding) return;
  if (DeathRecord[0] == 0) {
    DeathRecord[0] = h.PosX();
    DeathRecord[1] = h.PosY();
    DeathRecord[2] = GetCameraX();
    DeathRecord[3] = GetCameraY();
  }
  h.State() = kActorEnding;
  h.AnimCursor() = kHeroineDeathAnim;
  ClearSpells();
}

// ---- the event check --------------------------------------------------------------------------

namespace {

constexpr uint32_t kGuideEventTutorial = 128;

bool IsFieldEvent(uint32_t v) { return (v >= 160 && v <= 164) || (v >= 256 && v <= 511) || (v >= 1000 && v <= 1199); }

// An event that starts where she stands stops her there.
void StopHeroine() {
  const Actor h = Heroine();
  h.VelX() = h.VelY() = h.StepX() = h.StepY() = 0;
}

// The action button next to a townsperson (groups 2..31) starts a talk with its group: the lower
// group, then the lower slot, wins; the two turn to face each other, slot 0 of the group (the one
// the talk speaks through) in its place. True when a talk started.
bool StartTalk(const Actor& h) {
  const ActorBox b = h.BodyBox();
  const int32_t width = b.right - b.left, height = b.bottom - b.top;
  const int32_t left = b.left + h.StepX() + h.VelX();
  for (int g = 2; g <= 31; ++g) {
    for (int s = 0; s < kActorSlots; ++s) {
      const Actor t(g, s);
      if (t.State() == kActorFree) continue;
      const ActorBox tb = t.BodyBox();
      const int32_t t_width = tb.right - tb.left;
      if (!BoxesOverlap(left, b.top, width, height, tb.left - 16, tb.top, t_width + 32, tb.bottom - tb.top)) continue;
      if (!IsButtonPressed(ButtonBits[kButtonAction])) continue;
      const bool she_is_left = b.left + width / 2 <= tb.left + t_width / 2;
      Actor(g, 0).FaceX() = she_is_left ? -1 : 1;
      h.FaceX() = she_is_left ? 1 : -1;
      RaiseEvent(kSubTalk, g);
      PlaySound(kSoundTalk);
      return true;
    }
  }
  return false;
}

}  // namespace

void CheckHeroineMapEvents() {
  // An event or a talk stands: no second one starts.
  if (SubMode != 0 && SubModeArg != 0) return;
  const Actor h = Heroine();
  const ActorBox b = h.BodyBox();
  // Her foot point where this frame's move takes her: the leading edge's bottom row.
  const int32_t y = b.bottom - 1 + h.StepY() + h.VelY();
  const int32_t x = (h.StepX() < 1 ? b.left : b.right) + h.StepX() + h.VelX();

  const uint32_t v = GetTile(x, y, kEventLayer);
  if (v == kGuideEventTutorial) {
    StopHeroine();
    RaiseEvent(kSubGuideEvent, static_cast<int32_t>(v));
    return;
  }
  // Guide events 513..699 run once: each sets its flag when it ends.
  if (v >= 513 && v < 700 && GetFlag(0, static_cast<int>(v) - 513) == 0) {
    StopHeroine();
    RaiseEvent(kSubGuideEvent, static_cast<int32_t>(v));
    return;
  }
  const uint32_t w = GetTile(b.left, y, kEventLayer);
  if (w >= 700 && w < 800) {
    RaiseEvent(kSubGuideEvent, static_cast<int32_t>(w));  // she walks on
    return;
  }

  // Field events: Up newly pressed while she stands, or at once while she rides a solid actor.
  const int motion = GetHeroineMotion(0);
  const bool up = IsButtonPressed(ButtonBits[kButtonUp]);
  if ((up && (motion == kHeroineOnGround || motion == kHeroineRiding)) || motion == kHeroineRiding) {
    const uint32_t u = GetTile(b.left + h.StepX() + h.VelX() + (b.right - b.left) / 2, y, kEventLayer);
    if (IsFieldEvent(u)) {
      ClearActorInput(kHeroineGroup, 0);
      h.Motion() &= 0xFFFF;
      StopHeroine();
      RaiseEvent(kSubFieldEvent, static_cast<int32_t>(u));
      return;
    }
  }

  if (SubMode != kSubStartSequence) StartTalk(h);
}
