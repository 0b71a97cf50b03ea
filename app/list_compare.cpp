#include "app/list_compare.h"

#include <cstdlib>
#include <string>

#include "base/format.h"

namespace tarvex {
namespace {

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

// Process ids compare as text after zero-padding to five digits, so they sort as numbers only
// up to 99999.
std::string PaddedProcessId(const std::string& text) {
  return Format("%.5lld", std::strtoll(text.c_str(), nullptr, 10));
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const int fa = FoldAscii(static_cast<unsigned char>(a[i]));
    const int fb = FoldAscii(static_cast<unsigned char>(b[i]));
    if (fa != fb) return fa - fb;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int SortKeyAfterClick(int tag, int column) {
  const int key = column == 0 ? 1 : 2;
  return std::abs(tag) == key ? -tag : key;
}

int ListView1Compare(const ListRow& item1, const ListRow& item2, int tag) {
  if (std::abs(tag) == 2) {
    const std::string first = PaddedProcessId(item1.processId);
    const std::string second = PaddedProcessId(item2.processId);
    return tag == -2 ? CompareText(second, first) : CompareText(first, second);
  }
  return tag == -1 ? CompareText(item2.caption, item1.caption)
                   : CompareText(item1.caption, item2.caption);
}

}  // namespace tarvex
