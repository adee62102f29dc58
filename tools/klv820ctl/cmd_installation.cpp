// init, dump and import: the installation as files and as JSON.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Ctl.h"
#include "ImportJson.h"
#include "core/model/LoadSave.h"

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

  ImportedInstallation in;
  QString error;
  if (!ReadImportJson(doc.object(), in, &error))
    return CtlFail(ctx, CtlUsage, path + QStringLiteral(": ") + error);

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
