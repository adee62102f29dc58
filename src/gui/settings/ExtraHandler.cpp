#include "gui/settings/ExtraHandler.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QThread>
#include <memory>

#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"
#include "core/model/LanguageStore.h"
#include "core/model/LoadSave.h"
#include "core/model/Recovery.h"
#include "core/model/SettingsSets.h"
#include "core/shell/Language.h"
#include "core/timers/LocationChoice.h"
#include "gui/common/BusyCursor.h"
#include "gui/common/NameValidator.h"
#include "gui/device/SetDateTime.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/Melding.h"
#include "gui/shell/SingleInstance.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_ExtraButInterface.h"
#include "ui_ExtraInterface.h"

namespace {

using LocationChoice::Field;

// The hourglass while files are copied or the box is busy.
using WaitCursor = TBusyCursor;

// The small "i" that carries the coordinates hint.
QImage InfoPicture() {
  QImage img(24, 24, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(58, 78, 96));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(1, 1, 22, 22));
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(16);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("i"));
  return img;
}

// An invalid colour gives the control its normal look back.
void SetBase(QWidget* w, const QColor& c) {
  if (!c.isValid()) {
    w->setPalette(QPalette());
    return;
  }
  QPalette pal = w->palette();
  pal.setColor(QPalette::Base, c);
  w->setPalette(pal);
}

QString FileAndReason(const QString& file, const QString& error) {
  return error.isEmpty() ? file : file + QStringLiteral(" (") + error + QLatin1Char(')');
}

// Line 2 of a refused set name.
QString NameProblemText(SettingsSets::NameProblem problem, QChar c) {
  using P = SettingsSets::NameProblem;
  switch (problem) {
    case P::Empty:
      return GetText(MoreTextId::NameEmpty);
    case P::Reserved:
      return GetText(MoreTextId::NameReserved);
    case P::BadCharacter:
    case P::NotWin1252: {
      const bool control = c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
      const QString shown = control ? QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                    : QStringLiteral("\"%1\"").arg(c);
      return GetText(MoreTextId::NameCharacter).arg(shown);
    }
    case P::TrailingDotOrBlank:
      return GetText(MoreTextId::NameTrailing);
    case P::TooLong:
      return GetText(MoreTextId::NameTooLong).arg(SettingsSets::MaxNameLength);
    case P::None:
      break;
  }
  return QString();
}

}  // namespace

// ---- forms ----

TfrmExtra::TfrmExtra(QWidget* parent) : QWidget(parent), ui(new Ui::TfrmExtra) {
  ui->setupUi(this);
  QFont base(QStringLiteral("Arial"));
  base.setPixelSize(16);
  for (QWidget* w : findChildren<QWidget*>()) {
    QFont f = w->font();
    f.setPixelSize(16);
    w->setFont(f);
  }
  setFont(base);
  QFont big = ui->lblZonOp->font();
  big.setPixelSize(20);
  ui->lblZonOp->setFont(big);
  ui->lblZonOnder->setFont(big);
  QFont small = ui->lblVersie->font();
  small.setPixelSize(13);
  ui->lblVersie->setFont(small);
  ui->lblGradLat->setText(QStringLiteral("°"));
  ui->lblGradLon->setText(QStringLiteral("°"));
  ui->lblMinLat->setText(QStringLiteral("'"));
  ui->lblMinLon->setText(QStringLiteral("'"));
  ui->ImgCoords->setPicture(InfoPicture());
  for (TImage* dot : {ui->imgOudModelJa, ui->imgOudModelNee, ui->imgHintsJa, ui->imgHintsNee})
    dot->setCursor(Qt::PointingHandCursor);
  for (int i = 0; i < LanguageCount; ++i) ui->cmbxTaal->addItem(LanguageName(i));
  ui->cmbxOpslaan->setInsertPolicy(QComboBox::NoInsert);
  if (QLineEdit* edit = ui->cmbxOpslaan->lineEdit()) edit->setValidator(new TNameValidator(edit));
  ui->test->hide();
}

TfrmExtra::~TfrmExtra() { delete ui; }

TfrmExtraBut::TfrmExtraBut(QWidget* parent) : QWidget(parent), ui(new Ui::TfrmExtraBut) { ui->setupUi(this); }

TfrmExtraBut::~TfrmExtraBut() { delete ui; }

