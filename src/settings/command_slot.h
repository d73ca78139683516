#pragma once
// One button's configuration and the table of all twelve.

#include <cstdint>

#include "common/wide_text.h"

constexpr int SLOT_COUNT = 12;
constexpr size_t SLOT_TEXT_CAPACITY = 260;
constexpr size_t LINK_TEXT_CAPACITY = 256;

// A plain value: copied whole by the edit dialog and compared field by field at save.
struct CommandSlot {
  WideChar title[SLOT_TEXT_CAPACITY];    // shown in the status bar
  WideChar command[SLOT_TEXT_CAPACITY];  // program and arguments, "%1" marks the target
  WideChar icon[SLOT_TEXT_CAPACITY];     // icon location "path[,index]"; empty = from command
  int32_t runAs;                         // 1 = start as administrator
};

// Index i is the grid position, row by row, and key number i + 1 in the settings file.
struct SlotTable {
  CommandSlot slots[SLOT_COUNT];
};
