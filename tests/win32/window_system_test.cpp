// The user32 window system against real windows of another process.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <latch>
#include <thread>
#include <vector>

#include "own_window.h"
#include "test_desktop.h"
#include "win32/platform/win32_window_system.h"
#include "window_maker_process.h"

namespace tarvex::win32::testing {
namespace {

class WindowSystemTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    maker_ = std::make_unique<WindowMakerProcess>(TestWindowArguments());
  }
  static void TearDownTestSuite() { maker_.reset(); }
  static WinHandle W(TestWindow window) { return maker_->Window(window); }

  std::string Caption(WinHandle window) {
    char buffer[256] = {};
    system_.WindowText(window, buffer, 255);
    return buffer;
  }

  inline static std::unique_ptr<WindowMakerProcess> maker_;
  Win32WindowSystem system_;
};

TEST_F(WindowSystemTest, ReadsCaptionsAndClassNamesWithinTheirBuffers) {
  EXPECT_EQ(Caption(W(kVisible)), "Tarvex test visible");
  EXPECT_EQ(Caption(W(kNoCaption)), "");

  std::string buffer(300, '#');
  EXPECT_EQ(system_.WindowText(W(kLongCaption), buffer.data(), 255), 254);
  EXPECT_EQ(std::string(buffer.c_str()), kLongCaptionText.substr(0, 254));
  EXPECT_EQ(buffer[255], '#') << "wrote past the buffer it was given";

  buffer.assign(300, '#');
  EXPECT_EQ(system_.ClassName(W(kLongClass), buffer.data(), 100), 99);
  EXPECT_EQ(std::string(buffer.c_str()), kLongClassText.substr(0, 99));
  EXPECT_EQ(buffer[100], '#');

  char name[100] = {};
  system_.ClassName(W(kVisible), name, 100);
  EXPECT_STREQ(name, "TarvexTestWindow");
}

TEST_F(WindowSystemTest, ReportsVisibilityOwnershipAndPopups) {
  EXPECT_TRUE(system_.IsVisible(W(kVisible)));
  EXPECT_FALSE(system_.IsVisible(W(kHidden)));

  EXPECT_EQ(system_.Owner(W(kOwned)), W(kVisible));
  EXPECT_EQ(system_.Owner(W(kVisible)), 0u);
  EXPECT_EQ(static_cast<WinHandle>(system_.WindowLong(W(kOwned), GWL_HWNDPARENT_INDEX)),
            W(kVisible));
  EXPECT_EQ(system_.WindowLong(W(kVisible), GWL_HWNDPARENT_INDEX), 0);

  EXPECT_EQ(system_.LastActivePopup(W(kPopupOwner)), W(kActiveAppPopup));
  EXPECT_EQ(system_.LastActivePopup(W(kVisible)), W(kVisible));

  EXPECT_TRUE(system_.Exists(W(kHidden)));
  EXPECT_FALSE(system_.Exists(0));
}

TEST_F(WindowSystemTest, ReadsTheStyleBitsTheFilterLooksAt) {
  const auto style = [&](TestWindow window) {
    return static_cast<std::uint32_t>(system_.WindowLong(W(window), GWL_STYLE_INDEX));
  };
  const std::uint32_t appBits = kStylePopup | kStyleMinimizeBox | kStyleSysMenu;
  EXPECT_EQ(style(kPopupApp) & (appBits | kStyleDisabled), appBits);
  EXPECT_EQ(style(kPlainPopup) & (appBits | kStyleDisabled), kStylePopup);
  EXPECT_EQ(style(kDisabledPopup) & (appBits | kStyleDisabled), appBits | kStyleDisabled);
  EXPECT_EQ(style(kVisible) & kStylePopup, 0u);
  // An overlapped window with a sizing frame always carries the raised window edge.
  EXPECT_NE(system_.WindowLong(W(kVisible), GWL_EXSTYLE_INDEX) & WS_EX_WINDOWEDGE, 0);
}

TEST_F(WindowSystemTest, NamesTheThreadAndProcessThatOwnTheWindow) {
  std::uint32_t process = 0;
  const std::uint32_t thread = system_.ThreadProcessId(W(kVisible), &process);
  EXPECT_EQ(process, maker_->ProcessId());
  EXPECT_NE(thread, 0u);
  EXPECT_NE(thread, ::GetCurrentThreadId());
}

struct Visit {
  std::vector<WinHandle> seen;
  int stopAfter = -1;
  bool fail = false;
};

