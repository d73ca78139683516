// The launcher splits its own command line instead of calling CommandLineToArgvW;
// here both split the same lines and must agree.

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/invocation_rules.h"

namespace {

void ExpectSameSplit(const std::wstring& line) {
  int count = 0;
  wchar_t** platform = CommandLineToArgvW(line.c_str(), &count);
  ASSERT_NE(platform, nullptr);
  std::vector<wchar_t> argument(line.size() + 1);
  size_t programLength = 0;
  bool has = FirstArgumentOf(line.c_str(), programLength, argument.data(), argument.size());
  EXPECT_EQ(has, count >= 2) << "line [" << line << "]";
  if (has && count >= 2) {
    EXPECT_STREQ(argument.data(), platform[1]) << "line [" << line << "]";
  }
  EXPECT_EQ(programLength, static_cast<size_t>(lstrlenW(platform[0]))) << "line [" << line << "]";
  LocalFree(platform);
}

TEST(CommandLine, FirstArgumentSplitsAsThePlatformDoes) {
  const wchar_t* lines[] = {
      L"p.exe",
      L"p.exe ",
      L"p.exe a.txt",
      L"p.exe \t a.txt  b",
      L"\"C:\\Program Files\\p.exe\" \"C:\\a b\\c.txt\"",
      L"\"C:\\p.exe\"a.txt",
      L"\"unclosed program a.txt",
      L"p.exe \"\"",
      L"p.exe \"a\"\"b\"",
      L"p.exe \"a\"\"\"b c\"",
      L"p.exe \"\"\"\"\"\" x",
      L"p.exe a\\\\\\\"b",
      L"p.exe \"a\\\\\" b",
      L"p.exe C:\\dir\\",
      L"p.exe \"C:\\dir\\\\\"",
      L"p.exe \"C:\\dir\\\"",
      L"p.exe 日本語\xD83D\xDE00.txt",
      L"p.exe a\"b c\"d",
  };
  for (const wchar_t* line : lines) ExpectSameSplit(line);
}

// Lines drawn from the units that matter to the rules, with a fixed seed so a
// failure names a line that reproduces.
TEST(CommandLine, FirstArgumentAgreesOnGeneratedLines) {
  const wchar_t alphabet[] = {L'a', L' ', L'\t', L'"', L'\\', L'.', 0x00E9, L'"', L'\\'};
  unsigned state = 12345;
  for (int round = 0; round < 3000; ++round) {
    std::wstring line;
    int length = 1 + static_cast<int>(state % 14);
    for (int i = 0; i < length; ++i) {
      state = state * 1103515245u + 12345u;
      line += alphabet[(state >> 16) % (sizeof alphabet / sizeof alphabet[0])];
    }
    if (line.find_first_not_of(L" \t") == std::wstring::npos) continue;  // the platform names the exe
    ExpectSameSplit(line);
    if (HasFailure()) return;
  }
}

}  // namespace
