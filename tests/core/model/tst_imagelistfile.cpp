#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include "TestSupport.h"
#include "core/model/ImageListFile.h"

namespace {

// The picture pattern of the golden files (make_golden.py).
QRgb Pattern(int i, int x, int y) {
  return qRgb((x * 3 + i * 50) % 256, ((y * 5 + i * 20) % 256) | 1, (x + y + i * 7) % 256);
}

bool Masks3(int i, int x, int y) {
  if (i == 0) return x < 20;
  if (i == 2) return (x + y) % 5 == 0;
  return false;
}

QByteArray Golden(const char* name) {
  QFile f(QStringLiteral(KLV_TEST_DATA "/imagelist/") + QLatin1String(name));
  if (!f.open(QIODevice::ReadOnly)) qFatal("missing golden file %s", name);
  return f.readAll();
}

QImage PatternPicture(int i) {
  QImage p(130, 80, QImage::Format_RGB888);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 130; ++x) p.setPixel(x, y, Pattern(i, x, y));
  return p;
}

QImage MaskImage(int i, bool (*masked)(int, int, int)) {
  QImage m(130, 80, QImage::Format_Mono);
  m.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  m.fill(0);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 130; ++x)
      if (masked(i, x, y)) m.setPixel(x, y, 1);
  return m;
}

// Compares every pixel; pixels under `mask` (when given) must be transparent.
void CheckPicture(const TImageList& list, int index, const QImage& expected,
                  bool (*masked)(int, int, int) = nullptr) {
  const QImage got = list.Get(index);
  QCOMPARE(got.size(), QSize(130, 80));
  QCOMPARE(got.format(), QImage::Format_RGB888);
  const QImage mask = list.Mask(index);
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 130; ++x) {
      const bool transparent = masked && masked(index, x, y);
      const bool gotTransparent = !mask.isNull() && mask.pixelIndex(x, y) == 1;
      if (transparent != gotTransparent) QFAIL(qPrintable(QStringLiteral("mask at %1,%2").arg(x).arg(y)));
      if (!transparent && got.pixel(x, y) != expected.pixel(x, y))
        QFAIL(qPrintable(QStringLiteral("picture %1 pixel %2,%3: %4 != %5")
                             .arg(index)
                             .arg(x)
                             .arg(y)
                             .arg(got.pixel(x, y), 0, 16)
                             .arg(expected.pixel(x, y), 0, 16)));
    }
  }
}

TImageList Sentinel() {
  TImageList list;
  list.Name = QStringLiteral("before");
  QImage p(130, 80, QImage::Format_RGB888);
  p.fill(qRgb(1, 2, 3));
  list.Add(p);
  return list;
}

void CheckUntouched(const TImageList& list) {
  QCOMPARE(list.Name, QStringLiteral("before"));
  QCOMPARE(list.Count(), 1);
  QCOMPARE(list.Get(0).pixel(5, 5), qRgb(1, 2, 3));
}

}  // namespace

class TestImageListFile : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void readsProgramConventionFiles() {
    TImageList empty = Sentinel();
    QString error;
    QVERIFY2(ParseImageListFile(Golden("empty_named.dat"), empty, &error), qPrintable(error));
    QCOMPARE(empty.Name, QStringLiteral("RuimteImages"));
    QCOMPARE(empty.Count(), 0);

    TImageList two;
    QVERIFY2(ParseImageListFile(Golden("two_unmasked24.dat"), two, &error), qPrintable(error));
    QCOMPARE(two.Name, QStringLiteral("appimages"));
    QCOMPARE(two.Count(), 2);
    for (int i = 0; i < 2; ++i) {
      CheckPicture(two, i, PatternPicture(i));
      QVERIFY(two.Mask(i).isNull());
      QVERIFY(!two.MaskColour(i));
    }

