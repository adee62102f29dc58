#include "core/model/FileMemory.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>

namespace {

struct Remembered {
  QByteArray digest;
  QByteArray bytes;                    // not yet digested (RememberKept)
  std::shared_ptr<const void> keeper;  // keeps `bytes` valid until digested
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

namespace {

void Store(const QString& path, const QByteArray& bytes, bool digestNow,
           std::shared_ptr<const void> keeper = {}) {
  const QFileInfo info(path);
  if (!info.exists() || info.size() != bytes.size()) {
    Files().remove(path);
    return;
  }
  Remembered r{QByteArray(), QByteArray(), {}, info.size(), info.lastModified()};
  if (digestNow) {
    r.digest = Digest(bytes);
  } else {
    r.bytes = bytes;
    r.keeper = std::move(keeper);
  }
  Files().insert(path, r);
}

}  // namespace

void Remember(const QString& path, const QByteArray& bytes) { Store(path, bytes, true); }

void RememberKept(const QString& path, const QByteArray& bytes, std::shared_ptr<const void> keeper) {
  Store(path, bytes, false, std::move(keeper));
}

bool Unchanged(const QString& path, const QByteArray& bytes) {
  const auto it = Files().find(path);
  if (it == Files().end() || it->size != bytes.size()) return false;
  const QFileInfo info(path);
  if (!info.exists() || info.size() != it->size || info.lastModified() != it->modified) return false;
  if (it->digest.isEmpty()) {
    it->digest = Digest(it->bytes);
    it->bytes = QByteArray();
    it->keeper.reset();
  }
  return it->digest == Digest(bytes);
}

void Clear() { Files().clear(); }

}  // namespace FileMemory
