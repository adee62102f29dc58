// The JSON reader of `import`: shapes, names and ranges, checked before
// anything is changed.

#include "ImportJson.h"

#include <QJsonArray>
#include <cmath>
#include <limits>

#include "core/shell/Win1252.h"

namespace {

// A picture index: the picture lists hold at most 256 pictures.
constexpr int MaxPictureIndex = 255;

class JsonReader {
 public:
  QString error;

  bool Object(const QJsonValue& v, const QString& where, QJsonObject& out) {
    if (!v.isObject()) return Fail(QStringLiteral("%1 must be an object").arg(where));
    out = v.toObject();
    return true;
  }

  bool Array(const QJsonObject& o, const QString& key, const QString& where, qsizetype minSize,
             qsizetype maxSize, QJsonArray& out) {
    const QJsonValue v = o.value(key);
    if (!v.isArray()) return Fail(QStringLiteral("%1.%2 must be an array").arg(where, key));
    out = v.toArray();
    if (out.size() < minSize || out.size() > maxSize) {
      return Fail(minSize == maxSize ? QStringLiteral("%1.%2 must hold exactly %3 elements, not %4")
                                           .arg(where, key)
                                           .arg(minSize)
                                           .arg(out.size())
                                     : QStringLiteral("%1.%2 may hold at most %3 elements, not %4")
                                           .arg(where, key)
                                           .arg(maxSize)
                                           .arg(out.size()));
    }
    return true;
  }

  template <typename T>
  bool Int(const QJsonObject& o, const char* key, const QString& where, T& out,
           qint64 lo = std::numeric_limits<T>::min(), qint64 hi = std::numeric_limits<T>::max()) {
    const QJsonValue v = o.value(QLatin1String(key));
    const QString name = where + QLatin1Char('.') + QLatin1String(key);
    if (!v.isDouble()) return Fail(QStringLiteral("%1 must be a number").arg(name));
    const double d = v.toDouble();
    if (!std::isfinite(d) || d != std::floor(d))
      return Fail(QStringLiteral("%1 must be a whole number").arg(name));
    if (d < double(lo) || d > double(hi))
      return Fail(QStringLiteral("%1 must lie in %2..%3").arg(name).arg(lo).arg(hi));
    out = T(d);
    return true;
  }

  bool Double(const QJsonObject& o, const char* key, const QString& where, double& out) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble() || !std::isfinite(v.toDouble()))
      return Fail(QStringLiteral("%1.%2 must be a number").arg(where, QLatin1String(key)));
    out = v.toDouble();
    return true;
  }

  bool Name(const QJsonObject& o, const char* key, const QString& where, int maxLength, QString& out) {
    const QJsonValue v = o.value(QLatin1String(key));
    const QString name = where + QLatin1Char('.') + QLatin1String(key);
    if (!v.isString()) return Fail(QStringLiteral("%1 must be a string").arg(name));
    out = v.toString();
    if (out.size() > maxLength)
      return Fail(
          QStringLiteral("%1 is longer than %2 characters: \"%3\"").arg(name).arg(maxLength).arg(out));
    if (!IsWin1252(out))
      return Fail(QStringLiteral("%1 holds characters Windows-1252 cannot store: \"%2\"").arg(name, out));
    return true;
  }

 private:
  bool Fail(const QString& message) {
    error = message;
    return false;
  }
};

