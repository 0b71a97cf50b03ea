#include "linux/qt/picture_grid.h"

#include <QFile>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "app/action_id.h"
#include "base/errors.h"

namespace tarvex::qt {
namespace {

constexpr const char* kIconName = "icon";

[[noreturn]] void Fail(int line, const std::string& what) {
  throw Exception("Picture source, line " + std::to_string(line) + ": " + what);
}

std::optional<QRgb> ColourOf(const std::string& text, int line) {
  if (text == "none") return std::nullopt;
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    Fail(line, text + " is not rrggbb");
  }
  return qRgb(std::stoi(text.substr(0, 2), nullptr, 16), std::stoi(text.substr(2, 2), nullptr, 16),
              std::stoi(text.substr(4, 2), nullptr, 16));
}

struct Picture {
  std::string name;
  QImage image;
  int rows = 0;
};

}  // namespace

std::vector<QImage> ParseActionPictures(std::string_view text) {
  std::map<char, std::optional<QRgb>> palette;
  std::vector<Picture> pictures;
  std::istringstream lines{std::string(text)};
  std::string raw;
  int number = 0;
  while (std::getline(lines, raw)) {
    ++number;
    const std::string line = raw.substr(0, raw.find_last_not_of(" \t\r") + 1);
    if (line.empty() || line.front() == '#') continue;
    std::istringstream words(line);
    std::string first, second, third, extra;
    words >> first >> second >> third >> extra;
    if (first == "colour") {
      if (second.size() != 1 || third.empty() || !extra.empty()) {
        Fail(number, "expected 'colour <char> <rrggbb|none>'");
      }
      palette[second.front()] = ColourOf(third, number);
    } else if (first == "picture") {
      if (second.empty() || !third.empty()) Fail(number, "expected 'picture <name>'");
      QImage image(kPictureSize, kPictureSize, QImage::Format_ARGB32);
      image.fill(Qt::transparent);
      pictures.push_back({second, image, 0});
    } else {
      if (pictures.empty()) Fail(number, "pixels outside a picture");
      Picture& picture = pictures.back();
      if (line.size() != kPictureSize) Fail(number, "a row has 16 pixels");
      if (picture.rows == kPictureSize) Fail(number, "a picture has 16 rows");
      for (int x = 0; x < kPictureSize; ++x) {
        const auto colour = palette.find(line[static_cast<std::size_t>(x)]);
        if (colour == palette.end())
          Fail(number, std::string("no colour for ") + line[static_cast<std::size_t>(x)]);
        if (colour->second) picture.image.setPixel(x, picture.rows, *colour->second);
      }
      ++picture.rows;
    }
  }
  std::vector<QImage> actions;
  for (const Picture& picture : pictures) {
    if (picture.rows != kPictureSize) {
      throw Exception("Picture source: " + picture.name + " has fewer than 16 rows");
    }
    if (picture.name != kIconName) actions.push_back(picture.image);
  }
  if (actions.size() != kActionCount) {
    throw Exception("Picture source: " + std::to_string(actions.size()) + " action pictures, not " +
                    std::to_string(kActionCount));
  }
  return actions;
}

const std::vector<QImage>& ActionPictures() {
  static const std::vector<QImage> pictures = [] {
    QFile source(QStringLiteral(":/tarvex/pictures.txt"));
    if (!source.open(QIODevice::ReadOnly)) throw Exception("Cannot read the program's pictures");
    const QByteArray text = source.readAll();
    return ParseActionPictures(
        std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
  }();
  return pictures;
}

}  // namespace tarvex::qt
