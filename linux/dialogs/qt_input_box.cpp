#include "linux/dialogs/qt_input_box.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

#include "linux/dialogs/dialog_parts.h"

namespace tarvex::qt {
namespace {

// Horizontal units are a quarter of the font's average character width, vertical ones an
// eighth of its character height.
class FontUnits {
 public:
  explicit FontUnits(const QFontMetrics& metrics)
      : averageWidth_(metrics.horizontalAdvance(
                          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                      52),
        height_(metrics.height()) {}
  int X(int units) const { return units * averageWidth_ / 4; }
  int Y(int units) const { return units * height_ / 8; }

 private:
  int averageWidth_;
  int height_;
};

// Gaps in pixels, whatever the font.
constexpr int kPromptToField = 5;
constexpr int kFieldToButtons = 15;
constexpr int kButtonsToBottom = 13;

// Refuses an edit that would make the text longer than the settings file's entry may be; the
// field then undoes it whole.
class StoredLengthValidator final : public QValidator {
 public:
  StoredLengthValidator(InputBoxLimit limit, QObject* parent) : QValidator(parent), limit_(limit) {}
  State validate(QString& input, int&) const override {
    return limit_.Takes(ToText(input).size()) ? Acceptable : Invalid;
  }

 private:
  InputBoxLimit limit_;
};

void CentreOnScreen(QDialog& dialog) {
  const QWidget* owner = dialog.parentWidget();
  const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) CentreDialog(dialog, screen->geometry(), owner);
}

}  // namespace

std::optional<std::string> QtInputBox::Ask(const std::string& caption, const std::string& prompt,
                                           const std::string& initial) {
  QDialog box(ModalOwner(parent_));
  box.setObjectName(QStringLiteral("InputBox"));
  const FontUnits units(box.fontMetrics());
  const int left = units.X(8);
  const int width = units.X(164);

  const QString promptText = FromText(prompt);
  auto* label = new QLabel(promptText, &box);
  label->setObjectName(QStringLiteral("Prompt"));
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  const int promptHeight =
      box.fontMetrics().boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap, promptText).height();
  label->setGeometry(left, units.Y(8), width, promptHeight);

  auto* field = new QLineEdit(&box);
  field->setObjectName(QStringLiteral("Edit"));
  field->setValidator(new StoredLengthValidator(InputBoxLimit(initial.size()), field));
  field->setText(FromText(initial));
  // The prompt names the field for a screen reader, as a label names the control it labels.
  field->setAccessibleName(promptText);
  field->selectAll();
  const int fieldTop = label->geometry().bottom() + 1 + kPromptToField;
  field->setGeometry(left, fieldTop, width, field->sizeHint().height());

  const int buttonsTop = field->geometry().bottom() + 1 + kFieldToButtons;
  const QSize button(units.X(50), units.Y(14));
  const OkCancel buttons = AddOkCancel(box, QRect(QPoint(units.X(38), buttonsTop), button),
                                       QRect(QPoint(units.X(92), buttonsTop), button));
  QWidget::setTabOrder(field, buttons.ok);
  QWidget::setTabOrder(buttons.ok, buttons.cancel);
  MakeFixedDialog(box, FromText(caption),
                  QSize(units.X(180), buttonsTop + button.height() + kButtonsToBottom));
  CentreOnScreen(box);
  field->setFocus();

  const bool ok = box.exec() == QDialog::Accepted;
  // The window that asked takes the keyboard back, whatever the window manager picks.
  if (QWidget* owner = box.parentWidget(); owner != nullptr && owner->isVisible()) {
    owner->activateWindow();
  }
  if (!ok) return std::nullopt;
  return ToText(field->text());
}

}  // namespace tarvex::qt