TExtraButHandler::TExtraButHandler(QWidget* buttonPanel) : TButtonColumn(buttonPanel, new TfrmExtraBut) {
  Ui::TfrmExtraBut* ui = static_cast<TfrmExtraBut*>(Form())->ui;
  ButExit = ui->ButExit;
  ButOK = ui->ButOK;
  butNaarKLV = ui->butNaarKLV;
  ButExit->setText(GetText(TextId::Cancel));
  ButOK->setText(GetText(TextId::OK));
  butNaarKLV->setText(GetText(TextId::SendToKLV));
  for (TGradBtn* b : {ButExit, ButOK, butNaarKLV}) b->setAccessibleName(b->text());
}

TExtraButHandler::~TExtraButHandler() = default;

// ---- the screen ----

TExtraHandler::TExtraHandler(QWidget* contentPanel, QWidget* buttonPanel, QObject* parent)
    : TExtraHandler(contentPanel, buttonPanel, new TfrmExtra, parent) {}

TExtraHandler::TExtraHandler(QWidget* contentPanel, QWidget* buttonPanel, TfrmExtra* form, QObject* parent)
    : TContentScreen(contentPanel, std::unique_ptr<QWidget>(form), form->ui->pnlExtra, parent), form_(form) {
  Ui::TfrmExtra* u = form_->ui;
  SettingsSets::EnsureFolder();

  connect(u->imgOudModelJa, &TImage::clicked, this, [this] { OldModelChoice(true); });
  connect(u->lblOudModelJa, &TLabel::clicked, this, [this] { OldModelChoice(true); });
  connect(u->imgOudModelNee, &TImage::clicked, this, [this] { OldModelChoice(false); });
  connect(u->lblOudModelNee, &TLabel::clicked, this, [this] { OldModelChoice(false); });
  connect(u->imgHintsJa, &TImage::clicked, this, [this] { HintsChoice(true); });
  connect(u->lblHintsJa, &TLabel::clicked, this, [this] { HintsChoice(true); });
  connect(u->imgHintsNee, &TImage::clicked, this, [this] { HintsChoice(false); });
  connect(u->lblHintsNee, &TLabel::clicked, this, [this] { HintsChoice(false); });
  connect(u->ButLaden, &QAbstractButton::clicked, this, [this] { LoadClick(); });
  connect(u->ButOpslaan, &QAbstractButton::clicked, this, [this] { StoreClick(); });
  connect(u->cmbxLand, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) CountryChange();
  });
  connect(u->cmbxPlaats, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) CityChange();
  });
  for (QComboBox* c : {u->cmbxLatNS, u->cmbxLonEW})
    connect(c, &QComboBox::currentIndexChanged, this, [this] {
      if (!filling_) CoordinateChange();
    });
  for (QLineEdit* e : {u->edLatEB, u->edLonEB, u->edLatEBmin, u->edLonEBmin})
    connect(e, &QLineEdit::textChanged, this, [this] {
      if (!filling_) CoordinateChange();
    });
  connect(u->cmbxOpslaan, &QComboBox::editTextChanged, this, [u] { SetBase(u->cmbxOpslaan, QColor()); });
  // The box clock dialog, for the user and for support.
  connect(u->test, &QAbstractButton::clicked, this, [this] { ShowSetDateTime(DialogParent()); });
  connect(u->lblVersie, &TLabel::doubleClicked, this, [this] { ShowSetDateTime(DialogParent()); });

  buttons_ = std::make_unique<TExtraButHandler>(buttonPanel);
  buttons_->Bind(buttons_->ButExit, [this] { Cancel(); });
  buttons_->Bind(buttons_->ButOK, [this] { OK(); });
  buttons_->Bind(buttons_->butNaarKLV, [this] { Send(); });

  const QStringList sets = SettingsSets::List();
  u->cmbxLaden->addItems(sets);
  u->cmbxOpslaan->addItems(sets);
  u->cmbxOpslaan->setCurrentIndex(-1);
  u->cmbxLand->addItems(Locations::CountryList());

  u->pnlExtra->setCaption(GetText(TextId::Extra));
  u->lblBestand->setText(GetText(TextId::Settings));
  u->lblOudModel->setText(GetText(TextId::CodeWheels));
  u->lblOudModelJa->setText(GetText(TextId::Yes));
  u->lblHintsJa->setText(GetText(TextId::Yes));
  u->lblOudModelNee->setText(GetText(TextId::No));
  u->lblHintsNee->setText(GetText(TextId::No));
  u->lblHints->setText(GetText(TextId::ShowHints));
  u->lblLanguage->setText(GetText(TextId::Language));
  u->lblLocatie->setText(GetText(TextId::Location));
  u->lblLand->setText(GetText(TextId::Country));
  u->lblPlaats->setText(GetText(TextId::City));
  u->lblSunRise->setText(GetText(TextId::SunRise));
  u->lblSunSet->setText(GetText(TextId::SunSet));
  u->ButLaden->setText(GetText(TextId::Load));
  u->ButOpslaan->setText(GetText(TextId::Save));
  u->cmbxLatNS->addItems({GetText(TextId::NorthLatitude), GetText(TextId::SouthLatitude)});
  u->cmbxLonEW->addItems({GetText(TextId::EastLongitude), GetText(TextId::WestLongitude)});
  // Labels shrink their font rather than be cut off.
  for (TLabel* l : u->pnlExtra->findChildren<TLabel*>()) l->setFitText(true);

  // What a screen reader says for each control.
  const auto name = [](QWidget* w, TextId id) { w->setAccessibleName(DisplayText(GetText(id))); };
  name(u->cmbxLand, TextId::Country);
  name(u->cmbxPlaats, TextId::City);
  name(u->cmbxTaal, TextId::Language);
  name(u->cmbxLaden, TextId::Load);
  name(u->cmbxOpslaan, TextId::Save);
  if (QLineEdit* typed = u->cmbxOpslaan->lineEdit()) name(typed, TextId::Save);
  name(u->ButLaden, TextId::Load);
  name(u->ButOpslaan, TextId::Save);
  name(u->imgOudModelJa, TextId::Yes);
  name(u->imgHintsJa, TextId::Yes);
  name(u->imgOudModelNee, TextId::No);
  name(u->imgHintsNee, TextId::No);
  name(u->cmbxLatNS, TextId::NorthLatitude);
  name(u->cmbxLonEW, TextId::EastLongitude);
  name(u->lblZonOp, TextId::SunRise);
  name(u->lblZonOnder, TextId::SunSet);
  const QString lat = GetText(TextId::NorthLatitude), lon = GetText(TextId::EastLongitude);
  u->edLatEB->setAccessibleName(lat + QStringLiteral(" °"));
  u->edLatEBmin->setAccessibleName(lat + QStringLiteral(" '"));
  u->edLonEB->setAccessibleName(lon + QStringLiteral(" °"));
  u->edLonEBmin->setAccessibleName(lon + QStringLiteral(" '"));
  u->ImgCoords->setAccessibleName(DisplayText(GetText(TextId::SelectMyLocationUnderCityToChangeCoorditates)));
  u->lblVersie->setAccessibleName(GetText(TextId::Version).trimmed());
  u->test->setAccessibleName(GetText(MoreTextId::Clock));

  Restart = [] { return RestartProgram(); };
}

