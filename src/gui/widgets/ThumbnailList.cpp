#include "gui/widgets/ThumbnailList.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

#include "gui/widgets/Colours.h"
#include "gui/widgets/ThumbnailLoader.h"

namespace {

constexpr QSize Slot(130, 80);
constexpr int StateRole = Qt::UserRole + 1;
constexpr int FileRole = Qt::UserRole + 2;

// A picture glyph (frame, sun, two hills) inside `r`.
void DrawGlyph(QPainter& p, const QRectF& r, const QColor& c) {
  p.save();
  p.setPen(QPen(c, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r, 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(QPointF(r.left() + r.width() * 0.7, r.top() + r.height() * 0.3), r.height() * 0.1,
                r.height() * 0.1);
  QPainterPath hills;
  hills.moveTo(r.left() + 2, r.bottom() - 2);
  hills.lineTo(r.left() + r.width() * 0.35, r.top() + r.height() * 0.45);
  hills.lineTo(r.left() + r.width() * 0.55, r.top() + r.height() * 0.7);
  hills.lineTo(r.left() + r.width() * 0.7, r.top() + r.height() * 0.55);
  hills.lineTo(r.right() - 2, r.bottom() - 2);
  hills.closeSubpath();
  p.drawPath(hills);
  p.restore();
}

}  // namespace

class TThumbnailModel : public QAbstractListModel {
 public:
  struct Item {
    QString file;
    QString name;
    TThumbnailList::State state = TThumbnailList::State::Pending;
    QPixmap pixmap;
    QImage image;
    QDateTime modified;
    qint64 size = -1;
  };
  std::vector<Item> items;

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(items.size()); }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= int(items.size())) return {};
    const Item& it = items[size_t(index.row())];
    switch (role) {
      case Qt::DisplayRole:
      case Qt::ToolTipRole:
      case Qt::AccessibleTextRole:
        return it.name;
      case StateRole:
        return int(it.state);
      case FileRole:
        return it.file;
      case Qt::DecorationRole:
        return it.pixmap;
      default:
        return {};
    }
  }
  // Replaces the items; a file listed before and unchanged since (same
  // time and size) keeps its thumbnail. Returns the rows still to be made.
  std::vector<int> Reset(const QStringList& files) {
    QHash<QString, size_t> before;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].state != TThumbnailList::State::Pending) before.insert(items[i].file, i);
    std::vector<Item> next;
    next.reserve(size_t(files.size()));
    std::vector<int> pending;
    for (const QString& f : files) {
      const QFileInfo fi(f);
      Item it;
      it.file = f;
      it.name = fi.fileName();
      it.modified = fi.lastModified();
      it.size = fi.size();
      const auto old = before.constFind(f);
      if (old != before.cend() && items[*old].modified == it.modified && items[*old].size == it.size) {
        it.state = items[*old].state;
        it.pixmap = items[*old].pixmap;
        it.image = items[*old].image;
      } else {
        pending.push_back(int(next.size()));
      }
      next.push_back(std::move(it));
    }
    beginResetModel();
    items = std::move(next);
    endResetModel();
    return pending;
  }
  void Set(int row, const QImage& img) {
    Item& it = items[size_t(row)];
    it.state = img.isNull() ? TThumbnailList::State::Broken : TThumbnailList::State::Shown;
    it.image = img;
    it.pixmap = QPixmap::fromImage(img);
    const QModelIndex i = index(row);
    emit dataChanged(i, i);
  }
};

namespace {

// One cell: the 130 x 80 slot at the top (thumbnail centred on a light
// ground, placeholder or broken picture), the name under it; the selected
// cell in the program's selected colours.
class Delegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    const QRect cell = opt.rect.adjusted(2, 1, -3, -1);  // 5 pixels between cells
    const bool selected = opt.state & QStyle::State_Selected;
    const bool hover = opt.state & QStyle::State_MouseOver;
    const QColor selColour = FromWinColor(WinColour::Selected);
    if (selected) {
      p->setPen(Qt::NoPen);
      p->setBrush(selColour);
      p->drawRoundedRect(cell, 8, 8);
    } else if (hover) {
      p->setPen(QPen(QColor(112, 128, 144), 1));
      p->setBrush(QColor(255, 255, 255, 120));
      p->drawRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }

    const QRect slot(QPoint(cell.center().x() - Slot.width() / 2 + 1, cell.top() + 3), Slot);
    const auto state = TThumbnailList::State(index.data(StateRole).toInt());
    QPainterPath clip;
    clip.addRoundedRect(slot, 4, 4);
    if (state == TThumbnailList::State::Shown) {
      p->fillPath(clip, QColor(236, 239, 242));
      const QPixmap pm = index.data(Qt::DecorationRole).value<QPixmap>();
      const QRect at(slot.center() - QPoint(pm.width() / 2, pm.height() / 2) + QPoint(1, 1), pm.size());
      p->drawPixmap(at, pm);
    } else if (state == TThumbnailList::State::Pending) {
      p->fillPath(clip, QColor(214, 220, 226));
      DrawGlyph(*p, QRectF(slot.center().x() - 20, slot.center().y() - 14, 40, 28), QColor(178, 186, 194));
    } else {
      p->fillPath(clip, QColor(244, 226, 226));
      const QRectF g(slot.center().x() - 24, slot.center().y() - 17, 48, 34);
      DrawGlyph(*p, g, QColor(190, 150, 150));
      // A crack across the picture.
      p->setPen(QPen(QColor(170, 30, 30), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      const QPointF crack[] = {{g.left() + 14, g.top() - 4},
                               {g.left() + 24, g.top() + 12},
                               {g.left() + 18, g.top() + 20},
                               {g.left() + 30, g.bottom() + 4}};
      p->drawPolyline(crack, 4);
    }
    if (!selected) {
      p->setPen(QPen(QColor(150, 160, 170), 1));
      p->setBrush(Qt::NoBrush);
      p->drawRoundedRect(QRectF(slot).adjusted(-0.5, -0.5, 0.5, 0.5), 4, 4);
    }

    QFont f = opt.font;
    f.setPixelSize(12);
    f.setBold(selected);
    p->setFont(f);
    const QRect text(cell.left() + 4, slot.bottom() + 1, cell.width() - 8, cell.bottom() - slot.bottom());
    p->setPen(selected                                 ? QColor(Qt::white)
              : state == TThumbnailList::State::Broken ? QColor(150, 20, 20)
                                                       : QColor(Qt::black));
    p->drawText(text, Qt::AlignHCenter | Qt::AlignVCenter,
                QFontMetrics(f).elidedText(index.data().toString(), Qt::ElideMiddle, text.width()));
    p->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return QSize(Slot.width() + 2 * TThumbnailList::Gap, TThumbnailList::CellHeight);
  }
};

}  // namespace

