#include "linux/qt/status_bar.h"

#include <stdexcept>

#include "app/form_layout.h"
#include "linux/qt/qt_text.h"

namespace tarvex::qt {
namespace {

QLabel& PanelAt(const std::array<QLabel*, 2>& panels, int panel) {
  if (panel < 0 || panel >= static_cast<int>(panels.size())) {
    throw std::out_of_range("No such status panel");
  }
  return *panels[static_cast<std::size_t>(panel)];
}

}  // namespace

QtStatusBar::QtStatusBar(QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(true);
  for (QLabel*& panel : panels_) {
    panel = new QLabel(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    panel->setMinimumWidth(0);
  }
  panels_[0]->setFixedWidth(kCounterPanelWidth);
  panels_[0]->setAlignment(Qt::AlignCenter);
  // The message panel's text may be longer than the window is wide: cut, never widen it.
  panels_[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  addWidget(panels_[0]);
  addWidget(panels_[1], 1);
}

void QtStatusBar::SetPanelText(int panel, const std::string& text) {
  QLabel& label = PanelAt(panels_, panel);
  const QString shown = ToQString(text);
  // The counters are set at every idle moment: repainting an unchanged text would make the
  // idle moments never end.
  if (label.text() != shown) label.setText(shown);
}

QString QtStatusBar::PanelText(int panel) const { return PanelAt(panels_, panel).text(); }

}  // namespace tarvex::qt
