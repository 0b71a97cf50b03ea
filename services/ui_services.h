// Services of the toolkit that the core's components use: timers, the message pump and the
// application's message box.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tarvex {

// A periodic timer driven by the UI thread's message loop. It is created switched off.
class Timer {
 public:
  virtual ~Timer() = default;
  // Switching it on starts a new full period. Never fails: the program switches timers on again
  // from cleanup paths.
  virtual void SetEnabled(bool enabled) = 0;
  // A period of 0 or less never fires.
  virtual void SetInterval(int milliseconds) = 0;
};

class TimerService {
 public:
  virtual ~TimerService() = default;
  virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimer) = 0;
};

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // Handles every message waiting for the UI thread, then returns.
  virtual void ProcessMessages() = 0;
};

// The kinds of box the program shows: each edition draws them with its own signs and buttons.
enum class BoxKind {
  kInformation,   // an information sign and OK
  kError,         // an error sign and OK
  kWarningYesNo,  // a warning sign, Yes and No, No the default
};
// How a box was closed. A box that could not be shown answers as its default button would.
enum class BoxAnswer { kOk, kYes, kNo };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the text and waits until the box is closed; returns the button that closed it. Line
  // breaks are single carriage returns.
  virtual BoxAnswer Show(const std::string& text, const std::string& caption, BoxKind kind) = 0;
};

}  // namespace tarvex
