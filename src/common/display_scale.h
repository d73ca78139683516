#pragma once
// Sizes the design gives in logical pixels, those of 96 DPI (100 %), on a display
// of another scale.

constexpr int BASE_DPI = 96;

// logicalPixels * dpi / 96, rounded to the nearest pixel, halves up, as MulDiv does.
int ScaleToDpi(int logicalPixels, int dpi);
