// The Linux edition's settings file and ignore list are UTF-8, as its captions are: the ignore
// lookup compares captions unchanged.
#pragma once

#include "settings/ansi_code_page.h"

namespace tarvex {

class Utf8CodePage final : public AnsiCodePage {
 public:
  std::string FromUtf8(const std::string& utf8) const override { return utf8; }
};

}  // namespace tarvex
