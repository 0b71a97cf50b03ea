// Views that remember what the main window's logic told them.
#pragma once

#include <string>
#include <vector>

#include "app/views.h"

namespace tarvex::sim {

class FakeListView final : public ListViewPort {
 public:
  void BeginUpdate() override { ++updateDepth; }
  void EndUpdate() override { --updateDepth; }
  void Clear() override { rows.clear(); }
  void Append(const ListRow& row) override { rows.push_back(row); }
  void ShowRows(const std::vector<ListRow>& shown, int selectedRow) override {
    rows = shown;
    selected = selectedRow;
  }

  int updateDepth = 0;
  std::vector<ListRow> rows;
  int selected = -1;
};

class FakeStatusBar final : public StatusBarPort {
 public:
  void SetPanelText(int panel, const std::string& text) override {
    panels[panel] = text;
    history.push_back(text);
  }

  std::string panels[2];
  std::vector<std::string> history;
};

}  // namespace tarvex::sim
