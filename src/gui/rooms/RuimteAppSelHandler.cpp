#include "gui/rooms/RuimteAppSelHandler.h"

#include <QComboBox>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>

#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"
#include "core/model/ImageList.h"
#include "core/model/LoadSave.h"
#include "core/model/Recovery.h"
#include "core/shell/Language.h"
#include "core/shell/Win1252.h"
#include "gui/common/NameValidator.h"
#include "gui/common/TileKeys.h"
#include "gui/common/YesNo.h"
#include "gui/rooms/ImagePickerHandler.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/BuiltinPictures.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_RuimteAppSelInterface.h"

namespace {

constexpr int PicturesPerPage = 8;

void SetBaseColour(QLineEdit* edit, const QColor& c) {
  QPalette p = edit->palette();
  p.setColor(QPalette::Base, c);
  edit->setPalette(p);
}

// A picture of a list as drawn: its transparent parts cut out.
QImage Drawn(const TImageList* list, int index) {
  if (!list || index < 0 || index >= list->Count()) return QImage();
  return list->GetMasked(index);
}

}  // namespace

TfrmRuimteAppSel::TfrmRuimteAppSel(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TfrmRuimteAppSel>()) {
  ui->setupUi(this);
  timerLeren = new QTimer(this);
  timerLeren->setInterval(TRuimteAppSelHandler::LearnInterval);
  // Code wheel letters A..P.
  for (int i = 0; i < 16; ++i) ui->kanaalBox->addItem(QString(QChar('A' + i)));
  for (int n = 1; n <= 16; ++n) ui->nummerBox->addItem(QString::number(n));
  ui->edtOmschrijving->setMaxLength(TRuimteAppSelHandler::NameMaxLength);
  ui->edtOmschrijving->setValidator(new TNameValidator(ui->edtOmschrijving));
  QFont big = ui->edtOmschrijving->font();
  big.setPixelSize(20);
  ui->edtOmschrijving->setFont(big);
  QFont caption = ui->LR1->font();
  caption.setPixelSize(16);
  for (QWidget* w : std::initializer_list<QWidget*>{ui->LR1, ui->Label1, ui->Label2, ui->dimbaarJa,
                                                    ui->dimbaarNee, ui->kanaalBox, ui->nummerBox})
    w->setFont(caption);
  ui->imgTileBack->setPicture(TImageFetcher::Instance()->Picture(UIPic::NotSelected));
}

TfrmRuimteAppSel::~TfrmRuimteAppSel() = default;

