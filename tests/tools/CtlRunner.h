#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs the real klv820ctl binary in a scratch working folder with its own
// settings store (XDG_CONFIG_HOME), so the "Language" setting of one test
// never leaks into another or into the user's.
struct CtlResult {
  int code = -1;
  QByteArray out;
  QByteArray err;

  QString outText() const { return QString::fromUtf8(out); }
  QStringList outLines() const { return Lines(out); }
  QStringList errLines() const { return Lines(err); }
  // stderr without the report lines that --trace adds.
  QStringList errMessages() const {
    QStringList r;
    for (const QString& l : errLines())
      if (!l.startsWith(QLatin1String("> ")) && !l.startsWith(QLatin1String("< "))) r << l;
    return r;
  }
  QStringList traceLines() const {
    QStringList r;
    for (const QString& l : errLines())
      if (l.startsWith(QLatin1String("> ")) || l.startsWith(QLatin1String("< "))) r << l;
    return r;
  }

  static QStringList Lines(const QByteArray& bytes) {
    QString text = QString::fromUtf8(bytes);
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    if (text.isEmpty()) return {};
    return text.split(QLatin1Char('\n'));
  }
};

class CtlRunner {
 public:
  CtlRunner() {
    QDir().mkpath(folder());
    QDir().mkpath(dir_.path() + QStringLiteral("/config"));
  }

  QString folder() const { return dir_.path() + QStringLiteral("/work"); }
  QString file(const QString& name) const { return folder() + QLatin1Char('/') + name; }
  // A path in the scratch area outside the working folder.
  QString scratch(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }

  // Runs klv820ctl --folder <folder> ARGS.
  CtlResult run(const QStringList& args) const { return runRaw(QStringList{"--folder", folder()} + args); }

  // Runs klv820ctl ARGS exactly as given.
  CtlResult runRaw(const QStringList& args) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("HOME"), dir_.path());
    env.remove(QStringLiteral("QT_FATAL_WARNINGS"));
    p.setProcessEnvironment(env);
    p.setProgram(QStringLiteral(KLV820CTL_PATH));
    p.setArguments(args);
    p.start();
    CtlResult r;
    if (!p.waitForStarted(10000)) {
      qWarning("klv820ctl did not start");
      return r;
    }
    p.closeWriteChannel();
    if (!p.waitForFinished(30000)) {
      p.kill();
      p.waitForFinished(5000);
      qWarning("klv820ctl %s did not finish in time", qPrintable(args.join(QLatin1Char(' '))));
      return r;
    }
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    return r;
  }

  QByteArray read(const QString& path) const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  bool write(const QString& path, const QByteArray& bytes) const {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
  }

  // The installation as `dump` prints it (fails the test when it cannot).
  QJsonObject dump() const {
    const CtlResult r = run({QStringLiteral("dump")});
    if (r.code != 0) qWarning("dump failed: %s", r.err.constData());
    return QJsonDocument::fromJson(r.out).object();
  }
  // Imports `json` through a scratch file; returns the result.
  CtlResult import(const QJsonObject& json) const {
    const QString path = scratch(QStringLiteral("import.json"));
    write(path, QJsonDocument(json).toJson());
    return run({QStringLiteral("import"), path});
  }

 private:
  QTemporaryDir dir_;
};

// Every failure prints exactly one line on standard error.
#define CTL_EXPECT_FAILURE(result, exitCode)                                     \
  do {                                                                           \
    const CtlResult& r_ = (result);                                              \
    QCOMPARE(r_.code, exitCode);                                                 \
    QCOMPARE(r_.errMessages().size(), 1);                                        \
    QVERIFY2(!r_.errMessages().first().trimmed().isEmpty(), r_.err.constData()); \
  } while (0)

// The default installation with one switch in room 0 (code 0x21, no code
// wheel), one dimmer (code 0x42, code wheel) and scene 0 switching the first.
inline QJsonObject WithDevices(QJsonObject json) {
  QJsonArray rooms = json["rooms"].toArray();
  QJsonObject room = rooms[0].toObject();
  room["name"] = QStringLiteral("Küche");
  room["imageIndex"] = 2;
  QJsonArray devices = room["devices"].toArray();
  QJsonObject d0 = devices[0].toObject();
  d0["name"] = QStringLiteral("Lampe über dem Tisch");
  d0["imageIndex"] = 1;
  d0["code"] = 0x21;
  d0["codeSchijf"] = 0;
  devices[0] = d0;
  QJsonObject d1 = devices[1].toObject();
  d1["name"] = QStringLiteral("Café");
  d1["imageIndex"] = 3;
  d1["code"] = 0x42;
  d1["codeSchijf"] = 1;
  d1["dimbaar"] = 1;
  d1["dimNiveau"] = 5;
  devices[1] = d1;
  room["devices"] = devices;
  rooms[0] = room;
  json["rooms"] = rooms;

  QJsonArray scenes = json["scenes"].toArray();
  QJsonObject s0 = scenes[0].toObject();
  s0["name"] = QStringLiteral("Soirée");
  QJsonArray items = s0["items"].toArray();
  items[0] = QJsonObject{{"ruimte", 0}, {"apparaat", 0}, {"waarde", 17}};
  s0["items"] = items;
  scenes[0] = s0;
  json["scenes"] = scenes;
  return json;
}

inline QJsonObject Entry(int ruimte, int apparaat, int maand, int dagDatum, int uur, int minuut, int zonTijd,
                         int aktie) {
  return QJsonObject{{"ruimte", ruimte}, {"apparaat", apparaat}, {"maand", maand},     {"dagDatum", dagDatum},
                     {"uur", uur},       {"minuut", minuut},     {"zonTijd", zonTijd}, {"random", 0},
                     {"aktie", aktie},   {"aangemaakt", 46000.5}};
}
