#pragma once
// Reading the fuzzer's bytes front to back as the rules' inputs, and failing loudly
// when an invariant breaks (libFuzzer keeps the input that aborted).
//
// A text is read unit by unit until a zero byte:
//   0x01 b0 b1     one raw UTF-16 unit, little-endian (a zero unit is skipped)
//   0x02..0x1F     a piece the rules look for (".exe ", "%1", "C:\\", a surrogate...)
//   0x20..0x7E     that ASCII character
//   0x7F..0xFF b   the unit (byte << 8) | b: CJK, surrogates, 0xFFFF
// so a seed is mostly readable text, and random bytes still reach every unit.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/wide_text.h"

using Text = std::basic_string<WideChar>;

// A little beyond the platform's longest command line (32,767 units).
constexpr size_t COMMAND_LINE_UNITS = 32800;

inline void Check(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  bool Flag() { return (Byte() & 1) != 0; }
  // Each byte read in its own statement: the order of operands is unspecified.
  uint16_t U16() {
    uint16_t low = Byte();
    return static_cast<uint16_t>(low | (Byte() << 8));
  }
  int32_t I32() {
    uint32_t low = U16();
    return static_cast<int32_t>(low | (static_cast<uint32_t>(U16()) << 16));
  }
  // A value in lo..hi taken from one byte: the small ranges the rules see.
  int InRange(int lo, int hi) { return lo + Byte() % (hi - lo + 1); }
  bool Empty() const { return size_ == 0; }

  Text TakeText(size_t maxUnits) {
    Text text;
    while (text.size() < maxUnits) {
      uint8_t b = Byte();
      if (b == 0) break;
      if (b == 0x01) {
        WideChar unit = static_cast<WideChar>(U16());
        if (unit != 0) text += unit;
      } else if (b < 0x20) {
        text += Piece(b - 0x02);
      } else if (b < 0x7F) {
        text += static_cast<WideChar>(b);
      } else {
        text += static_cast<WideChar>((b << 8) | Byte());
      }
    }
    return text.substr(0, maxUnits);
  }

  // A text, then two bytes: a nonzero length repeats the text cyclically to that
  // many units, so the platform's limits (32,767 units) are in reach of small inputs.
  Text TakeLongText(size_t maxUnits) {
    Text text = TakeText(maxUnits);
    size_t length = U16();
    if (length == 0) return text;
    if (text.empty()) text = WIDE("a");
    Text longer;
    while (longer.size() < length && longer.size() < maxUnits) longer += text;
    return longer.substr(0, length < maxUnits ? length : maxUnits);
  }

 private:
  static Text Piece(int index) {
    static const WideChar* const pieces[30] = {
        WIDE("%1"),     WIDE(".exe "),  WIDE(".cmd "),  WIDE(".bat "),  WIDE(".lnk "),
        WIDE(".exe"),   WIDE(".cmd"),   WIDE(".ico"),   WIDE("C:\\"),   WIDE("\\\\"),
        WIDE(":\\"),    WIDE("\""),     WIDE("\t"),     WIDE("\u3000"), WIDE("\u00A0"),
        WIDE("\u00E9"), WIDE("\u65E5"), WIDE("\xD83D"), WIDE("\xDE00"), WIDE("\xFFFF"),
        WIDE(".CMD"),   WIDE(".ICO"),   WIDE("ON"),     WIDE("OFF"),    WIDE("["),
        WIDE("]"),      WIDE("="),      WIDE("\r\n"),   WIDE(".."),     WIDE("-2147483648"),
    };
    return pieces[index];
  }

  const uint8_t* data_;
  size_t size_;
};

// The text in a buffer of exactly its length plus terminator, so that AddressSanitizer
// catches a rule reading past the terminator.
inline std::vector<WideChar> Terminated(const Text& text) {
  std::vector<WideChar> units(text.size() + 1);
  text.copy(units.data(), text.size());
  units[text.size()] = 0;
  return units;
}

// A fixed output buffer alone on the heap, so that AddressSanitizer catches a write
// past its end (inside a larger struct it would land in the next field unseen).
template <size_t Capacity>
struct HeapBuffer {
  WideChar units[Capacity];
};

// The text a fixed buffer holds; its terminator must lie inside the buffer (a
// neighbouring field would otherwise be read as part of it).
template <size_t Capacity>
Text TextIn(const WideChar (&buffer)[Capacity]) {
  size_t length = 0;
  while (length < Capacity && buffer[length] != 0) ++length;
  Check(length < Capacity, "text terminated within its buffer");
  return Text(buffer, length);
}

// Fills a buffer with a non-zero pattern, so an output left unterminated shows.
template <size_t Capacity>
void Scribble(WideChar (&buffer)[Capacity]) {
  for (WideChar& unit : buffer) unit = 0xAAAA;
}

// Plain copy of a text into a fixed buffer, cut as the program's bounded copies cut.
template <size_t Capacity>
void Put(WideChar (&buffer)[Capacity], const Text& text) {
  CopyText(buffer, Terminated(text).data());
}

inline bool HasPrefix(const Text& text, const Text& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}
