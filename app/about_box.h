// The about box and the maker's fixed texts.
#pragma once

#include <cstdint>
#include <string>

#include "services/ui_services.h"

namespace tarvex {

inline constexpr const char* kMakerWebSite = "https://www.kelvo.example/tarvex/";
inline constexpr const char* kMakerEmail = "tarvex@kelvo.example";
inline constexpr const char* kAboutDescription =
    "Terminate, restore, or minimize applications easily.";
inline constexpr std::uint16_t kAboutYear = 2003;

// "Copyright (C) <years>, Kelvo Software": the last line of the about box and the main window's
// own long hint. The years are "%d-%d" when a second year is given, else the first alone.
std::string MakerNotice(std::uint16_t year, std::uint16_t secondYear);

// The about text, lines broken by bare carriage returns.
std::string AboutText(const std::string& title, const std::string& description, std::uint16_t year,
                      std::uint16_t secondYear);

// Shows the about text in the application's message box captioned "About".
void ShowAboutBox(MessageBoxes& boxes, const std::string& description, std::uint16_t year,
                  std::uint16_t secondYear);

}  // namespace tarvex
