#include <QDir>
#include <QPainter>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QtTest>

namespace {

int ThreadCount() {
  return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

}  // namespace

// Qt's slices of a large fill run on the painting thread, with the same
// pixels; tasks the program starts itself still run on pool threads.
class TestSerialFills : public QObject {
  Q_OBJECT

 private slots:
  void guiSlicesRunInPlaceOwnTasksDoNot() {
    QImage image(300, 400, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int threads = ThreadCount();
    {
      // Translucent, on every row: far more spans than Qt fills in one go.
      QPainter p(&image);
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(QColor(0, 0, 255, 128), 3));
      p.setBrush(QColor(255, 0, 0, 128));
      p.drawRoundedRect(QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5), 20, 20);
    }
    QCOMPARE(ThreadCount(), threads);
    // Every slice was filled.
    for (int y = 10; y < 390; ++y) QCOMPARE(image.pixel(150, y), qRgb(255, 127, 127));

    QThread* ranOn = nullptr;
    QSemaphore done;
    QThreadPool::globalInstance()->start([&] {
      ranOn = QThread::currentThread();
      done.release();
    });
    done.acquire();
    QVERIFY(ranOn != QThread::currentThread());
  }
};

QTEST_MAIN(TestSerialFills)
#include "tst_serialfills.moc"
