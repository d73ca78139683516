#include "common/display_scale.h"

int ScaleToDpi(int logicalPixels, int dpi) {
  long long scaled = static_cast<long long>(logicalPixels) * dpi;
  return static_cast<int>((scaled + BASE_DPI / 2) / BASE_DPI);
}
