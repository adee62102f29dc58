#include <QColorSpace>
#include <QDirIterator>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <set>

#include "TestSupport.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/Backdrop.h"
#include "gui/widgets/BuiltinPictures.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/Gauge.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

class TstWidgets : public QObject {
  Q_OBJECT
  TempWorkspace ws_;

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void windowsColours() {
    QCOMPARE(FromWinColor(729114), QColor(26, 32, 11));
    QCOMPARE(FromWinColor(255), QColor(255, 0, 0));
    QCOMPARE(FromWinColor(0xF0FBFF), QColor(255, 251, 240));
    QCOMPARE(ToWinColor(QColor(26, 32, 11)), 729114u);
    static_assert(WinToRgb(0x00FF0000) == 0xFF0000FFu);
  }

  void imageTransparency() {
    QImage pic(4, 2, QImage::Format_RGB888);
    pic.fill(QColor(10, 20, 30));
    pic.setPixel(1, 0, qRgb(200, 0, 0));
    TImage img;
    img.setPicture(pic);
    QCOMPARE(qAlpha(img.drawnPicture().pixel(0, 0)), 255);  // opaque unless asked
    img.setTransparent(true);                               // key = bottom-left pixel
    QCOMPARE(qAlpha(img.drawnPicture().pixel(0, 0)), 0);
    QCOMPARE(qAlpha(img.drawnPicture().pixel(3, 1)), 0);
    QCOMPARE(img.drawnPicture().pixel(1, 0), qRgb(200, 0, 0));
    img.setPicture(pic, 0x00C80000);  // explicit key, alpha byte ignored
    QCOMPARE(qAlpha(img.drawnPicture().pixel(1, 0)), 0);
    QCOMPARE(qAlpha(img.drawnPicture().pixel(0, 0)), 255);
    img.clear();
    QVERIFY(img.drawnPicture().isNull());
  }

