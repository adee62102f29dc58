// init, dump and import: the installation as files and as JSON.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

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
// dump: keys in the documented order, indented by four blanks, one key or
// element a line, each value written as QJsonDocument writes it. Written
// straight from the installation as UTF-8: no document is built.

class JsonWriter {
 public:
  std::string out;

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  // An empty array is written "[]"; elements follow with Element().
  void BeginArray(bool empty) {
    if (empty) {
      out += "[]";
      emptyArray_ = true;
      return;
    }
    Open('[');
  }
  void EndArray() {
    if (emptyArray_) {
      emptyArray_ = false;
      return;
    }
    Close(']');
  }
  // Starts the next key of the open object.
  void Key(const char* key) {
    Next();
    out += '"';
    out += key;
    out += "\": ";
  }
  // Starts the next element of the open array.
  void Element() { Next(); }
  void Int(qint64 v) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    out.append(digits, end);
  }
  void Str(const QString& s) {
    // Plain printable ASCII needs no escaping; anything else is written by
    // QJsonDocument itself.
    const bool plain = std::all_of(s.cbegin(), s.cend(), [](QChar c) {
      return c.unicode() >= 0x20 && c.unicode() < 0x7F && c != QLatin1Char('"') && c != QLatin1Char('\\');
    });
    if (!plain) return Scalar(QJsonValue(s));
    out += '"';
    for (QChar c : s) out += char(c.unicode());
    out += '"';
  }
  void Scalar(const QJsonValue& v) {
    const QByteArray json = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    out.append(json.constData() + 1, size_t(json.size()) - 2);
  }
  void Int(const char* key, qint64 v) {
    Key(key);
    Int(v);
  }
  void Str(const char* key, const QString& v) {
    Key(key);
    Str(v);
  }

 private:
  void Open(char bracket) {
    out += bracket;
    out += '\n';
    first_.push_back(true);
  }
  void Close(char bracket) {
    first_.pop_back();
    out += '\n';
    Indent();
    out += bracket;
  }
  void Next() {
    if (!first_.back()) out += ",\n";
    first_.back() = false;
    Indent();
  }
  void Indent() { out.append(4 * first_.size(), ' '); }

  std::vector<bool> first_;
  bool emptyArray_ = false;
};

std::string InstallationJson(const TLoadSave& d) {
  JsonWriter w;
  w.out.reserve(1 << 18);
  w.BeginObject();
  w.Int("language", d.Language);
  w.Int("oldModel", d.OldModel);
  w.Int("showHints", d.ShowHints);
  w.Key("location");
  const TLocation& l = d.Location;
  w.BeginObject();
  w.Str("country", l.Country);
  w.Str("city", l.City);
  w.Int("latDeg", l.LatDeg);
  w.Int("latMin", l.LatMin);
  w.Int("ns", l.NS);
  w.Int("lonDeg", l.LonDeg);
  w.Int("lonMin", l.LonMin);
  w.Int("ew", l.EW);
  w.Int("tzHours", l.TzHours);
  w.Int("tzSign", l.TzSign);
  w.EndObject();

  w.Key("rooms");
  w.BeginArray(d.Ruimtes.empty());
  for (const TRuimte& r : d.Ruimtes) {
    w.Element();
    w.BeginObject();
    w.Str("name", r.Naam);
    w.Int("imageIndex", r.ImageIndex);
    w.Key("devices");
    w.BeginArray(r.Apparaten.empty());
    for (const TApparaat& a : r.Apparaten) {
      w.Element();
      w.BeginObject();
      w.Str("name", a.Naam);
      w.Int("imageIndex", a.ImageIndex);
      w.Int("codeSchijf", a.CodeSchijf);
      w.Int("dimbaar", a.Dimbaar);
      w.Int("code", a.Code);
      w.Int("dimNiveau", a.DimNiveau);
      w.EndObject();
    }
    w.EndArray();
    w.EndObject();
  }
  w.EndArray();

  w.Key("scenes");
  w.BeginArray(d.Scenes.empty());
  for (const TScene& s : d.Scenes) {
    w.Element();
    w.BeginObject();
    w.Str("name", s.Naam);
    w.Key("items");
    w.BeginArray(s.Akties.empty());
    for (const TSceneAktie& a : s.Akties) {
      w.Element();
      w.BeginObject();
      w.Int("ruimte", a.Ruimte);
      w.Int("apparaat", a.Apparaat);
      w.Int("waarde", a.Waarde);
      w.EndObject();
    }
    w.EndArray();
    w.EndObject();
  }
  w.EndArray();

  w.Key("programme");
  w.BeginArray(d.Programma->AllItems.empty());
  for (const KeyedAktie& k : d.Programma->AllItems) {
    const ProgAktie& e = *k.Entry;
    w.Element();
    w.BeginObject();
    w.Int("ruimte", e.Ruimte);
    w.Int("apparaat", e.Apparaat);
    w.Int("maand", e.Maand);
    w.Int("dagDatum", e.DagDatum);
    w.Int("uur", e.Uur);
    w.Int("minuut", e.Minuut);
    w.Int("zonTijd", e.ZonTijd);
    w.Int("random", e.Random);
    w.Int("aktie", e.Aktie);
    w.Key("aangemaakt");
    w.Scalar(QJsonValue(e.Aangemaakt));
    w.Str("sortKey", e.SortKey());
    w.EndObject();
  }
  w.EndArray();

  w.Key("imageLists");
  w.BeginObject();
  w.Int("RuimteImageList", d.RuimteImageList->Count());
  w.Int("AppImageList", d.AppImageList->Count());
  w.Int("CustomRuimteImageList", d.CustomRuimteImageList->Count());
  w.Int("CustomAppImageList", d.CustomAppImageList->Count());
  w.EndObject();
  w.EndObject();
  w.out += '\n';
  return w.out;
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
  // Only the picture counts are shown: the lists are read in place, undecoded.
  const TLoadSave* d = TLoadSave::InstanceForReading();
  for (const QString& problem : d->LoadProblems) ctx.err << "klv820ctl: warning: " << problem << "\n";
  ctx.err.flush();
  const std::string json = InstallationJson(*d);
  // Already UTF-8: straight to standard output, behind what the stream holds.
  ctx.out.flush();
  std::fwrite(json.data(), 1, json.size(), stdout);
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
