#include "gui/device/updateflash.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "core/device/MyDevFunctions.h"
#include "core/shell/Language.h"
#include "gui/shell/RoundForm.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/Gauge.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "ui_updateflash.h"

namespace {

TfrmUpdate* g_current = nullptr;

// A page goes out every few milliseconds; drawing the bar for each one would
// cost more than the transfer. The bar is set at most every kGaugeStepMs (10
// steps a second, still a moving bar: each drawing costs a few hundred
// microseconds when the transfer has left the caches cold, and under X a
// round trip to the server), and always for its first and last value.
constexpr qint64 kGaugeStepMs = 100;

// What the engine's hooks changed since the window was last drawn.
struct Steps {
  QElapsedTimer gaugeSet;
  int gaugePending = -1;
  int gaugeMinimum = 0, gaugeMaximum = 0;  // the bar's range, kept here for the per-page check
  QRegion changed;                         // controls whose text or visibility changed
};

}  // namespace

TfrmUpdate::TfrmUpdate(const QString& productName, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TfrmUpdate>()),
      productName_(productName),
      imagePath_(QString::fromLatin1(EmbeddedFirmwarePath)) {
  ui->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(480, 360);
  setWindowTitle(GetText(TextId::UpdatingTo) + productName_);
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

  ui->Image1->setPicture(ArtworkImage(Artwork::UpdateBackground));
  QFont labelFont(QStringLiteral("Arial"));
  labelFont.setPixelSize(19);
  for (TLabel* l : {ui->Label1, ui->Label2}) {
    l->setFont(labelFont);
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->setFitText(true);
  }
  ui->Gauge1->setRange(0, FlashLimit);
  ui->Gauge1->setValue(0);
  ui->Gauge1->hide();
  ui->Gauge1->setAccessibleName(GetText(TextId::Programming).trimmed());
  QFont buttonFont(QStringLiteral("Arial"));
  buttonFont.setPixelSize(19);
  ui->btnQuit->setFont(buttonFont);
  ui->btnQuit->setText(GetText(TextId::OK));
  TUtilities::SetButtonNormal(ui->btnQuit);
  connect(ui->btnQuit, &QPushButton::clicked, this, &TfrmUpdate::quitClick);

  g_current = this;
  FormCreate();
}

TfrmUpdate::~TfrmUpdate() {
  if (g_current == this) g_current = nullptr;
}

TfrmUpdate* TfrmUpdate::Current() { return g_current; }

TImage* TfrmUpdate::Image1() const { return ui->Image1; }
TLabel* TfrmUpdate::Label1() const { return ui->Label1; }
TLabel* TfrmUpdate::Label2() const { return ui->Label2; }
QProgressBar* TfrmUpdate::Gauge1() const { return ui->Gauge1; }
TGradBtn* TfrmUpdate::btnQuit() const { return ui->btnQuit; }

void TfrmUpdate::FormCreate() {
  RoundForm(this, 20);
  TUtilities::RoundButtons(this);
}

void TfrmUpdate::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Run after the window is on the screen, so every step can be seen.
  if (!activated_) QTimer::singleShot(0, this, &TfrmUpdate::FormActivate);
}

void TfrmUpdate::FormActivate() {
  // Activation comes again after each message box; the update runs once.
  if (activated_) return;
  // Repaints reach the screen only once the window is exposed; give the
  // window system a moment (at most half a second) to get there.
  if (windowHandle() && !windowHandle()->isExposed() && exposeWaits_ < 50) {
    ++exposeWaits_;
    QTimer::singleShot(10, this, &TfrmUpdate::FormActivate);
    return;
  }
  activated_ = true;
  updatefirmware();
}

void TfrmUpdate::ShowError(const QString& text) {
  QMessageBox::critical(this, productName_, text, QMessageBox::Ok);
}

bool TfrmUpdate::readbuf(TFirmwareImage* image) {
  QString error;
  if (!ReadHexFile(imagePath_, image, &error)) {
    ShowError(error);
    return false;
  }
  if (const auto message = image->Message()) {
    ShowError(GetText(*message));
    return false;
  }
  return true;
}

void TfrmUpdate::updatefirmware() {
  BoxConnected = true;
  TFirmwareImage image;
  if (!readbuf(&image)) {
    // A corrupt image is not flashed: the box keeps what it has and nothing
    // starts again by itself. The user closes the window.
    BoxConnected = false;
    state_ = State::Aborted;
    ui->btnQuit->show();
    ui->btnQuit->setFocus();
    repaint();
    return;
  }
  setWindowTitle(GetText(TextId::UpdatingTo) + productName_);
  ++runs_;
  updateprog(image);
}