TRuimteAppSelHandler::TRuimteAppSelHandler(bool isRoom, QWidget* buttonPanel, QWidget* mainPanel)
    : TContentScreen(mainPanel, std::make_unique<TfrmRuimteAppSel>(), QStringLiteral("AdvSmoothPanel1")),
      form_(FormAs<TfrmRuimteAppSel>()),
      isRoom_(isRoom) {
  buttons_ = std::make_unique<TRuimteAppSelButHandler>(buttonPanel);
  buttons_->Bind(buttons_->ButExit(), [this] { Cancel(); });
  buttons_->Bind(buttons_->ButOK(), [this] { OK(); });
  buttons_->Bind(buttons_->ButWissen(), [this] { Delete(); });

  indicator_ = std::make_unique<TIndicatorHandler>(PicturesPerPage, [this](QObject* s) { PageDotClick(s); });
  picker_ = std::make_unique<TImagePickerHandler>(mainPanel, buttonPanel);

  Ui::TfrmRuimteAppSel* ui = form_->ui.get();
  ui->pnlHeeftCodeSchijf->setCaption(GetText(TextId::CodeSwitchReceiver));
  ui->pnlCode->setCaption(GetText(TextId::Code));
  ui->pnlDimBaar->setCaption(GetText(TextId::Dimmer));
  dimChoice_ = std::make_unique<TYesNo>(ui->imgDimJa, ui->dimbaarJa, ui->imgDimNee, ui->dimbaarNee);
  codeWheelChoice_ =
      std::make_unique<TYesNo>(ui->imgCodeSchijfJa, ui->Label1, ui->imgCodeSchijfNee, ui->Label2);
  for (TYesNo* choice : {dimChoice_.get(), codeWheelChoice_.get()})
    choice->SetTexts(GetText(TextId::Yes), GetText(TextId::No));
  normalEditColour_ = ui->edtOmschrijving->palette().color(QPalette::Base);
  normalFrameColour_ = ui->frameSelected->borderColor();
  for (TImage* dot : {ui->imgPIR1, ui->imgPIR2, ui->imgPIR3, ui->imgPIR4}) indicator_->AddIndicator(dot);

  TLoadSave* ls = TLoadSave::Instance();
  if (ls->RuimteImageList->Count() == 0)
    for (const QImage& p : BuiltinRoomPictures()) ls->RuimteImageList->Add(p);
  if (ls->AppImageList->Count() == 0)
    for (const QImage& p : BuiltinDevicePictures()) ls->AppImageList->Add(p);

  if (isRoom_) {
    ui->pnlDimBaar->hide();
    ui->pnlAfbeeldingen->setCaption(GetText(TextId::RoomImage));
    ui->pnlOmschrijving->setCaption(GetText(TextId::RoomDescription));
  } else {
    ui->pnlDimBaar->show();
    ui->pnlAfbeeldingen->setCaption(GetText(TextId::DeviceImage));
    ui->pnlOmschrijving->setCaption(GetText(TextId::DeviceDescription));
  }

  // Read out as the panels' captions say: "device image 3", "code".
  ui->edtOmschrijving->setAccessibleName(ui->pnlOmschrijving->caption());
  ui->kanaalBox->setAccessibleName(GetText(TextId::Code));
  ui->nummerBox->setAccessibleName(GetText(TextId::Code));
  ui->imageSelected->setAccessibleName(ui->pnlAfbeeldingen->caption());
  // The arrows pick as clicks do; Enter stays OK.
  keys_ = std::make_unique<TTileKeys>(4);
  keys_->Current = [this] {
    const int k = pictureIndex_ - currentPage_ * PicturesPerPage;
    if (pictureChanged_ && k >= 0 && k < PicturesPerPage) return k;
    return library_ && currentPage_ * PicturesPerPage < library_->Count() ? 0 : -1;
  };
  keys_->Select = [this](int position) { return PickAt(position); };
  keys_->TurnPage = [this](int step) { return TurnLibraryPage(step); };
  int k = 0;
  for (TImage* img :
       {ui->Image1, ui->Image2, ui->Image3, ui->Image4, ui->Image5, ui->Image6, ui->Image7, ui->Image8}) {
    keys_->AddTile(img);
    img->setAccessibleName(ui->pnlAfbeeldingen->caption() + QLatin1Char(' ') + QString::number(++k));
    connect(img, &TImage::clicked, this, [this](QObject* s) { PickPicture(s); });
    // A double-click on a library picture opens the image picker, which hands
    // its result to LibraryPictureChosen.
    connect(img, &TImage::doubleClicked, this, [this](QObject* s) { Browse(s); });
  }
  connect(ui->edtOmschrijving, &QLineEdit::textChanged, this, [this](const QString& t) { NameChanged(t); });

  dimChoice_->Picked = [this](bool yes) { DimChoice(yes); };
  codeWheelChoice_->Picked = [this](bool yes) { CodeWheelChoice(yes); };
  connect(ui->kanaalBox, &QComboBox::currentIndexChanged, this, [this] { CodeBoxChanged(); });
  connect(ui->nummerBox, &QComboBox::currentIndexChanged, this, [this] { CodeBoxChanged(); });
  connect(form_->timerLeren, &QTimer::timeout, this, [this] { LearnTick(); });

  // Enter is OK and Escape cancel, wherever the focus is on the open editor
  // (not while the image picker covers it).
  auto key = [this](QKeySequence seq, void (TRuimteAppSelHandler::*action)()) {
    auto* shortcut = new QShortcut(seq, form_->ui->AdvSmoothPanel1);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    connect(shortcut, &QShortcut::activated, this, [this, action] {
      if (IsOpen() && !picker_->IsOpen()) (this->*action)();
    });
  };
  key(QKeySequence(Qt::Key_Return), &TRuimteAppSelHandler::OK);
  key(QKeySequence(Qt::Key_Enter), &TRuimteAppSelHandler::OK);
  key(QKeySequence(Qt::Key_Escape), &TRuimteAppSelHandler::Cancel);

  auto* mark = new TSmoothPanel(ui->pnlAfbeeldingen);
  mark->setTransparentFill(true);
  mark->setCornerRadius(6);
  mark->setBorderWidth(4);
  mark->setBorderColor(FromWinColor(WinColour::Selected));
  mark->setAttribute(Qt::WA_TransparentForMouseEvents);
  mark->hide();
  pickedMark_ = mark;
}