bool Record(WinHandle window, std::intptr_t param) {
  auto& visit = *reinterpret_cast<Visit*>(param);
  visit.seen.push_back(window);
  if (visit.fail) throw std::runtime_error("failure inside the enumeration");
  return static_cast<int>(visit.seen.size()) != visit.stopAfter;
}

TEST_F(WindowSystemTest, EnumeratesEveryTopLevelWindowUntilToldToStop) {
  Visit all;
  system_.Enumerate(Record, reinterpret_cast<std::intptr_t>(&all));
  for (std::size_t i = 0; i < kTestWindowCount; ++i) {
    EXPECT_NE(std::find(all.seen.begin(), all.seen.end(), W(static_cast<TestWindow>(i))),
              all.seen.end())
        << "window " << i;
  }

  Visit two;
  two.stopAfter = 2;
  system_.Enumerate(Record, reinterpret_cast<std::intptr_t>(&two));
  EXPECT_EQ(two.seen.size(), 2u);
}

TEST_F(WindowSystemTest, FailureInsideTheEnumerationStopsItAndReachesTheCaller) {
  Visit failing;
  failing.fail = true;
  EXPECT_THROW(system_.Enumerate(Record, reinterpret_cast<std::intptr_t>(&failing)),
               std::runtime_error);
  EXPECT_EQ(failing.seen.size(), 1u);
}

TEST_F(WindowSystemTest, AnswersEmptyAndZeroForAVanishedWindow) {
  OwnWindow gone("Tarvex test gone");
  const WinHandle handle = gone.Handle();
  gone.Destroy();

  char buffer[256];
  std::fill(std::begin(buffer), std::end(buffer), 'x');
  EXPECT_EQ(system_.WindowText(handle, buffer, 255), 0);
  EXPECT_EQ(buffer[0], '\0');
  std::fill(std::begin(buffer), std::end(buffer), 'x');
  EXPECT_EQ(system_.ClassName(handle, buffer, 100), 0);
  EXPECT_EQ(buffer[0], '\0');

  EXPECT_FALSE(system_.Exists(handle));
  EXPECT_FALSE(system_.IsVisible(handle));
  EXPECT_EQ(system_.Owner(handle), 0u);
  EXPECT_EQ(system_.WindowLong(handle, GWL_STYLE_INDEX), 0);
  EXPECT_EQ(system_.WindowLong(handle, GWL_EXSTYLE_INDEX), 0);
  EXPECT_EQ(system_.WindowLong(handle, GWL_HWNDPARENT_INDEX), 0);
  std::uint32_t process = 12345;
  EXPECT_EQ(system_.ThreadProcessId(handle, &process), 0u);
  EXPECT_EQ(process, 0u);
}

TEST_F(WindowSystemTest, ShowsMinimizesAndAsksAWindowToClose) {
  OwnWindow window("Tarvex test target");
  system_.Show(window.Handle(), kShowMinimized);
  EXPECT_TRUE(::IsIconic(window.Hwnd()));
  system_.Show(window.Handle(), kShowNormal);
  EXPECT_FALSE(::IsIconic(window.Hwnd()));
  EXPECT_TRUE(::IsWindowVisible(window.Hwnd()));

  // The close request is queued, not sent: it arrives with the next dispatch.
  system_.PostClose(window.Handle());
  EXPECT_EQ(window.Received(WM_CLOSE), 0);
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  EXPECT_EQ(window.Received(WM_CLOSE), 1);
}

// A window whose thread stops answering messages until it is released, as a hung application's.
class HungWindow {
 public:
  HungWindow()
      : release_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread_([this] {
          OwnWindow window("Tarvex test hung window");
          handle_ = window.Handle();
          created_.count_down();
          // No message loop: requests that wait for an answer wait until the release.
          ::WaitForSingleObject(release_.get(), 5000);
        }) {
    created_.wait();
  }
  ~HungWindow() {
    ::SetEvent(release_.get());
    thread_.join();
  }
  HungWindow(const HungWindow&) = delete;
  HungWindow& operator=(const HungWindow&) = delete;

  WinHandle Handle() const { return handle_; }

 private:
  UniqueKernelHandle release_;
  std::latch created_{1};
  WinHandle handle_ = 0;
  std::thread thread_;
};

TEST_F(WindowSystemTest, RequestsToAHungWindowReturnAtOnce) {
  HungWindow hung;
  // Generous bounds: this is whether the calls wait for the window at all, not how fast they are.
  const auto start = std::chrono::steady_clock::now();
  system_.Show(hung.Handle(), kShowMinimized);
  system_.Show(hung.Handle(), kShowNormal);
  system_.PostClose(hung.Handle());
  system_.BringToForeground(hung.Handle());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
}  // namespace tarvex::win32::testing
