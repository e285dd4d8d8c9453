// What happens to the chosen mouse button, without any Windows call: the hook feeds each event
// in and carries out the verdict (let it pass or hold it back) and the follow-up it is told.
//
// Levels (the scheme's "Advanced" value, answered to WM_DRAWBEGIN):
//   0     the press reaches the application at once; a stroke drawn is still recognized.
//   1     the press is held back. A click (the pointer barely moved) is replayed on release,
//         so context menus work; a press held still for a moment hands over to the
//         application as a normal press, so dragging works; anything else is a stroke.
//   2+    as 1, but holding still never hands over: the button is for drawing unless clicked.
// Without an answer from the recognizer (no window, or it did not answer in time) the press and
// everything after it pass untouched.
#pragma once
#include <cstdint>
#include <vector>

#include "geometry.h"

namespace hooklib {

struct CaptureConfig {
  int clickRadius = 4;           // pixels the pointer may move and still make a click
  uint32_t holdMs = 600;         // a press held this still this long hands over (level 1)
  size_t maxPoints = 4096;       // a longer stroke keeps every other point
};

enum class Verdict { kPass, kHoldBack };

// Follow-up the hook must carry out after the event.
enum class FollowUp {
  kNone,
  kReplayClick,  // inject press and release of the button (the held-back press was a click)
  kReplayPress,  // inject the held-back press (hand over to the application)
  kRecognize,    // the stroke is complete: recognize Points() and notify
};

class StrokeCapture {
 public:
  enum class State {
    kIdle,
    kUntouched,   // the recognizer gave no level: this press is none of our business
    kFollowing,   // level 0: the press passed, the stroke is followed
    kPending,     // press held back, pointer still within the click radius
    kDrawing,     // press held back, a stroke is being drawn
    kHandedOver,  // press replayed; the rest belongs to the application
    kCancelled,   // another button came; the held-back press is dropped
  };

  explicit StrokeCapture(CaptureConfig config = {}) : config_(config) {}

  // The chosen button went down. `level` is the recognizer's answer, or -1 when there was none.
  Verdict Press(Pt at, uint32_t time, int level);
  Verdict Move(Pt at, uint32_t time, FollowUp* follow);
  Verdict Release(Pt at, uint32_t time, FollowUp* follow);
  // Another mouse button went down: a stroke in progress is cancelled (that button passes).
  void OtherButton();
  // The hold timer (started for the press when WantsHoldTimer()) fired; `pointer` is where the
  // pointer is now.
  FollowUp HoldElapsed(Pt pointer);
  // Drops whatever is in progress (the hook is being removed).
  void Reset();

  State state() const { return state_; }
  // True while a hold timer is wanted.
  bool WantsHoldTimer() const { return state_ == State::kPending && handOver_; }
  // True while a stroke is being drawn: it has left the click radius and is still ours to follow.
  bool Showing() const { return state_ == State::kDrawing || (state_ == State::kFollowing && moved_); }
  const Path& Points() const { return points_; }
  const CaptureConfig& config() const { return config_; }

 private:
  void Add(Pt at);
  bool BeyondClick(Pt at) const;

  CaptureConfig config_;
  State state_ = State::kIdle;
  bool handOver_ = false;
  bool moved_ = false;  // level 0: left the click radius
  uint32_t pressTime_ = 0;
  Pt pressAt_;
  Path points_;
};

}  // namespace hooklib