TExtraHandler::~TExtraHandler() = default;

void TExtraHandler::Show(CloseCallback onClose) {
  onClose_ = std::move(onClose);
  Ui::TfrmExtra* u = ui();
  TContentScreen::Show();
  TUtilities::RoundButtons(Panel());
  u->lblVersie->setText(GetText(TextId::Version) + ProgramVersion);

  TLoadSave* ls = TLoadSave::Instance();
  OldModel = ls->OldModel;
  ShowHints = ls->ShowHints;
  DrawChoices();

  const bool hints = ShowHints != 0;
  u->cmbxPlaats->setToolTip(hints ? DisplayText(GetText(TextId::SelectACityOrMyLocation)) : QString());
  u->ImgCoords->setToolTip(DisplayText(GetText(TextId::SelectMyLocationUnderCityToChangeCoorditates)));

  buttons_->Show();
  SetLoaded = false;
  u->cmbxTaal->setCurrentIndex(ls->Language);
  FillFromInstallation();
}

void TExtraHandler::FillFromInstallation() {
  Ui::TfrmExtra* u = ui();
  // The stored place goes back into the table first, so that a stored
  // "my location" shows its coordinates.
  const LocationChoice::TStart start = LocationChoice::WriteBackStored(TLoadSave::Instance()->Location);
  filling_ = true;
  u->cmbxLand->setCurrentIndex(u->cmbxLand->findText(start.Country, Qt::MatchFixedString));
  filling_ = false;
  CountryChange();
  filling_ = true;
  u->cmbxPlaats->setCurrentIndex(start.CityPosition);
  filling_ = false;
  CityChange();
}

