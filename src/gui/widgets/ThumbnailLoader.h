#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <memory>

// Makes small pictures of picture files (.bmp, .jpg/.jpeg, .gif, case
// ignored) on background threads, at most one per core, and hands them to the
// thread that owns the loader through queued signals, so that a folder of
// camera photos never holds up the interface.
//
// A thumbnail is the picture fitted into `box` with its proportions kept and
// never enlarged. A JPEG is decoded at a reduced scale (libjpeg decodes at
// 1/2, 1/4 or 1/8 as it reads), and a JPEG whose EXIF data carries a
// thumbnail that covers the fitted size in the photo's proportions is not
// decoded at all.
class TThumbnailLoader : public QObject {
  Q_OBJECT
 public:
  explicit TThumbnailLoader(QSize box, QObject* parent = nullptr);
  // Cancels, then waits for the decodes that are running (at most one per
  // thread, each a fraction of a second).
  ~TThumbnailLoader() override;

  // Drops all pending work and starts on `files`; returns the batch number
  // that the signals of this batch carry.
  int Start(const QStringList& files);
  // Drops all pending work; results still on their way are not delivered.
  void Cancel();
  // Rows first..last (indexes into the batch's files) are on screen: they
  // are decoded before any others. Applies to the current batch.
  void Prioritize(int first, int last);

  // The current batch; delivering means started and not all files reported.
  int Batch() const { return batch_; }
  bool Delivering() const;

  struct Result {
    QImage image;           // null when the file cannot be read
    QString error;          // why, for the null image
    bool fromExif = false;  // the camera's own thumbnail was used
  };
  // The decoding itself; safe on any thread.
  static Result Decode(const QString& file, QSize box);
  // The size `source` takes in `box`: proportions kept, never enlarged,
  // at least 1 x 1.
  static QSize Fitted(QSize source, QSize box);

 signals:
  // One per file of the batch, in no set order; a null image for a file that
  // cannot be read.
  void ready(int batch, int index, const QImage& thumbnail);
  // After the last file of the batch was reported.
  void finished(int batch);

 private:
  struct Work;
  void Deliver(const std::shared_ptr<Work>& work, int index, const QImage& image);

  QSize box_;
  int batch_ = 0;
  std::shared_ptr<Work> work_;
  QThreadPool pool_;
};
