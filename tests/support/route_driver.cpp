#include "support/route_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "actors/heroine.h"
#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "backend/common/sjis.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "world/flags.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"

namespace {

Actor Heroine() { return Actor(kHeroineGroup, 0); }

// The enemies her shots can hurt; the Kawachan's wisp is not among them, her shots pass through it.
constexpr int kEnemyGroups[] = {32, 33, 34, 35, 37};
constexpr int kBoss = 37;  // only its head (slot 0) is hurt by her shots
constexpr int kReach = 300;         // how far ahead she looks for enemies
constexpr int kPatience = 240;      // frames of shooting at one enemy without hurting it
constexpr int kRespite = 600;       // and the frames it is then left alone
constexpr int kUpReach = 20;        // an enemy this near her middle, above her, is shot upwards
constexpr int kTooNearToTurn = 12;  // an enemy this near her middle is shot the way she faces
constexpr int kWispDamage = 28;     // about what a Kawachan's wisp takes, the worst blow in the cave
constexpr int kTooNear = 24;        // a gap this small between her and an enemy, she steps back

// The rows a shot of hers covers: launched standing, crouched, or upwards.
enum class Aim { kNone, kStanding, kCrouched, kUp };
int ShotTop(Aim aim) { return Heroine().PosY() + (aim == Aim::kCrouched ? 40 : 22); }

bool Solid(int x, int y) { return GetTile(x, y, kCollisionLayer) != 0; }

// Nothing solid on the row `y` between her middle and `x`.
bool ClearRow(int y, int x) {
  const int from = RouteDriver::Middle();
  const int step = x > from ? 8 : -8;
  for (int at = from; step > 0 ? at < x : at > x; at += step)
    if (Solid(at, y)) return false;
  return true;
}

bool Overlaps(const ActorBox& box, int top, int bottom) { return box.top < bottom && top < box.bottom; }

std::string Utf8(const char* sjis) { return backend::SjisToUtf8(sjis); }

}  // namespace

// ---- waypoints --------------------------------------------------------------------------------

Route Joined(std::initializer_list<Route> pieces) {
  Route route;
  for (const Route& piece : pieces) route.insert(route.end(), piece.begin(), piece.end());
  return route;
}

namespace {

// Holds the pad towards `x` (her middle), or lets go within 2 pixels of it; true when there.
bool SteerTo(RouteDriver& d, int x) {
  const int dx = x - RouteDriver::Middle();
  if (std::abs(dx) <= 2) {
    d.Release(kButtonLeft);
    d.Release(kButtonRight);
    return true;
  }
  d.Release(dx > 0 ? kButtonLeft : kButtonRight);
  d.Hold(dx > 0 ? kButtonRight : kButtonLeft);
  return false;
}

}  // namespace

Waypoint WalkTo(int col) {
  return {"walk to column " + std::to_string(col), [col](RouteDriver& d) {
            d.Release(kButtonDown);
            d.Release(kButtonJump);
            return SteerTo(d, Col(col)) && RouteDriver::Standing();
          }};
}

Waypoint WalkAgainst(int col) {
  return {"walk towards column " + std::to_string(col) + " up to a wall", [col](RouteDriver& d) {
            const int x = RouteDriver::Middle();
            const bool there = SteerTo(d, Col(col));
            const bool stopped = d.count > 0 && x == d.phase && RouteDriver::Standing();
            d.phase = x;
            ++d.count;
            return (there || stopped) && (d.ReleaseAll(), true);
          }};
}

Waypoint JumpTo(int col, int hold, int straight) {
  return {"jump to column " + std::to_string(col), [col, hold, straight](RouteDriver& d) {
            switch (d.phase) {
              case 0:  // on the floor, the jump button up
                d.Release(kButtonJump);
                d.Release(kButtonDown);
                if (RouteDriver::Standing()) d.phase = 1;
                return false;
              case 1:  // the jump, held `hold` frames while she steers
                d.Hold(kButtonJump);
                if (d.count >= straight) SteerTo(d, Col(col));
                if (++d.count >= hold) {
                  d.Release(kButtonJump);
                  d.phase = 2;
                }
                return false;
              default:  // steering until she stands again
                d.Release(kButtonJump);
                if (d.count++ >= straight) SteerTo(d, Col(col));
                return !RouteDriver::Standing() ? false : (d.ReleaseAll(), true);
            }
          }};
}

