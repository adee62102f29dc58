#include "gui/widgets/ThumbnailLoader.h"

#include <libexif/exif-data.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLibrary>
#include <QMutex>
#include <QPainter>
#include <QRunnable>
#include <QThread>
#include <atomic>
#include <cmath>
#include <vector>

#include "gui/shell/Utilities.h"

namespace {

QByteArray FormatOf(const QString& file) {
  const QString ext = QFileInfo(file).suffix().toLower();
  if (ext == QLatin1String("bmp")) return "bmp";
  if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) return "jpeg";
  if (ext == QLatin1String("gif")) return "gif";
  return {};
}

// libexif, loaded on first use (the program does not start with it); null
// functions when it is not installed: photos are then decoded whole.
struct Exif {
  ExifData* (*newFromFile)(const char*) = nullptr;
  void (*unref)(ExifData*) = nullptr;
};

const Exif& ExifLibrary() {
  static const Exif exif = [] {
    Exif e;
    QLibrary library(QStringLiteral("exif"), 12);
    if (!library.load()) library.setFileName(QStringLiteral("libexif-12"));  // its Windows name
    if (!library.isLoaded() && !library.load()) return e;
    e.newFromFile = reinterpret_cast<ExifData* (*)(const char*)>(library.resolve("exif_data_new_from_file"));
    e.unref = reinterpret_cast<void (*)(ExifData*)>(library.resolve("exif_data_unref"));
    if (!e.newFromFile || !e.unref) e = Exif();
    return e;
  }();
  return exif;
}

// The thumbnail a camera wrote into the file's EXIF block, or a null image.
// libexif reads only up to the end of that block.
QImage ExifThumbnail(const QString& file) {
  const Exif& exif = ExifLibrary();
  if (!exif.newFromFile) return {};
  ExifData* data = exif.newFromFile(QFile::encodeName(file).constData());
  if (!data) return {};
  QImage thumb;
  if (data->data && data->size > 0) {
    QByteArray bytes(reinterpret_cast<const char*>(data->data), int(data->size));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoDetectImageFormat(false);
    thumb = reader.read();
  }
  exif.unref(data);
  return thumb;
}

// Good enough to stand for the photo: no enlarging needed and the same
// proportions (cameras put 4:3 thumbnails with black bands in 16:9 photos).
bool Covers(QSize thumb, QSize fitted, QSize photo) {
  if (thumb.width() < fitted.width() || thumb.height() < fitted.height()) return false;
  const double a = double(thumb.width()) / thumb.height(), b = double(photo.width()) / photo.height();
  return std::abs(a - b) <= 0.03 * b;
}

QImage OnWhite(const QImage& img) {
  if (!img.hasAlphaChannel()) return img;
  QImage flat(img.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  QPainter p(&flat);
  p.drawImage(0, 0, img);
  return flat;
}

TThumbnailLoader::Result Failed(const QString& why) {
  TThumbnailLoader::Result r;
  r.error = why;
  return r;
}

}  // namespace

// One batch: the files and which of them a thread has taken. Shared by the
// loader and its running tasks, which outlive a cancelled batch briefly.
struct TThumbnailLoader::Work {
  QStringList files;
  int batch = 0;
  QSize box;
  std::atomic<bool> cancelled{false};
  int undelivered = 0;  // interface thread only

  // Picks the next file: the rows on screen first, then the rest in order.
  bool Take(int* index) {
    QMutexLocker lock(&mutex);
    if (cancelled) return false;
    for (int i = std::max(0, first); i <= last && i < int(taken.size()); ++i)
      if (!taken[i]) return Mark(i, index);
    while (next < int(taken.size()) && taken[next]) ++next;
    if (next < int(taken.size())) return Mark(next, index);
    return false;
  }
  void SetVisible(int f, int l) {
    QMutexLocker lock(&mutex);
    first = f;
    last = l;
  }

 private:
  bool Mark(int i, int* index) {
    taken[i] = true;
    *index = i;
    return true;
  }
  QMutex mutex;
  std::vector<bool> taken;
  int next = 0;
  int first = 0, last = -1;
  friend class TThumbnailLoader;
};

