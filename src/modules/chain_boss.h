// The chain boss's heading arithmetic. A heading is in whole degrees: 0 left, 90 up, 180 right,
// 270 down (screen y grows downward); its parts are in thousandths.
#pragma once

// The heading from (x0, y0) toward (x1, y1), 0 to 360, truncated toward zero.
int AngleTo(int x0, int y0, int x1, int y1);
// The x part of heading a: -1000 at 0, 980 at 180, piecewise linear in between.
int HeadingDx(int a);
// The y part of heading a: -980 at 90, 1000 at 270.
int HeadingDy(int a);
// The direction offset of heading a among 16 pictures of 22 degrees each, two cells apart: 0 for
// 342 to 359, 0 to 11 and any negative remainder, 2 for 12 to 33, ..., 30 for 320 to 341.
int AngleToPattern(int a);
