#include <QBuffer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <stdexcept>

#include "TestSupport.h"
#include "core/device/DeviceTestSupport.h"
#include "core/device/MyDevFunctions.h"
#include "gui/shell/Melding.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

namespace {

QImage Solid(int w, int h, QColor c) {
  QImage img(w, h, QImage::Format_RGB888);
  img.fill(c);
  return img;
}

// Handcrafted headers: a valid BMP/GIF start that claims the given size.
QByteArray BmpHeader(int32_t w, int32_t h) {
  QByteArray b(54, '\0');
  auto put32 = [&](int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, 54 + 16);
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  b[26] = 1;
  b[28] = 24;
  return b + QByteArray(16, '\x7f');
}

QByteArray GifHeader(uint16_t w, uint16_t h) {
  QByteArray b("GIF89a");
  b.append(char(w & 0xFF)).append(char(w >> 8)).append(char(h & 0xFF)).append(char(h >> 8));
  b.append("\x80\x00\x00", 3).append("\xff\xff\xff\x00\x00\x00", 6);
  b.append(",\x00\x00\x00\x00", 5).append(char(w & 0xFF)).append(char(w >> 8)).append(char(h & 0xFF));
  b.append(char(h >> 8)).append("\x00\x02\x02\x44\x01\x00;", 7);
  return b;
}

// A 1 x 1 GIF whose only pixel is transparent white.
const QByteArray kTinyGif = QByteArray(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,"
    "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    43);

// Clicks the first button of the message dialog as soon as it is shown and
// records what the dialog showed.
struct MeldWatcher {
  QString line1, line2, button1;
  bool button2Visible = true;
  void arm() {
    QTimer::singleShot(0, [this] {
      QVERIFY(frmMeld);
      line1 = frmMeld->Label1()->text();
      line2 = frmMeld->Label2()->text();
      button1 = frmMeld->btn1()->text();
      button2Visible = frmMeld->btn2()->isVisibleTo(frmMeld);
      frmMeld->btn1()->click();
    });
  }
};

}  // namespace

class TstUtilities : public QObject {
  Q_OBJECT
  TempWorkspace ws_;
  QTemporaryDir dir_;

  QString write(const QString& name, const QImage& img, const char* format) {
    const QString path = dir_.filePath(name);
    if (!img.save(path, format)) qFatal("cannot write %s", qPrintable(path));
    return path;
  }
  QString writeBytes(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
    return path;
  }
  static QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void cleanup() { ResetBoxLink(); }

  void senderTag() {
    TImage img;
    img.setTag(3);
    TLabel lbl;
    lbl.setTag(7);
    QLabel plain;
    plain.setProperty("Tag", 5);
    QLabel untagged;
    TGradBtn btn;
    btn.setTag(9);
    QCOMPARE(TUtilities::SenderTag(&img), 3);
    QCOMPARE(TUtilities::SenderTag(&lbl), 7);
    QCOMPARE(TUtilities::SenderTag(&plain), 5);
    QCOMPARE(TUtilities::SenderTag(&untagged), 0);
    QCOMPARE(TUtilities::SenderTag(&btn), -1);  // buttons are not labels or images
    QCOMPARE(TUtilities::SenderTag(nullptr), -1);
  }

  void pagePosition() {
    QCOMPARE(TUtilities::PagePosition(5), 1);
    QCOMPARE(TUtilities::PagePosition(-5), -1);
    QCOMPARE(TUtilities::PagePosition(4), 0);
    QCOMPARE(TUtilities::PagePosition(15), 3);
  }

  void buttonLooks() {
    TGradBtn b;
    TUtilities::SetButtonSelected(&b);
    QCOMPARE(b.fontColor(), QColor(Qt::white));
    QCOMPARE(b.gradientFrom(), QColor(26, 32, 11));
    QCOMPARE(b.gradientTo(), QColor(26, 32, 11));
    TUtilities::SetButtonNormal(&b);
    QCOMPARE(b.fontColor(), QColor(Qt::black));
    QCOMPARE(b.gradientFrom(), QColor(128, 128, 128));
    QCOMPARE(b.gradientTo(), QColor(Qt::white));
  }

