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
  void Clear() override {
    rows.clear();
    selected = -1;
  }
  void Append(const ListRow& row) override { rows.push_back(row); }
  void SetChecked(int index, bool checked) override {
    rows.at(static_cast<std::size_t>(index)).checked = checked;
  }
  void SetSelected(int index) override { selected = index; }
  void ShowRows(const std::vector<ListRow>& shown, int selectedRow) override {
    rows = shown;
    selected = selectedRow;
  }

  int ColumnCount() const override { return static_cast<int>(columns.size()); }
  int ColumnWidth(int column) const override {
    return columns.at(static_cast<std::size_t>(column));
  }
  void SetColumnWidth(int column, int width) override {
    columns.at(static_cast<std::size_t>(column)) = width;
  }

  int updateDepth = 0;
  std::vector<int> columns = {130, 67};
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

class FakeHost final : public FormHost, public WebBrowser {
 public:
  void Close() override { ++closed; }
  void SetApplicationTitle(const std::string& text) override { applicationTitle = text; }
  Bounds FormBounds() const override { return bounds; }
  void SetFormBounds(const Bounds& newBounds) override {
    bounds = newBounds;
    boundsSet.push_back(newBounds);
  }
  ScreenSize PrimaryScreen() const override { return screen; }
  int Dpi() const override { return dpi; }
  void OpenAddress(const std::string& address) override { opened.push_back(address); }

  Bounds bounds = {192, 103, 321, 246};
  std::vector<Bounds> boundsSet;
  ScreenSize screen = {1280, 800};
  int dpi = 96;
  int closed = 0;
  std::string applicationTitle;
  std::vector<std::string> opened;
};

}  // namespace tarvex::sim
