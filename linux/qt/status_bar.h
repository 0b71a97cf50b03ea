// The status bar: a centred counter panel of 75 pixels and a message panel for the rest.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <array>

#include "app/views.h"

namespace tarvex::qt {

class QtStatusBar final : public QStatusBar, public StatusBarPort {
 public:
  explicit QtStatusBar(QWidget* parent);

  void SetPanelText(int panel, const std::string& text) override;
  QString PanelText(int panel) const;

 private:
  std::array<QLabel*, 2> panels_{};
};

}  // namespace tarvex::qt