Waypoint WalkUntilHeard(int col, int number) {
  return {"walk towards column " + std::to_string(col) + " until " + std::to_string(number) + " is heard",
          [col, number](RouteDriver& d) {
            if (GetFlag(0, number - 513) != 0 && RouteDriver::WorldFree()) return (d.ReleaseAll(), true);
            SteerTo(d, Col(col));
            return false;
          }};
}

Waypoint Crouch(int frames) {
  return {"crouch " + std::to_string(frames) + " frames", [frames](RouteDriver& d) {
            if (d.count++ >= frames) {
              d.Release(kButtonDown);
              return true;
            }
            d.Hold(kButtonDown);
            return false;
          }};
}

Waypoint UpAt(int col, std::vector<int> answers) {
  return {"Up at column " + std::to_string(col), [col, answers](RouteDriver& d) {
            switch (d.phase) {
              case 0:  // there, standing
                if (SteerTo(d, Col(col)) && RouteDriver::Standing() && RouteDriver::WorldFree()) {
                  d.ReleaseAll();
                  d.phase = 1;
                }
                return false;
              case 1:  // Up down: the event starts
                d.QueueAnswers(answers);
                d.Hold(kButtonUp);
                d.phase = 2;
                return false;
              default:  // played through: the world free again
                d.Release(kButtonUp);
                if (!d.started_event && ++d.count > 30) d.Fail("Up started no event");
                return d.started_event && RouteDriver::WorldFree() && !d.AnswersLeft();
            }
          }};
}

Waypoint Arrive(const char* name) {
  const std::string path = std::string("./Data/") + name + ".MDT";
  return {std::string("arrive in ") + name, [path](RouteDriver& d) {
            d.ReleaseAll();
            return path == MapPath && RouteDriver::WorldFree();
          }};
}

Waypoint TalkTo(int group) {
  return {"talk with group " + std::to_string(group), [group](RouteDriver& d) {
            if (d.started_event) return RouteDriver::WorldFree();
            const Actor npc(group, 0);
            const int dx = (npc.BodyBox().left + npc.BodyBox().right) / 2 - RouteDriver::Middle();
            if (std::abs(dx) > 24) {
              d.Hold(dx > 0 ? kButtonRight : kButtonLeft);
              d.Release(dx > 0 ? kButtonLeft : kButtonRight);
              return false;
            }
            d.Release(kButtonLeft);
            d.Release(kButtonRight);
            d.Tap(kButtonAction);
            return false;
          }};
}

Waypoint Ride(int button) {
  return {"ride the elevator", [button](RouteDriver& d) {
            const Actor elevator(72, 0);
            d.Hold(button);
            if (elevator.StepY() != 0) d.phase = 1;
            if (d.phase == 1 && elevator.StepY() == 0) {
              d.Release(button);
              return true;
            }
            return false;
          }};
}

Waypoint WaitUntil(std::string what, std::function<bool()> until, int cap) {
  return {"wait until " + what, [until = std::move(until)](RouteDriver& d) {
            d.ReleaseAll();
            return until();
          },
          cap};
}

Waypoint Press(std::vector<int> buttons) {
  return {"press buttons", [buttons](RouteDriver& d) {
            if (d.count >= static_cast<int>(buttons.size())) {
              d.ReleaseAll();
              return true;
            }
            if (d.phase == 0) {
              d.Hold(buttons[d.count]);
              d.phase = 1;
            } else {
              d.ReleaseAll();
              d.phase = 0;
              ++d.count;
            }
            return false;
          }};
}

