#include "core/model/Recovery.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThreadPool>
#include <QTimer>
#include <QtEndian>
#include <utility>
#include <vector>

#include "core/model/LoadSave.h"
#include "core/shell/WorkingFolder.h"

namespace Recovery {
namespace {

const QByteArray kMagic = QByteArrayLiteral("KLV820REC1");

// One writer thread keeps the writes in order.
QThreadPool& Writer() {
  static QThreadPool* pool = [] {
    auto* p = new QThreadPool();
    p->setMaxThreadCount(1);
    return p;
  }();
  return *pool;
}

bool g_scheduled = false;
int g_generation = 0;  // a Remove drops the serialisations scheduled before it

QByteArray Bundle(const std::vector<std::pair<QString, QByteArray>>& files) {
  QByteArray out = kMagic;
  out.append(char(files.size()));
  for (const auto& [name, data] : files) {
    const QByteArray n = name.toLatin1();
    out.append(char(n.size())).append(n);
    char size[4];
    qToLittleEndian<quint32>(quint32(data.size()), size);
    out.append(size, 4).append(data);
  }
  return out;
}

bool Unbundle(const QByteArray& in, std::vector<std::pair<QString, QByteArray>>& files) {
  if (!in.startsWith(kMagic) || in.size() < kMagic.size() + 1) return false;
  qsizetype pos = kMagic.size();
  const int count = uchar(in[pos++]);
  for (int i = 0; i < count; ++i) {
    if (pos >= in.size()) return false;
    const int nameLength = uchar(in[pos++]);
    if (in.size() - pos < nameLength + 4) return false;
    const QString name = QString::fromLatin1(in.mid(pos, nameLength));
    pos += nameLength;
    const quint32 size = qFromLittleEndian<quint32>(in.constData() + pos);
    pos += 4;
    // Only plain names of the working folder, never a path.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        quint64(in.size() - pos) < size)
      return false;
    files.emplace_back(name, in.mid(pos, size));
    pos += size;
  }
  return pos == in.size();
}

void WriteCopy(const QByteArray& bytes, const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return;
  }
  file.commit();
}

void SerialiseAndQueue() {
  g_scheduled = false;
  // Serialised here, on the thread that owns the installation; only the bytes
  // travel to the writer.
  const QByteArray bytes = Bundle(TLoadSave::Instance()->FileImages(true));
  const QString path = CopyPath();
  Writer().start([bytes, path] { WriteCopy(bytes, path); });
}

}  // namespace

QString CopyPath() { return WorkingFile(QStringLiteral("recovery/installation.rec")); }

void NoteConfirmedChange() {
  if (!QCoreApplication::instance()) {
    SerialiseAndQueue();
    return;
  }
  if (g_scheduled) return;
  g_scheduled = true;
  const int generation = g_generation;
  QTimer::singleShot(0, QCoreApplication::instance(), [generation] {
    if (g_scheduled && generation == g_generation) SerialiseAndQueue();
  });
}

void Flush() {
  if (g_scheduled) SerialiseAndQueue();
  Writer().waitForDone();
}

bool CopyPending() {
  Writer().waitForDone();
  const QFileInfo copy(CopyPath());
  if (!copy.exists()) return false;
  QDateTime newest;
  for (const auto& [name, data] : TLoadSave::Instance()->FileImages(true)) {
    const QFileInfo working(WorkingFile(name));
    if (working.exists() && (newest.isNull() || working.lastModified() > newest))
      newest = working.lastModified();
  }
  if (newest.isNull() || copy.lastModified() > newest) return true;
  Remove();
  return false;
}

bool Restore() {
  Writer().waitForDone();
  QFile file(CopyPath());
  if (!file.open(QIODevice::ReadOnly)) return false;
  std::vector<std::pair<QString, QByteArray>> files;
  if (!Unbundle(file.readAll(), files)) return false;
  file.close();
  // Damaged working files are kept before the copy replaces them.
  if (!TLoadSave::Instance()->KeepDamagedCopies().Ok) return false;
  if (!ReplaceWorkingFiles(files).Ok) return false;
  Remove();
  TLoadSave::Recreate();
  return true;
}

void Remove() {
  g_scheduled = false;
  ++g_generation;
  Writer().waitForDone();
  QFile::remove(CopyPath());
  QDir().rmdir(QFileInfo(CopyPath()).absolutePath());
}

}  // namespace Recovery
