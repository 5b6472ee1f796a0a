#pragma once

// The handle of the game's one window, passed along as the window routines expect; the backend
// keeps the window itself. 0 is no window.
using Window = int;
