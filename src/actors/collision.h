// Box overlap and swept box collision: all contact between actors is decided on axis-aligned
// boxes. The swept tests move two boxes through one frame's displacements pixel by pixel, so
// that fast movers do not pass through each other, and report the last offsets at which the two
// did not overlap.
//
// A box in size form (x, y, w, h) covers the pixels x..x + w - 1 and y..y + h - 1; one in edge
// form {left, top, right, bottom} is (left, top, right - left, bottom - top). Touching boxes do
// not overlap; a box of width or height 0 overlaps where its origin lies inside the other.
#pragma once

// 1 when the two boxes share a pixel: on each axis one box's origin lies inside the other.
int BoxesOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
// The same test under a second name.
int BoxesOverlapXYWH(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
// BoxesOverlap on two boxes in edge form.
int BoxesOverlapLTRB(int l1, int t1, int r1, int b1, int l2, int t2, int r2, int b2);

// Both sweeps take box A and box B in edge form, their moves for this frame and out[4], which
// receives the offsets (A x, A y, B x, B y) from the start positions at which they last did not
// overlap. 1 on contact; boxes that overlap at the start give 1 with out all 0.
//
// SweepBoxes steps the two movers one pixel a turn, each along its dominant axis with the minor
// axis following in proportion, paced against each other (on a tie B moves). With no contact
// out is all 0.
int SweepBoxes(int al, int at, int ar, int ab, int bl, int bt, int br, int bb, int adx, int ady, int bdx, int bdy,
               int out[4]);
// SweepBoxesSorted moves both in N steps, N the largest of the four moves, and tests steps
// 1..N - 1, A first within a step; a contact that begins only at step N is found next frame.
// Without contact out is left as it was.
int SweepBoxesSorted(int al, int at, int ar, int ab, int bl, int bt, int br, int bb, int adx, int ady, int bdx,
                     int bdy, int out[4]);
// The comparison with which SweepBoxesSorted sorts the four moves in descending order.
int CompareDescending(const void* a, const void* b);
