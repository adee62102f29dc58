#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/model/DataFiles.h"

// Settings sets: named copies of the six working files, each in its own
// folder "config/<name>/" below the working folder. The settings screen and
// klv820ctl both go through these functions.
//
// A set name becomes a folder name that must work on Windows and Linux alike,
// so CheckName refuses what either system cannot hold (see NameProblem).
// Loading is all or nothing: the set is checked whole first, its files are
// copied aside next to the working files, and only then does each replace
// its working file by a rename; a failure on the way puts back what was
// replaced.
namespace SettingsSets {

// The six working files, in the order they are copied.
QStringList FileNames();

// WorkingFolder() + "/config".
QString Folder();
// Creates Folder() (and any missing parent); false when it cannot.
bool EnsureFolder();
// Folder() + "/" + name.
QString SetFolder(const QString& name);

enum class NameProblem {
  None,
  Empty,     // nothing, or only blanks
  Reserved,  // ".", "..", or a Windows device name: CON, PRN, AUX, NUL, COM0-9, LPT0-9 (with any extension)
  BadCharacter,        // a path separator, a control character or one of < > : " | ? *
  TrailingDotOrBlank,  // Windows drops a final '.' or ' ', so the folder would get another name
  NotWin1252,          // a character Windows-1252 lacks
  TooLong,             // more than MaxNameLength characters
};
constexpr int MaxNameLength = 64;

// The first problem of `name` as a set name, with the offending character
// in `character` for BadCharacter and NotWin1252.
NameProblem CheckName(const QString& name, QChar* character = nullptr);
// One English line describing the problem (klv820ctl).
QString DescribeProblem(NameProblem problem, QChar character);

// The stored sets: the sub-folders of Folder() whose names pass CheckName,
// sorted ignoring case. Plain files and other folders are left out.
QStringList List();

struct Result {
  enum Kind {
    Ok,
    BadName,      // Problem / Character tell why
    NoSuchSet,    // no folder of that name
    MissingFile,  // File is missing from the set
    CopyFailed,   // File could not be copied or replaced; Error tells why
    SaveFailed,   // the working file File could not be saved; Error tells why
  };
  Kind What = Ok;
  NameProblem Problem = NameProblem::None;
  QChar Character;
  QString File;
  QString Error;
  bool ok() const { return What == Ok; }
  // One English line (klv820ctl).
  QString Describe(const QString& name) const;
};

// Checks that `name` is a valid, complete set (its folder holds all six
// files) without changing anything.
Result CheckLoadable(const QString& name);

// Copies the six working files into set `name` (creating its folder), each
// file replaced atomically. With `environment` the set's "environment.dat"
// is written from it instead of being copied, so that a set can hold choices
// the user has not confirmed into the installation yet.
Result Store(const QString& name,
             const std::optional<DataFiles::EnvironmentData>& environment = std::nullopt);

// Saves the installation (TLoadSave::Save), then Store. A failed save stores
// nothing and names the file.
Result SaveAndStore(const QString& name,
                    const std::optional<DataFiles::EnvironmentData>& environment = std::nullopt);

// Replaces the six working files by those of set `name`, all or nothing, and
// on success recreates the installation object from them.
Result Load(const QString& name);

}  // namespace SettingsSets
