// Where a button's icon comes from, the name of its cache file, and the
// single-image .ico file the cache stores.

#include <vector>

#include "icons/ico_layout.h"
#include "icons/icon_rules.h"
#include "unit_test.h"

TEST(IconRules, ResolveIconSourceSplitsTheLocationAndCutsArguments) {
  const Text longCommand = u"C:\\" + Text(300, u'x');
  const struct {
    const WideChar *icon, *command;
    Text path;
    int32_t index;
  } cases[] = {
      {u"", u"C:\\Tools\\app.exe %1", u"C:\\Tools\\app.exe", 0},
      {u"", u"C:\\a.bat b.exe c", u"C:\\a.bat", 0},  // the earliest extension wins
      {u"C:\\W\\shell32.dll,4", u"C:\\x.exe", u"C:\\W\\shell32.dll", 4},
      {u"C:\\s.dll,-21", u"", u"C:\\s.dll", -21},
      {u"\"C:\\My Icons\\a.ico\",2", u"", u"C:\\My Icons\\a.ico", 2},
      {u"  C:\\a.dll  ,5", u"", u"C:\\a.dll", 5},
      {u"", longCommand.c_str(), longCommand.substr(0, 259), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(Text(c.icon) + u" / " + c.command));
    IconSource source = {{u'?'}, 99};
    ResolveIconSource(c.icon, c.command, source);
    EXPECT_EQ(Text(source.path), c.path);
    EXPECT_EQ(source.index, c.index);
  }
}

TEST(IconRules, IconCachePathNamesTheFileOrRefuses) {
  const Text folder249(249, u'f');
  // The expected path empty: refused.
  const struct {
    const char* name;
    Text folder;
    const WideChar* source;
    int32_t index;
    Text path;
  } cases[] = {
      {"program, index 0", u"C:\\c", u"C:\\Tools\\viewer.exe", 0, u"C:\\c\\viewer.exe.ico"},
      {"folder ending in a backslash", u"D:\\", u"C:\\x\\a.exe", 0, u"D:\\a.exe.ico"},
      {"caching off", u"", u"C:\\a.exe", 0, u""},
      {"exactly 259 units fit", folder249, u"C:\\a.exe", 0, folder249 + u"\\a.exe.ico"},
      {"260 units refused", folder249 + u"f", u"C:\\a.exe", 0, u""},
      {"index suffix over the limit", folder249, u"C:\\a.exe", 1, u""},
      {"a folder source is not cached", u"C:\\c", u"D:\\Projects\\", 0, u""},
      {"nor one that would leave the cache", u"C:\\c", u"C:\\Tools\\..\\", 0, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    IconSource source = {{}, c.index};
    ASSERT_TRUE(CopyText(source.path, c.source));
    WideChar cachePath[ICON_PATH_CAPACITY] = {u'?'};
    EXPECT_EQ(IconCachePath(c.folder.c_str(), source, cachePath), !c.path.empty());
    EXPECT_EQ(Text(cachePath), c.path);
  }
}

using Bytes = std::vector<uint8_t>;

// Rows top row first, every byte non-zero and none repeating within 251, so a row
// in the wrong place or a padding byte taken from the data shows.
Bytes MakeRows(const BitmapShape& shape, int tag) {
  Bytes rows(static_cast<size_t>(shape.widthBytes) * shape.height);
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<uint8_t>(1 + (tag + i) % 251);
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
  const struct {
    BitmapShape color, mask;
    uint32_t colorPlane, maskPlane;
    size_t fileBytes;
    uint8_t entry[4];  // width, height, colour count, reserved
  } cases[] = {
      {{16, 16, 8, 1, 4}, {16, 16, 2, 1, 1}, 128, 64, 254, {16, 16, 16}},
      {{256, 256, 1024, 1, 32}, {256, 256, 32, 1, 1}, 262144, 8192, 270398, {0, 0, 0}},
      {{3, 2, 10, 1, 24}, {3, 2, 2, 1, 1}, 24, 8, 94, {3, 2, 0}},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(IcoFileBytes(c.color, c.mask), c.fileBytes);
    const Bytes colorRows = MakeRows(c.color, 0), maskRows = MakeRows(c.mask, 100);
    Bytes out(c.fileBytes + 4, 0xEE);
    EXPECT_EQ(LayOutIcoFile(c.color, colorRows.data(), c.mask, maskRows.data(), out.data(),
                            c.fileBytes - 1),
              0u);
    ASSERT_EQ(
        LayOutIcoFile(c.color, colorRows.data(), c.mask, maskRows.data(), out.data(), out.size()),
        c.fileBytes);
    EXPECT_EQ(out[c.fileBytes], 0xEE);  // nothing beyond the file

    Bytes expected;
    auto put = [&expected](uint32_t value, int bytes) {
      for (int i = 0; i < bytes; ++i) expected.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    const uint32_t image = c.colorPlane + c.maskPlane;
    const uint16_t planes = c.color.planes, bits = c.color.bitsPixel;
    put(0, 2), put(1, 2), put(1, 2);
    expected.insert(expected.end(), c.entry, c.entry + 4);
    put(planes, 2), put(bits, 2), put(40 + image, 4), put(22, 4);
    put(40, 4), put(c.color.width, 4), put(c.color.height * 2, 4), put(planes, 2), put(bits, 2);
    put(0, 4), put(image, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    AppendPlane(expected, c.color, colorRows, c.colorPlane / c.color.height);
    AppendPlane(expected, c.mask, maskRows, c.maskPlane / c.mask.height);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + c.fileBytes), expected);
  }
}

