// No failure may unwind through Qt's event loop. A failure in one of a dialog's handlers closes
// the dialog as cancelled and is thrown again by Rethrow once the modal loop has ended, so that
// it reaches the error box by the road every failure takes, and a failed step is never taken
// for a confirmed dialog.
#pragma once

#include <QDialog>
#include <exception>
#include <utility>

namespace tarvex::qt {

class DialogFailure {
 public:
  explicit DialogFailure(QDialog& dialog) : dialog_(dialog) {}

  template <typename Handler>
  void Run(Handler&& handler) noexcept {
    try {
      std::forward<Handler>(handler)();
    } catch (...) {
      if (!failure_) failure_ = std::current_exception();
      dialog_.reject();
    }
  }

  void Rethrow() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  QDialog& dialog_;
  std::exception_ptr failure_;
};

}  // namespace tarvex::qt
