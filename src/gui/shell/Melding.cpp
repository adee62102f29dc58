#include "gui/shell/Melding.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "gui/shell/RoundForm.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/FitText.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "ui_Melding.h"

TfrmMeld* frmMeld = nullptr;

TfrmMeld::TfrmMeld(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmMeld>()) {
  ui->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(480, 360);

  ui->Image1->setPicture(ArtworkImage(Artwork::MessageBackground));
  labelFont_ = QFont(QStringLiteral("Arial"));
  labelFont_.setPixelSize(21);
  line1Box_ = ui->Label1->geometry();
  line2Box_ = ui->Label2->geometry();
  for (TLabel* l : {ui->Label1, ui->Label2}) {
    l->setFont(labelFont_);
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->hide();
  }
  QFont buttonFont(QStringLiteral("Arial"));
  buttonFont.setPixelSize(19);
  for (TGradBtn* b : {ui->btn1, ui->btn2}) {
    b->setFont(buttonFont);
    TUtilities::SetButtonNormal(b);
    b->hide();
  }
  connect(ui->btn1, &QPushButton::clicked, this, [this] { done(1); });
  connect(ui->btn2, &QPushButton::clicked, this, [this] { done(2); });

  RoundForm(this, 20);
  TUtilities::RoundButtons(this);
}

TfrmMeld::~TfrmMeld() = default;

TImage* TfrmMeld::Image1() const { return ui->Image1; }
TLabel* TfrmMeld::Label1() const { return ui->Label1; }
TLabel* TfrmMeld::Label2() const { return ui->Label2; }
TGradBtn* TfrmMeld::btn1() const { return ui->btn1; }
TGradBtn* TfrmMeld::btn2() const { return ui->btn2; }

void TfrmMeld::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool one = !ui->btn1->isHidden(), two = !ui->btn2->isHidden();
  // With two buttons neither is safe to pick blindly (one may leave without
  // saving or sending), so Enter then does nothing.
  if (enter && one != two) {
    done(one ? 1 : 2);
    return;
  }
  QDialog::keyPressEvent(event);
}

void TfrmMeld::Fill(const QString& line1, const QString& line2, const QString& button1,
                    const QString& button2) {
  if (button1.isEmpty() || button2.isEmpty()) {
    const int left = int(std::nearbyint(width() / 2.0)) - int(std::nearbyint(ui->btn1->width() / 2.0));
    ui->btn1->move(left, ui->btn1->y());
    ui->btn2->move(left, ui->btn2->y());
  }
  auto fill = [](auto* control, const QString& text) {
    control->setText(text);
    control->setVisible(!text.isEmpty());
  };
  fill(ui->Label1, line1);
  fill(ui->Label2, line2);
  fill(ui->btn1, button1);
  fill(ui->btn2, button2);
  // A screen reader reads both lines when the dialog opens.
  setAccessibleName(line1);
  setAccessibleDescription(line2);

  // A line that does not fit on one line at a readable size wraps, and the
  // second line moves down below it, as far as the buttons.
  const int bottom = std::min(ui->btn1->y(), ui->btn2->y()) - 10;
  const int gap = line2Box_.top() - line1Box_.bottom() - 1;
  int top = line1Box_.top();
  for (TLabel* l : {ui->Label1, ui->Label2}) {
    const QRect designed = l == ui->Label1 ? line1Box_ : line2Box_;
    if (l == ui->Label2) top = std::max(top, designed.top());
    const int reserve = l == ui->Label1 && !line2.isEmpty() ? gap + designed.height() : 0;
    const QSize room(designed.width(), bottom - top - reserve);
    QFont f = labelFont_;
    l->setWordWrap(false);
    f = FittingFont(labelFont_, l->text(), designed.size(), 0);
    int height = designed.height();
    if (!TextFits(f, l->text(), designed.size(), 0)) {
      l->setWordWrap(true);
      f = FittingFont(labelFont_, l->text(), room, Qt::TextWordWrap);
      height =
          std::max(height, QFontMetrics(f)
                               .boundingRect(QRect(QPoint(), room), Qt::TextWordWrap, DisplayText(l->text()))
                               .height());
    }
    l->setFont(f);
    l->setGeometry(designed.left(), top, designed.width(), height);
    if (!l->text().isEmpty()) top += height + gap;
  }
}

bool TfrmMeld::LineFits(const TLabel* label) const {
  const int flags = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
  const int bottom = std::min(ui->btn1->y(), ui->btn2->y());
  return label->geometry().bottom() < bottom && TextFits(label->font(), label->text(), label->size(), flags);
}

int TfrmMeld::Meld(const QString& line1, const QString& line2, const QString& button1,
                   const QString& button2) {
  return Ask(line1, line2, button1, button2) == 1 ? 1 : 2;
}

int TfrmMeld::Ask(const QString& line1, const QString& line2, const QString& button1,
                  const QString& button2) {
  const int left1 = ui->btn1->x(), left2 = ui->btn2->x();
  Fill(line1, line2, button1, button2);

  // Centred over the main window (or the screen when there is none).
  const QWidget* over = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
  const QRect area = over && over != this ? over->frameGeometry()
                     : screen()           ? screen()->availableGeometry()
                                          : QRect(0, 0, 800, 600);
  move(area.center() - rect().center());

  const int result = exec();
  ui->btn1->move(left1, ui->btn1->y());
  ui->btn2->move(left2, ui->btn2->y());
  return result == 1 || result == 2 ? result : 0;
}

namespace {

int RunMeld(const QString& line1, const QString& line2, const QString& button1, const QString& button2,
            QWidget* parent, bool ask) {
  if (!parent) parent = QApplication::activeWindow();
  // A message asked while another is open nests; the outer one is restored.
  TfrmMeld* outer = frmMeld;
  auto dialog = std::make_unique<TfrmMeld>(parent);
  frmMeld = dialog.get();
  const int result =
      ask ? dialog->Ask(line1, line2, button1, button2) : dialog->Meld(line1, line2, button1, button2);
  dialog.reset();
  frmMeld = outer;
  return result;
}

}  // namespace

int ShowMeld(const QString& line1, const QString& line2, const QString& button1, const QString& button2,
             QWidget* parent) {
  return RunMeld(line1, line2, button1, button2, parent, false);
}

int AskMeld(const QString& line1, const QString& line2, const QString& button1, const QString& button2,
            QWidget* parent) {
  return RunMeld(line1, line2, button1, button2, parent, true);
}