  void imageClicksCarryTheControl() {
    TImage img;
    img.resize(20, 20);
    img.setTag(2);
    QSignalSpy click(&img, &TImage::clicked), dbl(&img, &TImage::doubleClicked);
    QTest::mouseClick(&img, Qt::LeftButton);
    QCOMPARE(click.size(), 1);
    QCOMPARE(click.at(0).at(0).value<QObject*>(), &img);
    QTest::mouseClick(&img, Qt::RightButton);
    QCOMPARE(click.size(), 1);
    // Press inside, release outside: no click.
    QTest::mousePress(&img, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&img, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(click.size(), 1);
    // A double click: one click, then the double click; its release is not another click.
    QTest::mouseDClick(&img, Qt::LeftButton);
    QCOMPARE(dbl.size(), 1);
    QCOMPARE(TUtilities::SenderTag(dbl.at(0).at(0).value<QObject*>()), 2);
  }

  void labelLineBreaks() {
    TLabel l(QStringLiteral("Select a city\ror 'my location'"));
    QCOMPARE(l.text(), QStringLiteral("Select a city\nor 'my location'"));
    l.setText(QStringLiteral("a\r\nb"));
    QCOMPARE(l.text(), QStringLiteral("a\nb"));
    l.setFontColor(Qt::white);
    QCOMPARE(l.fontColor(), QColor(Qt::white));
  }

  void buttonStatesLookDifferent() {
    TGradBtn b(QStringLiteral("OK"));
    b.resize(130, 40);
    QCOMPARE(b.focusPolicy(), Qt::NoFocus);
    const QImage normal = b.grab().toImage();
    b.setEnabled(false);
    const QImage disabled = b.grab().toImage();
    b.setEnabled(true);
    b.setDown(true);
    const QImage pressed = b.grab().toImage();
    b.setDown(false);
    QVERIFY(normal != disabled);
    QVERIFY(normal != pressed);
    // Pressed is darker in the middle of the face.
    QVERIFY(qGray(pressed.pixel(10, 30)) < qGray(normal.pixel(10, 30)));
    TUtilities::SetButtonSelected(&b);
    const QImage selected = b.grab().toImage();
    QCOMPARE(selected.pixelColor(10, 20), QColor(26, 32, 11));
    // Colours set as properties, as a .ui file does for a promoted button.
    QVERIFY(b.setProperty("gradientFrom", QColor(Qt::red)));
    QCOMPARE(b.gradientFrom(), QColor(Qt::red));
  }

  void artworkIsThereInItsSize_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("message") << QString::fromLatin1(Artwork::MessageBackground) << QSize(480, 360);
    QTest::newRow("update") << QString::fromLatin1(Artwork::UpdateBackground) << QSize(480, 360);
    QTest::newRow("time") << QString::fromLatin1(Artwork::TimeBackground) << QSize(497, 272);
    QTest::newRow("daydate") << QString::fromLatin1(Artwork::DayDateBackground) << QSize(497, 272);
    QTest::newRow("action") << QString::fromLatin1(Artwork::ActionBackground) << QSize(352, 272);
    QTest::newRow("month") << QString::fromLatin1(Artwork::MonthBackground) << QSize(497, 409);
    QTest::newRow("main") << QString::fromLatin1(Artwork::MainBackground) << QSize(800, 600);
    QTest::newRow("logo") << QString::fromLatin1(Artwork::Logo) << QSize(130, 39);
  }
  void artworkIsThereInItsSize() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QCOMPARE(QImage(path).size(), size);
  }

  // The start-up artwork is read as baked at build time, in place; it must
  // be the decoded artwork, pixel for pixel, in a form drawn directly.
  void bakedArtworkIsTheArtwork() {
    QStringList baked;
    for (QDirIterator it(QStringLiteral(":/baked"), QDirIterator::Subdirectories); it.hasNext();)
      if (it.next().endsWith(QLatin1String(".raw"))) baked << it.filePath();
    QVERIFY(baked.contains(QStringLiteral(":/baked/art/dialog_message.png.raw")));
    QVERIFY(baked.contains(QStringLiteral(":/baked/art/imgSelected.png.raw")));
    for (const QString& raw : baked) {
      const QString path = QStringLiteral(":/") + raw.mid(8).chopped(4);
      const QImage picture = ReadResourcePicture(path);
      QVERIFY2(!picture.isNull(), qPrintable(path));
      QVERIFY(picture.format() == QImage::Format_RGB32 ||
              picture.format() == QImage::Format_ARGB32_Premultiplied);
      QImageReader reader(path);
      QImage decoded = reader.read().convertToFormat(picture.format());
      decoded.setColorSpace(QColorSpace());  // not kept: drawing does not use it
      QVERIFY2(picture == decoded, qPrintable(path));
    }
    QVERIFY(BakedResourcePicture(QString::fromLatin1(Artwork::UpdateBackground)).isNull());  // not baked
    QCOMPARE(ReadResourcePicture(QString::fromLatin1(Artwork::UpdateBackground)).size(), QSize(480, 360));

    // The window background, in bands: the same pixels, whole and in part.
    const auto banded = TBandedPicture::FromResource(QStringLiteral(":/baked/shell/background.jpg.banded"));
    QVERIFY(banded);
    QImage decoded = QImageReader(QString::fromLatin1(Artwork::MainBackground)).read();
    decoded.convertTo(QImage::Format_RGB32);
    decoded.setColorSpace(QColorSpace());
    QVERIFY(banded->ToImage() == decoded);
    QImage part(decoded.size(), QImage::Format_RGB32);
    part.fill(Qt::black);
    const QRect exposed(30, 5, 300, 590);
    {
      QPainter p(&part);
      banded->Paint(p, exposed);
    }
    QVERIFY(part.copy(exposed) == decoded.copy(exposed));
    QCOMPARE(part.pixel(exposed.right() + 1, 300), qRgb(0, 0, 0));
  }

  void builtinLibraries() {
    const auto rooms = BuiltinRoomPictures();
    const auto devices = BuiltinDevicePictures();
    QCOMPARE(rooms.size(), size_t(32));
    QCOMPARE(devices.size(), size_t(32));
    const QImage blankRoom = RenderLibraryPicture(QStringLiteral(":/icons/rooms/none.svg"), true);
    const QImage blankDevice = RenderLibraryPicture(QStringLiteral(":/icons/devices/none.svg"), false);
    std::set<QByteArray> distinct;
    for (const auto* list : {&rooms, &devices})
      for (const QImage& img : *list) {
        QCOMPARE(img.size(), QSize(130, 80));
        QCOMPARE(img.format(), QImage::Format_RGB888);
        QVERIFY(img != blankRoom && img != blankDevice);  // every icon was found and drawn
        distinct.insert(QByteArray(reinterpret_cast<const char*>(img.constBits()), int(img.sizeInBytes())));
      }
    QCOMPARE(distinct.size(), size_t(64));
  }

  // The bar put together from its pictures and the percentage's glyphs
  // looks as the style draws it, at every fill from empty to full and every
  // percentage (colour steps of at most 2 from blending). Over a backdrop it
  // is opaque and looks as the style's bar laid over that backdrop.
  void gaugeLooksAsTheStyleDrawsIt() {
    QWidget sheet;
    sheet.resize(480, 80);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(19);
    sheet.setFont(f);
    QProgressBar plain(&sheet);
    TGauge gauge(&sheet);
    plain.setGeometry(24, 10, 433, 22);
    gauge.setGeometry(24, 44, 433, 22);
    QPixmap backdrop(gauge.size());
    backdrop.fill(QColor(40, 90, 160));
    for (const bool over : {false, true}) {
      if (over) gauge.setBackdrop(backdrop);
      QCOMPARE(gauge.opaque(), over);
      for (const int maximum : {92, 100, 7}) {
        plain.setMaximum(maximum);
        gauge.setMaximum(maximum);
        for (int v = 0; v <= maximum; ++v) {
          plain.setValue(v);
          gauge.setValue(v);
          QImage a = plain.grab().toImage();
          if (over) {  // the style's bar drawn onto the backdrop
            a = backdrop.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            plain.render(&a, QPoint(), QRegion(), QWidget::RenderFlags());
          }
          a = a.convertToFormat(QImage::Format_ARGB32);
          const QImage b = gauge.grab().toImage().convertToFormat(QImage::Format_ARGB32);
          QCOMPARE(b.size(), a.size());
          int worst = 0;
          for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
              const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
              worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
            }
          if (worst > 2)
            QFAIL(qPrintable(QStringLiteral("%1 of %2 differs by %3").arg(v).arg(maximum).arg(worst)));
        }
      }
      // With the test's fonts the glyphs draw the style's text, so the sweep
      // above checked them (elsewhere the style's own text would be used).
      QVERIFY(gauge.glyphLabel());
    }
  }

  // A bar set with setValueNow shows on the screen what its own paint draws,
  // at every value, whether it draws itself (over its backdrop, in plain
  // view) or falls back to the window's repaint (a control laid over it).
  void gaugeSetNowShowsWhatItPaints() {
    QWidget window;
    window.resize(480, 120);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(19);
    window.setFont(f);
    TGauge gauge(&window);
    gauge.setGeometry(24, 44, 433, 22);
    gauge.setMaximum(92);
    QPixmap backdrop(gauge.size());
    backdrop.fill(QColor(40, 90, 160));
    gauge.setBackdrop(backdrop);
    QWidget cover(&window);
    cover.setGeometry(200, 40, 20, 10);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    gauge.Prepare();
    QSignalSpy changes(&gauge, &QProgressBar::valueChanged);
    for (const bool covered : {false, true}) {
      cover.setVisible(covered);
      gauge.setValue(0);
      QApplication::processEvents();
      changes.clear();
      for (int v = 1; v <= 92; ++v) {
        gauge.setValueNow(v);
        QCOMPARE(gauge.value(), v);
        const QImage shown =
            window.screen()
                ->grabWindow(window.winId(), gauge.x(), gauge.y(), gauge.width(), gauge.height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        QImage painted = gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (covered) {  // the cover's own pixels are not the bar's
          QPainter p(&painted);
          p.drawImage(cover.geometry().translated(-gauge.pos()),
                      shown.copy(cover.geometry().translated(-gauge.pos())));
        }
        if (shown != painted)
          QFAIL(qPrintable(QStringLiteral("%1 (covered %2) differs").arg(v).arg(covered)));
      }
      QCOMPARE(changes.size(), 92);
    }
  }
};

QTEST_MAIN(TstWidgets)
#include "tst_widgets.moc"