void TExtraHandler::DrawChoices() {
  Ui::TfrmExtra* u = ui();
  const TImageFetcher* f = TImageFetcher::Instance();
  const auto draw = [f](TImage* yes, TImage* no, bool choice) {
    yes->setPicture(f->Picture(choice ? UIPic::PISel : UIPic::PIDisabled));
    no->setPicture(f->Picture(choice ? UIPic::PIDisabled : UIPic::PISel));
  };
  draw(u->imgOudModelJa, u->imgOudModelNee, OldModel != 0);
  draw(u->imgHintsJa, u->imgHintsNee, ShowHints != 0);
}

void TExtraHandler::OldModelChoice(bool yes) {
  OldModel = yes ? 1 : 0;
  DrawChoices();
}

void TExtraHandler::HintsChoice(bool yes) {
  ShowHints = yes ? 1 : 0;
  DrawChoices();
}

void TExtraHandler::CountryChange() {
  Ui::TfrmExtra* u = ui();
  QStringList cities = Locations::CityList(u->cmbxLand->currentText());
  if (!cities.isEmpty()) cities[0] = GetText(TextId::MyLocation);
  filling_ = true;
  u->cmbxPlaats->clear();
  u->cmbxPlaats->addItems(cities);
  u->cmbxPlaats->setCurrentIndex(cities.isEmpty() ? -1 : 0);
  filling_ = false;
  CityChange();
}

void TExtraHandler::CityChange() {
  Ui::TfrmExtra* u = ui();
  const int position = u->cmbxPlaats->currentIndex();
  const int index = LocationChoice::CityIndex(u->cmbxLand->currentText(), position);
  const TLocation& r = Locations::At(index < 0 ? 0 : index);
  filling_ = true;
  u->edLatEB->setText(QString::number(r.LatDeg));
  u->edLatEBmin->setText(QString::number(r.LatMin));
  u->edLonEB->setText(QString::number(r.LonDeg));
  u->edLonEBmin->setText(QString::number(r.LonMin));
  u->cmbxLatNS->setCurrentIndex(r.NS == 1 ? 1 : 0);
  u->cmbxLonEW->setCurrentIndex(r.EW == 1 ? 1 : 0);
  filling_ = false;
  const bool own = position == 0;
  for (QWidget* w : std::initializer_list<QWidget*>{u->cmbxLatNS, u->cmbxLonEW, u->edLatEB, u->edLonEB,
                                                    u->edLatEBmin, u->edLonEBmin})
    w->setEnabled(own);
  const bool hints = ShowHints != 0;
  u->ImgCoords->setToolTip(
      !own && hints ? DisplayText(GetText(TextId::SelectMyLocationUnderCityToChangeCoorditates)) : QString());
  CoordinateChange();
}

void TExtraHandler::SetEditValid(QLineEdit* edit, bool valid) {
  SetBase(edit, valid ? QColor() : FromWinColor(WinColour::Red));
  if (!valid) {
    // Whatever the style, the field must read as refused.
    edit->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(255, 0, 0); }"));
  } else {
    edit->setStyleSheet(QString());
  }
}

bool TExtraHandler::CoordinatesValid() const {
  Ui::TfrmExtra* u = ui();
  const auto latDeg = LocationChoice::ParseField(Field::LatDeg, u->edLatEB->text());
  const auto latMin = LocationChoice::ParseField(Field::LatMin, u->edLatEBmin->text());
  const auto lonDeg = LocationChoice::ParseField(Field::LonDeg, u->edLonEB->text());
  const auto lonMin = LocationChoice::ParseField(Field::LonMin, u->edLonEBmin->text());
  return latDeg && latMin && lonDeg && lonMin && LocationChoice::LatitudeInRange(*latDeg, *latMin) &&
         LocationChoice::LongitudeInRange(*lonDeg, *lonMin);
}