void TfrmUpdate::updateprog(const TFirmwareImage& image) {
  state_ = State::Updating;
  // The artwork behind the bar does not change: with it the bar repaints
  // itself alone at each step. Taken while the bar is hidden.
  if (!ui->Gauge1->opaque() && ui->Gauge1->isHidden()) ui->Gauge1->setBackdrop(grab(ui->Gauge1->geometry()));
  // The bar's pictures are drawn before the transfer, not during it.
  ui->Gauge1->Prepare();
  // The rounded edge's overlay lies over every control but draws only near
  // the window's sides, far from the bar. Above it, the opaque bar is its
  // own only overlapping control: each step repaints the bar alone rather
  // than the window's region through every control.
  ui->Gauge1->raise();
  auto steps = std::make_shared<Steps>();
  steps->gaugeMinimum = ui->Gauge1->minimum();
  steps->gaugeMaximum = ui->Gauge1->maximum();
  // A text set again unchanged, or a control shown as it already is, is not
  // drawn again.
  auto setText = [this, steps](TLabel* label, const QString& s) {
    if (label->text() == s) return;
    label->setText(s);
    steps->changed += label->geometry();
  };
  auto setVisible = [this, steps](QWidget* w, bool visible) {
    if (w->isVisibleTo(this) == visible) return;
    w->setVisible(visible);
    // The window's repaint leaves out an opaque control (the bar over its
    // backdrop) just shown: it asks to be drawn itself.
    if (visible) w->update();
    steps->changed += w->geometry();
  };
  TFirmwareUpdater::Hooks h;
  h.SetLabel1 = [this, setText](const QString& s) { setText(ui->Label1, s); };
  h.SetLabel2 = [this, setText](const QString& s) { setText(ui->Label2, s); };
  h.ShowGauge = [this, setVisible](bool visible) { setVisible(ui->Gauge1, visible); };
  h.SetGaugeMaximum = [this, steps](int maximum) {
    ui->Gauge1->setMaximum(std::max(1, maximum));
    steps->gaugeMaximum = ui->Gauge1->maximum();
  };
  // Setting the value draws the bar at once when it visibly changes: the
  // steps in between straight onto the screen, the last one through the
  // window's own repaint.
  auto setGauge = [this, steps] {
    if (steps->gaugePending < 0) return;
    if (steps->gaugePending < steps->gaugeMaximum) {
      ui->Gauge1->setValueNow(steps->gaugePending);
    } else {
      ui->Gauge1->setValue(steps->gaugePending);
    }
    steps->gaugePending = -1;
    steps->gaugeSet.start();
  };
  h.SetGaugeProgress = [steps, setGauge](int progress) {
    steps->gaugePending = progress;
    const bool edge = progress <= steps->gaugeMinimum || progress >= steps->gaugeMaximum;
    if (edge || !steps->gaugeSet.isValid() || steps->gaugeSet.elapsed() >= kGaugeStepMs) setGauge();
  };
  h.ShowQuitButton = [this, setVisible](bool visible) { setVisible(ui->btnQuit, visible); };
  // Only a repaint, and only of the controls the steps changed: handling
  // other events here would let a device change reach the link in the middle
  // of a transfer.
  h.Repaint = [this, steps, setGauge] {
    setGauge();
    if (steps->changed.isEmpty()) return;
    repaint(steps->changed);
    steps->changed = QRegion();
  };
  h.ShowError = [this](const QString& s) { ShowError(s); };
  TFirmwareUpdater updater(h);
  const QString product = BoxDevice ? BoxDevice->ProductString() : QString();
  outcome_ = updater.updateprog(image, product);
  setGauge();
  // The box may already be back if a message box let the notifications in.
  if (state_ == State::Updating) state_ = State::Waiting;
}

void TfrmUpdate::UpdateAgain() {
  if (state_ != State::Waiting || !BoxDevice) return;
  // A box that keeps coming back in its loader is not flashed for ever.
  if (runs_ >= MaxRuns) {
    ui->Label1->setText(GetText(MoreTextId::TooManyTries));
    ui->Label2->setText(GetText(MoreTextId::UpdateGivenUp));
    ui->Gauge1->hide();
    state_ = State::Aborted;
    ui->btnQuit->show();
    ui->btnQuit->setFocus();
    return;
  }
  ui->Label1->setText(GetText(TextId::Updating) + BoxDevice->ProductString() + GetText(TextId::To) +
                      productName_ + QLatin1Char(' ') + ExpectedFirmwareVersion);
  ui->Label2->clear();
  repaint();
  updatefirmware();
}

void TfrmUpdate::Complete(const QString& line1, const QString& line2) {
  ui->Label1->setText(line1);
  ui->Label2->setText(line2);
  ui->btnQuit->show();
  ui->btnQuit->setFocus();
  state_ = State::Done;
}

void TfrmUpdate::quitClick() {
  FirmwareUpdateStarted = false;
  closing_ = true;
  hide();
  done(1);
}

void TfrmUpdate::reject() {}

void TfrmUpdate::closeEvent(QCloseEvent* event) {
  if (closing_) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
  }
}

void AddUpdateWindowHooks(BoxLinkHooks& hooks) {
  hooks.UpdateWindowVisible = [] { return TfrmUpdate::Current() && TfrmUpdate::Current()->isVisible(); };
  hooks.CompleteUpdateWindow = [](const QString& line1, const QString& line2) {
    if (TfrmUpdate* w = TfrmUpdate::Current()) w->Complete(line1, line2);
  };
}

void OpenUpdateWindow(const QString& firstLine, QWidget* parent) {
  TfrmUpdate frm(ProductName, parent);
  frm.Label1()->setText(firstLine);
  frm.exec();
}

bool UpdateAgainInOpenWindow(QTimer* timer) {
  TfrmUpdate* w = TfrmUpdate::Current();
  if (!BoxDevice || !w || w->state() != TfrmUpdate::State::Waiting || LinkState != BoxLinkState::UpdateNeeded)
    return false;
  timer->stop();
  w->UpdateAgain();
  return true;
}

void FirmwareTimerTick(QTimer* timer, QWidget* parent) {
  if (FirmwareUpdateStarted && UpdateAgainInOpenWindow(timer)) return;
  // The box may have changed since the timer was armed: loader commands must
  // never reach a box that runs the application.
  if (!BoxDevice || FirmwareUpdateStarted || LinkState != BoxLinkState::UpdateNeeded) return;
  timer->stop();
  FirmwareUpdateStarted = true;
  BoxConnected = true;
  OpenUpdateWindow(GetText(TextId::Updating) + BoxDevice->ProductString() + GetText(TextId::To) +
                       ProductName + QLatin1Char(' ') + ExpectedFirmwareVersion,
                   parent);
}
