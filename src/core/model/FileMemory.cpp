#include "core/model/FileMemory.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>

namespace {

struct Remembered {
  QByteArray digest;
  qint64 size = -1;
  QDateTime modified;
};

QHash<QString, Remembered>& Files() {
  static QHash<QString, Remembered> files;
  return files;
}

// Two 64-bit hashes under different seeds: fast (hardware-assisted where the
// processor has it) over megabytes of pictures, and only ever compared with
// this process's own earlier digests of the same file.
QByteArray Digest(const QByteArray& bytes) {
  const size_t h[2] = {qHash(QByteArrayView(bytes), 0x6b6c76), qHash(QByteArrayView(bytes), 0x383230)};
  return QByteArray(reinterpret_cast<const char*>(h), sizeof h);
}

}  // namespace

namespace FileMemory {

void Remember(const QString& path, const QByteArray& bytes) {
  const QFileInfo info(path);
  if (!info.exists() || info.size() != bytes.size()) {
    Files().remove(path);
    return;
  }
  Files().insert(path, {Digest(bytes), info.size(), info.lastModified()});
}

bool Unchanged(const QString& path, const QByteArray& bytes) {
  const auto it = Files().constFind(path);
  if (it == Files().cend() || it->size != bytes.size()) return false;
  const QFileInfo info(path);
  return info.exists() && info.size() == it->size && info.lastModified() == it->modified &&
         it->digest == Digest(bytes);
}

void Clear() { Files().clear(); }

}  // namespace FileMemory
