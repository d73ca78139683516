// The single-image .ico file the icon cache stores.

#include "icons/ico_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Rows top row first; every byte non-zero and tied to its row, so a row in the
// wrong place or a padding byte taken from the data shows.
Bytes MakeRows(const BitmapShape& shape, int tag) {
  Bytes rows(static_cast<size_t>(shape.widthBytes) * shape.height);
  for (size_t i = 0; i < rows.size(); ++i) {
    rows[i] =
        static_cast<uint8_t>(1 + (tag + i / shape.widthBytes * 31 + i % shape.widthBytes) % 255);
  }
  return rows;
}

// A plane as it must appear on disk: bottom row first, each row zero-padded.
void AppendPlane(Bytes& file, const BitmapShape& shape, const Bytes& rows, size_t padded) {
  for (int32_t r = shape.height - 1; r >= 0; --r) {
    auto row = rows.begin() + static_cast<size_t>(r) * shape.widthBytes;
    file.insert(file.end(), row, row + shape.widthBytes);
    file.resize(file.size() + padded - shape.widthBytes, 0);
  }
}

TEST(IcoLayout, WritesDirectoryEntryHeaderAndBothPlanes) {
  struct Case {
    const char* name;
    BitmapShape color, mask;
    uint32_t colorPlane, maskPlane;
    size_t fileBytes;
    uint8_t entry[4];  // width, height, colour count, reserved
  };
  const Case cases[] = {
      {"32x32, 32 bits", {32, 32, 128, 1, 32}, {32, 32, 4, 1, 1}, 4096, 128, 4286, {32, 32, 0}},
      {"mask rows of 2", {16, 16, 64, 1, 32}, {16, 16, 2, 1, 1}, 1024, 64, 1150, {16, 16, 0}},
      {"mask rows of 6", {48, 48, 192, 1, 32}, {48, 48, 6, 1, 1}, 9216, 384, 9662, {48, 48, 0}},
      {"4 bits a pixel", {16, 16, 8, 1, 4}, {16, 16, 2, 1, 1}, 128, 64, 254, {16, 16, 16}},
      {"1 bit a pixel", {16, 16, 2, 1, 1}, {16, 16, 2, 1, 1}, 64, 64, 190, {16, 16, 2}},
      {"8 bits a pixel", {16, 16, 16, 1, 8}, {16, 16, 2, 1, 1}, 256, 64, 382, {16, 16, 0}},
      {"256x256", {256, 256, 1024, 1, 32}, {256, 256, 32, 1, 1}, 262144, 8192, 270398, {0, 0, 0}},
      {"not square, odd rows", {3, 2, 10, 1, 24}, {3, 2, 2, 1, 1}, 24, 8, 94, {3, 2, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(PlaneBytes(c.color), c.colorPlane);
    ASSERT_EQ(PlaneBytes(c.mask), c.maskPlane);
    ASSERT_EQ(IcoFileBytes(c.color, c.mask), c.fileBytes);
    const Bytes colorRows = MakeRows(c.color, 0), maskRows = MakeRows(c.mask, 100);
    Bytes out(c.fileBytes + 4, 0xEE);
    const uint8_t *colorData = colorRows.data(), *maskData = maskRows.data();
    EXPECT_EQ(LayOutIcoFile(c.color, colorData, c.mask, maskData, out.data(), c.fileBytes - 1), 0u);
    ASSERT_EQ(LayOutIcoFile(c.color, colorData, c.mask, maskData, out.data(), out.size()),
              c.fileBytes);
    EXPECT_EQ(out[c.fileBytes], 0xEE);  // nothing beyond the file

    Bytes header;
    auto put = [&header](uint32_t value, int bytes) {
      for (int i = 0; i < bytes; ++i) header.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    const uint32_t image = c.colorPlane + c.maskPlane;
    const uint16_t planes = c.color.planes, bits = c.color.bitsPixel;
    put(0, 2), put(1, 2), put(1, 2);
    header.insert(header.end(), c.entry, c.entry + 4);
    put(planes, 2), put(bits, 2), put(40 + image, 4), put(22, 4);
    put(40, 4), put(c.color.width, 4), put(c.color.height * 2, 4), put(planes, 2), put(bits, 2);
    put(0, 4), put(image, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 62), header);

    Bytes planeBytes;
    AppendPlane(planeBytes, c.color, colorRows, c.colorPlane / c.color.height);
    AppendPlane(planeBytes, c.mask, maskRows, c.maskPlane / c.mask.height);
    EXPECT_EQ(Bytes(out.begin() + 62, out.begin() + c.fileBytes), planeBytes);
  }
}

TEST(IcoLayout, RefusesShapesThatAreNoUsableIcon) {
  const BitmapShape color = {32, 32, 128, 1, 32}, mask = {32, 32, 4, 1, 1};
  struct Case {
    const char* name;
    BitmapShape color, mask;
    size_t fileBytes;
  };
  const Case cases[] = {
      {"zero width", {0, 32, 128, 1, 32}, {0, 32, 4, 1, 1}, 0},
      {"negative width", {-32, 32, 128, 1, 32}, {-32, 32, 4, 1, 1}, 0},
      {"zero height", {32, 0, 128, 1, 32}, {32, 0, 4, 1, 1}, 0},
      {"negative height", {32, -32, 128, 1, 32}, {32, -32, 4, 1, 1}, 0},
      {"no planes", {32, 32, 128, 0, 32}, mask, 0},
      {"no bits", {32, 32, 128, 1, 0}, mask, 0},
      {"negative row length", {32, 32, -128, 1, 32}, mask, 0},
      {"colour rows too short", {32, 32, 127, 1, 32}, mask, 0},
      {"rows too short for two planes", {32, 32, 128, 2, 32}, mask, 0},
      {"mask rows too short", color, {32, 32, 3, 1, 1}, 0},
      {"mask of another size", color, {32, 16, 4, 1, 1}, 0},
      {"largest file within 16 MiB", {1, 1, 16777148, 1, 8}, {1, 1, 4, 1, 1}, 16777214},
      {"next size over 16 MiB", {1, 1, 16777149, 1, 8}, {1, 1, 4, 1, 1}, 0},
      // 65536 * 65537 wraps to 65536 in 32 bits.
      {"plane size beyond 32 bits", {1, 65537, 65536, 1, 8}, {1, 65537, 4, 1, 1}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IcoFileBytes(c.color, c.mask), c.fileBytes);
  }
  Bytes rows(4096), out(8192);
  EXPECT_EQ(LayOutIcoFile({0, 32, 128, 1, 32}, &rows[0], mask, &rows[0], &out[0], out.size()), 0u);
}

}  // namespace
