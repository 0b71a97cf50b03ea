// The main window's settings in the settings file: where the window stands, its size and its
// columns' widths, the two options and the ignore list. Read at the first show, written at the
// close and at the end of the session; the ignore list also whenever its dialog changed it.
#pragma once

#include <exception>

#include "app/views.h"
#include "services/text_collation.h"
#include "services/ui_services.h"
#include "settings/profile_store.h"

namespace tarvex {

inline constexpr const char* kCloseWithoutSavingQuestion =
    "The settings could not be saved.\rClose without saving? The settings of this run will be "
    "lost.";

class WindowSettings {
 public:
  WindowSettings(ProfileStore& store, FormHost& host, ListViewPort& list,
                 const TextCollation& collation, MessageBoxes& boxes)
      : store_(store), host_(host), list_(list), collation_(collation), boxes_(boxes) {}

  // Reads every setting and applies it to the window, its columns, the options and the ignore
  // list.
  void Load();
  // Reads the one option a minimized start needs: where the program goes.
  void LoadMinimizeToTray();
  // Writes the window's place and sizes, its columns' widths and the options.
  void Save();
  void SaveIgnoreList();
  // A close whose save failed: the error box says why, and the user may still close without
  // saving. Whether the window may close.
  bool MayCloseUnsaved(std::exception_ptr failure);

 private:
  void ApplyBounds(Bounds bounds);

  ProfileStore& store_;
  FormHost& host_;
  ListViewPort& list_;
  const TextCollation& collation_;
  MessageBoxes& boxes_;
};

}  // namespace tarvex
