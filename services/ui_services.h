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

// Message box flags, with the values the platform gives them.
inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconWarning = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbDefButton2 = 0x100;
// The button that closed a box.
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the text and waits until the box is closed; returns the button that closed it. Line
  // breaks are single carriage returns.
  virtual int Show(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

}  // namespace tarvex
