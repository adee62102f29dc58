#include "core/model/SettingsSets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/model/LoadSave.h"
#include "core/shell/Win1252.h"
#include "core/shell/WorkingFolder.h"

namespace SettingsSets {

namespace {

const QString kEnvironmentFile = QStringLiteral("environment.dat");

bool IsControl(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
}

bool IsForbidden(QChar c) {
  static const QString kForbidden = QStringLiteral("/\\<>:\"|?*");
  return kForbidden.contains(c);
}

// Windows opens a device for these names whatever the extension or case.
bool IsDeviceName(const QString& name) {
  QString base = name.section(QLatin1Char('.'), 0, 0);
  while (base.endsWith(QLatin1Char(' '))) base.chop(1);
  base = base.toUpper();
  static const QStringList kPlain = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                     QStringLiteral("NUL")};
  if (kPlain.contains(base)) return true;
  if (base.size() != 4) return false;
  const QString stem = base.left(3);
  if (stem != QLatin1String("COM") && stem != QLatin1String("LPT")) return false;
  const QChar digit = base[3];
  // Windows counts the superscript digits 1, 2 and 3 as port numbers too.
  return (digit >= QLatin1Char('0') && digit <= QLatin1Char('9')) || digit == QChar(0xB9) ||
         digit == QChar(0xB2) || digit == QChar(0xB3);
}

std::filesystem::path FsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

// Moves `from` over `to`, replacing it in one step.
bool Replace(const QString& from, const QString& to, QString* error) {
  std::error_code ec;
  std::filesystem::rename(FsPath(from), FsPath(to), ec);
  if (!ec) return true;
  if (error) *error = QString::fromStdString(ec.message());
  return false;
}

Result Failure(Result::Kind kind, const QString& file, const QString& error = QString()) {
  Result r;
  r.What = kind;
  r.File = file;
  r.Error = error;
  return r;
}

Result NameFailure(NameProblem problem, QChar character) {
  Result r;
  r.What = Result::BadName;
  r.Problem = problem;
  r.Character = character;
  return r;
}

// Writes `data` into `path` aside and renames it over the old file.
bool WriteWhole(const QString& path, const QByteArray& data, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
    *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace

QStringList FileNames() {
  return {QStringLiteral("AppImageList.dat"),
          QStringLiteral("RuimteImageList.dat"),
          QStringLiteral("CustomAppImageList.dat"),
          QStringLiteral("CustomRuimteImageList.dat"),
          QStringLiteral("kvl820.dat"),
          kEnvironmentFile};
}

QString Folder() { return WorkingFolder() + QStringLiteral("/config"); }

bool EnsureFolder() { return QDir().mkpath(Folder()); }

QString SetFolder(const QString& name) { return Folder() + QLatin1Char('/') + name; }

NameProblem CheckName(const QString& name, QChar* character) {
  if (name.trimmed().isEmpty()) return NameProblem::Empty;
  if (name == QLatin1String(".") || name == QLatin1String("..")) return NameProblem::Reserved;
  for (QChar c : name) {
    if (IsControl(c) || IsForbidden(c)) {
      if (character) *character = c;
      return NameProblem::BadCharacter;
    }
  }
  for (QChar c : name) {
    if (!IsWin1252(QString(c))) {
      if (character) *character = c;
      return NameProblem::NotWin1252;
    }
  }
  if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
    return NameProblem::TrailingDotOrBlank;
  if (IsDeviceName(name)) return NameProblem::Reserved;
  if (name.size() > MaxNameLength) return NameProblem::TooLong;
  return NameProblem::None;
}

QString DescribeProblem(NameProblem problem, QChar character) {
  const auto shown = [&] {
    return IsControl(character) ? QStringLiteral("U+%1").arg(character.unicode(), 4, 16, QLatin1Char('0'))
                                : QStringLiteral("'%1'").arg(character);
  };
  switch (problem) {
    case NameProblem::None:
      return QString();
    case NameProblem::Empty:
      return QStringLiteral("a settings set needs a name");
    case NameProblem::Reserved:
      return QStringLiteral("the name is reserved by the system");
    case NameProblem::BadCharacter:
      return QStringLiteral("a set name may not contain %1").arg(shown());
    case NameProblem::TrailingDotOrBlank:
      return QStringLiteral("a set name may not end with a dot or a blank");
    case NameProblem::NotWin1252:
      return QStringLiteral("%1 cannot be stored in Windows-1252").arg(shown());
    case NameProblem::TooLong:
      return QStringLiteral("a set name has at most %1 characters").arg(MaxNameLength);
  }
  return QString();
}

QString Result::Describe(const QString& name) const {
  switch (What) {
    case Ok:
      return QString();
    case BadName:
      return QStringLiteral("bad set name \"%1\": %2").arg(name, DescribeProblem(Problem, Character));
    case NoSuchSet:
      return QStringLiteral("there is no settings set \"%1\"").arg(name);
    case MissingFile:
      return QStringLiteral("settings set \"%1\" is incomplete: %2 is missing; nothing was changed")
          .arg(name, File);
    case CopyFailed:
      return QStringLiteral("%1 could not be copied (%2); nothing was changed").arg(File, Error);
    case SaveFailed:
      return QStringLiteral("cannot save %1: %2; nothing was stored").arg(File, Error);
  }
  return QString();
}

QStringList List() {
  QStringList names;
  const QStringList entries = QDir(Folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QString& e : entries)
    if (CheckName(e) == NameProblem::None) names << e;
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  return names;
}

Result CheckLoadable(const QString& name) {
  QChar c;
  if (const NameProblem p = CheckName(name, &c); p != NameProblem::None) return NameFailure(p, c);
  if (!QFileInfo(SetFolder(name)).isDir()) return Failure(Result::NoSuchSet, QString());
  for (const QString& file : FileNames())
    if (!QFileInfo(SetFolder(name) + QLatin1Char('/') + file).isFile())
      return Failure(Result::MissingFile, file);
  return {};
}

Result Store(const QString& name, const std::optional<DataFiles::EnvironmentData>& environment) {
  QChar c;
  if (const NameProblem p = CheckName(name, &c); p != NameProblem::None) return NameFailure(p, c);
  const QString folder = SetFolder(name);
  if (!QDir().mkpath(folder))
    return Failure(Result::CopyFailed, name, QStringLiteral("the folder cannot be created"));
  for (const QString& file : FileNames()) {
    QByteArray data;
    if (environment && file == kEnvironmentFile) {
      data = DataFiles::WriteEnvironment(*environment);
    } else {
      QFile source(WorkingFile(file));
      if (!source.open(QIODevice::ReadOnly)) return Failure(Result::CopyFailed, file, source.errorString());
      data = source.readAll();
      if (source.error() != QFileDevice::NoError)
        return Failure(Result::CopyFailed, file, source.errorString());
    }
    QString error;
    if (!WriteWhole(folder + QLatin1Char('/') + file, data, &error))
      return Failure(Result::CopyFailed, file, error);
  }
  return {};
}

Result SaveAndStore(const QString& name, const std::optional<DataFiles::EnvironmentData>& environment) {
  QChar c;
  if (const NameProblem p = CheckName(name, &c); p != NameProblem::None) return NameFailure(p, c);
  const SaveResult saved = TLoadSave::Instance()->Save();
  if (!saved.Ok) return Failure(Result::SaveFailed, saved.FailedFile, saved.Error);
  return Store(name, environment);
}

Result Load(const QString& name) {
  if (Result check = CheckLoadable(name); !check.ok()) return check;
  const QStringList files = FileNames();

  // Aside, in the working folder so that the renames below stay on one file
  // system: the set's files as "new-*", the working files as "old-*".
  QTemporaryDir staging(WorkingFolder() + QStringLiteral("/.set-load-XXXXXX"));
  if (!staging.isValid()) return Failure(Result::CopyFailed, files.first(), staging.errorString());
  const auto staged = [&](const char* prefix, const QString& file) {
    return staging.path() + QLatin1Char('/') + QLatin1String(prefix) + file;
  };
  for (const QString& file : files) {
    const QString from = SetFolder(name) + QLatin1Char('/') + file;
    QFile source(from);
    if (!QFile::copy(from, staged("new-", file)) || QFileInfo(staged("new-", file)).size() != source.size())
      return Failure(Result::CopyFailed, file, source.errorString());
    const QString working = WorkingFile(file);
    if (QFileInfo(working).isFile() && !QFile::copy(working, staged("old-", file)))
      return Failure(Result::CopyFailed, file, QStringLiteral("the working file cannot be copied aside"));
  }

  for (int i = 0; i < files.size(); ++i) {
    QString error;
    if (Replace(staged("new-", files[i]), WorkingFile(files[i]), &error)) continue;
    // Put back what was replaced already; a file that was not there goes.
    for (int j = 0; j < i; ++j) {
      if (QFileInfo::exists(staged("old-", files[j])))
        Replace(staged("old-", files[j]), WorkingFile(files[j]), nullptr);
      else
        QFile::remove(WorkingFile(files[j]));
    }
    return Failure(Result::CopyFailed, files[i], error);
  }
  TLoadSave::Recreate();
  return {};
}

}  // namespace SettingsSets
