// The .ico layout from any pair of bitmap descriptions: the size it announces is
// the size it writes, the header agrees with it, every row lands where it belongs,
// and nothing is read or written outside the buffers (exact-size heap blocks).
// Input: per bitmap a mode byte (bit 0: any 32-bit values, else small ones; for the
// mask bit 1: the colour's width and height), the fields; the rest is pixel bytes.

#include <memory>
#include <vector>

#include "fuzz_input.h"
#include "icons/ico_layout.h"

namespace {

const uint64_t HEADERS = 62;
const uint64_t MAX_FILE = 16u * 1024u * 1024u;

BitmapShape TakeShape(FuzzInput& input, const BitmapShape* color) {
  static const uint16_t depths[8] = {0, 1, 4, 8, 16, 24, 32, 33};
  uint8_t mode = input.Byte();
  BitmapShape shape;
  if (mode & 1) {
    shape = {input.I32(), input.I32(), input.I32(), input.U16(), input.U16()};
  } else {
    shape.width = input.InRange(-1, 257);
    shape.height = input.InRange(-1, 257);
    shape.widthBytes = input.InRange(-1, 254) * 4 + input.InRange(-3, 3);
    shape.planes = static_cast<uint16_t>(input.InRange(0, 2));
    shape.bitsPixel = depths[input.Byte() % 8];
  }
  if (color != nullptr && (mode & 2)) {
    shape.width = color->width;
    shape.height = color->height;
  }
  return shape;
}

bool Usable(const BitmapShape& b) {
  if (b.width <= 0 || b.height <= 0 || b.planes == 0 || b.bitsPixel == 0 || b.widthBytes < 0) {
    return false;
  }
  return uint64_t(b.widthBytes) * 8 >= uint64_t(b.width) * b.planes * b.bitsPixel;
}

uint64_t Padded(const BitmapShape& b) { return (uint64_t(b.widthBytes) + 3) / 4 * 4; }

uint32_t U32At(const std::vector<uint8_t>& out, size_t at) {
  return out[at] | out[at + 1] << 8 | out[at + 2] << 16 | uint32_t(out[at + 3]) << 24;
}
uint32_t U16At(const std::vector<uint8_t>& out, size_t at) { return out[at] | out[at + 1] << 8; }

std::vector<uint8_t> Rows(FuzzInput& input, const BitmapShape& b) {
  std::vector<uint8_t> rows(size_t(b.widthBytes) * size_t(b.height));
  for (size_t i = 0; i < rows.size(); ++i)
    rows[i] = input.Empty() ? uint8_t(i * 7 + 1) : input.Byte();
  return rows;
}

// Bottom row first, each row padded with zeros to a multiple of 4.
void CheckPlane(const std::vector<uint8_t>& out, size_t at, const BitmapShape& b,
                const std::vector<uint8_t>& rows) {
  size_t rowBytes = size_t(b.widthBytes), padded = size_t(Padded(b));
  for (size_t k = 0; k < size_t(b.height); ++k) {
    const uint8_t* row = rows.data() + (size_t(b.height) - 1 - k) * rowBytes;
    for (size_t i = 0; i < padded; ++i) {
      Check(out[at + k * padded + i] == (i < rowBytes ? row[i] : 0), "rows bottom first, padded");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  BitmapShape color = TakeShape(input, nullptr);
  BitmapShape mask = TakeShape(input, &color);

  size_t total = IcoFileBytes(color, mask);
  bool usable =
      Usable(color) && Usable(mask) && mask.width == color.width && mask.height == color.height;
  uint64_t expected = usable ? HEADERS + Padded(color) * uint64_t(color.height) +
                                   Padded(mask) * uint64_t(mask.height)
                             : 0;
  Check(total == (expected <= MAX_FILE ? expected : 0), "file size from the two planes");
  if (total == 0) {
    uint8_t spare[64];
    Check(LayOutIcoFile(color, spare, mask, spare, spare, sizeof spare) == 0,
          "unusable shapes write nothing");
    return 0;
  }
  Check(total == HEADERS + PlaneBytes(color) + PlaneBytes(mask), "plane sizes add up");

  std::vector<uint8_t> colorRows = Rows(input, color);
  std::vector<uint8_t> maskRows = Rows(input, mask);
  std::vector<uint8_t> shorter(total - 1);
  Check(LayOutIcoFile(color, colorRows.data(), mask, maskRows.data(), shorter.data(),
                      shorter.size()) == 0,
        "a buffer one byte short is refused");
  std::vector<uint8_t> out(total);
  size_t written = LayOutIcoFile(color, colorRows.data(), mask, maskRows.data(), out.data(), total);
  Check(written == total, "bytes written are the bytes announced");

  Check(U16At(out, 0) == 0 && U16At(out, 2) == 1 && U16At(out, 4) == 1, "one icon image");
  Check(out[6] == uint8_t(color.width) && out[7] == uint8_t(color.height), "entry size");
  Check(U16At(out, 10) == color.planes && U16At(out, 12) == color.bitsPixel, "entry depth");
  Check(U32At(out, 14) + U32At(out, 18) == total && U32At(out, 18) == 22,
        "entry's image size and offset reach the end of the file");
  Check(U32At(out, 22) == 40 && U32At(out, 26) == uint32_t(color.width) &&
            U32At(out, 30) == uint32_t(color.height) * 2,
        "bitmap header: colour and mask heights together");
  Check(U32At(out, 42) + HEADERS == total, "bitmap header's image size");
  CheckPlane(out, HEADERS, color, colorRows);
  CheckPlane(out, HEADERS + Padded(color) * size_t(color.height), mask, maskRows);
  return 0;
}