void TExtraHandler::CoordinateChange() {
  Ui::TfrmExtra* u = ui();
  const auto latDeg = LocationChoice::ParseField(Field::LatDeg, u->edLatEB->text());
  const auto latMin = LocationChoice::ParseField(Field::LatMin, u->edLatEBmin->text());
  const auto lonDeg = LocationChoice::ParseField(Field::LonDeg, u->edLonEB->text());
  const auto lonMin = LocationChoice::ParseField(Field::LonMin, u->edLonEBmin->text());
  // 90° and 180° take no minutes; the minutes edit shows the fault.
  const bool latOk = latDeg && latMin && LocationChoice::LatitudeInRange(*latDeg, *latMin);
  const bool lonOk = lonDeg && lonMin && LocationChoice::LongitudeInRange(*lonDeg, *lonMin);
  SetEditValid(u->edLatEB, latDeg.has_value());
  SetEditValid(u->edLatEBmin, latMin && (!latDeg || latOk));
  SetEditValid(u->edLonEB, lonDeg.has_value());
  SetEditValid(u->edLonEBmin, lonMin && (!lonDeg || lonOk));
  if (latOk && lonOk) {
    LocationChoice::TCoordinates c;
    c.LatDeg = *latDeg;
    c.LatMin = *latMin;
    c.NS = u->cmbxLatNS->currentIndex() == 1 ? 1 : 0;
    c.LonDeg = *lonDeg;
    c.LonMin = *lonMin;
    c.EW = u->cmbxLonEW->currentIndex() == 1 ? 1 : 0;
    Location = LocationChoice::Collect(u->cmbxLand->currentText(), u->cmbxPlaats->currentIndex(),
                                       GetText(TextId::MyLocation), c);
  }
  ShowSunTimes();
}

void TExtraHandler::ShowSunTimes() {
  Ui::TfrmExtra* u = ui();
  const QDateTime now = Clock();
  const LocationChoice::ZoneState state = LocationChoice::ZoneStateAt(now, Zone);
  u->lblDaylight->setText(GetText(state == LocationChoice::ZoneState::Daylight ? TextId::DaylightSavingTime
                                                                               : TextId::StandardTime));
  const LocationChoice::TSunShown sun = LocationChoice::SunTimesShown(Location, now.date(), state);
  u->lblZonOp->setText(sun.Rise);
  u->lblZonOnder->setText(sun.Set);
}

QWidget* TExtraHandler::DialogParent() const {
  QWidget* main = MainPanel();
  return main ? main->window() : nullptr;
}

void TExtraHandler::Message(const QString& line1, const QString& line2) {
  // No hourglass over a question.
  QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  ShowMeld(line1, line2, GetText(TextId::OK), QString(), DialogParent());
  QGuiApplication::restoreOverrideCursor();
}

void TExtraHandler::Pause() const {
  if (PauseMs > 0) QThread::msleep(PauseMs);
}

void TExtraHandler::OK() {
  Ui::TfrmExtra* u = ui();
  if (!CoordinatesValid()) {
    for (QLineEdit* e : {u->edLatEB, u->edLatEBmin, u->edLonEB, u->edLonEBmin})
      if (!e->styleSheet().isEmpty()) {
        e->setFocus();
        break;
      }
    return;
  }
  TLoadSave* ls = TLoadSave::Instance();
  ls->OldModel = OldModel;
  ls->ShowHints = ShowHints;
  ls->Location = Location;
  Recovery::NoteConfirmedChange();
  if (onClose_) onClose_(SetLoaded);
  if (BoxConnected) {
    WaitCursor cursor;
    TCommunicatie comm;
    comm.SyncSceneTable();
    comm.SendSunTable();
    comm.UploadProgramme();
  }
  Hide();
  buttons_->Hide();

  const int language = u->cmbxTaal->currentIndex();
  if (language < 0 || language == ls->Language) return;
  std::unique_ptr<WaitCursor> cursor = std::make_unique<WaitCursor>();
  // The changes must be in the working files before the program ends.
  const SaveResult saved = ls->Save();
  if (!saved.Ok) {
    cursor.reset();
    Message(GetText(MoreTextId::CouldNotSave), FileAndReason(saved.FailedFile, saved.Error));
    return;
  }
  const int old = ls->Language;
  ls->Language = language;
  if (!WriteStoredLanguage(language)) {
    ls->Language = old;
    cursor.reset();
    Message(GetText(MoreTextId::CouldNotSave), GetText(TextId::Language));
    return;
  }
  if (Restart) Restart();
}

void TExtraHandler::Cancel() {
  if (SetLoaded) {
    WaitCursor cursor;
    const QString previous = GetText(TextId::PreviousConfiguration);
    const SettingsSets::Result r = SettingsSets::Load(previous);
    if (!r.ok()) Message(GetText(MoreTextId::LoadFailed), FileAndReason(r.File, r.Error));
    SetLoaded = false;
  }
  Hide();
  buttons_->Hide();
}

