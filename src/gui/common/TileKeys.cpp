#include "gui/common/TileKeys.h"

#include <QApplication>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QPainter>

#include "gui/widgets/Colours.h"

// The frame is a QFocusFrame so that a screen reader leaves it out (it says
// nothing the focused tile does not); it is placed by hand, in front of the
// tile's picture and caption.
class TFocusFrame : public QFocusFrame {
 public:
  explicit TFocusFrame(QWidget* parent) : QFocusFrame(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    // Dark green outside, the hints' yellow inside: one of the two stands
    // out on the light and on the dark (selected) tile alike. Rounded as the
    // tile pictures are.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(FromWinColor(WinColour::Selected), 3));
    p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 10, 10);
    p.setPen(QPen(QColor(255, 255, 0), 3));
    p.drawRoundedRect(QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5), 7, 7);
  }
};

namespace {

// Whether the keyboard or the mouse was used last, seen on every event.
class TInputMode : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  bool Keyboard = false;

 signals:
  void Changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type t = event->type();
    const bool key = t == QEvent::KeyPress;
    const bool mouse = t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick;
    if ((key || mouse) && Keyboard != key) {
      Keyboard = key;
      emit Changed();
    }
    return QObject::eventFilter(watched, event);
  }
};

TInputMode* InputMode() {
  static QPointer<TInputMode> mode;
  if (!mode && qApp) {
    mode = new TInputMode(qApp);
    qApp->installEventFilter(mode);
  }
  return mode;
}

}  // namespace

TTileKeys::TTileKeys(int columns, QObject* parent) : QObject(parent), columns_(std::max(1, columns)) {
  if (TInputMode* mode = InputMode()) connect(mode, &TInputMode::Changed, this, &TTileKeys::PlaceFrame);
}

TTileKeys::~TTileKeys() = default;

bool TTileKeys::KeyboardInUse() {
  const TInputMode* mode = InputMode();
  return mode && mode->Keyboard;
}

void TTileKeys::AddTile(QWidget* focus, std::initializer_list<QWidget*> parts) {
  tiles_.emplace_back(focus);
  focus->setFocusPolicy(Qt::NoFocus);
  focus->installEventFilter(this);
  for (QWidget* part : parts)
    if (part) part->installEventFilter(this);
}

int TTileKeys::PositionOf(const QObject* o) const {
  for (size_t i = 0; i < tiles_.size(); ++i)
    if (tiles_[i] == o) return int(i);
  return -1;
}

bool TTileKeys::HasFocus() const {
  for (const auto& t : tiles_)
    if (t && t->window()->focusWidget() == t) return true;
  return false;
}

void TTileKeys::Update() {
  const bool had = HasFocus();
  const int current = Current ? Current() : -1;
  for (size_t i = 0; i < tiles_.size(); ++i)
    if (tiles_[i]) tiles_[i]->setFocusPolicy(int(i) == current ? Qt::TabFocus : Qt::NoFocus);
  if (had && current >= 0 && tiles_[size_t(current)] && !tiles_[size_t(current)]->hasFocus())
    tiles_[size_t(current)]->setFocus(Qt::OtherFocusReason);
  PlaceFrame();
}

bool TTileKeys::FocusSelected(Qt::FocusReason reason) {
  const int current = Current ? Current() : -1;
  if (current < 0 || current >= int(tiles_.size()) || !tiles_[size_t(current)]) return false;
  QWidget* tile = tiles_[size_t(current)];
  // A window still to be shown keeps the focus for then.
  if (!tile->isVisibleTo(tile->window()) || !tile->isEnabled()) return false;
  tile->setFocusPolicy(Qt::TabFocus);
  tile->setFocus(reason);
  PlaceFrame();
  return true;
}

int TTileKeys::FramedPosition() const {
  if (!frame_ || frame_->isHidden()) return -1;
  for (size_t i = 0; i < tiles_.size(); ++i)
    if (tiles_[i] && tiles_[i]->geometry() == frame_->geometry() &&
        tiles_[i]->parentWidget() == frame_->parentWidget())
      return int(i);
  return -1;
}

void TTileKeys::PlaceFrame() {
  QWidget* focused = nullptr;
  for (const auto& t : tiles_)
    if (t && t->window()->focusWidget() == t) focused = t;
  if (!focused || !KeyboardInUse() || !focused->isVisible()) {
    if (frame_) frame_->hide();
    return;
  }
  if (!frame_ || frame_->parentWidget() != focused->parentWidget()) {
    if (frame_) frame_->hide();
    frame_ = new TFocusFrame(focused->parentWidget());  // owned by the form
  }
  frame_->setGeometry(focused->geometry());
  frame_->raise();
  frame_->show();
}

bool TTileKeys::Move(int to) {
  if (to < 0 || to >= int(tiles_.size()) || !Select || !Select(to)) return false;
  Update();
  return true;
}

bool TTileKeys::HandleKey(int key) {
  const int current = Current ? Current() : -1;
  const int count = int(tiles_.size());
  const auto turn = [this](int step) {
    if (!TurnPage || !TurnPage(step)) return false;
    Update();
    return true;
  };
  const auto last = [this, count](int from) {
    for (int p = count - 1; p > from; --p)
      if (Move(p)) return;
  };
  switch (key) {
    case Qt::Key_Left:
      if (current > 0) {
        Move(current - 1);
      } else if (current == 0 && turn(-1)) {
        last(0);
      }
      return true;
    case Qt::Key_Right:
      if (current < 0 || current + 1 >= count || !Move(current + 1)) turn(+1);
      return true;
    case Qt::Key_Up:
      if (current >= columns_)
        Move(current - columns_);
      else if (Above)
        Above->FocusSelected();
      return true;
    case Qt::Key_Down:
      if (current < 0 || current + columns_ >= count || !Move(current + columns_))
        if (Below) Below->FocusSelected();
      return true;
    case Qt::Key_Home:
      Move(0);
      return true;
    case Qt::Key_End:
      last(current);
      return true;
    case Qt::Key_PageUp:
      turn(-1);
      return true;
    case Qt::Key_PageDown:
      turn(+1);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (current >= 0 && Activate) Activate();
      return true;
    default:
      return false;
  }
}

bool TTileKeys::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (PositionOf(watched) >= 0) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) break;
        if (HandleKey(key->key())) return true;
      }
      break;
    case QEvent::MouseButtonPress:
      // The click that follows selects; the focus then moves with it.
      FocusSelected(Qt::MouseFocusReason);
      break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Hide:
      PlaceFrame();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

#include "TileKeys.moc"