TRuimteAppSelHandler::~TRuimteAppSelHandler() { form_->timerLeren->stop(); }

bool TRuimteAppSelHandler::IsOpen() const { return IsShown(); }

bool TRuimteAppSelHandler::IsLearning() const { return form_->timerLeren->isActive(); }

int TRuimteAppSelHandler::CurrentPage() const { return indicator_->CurrentPage; }

void TRuimteAppSelHandler::Edit(const QString& name, int pictureIndex, StoreCallback store, int code,
                                bool hasCodeWheel, bool deleteAllowed, bool dimmable) {
  Ui::TfrmRuimteAppSel* ui = form_->ui.get();
  TLoadSave* ls = TLoadSave::Instance();
  form_->timerLeren->stop();  // learning never carries over into another item
  ui->pnlAfbeeldingen->setToolTip(ls->ShowHints ? GetText(TextId::DoubleClickToBrowseForPicture) : QString());

  library_ = isRoom_ ? ls->RuimteImageList.get() : ls->AppImageList.get();
  perItem_ = isRoom_ ? ls->CustomRuimteImageList.get() : ls->CustomAppImageList.get();

  indicator_->Update(0, library_->Count());
  DrawPage(0);

  store_ = std::move(store);
  pictureChanged_ = false;
  pictureIndex_ = pictureIndex;
  MarkPicked();

  SetFrameColour(normalFrameColour_);
  SetNameBoxColour(normalEditColour_);

  Show();

  ui->imageSelected->setPicture(pictureIndex_ != -1 ? Drawn(perItem_, pictureIndex_) : QImage());
  SetTileCaption(ui->LR1, name);
  // A name made elsewhere may be longer than the box takes; it is kept whole
  // rather than cut off by merely opening the editor.
  ui->edtOmschrijving->setMaxLength(std::clamp(int(name.size()), int(NameMaxLength), int(MaxNameLength)));
  ui->edtOmschrijving->setText(name);

  dimmable_ = dimmable;
  hasCodeWheel_ = hasCodeWheel;
  code_ = code;
  dimChoice_->SetChoice(dimmable_);

  buttons_->SetEnabled(buttons_->ButWissen(), deleteAllowed);

  if (isRoom_) {
    ui->pnlCode->hide();
    ui->pnlHeeftCodeSchijf->hide();
  } else {
    buttons_->Bind(buttons_->butLeren(), [this] { Learn(); });
    SetLearnState(2);
    if (!ls->OldModel && !hasCodeWheel_) {
      ui->pnlHeeftCodeSchijf->hide();
      ui->pnlCode->hide();
      // Without code wheels learning is the only way to a code, so the learn
      // button must not stay disabled from an earlier code-wheel edit.
      buttons_->SetEnabled(buttons_->butLeren(), true);
    } else {
      ui->pnlHeeftCodeSchijf->show();
      const int number = code_ / 16;  // truncates: -1 gives 0, shown as "1"
      const int letter = code_ - 16 * number;
      {
        const QSignalBlocker b1(ui->nummerBox), b2(ui->kanaalBox);
        ui->nummerBox->setCurrentIndex(std::clamp(number, 0, 15));
        ui->kanaalBox->setCurrentIndex(letter < 0 ? 0 : std::clamp(letter, 0, 15));
      }
      CodeWheelChoice(hasCodeWheel_);
    }
  }

  ui->edtOmschrijving->setFocus();
  buttons_->Show();
}

void TRuimteAppSelHandler::DrawPage(int page) {
  Ui::TfrmRuimteAppSel* ui = form_->ui.get();
  TImage* images[] = {ui->Image1, ui->Image2, ui->Image3, ui->Image4,
                      ui->Image5, ui->Image6, ui->Image7, ui->Image8};
  for (int k = 0; k < PicturesPerPage; ++k) {
    // Positions past the end of the library stay blank and cannot be picked.
    const QImage p = Drawn(library_, page * PicturesPerPage + k);
    images[k]->setPicture(p);
    images[k]->setCursor(p.isNull() ? Qt::ArrowCursor : Qt::PointingHandCursor);
  }
  currentPage_ = page;
  MarkPicked();
}

