#include <QSettings>

#include "core/model/LanguageStore.h"

namespace {
const QString kPath = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Dravik\\KLV-820");
const QString kKey = QStringLiteral("Language");
// Existing installations were written by a 32-bit program, so the value lives
// in the 32-bit view of the registry; a 64-bit build must look there too.
constexpr QSettings::Format kFormat = QSettings::Registry32Format;
}  // namespace

std::optional<int> ReadStoredLanguage() {
  // Reading through QSettings opens the key without creating it.
  const QSettings settings(kPath, kFormat);
  const QVariant value = settings.value(kKey);
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int language = value.toInt(&ok);
  if (!ok) return std::nullopt;
  return language;
}

bool WriteStoredLanguage(int language) {
  QSettings settings(kPath, kFormat);
  settings.setValue(kKey, language);  // stored as REG_DWORD
  settings.sync();
  return settings.status() == QSettings::NoError;
}
