#include "win32/platform/win32_text_collation.h"

#include "win32/support/windows_api.h"

#include <limits>

#include "base/errors.h"
#include "base/format.h"

namespace tarvex::win32 {
namespace {

int Length(std::string_view text) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw Exception("Text too long to compare");
  }
  return static_cast<int>(text.size());
}

// The system refuses a null text even with length 0, as an empty view may carry.
const char* Data(std::string_view text) { return text.empty() ? "" : text.data(); }

}  // namespace

int Win32TextCollation::CompareIgnoreCase(std::string_view a, std::string_view b) const {
  // Explicit lengths: the views need not end in a zero, and may hold one.
  const int result = ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Data(a), Length(a),
                                      Data(b), Length(b));
  if (result == 0) {
    throw Exception(Format("Cannot compare texts (system error %lu)", ::GetLastError()));
  }
  return result - CSTR_EQUAL;
}

}  // namespace tarvex::win32