// Rings the picked library picture when it is on the page shown.
void TRuimteAppSelHandler::MarkPicked() {
  Ui::TfrmRuimteAppSel* ui = form_->ui.get();
  TImage* images[] = {ui->Image1, ui->Image2, ui->Image3, ui->Image4,
                      ui->Image5, ui->Image6, ui->Image7, ui->Image8};
  keys_->Update();
  const int k = pictureIndex_ - currentPage_ * PicturesPerPage;
  if (!pictureChanged_ || k < 0 || k >= PicturesPerPage) {
    pickedMark_->hide();
    return;
  }
  pickedMark_->setGeometry(images[k]->geometry().adjusted(-5, -5, 5, 5));
  pickedMark_->show();
  pickedMark_->raise();
}

void TRuimteAppSelHandler::PageDotClick(QObject* sender) {
  const int page = TUtilities::SenderTag(sender);
  if (page < 0 || !library_) return;
  DrawPage(page);
  indicator_->Update(page, library_->Count());
}

void TRuimteAppSelHandler::PickPicture(QObject* sender) { PickAt(TUtilities::SenderTag(sender)); }

bool TRuimteAppSelHandler::PickAt(int position) {
  if (!library_ || position < 0 || position >= PicturesPerPage) return false;
  const int index = position + std::max(0, indicator_->CurrentPage) * PicturesPerPage;
  if (index >= library_->Count()) return false;  // a blank position
  pictureIndex_ = index;
  form_->ui->imageSelected->setPicture(Drawn(library_, index));
  SetFrameColour(normalFrameColour_);
  pictureChanged_ = true;
  MarkPicked();
  return true;
}

bool TRuimteAppSelHandler::TurnLibraryPage(int step) {
  const int page = std::max(0, indicator_->CurrentPage) + step;
  if (!library_ || page < 0 || page >= indicator_->Count || page * PicturesPerPage >= library_->Count())
    return false;
  DrawPage(page);
  indicator_->Update(page, library_->Count());
  return true;
}

// A double-click on a library picture (which its first click picked) opens
// the image picker, which hands its result to LibraryPictureChosen.
void TRuimteAppSelHandler::Browse(QObject* sender) {
  PickPicture(sender);
  const int index = TUtilities::SenderTag(sender) + std::max(0, indicator_->CurrentPage) * PicturesPerPage;
  if (!pictureChanged_ || pictureIndex_ != index) return;  // a blank position
  picker_->Pick(Drawn(library_, pictureIndex_),
                [this](const TLoadedPicture& p) { LibraryPictureChosen(p.Picture, p.TransparentColour); });
}

