// What the headless backend's files share.
#pragma once

namespace headless {

// Back to no device, no buffers, no recordings and no simulated failures.
void ResetAudio();
void ResetMidi();

}  // namespace headless