TThumbnailList::TThumbnailList(QWidget* parent)
    : QListView(parent), model_(new TThumbnailModel), loader_(new TThumbnailLoader(Slot, this)) {
  model_->setParent(this);
  setModel(model_);
  setItemDelegate(new Delegate(this));
  setViewMode(QListView::IconMode);
  setMovement(QListView::Static);
  setResizeMode(QListView::Adjust);
  setFlow(QListView::LeftToRight);
  setWrapping(true);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalScrollBar()->setSingleStep(CellHeight / 4);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setMouseTracking(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(false);
  connect(loader_, &TThumbnailLoader::ready, this, [this](int, int index, const QImage& img) {
    if (index < 0 || index >= int(pendingRows_.size())) return;
    const int row = pendingRows_[size_t(index)];
    model_->Set(row, img);
    emit thumbnailArrived(row);
  });
  UpdateGrid();
}

TThumbnailList::~TThumbnailList() = default;

void TThumbnailList::SetFiles(const QStringList& files) {
  loader_->Cancel();
  pendingRows_ = model_->Reset(files);
  verticalScrollBar()->setValue(0);
  QStringList pending;
  for (int row : pendingRows_) pending << model_->items[size_t(row)].file;
  loader_->Start(pending);
  UpdatePriority();
}

QStringList TThumbnailList::Files() const {
  QStringList l;
  for (const auto& it : model_->items) l << it.file;
  return l;
}

int TThumbnailList::Count() const { return int(model_->items.size()); }

void TThumbnailList::SelectRow(int row) {
  if (row < 0 || row >= Count()) {
    clearSelection();
    setCurrentIndex(QModelIndex());
    return;
  }
  setCurrentIndex(model_->index(row));
  scrollTo(model_->index(row));
}

int TThumbnailList::CurrentRow() const {
  const QModelIndex i = currentIndex();
  return i.isValid() && selectionModel()->isSelected(i) ? i.row() : -1;
}

QString TThumbnailList::CurrentFile() const {
  const int row = CurrentRow();
  return row < 0 ? QString() : model_->items[size_t(row)].file;
}

TThumbnailList::State TThumbnailList::StateOf(int row) const {
  return row < 0 || row >= Count() ? State::Broken : model_->items[size_t(row)].state;
}

QImage TThumbnailList::Thumbnail(int row) const {
  return row < 0 || row >= Count() ? QImage() : model_->items[size_t(row)].image;
}

bool TThumbnailList::AllLoaded() const {
  for (const auto& it : model_->items)
    if (it.state == State::Pending) return false;
  return true;
}

std::pair<int, int> TThumbnailList::VisibleRows() const {
  if (Count() == 0) return {-1, -1};
  const QSize cell = gridSize();
  const int columns = std::max(1, viewport()->width() / std::max(1, cell.width()));
  const int top = std::max(0, verticalOffset()) / cell.height();
  const int rows = viewport()->height() / cell.height() + 2;
  return {std::min(Count() - 1, top * columns), std::min(Count() - 1, (top + rows) * columns - 1)};
}

void TThumbnailList::resizeEvent(QResizeEvent* e) {
  QListView::resizeEvent(e);
  UpdateGrid();
  UpdatePriority();
}

void TThumbnailList::scrollContentsBy(int dx, int dy) {
  QListView::scrollContentsBy(dx, dy);
  UpdatePriority();
}

void TThumbnailList::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QListView::currentChanged(current, previous);
  if (current.isValid()) emit itemSelected(model_->items[size_t(current.row())].file);
}

// Cells share the width evenly, at least a slot and the gaps wide.
void TThumbnailList::UpdateGrid() {
  const int minWidth = Slot.width() + 2 * Gap;
  const int width = viewport()->width();
  const int columns = std::max(1, width / minWidth);
  setGridSize(QSize(std::max(minWidth, width / columns), CellHeight));
}

void TThumbnailList::UpdatePriority() {
  // Rows on screen, as positions in the loader's list.
  const auto [first, last] = VisibleRows();
  const auto from = std::lower_bound(pendingRows_.begin(), pendingRows_.end(), first);
  const auto to = std::upper_bound(pendingRows_.begin(), pendingRows_.end(), last);
  loader_->Prioritize(int(from - pendingRows_.begin()), int(to - pendingRows_.begin()) - 1);
}