bool ReadInstallation(const QJsonObject& root, JsonReader& r, ImportedInstallation& in) {
  if (!r.Int(root, "language", QStringLiteral("installation"), in.Language, 0, 9)) return false;
  if (!r.Int(root, "oldModel", QStringLiteral("installation"), in.OldModel, 0, 1)) return false;
  if (!r.Int(root, "showHints", QStringLiteral("installation"), in.ShowHints, 0, 1)) return false;

  QJsonObject loc;
  if (!r.Object(root.value(QLatin1String("location")), QStringLiteral("location"), loc)) return false;
  const QString l = QStringLiteral("location");
  TLocation& t = in.Location;
  if (!r.Name(loc, "country", l, 20, t.Country) || !r.Name(loc, "city", l, 20, t.City) ||
      !r.Int(loc, "latDeg", l, t.LatDeg, 0, 90) || !r.Int(loc, "latMin", l, t.LatMin, 0, 59) ||
      !r.Int(loc, "ns", l, t.NS, 0, 1) || !r.Int(loc, "lonDeg", l, t.LonDeg, 0, 180) ||
      !r.Int(loc, "lonMin", l, t.LonMin, 0, 59) || !r.Int(loc, "ew", l, t.EW, 0, 1) ||
      !r.Int(loc, "tzHours", l, t.TzHours, 0, 14) || !r.Int(loc, "tzSign", l, t.TzSign, 0, 1))
    return false;

  QJsonArray rooms;
  if (!r.Array(root, QStringLiteral("rooms"), QStringLiteral("installation"), ::RoomCount, ::RoomCount,
               rooms))
    return false;
  for (int i = 0; i < ::RoomCount; ++i) {
    const QString where = QStringLiteral("rooms[%1]").arg(i);
    QJsonObject o;
    TRuimte& room = in.Ruimtes[i];
    if (!r.Object(rooms[i], where, o) || !r.Name(o, "name", where, MaxNameLength, room.Naam) ||
        !r.Int(o, "imageIndex", where, room.ImageIndex, -1, MaxPictureIndex))
      return false;
    QJsonArray devices;
    if (!r.Array(o, QStringLiteral("devices"), where, DevicesPerRoom, DevicesPerRoom, devices)) return false;
    for (int k = 0; k < DevicesPerRoom; ++k) {
      const QString dw = QStringLiteral("%1.devices[%2]").arg(where).arg(k);
      QJsonObject dv;
      TApparaat& a = room.Apparaten[k];
      if (!r.Object(devices[k], dw, dv) || !r.Name(dv, "name", dw, MaxNameLength, a.Naam) ||
          !r.Int(dv, "imageIndex", dw, a.ImageIndex, -1, MaxPictureIndex) ||
          !r.Int(dv, "codeSchijf", dw, a.CodeSchijf, 0, 1) || !r.Int(dv, "dimbaar", dw, a.Dimbaar, 0, 1) ||
          !r.Int(dv, "code", dw, a.Code, -1, 255) || !r.Int(dv, "dimNiveau", dw, a.DimNiveau, 1, 16))
        return false;
    }
  }

  QJsonArray scenes;
  if (!r.Array(root, QStringLiteral("scenes"), QStringLiteral("installation"), SceneCount, SceneCount,
               scenes))
    return false;
  for (int i = 0; i < SceneCount; ++i) {
    const QString where = QStringLiteral("scenes[%1]").arg(i);
    QJsonObject o;
    TScene& scene = in.Scenes[i];
    if (!r.Object(scenes[i], where, o) || !r.Name(o, "name", where, MaxNameLength, scene.Naam)) return false;
    QJsonArray items;
    if (!r.Array(o, QStringLiteral("items"), where, ItemsPerScene, ItemsPerScene, items)) return false;
    for (int k = 0; k < ItemsPerScene; ++k) {
      const QString iw = QStringLiteral("%1.items[%2]").arg(where).arg(k);
      QJsonObject it;
      TSceneAktie& a = scene.Akties[k];
      if (!r.Object(items[k], iw, it) || !r.Int(it, "ruimte", iw, a.Ruimte, -1, ::RoomCount - 1) ||
          !r.Int(it, "apparaat", iw, a.Apparaat, -1, DevicesPerRoom - 1) ||
          !r.Int(it, "waarde", iw, a.Waarde, 0, 17))
        return false;
    }
  }

  QJsonArray programme;
  if (!r.Array(root, QStringLiteral("programme"), QStringLiteral("installation"), 0, MaxProgrammeEntries,
               programme))
    return false;
  for (int i = 0; i < programme.size(); ++i) {
    const QString where = QStringLiteral("programme[%1]").arg(i);
    QJsonObject o;
    auto e = std::make_shared<ProgAktie>();
    // A negative Ruimte marks a blank record in the file: it would not come
    // back. 0..15 is a room, 17..32 scene 0..15.
    if (!r.Object(programme[i], where, o) || !r.Int(o, "ruimte", where, e->Ruimte, 0, 17 + SceneCount - 1) ||
        !r.Int(o, "apparaat", where, e->Apparaat, -1, DevicesPerRoom - 1) ||
        !r.Int(o, "maand", where, e->Maand, 0, 13) || !r.Int(o, "dagDatum", where, e->DagDatum, 0, 255) ||
        !r.Int(o, "uur", where, e->Uur, 0, 24) || !r.Int(o, "minuut", where, e->Minuut, 0, 59) ||
        !r.Int(o, "zonTijd", where, e->ZonTijd, 0, 239) || !r.Int(o, "random", where, e->Random, 0, 1) ||
        !r.Int(o, "aktie", where, e->Aktie, 0, 17) || !r.Double(o, "aangemaakt", where, e->Aangemaakt))
      return false;
    if (e->Ruimte == ::RoomCount) {
      r.error = where + QStringLiteral(".ruimte must lie in 0..15 or 17..32, not 16");
      return false;
    }
    in.Programme.push_back(std::move(e));
  }
  return true;
}

}  // namespace

bool ReadImportJson(const QJsonObject& root, ImportedInstallation& in, QString* error) {
  JsonReader reader;
  if (ReadInstallation(root, reader, in)) return true;
  if (error) *error = reader.error;
  return false;
}
