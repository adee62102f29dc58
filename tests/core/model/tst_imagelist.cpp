#include <algorithm>

#include <QTest>

#include "TestSupport.h"
#include "core/model/ImageList.h"

namespace {

const QRgb kKey = qRgb(255, 0, 255);

// A 130 x 80 picture: key colour in the left 30 columns, a gradient elsewhere.
QImage KeyedPicture() {
  QImage p(130, 80, QImage::Format_RGB32);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 130; ++x) p.setPixel(x, y, x < 30 ? kKey : qRgb(x, y, 100));
  return p;
}

int Transparent(const QImage& mask) {
  int n = 0;
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x) n += mask.pixelIndex(x, y);
  return n;
}

}  // namespace

class TestImageList : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void addScalesToTheListSize() {
    TImageList list;
    QImage big(260, 160, QImage::Format_ARGB32);
    big.fill(qRgb(10, 20, 30));
    QCOMPARE(list.Add(big), 0);
    QImage small(13, 8, QImage::Format_Indexed8);
    small.setColorTable({qRgb(200, 100, 0)});
    small.fill(0);
    QCOMPARE(list.Add(small), 1);
    QCOMPARE(list.Count(), 2);
    for (int i = 0; i < 2; ++i) {
      QCOMPARE(list.Get(i).size(), QSize(130, 80));
      QCOMPARE(list.Get(i).format(), QImage::Format_RGB888);
    }
    QCOMPARE(list.Get(0).pixel(64, 40), qRgb(10, 20, 30));
    QCOMPARE(list.Get(1).pixel(129, 79), qRgb(200, 100, 0));

    TImageList other(16, 16);
    other.Add(big);
    QCOMPARE(other.Get(0).size(), QSize(16, 16));
  }

  void maskColourCutsOutItsPixels() {
    TImageList list;
    list.Add(KeyedPicture(), kKey | 0xFF000000u);
    QCOMPARE(list.MaskColour(0), std::optional<QRgb>(kKey & 0x00FFFFFF));
    const QImage mask = list.Mask(0);
    QCOMPARE(mask.format(), QImage::Format_Mono);
    QCOMPARE(Transparent(mask), 30 * 80);
    QCOMPARE(mask.pixelIndex(29, 79), 1);
    QCOMPARE(mask.pixelIndex(30, 0), 0);

    const QImage drawn = list.GetMasked(0);
    QCOMPARE(drawn.format(), QImage::Format_ARGB32);
    QCOMPARE(qAlpha(drawn.pixel(0, 0)), 0);
    QCOMPARE(drawn.pixel(40, 10), qRgba(40, 10, 100, 255));
    // Get keeps the key colour itself.
    QCOMPARE(list.Get(0).pixel(0, 0), kKey);
  }

  void scaledKeyedPictureKeepsAHardMask() {
    // Smoothing would blend the key into its neighbours and leave a fringe.
    QImage half = KeyedPicture().scaled(65, 40);
    TImageList list;
    list.Add(half, kKey);
    const QImage mask = list.Mask(0);
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 130; ++x) {
        const bool key = list.Get(0).pixel(x, y) == kKey;
        QCOMPARE(mask.pixelIndex(x, y) == 1, key);
      }
    QVERIFY(Transparent(mask) > 0);
  }

  void replaceAndBounds() {
    TImageList list;
    list.Add(KeyedPicture(), kKey);
    QImage plain(130, 80, QImage::Format_RGB32);
    plain.fill(kKey);
    QVERIFY(list.Replace(0, plain));  // no colour: fully opaque, mask gone
    QVERIFY(list.Mask(0).isNull());
    QVERIFY(!list.MaskColour(0));
    QCOMPARE(qAlpha(list.GetMasked(0).pixel(3, 3)), 255);

    QVERIFY(!list.Replace(1, plain));
    QVERIFY(!list.Replace(-1, plain));
    QCOMPARE(list.Count(), 1);
    QVERIFY(list.Get(1).isNull());
    QVERIFY(list.Get(-1).isNull());
    QVERIFY(list.GetMasked(7).isNull());
    QVERIFY(list.Mask(7).isNull());
    QVERIFY(!list.MaskColour(7));

    list.Clear();
    QCOMPARE(list.Count(), 0);
    QCOMPARE(list.Add(plain), 0);
  }

  void addWithMaskDerivesTheColourOnlyWhenUnambiguous() {
    TImageList list;
    QImage mask(130, 80, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 30; ++x) mask.setPixel(x, y, 1);

    list.AddWithMask(KeyedPicture(), mask);
    QCOMPARE(list.MaskColour(0), std::optional<QRgb>(kKey & 0x00FFFFFF));
    QCOMPARE(list.Mask(0), list.Mask(list.Add(KeyedPicture(), kKey)));

    // A visible pixel of the same colour: the mask stays, but no single colour describes it.
    QImage shared = KeyedPicture();
    shared.setPixel(100, 50, kKey);
    list.AddWithMask(shared, mask);
    QVERIFY(!list.MaskColour(2));
    QCOMPARE(Transparent(list.Mask(2)), 30 * 80);

    // Masked pixels of different colours.
    QImage mixed = KeyedPicture();
    mixed.setPixel(0, 0, qRgb(1, 1, 1));
    list.AddWithMask(mixed, mask);
    QVERIFY(!list.MaskColour(3));

    // An empty mask means no transparency; a mask of another size is scaled.
    QImage none(130, 80, QImage::Format_Mono);
    none.fill(0);
    list.AddWithMask(KeyedPicture(), none);
    QVERIFY(list.Mask(4).isNull());
    QImage halfMask = mask.scaled(65, 40);
    list.AddWithMask(KeyedPicture(), halfMask);
    QCOMPARE(Transparent(list.Mask(5)), 30 * 80);

    // A grey-level mask: light means transparent.
    QImage grey(130, 80, QImage::Format_Grayscale8);
    grey.fill(0);
    for (int y = 0; y < 80; ++y) std::fill_n(grey.scanLine(y), 30, uchar(200));
    list.AddWithMask(KeyedPicture(), grey);
    QCOMPARE(list.Mask(6), list.Mask(0));
  }
};

QTEST_GUILESS_MAIN(TestImageList)
#include "tst_imagelist.moc"
