#include "app/about_box.h"

#include "base/format.h"
#include "app/kelvo_apps.h"

namespace tarvex {

std::string MakerNotice(std::uint16_t year, std::uint16_t secondYear) {
  const std::string years =
      secondYear == 0 ? std::to_string(year) : Format("%d-%d", int{year}, int{secondYear});
  return "Copyright (C) " + years + ", Kelvo Software";
}

std::string AboutText(const std::string& title, const std::string& description, std::uint16_t year,
                      std::uint16_t secondYear) {
  return title + "\r\r" + description + "\r\rWeb site: " + kMakerWebSite +
         "\rE-mail: " + kMakerEmail + "\r\r" + MakerNotice(year, secondYear);
}

void ShowAboutBox(MessageBoxes& boxes, const std::string& description, std::uint16_t year,
                  std::uint16_t secondYear) {
  boxes.Show(AboutText(AppTitle, description, year, secondYear), "About", BoxKind::kInformation);
}

}  // namespace tarvex
