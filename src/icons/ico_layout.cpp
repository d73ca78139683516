#include "icons/ico_layout.h"

static const size_t DIRECTORY_BYTES = 6;
static const size_t ENTRY_BYTES = 16;
static const size_t INFO_HEADER_BYTES = 40;
static const size_t HEADERS_BYTES = DIRECTORY_BYTES + ENTRY_BYTES + INFO_HEADER_BYTES;
// Far above any icon the platform hands out; keeps a bogus shape from asking for
// an absurd buffer.
static const uint64_t MAX_FILE_BYTES = 16u * 1024u * 1024u;

static uint64_t PaddedRowBytes64(const BitmapShape& bitmap) {
  if (bitmap.widthBytes <= 0) return 0;
  return (static_cast<uint64_t>(bitmap.widthBytes) + 3u) & ~static_cast<uint64_t>(3u);
}

static uint64_t PlaneBytes64(const BitmapShape& bitmap) {
  if (bitmap.height <= 0) return 0;
  return PaddedRowBytes64(bitmap) * static_cast<uint64_t>(bitmap.height);
}

uint32_t PaddedRowBytes(const BitmapShape& bitmap) {
  return static_cast<uint32_t>(PaddedRowBytes64(bitmap));
}

uint32_t PlaneBytes(const BitmapShape& bitmap) {
  uint64_t bytes = PlaneBytes64(bitmap);
  return bytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(bytes);
}

// A bitmap with pixels, and rows long enough to hold them.
static bool IsUsable(const BitmapShape& bitmap) {
  if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.planes == 0 || bitmap.bitsPixel == 0) {
    return false;
  }
  uint64_t rowBits = static_cast<uint64_t>(bitmap.width) * bitmap.planes * bitmap.bitsPixel;
  return bitmap.widthBytes >= 0 && static_cast<uint64_t>(bitmap.widthBytes) >= (rowBits + 7) / 8;
}

size_t IcoFileBytes(const BitmapShape& color, const BitmapShape& mask) {
  if (!IsUsable(color) || !IsUsable(mask)) return 0;
  // The header describes both planes by the colour bitmap's size alone.
  if (mask.width != color.width || mask.height != color.height) return 0;
  uint64_t total = HEADERS_BYTES + PlaneBytes64(color) + PlaneBytes64(mask);
  return total > MAX_FILE_BYTES ? 0 : static_cast<size_t>(total);
}

static uint8_t* PutU16(uint8_t* out, uint32_t value) {
  out[0] = static_cast<uint8_t>(value & 0xFF);
  out[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
  return out + 2;
}

static uint8_t* PutU32(uint8_t* out, uint32_t value) {
  out = PutU16(out, value & 0xFFFF);
  return PutU16(out, value >> 16);
}

// The rows bottom row first, each followed by zeros up to the padded length.
static uint8_t* PutPlane(uint8_t* out, const BitmapShape& bitmap, const uint8_t* rows) {
  size_t rowBytes = static_cast<size_t>(bitmap.widthBytes);
  size_t padded = static_cast<size_t>(PaddedRowBytes64(bitmap));
  for (int32_t r = bitmap.height - 1; r >= 0; --r) {
    const uint8_t* row = rows + static_cast<size_t>(r) * rowBytes;
    for (size_t i = 0; i < rowBytes; ++i) *out++ = row[i];
    for (size_t i = rowBytes; i < padded; ++i) *out++ = 0;
  }
  return out;
}

size_t LayOutIcoFile(const BitmapShape& color, const uint8_t* colorRows, const BitmapShape& mask,
                     const uint8_t* maskRows, uint8_t* out, size_t capacity) {
  size_t total = IcoFileBytes(color, mask);
  if (total == 0 || capacity < total || colorRows == nullptr || maskRows == nullptr ||
      out == nullptr) {
    return 0;
  }
  uint32_t imageBytes = static_cast<uint32_t>(total - HEADERS_BYTES);
  uint32_t depth = static_cast<uint32_t>(color.planes) * color.bitsPixel;
  // Below 8 bits the entry names the palette size; a shift of 8 or more keeps no low bits.
  uint8_t colorCount = color.bitsPixel < 8 && depth < 8 ? static_cast<uint8_t>(1u << depth) : 0;

  uint8_t* at = out;
  at = PutU16(at, 0);
  at = PutU16(at, 1);  // an icon, not a cursor
  at = PutU16(at, 1);

  *at++ = static_cast<uint8_t>(color.width & 0xFF);  // 256 is stored as 0
  *at++ = static_cast<uint8_t>(color.height & 0xFF);
  *at++ = colorCount;
  *at++ = 0;
  at = PutU16(at, color.planes);
  at = PutU16(at, color.bitsPixel);
  at = PutU32(at, static_cast<uint32_t>(INFO_HEADER_BYTES) + imageBytes);
  at = PutU32(at, static_cast<uint32_t>(DIRECTORY_BYTES + ENTRY_BYTES));

  at = PutU32(at, static_cast<uint32_t>(INFO_HEADER_BYTES));
  at = PutU32(at, static_cast<uint32_t>(color.width));
  // An icon's bitmap height counts the colour and the mask image together.
  at = PutU32(at, static_cast<uint32_t>(color.height) * 2u);
  at = PutU16(at, color.planes);
  at = PutU16(at, color.bitsPixel);
  at = PutU32(at, 0);  // uncompressed
  at = PutU32(at, imageBytes);
  for (int field = 0; field < 4; ++field) at = PutU32(at, 0);

  at = PutPlane(at, color, colorRows);
  at = PutPlane(at, mask, maskRows);
  return static_cast<size_t>(at - out);
}