  void roundButtonsOnlyTouchesGradientButtons() {
    QWidget form;
    auto* inner = new QWidget(&form);
    auto* b = new TGradBtn(inner);
    b->setGeometry(0, 0, 130, 40);
    auto* plain = new QPushButton(&form);
    plain->setGeometry(0, 50, 130, 40);
    TUtilities::RoundButtons(&form);
    const QRegion m = b->mask();
    QVERIFY(m.contains(QPoint(65, 20)));
    QVERIFY(m.contains(QPoint(1, 20)));
    QVERIFY(m.contains(QPoint(129, 20)));
    QVERIFY(m.contains(QPoint(65, 39)));
    QVERIFY(!m.contains(QPoint(0, 20)));  // the outline starts at (1, 1)
    QVERIFY(!m.contains(QPoint(65, 0)));
    QVERIFY(!m.contains(QPoint(2, 2)));  // inside the corner ellipse's cut
    QVERIFY(!m.contains(QPoint(128, 38)));
    QVERIFY(plain->mask().isEmpty());
    form.resize(300, 200);
    form.show();
    b->resize(200, 60);  // the outline follows the size
    QVERIFY(b->mask().contains(QPoint(199, 30)));
  }

  void unusedColourSearchOrder() {
    QCOMPARE(TUtilities::UnusedColour(Solid(4, 4, Qt::white)), 0);  // black first
    // Black present: red 1 is next (0x00RRGGBB).
    QCOMPARE(TUtilities::UnusedColour(Solid(4, 4, Qt::black)), 0x010000);
    // Every red of green 0 / blue 0: green 1 comes next, red back at 0.
    QImage reds(256, 1, QImage::Format_RGB888);
    for (int r = 0; r < 256; ++r) reds.setPixel(r, 0, qRgb(r, 0, 0));
    QCOMPARE(TUtilities::UnusedColour(reds), 0x000100);
    // Every red and green of blue 0: blue 1.
    QImage plane(256, 256, QImage::Format_RGB888);
    for (int g = 0; g < 256; ++g)
      for (int r = 0; r < 256; ++r) plane.setPixel(r, g, qRgb(r, g, 0));
    QCOMPARE(TUtilities::UnusedColour(plane), 0x000001);
    // Channel order of the other 24-bit layout is honoured.
    QImage bgr(2, 1, QImage::Format_BGR888);
    bgr.setPixel(0, 0, qRgb(0, 0, 0));
    bgr.setPixel(1, 0, qRgb(1, 0, 0));
    QCOMPARE(TUtilities::UnusedColour(bgr), 0x020000);
  }

