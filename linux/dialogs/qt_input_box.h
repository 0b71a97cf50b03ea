// The input box: a caption, a word-wrapped prompt, a one-line edit field, OK and Cancel, centred
// on the screen and laid out in units of its font.
#pragma once

#include "services/input_box.h"

class QWidget;

namespace tarvex::qt {

class QtInputBox final : public InputBox {
 public:
  // Modal to the box or dialog that asks, else to `parent`.
  explicit QtInputBox(QWidget* parent) : parent_(parent) {}
  // The main window, once it stands; dialogs shown before have none.
  void SetParent(QWidget* parent) { parent_ = parent; }

  // The field takes what InputBoxLimit allows, counted in UTF-8, the settings file's encoding.
  std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                 const std::string& initial) override;

 private:
  QWidget* parent_;
};

}  // namespace tarvex::qt
