// What the stroke capture decides for each mouse event, by level.
#include <gtest/gtest.h>

#include "capture.h"

using namespace hooklib;
using State = StrokeCapture::State;

namespace {

struct Driver {
  StrokeCapture c;
  FollowUp last = FollowUp::kNone;
  Verdict Move(double x, double y, uint32_t t = 10) { return c.Move({x, y}, t, &last); }
  Verdict Release(double x, double y, uint32_t t = 20) { return c.Release({x, y}, t, &last); }
};

}  // namespace

TEST(Capture, HeldBackClickIsReplayedAndStrokeIsRecognized) {
  Driver d;
  EXPECT_EQ(Verdict::kHoldBack, d.c.Press({100, 100}, 0, 1));
  EXPECT_EQ(Verdict::kPass, d.Move(102, 103));  // the pointer itself always moves
  EXPECT_EQ(State::kPending, d.c.state());
  EXPECT_EQ(Verdict::kHoldBack, d.Release(103, 103));
  EXPECT_EQ(FollowUp::kReplayClick, d.last);

  EXPECT_EQ(Verdict::kHoldBack, d.c.Press({100, 100}, 100, 1));
  d.Move(120, 100, 110);
  EXPECT_EQ(State::kDrawing, d.c.state());
  d.Move(160, 100, 120);
  EXPECT_EQ(Verdict::kHoldBack, d.Release(170, 100, 130));
  EXPECT_EQ(FollowUp::kRecognize, d.last);
  ASSERT_EQ(4u, d.c.Points().size());
  EXPECT_EQ(170, d.c.Points().back().x);
  EXPECT_EQ(State::kIdle, d.c.state());
}

TEST(Capture, LevelZeroLetsThePressThroughAndStillRecognizes) {
  Driver d;
  EXPECT_EQ(Verdict::kPass, d.c.Press({50, 50}, 0, 0));
  d.Move(90, 50);
  EXPECT_EQ(Verdict::kPass, d.Release(120, 50));
  EXPECT_EQ(FollowUp::kRecognize, d.last);
  // A plain click at level 0 is no stroke: nothing to report.
  d.c.Press({50, 50}, 0, 0);
  EXPECT_EQ(Verdict::kPass, d.Release(51, 50));
  EXPECT_EQ(FollowUp::kNone, d.last);
}

TEST(Capture, WithoutAnAnswerEverythingPassesUntouched) {
  Driver d;
  EXPECT_EQ(Verdict::kPass, d.c.Press({50, 50}, 0, -1));
  d.Move(200, 50);
  EXPECT_EQ(Verdict::kPass, d.Release(200, 80));
  EXPECT_EQ(FollowUp::kNone, d.last);
  EXPECT_FALSE(d.c.WantsHoldTimer());
}

TEST(Capture, HoldingStillHandsOverAtLevelOneOnly) {
  Driver d;
  d.c.Press({10, 10}, 0, 1);
  ASSERT_TRUE(d.c.WantsHoldTimer());
  // When the timer comes, the pointer may have left although its moves are not through yet:
  // that is a stroke starting, not a hold.
  EXPECT_EQ(FollowUp::kNone, d.c.HoldElapsed({40, 10}));
  EXPECT_EQ(State::kPending, d.c.state());
  EXPECT_EQ(FollowUp::kReplayPress, d.c.HoldElapsed({12, 11}));
  EXPECT_EQ(FollowUp::kNone, d.c.HoldElapsed({12, 11}));  // only once
  d.Move(200, 10);
  EXPECT_EQ(Verdict::kPass, d.Release(200, 10));  // the application has the press: it gets the release
  EXPECT_EQ(FollowUp::kNone, d.last);

  // A hold timer that comes late is caught by the first move out of the click radius.
  d.c.Press({10, 10}, 1000, 1);
  d.Move(40, 10, 1000 + d.c.config().holdMs);
  EXPECT_EQ(FollowUp::kReplayPress, d.last);
  EXPECT_EQ(State::kHandedOver, d.c.state());

  // Level 2 keeps drawing however long the press stays still.
  d.c.Press({10, 10}, 0, 2);
  EXPECT_FALSE(d.c.WantsHoldTimer());
  EXPECT_EQ(FollowUp::kNone, d.c.HoldElapsed({10, 10}));
  d.Move(80, 10, 5000);
  EXPECT_EQ(State::kDrawing, d.c.state());
  d.Release(120, 10, 5100);
  EXPECT_EQ(FollowUp::kRecognize, d.last);
}

TEST(Capture, AnotherButtonCancelsTheStroke) {
  Driver d;
  d.c.Press({10, 10}, 0, 1);
  d.Move(80, 10);
  d.c.OtherButton();
  d.Move(150, 10);
  // The press never reached the application, so neither does the release, and nothing is
  // reported or replayed.
  EXPECT_EQ(Verdict::kHoldBack, d.Release(150, 10));
  EXPECT_EQ(FollowUp::kNone, d.last);

  // At level 0 the application has the press: it gets the release too.
  d.c.Press({10, 10}, 0, 0);
  d.Move(80, 10);
  d.c.OtherButton();
  EXPECT_EQ(Verdict::kPass, d.Release(150, 10));
  EXPECT_EQ(FollowUp::kNone, d.last);
}

TEST(Capture, LongStrokeKeepsItsWholeShapeWithinTheLimit) {
  CaptureConfig config;
  config.maxPoints = 64;
  StrokeCapture c(config);
  FollowUp f;
  c.Press({0, 0}, 0, 2);
  for (int i = 1; i <= 1000; ++i) c.Move({(double)i, 0}, i, &f);
  c.Release({1001, 0}, 1001, &f);
  EXPECT_LE(c.Points().size(), 64u);
  EXPECT_EQ(0, c.Points().front().x);
  EXPECT_EQ(1001, c.Points().back().x);
}
