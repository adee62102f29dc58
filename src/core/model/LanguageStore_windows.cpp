#include <QSettings>

#include "model/LanguageStore.h"

namespace {
const QString kPath = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Dravik\\KLV-820");
const QString kKey = QStringLiteral("Language");
}  // namespace

std::optional<int> ReadStoredLanguage() {
  // Reading through QSettings opens the key without creating it.
  const QSettings settings(kPath, QSettings::NativeFormat);
  const QVariant value = settings.value(kKey);
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int language = value.toInt(&ok);
  if (!ok) return std::nullopt;
  return language;
}

bool WriteStoredLanguage(int language) {
  QSettings settings(kPath, QSettings::NativeFormat);
  settings.setValue(kKey, language);  // stored as REG_DWORD
  settings.sync();
  return settings.status() == QSettings::NoError;
}
