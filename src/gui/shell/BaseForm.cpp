#include "gui/shell/BaseForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "core/device/MyDevFunctions.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "gui/device/updateflash.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/scenes/ScenesOverzichtHandler.h"
#include "gui/scenes/TimerTargets.h"
#include "gui/settings/ExtraHandler.h"
#include "gui/shell/AfterFirstPaint.h"
#include "gui/shell/HintWindow.h"
#include "gui/shell/Melding.h"
#include "gui/shell/RoundForm.h"
#include "gui/shell/UIImages.h"
#include "gui/timers/TimerHandler.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/Backdrop.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_BaseForm.h"

QString ProgramVersion;

namespace {

TMainForm* g_mainForm = nullptr;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

}  // namespace

uint16_t QtKeyToVirtualKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return uint16_t(0x41 + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return uint16_t((keypad ? 0x60 : 0x30) + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return uint16_t(0x70 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace:
      return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    case Qt::Key_Shift:
      return 0x10;
    case Qt::Key_Control:
      return 0x11;
    case Qt::Key_Alt:
      return 0x12;
    case Qt::Key_Pause:
      return 0x13;
    case Qt::Key_Escape:
      return 0x1B;
    case Qt::Key_Space:
      return 0x20;
    case Qt::Key_PageUp:
      return 0x21;
    case Qt::Key_PageDown:
      return 0x22;
    case Qt::Key_End:
      return 0x23;
    case Qt::Key_Home:
      return 0x24;
    case Qt::Key_Left:
      return 0x25;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Right:
      return 0x27;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Insert:
      return 0x2D;
    case Qt::Key_Delete:
      return 0x2E;
    case Qt::Key_Asterisk:
      return keypad ? 0x6A : 0;
    case Qt::Key_Plus:
      return keypad ? 0x6B : 0xBB;
    case Qt::Key_Minus:
      return keypad ? 0x6D : 0xBD;
    case Qt::Key_Period:
      return keypad ? 0x6E : 0xBE;
    case Qt::Key_Comma:
      return 0xBC;
    case Qt::Key_Slash:
      return keypad ? 0x6F : 0;
    default:
      return 0;
  }
}

TMainForm::TMainForm(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::TMainForm>()) {
  g_mainForm = this;
  ui_->setupUi(this);
  // The start-up artwork is baked into the program as the pixels drawn
  // (ReadResourcePicture): read in place, and shown without a copy.
  ui_->imgLogo->setPixmap(QPixmap::fromImage(ReadResourcePicture(QString::fromLatin1(Artwork::Logo))));
  Image1 = ui_->Image1;
  MainPanel = ui_->MainPanel;
  ButtonPanel = ui_->ButtonPanel;
  imgLogo = ui_->imgLogo;

  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setFixedSize(kWidth, kHeight);
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(16);
  setFont(f);
  if (QScreen* s = screen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
  OpenFirmwareUpdate = [this](const QString& firstLine) { OpenUpdateWindow(firstLine, this); };
  // The link completes an open update window when the box is back.
  BoxLinkHooks updateHooks = GetBoxLinkHooks();
  AddUpdateWindowHooks(updateHooks);
  SetBoxLinkHooks(updateHooks);

  Image1->installEventFilter(this);
  qApp->installEventFilter(this);

  FormCreate();
  // The background as baked in bands (a sixth of its pixels), else read.
  std::optional<TBandedPicture> banded = TBandedPicture::FromResource(
      BakedResourcePath(QString::fromLatin1(Artwork::MainBackground), QLatin1StringView(".banded")));
  QSize shown;
  if (banded) {
    shown = banded->Size();
    Image1->setBanded(std::move(banded));
  } else {
    const QImage background = ReadResourcePicture(QString::fromLatin1(Artwork::MainBackground));
    if (!background.hasAlphaChannel()) shown = background.size();
    Image1->setPixmap(QPixmap::fromImage(background));
  }
  // The background picture covers the whole window without transparency: the
  // window's own fill under it would only be painted over.
  if (Image1->geometry().contains(rect()) && shown == Image1->size()) setAttribute(Qt::WA_NoSystemBackground);
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  if (g_mainForm == this) g_mainForm = nullptr;
}

TMainForm* TMainForm::Instance() { return g_mainForm; }

void TMainForm::FormCreate() {
  TMyHintWindow::Install(QColor(255, 255, 0), 1000, 3000);
  RoundForm(this, 60);
  // The main window has no gradient buttons of its own to round.
  KeyCallback = nullptr;

  ProductName = QStringLiteral("KLV-820");
  ExpectedFirmwareVersion = QStringLiteral("1.1");
  ExpectedProductId = 2050;
  ProgramVersion = QStringLiteral("1");

  StartScreensAndLink();

  imgLogo->setVisible(TLoadSave::Instance()->Language != 0);
}

void TMainForm::StartScreensAndLink() {
  // The home screen lives as long as the window; it loads the installation.
  auto* home = new TRuimteUIHandler(MainPanel, ButtonPanel, this);
  AttachSettingsScreen(home, MainPanel, ButtonPanel);
  AttachScenesOverview(home, MainPanel, ButtonPanel);
  home->Show();
  // The timer screen is built when first asked for and kept.
  home->OpenTimer = [this, home](int room, int device) {
    auto* timer = home->findChild<TTimerHandler*>(QString(), Qt::FindDirectChildrenOnly);
    if (!timer) {
      timer = new TTimerHandler(MainPanel, ButtonPanel, home);
      AttachTargetPickers(timer, MainPanel, ButtonPanel);
    }
    timer->Show(room, device);
  };

  QPointer<TMainForm> window(this);
  BoxLinkHooks hooks = GetBoxLinkHooks();
  hooks.ShowMessage = [window](const QString& line1, const QString& line2) {
    if (window && !window->isVisible()) {
      window->pendingMessage_ = QStringList{line1, line2};
      return;
    }
    ShowMeld(line1, line2, GetText(TextId::OK), QString(), window.data());
  };
  // A waiting message counts as open: the link holds further changes until
  // it is answered, as it would while the message is up.
  hooks.MessageOpen = [window] {
    return frmMeld != nullptr || (window && !window->pendingMessage_.isEmpty());
  };
  hooks.ArmUpdateTimer = [window] {
    if (window) window->Timer1->start();
  };
  SetBoxLinkHooks(hooks);
  CreateBoxLink();
}

void TMainForm::Timer1Timer() {
  // A box back still in the loader while the window waits is updated again there.
  if (FirmwareUpdateStarted && UpdateAgainInOpenWindow(Timer1)) return;
  // The box may have changed since the timer was armed: loader commands must
  // never reach a box that runs the application.
  if (!BoxDevice || FirmwareUpdateStarted || LinkState != BoxLinkState::UpdateNeeded) return;
  Timer1->stop();
  FirmwareUpdateStarted = true;
  BoxConnected = true;
  const QString line = GetText(TextId::Updating) + BoxDevice->ProductString() + GetText(TextId::To) +
                       ProductName + QLatin1Char(' ') + ExpectedFirmwareVersion;
  if (OpenFirmwareUpdate) OpenFirmwareUpdate(line);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  auto* home = findChild<TRuimteUIHandler*>(QString(), Qt::FindDirectChildrenOnly);
  if (!home) {
    QWidget::closeEvent(event);
    return;
  }
  // A close while the sequence runs (its question open) changes nothing: the
  // sequence ends the program itself.
  event->ignore();
  if (exiting_) return;
  exiting_ = true;
  home->ExitProgram();
  exiting_ = false;
}

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (pendingMessage_.isEmpty()) return;
  // Once the window's first frame is painted: the message (its window, its
  // fonts) does not hold up the first sight of the program.
  AfterFirstPaint(this, [this] {
    if (pendingMessage_.isEmpty()) return;
    const QStringList lines = pendingMessage_;
    pendingMessage_.clear();
    ShowMeld(lines[0], lines[1], GetText(TextId::OK), QString(), this);
    // Changes held while it waited are looked at now, as after any message.
    if (HidController) OnBoxDeviceChange(nullptr);
  });
}

void TMainForm::BringToFront() {
  if (isMinimized()) setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
  raise();
  activateWindow();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Image1) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        return startDrag(static_cast<QMouseEvent*>(event));
      case QEvent::MouseMove:
        if (dragging_) {
          move(dragStartPos_ +
               (static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragStartGlobal_));
          return true;
        }
        break;
      case QEvent::MouseButtonRelease:
        if (dragging_) {
          dragging_ = false;
          return true;
        }
        break;
      default:
        break;
    }
    return false;
  }

  const QEvent::Type type = event->type();
  if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    if (type == QEvent::KeyPress)
      handleKeyPress(watched, static_cast<QKeyEvent*>(event));
    else
      lastKey_ = nullptr;
  }
  return false;
}

void TMainForm::handleKeyPress(QObject* receiver, QKeyEvent* event) {
  // The same event handed on to the parent of the widget that had it last.
  const bool propagated = event == lastKey_ && event->timestamp() == lastKeyTime_ && lastKeyReceiver_ &&
                          lastKeyReceiver_->isWidgetType() &&
                          receiver == static_cast<QWidget*>(lastKeyReceiver_.data())->parentWidget();
  lastKey_ = event;
  lastKeyTime_ = event->timestamp();
  lastKeyReceiver_ = receiver;
  if (propagated || !KeyCallback) return;
  const uint16_t vk = QtKeyToVirtualKey(event->key(), event->modifiers());
  if (vk != 0) {
    // The callback may clear or replace itself.
    auto callback = KeyCallback;
    callback(vk);
  }
}

bool TMainForm::startDrag(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return false;
  QWindow* window = windowHandle();
  if (window && window->startSystemMove()) return true;
  dragging_ = true;
  dragStartGlobal_ = event->globalPosition().toPoint();
  dragStartPos_ = pos();
  return true;
}
