#pragma once

#include <QImage>
#include <QListView>
#include <QStringList>
#include <utility>
#include <vector>

class TThumbnailLoader;
class TThumbnailModel;

// The scrolling list of picture files shown as thumbnails (130 x 80 slots,
// shrunk only, never enlarged) with the file name under each, in cells 5
// pixels apart, 100 pixels tall, as many columns as fit.
//
// SetFiles shows the files at once as placeholders; the thumbnails are made
// in the background (TThumbnailLoader), the rows on screen first, and appear
// as they arrive. A file that cannot be read shows as a broken picture with
// its name. Selecting an item (click or keys) reports its file.
class TThumbnailList : public QListView {
  Q_OBJECT
 public:
  explicit TThumbnailList(QWidget* parent = nullptr);
  ~TThumbnailList() override;

  enum class State { Pending, Shown, Broken };

  // Replaces the items; the work still pending for the previous ones is
  // dropped. Files listed before and unchanged since keep their thumbnails
  // (a folder opened again shows at once). Selects nothing.
  void SetFiles(const QStringList& files);
  QStringList Files() const;
  int Count() const;

  // Selects the row (none for -1) and reports it as itemSelected.
  void SelectRow(int row);
  int CurrentRow() const;
  QString CurrentFile() const;  // empty when nothing is selected

  State StateOf(int row) const;
  QImage Thumbnail(int row) const;  // null until shown
  // First and last row at least partly on screen (-1, -1 when empty).
  std::pair<int, int> VisibleRows() const;
  // Every row has its thumbnail or shows as broken.
  bool AllLoaded() const;

  TThumbnailLoader* Loader() const { return loader_; }

  static constexpr int CellHeight = 100;
  static constexpr int Gap = 5;  // between cells

 signals:
  void itemSelected(const QString& file);
  // A thumbnail arrived (or a file proved unreadable).
  void thumbnailArrived(int row);

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  void UpdateGrid();
  void UpdatePriority();

  TThumbnailModel* model_;
  TThumbnailLoader* loader_;
  std::vector<int> pendingRows_;  // the loader's files, as rows (ascending)
};
