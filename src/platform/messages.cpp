#include "platform/messages.h"

#include <array>
#include <cstddef>

#include "platform/host.h"
#include "platform/keys.h"

namespace {

// A fixed ring of waiting messages; the loop takes one per pass, so it never fills in practice.
constexpr int kQueueSize = 256;
std::array<Message, kQueueSize> queue;
int queue_head = 0;
int queue_count = 0;

struct Timer {
  bool armed = false;
  uint32_t id = 0;
  uint32_t period_ms = 0;
  uint64_t due_ms = 0;
  bool posted = false;  // a Timer message is waiting; like the system's, they do not pile up
};
Timer timer;

std::array<bool, 256> key_down{};

bool IsSystemKey(const host::Event& e) { return e.alt || e.vk == vk::Alt || e.vk == vk::F10; }

void Translate(const host::Event& e) {
  switch (e.kind) {
    case host::EventKind::KeyDown:
      key_down[e.vk] = true;
      PostMessage(IsSystemKey(e) ? Msg::SysKeyDown : Msg::KeyDown, e.vk, e.repeat ? kKeyRepeatBit : 0);
      break;
    case host::EventKind::KeyUp:
      key_down[e.vk] = false;
      break;
    case host::EventKind::FocusGained:
      PostMessage(Msg::ActivateApp, 1);
      break;
    case host::EventKind::FocusLost:
      key_down.fill(false);  // the keys released elsewhere would otherwise stay down
      PostMessage(Msg::ActivateApp, 0);
      break;
    case host::EventKind::Close:
      PostMessage(Msg::Destroy);
      break;
    case host::EventKind::Exposed:
      PostMessage(Msg::EraseBkgnd);
      break;
    case host::EventKind::LeftClick:
      PostMessage(Msg::LButtonDown);
      break;
  }
}

void PumpTimer() {
  if (!timer.armed || timer.posted) return;
  const uint64_t now = host::MonotonicMs();
  if (now < timer.due_ms) return;
  timer.posted = true;
  timer.due_ms = now + timer.period_ms;
  PostMessage(Msg::Timer, timer.id);
}

void PumpEvents() {
  host::Event e;
  while (queue_count < kQueueSize && host::PollEvent(e)) Translate(e);
  PumpTimer();
}

}  // namespace

void PostMessage(Msg id, uint32_t wparam, uint32_t lparam) {
  if (queue_count == kQueueSize) return;
  queue[(queue_head + queue_count) % kQueueSize] = Message{id, wparam, lparam};
  ++queue_count;
}

void PostQuitMessage(int exit_code) { PostMessage(Msg::Quit, static_cast<uint32_t>(exit_code)); }

bool PeekMessage() {
  if (queue_count == 0) PumpEvents();
  return queue_count > 0;
}

bool GetMessage(Message& msg) {
  if (!PeekMessage()) return false;
  msg = queue[queue_head];
  queue_head = (queue_head + 1) % kQueueSize;
  --queue_count;
  if (msg.id == Msg::Timer) timer.posted = false;
  return msg.id != Msg::Quit;
}

void WaitMessage(int timeout_ms) {
  if (timer.armed && !timer.posted) {
    const uint64_t now = host::MonotonicMs();
    const uint64_t left = timer.due_ms > now ? timer.due_ms - now : 0;
    if (left < static_cast<uint64_t>(timeout_ms)) timeout_ms = static_cast<int>(left);
  }
  host::WaitEvent(timeout_ms);
}

void ResetMessages() {
  queue_head = 0;
  queue_count = 0;
  timer = Timer{};
  key_down.fill(false);
}

void SetTimer(uint32_t id, uint32_t period_ms) {
  timer.armed = true;
  timer.id = id;
  timer.period_ms = period_ms;
  timer.due_ms = host::MonotonicMs() + period_ms;
  timer.posted = false;
}

void KillTimer(uint32_t id) {
  if (timer.armed && timer.id == id) timer.armed = false;
}

bool IsKeyDown(int vk) { return vk >= 0 && vk < 256 && key_down[static_cast<size_t>(vk)]; }
