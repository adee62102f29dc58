// The system's HID layer: how a failed open is reported. No real box is
// needed; paths that are no HID device must fail, and say why.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "usb/SystemHid.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

class TestHidTransport : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<HidTransport> transport_;

  QString MakeFile(const QString& name) {
    const QString path = dir_.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot create %s", qPrintable(path));
    f.write("not a HID device");
    return path;
  }

 private slots:
  void initTestCase() {
    FailOnUnexpectedWarnings();
    QVERIFY(dir_.isValid());
    transport_ = CreateSystemHidTransport();
    QVERIFY(transport_);
  }

  void nonDevicesFailWithAReason_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("plain file") << QStringLiteral("file");
#ifdef Q_OS_LINUX
    QTest::newRow("other device") << QStringLiteral("/dev/null");
#endif
  }
  void nonDevicesFailWithAReason() {
    QFETCH(QString, kind);
    const QString path = kind == QLatin1String("missing") ? dir_.filePath(QStringLiteral("gone"))
                         : kind == QLatin1String("file")  ? MakeFile(QStringLiteral("plain"))
                                                          : kind;
    HidOpenStatus status = HidOpenStatus::Ok;
    QString error;
    QVERIFY(!transport_->Open(path, &status, &error));
    QCOMPARE(status, HidOpenStatus::Failed);
    QVERIFY(!error.isEmpty());

    // The reason is optional.
    status = HidOpenStatus::Ok;
    QVERIFY(!transport_->Open(path, &status));
    QCOMPARE(status, HidOpenStatus::Failed);
  }

  void refusedOpenIsPermissionDenied() {
#ifdef Q_OS_UNIX
    if (geteuid() == 0) QSKIP("root may open any file");
    const QString path = MakeFile(QStringLiteral("locked"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    HidOpenStatus status = HidOpenStatus::Ok;
    QString error;
    QVERIFY(!transport_->Open(path, &status, &error));
    QCOMPARE(status, HidOpenStatus::PermissionDenied);
    QVERIFY(!error.isEmpty());
#else
    QSKIP("needs a file this user may not open");
#endif
  }
};

QTEST_GUILESS_MAIN(TestHidTransport)
#include "tst_hidtransport.moc"
