// The toolkit services the window enumerator holds without using them in a direct Refresh: its
// own timer stays off, it pumps no messages and shows no box while the benchmark runs.
#pragma once

#include <memory>

#include "services/ui_services.h"

namespace tarvex::bench {

class HeadlessServices final : public TimerService, public MessagePump, public MessageBoxes {
 public:
  std::unique_ptr<Timer> CreateTimer(std::function<void()> /*onTimer*/) override {
    return std::make_unique<IdleTimer>();
  }
  void ProcessMessages() override {}
  BoxAnswer Show(const std::string& /*text*/, const std::string& /*caption*/,
                 BoxKind /*kind*/) override {
    return BoxAnswer::kOk;
  }

 private:
  class IdleTimer final : public Timer {
   public:
    void SetEnabled(bool /*enabled*/) override {}
    void SetInterval(int /*milliseconds*/) override {}
  };
};

}  // namespace tarvex::bench
