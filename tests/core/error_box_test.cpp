// The error box: what a failure that reaches the event loop shows.
#include <gtest/gtest.h>

#include <new>

#include "base/errors.h"
#include "sim/simulated_desktop.h"
#include "app/error_box.h"

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

TEST(ErrorBoxTest, ShowsTheMessageAsItStandsAndNothingForASilentAbort) {
  sim::SimulatedDesktop desktop;
  ApplicationEvents1Exception(desktop, Raised(Exception("Unable to write to C:\\x.ini")));
  ApplicationEvents1Exception(desktop, Raised(Exception("Ends with a full stop.")));
  ApplicationEvents1Exception(desktop, Raised(EAbort()));
  ApplicationEvents1Exception(desktop, Raised(std::bad_alloc()));
  ApplicationEvents1Exception(desktop, Raised(42));
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

}  // namespace
}  // namespace tarvex
