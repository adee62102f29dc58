#include "gui/common/NameValidator.h"

#include "core/shell/Win1252.h"

QValidator::State TNameValidator::validate(QString& input, int&) const {
  for (QChar c : input)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return Invalid;
  return IsWin1252(input) ? Acceptable : Invalid;
}
