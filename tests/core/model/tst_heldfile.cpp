#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "core/model/HeldFile.h"

namespace {

void WriteAll(const QString& path, const QByteArray& data) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(f.write(data), data.size());
}

QByteArray Pattern(int size) {
  QByteArray bytes(size, Qt::Uninitialized);
  for (int i = 0; i < size; ++i) bytes[i] = char((i * 7 + i / 4096) & 0xFF);
  return bytes;
}

}  // namespace

class TestHeldFile : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }

  // The held bytes stay as they were while another writer rewrites the file
  // in place and cuts it short (a mapping alone would change, then fault).
  void bytesOutliveChangesToTheFile() {
#ifndef Q_OS_LINUX
    QSKIP("files are read, not held, on this system");
#else
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.dat"));
    const QByteArray original = Pattern(3 * 1024 * 1024 + 123);
    WriteAll(path, original);
    std::optional<THeldFile> held = HoldFile(path, original.size());
    QVERIFY(held);
    QCOMPARE(held->bytes, original);

    WriteAll(path, QByteArray(original.size(), 'x'));
    QCOMPARE(held->bytes, original);
    WriteAll(path, QByteArray("short"));
    QCOMPARE(held->bytes, original);
    {
      QFile f(path);
      QVERIFY(f.open(QIODevice::ReadOnly));
      QCOMPARE(f.readAll(), QByteArray("short"));
    }

    // A second hold on the rewritten file, let go: writing is not held up.
    std::optional<THeldFile> again = HoldFile(path, 100);
    QVERIFY(again);
    QCOMPARE(again->bytes, QByteArray("short"));
    again.reset();
    WriteAll(path, QByteArray("third"));
    QCOMPARE(held->bytes, original);
#endif
  }

  // Not held: empty, too large, missing, or open for writing elsewhere.
  void refusals() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.dat"));
    WriteAll(path, QByteArray());
    QVERIFY(!HoldFile(path, 100));
    WriteAll(path, QByteArray(101, 'a'));
    QVERIFY(!HoldFile(path, 100));
    QVERIFY(!HoldFile(dir.filePath(QStringLiteral("missing.dat")), 100));
    QFile writer(path);
    QVERIFY(writer.open(QIODevice::ReadWrite));
    QVERIFY(!HoldFile(path, 1000));
    writer.close();
#ifdef Q_OS_LINUX
    QVERIFY(HoldFile(path, 1000));
#endif
  }
};

QTEST_GUILESS_MAIN(TestHeldFile)
#include "tst_heldfile.moc"