  void unusedColourAllColoursAndOtherDepths() {
    QImage all(4096, 4096, QImage::Format_RGB888);
    for (int y = 0; y < 4096; ++y) {
      uchar* line = all.scanLine(y);
      for (int x = 0; x < 4096; ++x) {
        const uint32_t n = uint32_t(y) * 4096 + uint32_t(x);
        line[3 * x] = uchar(n);
        line[3 * x + 1] = uchar(n >> 8);
        line[3 * x + 2] = uchar(n >> 16);
      }
    }
    QCOMPARE(TUtilities::UnusedColour(all), -1);
    QImage argb(4, 4, QImage::Format_ARGB32);
    try {
      TUtilities::UnusedColour(argb);
      QFAIL("no error for a 32-bit picture");
    } catch (const std::invalid_argument& e) {
      QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("Intented only for 24bit bitmaps"));
    }
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             TUtilities::UnusedColour(QImage(4, 4, QImage::Format_Indexed8)));
  }

  void loadPictureFitsWidePicture() {
    // 260 x 81: height 40.5 rounds to 40 (half to even), y 20.
    const auto r = TUtilities::LoadPicture(write("wide.bmp", Solid(260, 81, QColor(200, 10, 10)), "BMP"));
    QVERIFY2(r.ok(), qPrintable(r.Error));
    QCOMPARE(r.Picture.size(), QSize(130, 80));
    QCOMPARE(r.Picture.format(), QImage::Format_RGB888);
    QCOMPARE(r.TransparentColour, QRgb(0));  // the picture holds no black
    for (int x : {0, 64, 129}) {
      QCOMPARE(At(r.Picture, x, 19), r.TransparentColour);
      QCOMPARE(At(r.Picture, x, 20), QRgb(0xC80A0A));
      QCOMPARE(At(r.Picture, x, 59), QRgb(0xC80A0A));
      QCOMPARE(At(r.Picture, x, 60), r.TransparentColour);
    }
    QCOMPARE(At(r.Picture, 0, 79), r.TransparentColour);
  }

  void loadPictureFitsTallPicture() {
    // 80 x 80 sits at x 25; 125 x 80 at x 2 (2.5 rounds to even).
    auto r = TUtilities::LoadPicture(write("square.BMP", Solid(80, 80, Qt::blue), "BMP"));
    QVERIFY2(r.ok(), qPrintable(r.Error));
    QCOMPARE(At(r.Picture, 24, 40), r.TransparentColour);
    QCOMPARE(At(r.Picture, 25, 40), QRgb(0x0000FF));
    QCOMPARE(At(r.Picture, 104, 40), QRgb(0x0000FF));
    QCOMPARE(At(r.Picture, 105, 40), r.TransparentColour);
    r = TUtilities::LoadPicture(write("narrow.bmp", Solid(125, 80, Qt::blue), "BMP"));
    QVERIFY2(r.ok(), qPrintable(r.Error));
    QCOMPARE(At(r.Picture, 1, 40), r.TransparentColour);
    QCOMPARE(At(r.Picture, 2, 40), QRgb(0x0000FF));
    QCOMPARE(At(r.Picture, 126, 40), QRgb(0x0000FF));
    QCOMPARE(At(r.Picture, 127, 40), r.TransparentColour);
  }

  void loadPictureKeyAvoidsPictureColours() {
    // Black in the picture: the margins take red 1; (0, 79) is forced to it
    // even where the picture covers that pixel.
    QImage img = Solid(130, 80, Qt::black);
    const auto r = TUtilities::LoadPicture(write("black.bmp", img, "BMP"));
    QVERIFY2(r.ok(), qPrintable(r.Error));
    QCOMPARE(r.TransparentColour, QRgb(0x010000));
    QCOMPARE(At(r.Picture, 0, 79), QRgb(0x010000));
    QCOMPARE(At(r.Picture, 1, 79), QRgb(0));
  }

  void loadPictureCameraJpeg() {
    // A 4000 x 3000 photo, decoded at reduced scale: 107 x 80 at x 12.
    QImage photo(4000, 3000, QImage::Format_RGB888);
    photo.fill(QColor(90, 160, 220));
    const QString path = write("photo.jpg", photo, "JPEG");
    const auto r = TUtilities::LoadPicture(path);
    QVERIFY2(r.ok(), qPrintable(r.Error));
    QCOMPARE(At(r.Picture, 11, 40), r.TransparentColour);
    QCOMPARE(At(r.Picture, 119, 40), r.TransparentColour);
    for (int x : {12, 65, 118}) {
      const QColor c = r.Picture.pixelColor(x, 40);
      QVERIFY2(qAbs(c.red() - 90) < 8 && qAbs(c.green() - 160) < 8 && qAbs(c.blue() - 220) < 8,
               qPrintable(QStringLiteral("x %1: %2").arg(x).arg(c.name())));
    }
  }

  void loadPictureGif() {
    const auto r = TUtilities::LoadPicture(writeBytes("dot.gif", kTinyGif));
    QVERIFY2(r.ok(), qPrintable(r.Error));
    QCOMPARE(At(r.Picture, 65, 40), QRgb(0xFFFFFF));  // transparency lies on white
    QCOMPARE(At(r.Picture, 10, 40), r.TransparentColour);
  }

  void loadPictureReportsBadInput_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    // The JPEG decoder says what it found wrong on its own; that note is expected.
    QTest::addColumn<QString>("decoderNote");
    QTest::newRow("corrupt jpeg") << "bad.jpg" << QByteArray("\xff\xd8\xff\xe0 this is not a jpeg", 24)
                                  << "JPEG datastream contains no image";
    QTest::newRow("empty bmp") << "empty.bmp" << QByteArray() << QString();
    QTest::newRow("truncated gif") << "cut.gif" << QByteArray("GIF89a\x10\x00", 8) << QString();
    QTest::newRow("zero width bmp") << "zero.bmp" << BmpHeader(0, 10) << QString();
    QTest::newRow("huge bmp") << "huge.bmp" << BmpHeader(20000, 10000) << QString();
    QTest::newRow("huge gif") << "huge.gif" << GifHeader(65535, 65535) << QString();
    QTest::newRow("png extension") << "pic.png" << kTinyGif << QString();
    QTest::newRow("gif named jpg") << "gif.jpg" << kTinyGif << "Not a JPEG file";
  }
  void loadPictureReportsBadInput() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, decoderNote);
    if (!decoderNote.isEmpty())
      QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(decoderNote)));
    const auto r = TUtilities::LoadPicture(writeBytes(name, bytes));
    QVERIFY(!r.ok());
    QVERIFY(r.Picture.isNull());
    QVERIFY2(r.Error.contains(name), qPrintable(r.Error));
  }

  void loadPictureMissingFile() {
    const auto r = TUtilities::LoadPicture(dir_.filePath("nothere.jpg"));
    QVERIFY(!r.ok());
    QVERIFY(r.Picture.isNull());
  }

  void checkCode() {
    QVERIFY(TUtilities::CheckCode(0));  // no dialog: it would block the test
    QVERIFY(TUtilities::CheckCode(255));
    MeldWatcher w;
    w.arm();
    QVERIFY(!TUtilities::CheckCode(-1));
    QCOMPARE(w.line1, QStringLiteral("Attention!"));
    QCOMPARE(w.line2, QStringLiteral("Device has no code"));
    QCOMPARE(w.button1, QStringLiteral("OK"));
    QVERIFY(!w.button2Visible);
    QVERIFY(!frmMeld);
  }

  void checkConnected() {
    BoxConnected = true;
    QVERIFY(TUtilities::CheckConnected());
    BoxConnected = false;
    MeldWatcher w;
    w.arm();
    QVERIFY(!TUtilities::CheckConnected());
    QCOMPARE(w.line2, QStringLiteral("The KLV-820 is not connected"));
    QVERIFY(!frmMeld);
  }

  void indicatorAvailability() {
    QList<QObject*> clicks;
    TIndicatorHandler h(4, [&](QObject* s) { clicks << s; });
    QCOMPARE(h.CurrentPage, -1);
    TImage dots[5];
    for (auto& d : dots) {
      d.resize(25, 25);
      h.AddIndicator(&d);
    }
    QCOMPARE(h.Count, 4);  // a fifth dot is refused
    QCOMPARE(TUtilities::SenderTag(&dots[2]), 2);
    const auto* f = TImageFetcher::Instance();

    h.Update(0, 4);  // page holding the first free slot is reachable
    QCOMPARE(h.CurrentPage, 0);
    QCOMPARE(dots[0].picture(), f->Picture(UIPic::PISel));
    QCOMPARE(dots[1].picture(), f->Picture(UIPic::PINotSel));
    QCOMPARE(dots[2].picture(), f->Picture(UIPic::PIDisabled));
    QCOMPARE(dots[3].picture(), f->Picture(UIPic::PIDisabled));
    QTest::mouseClick(&dots[3], Qt::LeftButton);
    QTest::mouseClick(&dots[2], Qt::LeftButton);
    QVERIFY(clicks.isEmpty());
    QTest::mouseClick(&dots[1], Qt::LeftButton);
    QCOMPARE(clicks, QList<QObject*>{&dots[1]});

    h.Update(0, 0);
    QCOMPARE(dots[0].picture(), f->Picture(UIPic::PISel));
    QCOMPARE(dots[1].picture(), f->Picture(UIPic::PIDisabled));
    QTest::mouseClick(&dots[1], Qt::LeftButton);
    QCOMPARE(clicks.size(), 1);

    h.Update(3, 16);  // all available again, last one shown
    QCOMPARE(dots[3].picture(), f->Picture(UIPic::PISel));
    QCOMPARE(dots[0].picture(), f->Picture(UIPic::PINotSel));
    QTest::mouseClick(&dots[3], Qt::LeftButton);
    QCOMPARE(clicks.size(), 2);
  }

  void sharedPictureSizes() {
    const QSize sizes[] = {{130, 198}, {130, 198}, {25, 25}, {25, 25}, {25, 25},
                           {64, 16},   {64, 16},   {64, 16}, {64, 16}, {130, 116},
                           {130, 116}, {40, 40},   {40, 40}, {40, 40}, {40, 40}};
    const auto* f = TImageFetcher::Instance();
    QCOMPARE(f, TImageFetcher::Instance());
    for (int n = 1; n <= 15; ++n) QCOMPARE(f->Picture(n).size(), sizes[n - 1]);
    QVERIFY(f->Picture(0).isNull());
    QVERIFY(f->Picture(16).isNull());
    // Tiles have transparent rounded corners; arrows are opaque.
    QCOMPARE(qAlpha(f->Picture(UIPic::Selected).pixel(0, 0)), 0);
    QCOMPARE(qAlpha(f->Picture(UIPic::Selected).pixel(65, 100)), 255);
    QVERIFY(!f->Picture(UIPic::PlineUpU).hasAlphaChannel());
    QVERIFY(f->Picture(UIPic::PlineUpU) != f->Picture(UIPic::PlineUpD));
  }
};

QTEST_MAIN(TstUtilities)
#include "tst_utilities.moc"
