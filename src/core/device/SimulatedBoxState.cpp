// The simulated box's state file (JSON).
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <cstring>

#include "core/device/SimulatedBox.h"

namespace {

QString Hex(const uint8_t* data, int size) {
  return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(data), size).toHex());
}

// Reads a hex field of exactly `size` bytes; a missing field keeps `data`.
bool ReadHex(const QJsonObject& json, const char* key, uint8_t* data, int size, QString* error) {
  const QJsonValue v = json.value(QLatin1String(key));
  if (v.isUndefined() || v.isNull()) return true;
  const QString text = v.toString();
  const QByteArray bytes = QByteArray::fromHex(text.toLatin1());
  bool hexOnly = !text.isEmpty() && text.size() % 2 == 0;
  for (QChar c : text) hexOnly = hexOnly && (c.isDigit() || QStringLiteral("abcdefABCDEF").contains(c));
  if (!v.isString() || !hexOnly || bytes.size() != size) {
    *error = QStringLiteral("%1 must be %2 bytes as hex").arg(QLatin1String(key)).arg(size);
    return false;
  }
  std::memcpy(data, bytes.constData(), size);
  return true;
}

bool ReadInt(const QJsonObject& json, const char* key, int min, int max, int* out, QString* error) {
  const QJsonValue v = json.value(QLatin1String(key));
  if (v.isUndefined()) return true;
  const double d = v.toDouble(-1e18);
  if (!v.isDouble() || d != double(qint64(d)) || d < min || d > max) {
    *error = QStringLiteral("%1 must be a whole number %2..%3").arg(QLatin1String(key)).arg(min).arg(max);
    return false;
  }
  *out = int(d);
  return true;
}

}  // namespace

QJsonObject SimulatedBox::ToJson() const {
  QJsonObject o;
  o[QStringLiteral("productId")] = int(ProductId);
  o[QStringLiteral("version")] = QStringLiteral("%1.%2").arg(Version >> 8).arg(Version & 0xFF);
  o[QStringLiteral("productString")] = ProductString;
  o[QStringLiteral("mode")] =
      Mode == Firmware::Loader ? QStringLiteral("loader") : QStringLiteral("application");
  o[QStringLiteral("programme")] = Hex(Programme.data(), ProgrammeMemorySize);
  o[QStringLiteral("sceneTable")] = Hex(SceneTable.data(), SceneTableSize);
  o[QStringLiteral("sunTable")] = Hex(SunTable.data(), SunTableSize);
  o[QStringLiteral("clockOffset")] =
      ClockOffset ? QJsonValue(double(*ClockOffset)) : QJsonValue(QJsonValue::Null);
  o[QStringLiteral("clockDayOfWeek")] = int(ClockDayOfWeek);
  o[QStringLiteral("address")] = Hex(Address.data(), 3);
  o[QStringLiteral("addressCheck")] = int(AddressCheck);
  o[QStringLiteral("flash")] = QString::fromLatin1(Flash.toHex());
  return o;
}

bool SimulatedBox::FromJson(const QJsonObject& json, QString* error) {
  QString dummy;
  if (!error) error = &dummy;
  SimulatedBox next;  // validate everything before changing this box
  int productId = next.ProductId;
  if (!ReadInt(json, "productId", 0, 0xFFFF, &productId, error)) return false;
  next.ProductId = uint16_t(productId);
  if (json.contains(QLatin1String("version"))) {
    const QStringList parts = json.value(QLatin1String("version")).toString().split(QLatin1Char('.'));
    bool ok1 = false, ok2 = false;
    const int major = parts.size() == 2 ? parts[0].toInt(&ok1) : 0;
    const int minor = parts.size() == 2 ? parts[1].toInt(&ok2) : 0;
    if (!ok1 || !ok2 || major < 0 || major > 255 || minor < 0 || minor > 255) {
      *error = QStringLiteral("version must be \"major.minor\"");
      return false;
    }
    next.Version = uint16_t(major << 8 | minor);
  }
  if (json.contains(QLatin1String("productString")))
    next.ProductString = json.value(QLatin1String("productString")).toString();
  if (json.contains(QLatin1String("mode"))) {
    const QString mode = json.value(QLatin1String("mode")).toString();
    if (mode != QLatin1String("application") && mode != QLatin1String("loader")) {
      *error = QStringLiteral("mode must be \"application\" or \"loader\"");
      return false;
    }
    next.Mode = mode == QLatin1String("loader") ? Firmware::Loader : Firmware::Application;
  }
  if (!ReadHex(json, "programme", next.Programme.data(), ProgrammeMemorySize, error) ||
      !ReadHex(json, "sceneTable", next.SceneTable.data(), SceneTableSize, error) ||
      !ReadHex(json, "sunTable", next.SunTable.data(), SunTableSize, error) ||
      !ReadHex(json, "address", next.Address.data(), 3, error) ||
      !ReadHex(json, "flash", reinterpret_cast<uint8_t*>(next.Flash.data()), FlashSize, error))
    return false;
  int check = next.AddressCheck, dow = next.ClockDayOfWeek;
  if (!ReadInt(json, "addressCheck", 0, 255, &check, error) ||
      !ReadInt(json, "clockDayOfWeek", 0, 255, &dow, error))
    return false;
  next.AddressCheck = uint8_t(check);
  next.ClockDayOfWeek = uint8_t(dow);
  const QJsonValue offset = json.value(QLatin1String("clockOffset"));
  if (offset.isDouble()) {
    next.ClockOffset = qint64(offset.toDouble());
  } else if (!offset.isUndefined() && !offset.isNull()) {
    *error = QStringLiteral("clockOffset must be a number of seconds or null");
    return false;
  }

  ProductId = next.ProductId;
  Version = next.Version;
  ProductString = next.ProductString;
  Mode = next.Mode;
  Programme = next.Programme;
  SceneTable = next.SceneTable;
  SunTable = next.SunTable;
  Address = next.Address;
  AddressCheck = next.AddressCheck;
  Flash = next.Flash;
  ClockOffset = next.ClockOffset;
  ClockDayOfWeek = next.ClockDayOfWeek;
  return true;
}

bool SimulatedBox::LoadState(const QString& path, QString* error) {
  QFile f(path);
  if (!f.exists()) return true;  // a new box
  if (!f.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
    return false;
  }
  QJsonParseError pe;
  const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
  if (pe.error != QJsonParseError::NoError || !doc.isObject()) {
    if (error) *error = QStringLiteral("%1 is not a JSON object: %2").arg(path, pe.errorString());
    return false;
  }
  QString e;
  if (!FromJson(doc.object(), &e)) {
    if (error) *error = QStringLiteral("%1: %2").arg(path, e);
    return false;
  }
  return true;
}

bool SimulatedBox::SaveState(const QString& path, QString* error) const {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(QJsonDocument(ToJson()).toJson()) < 0 || !f.commit()) {
    if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
    return false;
  }
  return true;
}
