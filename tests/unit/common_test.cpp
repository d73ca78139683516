// The one case-insensitive comparison and the path rules. (Bounded copies are proven
// at the capacity edges of the rules that use them.)

#include "common/path_rules.h"
#include "common/wide_text.h"
#include "unit_test.h"

TEST(PathRules, ExtensionFileNameAndDriveAbsolute) {
  const struct {
    const WideChar *path, *extension, *fileName;
    bool absolute;
  } cases[] = {
      {u"D:\\docs\\report.final.TXT", u".TXT", u"report.final.TXT", true},
      {u"C:\\dir.x\\file", u"", u"file", true},
      {u"a.b c", u"", u"a.b c", false},
      {u"C:\\x\\.hidden", u".hidden", u".hidden", true},
      {u"a.b/c", u".b/c", u"c", false},
      {u"z:\\dir\\", u"", u"dir\\", true},
      {u"C:name", u"", u"name", false},
      {u"\\\\server\\share", u"", u"share", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(Text(c.path)));
    EXPECT_EQ(Text(FindExtension(c.path)), Text(c.extension));
    EXPECT_EQ(Text(FindFileName(c.path)), Text(c.fileName));
    EXPECT_EQ(IsDriveAbsolutePath(c.path), c.absolute);
  }
}
