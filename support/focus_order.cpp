#include "support/focus_order.h"

#include <algorithm>
#include <numeric>

namespace ql {

std::vector<size_t> ReadingOrder(std::span<const FocusPlace> places, int sameLine) {
  std::vector<size_t> order(places.size());
  std::iota(order.begin(), order.end(), size_t(0));
  // Lines first: each control takes the top of the first control (from the
  // top) whose line it continues, so a line's members sort by x together.
  std::vector<size_t> byTop = order;
  std::stable_sort(byTop.begin(), byTop.end(), [&](size_t a, size_t b) {
    if (places[a].group != places[b].group) return places[a].group < places[b].group;
    return places[a].y < places[b].y;
  });
  std::vector<int> lineTop(places.size());
  for (size_t k = 0; k < byTop.size(); ++k) {
    size_t i = byTop[k];
    bool continues =
        k > 0 && places[byTop[k - 1]].group == places[i].group && places[i].y - lineTop[byTop[k - 1]] <= sameLine;
    lineTop[i] = continues ? lineTop[byTop[k - 1]] : places[i].y;
  }
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (places[a].group != places[b].group) return places[a].group < places[b].group;
    if (lineTop[a] != lineTop[b]) return lineTop[a] < lineTop[b];
    return places[a].x < places[b].x;
  });
  return order;
}

int NextFocus(size_t count, int current, bool backwards) {
  if (count == 0) return -1;
  int n = static_cast<int>(count);
  if (current < 0 || current >= n) return backwards ? n - 1 : 0;
  return backwards ? (current + n - 1) % n : (current + 1) % n;
}

bool TakesKeyboardFocus(const LayoutRow& row) {
  if (row.kind == RowKind::PushButton || row.kind == RowKind::SearchBox) return true;
  if (row.kind == RowKind::Timer || row.kind == RowKind::Tools) return false;
  return IsClickable(row);
}

}  // namespace ql
