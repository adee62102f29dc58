#include "gui/common/NameValidator.h"

#include "core/shell/Win1252.h"

QValidator::State TNameValidator::validate(QString& input, int&) const {
  // Same length, so the cursor stays where it was.
  input = ToNearestWin1252(input);
  for (QChar c : input)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return Invalid;
  return IsWin1252(input) ? Acceptable : Invalid;
}
