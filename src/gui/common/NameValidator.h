#pragma once

#include <QValidator>

// Names are stored as Windows-1252 short strings: as they are typed or
// pasted, letters that encoding lacks become their nearest letter in it
// (ToNearestWin1252); what has none, and control characters, are refused.
class TNameValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};
