#include "program_on_desktop.h"

#include <QApplication>
#include <QStyle>
#include <QTest>
#include <QTreeWidgetItem>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace tarvex::e2e {
namespace {

using x11::testing::Output;
using x11::testing::Program;
using x11::testing::WaitUntil;
using x11::testing::WmctrlWindows;

std::string& ScratchPath() {
  static std::string path;
  return path;
}

bool FileSaysReady(const std::string& file) {
  std::ifstream in(file);
  std::string word;
  return (in >> word) && word == "ready";
}

}  // namespace

const std::string& ScratchFolder() {
  std::string& path = ScratchPath();
  if (path.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvex-e2e.XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    path = pattern;
  }
  return path;
}

void RemoveScratchFolder() {
  if (ScratchPath().empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(ScratchPath(), ignored);
}

BoxAnswer RecordingBoxes::Show(const std::string& text, const std::string& caption, BoxKind) {
  shown.push_back(caption + ": " + text);
  return BoxAnswer::kOk;
}

void Desktop::StartXterm(const std::string& title) {
  // A command of our own keeps a shell's prompt from retitling the window.
  Start(title, {"xterm", "-T", title, "-e", "sleep", "600"});
}

void Desktop::Start(const std::string& caption, std::vector<std::string> argv) {
  auto program = std::make_unique<Program>(std::move(argv));
  pids_[caption] = program->Pid();
  programs_[caption] = std::move(program);
}

void Desktop::StartClient(const char* mode, std::unique_ptr<Program>& slot,
                          const std::vector<std::string>& captions) {
  const std::string ready = ScratchFolder() + "/" + mode + ".ready";
  slot = std::make_unique<Program>(std::vector<std::string>{TARVEX_E2E_CLIENT, mode, ready});
  if (!WaitUntil([&] { return FileSaysReady(ready); })) {
    throw std::runtime_error(std::string("the ") + mode + " client did not start");
  }
  for (const std::string& caption : captions) pids_[caption] = slot->Pid();
}

void Desktop::StartOddWindows() { StartClient("odd", odd_, {"E2E no pid"}); }
void Desktop::StartStorm() { StartClient("storm", storm_, {}); }

xcb_window_t Desktop::StartOneWindow(const std::string& caption) {
  // A file left by an earlier client of that caption would name that client's window.
  const std::string ready = ScratchFolder() + "/" + caption + ".ready";
  std::filesystem::remove(ready);
  auto program =
      std::make_unique<Program>(std::vector<std::string>{TARVEX_E2E_CLIENT, "one", ready, caption});
  xcb_window_t window = XCB_WINDOW_NONE;
  const bool started = WaitUntil([&] {
    std::ifstream in(ready);
    std::string word;
    return (in >> word >> window) && word == "ready";
  });
  if (!started) throw std::runtime_error("the client of '" + caption + "' did not start");
  pids_[caption] = program->Pid();
  programs_[caption] = std::move(program);
  return window;
}

void Desktop::End(const std::string& caption) {
  programs_.erase(caption);
  pids_.erase(caption);
  windows_.erase(caption);
}

void Desktop::WaitUntilManaged() {
  const bool managed = WaitUntil(
      [&] {
        windows_.clear();
        for (const auto& listed : WmctrlWindows()) windows_[listed.caption] = listed.window;
        for (const auto& [caption, pid] : pids_) {
          if (windows_.count(caption) == 0) return false;
        }
        return true;
      },
      std::chrono::seconds(20));
  if (!managed)
    throw std::runtime_error("a client's window never appeared: " + Output("wmctrl -lp"));
}

xcb_window_t Desktop::WindowOf(const std::string& caption) const {
  const auto found = windows_.find(caption);
  return found == windows_.end() ? xcb_window_t{XCB_WINDOW_NONE} : found->second;
}

pid_t Desktop::PidOf(const std::string& caption) const {
  const auto found = pids_.find(caption);
  return found == pids_.end() ? -1 : found->second;
}

bool Desktop::HasEnded(const std::string& caption) {
  return programs_.at(caption)->Ended(std::chrono::seconds(10));
}

bool Desktop::IsRunning(const std::string& caption) {
  return !programs_.at(caption)->Ended(std::chrono::milliseconds(0));
}

ProgramOnDesktop::ProgramOnDesktop() : program(boxes), window(program.Window()) {
  program.ShowFirst([] {});
  if (!QTest::qWaitForWindowExposed(&window)) throw std::runtime_error("no window on screen");
  Settle();
}

std::vector<Row> ProgramOnDesktop::Rows() const {
  std::vector<Row> rows;
  const QTreeWidget& list = window.List();
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    rows.push_back(
        {list.topLevelItem(i)->text(0).toStdString(), list.topLevelItem(i)->text(1).toStdString()});
  }
  return rows;
}

int ProgramOnDesktop::RowOf(const std::string& caption) const {
  const QTreeWidget& list = window.List();
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    if (list.topLevelItem(i)->text(0).toStdString() == caption) return i;
  }
  throw std::runtime_error("no row shows \"" + caption + "\"");
}

void ProgramOnDesktop::Activate() {
  if (window.isActiveWindow()) return;
  // As a pager or a click on the frame asks for it: the manager obeys such a request.
  Output("wmctrl -i -a " + std::to_string(window.winId()));
  if (!QTest::qWaitForWindowActive(&window))
    throw std::runtime_error("the window never became active");
}

void ProgramOnDesktop::Keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  Activate();
  QTest::keyClick(&window, key, modifiers);
  Settle(0);
}

void ProgramOnDesktop::ClickCheckBox(const std::string& caption) {
  Activate();
  QTreeWidget& list = window.List();
  QTreeWidgetItem* item = list.topLevelItem(RowOf(caption));
  list.scrollToItem(item);
  const QRect rect = list.visualItemRect(item);
  // Where the style draws the box: at the row's left, past the focus frame's margin.
  const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
  const int box = list.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &list);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(rect.left() + margin + box / 2, rect.center().y()));
  Settle(0);
}

void ProgramOnDesktop::ClickCaption(const std::string& caption) {
  Activate();
  QTreeWidget& list = window.List();
  QTreeWidgetItem* item = list.topLevelItem(RowOf(caption));
  list.scrollToItem(item);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                    list.visualItemRect(item).center());
  Settle(0);
}

bool ProgramOnDesktop::Checked(const std::string& caption) const {
  return window.List().topLevelItem(RowOf(caption))->checkState(0) == Qt::Checked;
}

void ProgramOnDesktop::Settle(int milliseconds) { QTest::qWait(milliseconds); }

std::string WindowState(xcb_window_t window) {
  const std::string text = x11::testing::Xprop(window, "WM_STATE");
  for (const char* state : {"Normal", "Iconic", "Withdrawn"}) {
    if (text.find(std::string("window state: ") + state) != std::string::npos) return state;
  }
  return text;
}

bool Eventually(const std::function<bool()>& condition, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QTest::qWait(20);
  }
  return true;
}

}  // namespace tarvex::e2e
