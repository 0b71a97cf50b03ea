#include "services/failure_sink.h"

#include <new>
#include <string>
#include <utility>

#include "base/errors.h"

namespace tarvex {

void FailureSink::ApplicationEvents1Exception(std::exception_ptr failure) const noexcept {
  std::string message;
  try {
    std::rethrow_exception(std::move(failure));
  } catch (const EAbort&) {
    return;
  } catch (const std::bad_alloc&) {
    message = "Out of memory";
  } catch (const std::exception& error) {
    message = error.what();
  } catch (...) {
    message = "Unknown failure";
  }
  try {
    boxes_->Show(message, "Error", BoxKind::kError);
  } catch (...) {
    // Nothing is left to report a failure of the report itself to.
  }
}

}  // namespace tarvex
