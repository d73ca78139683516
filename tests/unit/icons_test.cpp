// Where a button's icon comes from, the name of its cache file, and the
// single-image .ico file the cache stores.

#include <algorithm>
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
    int size = 32;
  } cases[] = {
      {"program, index 0", u"C:\\c", u"C:\\Tools\\viewer.exe", 0, u"C:\\c\\viewer.exe.ico"},
      {"48 px: its own folder", u"C:\\c", u"C:\\s.dll", -7, u"C:\\c\\48\\s.dll[-7].ico", 48},
      {"folder ending in a backslash", u"D:\\", u"C:\\x\\a.exe", 0, u"D:\\a.exe.ico"},
      {"caching off", u"", u"C:\\a.exe", 0, u""},
      {"exactly 259 units fit", folder249, u"C:\\a.exe", 0, folder249 + u"\\a.exe.ico"},
      {"260 units refused", folder249 + u"f", u"C:\\a.exe", 0, u""},
      {"index suffix over the limit", folder249, u"C:\\a.exe", 1, u""},
      {"size folder over the limit", Text(247, u'f'), u"C:\\a.exe", 0, u"", 40},
      {"a folder source is not cached", u"C:\\c", u"D:\\Projects\\", 0, u""},
      {"nor one that would leave the cache", u"C:\\c", u"C:\\Tools\\..\\", 0, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    IconSource source = {{}, c.index};
    ASSERT_TRUE(CopyText(source.path, c.source));
    WideChar cachePath[ICON_PATH_CAPACITY] = {u'?'};
    EXPECT_EQ(IconCachePath(c.folder.c_str(), source, c.size, cachePath), !c.path.empty());
    EXPECT_EQ(Text(cachePath), c.path);
  }
}

// Size, directory entry, the header's height (colour and mask together) and the
// bottom row first; beyond that the files are loaded back by Windows and icotool.
TEST(IcoLayout, WritesDirectoryEntryHeaderAndBothPlanes) {
  const struct {
    BitmapShape color, mask;
    size_t fileBytes;
    uint8_t entry[3];  // width, height, colour count
  } cases[] = {
      {{16, 16, 8, 1, 4}, {16, 16, 2, 1, 1}, 254, {16, 16, 16}},
      {{256, 256, 1024, 1, 32}, {256, 256, 32, 1, 1}, 270398, {0, 0, 0}},
      {{3, 2, 10, 1, 24}, {3, 2, 2, 1, 1}, 94, {3, 2, 0}},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(IcoFileBytes(c.color, c.mask), c.fileBytes);
    std::vector<uint8_t> color(size_t(c.color.widthBytes) * c.color.height, 0xC0);
    std::vector<uint8_t> mask(size_t(c.mask.widthBytes) * c.mask.height, 0x3A);
    color[0] = 1;  // the top row's first byte
    std::vector<uint8_t> out(c.fileBytes + 1, 0xEE);
    EXPECT_EQ(LayOutIcoFile(c.color, color.data(), c.mask, mask.data(), out.data(), c.fileBytes - 1), 0u);
    ASSERT_EQ(LayOutIcoFile(c.color, color.data(), c.mask, mask.data(), out.data(), out.size()), c.fileBytes);
    auto u32 = [&out](size_t at) { return out[at] | out[at + 1] << 8 | out[at + 2] << 16 | out[at + 3] << 24; };
    EXPECT_TRUE(std::equal(c.entry, c.entry + 3, out.begin() + 6));
    EXPECT_EQ(u32(14), int(c.fileBytes - 22)) << "the image's size";
    EXPECT_EQ(u32(30), c.color.height * 2);
    EXPECT_EQ(out[62 + size_t(c.color.widthBytes + 3) / 4 * 4 * (c.color.height - 1)], 1) << "bottom row first";
    EXPECT_EQ(out[c.fileBytes], 0xEE) << "nothing beyond the file";
  }
}