Waypoint MenuLine(int line) {
  return {"menu line " + std::to_string(line), [line](RouteDriver& d) {
            if (d.phase == 3) return true;
            if (d.phase != 0) {  // every key up for a frame after each press
              d.ReleaseAll();
              d.phase = d.phase == 2 ? 3 : 0;
              return false;
            }
            if (MessageWindow.open != 1 || MessageWindow.choice_count < 2) return false;
            const int selected = static_cast<int>(MessageWindow.selected);
            d.Hold(selected < line ? kButtonDown : selected > line ? kButtonUp : kButtonJump);
            d.phase = selected == line ? 2 : 1;
            return false;
          }};
}

Waypoint Shoot(int facing, bool crouched, int shots) {
  return {"shoot", [facing, crouched, shots](RouteDriver& d) {
            const Actor h = Heroine();
            if (d.count >= 2 * shots) {
              d.ReleaseAll();
              return true;
            }
            if (crouched) d.Hold(kButtonDown);
            if (h.FaceX() != facing) {
              d.Hold(facing == 1 ? kButtonRight : kButtonLeft);
              return false;
            }
            d.Release(kButtonLeft);
            d.Release(kButtonRight);
            if (crouched && GetHeroineMotion(0) != kHeroineCrouching) return false;
            if (d.count++ % 2 == 0) {
              d.Hold(kButtonAction);
            } else {
              d.Release(kButtonAction);
            }
            return false;
          }};
}

Waypoint TitleMenu() {
  return {"the title's menu", [](RouteDriver& d) {
            const bool title = SubMode == kSubStartSequence && SubModeArg == 1;
            if (title && SceneStep == 500) return (d.ReleaseAll(), true);
            // Any button skips the demo; it is pressed once, when the demo stands.
            if (d.phase == 0 && title && SceneStep == 3999) {
              d.Hold(kButtonJump);
              d.phase = 1;
            } else {
              d.ReleaseAll();
            }
            return false;
          }};
}

Waypoint Opening() {
  return {"the opening", [](RouteDriver& d) {
            if (SubMode != kSubStartSequence) return (d.ReleaseAll(), RouteDriver::WorldFree());
            if (MessageWindow.open == 1) {
              d.Tap(kButtonJump);
            } else {
              d.ReleaseAll();
            }
            return false;
          },
          6000};
}

// ---- the driver -------------------------------------------------------------------------------

RouteDriver::RouteDriver(FrameHarness& game, std::string name, RouteFailureSink sink)
    : game_(game), name_(std::move(name)), sink_(std::move(sink)),
      trace_(std::getenv("TOVIA_ROUTE_TRACE") != nullptr) {}

bool RouteDriver::Play(const std::string& stretch, const Route& route) {
  for (const Waypoint& w : route) {
    where_ = stretch + ": " + w.what;
    phase = count = 0;
    started_event = false;
    if (trace_) {
      const Actor h = Heroine();
      std::fprintf(stderr, "route %6d  %-40s at %5d,%5d HP %u\n", frames_, where_.c_str(), h.PosX(), h.PosY(),
                   PlayerStats.Hp);
    }
    for (int frame = 0;; ++frame) {
      if (failed_) return false;
      if (frame >= w.cap) {
        Fail("not reached within " + std::to_string(w.cap) + " frames");
        return false;
      }
      if (EventStands()) {
        started_event = true;
        if (ServeWindow()) continue;
        // No window: the keys of the route go on (the pipe takes her while she crouches), only
        // the buttons that close lines come up.
        Release(kButtonJump);
        Release(kButtonAction);
      } else if (WorldFree() && (Heal() || Fight())) {
        continue;
      }
      if (w.step(*this)) break;
      Frame();
    }
  }
  return !failed_;
}

void RouteDriver::Fail(const std::string& what) {
  if (failed_) return;
  failed_ = true;
  const std::string picture = std::string(TOVIA_BINARY_DIR) + "/playthrough_" + name_ + ".png";
  game_.SavePicture(picture);
  const Actor h = Heroine();
  std::ostringstream text;
  text << name_ << ", " << where_ << ": " << what << " (frame " << frames_ << ", at " << h.PosX() << ", " << h.PosY()
       << " on " << MapPath << ", SubMode " << SubMode << " " << SubModeArg << ", HP " << PlayerStats.Hp
       << "; the picture is " << picture << ")";
  if (sink_) {
    sink_(text.str());
  } else {
    ADD_FAILURE() << text.str();
  }
}

