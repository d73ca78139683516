// The drag that exchanges two slots, fed any sequence of moves, pick-up timers and
// releases: the source stays a slot or -1, every release ends the gesture, a drop
// names real slots, and the exchange it asks for moves texts but never runAs.
// Input: events until the bytes run out: a kind byte, then its fields.

#include <memory>
#include <utility>

#include "editing/drag_gesture.h"
#include "editing/slot_clipboard.h"
#include "fuzz_input.h"

namespace {

bool IsSlot(int slot) { return slot >= 0 && slot < SLOT_COUNT; }

int TakeCoordinate(FuzzInput& input, int last) {
  if (input.Flag()) return input.I32();
  // A step near the last position, wrapping at the ends of the int range.
  return static_cast<int>(static_cast<uint32_t>(last) +
                          static_cast<uint32_t>(input.InRange(-8, 8)));
}

void CheckMove(FuzzInput& input, DragGesture& gesture) {
  const DragGesture before = gesture;
  bool leftDown = input.Flag();
  int x = TakeCoordinate(input, before.lastX);
  int y = TakeCoordinate(input, before.lastY);
  int tolerance = input.Flag() ? input.I32() : input.InRange(0, 8);
  DragMove move = OnDragMove(gesture, leftDown, x, y, tolerance, tolerance);
  Check(gesture.sourceSlot == before.sourceSlot, "a move picks nothing up");
  Check(leftDown || !move.cancelPickUp, "only a held move cancels the pick-up");
  Check(leftDown ? gesture.lastX == x && gesture.lastY == y
                 : gesture.lastX == before.lastX && gesture.lastY == before.lastY,
        "held moves are remembered");
  bool plainPressDragged = before.sourceSlot == -1 && before.active == 1;
  Check(move.runHover != plainPressDragged, "hover follows unless a plain press is dragged");
  Check(gesture.active == (leftDown ? 1 : before.active), "a held move makes the gesture active");
}

void CheckRelease(FuzzInput& input, DragGesture& gesture, SlotTable& table, SlotTable& model) {
  const DragGesture before = gesture;
  int over = input.InRange(-1, SLOT_COUNT - 1);
  bool sourceIsEmpty = input.Flag();
  DropResult drop = OnDragRelease(gesture, over, sourceIsEmpty);
  Check(gesture.sourceSlot == -1 && gesture.active == 0, "every release ends the gesture");
  Check(drop.source == before.sourceSlot, "the drop names the picked-up slot");
  bool dropping = before.sourceSlot != -1 && !sourceIsEmpty && before.active == 1;
  DropKind expected = !dropping    ? DropKind::None
                      : over == -1 ? DropKind::RestoreSource
                                   : DropKind::Swap;
  Check(drop.kind == expected, "the drop's kind");
  Check(drop.swallowNextClick == (expected == DropKind::Swap && over == drop.source),
        "only a drop on its own button swallows the click");
  if (drop.kind == DropKind::None) return;
  Check(IsSlot(drop.source), "a drop's source is a slot");
  if (drop.kind != DropKind::Swap) return;
  Check(IsSlot(drop.target), "an exchange's target is a slot");
  SwapSlots(table, drop.source, drop.target);
  CommandSlot& a = model.slots[drop.source];
  CommandSlot& b = model.slots[drop.target];
  if (&a != &b) {
    std::swap(a.title, b.title);
    std::swap(a.command, b.command);
    std::swap(a.icon, b.icon);
  }
  for (int s = 0; s < SLOT_COUNT; ++s) {
    const CommandSlot& got = table.slots[s];
    const CommandSlot& want = model.slots[s];
    Check(TextIn(got.title) == TextIn(want.title) && TextIn(got.command) == TextIn(want.command) &&
              TextIn(got.icon) == TextIn(want.icon) && got.runAs == want.runAs,
          "the exchange moves the texts and leaves runAs with its position");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  auto table = std::make_unique<SlotTable>();
  for (int s = 0; s < SLOT_COUNT; ++s) {
    CommandSlot& slot = table->slots[s];
    Put(slot.title, Text(WIDE("title ")) + static_cast<WideChar>('a' + s));
    Put(slot.command, Text(static_cast<size_t>(s + 1), WIDE('c')));
    Put(slot.icon, s % 3 == 0 ? Text() : Text(WIDE("icon,")) + static_cast<WideChar>('0' + s));
    slot.runAs = s % 2;
  }
  auto model = std::make_unique<SlotTable>(*table);

  DragGesture gesture;
  for (int events = 0; !input.Empty() && events < 1000; ++events) {
    switch (input.Byte() % 3) {
      case 0:
        CheckMove(input, gesture);
        break;
      case 1: {
        int over = input.InRange(-1, SLOT_COUNT - 1);
        bool empty = input.Flag();
        int picked = OnPickUpTimer(gesture, over, empty);
        Check(picked == (empty ? -1 : over) && gesture.sourceSlot == picked,
              "the pick-up takes the full slot under the pointer");
        break;
      }
      default:
        CheckRelease(input, gesture, *table, *model);
    }
    Check(gesture.sourceSlot >= -1 && gesture.sourceSlot < SLOT_COUNT, "source in -1..11");
    Check(gesture.active == 0 || gesture.active == 1, "active is 0 or 1");
  }
  return 0;
}
