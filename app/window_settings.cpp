#include "app/window_settings.h"

#include <algorithm>
#include <string>
#include <utility>

#include "app/dpi_units.h"
#include "app/form_size.h"
#include "app/kelvo_apps.h"
#include "settings/ignore_list.h"
#include "settings/ignore_list_file.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "settings/settings_path.h"
#include "services/failure_sink.h"

namespace tarvex {
namespace {

std::string WindowSection() { return AppBaseTitle(AppTitle) + " Window"; }
std::string IgnoreSection() { return AppBaseTitle(AppTitle) + " Ignore"; }
bool ReadMinimizeToTray(const TIniFile& file) {
  return file.ReadBool(WindowSection(), "MinimizeToTray", true);
}
std::string ColumnKey(int column) { return "Column" + std::to_string(column + 1); }

}  // namespace

void WindowSettings::ApplyBounds(Bounds bounds) {
  const ScreenSize minimum = MinimumFormSize(host_.Dpi());
  bounds.width = std::max(bounds.width, minimum.width);
  bounds.height = std::max(bounds.height, minimum.height);
  host_.SetFormBounds(bounds);
}

void WindowSettings::Load() {
  const TIniFile file(store_, AppIniFileName);
  const std::string section = WindowSection();
  // Each value is applied as soon as it is read, and the next one's default is the window as
  // it then stands. Sizes are stored in 96-dpi units and shown at the window's resolution, which
  // a new position may have changed (another monitor); positions are screen pixels.
  const auto applyPosition = [&](int Bounds::*field, const char* key) {
    Bounds bounds = host_.FormBounds();
    bounds.*field = file.ReadInteger(section, key, bounds.*field);
    ApplyBounds(bounds);
  };
  const auto applySize = [&](int Bounds::*field, const char* key) {
    const int dpi = host_.Dpi();
    Bounds bounds = host_.FormBounds();
    bounds.*field =
        ScaleFromDesign(file.ReadInteger(section, key, ScaleToDesign(bounds.*field, dpi)), dpi);
    ApplyBounds(bounds);
  };
  applyPosition(&Bounds::left, "Left");
  applyPosition(&Bounds::top, "Top");
  applySize(&Bounds::width, "Width");
  applySize(&Bounds::height, "Height");
  const int dpi = host_.Dpi();
  for (int column = 0; column < list_.ColumnCount(); ++column) {
    const int stored =
        file.ReadInteger(section, ColumnKey(column), ScaleToDesign(list_.ColumnWidth(column), dpi));
    list_.SetColumnWidth(column, ScaleFromDesign(stored, dpi));
  }
  MinimizeToTray = ReadMinimizeToTray(file);
  HotKeyCode = static_cast<std::uint8_t>(file.ReadInteger(section, "HotKeyCode", 0));
  LoadIgnoreList(file, IgnoreSection(), IgnoreList, collation_);
}

void WindowSettings::LoadMinimizeToTray() {
  MinimizeToTray = ReadMinimizeToTray(TIniFile(store_, AppIniFileName));
}

void WindowSettings::Save() {
  TIniFile file(store_, AppIniFileName);
  const std::string section = WindowSection();
  // At the resolution the window has now: a window moved to a monitor of another one before
  // closing stores the sizes it shows there, in 96-dpi units.
  const int dpi = host_.Dpi();
  const Bounds bounds = host_.FormBounds();
  file.WriteInteger(section, "Left", bounds.left);
  file.WriteInteger(section, "Top", bounds.top);
  file.WriteInteger(section, "Width", ScaleToDesign(bounds.width, dpi));
  file.WriteInteger(section, "Height", ScaleToDesign(bounds.height, dpi));
  for (int column = 0; column < list_.ColumnCount(); ++column) {
    file.WriteInteger(section, ColumnKey(column), ScaleToDesign(list_.ColumnWidth(column), dpi));
  }
  file.WriteBool(section, "MinimizeToTray", MinimizeToTray);
  file.WriteInteger(section, "HotKeyCode", HotKeyCode);
  file.UpdateFile();
}

void WindowSettings::SaveIgnoreList() {
  TIniFile file(store_, AppIniFileName);
  tarvex::SaveIgnoreList(file, IgnoreSection(), IgnoreList);
}

bool WindowSettings::MayCloseUnsaved(std::exception_ptr failure) {
  FailureSink(boxes_).ApplicationEvents1Exception(std::move(failure));
  return boxes_.Show(kCloseWithoutSavingQuestion, AppTitle, BoxKind::kWarningYesNo) ==
         BoxAnswer::kYes;
}

}  // namespace tarvex