void RouteDriver::Frame() {
  game_.Run();
  ++frames_;
  ++tick_;
  Check();
}

void RouteDriver::Check() {
  if (GameMode == kGameHalted) Fail("the game halted");
  if (SubMode == kSubDebugMenu || SubMode == kSubMapEditor) Fail("play opened the debug menu or the editor");
  if (Heroine().State() == kActorEnding) Fail("she died");
  const bool stands = SubMode == kSubTalk || SubMode == kSubGuideEvent || SubMode == kSubFieldEvent ||
                      SubMode == kSubPauseMenu;
  if (stands && SubMode == stand_mode_ && SubModeArg == stand_arg_) {
    ++stand_;
  } else {
    stand_ = stands ? 1 : 0;
    stand_mode_ = SubMode;
    stand_arg_ = SubModeArg;
  }
  longest_stand_ = std::max(longest_stand_, stand_);
  if (stand_ > kLongestStand)
    Fail("sub-mode " + std::to_string(SubMode) + " (" + std::to_string(SubModeArg) + ") stood over " +
         std::to_string(kLongestStand) + " frames");
}

void RouteDriver::Hold(int button) { game_.HoldButton(button); }
void RouteDriver::Release(int button) { game_.ReleaseButton(button); }
void RouteDriver::ReleaseAll() { game_.ReleaseAll(); }

void RouteDriver::Tap(int button) {
  if (tick_ % 2 == 0) {
    Hold(button);
  } else {
    Release(button);
  }
}

bool RouteDriver::EventStands() {
  return SubMode == kSubTalk || SubMode == kSubGuideEvent || SubMode == kSubFieldEvent;
}

bool RouteDriver::WorldFree() { return SubMode == kSubWorld && IsFading() == 0; }

bool RouteDriver::Standing() {
  const int motion = GetHeroineMotion(0);
  return motion == kHeroineOnGround || motion == kHeroineCrouching || motion == kHeroineRiding ||
         motion == kHeroineRidingCrouched;
}

int RouteDriver::Middle() { return Heroine().PosX() + 24; }

