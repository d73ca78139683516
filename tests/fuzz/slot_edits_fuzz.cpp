// Copy, cut, paste, delete and exchange on the slot table in any order, against a
// plain model: texts move whole, runAs stays with its grid position, and a slot is
// empty exactly when its three texts are.
// Input: operations until the bytes run out: a kind byte, then slots and texts.

#include <array>
#include <memory>

#include "editing/slot_clipboard.h"
#include "fuzz_input.h"

namespace {

struct Texts {
  Text title, command, icon;
};

Texts TextsOf(const CommandSlot& slot) {
  return {TextIn(slot.title), TextIn(slot.command), TextIn(slot.icon)};
}

bool SameTexts(const Texts& a, const Texts& b) {
  return a.title == b.title && a.command == b.command && a.icon == b.icon;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  auto table = std::make_unique<SlotTable>();
  auto clipboard = std::make_unique<SlotClipboard>();
  std::array<Texts, SLOT_COUNT> model;
  Texts clipModel;
  for (int s = 0; s < SLOT_COUNT; ++s) table->slots[s].runAs = s % 2;

  for (int ops = 0; !input.Empty() && ops < 500; ++ops) {
    int kind = input.Byte() % 6;
    int slot = input.InRange(0, SLOT_COUNT - 1);
    switch (kind) {
      case 0: {  // the edit dialog's commit of one field
        Text text = input.TakeText(SLOT_TEXT_CAPACITY - 1);
        int field = input.Byte() % 3;
        CommandSlot& target = table->slots[slot];
        Put(field == 0 ? target.title : field == 1 ? target.command : target.icon, text);
        (field == 0   ? model[slot].title
         : field == 1 ? model[slot].command
                      : model[slot].icon) = text;
        break;
      }
      case 1:
        CopySlot(*table, slot, *clipboard);
        clipModel = model[slot];
        break;
      case 2:
        CutSlot(*table, slot, *clipboard);
        clipModel = model[slot];
        model[slot] = Texts();
        break;
      case 3:
        PasteSlot(*table, slot, *clipboard);
        model[slot] = clipModel;
        break;
      case 4:
        ClearSlot(*table, slot);
        model[slot] = Texts();
        break;
      default: {
        int other = input.InRange(0, SLOT_COUNT - 1);
        SwapSlots(*table, slot, other);
        std::swap(model[slot], model[other]);
      }
    }
    Check(SameTexts({TextIn(clipboard->title), TextIn(clipboard->command), TextIn(clipboard->icon)},
                    clipModel),
          "the clipboard holds the copied texts");
    for (int s = 0; s < SLOT_COUNT; ++s) {
      Check(SameTexts(TextsOf(table->slots[s]), model[s]), "texts move whole");
      Check(table->slots[s].runAs == s % 2, "runAs stays with its position");
      Check(SlotIsEmpty(*table, s) == SameTexts(model[s], Texts()), "empty exactly without texts");
    }
  }
  return 0;
}
