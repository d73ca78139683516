#include "settings/link_rules.h"

LinkChange LinkValueFor(const WideChar* typed, WideChar (&value)[LINK_TEXT_CAPACITY]) {
  value[0] = 0;
  if (TextIsEmpty(typed)) return LinkChange::Remove;
  if (typed[0] != '.') CopyText(value, WIDE("."));
  if (!AppendText(value, typed)) {
    value[0] = 0;
    return LinkChange::Refuse;
  }
  return LinkChange::Set;
}
