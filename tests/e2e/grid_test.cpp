// The highlight and the status bar follow the pointer, once it really moves.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

// Twelve slots titled "slot 0" .. "slot 11".
std::wstring NumberedSlots(const wchar_t* options) {
  std::wstring settings = std::wstring(L"[SystemSetting]\r\n") + options + L"\r\n[.txt]\r\n";
  for (int slot = 0; slot < 12; ++slot) {
    settings += L"title" + std::to_wstring(slot + 1) + L"=slot " + std::to_wstring(slot) + L"\r\n";
  }
  return settings;
}

bool Selected(const Session& s, int slot) {
  return WaitUntil([&] {
    return s.Status() == L"slot " + std::to_wstring(slot) && s.Highlighted() == std::vector<int>{slot};
  }, 3000);
}

}  // namespace

// The window opens centred on a resting pointer: slot 0 stays selected until the
// pointer really moves onto another button; the status bar selects nothing.
TEST(Grid, HoverSelectsOnlyOnceThePointerMoves) {
  Session s(NumberedSlots(L"onMouse=ON"));
  SetCursorPos(400, 300);
  ASSERT_NE(s.Open(), nullptr);
  ASSERT_NE(GetDlgCtrlID(WindowFromPoint(POINT{400, 300})), 1000) << "the pointer rests over another button";
  Sleep(800);
  EXPECT_TRUE(Selected(s, 0));
  for (int slot : {5, 10}) {
    // Wine now and then loses the first move into a fresh window; a user moves on.
    bool selected = false;
    for (int nudge = 0; nudge < 3 && !selected; ++nudge) {
      MoveMouseTo(POINT{CentreOf(s.Button(slot)).x + nudge, CentreOf(s.Button(slot)).y});
      selected = Selected(s, slot);
    }
    EXPECT_TRUE(selected) << slot;
  }
  MoveMouseTo(CentreOf(GetDlgItem(s.window, 3500)));
  Sleep(200);
  EXPECT_EQ(s.Status(), L"slot 10");
  EXPECT_EQ(s.Close(), 0u);
}
