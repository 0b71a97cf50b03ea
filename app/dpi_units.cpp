#include "app/dpi_units.h"

#include <cstdint>
#include <limits>

namespace tarvex {

int ScaleBetweenDpis(int value, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return value;
  // Wide enough for any int times any int.
  const std::int64_t product = static_cast<std::int64_t>(value) * toDpi;
  const std::int64_t half = fromDpi / 2;
  const std::int64_t rounded =
      product >= 0 ? (product + half) / fromDpi : -((-product + half) / fromDpi);
  constexpr std::int64_t kLowest = std::numeric_limits<int>::min();
  constexpr std::int64_t kHighest = std::numeric_limits<int>::max();
  return static_cast<int>(rounded < kLowest ? kLowest : rounded > kHighest ? kHighest : rounded);
}

}  // namespace tarvex
