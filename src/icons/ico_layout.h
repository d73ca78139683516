#pragma once
// The single-image .ico file the icon cache stores: icon directory, one entry, a
// BITMAPINFOHEADER, then the colour and the mask plane, each bottom row first and
// every row padded to 4 bytes. Every value comes from the icon's two bitmaps;
// nothing is scaled or converted.

#include <cstddef>
#include <cstdint>

// One bitmap as the platform describes it.
struct BitmapShape {
  int32_t width;
  int32_t height;
  int32_t widthBytes;  // bytes of one row as the platform returns the rows
  uint16_t planes;
  uint16_t bitsPixel;
};

// widthBytes rounded up to a multiple of 4.
uint32_t PaddedRowBytes(const BitmapShape& bitmap);
// Padded row bytes times height.
uint32_t PlaneBytes(const BitmapShape& bitmap);
// 62 + both planes, or 0 when the shapes are not a usable icon (negative or zero
// sizes, rows shorter than the pixels need, or a file over 16 MiB).
size_t IcoFileBytes(const BitmapShape& color, const BitmapShape& mask);

// Lays out the file into out (capacity at least IcoFileBytes). colorRows and
// maskRows hold each bitmap's rows top row first, widthBytes each. Returns the
// bytes written, or 0 when the shapes are unusable or out is too small.
size_t LayOutIcoFile(const BitmapShape& color, const uint8_t* colorRows, const BitmapShape& mask,
                     const uint8_t* maskRows, uint8_t* out, size_t capacity);
