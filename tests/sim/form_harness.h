// Everything a TFormMain needs, simulated: the desktop, the views, a settings file in memory
// kept by the real profile grammar, and dialogs that answer from a script.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "app/form_main.h"
#include "app/kelvo_apps.h"
#include "settings/file_profile_store.h"
#include "settings/ignore_list.h"
#include "settings/options.h"
#include "sim/fake_tray.h"
#include "sim/fake_views.h"
#include "sim/simulated_desktop.h"

namespace tarvex::sim {

class MemoryTextFiles final : public TextFiles {
 public:
  FileContent Read(const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end()) return {FileContent::kMissing, {}};
    return {FileContent::kRead, it->second};
  }
  bool Replace(const std::string& path, const std::string& text) override {
    if (readOnly) return false;
    files[path] = text;
    return true;
  }
  std::map<std::string, std::string> files;
  bool readOnly = false;
};

class ScriptedInputBox final : public InputBox {
 public:
  std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                 const std::string& initial) override {
    asked.push_back(caption + "|" + prompt + "|" + initial);
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::optional<std::string>> answers;
  std::vector<std::string> asked;
};

// Plays the user's part in the ignore list dialog, then closes it with OK or Cancel.
class ScriptedIgnoreListDialog final : public IgnoreListDialogView {
 public:
  bool ShowModal(TDlgIgnoreList& dialog) override {
    ++shown;
    if (user) user(dialog);
    return ok;
  }
  std::function<void(TDlgIgnoreList&)> user;
  bool ok = true;
  int shown = 0;
};

// Plays the user's part in the options dialog, then closes it with OK or Cancel.
class ScriptedOptionsDialog final : public OptionsDialogView {
 public:
  bool ShowModal(TDlgOptions& dialog) override {
    ++shown;
    if (user) user(dialog);
    return ok;
  }
  std::function<void(TDlgOptions&)> user;
  bool ok = true;
  int shown = 0;
};

inline constexpr const char* kSettingsFile = "C:\\WINDOWS\\KelvoApps.ini";

// A fresh program run: the module values start over as they would in a new process.
struct FormHarness {
  FormHarness() {
    IgnoreList.Replace({});
    MinimizeToTray = false;
    HotKeyCode = 0;
    AppIniFileName = kSettingsFile;
    application.onMinimized = [this] { form.ApplicationEvents1Minimize(); };
    application.onRestored = [this] { form.ApplicationEvents1Restore(); };
  }
  ~FormHarness() { IgnoreList.Replace({}); }
  std::string& SettingsText() { return files.files[kSettingsFile]; }

  SimulatedDesktop desktop;
  FakeListView view;
  FakeStatusBar status;
  FakeHost host;
  MemoryTextFiles files;
  FileProfileStore settings{files};
  ScriptedIgnoreListDialog ignoreListDialog;
  ScriptedInputBox inputBox;
  ScriptedOptionsDialog optionsDialog;
  FakeTrayShell trayShell;
  RecordingHotKeys hotKeys;
  SimApplicationWindow application;
  TFormMain form{{desktop.Platform(), desktop, view, status, host, host, settings, ignoreListDialog,
                  inputBox, optionsDialog, trayShell, hotKeys, application, desktop}};
};

}  // namespace tarvex::sim
