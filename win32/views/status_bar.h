// The status bar: a centred counter panel of 75 pixels and a message panel for the rest.
#pragma once

#include "win32/support/windows_api.h"

#include <array>
#include <string>

#include "app/views.h"
#include "win32/views/dpi_scale.h"

namespace tarvex::win32 {

class StatusBar final : public StatusBarPort {
 public:
  // The control is a child of `parent`, which destroys it.
  StatusBar(HWND parent, int id, HFONT font, DpiScale scale);
  StatusBar(const StatusBar&) = delete;
  StatusBar& operator=(const StatusBar&) = delete;

  // Takes the font and the counter panel's width at another resolution; the height follows the
  // font at the next OnParentSize.
  void Rescale(HFONT font, DpiScale scale);

  HWND Handle() const { return window_; }
  int Height() const;
  // The bar places itself along the parent's bottom edge when told of a new size.
  void OnParentSize();

  void SetPanelText(int panel, const std::string& text) override;
  const std::string& PanelText(int panel) const {
    return texts_.at(static_cast<std::size_t>(panel));
  }

 private:
  HWND window_ = nullptr;
  std::array<std::string, 2> texts_;
};

}  // namespace tarvex::win32
