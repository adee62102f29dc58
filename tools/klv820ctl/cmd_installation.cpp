// init, dump and import: the installation as files and as JSON.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

#include "Ctl.h"
#include "core/model/LoadSave.h"
#include "core/shell/Win1252.h"

namespace {

int SaveFailed(CtlContext& ctx, const SaveResult& r) {
  return CtlFail(ctx, CtlFailed, QStringLiteral("cannot write %1: %2").arg(r.FailedFile, r.Error));
}

int RefuseArguments(CtlContext& ctx, const char* command) {
  return CtlFail(ctx, CtlUsage, QStringLiteral("%1 takes no arguments").arg(QLatin1String(command)));
}

// ---------------------------------------------------------------------------
// dump: keys in the documented order (QJsonObject would sort them), indented
// by four blanks, one key or element a line.

// Appends a scalar exactly as QJsonDocument writes it (escapes, number form).
void WriteScalar(const QJsonValue& v, QString& out) {
  QString s = QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
  out += QStringView(s).mid(1, s.size() - 2);
}

// `keys` lists the object's keys in output order; nested objects take their
// own order from the matching entry of kKeyOrder.
void WriteOrdered(const QJsonObject& o, const QStringList& keys, int depth, QString& out);

const QHash<QString, QStringList>& KeyOrder() {
  static const QHash<QString, QStringList> order{
      {QStringLiteral(""),
       {"language", "oldModel", "showHints", "location", "rooms", "scenes", "programme", "imageLists"}},
      {QStringLiteral("location"),
       {"country", "city", "latDeg", "latMin", "ns", "lonDeg", "lonMin", "ew", "tzHours", "tzSign"}},
      {QStringLiteral("rooms"), {"name", "imageIndex", "devices"}},
      {QStringLiteral("devices"), {"name", "imageIndex", "codeSchijf", "dimbaar", "code", "dimNiveau"}},
      {QStringLiteral("scenes"), {"name", "items"}},
      {QStringLiteral("items"), {"ruimte", "apparaat", "waarde"}},
      {QStringLiteral("programme"),
       {"ruimte", "apparaat", "maand", "dagDatum", "uur", "minuut", "zonTijd", "random", "aktie",
        "aangemaakt", "sortKey"}},
      {QStringLiteral("imageLists"),
       {"RuimteImageList", "AppImageList", "CustomRuimteImageList", "CustomAppImageList"}},
  };
  return order;
}

void WriteValue(const QString& key, const QJsonValue& v, int depth, QString& out) {
  const QString pad(4 * (depth + 1), QLatin1Char(' '));
  if (v.isObject()) {
    WriteOrdered(v.toObject(), KeyOrder().value(key), depth, out);
  } else if (v.isArray()) {
    const QJsonArray a = v.toArray();
    if (a.isEmpty()) {
      out += QStringLiteral("[]");
      return;
    }
    out += QStringLiteral("[\n");
    for (qsizetype i = 0; i < a.size(); ++i) {
      out += pad;
      WriteValue(key, a[i], depth + 1, out);  // elements take the array's key order
      out += i + 1 < a.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    out += QString(4 * depth, QLatin1Char(' ')) + QLatin1Char(']');
  } else {
    WriteScalar(v, out);
  }
}

void WriteOrdered(const QJsonObject& o, const QStringList& keys, int depth, QString& out) {
  const QString pad(4 * (depth + 1), QLatin1Char(' '));
  out += QStringLiteral("{\n");
  for (qsizetype i = 0; i < keys.size(); ++i) {
    out += pad;
    WriteScalar(keys[i], out);
    out += QStringLiteral(": ");
    WriteValue(keys[i], o.value(keys[i]), depth + 1, out);
    out += i + 1 < keys.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
  }
  out += QString(4 * depth, QLatin1Char(' ')) + QLatin1Char('}');
}

QString OrderedJson(const QJsonObject& root) {
  QString out;
  WriteOrdered(root, KeyOrder().value(QString()), 0, out);
  return out + QLatin1Char('\n');
}

QJsonObject LocationJson(const TLocation& l) {
  return QJsonObject{{"country", l.Country}, {"city", l.City},     {"latDeg", l.LatDeg}, {"latMin", l.LatMin},
                     {"ns", l.NS},           {"lonDeg", l.LonDeg}, {"lonMin", l.LonMin}, {"ew", l.EW},
                     {"tzHours", l.TzHours}, {"tzSign", l.TzSign}};
}

QJsonObject InstallationJson(const TLoadSave& d) {
  QJsonArray rooms;
  for (const TRuimte& r : d.Ruimtes) {
    QJsonArray devices;
    for (const TApparaat& a : r.Apparaten)
      devices.append(QJsonObject{{"name", a.Naam},
                                 {"imageIndex", a.ImageIndex},
                                 {"codeSchijf", a.CodeSchijf},
                                 {"dimbaar", a.Dimbaar},
                                 {"code", a.Code},
                                 {"dimNiveau", a.DimNiveau}});
    rooms.append(QJsonObject{{"name", r.Naam}, {"imageIndex", r.ImageIndex}, {"devices", devices}});
  }
  QJsonArray scenes;
  for (const TScene& s : d.Scenes) {
    QJsonArray items;
    for (const TSceneAktie& a : s.Akties)
      items.append(QJsonObject{{"ruimte", a.Ruimte}, {"apparaat", a.Apparaat}, {"waarde", a.Waarde}});
    scenes.append(QJsonObject{{"name", s.Naam}, {"items", items}});
  }
  QJsonArray programme;
  for (const KeyedAktie& k : d.Programma->AllItems) {
    const ProgAktie& e = *k.Entry;
    programme.append(QJsonObject{{"ruimte", e.Ruimte},
                                 {"apparaat", e.Apparaat},
                                 {"maand", e.Maand},
                                 {"dagDatum", e.DagDatum},
                                 {"uur", e.Uur},
                                 {"minuut", e.Minuut},
                                 {"zonTijd", e.ZonTijd},
                                 {"random", e.Random},
                                 {"aktie", e.Aktie},
                                 {"aangemaakt", e.Aangemaakt},
                                 {"sortKey", e.SortKey()}});
  }
  return QJsonObject{
      {"language", d.Language},
      {"oldModel", d.OldModel},
      {"showHints", d.ShowHints},
      {"location", LocationJson(d.Location)},
      {"rooms", rooms},
      {"scenes", scenes},
      {"programme", programme},
      {"imageLists", QJsonObject{{"RuimteImageList", d.RuimteImageList->Count()},
                                 {"AppImageList", d.AppImageList->Count()},
                                 {"CustomRuimteImageList", d.CustomRuimteImageList->Count()},
                                 {"CustomAppImageList", d.CustomAppImageList->Count()}}},
  };
}

// ---------------------------------------------------------------------------
// import: everything is checked before anything is changed.

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

struct Imported {
  int32_t Language = 1;
  uint8_t OldModel = 0;
  uint8_t ShowHints = 1;
  TLocation Location;
  std::array<TRuimte, ::RoomCount> Ruimtes;
  std::array<TScene, SceneCount> Scenes;
  std::vector<ProgAktiePtr> Programme;
};

bool ReadInstallation(const QJsonObject& root, JsonReader& r, Imported& in) {
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

// ---------------------------------------------------------------------------

int Init(CtlContext& ctx) {
  if (!ctx.args.isEmpty()) return RefuseArguments(ctx, "init");
  TLoadSave::ResetToNew();
  const SaveResult r = TLoadSave::Instance()->Save();
  if (!r.Ok) return SaveFailed(ctx, r);
  ctx.out << "new installation written to " << ctx.folder << "\n";
  return CtlOk;
}

int Dump(CtlContext& ctx) {
  if (!ctx.args.isEmpty()) return RefuseArguments(ctx, "dump");
  const TLoadSave* d = TLoadSave::Instance();
  for (const QString& problem : d->LoadProblems) ctx.err << "klv820ctl: warning: " << problem << "\n";
  ctx.err.flush();
  ctx.out << OrderedJson(InstallationJson(*d));
  return CtlOk;
}

int Import(CtlContext& ctx) {
  if (ctx.args.size() != 1) return CtlFail(ctx, CtlUsage, QStringLiteral("usage: import FILE"));
  const QString path = ctx.args.first();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return CtlFail(ctx, CtlUsage, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
  if (parseError.error != QJsonParseError::NoError)
    return CtlFail(ctx, CtlUsage,
                   QStringLiteral("%1 is not JSON: %2 at offset %3")
                       .arg(path, parseError.errorString())
                       .arg(parseError.offset));
  if (!doc.isObject()) return CtlFail(ctx, CtlUsage, QStringLiteral("%1 must hold a JSON object").arg(path));

  JsonReader reader;
  Imported in;
  if (!ReadInstallation(doc.object(), reader, in))
    return CtlFail(ctx, CtlUsage, path + QStringLiteral(": ") + reader.error);

  TLoadSave* d = TLoadSave::Instance();
  d->Language = in.Language;
  d->OldModel = in.OldModel;
  d->ShowHints = in.ShowHints;
  d->Location = in.Location;
  d->Ruimtes = in.Ruimtes;
  d->Scenes = in.Scenes;
  d->Programma->AllItems.clear();
  for (ProgAktiePtr& e : in.Programme)
    d->Programma->AllItems.push_back(KeyedAktie{e->SortKey(), std::move(e)});

  // The image lists are not part of the JSON; their files stay as they are.
  const SaveResult r = d->SaveDataFiles();
  if (!r.Ok) return SaveFailed(ctx, r);
  d->WriteLanguage();
  if (TLoadSave::ReadLanguage() != in.Language)
    return CtlFail(ctx, CtlFailed, QStringLiteral("cannot store the language setting"));
  return CtlOk;
}

const CtlCommand kInit("init", "init", Init);
const CtlCommand kDump("dump", "dump", Dump);
const CtlCommand kImport("import", "import FILE", Import);

}  // namespace
