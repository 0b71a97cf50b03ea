// The failure sink: what a failure that reaches an event's edge shows.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/errors.h"
#include "services/failure_sink.h"
#include "sim/simulated_desktop.h"

namespace tarvex {
namespace {

template <typename Failure>
std::exception_ptr Raised(Failure failure) {
  try {
    throw failure;
  } catch (...) {
    return std::current_exception();
  }
}

TEST(FailureSinkTest, ShowsTheMessageAsItStandsAndNothingForASilentAbort) {
  sim::SimulatedDesktop desktop;
  const FailureSink sink(desktop);
  sink.ApplicationEvents1Exception(Raised(Exception("Unable to write to C:\\x.ini")));
  sink.ApplicationEvents1Exception(Raised(Exception("Ends with a full stop.")));
  sink.ApplicationEvents1Exception(Raised(EAbort()));
  sink.ApplicationEvents1Exception(Raised(std::bad_alloc()));
  sink.ApplicationEvents1Exception(Raised(42));
  ASSERT_EQ(desktop.boxes.size(), 4u);
  EXPECT_EQ(desktop.boxes[0].text, "Unable to write to C:\\x.ini");
  EXPECT_EQ(desktop.boxes[1].text, "Ends with a full stop.");
  EXPECT_EQ(desktop.boxes[2].text, "Out of memory");
  EXPECT_EQ(desktop.boxes[3].text, "Unknown failure");
  for (const auto& box : desktop.boxes) {
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.kind, BoxKind::kError);
  }
}

// The report is the last stop: a box that fails in its turn ends nothing, not even the program.
TEST(FailureSinkTest, ABoxThatFailsItselfIsNotNoticed) {
  class FailingBoxes final : public MessageBoxes {
   public:
    BoxAnswer Show(const std::string& text, const std::string&, BoxKind) override {
      shown.push_back(text);
      throw std::runtime_error("no box today");
    }
    std::vector<std::string> shown;
  } boxes;
  const FailureSink sink(boxes);
  sink.ApplicationEvents1Exception(Raised(Exception("Unable to write to C:\\x.ini")));
  sink.ApplicationEvents1Exception(Raised(Exception("Cannot show the dialog")));
  EXPECT_EQ(boxes.shown,
            (std::vector<std::string>{"Unable to write to C:\\x.ini", "Cannot show the dialog"}));
}

}  // namespace
}  // namespace tarvex