void TRuimteAppSelHandler::LibraryPictureChosen(const QImage& bitmap, std::optional<QRgb> transparent) {
  if (!library_ || !pictureChanged_ || pictureIndex_ < 0 || pictureIndex_ >= library_->Count() ||
      bitmap.isNull())
    return;
  QImage picture = bitmap.convertToFormat(QImage::Format_RGB888);
  if (picture.size() != QSize(library_->Width(), library_->Height()))
    picture = picture.scaled(library_->Width(), library_->Height(), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
  std::optional<QRgb> mask = transparent;
  if (!mask) {
    const int unused = TUtilities::UnusedColour(picture);
    if (unused >= 0) mask = QRgb(unused);
  }
  library_->Replace(pictureIndex_, picture, mask);
  // The library belongs to the installation: the new picture stays whatever
  // the editor's OK or cancel.
  Recovery::NoteConfirmedChange();
  DrawPage(std::max(0, indicator_->CurrentPage));
  form_->ui->imageSelected->setPicture(Drawn(library_, pictureIndex_));
  form_->update();
}

void TRuimteAppSelHandler::NameChanged(const QString& text) {
  // The preview breaks and shrinks the name as the tile will.
  SetTileCaption(form_->ui->LR1, text);
  SetNameBoxColour(normalEditColour_);
}

void TRuimteAppSelHandler::DimChoice(bool yes) {
  dimmable_ = yes;
  dimChoice_->SetChoice(dimmable_);
}

void TRuimteAppSelHandler::CodeWheelChoice(bool yes) {
  Ui::TfrmRuimteAppSel* ui = form_->ui.get();
  hasCodeWheel_ = yes;
  codeWheelChoice_->SetChoice(yes);
  if (!yes) {
    ui->pnlCode->hide();
    buttons_->SetEnabled(buttons_->butLeren(), true);
    return;
  }
  // A code-wheel receiver does not learn and does not dim; pnlCode covers
  // the dimmer choice.
  StopLearning();
  dimmable_ = false;
  ui->pnlCode->show();
  ui->pnlCode->raise();
  buttons_->SetEnabled(buttons_->butLeren(), false);
  CodeBoxChanged();
}

void TRuimteAppSelHandler::CodeBoxChanged() {
  if (!hasCodeWheel_) return;
  Ui::TfrmRuimteAppSel* ui = form_->ui.get();
  const int number = ui->nummerBox->currentText().toInt();
  const QString letter = ui->kanaalBox->currentText();
  if (number < 1 || letter.size() != 1) return;
  code_ = (number - 1) * 16 + (letter.at(0).unicode() - 'A');
}

void TRuimteAppSelHandler::SetLearnState(int state) { buttons_->SetLearnState(state); }

void TRuimteAppSelHandler::Learn() {
  if (!TUtilities::CheckConnected()) return;
  QTimer* timer = form_->timerLeren;
  SetLearnState(3);
  learnTicks_ = 0;
  if (timer->isActive()) {
    timer->stop();
  } else {
    blinkPhase_ = true;  // the first tick sends
    timer->start();
  }
  if (code_ == -1) code_ = TLoadSave::Instance()->FreeCode();
  if (!timer->isActive()) SetLearnState(2);
  buttons_->ShowLearnHint(timer->isActive() ? LearnTimeLeft() : QString());
}

QString TRuimteAppSelHandler::LearnTimeLeft() const {
  const int ms = std::max(0, LearnTicks - learnTicks_) * LearnInterval;
  const int seconds = (ms + 999) / 1000;
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void TRuimteAppSelHandler::LearnTick() {
  ++learnTicks_;
  if (learnTicks_ > LearnTicks) {
    StopLearning();
    return;
  }
  buttons_->ShowLearnHint(LearnTimeLeft());
  if (blinkPhase_) {
    SetLearnState(3);
    SendSwitch(uint8_t(code_ & 0xFF), LearningTickByte(dimmable_));
  } else {
    SetLearnState(4);
  }
  blinkPhase_ = !blinkPhase_;
}

void TRuimteAppSelHandler::StopLearning() {
  form_->timerLeren->stop();
  SetLearnState(2);
  buttons_->ShowLearnHint(QString());
}

void TRuimteAppSelHandler::Delete() {
  StopLearning();
  Ui::TfrmRuimteAppSel* ui = form_->ui.get();
  ui->imageSelected->clear();
  ui->LR1->clear();
  ui->edtOmschrijving->clear();
  pictureIndex_ = -1;
  code_ = -1;
  MarkPicked();
}

void TRuimteAppSelHandler::OK() {
  Ui::TfrmRuimteAppSel* ui = form_->ui.get();
  const QString name = ui->edtOmschrijving->text();
  const bool valid = (!name.isEmpty() && pictureIndex_ != -1 && (isRoom_ || TUtilities::CheckCode(code_))) ||
                     (name.isEmpty() && pictureIndex_ == -1);
  if (!valid) {
    if (name.isEmpty()) {
      SetNameBoxColour(Qt::red);
      ui->edtOmschrijving->setFocus();
    } else if (pictureIndex_ == -1) {
      SetFrameColour(Qt::red);
    }
    return;
  }
  Hide();
  buttons_->Hide();
  StopLearning();
  // The callback may reopen the editor; keep it alive while it runs.
  const StoreCallback store = store_;
  if (store) store(name, pictureIndex_, code_, hasCodeWheel_, dimmable_, pictureChanged_);
}

void TRuimteAppSelHandler::Cancel() {
  Hide();
  buttons_->Hide();
  StopLearning();
}

void TRuimteAppSelHandler::SetFrameColour(const QColor& c) { form_->ui->frameSelected->setBorderColor(c); }

void TRuimteAppSelHandler::SetNameBoxColour(const QColor& c) { SetBaseColour(form_->ui->edtOmschrijving, c); }