TThumbnailLoader::TThumbnailLoader(QSize box, QObject* parent) : QObject(parent), box_(box) {
  pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

TThumbnailLoader::~TThumbnailLoader() {
  Cancel();
  pool_.waitForDone();
}

int TThumbnailLoader::Start(const QStringList& files) {
  Cancel();
  auto work = std::make_shared<Work>();
  work->files = files;
  work->batch = ++batch_;
  work->box = box_;
  work->taken.assign(size_t(files.size()), false);
  work->undelivered = int(files.size());
  work_ = work;
  if (files.isEmpty()) {
    emit finished(work->batch);
    return work->batch;
  }
  const int tasks = std::min(pool_.maxThreadCount(), int(files.size()));
  for (int t = 0; t < tasks; ++t) {
    pool_.start(QRunnable::create([this, work] {
      int i;
      while (work->Take(&i)) {
        const Result r = Decode(work->files.at(i), work->box);
        if (work->cancelled) return;
        QMetaObject::invokeMethod(
            this, [this, work, i, img = r.image] { Deliver(work, i, img); }, Qt::QueuedConnection);
      }
    }));
  }
  return work->batch;
}

void TThumbnailLoader::Cancel() {
  if (work_) work_->cancelled = true;
  work_.reset();
}

void TThumbnailLoader::Prioritize(int first, int last) {
  if (work_) work_->SetVisible(first, last);
}

bool TThumbnailLoader::Delivering() const { return work_ && work_->undelivered > 0; }

void TThumbnailLoader::Deliver(const std::shared_ptr<Work>& work, int index, const QImage& image) {
  if (work != work_ || work->cancelled) return;
  --work->undelivered;
  emit ready(work->batch, index, image);
  // A slot may have started another batch meanwhile.
  if (work == work_ && work->undelivered == 0) emit finished(work->batch);
}

QSize TThumbnailLoader::Fitted(QSize source, QSize box) {
  if (source.width() <= box.width() && source.height() <= box.height()) return source;
  // As the picture loader fits: the relatively wider side fills the box.
  const double w = source.width(), h = source.height();
  if (h / box.height() <= w / box.width())
    return QSize(box.width(), std::max(1, int(std::lround(h * box.width() / w))));
  return QSize(std::max(1, int(std::lround(w * box.height() / h))), box.height());
}

TThumbnailLoader::Result TThumbnailLoader::Decode(const QString& file, QSize box) {
  const QByteArray format = FormatOf(file);
  if (format.isEmpty()) return Failed(QStringLiteral("not a .bmp, .jpg or .gif file"));
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return Failed(f.errorString());
  QImageReader reader(&f, format);
  reader.setAutoDetectImageFormat(false);
  reader.setDecideFormatFromContent(false);
  const QSize source = reader.size();
  if (!source.isValid() || source.isEmpty()) return Failed(QStringLiteral("the file is damaged"));
  if (qint64(source.width()) * source.height() > TUtilities::MaxPicturePixels)
    return Failed(QStringLiteral("the picture is too large"));
  const QSize fitted = Fitted(source, box);

  Result r;
  if (format == "jpeg") {
    const QImage exif = ExifThumbnail(file);
    if (!exif.isNull() && Covers(exif.size(), fitted, source)) {
      r.image = OnWhite(exif).scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      r.fromExif = true;
      return r;
    }
    // Twice the fitted size: libjpeg takes the smallest scale that gives at
    // least that, and the smooth scaling below keeps it sharp.
    const QSize decode = (fitted * 2).boundedTo(source);
    if (decode != source)
      reader.setScaledSize(source.scaled(decode, Qt::KeepAspectRatioByExpanding).boundedTo(source));
  }
  reader.setQuality(49);  // the fast inverse DCT and plain upsampling
  QImage img;
  if (!reader.read(&img) || img.isNull())
    return Failed(reader.errorString().isEmpty() ? QStringLiteral("the file is damaged")
                                                 : reader.errorString());
  r.image = OnWhite(img).scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return r;
}