void TExtraHandler::Send() {
  WaitCursor cursor;
  if (TUtilities::CheckConnected()) {
    TCommunicatie comm;
    comm.SyncSceneTable();
    comm.SendSunTable();
    comm.UploadProgramme();
  }
  Pause();
}

void TExtraHandler::LoadClick() {
  const QString name = ui()->cmbxLaden->currentText();
  if (!name.isEmpty()) LoadSettingsSet(name);
}

void TExtraHandler::StoreClick() {
  Ui::TfrmExtra* u = ui();
  const QString name = u->cmbxOpslaan->currentText();
  QChar c;
  const SettingsSets::NameProblem problem = SettingsSets::CheckName(name, &c);
  if (problem != SettingsSets::NameProblem::None) {
    SetBase(u->cmbxOpslaan, FromWinColor(WinColour::Red));
    Message(GetText(MoreTextId::BadSetName), NameProblemText(problem, c));
    return;
  }
  if (!SaveSettingsSet(name)) return;
  // The new set can be loaded in this visit already.
  for (QComboBox* list : {u->cmbxLaden, u->cmbxOpslaan}) {
    if (list->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0) continue;
    const QString typed = list->currentText();
    list->addItem(name);
    if (list == u->cmbxOpslaan) list->setEditText(typed);
  }
}

bool TExtraHandler::SaveSettingsSet(const QString& name) {
  WaitCursor cursor;
  DataFiles::EnvironmentData edits{OldModel, ShowHints, Location};
  const SettingsSets::Result r = SettingsSets::SaveAndStore(name, edits);
  if (!r.ok()) {
    if (r.What == SettingsSets::Result::SaveFailed)
      Message(GetText(MoreTextId::CouldNotSave), FileAndReason(r.File, r.Error));
    else if (r.What == SettingsSets::Result::BadName)
      Message(GetText(MoreTextId::BadSetName), NameProblemText(r.Problem, r.Character));
    else
      Message(GetText(MoreTextId::StoreFailed), FileAndReason(r.File, r.Error));
    return false;
  }
  Pause();
  return true;
}

bool TExtraHandler::LoadSettingsSet(const QString& name) {
  WaitCursor cursor;
  SettingsSets::Result r = SettingsSets::CheckLoadable(name);
  if (r.ok() && !SetLoaded) {
    // The state before the visit's first load, for Cancel; no edits in it.
    r = SettingsSets::SaveAndStore(GetText(TextId::PreviousConfiguration));
    if (!r.ok()) {
      Message(r.What == SettingsSets::Result::SaveFailed ? GetText(MoreTextId::CouldNotSave)
                                                         : GetText(MoreTextId::StoreFailed),
              FileAndReason(r.File, r.Error));
      return false;
    }
  }
  if (r.ok()) r = SettingsSets::Load(name);
  switch (r.What) {
    case SettingsSets::Result::Ok:
      break;
    case SettingsSets::Result::BadName:
      Message(GetText(MoreTextId::BadSetName), NameProblemText(r.Problem, r.Character));
      return false;
    case SettingsSets::Result::NoSuchSet:
      Message(GetText(MoreTextId::NoSuchSet), name);
      return false;
    case SettingsSets::Result::MissingFile:
      Message(GetText(MoreTextId::SetIncomplete), GetText(MoreTextId::FileMissing).arg(r.File));
      return false;
    default:
      Message(GetText(MoreTextId::LoadFailed), FileAndReason(r.File, r.Error));
      return false;
  }
  if (SetLoaded) Pause();
  SetLoaded = true;
  // The screen shows the loaded installation, so that OK keeps it.
  TLoadSave* ls = TLoadSave::Instance();
  OldModel = ls->OldModel;
  ShowHints = ls->ShowHints;
  DrawChoices();
  FillFromInstallation();
  return true;
}

// ---- home screen hook ----

void AttachSettingsScreen(TRuimteUIHandler* home, QWidget* mainPanel, QWidget* buttonPanel) {
  QPointer<QWidget> main(mainPanel), buttons(buttonPanel);
  auto current = std::make_shared<QPointer<TExtraHandler>>();
  home->OpenExtra = [home, main, buttons, current] {
    if (!main || !buttons) return;
    delete current->data();
    *current = new TExtraHandler(main, buttons, home);
    (*current)->Show([home](bool loaded) { home->SettingsClosed(loaded); });
  };
}
