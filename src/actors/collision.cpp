#include "actors/collision.h"

#include <cstdlib>

int BoxesOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
  const bool x_meets = (x1 >= x2 && x1 <= x2 + w2 - 1) || (x2 >= x1 && x2 <= x1 + w1 - 1);
  const bool y_meets = (y1 >= y2 && y1 <= y2 + h2 - 1) || (y2 >= y1 && y2 <= y1 + h1 - 1);
  return x_meets && y_meets ? 1 : 0;
}

int BoxesOverlapXYWH(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
  return BoxesOverlap(x1, y1, w1, h1, x2, y2, w2, h2);
}

int BoxesOverlapLTRB(int l1, int t1, int r1, int b1, int l2, int t2, int r2, int b2) {
  return BoxesOverlap(l1, t1, r1 - l1, b1 - t1, l2, t2, r2 - l2, b2 - t2);
}

namespace {

void SetOut(int out[4], int ax, int ay, int bx, int by) {
  out[0] = ax;
  out[1] = ay;
  out[2] = bx;
  out[3] = by;
}

// Two edge-form boxes, each at an offset from its start.
struct SweptPair {
  int al, at, ar, ab, bl, bt, br, bb;

  bool Overlap(int ax, int ay, int bx, int by) const {
    return BoxesOverlapLTRB(al + ax, at + ay, ar + ax, ab + ay, bl + bx, bt + by, br + bx, bb + by) != 0;
  }
};

// One mover of SweepBoxes: its move, its offsets so far and how it paces its axes.
struct Mover {
  int dx, dy;
  int sx, sy;      // step signs; a zero move counts as -1
  bool vertical;   // dominant axis: vertical when |dx| <= |dy|
  int wx, wy;      // axis weights, x100
  int x = 0, y = 0;

  Mover(int move_x, int move_y) : dx(move_x), dy(move_y) {
    sx = dx > 0 ? 1 : -1;
    sy = dy > 0 ? 1 : -1;
    vertical = std::abs(dx) <= std::abs(dy);
    wx = vertical ? (std::abs(dy) + 1) * 100 / (std::abs(dx) + 1) : 100;
    wy = vertical ? 100 : (std::abs(dx) + 1) * 100 / (std::abs(dy) + 1);
  }

  int Magnitude() const { return vertical ? std::abs(dy) : std::abs(dx); }
  int Progress() const { return vertical ? std::abs(y) : std::abs(x); }
  bool XDone() const { return x == dx; }
  bool YDone() const { return y == dy; }
  bool Done() const { return XDone() && YDone(); }

  // This turn's steps: the dominant axis, and the minor one when it is behind its share. A step
  // on an axis that has reached its move is dropped.
  void Steps(bool& step_x, bool& step_y) const {
    const int ahead_x = std::abs(x + sx) * wx, ahead_y = std::abs(y + sy) * wy;
    step_x = vertical ? ahead_x <= ahead_y : true;
    step_y = vertical ? true : ahead_x >= ahead_y;
    step_x = step_x && !XDone();
    step_y = step_y && !YDone();
  }
};

// The pacing weight of a mover of dominant magnitude m against one of magnitude other.
int Pace(int m, int other) {
  if (m >= other) return 100;
  return m != 0 ? other * 100 / m : 0;
}

// Makes this turn's steps of mover m (a or b) and tests after each. A diagonal step is tested
// once, after both axes moved; on contact out holds both movers' offsets with m's steps taken
// back.
bool StepAndTest(Mover& m, const Mover& a, const Mover& b, const SweptPair& pair, int out[4]) {
  bool step_x, step_y;
  m.Steps(step_x, step_y);
  int* taken_back = &m == &a ? out : out + 2;
  if (step_x) {
    m.x += m.sx;
    if (!step_y && pair.Overlap(a.x, a.y, b.x, b.y)) {
      SetOut(out, a.x, a.y, b.x, b.y);
      taken_back[0] -= m.sx;
      return true;
    }
  }
  if (step_y) {
    m.y += m.sy;
    if (pair.Overlap(a.x, a.y, b.x, b.y)) {
      SetOut(out, a.x, a.y, b.x, b.y);
      if (step_x) taken_back[0] -= m.sx;
      taken_back[1] -= m.sy;
      return true;
    }
  }
  return false;
}

}  // namespace

int SweepBoxes(int al, int at, int ar, int ab, int bl, int bt, int br, int bb, int adx, int ady, int bdx, int bdy,
               int out[4]) {
  const SweptPair pair{al, at, ar, ab, bl, bt, br, bb};
  if (pair.Overlap(0, 0, 0, 0)) {
    SetOut(out, 0, 0, 0, 0);
    return 1;
  }
  Mover a(adx, ady), b(bdx, bdy);
  const int pace_a = Pace(a.Magnitude(), b.Magnitude());
  const int pace_b = Pace(b.Magnitude(), a.Magnitude());

  for (;;) {
    if (a.Done() && b.Done()) {
      SetOut(out, 0, 0, 0, 0);
      return 0;
    }
    // One mover a turn: B when it is not ahead of A (a tie moves B) or A is done, else A.
    const bool b_moves = !b.Done() && (a.Progress() * pace_a >= b.Progress() * pace_b || a.Done());
    if (StepAndTest(b_moves ? b : a, a, b, pair, out)) return 1;
  }
}

int CompareDescending(const void* a, const void* b) {
  return *static_cast<const int*>(b) - *static_cast<const int*>(a);
}

int SweepBoxesSorted(int al, int at, int ar, int ab, int bl, int bt, int br, int bb, int adx, int ady, int bdx,
                     int bdy, int out[4]) {
  int moves[4] = {std::abs(adx), std::abs(ady), std::abs(bdx), std::abs(bdy)};
  std::qsort(moves, 4, sizeof moves[0], CompareDescending);
  const int n = moves[0];

  const SweptPair pair{al, at, ar, ab, bl, bt, br, bb};
  if (pair.Overlap(0, 0, 0, 0)) {
    SetOut(out, 0, 0, 0, 0);
    return 1;
  }
  if (n < 1) return 0;

  // Per-step increments in thousandths of a pixel; a mover's offset at step k is (i x k) / 1000.
  const int iax = adx * 1000 / n, iay = ady * 1000 / n, ibx = bdx * 1000 / n, iby = bdy * 1000 / n;
  auto at_step = [](int increment, int k) { return increment * k / 1000; };
  for (int k = 1; k < n; ++k) {
    const int ax = at_step(iax, k), ay = at_step(iay, k);
    const int bx0 = at_step(ibx, k - 1), by0 = at_step(iby, k - 1);
    if (pair.Overlap(ax, ay, bx0, by0)) {
      SetOut(out, at_step(iax, k - 1), at_step(iay, k - 1), bx0, by0);
      return 1;
    }
    if (pair.Overlap(ax, ay, at_step(ibx, k), at_step(iby, k))) {
      SetOut(out, ax, ay, bx0, by0);
      return 1;
    }
  }
  return 0;
}
