#include <QSettings>

#include "core/model/LanguageStore.h"

namespace {
const QString kKey = QStringLiteral("Language");
}

std::optional<int> ReadStoredLanguage() {
  const QSettings settings(QStringLiteral("Dravik"), QStringLiteral("KLV-820"));
  const QVariant value = settings.value(kKey);
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int language = value.toInt(&ok);
  if (!ok) return std::nullopt;
  return language;
}

bool WriteStoredLanguage(int language) {
  QSettings settings(QStringLiteral("Dravik"), QStringLiteral("KLV-820"));
  settings.setValue(kKey, language);
  settings.sync();
  return settings.status() == QSettings::NoError;
}