    TImageList three;
    QVERIFY2(ParseImageListFile(Golden("three_masked.dat"), three, &error), qPrintable(error));
    QCOMPARE(three.Name, QStringLiteral("usedRuimteimages"));
    QCOMPARE(three.Count(), 3);
    for (int i = 0; i < 3; ++i) CheckPicture(three, i, PatternPicture(i), Masks3);
    // Masked pixels are black and no visible pixel is, so black is the transparent colour.
    QCOMPARE(three.MaskColour(0), std::optional<QRgb>(0));
    QVERIFY(!three.MaskColour(1));
    QVERIFY(three.Mask(1).isNull());
    QCOMPARE(three.GetMasked(0).pixel(5, 5), 0u);
    QCOMPARE(three.GetMasked(0).pixel(25, 5), Pattern(0, 25, 5) | 0xFF000000u);
  }

  void readsOtherDepthsAndLayouts() {
    QString error;
    TImageList pal8;
    QVERIFY2(ParseImageListFile(Golden("palette8.dat"), pal8, &error), qPrintable(error));
    QCOMPARE(pal8.Count(), 2);
    for (int i = 0; i < 2; ++i) {
      for (int y = 0; y < 80; y += 7) {
        for (int x = 0; x < 130; x += 3) {
          const int v = (x + y + i * 100) % 256;
          QCOMPARE(pal8.Get(i).pixel(x, y), qRgb(v, 255 - v, (v * 7) % 256));
        }
      }
    }

    TImageList one;
    QVERIFY2(ParseImageListFile(Golden("bpp1.dat"), one, &error), qPrintable(error));
    QCOMPARE(one.Count(), 1);
    QCOMPARE(one.Get(0).pixel(0, 0), qRgb(200, 0, 0));
    QCOMPARE(one.Get(0).pixel(13, 0), qRgb(0, 0, 200));
    QCOMPARE(one.Get(0).pixel(13, 8), qRgb(200, 0, 0));
    QCOMPARE(one.Get(0).pixel(129, 79), ((129 / 13 + 79 / 8) % 2) ? qRgb(0, 0, 200) : qRgb(200, 0, 0));

    // Five pictures in two grid rows, 32 bits, masked.
    TImageList wide;
    QVERIFY2(ParseImageListFile(Golden("bpp32_masked.dat"), wide, &error), qPrintable(error));
    QCOMPARE(wide.Name, QStringLiteral("usedAppimages"));
    QCOMPARE(wide.Count(), 5);
    auto lowBand = [](int, int, int y) { return y >= 70; };
    for (int i = 0; i < 5; ++i) CheckPicture(wide, i, PatternPicture(i), lowBand);

    // 65 x 40 pictures in a one-row strip, 16 bits: scaled to the list's size.
    TImageList small;
    QVERIFY2(ParseImageListFile(Golden("small16.dat"), small, &error), qPrintable(error));
    QCOMPARE(small.Count(), 2);
    QCOMPARE(small.Get(0).size(), QSize(130, 80));
    QCOMPARE(small.Get(0).pixel(65, 40), qRgb(255, 0, 0));
    QCOMPARE(small.Get(1).pixel(65, 40), qRgb(0, 255, 123));
  }

  void skipsUnknownProperties() {
    TImageList list;
    QString error;
    QVERIFY2(ParseImageListFile(Golden("extra_props.dat"), list, &error), qPrintable(error));
    QCOMPARE(list.Name, QStringLiteral("RuimteImages"));
    QCOMPARE(list.Count(), 1);
    const QRgb pal4[4] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    auto expected = [&](int x) {
      const int index = 1 + (x / 10) % 15;
      return index < 4 ? pal4[index] : qRgb(index * 16, index * 16, index * 16);
    };
    const QImage mask = list.Mask(0);
    for (int x = 0; x < 130; x += 5) {
      QCOMPARE(list.Get(0).pixel(x, 40), expected(x));
      QCOMPARE(mask.pixelIndex(x, 9), 1);  // top-down: row 0 is the top
      QCOMPARE(mask.pixelIndex(x, 10), 0);
    }
  }

  // Same conventions as the program's writer, so the bytes must agree. Other
  // writers may legitimately differ in capacity, grow, colour depth flags,
  // the BMP file size field and the unused grid cells.
  void writerMatchesGoldenBytes() {
    TImageList empty;
    empty.Name = QStringLiteral("RuimteImages");
    QCOMPARE(WriteImageListFile(empty), Golden("empty_named.dat"));

    TImageList two;
    two.Name = QStringLiteral("appimages");
    for (int i = 0; i < 2; ++i) two.Add(PatternPicture(i));
    QCOMPARE(WriteImageListFile(two), Golden("two_unmasked24.dat"));

    TImageList three;
    three.Name = QStringLiteral("usedRuimteimages");
    for (int i = 0; i < 3; ++i) three.AddWithMask(PatternPicture(i), MaskImage(i, Masks3));
    QCOMPARE(WriteImageListFile(three), Golden("three_masked.dat"));
  }

  void roundTripKeepsPicturesMasksAndName() {
    TImageList list;
    list.Name = QStringLiteral("usedAppimages");
    const QRgb magenta = qRgb(255, 0, 255);
    for (int i = 0; i < 7; ++i) {
      QImage p = PatternPicture(i);
      for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 10 + i; ++x) p.setPixel(x, y, magenta);
      if (i == 3)
        list.Add(p);
      else
        list.Add(p, magenta);
    }
    TImageList back;
    QString error;
    QVERIFY2(ParseImageListFile(WriteImageListFile(list), back, &error), qPrintable(error));
    QCOMPARE(back.Name, list.Name);
    QCOMPARE(back.Count(), 7);
    for (int i = 0; i < 7; ++i) {
      QCOMPARE(back.Mask(i).isNull(), i == 3);
      if (i == 3) {
        QCOMPARE(back.Get(i), list.Get(i));
        continue;
      }
      QCOMPARE(back.Mask(i), list.Mask(i));
      QCOMPARE(back.GetMasked(i), list.GetMasked(i));
      // Written black under the mask; black is unused elsewhere, so it comes back as the colour.
      QCOMPARE(back.MaskColour(i), std::optional<QRgb>(0));
    }
  }

  // A list read from a file decodes a picture only when it is asked for, in
  // any order, to the same picture; writing it gives the same bytes before
  // and after decoding, and as a list built from the decoded pictures.
  void picturesAreDecodedOnlyWhenAsked() {
    for (const char* name : {"two_unmasked24.dat", "three_masked.dat", "palette8.dat", "bpp1.dat",
                             "bpp32_masked.dat", "small16.dat", "extra_props.dat"}) {
      TImageList lazy, backwards;
      QVERIFY(ParseImageListFile(Golden(name), lazy));
      QVERIFY(ParseImageListFile(Golden(name), backwards));
      QVERIFY(lazy.Count() > 0);
      QCOMPARE(lazy.DecodedCount(), 0);
      for (int i = 0; i < lazy.Count(); ++i) lazy.Mask(i);
      const QByteArray undecoded = WriteImageListFile(lazy);
      QCOMPARE(lazy.DecodedCount(), 0);

      TImageList eager(lazy.Width(), lazy.Height());
      eager.Name = lazy.Name;
      for (int i = 0; i < lazy.Count(); ++i) {
        eager.AddWithMask(lazy.Get(i), lazy.Mask(i));
        QCOMPARE(lazy.DecodedCount(), i + 1);
      }
      QCOMPARE(WriteImageListFile(lazy), undecoded);
      QCOMPARE(WriteImageListFile(eager), undecoded);
      // Decoded straight for drawing, and not kept.
      for (int i = 0; i < lazy.Count(); ++i)
        QCOMPARE(backwards.GetMaskedPremultiplied(i),
                 eager.GetMasked(i).convertToFormat(QImage::Format_ARGB32_Premultiplied));
      QCOMPARE(backwards.DecodedCount(), 0);
      for (int i = lazy.Count() - 1; i >= 0; --i) {
        QCOMPARE(backwards.MaskColour(i), eager.MaskColour(i));
        QCOMPARE(backwards.GetMasked(i), eager.GetMasked(i));
        QCOMPARE(backwards.Get(i), eager.Get(i));
      }
    }
  }

  void largeListsAreQuick() {
    TImageList list;
    for (int i = 0; i < 256; ++i)
      list.Add(PatternPicture(i % 9), i % 2 ? std::optional<QRgb>(Pattern(i % 9, 0, 0)) : std::nullopt);
    QElapsedTimer timer;
    timer.start();
    const QByteArray file = WriteImageListFile(list);
    TImageList back;
    QVERIFY(ParseImageListFile(file, back));
    const qint64 ms = timer.elapsed();
    QCOMPARE(back.Count(), 256);
    QCOMPARE(back.GetMasked(255), list.GetMasked(255));
    QCOMPARE(back.Get(254), list.Get(254));
    QVERIFY2(ms < 2000, qPrintable(QStringLiteral("%1 ms").arg(ms)));  // generous: debug and sanitizer builds
  }

  void rejectsMalformedFiles_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a resource") << QByteArray("hello world, this is no image list");
    QTest::newRow("resource length beyond the data") << Golden("bad_resource_length.dat");
    QTest::newRow("absurd picture count") << Golden("bad_huge_count.dat");
    QTest::newRow("absurd bitmap size") << Golden("bad_absurd_bitmap.dat");
    QTest::newRow("strip smaller than the count") << Golden("bad_short_strip.dat");
    QTest::newRow("unknown value type") << Golden("bad_unknown_type.dat");
    QByteArray wrongClass = Golden("empty_named.dat");
    wrongClass.replace("TImageList", "TBitButton");
    QTest::newRow("wrong class") << wrongClass;
    QByteArray badMagic = Golden("two_unmasked24.dat");
    badMagic[badMagic.indexOf("IL")] = 'X';
    QTest::newRow("no IL magic") << badMagic;
    QByteArray badBm = Golden("two_unmasked24.dat");
    badBm[badBm.indexOf("BM")] = 'X';
    QTest::newRow("no BM") << badBm;
    const QByteArray whole = Golden("two_unmasked24.dat");
    const qsizetype tpf0 = whole.indexOf("TPF0");
    const qsizetype bitmap = whole.indexOf(
        "\x06"
        "Bitmap");
    QTest::newRow("bare stream cut after a property") << whole.mid(tpf0, bitmap - tpf0);
  }
  void rejectsMalformedFiles() {
    QFETCH(QByteArray, data);
    TImageList list = Sentinel();
    QString error;
    QVERIFY(!ParseImageListFile(data, list, &error));
    QVERIFY(!error.isEmpty());
    CheckUntouched(list);
  }

  void acceptsABareObjectStream() {
    const QByteArray whole = Golden("three_masked.dat");
    TImageList list;
    QString error;
    QVERIFY2(ParseImageListFile(whole.mid(whole.indexOf("TPF0")), list, &error), qPrintable(error));
    QCOMPARE(list.Count(), 3);
    QCOMPARE(list.Name, QStringLiteral("usedRuimteimages"));
  }

  void truncatedFilesFailCleanly() {
    for (const char* name : {"three_masked.dat", "extra_props.dat", "palette8.dat"}) {
      const QByteArray whole = Golden(name);
      for (qsizetype n = 0; n < whole.size(); n += (n < 400 ? 1 : 499)) {
        // A copy of exactly n bytes, so that reading past it is caught by the sanitizers.
        const QByteArray cut(whole.constData(), n);
        TImageList list = Sentinel();
        QString error;
        if (ParseImageListFile(cut, list, &error))
          QFAIL(qPrintable(QStringLiteral("%1 cut at %2 accepted").arg(name).arg(n)));
        QVERIFY(!error.isEmpty());
        CheckUntouched(list);
      }
    }
  }

  void randomDamageNeverCrashes() {
    QRandomGenerator rng(820);
    const QByteArray base = Golden("extra_props.dat");
    for (int round = 0; round < 300; ++round) {
      QByteArray damaged = base;
      const int hits = 1 + int(rng.bounded(4));
      for (int k = 0; k < hits; ++k) {
        // Mostly the headers and properties, where the lengths and counts live.
        const qsizetype at = rng.bounded(10) < 8 ? rng.bounded(qMin<qsizetype>(400, damaged.size()))
                                                 : rng.bounded(damaged.size());
        damaged[at] = char(rng.bounded(256));
      }
      TImageList list = Sentinel();
      QString error;
      if (!ParseImageListFile(damaged, list, &error)) {
        QVERIFY(!error.isEmpty());
        CheckUntouched(list);
      } else {
        for (int i = 0; i < list.Count(); ++i) QCOMPARE(list.Get(i).size(), QSize(130, 80));
      }
    }
  }
};

QTEST_GUILESS_MAIN(TestImageListFile)
#include "tst_imagelistfile.moc"
