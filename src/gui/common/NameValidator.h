#pragma once

#include <QValidator>

// Names are stored as Windows-1252 short strings: refuses, as they are typed
// or pasted, characters that encoding lacks and control characters.
class TNameValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};