void RouteDriver::QueueAnswers(const std::vector<int>& answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

bool RouteDriver::ServeWindow() {
  const MessageWindowRecord& m = MessageWindow;
  if (m.open != 1) return false;
  if (tick_ % 2 == 1) {
    ReleaseAll();  // every other frame no key is down
  } else if (m.choice_count >= 2) {
    if (answers_.empty()) {
      Fail("a menu the route has no answer for: " + Utf8(m.speaker) + " " + Utf8(m.choices[0]));
      return true;
    }
    const int line = answers_.front();
    const int selected = static_cast<int>(m.selected);
    if (selected == line) {
      Hold(kButtonJump);
      answers_.pop_front();
    } else {
      Hold(selected < line ? kButtonDown : kButtonUp);
    }
  } else {
    Hold(kButtonJump);
  }
  Frame();
  return true;
}

bool RouteDriver::Heal() {
  const PlayerStatsRecord& p = PlayerStats;
  const bool low = 2 * p.Hp <= p.MaxHp || (p.Hp <= kWispDamage && p.MaxHp > kWispDamage + 10);
  if (!Standing() || !low) return false;
  int slot = 0;
  while (slot < kBagSlots && (p.Bag[slot] == 0 || ItemValue(p.Bag[slot], 0) <= 0)) ++slot;
  if (slot == kBagSlots) return false;
  ReleaseAll();
  if (tick_ % 2 == 0) {
    const int cursor = static_cast<int>(p.BagCursor);
    Hold(cursor < slot ? kButtonItemRight : cursor > slot ? kButtonItemLeft : kButtonItem);
  }
  Frame();
  return true;
}

bool RouteDriver::GaveUp(int group, int slot) const {
  return std::any_of(given_up_.begin(), given_up_.end(), [&](const GivenUp& g) {
    return g.group == group && g.slot == slot && frames_ - g.frame < kRespite;
  });
}

bool RouteDriver::Fight() {
  const Actor h = Heroine();
  if (!Standing()) return false;
  // The nearest enemy in one of her lines of fire.
  Aim aim = Aim::kNone;
  int group = 0, slot = -1, best = kReach + 1;
  for (int g : kEnemyGroups) {
    for (int s = 0; s < kActorSlots; ++s) {
      const Actor e(g, s);
      if (e.State() != kActorActive || e.Life() <= 0 || (g == kBoss && s != 0)) continue;
      if (GaveUp(g, s)) continue;
      const ActorBox box = e.BodyBox();
      const int x = (box.left + box.right) / 2, dx = std::abs(x - Middle());
      if (dx >= best) continue;
      Aim a = Aim::kNone;
      if (dx <= kUpReach && box.bottom <= h.PosY() + 8 && h.PosY() - box.bottom < 200) {
        a = Aim::kUp;
      } else if (Overlaps(box, ShotTop(Aim::kStanding), ShotTop(Aim::kStanding) + 9) &&
                 ClearRow(ShotTop(Aim::kStanding) + 4, x)) {
        a = Aim::kStanding;
      } else if (Overlaps(box, ShotTop(Aim::kCrouched), ShotTop(Aim::kCrouched) + 9) &&
                 ClearRow(ShotTop(Aim::kCrouched) + 4, x)) {
        a = Aim::kCrouched;
      }
      if (a == Aim::kNone) continue;
      aim = a;
      group = g;
      slot = s;
      best = dx;
    }
  }
  if (aim == Aim::kNone) {
    if (target_slot_ >= 0) {
      target_slot_ = -1;
      ReleaseAll();
    }
    return false;
  }
  // Patience: an enemy her shots do not hurt is left alone.
  const Actor e(group, slot);
  if (group != target_group_ || slot != target_slot_ || e.Life() < target_life_) {
    target_group_ = group;
    target_slot_ = slot;
    target_life_ = e.Life();
    target_frames_ = 0;
  }
  if (++target_frames_ > kPatience) {
    given_up_.push_back({group, slot, frames_});
    target_slot_ = -1;
    ReleaseAll();
    return false;
  }
  Release(kButtonLeft);
  Release(kButtonRight);
  Release(kButtonJump);
  // Too near, her shots start inside it and pass: she steps back first, where the floor goes on.
  const ActorBox box = e.BodyBox();
  const int left = h.PosX() + 12, right = h.PosX() + 36;
  const int gap = std::max(box.left - right, left - box.right);
  const int away = box.left + box.right > left + right ? -1 : 1;
  const int foot = h.PosY() + 65;
  if (aim != Aim::kUp && gap < kTooNear && Solid(Middle() + away * 24, foot + 1) &&
      !Solid(away > 0 ? right + 8 : left - 8, foot - 16)) {
    Release(kButtonDown);
    Release(kButtonAction);
    Hold(away > 0 ? kButtonRight : kButtonLeft);
    Frame();
    return true;
  }
  // She turns to face it, unless it is so near her middle that a turn (a step) would put it
  // behind her again: then she shoots the way she faces.
  const int dx = (e.BodyBox().left + e.BodyBox().right) / 2 - Middle();
  const int facing = std::abs(dx) <= kTooNearToTurn ? h.FaceX() : dx > 0 ? 1 : -1;
  if (aim == Aim::kCrouched) {
    Hold(kButtonDown);
  } else {
    Release(kButtonDown);
  }
  if (aim == Aim::kUp) {
    Hold(kButtonUp);
    Tap(kButtonAction);
  } else if (h.FaceX() != facing) {
    // Crouched, the pad turns her where she is: a turn standing would be a step towards it.
    Release(kButtonAction);
    Hold(kButtonDown);
    Hold(facing == 1 ? kButtonRight : kButtonLeft);
  } else if (aim == Aim::kCrouched && GetHeroineMotion(0) != kHeroineCrouching &&
             GetHeroineMotion(0) != kHeroineRidingCrouched) {
    Release(kButtonAction);
  } else {
    Release(kButtonUp);
    Tap(kButtonAction);
  }
  Frame();
  return true;
}
