// The core's texts are UTF-8 on this edition, as X11 hands captions over.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarvex::qt {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace tarvex::qt
