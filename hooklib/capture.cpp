#include "capture.h"

#include <cmath>

namespace hooklib {

Verdict StrokeCapture::Press(Pt at, uint32_t time, int level) {
  points_.clear();
  pressAt_ = at;
  pressTime_ = time;
  moved_ = false;
  handOver_ = level == 1;
  Add(at);
  if (level < 0) {
    state_ = State::kUntouched;
    return Verdict::kPass;
  }
  if (level == 0) {
    state_ = State::kFollowing;
    return Verdict::kPass;
  }
  state_ = State::kPending;
  return Verdict::kHoldBack;
}

Verdict StrokeCapture::Move(Pt at, uint32_t time, FollowUp* follow) {
  *follow = FollowUp::kNone;
  switch (state_) {
    case State::kFollowing:
      Add(at);
      moved_ = moved_ || BeyondClick(at);
      break;
    case State::kPending:
      if (!BeyondClick(at)) {
        Add(at);
        break;
      }
      // Held still long enough before moving: the application gets a normal drag even if the
      // hold timer has not come through yet.
      if (handOver_ && time - pressTime_ >= config_.holdMs) {
        state_ = State::kHandedOver;
        *follow = FollowUp::kReplayPress;
        break;
      }
      state_ = State::kDrawing;
      Add(at);
      break;
    case State::kDrawing:
      Add(at);
      break;
    default:
      break;
  }
  return Verdict::kPass;  // the pointer always moves
}

Verdict StrokeCapture::Release(Pt at, uint32_t time, FollowUp* follow) {
  *follow = FollowUp::kNone;
  State was = state_;
  state_ = State::kIdle;
  switch (was) {
    case State::kFollowing:
      Add(at);
      if (moved_ || BeyondClick(at)) *follow = FollowUp::kRecognize;
      return Verdict::kPass;
    case State::kPending:
      *follow = FollowUp::kReplayClick;
      return Verdict::kHoldBack;
    case State::kDrawing:
      Add(at);
      *follow = FollowUp::kRecognize;
      return Verdict::kHoldBack;
    case State::kCancelled:
      return Verdict::kHoldBack;  // its press never reached anyone
    default:
      return Verdict::kPass;  // idle, untouched or handed over: the application owns it
  }
}

void StrokeCapture::OtherButton() {
  switch (state_) {
    case State::kPending:
    case State::kDrawing:
      state_ = State::kCancelled;
      break;
    case State::kFollowing:
      state_ = State::kUntouched;
      break;
    default:
      break;
  }
}

FollowUp StrokeCapture::HoldElapsed(Pt pointer) {
  if (state_ != State::kPending || !handOver_) return FollowUp::kNone;
  // The pointer has left already, its moves still on their way: a stroke, not a hold.
  if (BeyondClick(pointer)) return FollowUp::kNone;
  state_ = State::kHandedOver;
  return FollowUp::kReplayPress;
}

void StrokeCapture::Reset() {
  state_ = State::kIdle;
  points_.clear();
}

void StrokeCapture::Add(Pt at) {
  if (points_.size() >= config_.maxPoints) {
    // Keep the whole shape at half the density rather than lose its end.
    size_t w = 0;
    for (size_t r = 0; r < points_.size(); r += 2) points_[w++] = points_[r];
    points_.resize(w);
  }
  points_.push_back(at);
}

bool StrokeCapture::BeyondClick(Pt at) const {
  return std::fabs(at.x - pressAt_.x) > config_.clickRadius ||
         std::fabs(at.y - pressAt_.y) > config_.clickRadius;
}

}  // namespace hooklib
