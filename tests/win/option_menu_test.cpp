// The menus the program carries, read from Pivora64.exe itself, and their check marks.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "settings/option_menu_win.h"

namespace {

HMODULE LauncherResources() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder = folder.substr(0, folder.rfind(L'\\'));
  return LoadLibraryExW((folder + L"\\Pivora64.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

struct Item {
  UINT id;  // 0 for a separator
  std::wstring text;
  bool operator==(const Item& other) const { return id == other.id && text == other.text; }
};

std::vector<Item> ItemsOf(HMENU menu) {
  std::vector<Item> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    items.push_back({GetMenuItemID(menu, i), text});
  }
  return items;
}

}  // namespace

TEST(Menus, CarryTheirItemsAndChecksFollowTheOptions) {
  HMODULE module = LauncherResources();
  ASSERT_NE(module, nullptr);
  HMENU slotResource = LoadMenuW(module, SLOT_MENU_NAME);
  HMENU optionResource = LoadMenuW(module, OPTION_MENU_NAME);
  ASSERT_NE(slotResource, nullptr);
  ASSERT_NE(optionResource, nullptr);
  EXPECT_EQ(ItemsOf(GetSubMenu(slotResource, 0)),
            (std::vector<Item>{{100, L"編集"}, {110, L"コピー"}, {120, L"切り取り"},
                               {130, L"貼り付け"}, {140, L"削除"}}));
  HMENU optionMenu = GetSubMenu(optionResource, 0);
  EXPECT_EQ(ItemsOf(optionMenu),
            (std::vector<Item>{{40001, L"別の拡張子にリンク"}, {0, L""}, {40005, L"最前面"},
                               {40006, L"フォーカスが外れたら閉じる"}, {40007, L"端でループする"},
                               {0, L""}, {40008, L"アイコンをキャッシュする"}}));

  SetInitialOptionChecks(optionMenu, Options{1, 0, 1, 0});
  auto checked = [&](UINT id) { return (GetMenuState(optionMenu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  EXPECT_TRUE(checked(40005));
  EXPECT_FALSE(checked(40006));
  EXPECT_TRUE(checked(40007));
  EXPECT_FALSE(checked(40008));
  EXPECT_FALSE(checked(40001));
  SetOptionCheck(optionMenu, 40005, 0);
  SetOptionCheck(optionMenu, 40008, 1);
  EXPECT_FALSE(checked(40005));
  EXPECT_TRUE(checked(40008));
  DestroyMenu(slotResource);
  DestroyMenu(optionResource);
  FreeLibrary(module);
}
