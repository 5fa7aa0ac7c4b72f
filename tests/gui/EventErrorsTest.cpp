#include "gui/EventErrors.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "gui/Application.h"
#include "gui/WindowControl.h"

namespace {

// Collects the messages of the errors reported, for the scope of a test.
struct ReportedErrors {
  std::vector<std::string> Messages;
  ReportedErrors() {
    SetEventErrorReporter([this] {
      try {
        throw;
      } catch (const std::exception& error) {
        Messages.emplace_back(error.what());
      }
    });
  }
  ~ReportedErrors() { SetEventErrorReporter(nullptr); }
  ReportedErrors(const ReportedErrors&) = delete;
  ReportedErrors& operator=(const ReportedErrors&) = delete;
};

class FailingPaint : public WindowControl {
public:
  FailingPaint() : WindowControl(nullptr) {}
  void Paint() override { throw std::runtime_error("paint failed"); }
};

TEST(EventErrors, AnErrorLeavingAHandlerIsReported) {
  ReportedErrors reported;
  RunEventHandler([] { throw std::runtime_error("handler failed"); });
  RunEventHandler([] {});
  EXPECT_EQ(reported.Messages, (std::vector<std::string>{"handler failed"}));
}

TEST(EventErrors, NothingLeavesAHandlerWithoutOrWithAFailingReporter) {
  EXPECT_NO_THROW(RunEventHandler([] { throw std::runtime_error("unreported"); }));
  SetEventErrorReporter([] { throw std::logic_error("report failed"); });
  EXPECT_NO_THROW(RunEventHandler([] { throw std::runtime_error("handler failed"); }));
  SetEventErrorReporter(nullptr);
}

TEST(EventErrors, APaintOfThePlatformThatFailsIsReported) {
  EnsureApplication();
  ReportedErrors reported;
  FailingPaint control;
  control.SetBounds(0, 0, 50, 40);
  control.SetVisible(true);
  control.Invalidate();
  ProcessPendingEvents();
  ASSERT_FALSE(reported.Messages.empty());
  EXPECT_EQ(reported.Messages.front(), "paint failed");
}

}  // namespace
