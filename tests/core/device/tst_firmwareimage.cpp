#include <QTest>

#include "HexRecordSupport.h"
#include "TestSupport.h"
#include "core/device/FirmwareImage.h"

namespace {

QString Record(int type, int address, const QByteArray& data) {
  return QString::fromLatin1(HexRecord(type, address, data));
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray b;
  for (int v : values) b.append(char(v));
  return b;
}

}  // namespace

class TestFirmwareImage : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void embeddedImageParses() {
    TFirmwareImage image;
    QString error;
    QVERIFY2(ReadHexFile(QString::fromLatin1(EmbeddedFirmwarePath), &image, &error), qPrintable(error));
    QVERIFY(image.Ok());
    QCOMPARE(image.Stop, HexStop::EndOfLines);
    QCOMPARE(image.HighestAddress, 0x6FFF);
    // Some pages are erased, so the update skips them.
    QVERIFY(image.UsedPages() > 0);
    QVERIFY(image.UsedPages() < FlashPageCount);
    QVERIFY(!image.AllFF(0));
    QVERIFY(!image.AllFF(FlashLimit - FlashPageSize));
    QCOMPARE(image.Bytes[FlashLimit], uint8_t(0xFF));
  }

  void dataRecordExchangesWordBytes() {
    const TFirmwareImage image = readbuf({QStringLiteral(":0400000001020304F2")});
    QVERIFY(image.Ok());
    QCOMPARE(image.Bytes[0], uint8_t(0x02));
    QCOMPARE(image.Bytes[1], uint8_t(0x01));
    QCOMPARE(image.Bytes[2], uint8_t(0x04));
    QCOMPARE(image.Bytes[3], uint8_t(0x03));
    QCOMPARE(image.Bytes[4], uint8_t(0xFF));
    QCOMPARE(image.HighestAddress, 3);
  }

  void linesAndRecordsThatAreSkipped() {
    // Comments, blanks and CR line ends are skipped; an end-of-file record in
    // the middle does not end parsing; records of other types (extended
    // address) need no valid checksum and change nothing.
    const TFirmwareImage image =
        readbuf({QStringLiteral("; made by hand"), QString(), QStringLiteral(":0400000001020304F2\r"),
                 QStringLiteral(":00000001FF"), QStringLiteral(":020000020000AB"),
                 QStringLiteral(":0200000400FFFF"), Record(0, 0x10, Bytes({0xAA, 0xBB}))});
    QVERIFY(image.Ok());
    QCOMPARE(image.Bytes[0], uint8_t(0x02));
    QCOMPARE(image.Bytes[0x10], uint8_t(0xBB));
    QCOMPARE(image.Bytes[0x11], uint8_t(0xAA));
    QCOMPARE(image.UsedPages(), 1);
  }

  void checksumErrorStopsParsing_data() {
    QTest::addColumn<QString>("bad");
    QTest::newRow("data record") << QStringLiteral(":0400100001020304E3");
    QTest::newRow("end of file record") << QStringLiteral(":00000001FE");
    QTest::newRow("not hex") << QStringLiteral(":04001000010203G4E2");
    QTest::newRow("cut short") << QStringLiteral(":0400100001020304");
    QTest::newRow("no fields") << QStringLiteral(":04");
  }
  void checksumErrorStopsParsing() {
    QFETCH(QString, bad);
    const TFirmwareImage image =
        readbuf({Record(0, 0, Bytes({0x11, 0x22})), bad, Record(0, 0x20, Bytes({0x33, 0x44}))});
    QCOMPARE(image.Stop, HexStop::Corrupt);
    QCOMPARE(image.Line, 2);
    QCOMPARE(image.Message(), std::optional<TextId>(TextId::FileCorruptChecksumError));
    // What came before stays; nothing after is read.
    QCOMPARE(image.Bytes[0], uint8_t(0x22));
    QCOMPARE(image.Bytes[0x20], uint8_t(0xFF));
  }

  void addressLimits() {
    // The last word of the application area fits exactly.
    TFirmwareImage image = readbuf({Record(0, 0x6FFE, Bytes({0x12, 0x34}))});
    QVERIFY(image.Ok());
    QCOMPARE(image.HighestAddress, 0x6FFF);
    QCOMPARE(image.Bytes[0x6FFE], uint8_t(0x34));
    QCOMPARE(image.Bytes[0x6FFF], uint8_t(0x12));

    // A record starting at the limit ends parsing silently.
    image = readbuf({Record(0, 0x7000, Bytes({1, 2})), Record(0, 0, Bytes({1, 2}))});
    QCOMPARE(image.Stop, HexStop::AddressAtLimit);
    QVERIFY(image.Ok());
    QCOMPARE(image.Bytes[0], uint8_t(0xFF));

    // Data running past the limit: the message, what fitted stays.
    image = readbuf({Record(0, 0x6FFC, Bytes({1, 2, 3, 4, 5, 6})), Record(0, 0, Bytes({1, 2}))});
    QCOMPARE(image.Stop, HexStop::FlashOverflow);
    QCOMPARE(image.Message(), std::optional<TextId>(TextId::AddressExcedesFlashSize));
    QCOMPARE(image.Bytes[0x6FFF], uint8_t(0x03));
    QCOMPARE(image.Bytes[0], uint8_t(0xFF));

    // A word starting at the last address has no room for its second byte.
    image = readbuf({Record(0, 0x6FFF, Bytes({1, 2}))});
    QCOMPARE(image.Stop, HexStop::FlashOverflow);
  }

  void sumOfTheArea() {
    TFirmwareImage image = readbuf({});
    QCOMPARE(image.Sum(), uint32_t(0x6F9000));
    image = readbuf({Record(0, 0, Bytes({0x00, 0x00}))});
    QCOMPARE(image.Sum(), uint32_t(0x6F9000 - 2 * 0xFF));
  }

  void unreadableFile() {
    TFirmwareImage image;
    QString error;
    QVERIFY(!ReadHexFile(QStringLiteral("/nonexistent/firmware.hex"), &image, &error));
    QVERIFY(!error.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TestFirmwareImage)
#include "tst_firmwareimage.moc"
