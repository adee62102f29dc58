#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// What the program last read from or wrote to each working file, so that a
// save can leave files whose contents would not change untouched. Kept per
// absolute path as a digest of the bytes plus the file's size and
// modification time at that moment: a file changed, replaced or removed by
// anyone else since then is never taken as unchanged.
namespace FileMemory {

// `bytes` are the whole contents of the file at `path` as it is now on disk.
void Remember(const QString& path, const QByteArray& bytes);
// The same for bytes the caller keeps anyway (a file just read, whose
// pictures stay in them): they are held, not copied, and digested only when
// first compared, so a run that never saves (klv820ctl dump) never digests.
// `keeper` keeps mapped bytes valid until then (see HeldFile.h).
void RememberKept(const QString& path, const QByteArray& bytes, std::shared_ptr<const void> keeper = {});
// True when `path` still holds exactly `bytes` as far as remembered: same
// digest, and the file's size and modification time as when remembered.
bool Unchanged(const QString& path, const QByteArray& bytes);
// Forgets every file (a new installation read from scratch).
void Clear();

}  // namespace FileMemory
