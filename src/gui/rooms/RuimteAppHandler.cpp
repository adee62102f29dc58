#include "gui/rooms/RuimteAppHandler.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QTextLayout>
#include <QThread>
#include <algorithm>

#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"

#include "core/model/LoadSave.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "core/shell/Language.h"
#include "gui/shell/Melding.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "ui_RuimteAppInterface.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"

// ---- form ----

TRuimteApparaat::TRuimteApparaat(QWidget* parent) : QWidget(parent), ui(new Ui::TRuimteApparaat) {
  ui->setupUi(this);
  // Tile captions 16 px, row titles 20 px (designs carry point sizes only).
  for (TLabel* l : {ui->lblR1, ui->lblR2, ui->lblR3, ui->lblR4, ui->lblA1, ui->lblA2, ui->lblA3, ui->lblA4}) {
    QFont f = l->font();
    f.setPixelSize(16);
    l->setFont(f);
  }
  for (TLabel* l : {ui->lblRuimtes, ui->lblApparaten}) {
    QFont f = l->font();
    f.setPixelSize(20);
    l->setFont(f);
  }
}

TRuimteApparaat::~TRuimteApparaat() { delete ui; }

// ---- tile ----

TRuimteAppUI::TRuimteAppUI(TRuimteAppUIHandler* owner, TImage* background, TImage* picture, TLabel* caption,
                           TImage* led)
    : Owner(owner), Background(background), Picture(picture), Caption(caption), Led(led) {
  SetSelected(false);
}

void TRuimteAppUI::SetSelected(bool selected) {
  selected_ = selected;
  Background->setPicture(TImageFetcher::Instance()->Picture(selected ? UIPic::Selected : UIPic::NotSelected));
  Caption->setFontColor(selected ? Qt::white : Qt::black);
}

// ---- row base ----


TRuimteAppUIHandler::TRuimteAppUIHandler(bool isRoom, QWidget* mainPanel, QWidget* buttonPanel,
                                         TRuimteApparaat* form, QObject* parent)
    : QObject(parent), mainPanel_(mainPanel), buttonPanel_(buttonPanel), isRoom_(isRoom), form_(form) {
  editor_ = std::make_unique<TRuimteAppSelHandler>(isRoom, buttonPanel, mainPanel);
  indicator_ =
      std::make_unique<TIndicatorHandler>(4, [this](QObject* dot) { ShowPage(TUtilities::SenderTag(dot)); });
}

TRuimteAppUIHandler::~TRuimteAppUIHandler() = default;

void TRuimteAppUIHandler::AddTile(int position, TImage* background, TImage* picture, TLabel* caption) {
  tiles_[position] = std::make_unique<TRuimteAppUI>(this, background, picture, caption);
  for (TImage* image : {background, picture}) {
    connect(image, &TImage::clicked, this, [this](QObject* s) { TileClick(s); });
    connect(image, &TImage::doubleClicked, this, [this](QObject* s) { TileDblClick(s); });
  }
  connect(caption, &TLabel::clicked, this, [this](QObject* s) { TileClick(s); });
  connect(caption, &TLabel::doubleClicked, this, [this](QObject* s) { TileDblClick(s); });
}

TSmoothPanel* TRuimteAppUIHandler::Panel() const { return form_->ui->pnlRuimteApparaat; }

int TRuimteAppUIHandler::CurrentPage() const { return indicator_->CurrentPage; }

int TRuimteAppUIHandler::AbsoluteIndex() const { return CurrentPage() * 4 + selected_; }

TImageList* TRuimteAppUIHandler::Library() const {
  TLoadSave* ls = TLoadSave::Instance();
  return isRoom_ ? ls->RuimteImageList.get() : ls->AppImageList.get();
}

TImageList* TRuimteAppUIHandler::PerItem() const {
  TLoadSave* ls = TLoadSave::Instance();
  return isRoom_ ? ls->CustomRuimteImageList.get() : ls->CustomAppImageList.get();
}

void TRuimteAppUIHandler::DrawPicture(TImage* target, int imageIndex) const {
  const TImageList* list = PerItem();
  if (imageIndex < 0 || !list || imageIndex >= list->Count()) {
    target->clear();
    return;
  }
  target->setPicture(list->GetMasked(imageIndex));
}

std::function<void(const QString&, int, int, bool, bool, bool)> TRuimteAppUIHandler::StoreCallback() {
  return [this](const QString& name, int picture, int code, bool wheel, bool dim, bool changed) {
    StoreItem(name, picture, code, wheel, dim, changed);
  };
}

bool TRuimteAppUIHandler::SelectTile(QObject* sender) {
  const int old = selected_;
  const int position = TUtilities::SenderTag(sender);
  if (position < 0 || position > 3 || ItemCount() + 1 <= CurrentPage() * 4 + position) {
    selected_ = old;
    return false;
  }
  selected_ = position;
  return true;
}

void TRuimteAppUIHandler::TileClick(QObject* sender) {
  const int old = selected_;
  if (!SelectTile(sender)) return;
  tiles_[old]->SetSelected(false);
  tiles_[selected_]->SetSelected(true);
}

void TRuimteAppUIHandler::ShowPage(int page) {
  if (page < 0 || page > 3) return;
  TSmoothPanel* panel = Panel();
  // Hidden while the tiles change, so they do not flicker.
  panel->hide();
  const int old = indicator_->CurrentPage;
  indicator_->Update(page, ItemCount());
  FillTiles(indicator_->CurrentPage * 4);
  if (page != old) TileClick(tiles_[0]->Background);
  panel->show();
}

// ---- rooms ----

TRuimteUIHandler::TRuimteUIHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent)
    : TRuimteAppUIHandler(true, mainPanel, buttonPanel, new TRuimteApparaat, parent) {
  ownedForm_.reset(form_);
  Ui::TRuimteApparaat* ui = form_->ui;
  panel_ = ui->pnlRuimteApparaat;
  ui->lblRuimtes->setText(GetText(TextId::Rooms));
  ui->lblApparaten->setText(GetText(TextId::Devices));

  apps_ = std::make_unique<TAppUIHandler>(this, mainPanel, buttonPanel, form_);
  // The timer programme screen attaches through OpenTimer.

  AddTile(0, ui->imgBGR1, ui->imgR1, ui->lblR1);
  AddTile(1, ui->imgBGR2, ui->imgR2, ui->lblR2);
  AddTile(2, ui->imgBGR3, ui->imgR3, ui->lblR3);
  AddTile(3, ui->imgBGR4, ui->imgR4, ui->lblR4);
  for (TImage* dot : {ui->imgPIR1, ui->imgPIR2, ui->imgPIR3, ui->imgPIR4}) indicator_->AddIndicator(dot);

  buttons_ = std::make_unique<TRuimteAppButHandler>(buttonPanel);
  TRuimteAppButHandler* b = buttons_.get();
  TAppUIHandler* apps = apps_.get();
  b->Bind(b->ButExit, [this] { ExitProgram(); });
  b->Bind(b->ButExtra, [this] {
    if (OpenExtra) OpenExtra();
  });
  b->Bind(b->ButScene, [this] {
    if (OpenScenes) OpenScenes();
  });
  b->Bind(b->ButTimer, [this] {
    if (OpenTimer) OpenTimer(AbsoluteIndex(), apps_->AbsoluteIndex());
  });
  b->Bind(b->ButOn, [apps] { apps->SwitchOn(); });
  b->Bind(b->ButDimmer, [apps] { apps->SwitchDim(); });
  b->Bind(b->ButDimDn, [apps] { apps->DimDown(); });
  b->Bind(b->ButDimUp, [apps] { apps->DimUp(); });
  b->Bind(b->ButOff, [apps] { apps->SwitchOff(); });

  Terminate = [] { QCoreApplication::exit(0); };
}

TRuimteUIHandler::~TRuimteUIHandler() {
  // The device row shares the form; it goes first. The shown panel belongs to
  // the main panel, not to the form.
  apps_.reset();
  if (panel_ && panel_->parent() != form_) delete panel_.data();
}

int TRuimteUIHandler::ItemCount() const { return TLoadSave::Instance()->RoomCount(); }

void TRuimteUIHandler::Show() {
  TSmoothPanel* panel = Panel();
  panel->setParent(mainPanel_);
  panel->move(0, 0);
  panel->show();
  panel->raise();
  ShowPage(0);
  buttons_->Show();
}

void TRuimteUIHandler::TileClick(QObject* sender) {
  TRuimteAppUIHandler::TileClick(sender);
  if (SelectTile(sender)) ShowDevicesOf(AbsoluteIndex());
}

void TRuimteUIHandler::ShowDevicesOf(int room) {
  TSmoothPanel* panel = Panel();
  panel->hide();
  apps_->SetRoom(room);
  // Page -1 makes ShowPage (0) select the first device tile whatever was shown.
  apps_->indicator_->CurrentPage = -1;
  apps_->ShowPage(0);
  if (TLoadSave::Instance()->Ruimtes[room].IsEmpty())
    for (auto& tile : apps_->tiles_) tile->SetSelected(false);
  panel->show();
}

void TRuimteUIHandler::TileDblClick(QObject* sender) {
  // A double-click that did not come with a click first still selects.
  if (TUtilities::SenderTag(sender) != selected_) TileClick(sender);
  if (!SelectTile(sender)) return;
  const TRuimte& r = TLoadSave::Instance()->Ruimtes[AbsoluteIndex()];
  // A room with devices cannot be deleted.
  editor_->Edit(r.Naam, r.ImageIndex, StoreCallback(), -1, false, r.DeviceCount() == 0, false);
}

void TRuimteUIHandler::StoreItem(const QString& name, int pictureIndex, int /*code*/, bool /*hasCodeWheel*/,
                                 bool /*dimmable*/, bool pictureChanged) {
  const int index = AbsoluteIndex();
  if (pictureIndex == -1) {
    DeleteItem(index);
  } else {
    TLoadSave* ls = TLoadSave::Instance();
    TRuimte& r = ls->Ruimtes[index];
    if (pictureChanged && pictureIndex >= 0 && pictureIndex < Library()->Count()) {
      const QImage bitmap = Library()->Get(pictureIndex);
      if (r.ImageIndex == -1 || !PerItem()->Replace(r.ImageIndex, bitmap))
        r.ImageIndex = PerItem()->Add(bitmap);
    }
    if (!name.isEmpty()) r.Naam = name.left(MaxNameLength);
    ShowPage(CurrentPage());
  }
  // The room's slot may have become used, or later rooms moved into it.
  ShowDevicesOf(AbsoluteIndex());
  apps_->UpdateButtons();
}

void TRuimteUIHandler::DeleteItem(int index) {
  TLoadSave::Instance()->DeleteRoom(index);
  ShowPage(CurrentPage());
}

void TRuimteUIHandler::FillTiles(int first) {
  const TLoadSave* ls = TLoadSave::Instance();
  const int count = ItemCount();
  for (int i = 0; i < 4; ++i) {
    const int n = first + i;
    TRuimteAppUI* tile = tiles_[i].get();
    if (n >= count) {
      tile->Picture->clear();
      tile->Caption->setText(QString());
    } else {
      DrawPicture(tile->Picture, ls->Ruimtes[n].ImageIndex);
      SetTileCaption(tile->Caption, ls->Ruimtes[n].Naam);
    }
    tile->Picture->update();
  }
}

void TRuimteUIHandler::ApplyHint() {
  // A panel without hint text shows no hint.
  Panel()->setToolTip(TLoadSave::Instance()->ShowHints ? GetText(TextId::DoubleClickToEdit) : QString());
}

void TRuimteUIHandler::SettingsClosed(bool changed) {
  if (changed) {
    // The picture lists are read from the installation on every draw, so a
    // replaced installation shows as soon as the rows are drawn again.
    apps_->indicator_->CurrentPage = -1;
    apps_->ShowPage(0);
    indicator_->CurrentPage = -1;
    ShowPage(0);
  }
  ApplyHint();
}

// ---- exit ----

namespace {

// Texts of the failed-save question, by language (0 Dutch .. 9 Turkish).
QString CouldNotSaveText() {
  static const char* const texts[LanguageCount] = {"Opslaan mislukt:",
                                                   "Could not save:",
                                                   "Speichern fehlgeschlagen:",
                                                   "Enregistrement impossible :",
                                                   "No se pudo guardar:",
                                                   "Falha ao guardar:",
                                                   "Salvataggio non riuscito:",
                                                   "Tallennus ep\u00e4onnistui:",
                                                   "A ment\u00e9s nem siker\u00fclt:",
                                                   "Kaydedilemedi:"};
  const int language = TLoadSave::Instance()->Language;
  return QString::fromUtf8(texts[language >= 0 && language < LanguageCount ? language : 1]);
}

QString TryAgainText() {
  static const char* const texts[LanguageCount] = {"opnieuw",    "try again", "wiederholen", "r\u00e9essayer",
                                                   "reintentar", "repetir",   "riprova",     "uudelleen",
                                                   "\u00fajra",  "tekrar"};
  const int language = TLoadSave::Instance()->Language;
  return QString::fromUtf8(texts[language >= 0 && language < LanguageCount ? language : 1]);
}

// The hourglass for the duration of the exit sequence, put away while a
// question is on screen.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() {
    if (on_) QGuiApplication::restoreOverrideCursor();
  }
  void Pause() {
    if (on_) QGuiApplication::restoreOverrideCursor();
    on_ = false;
  }
  void Resume() {
    if (!on_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    on_ = true;
  }

 private:
  bool on_ = true;
};

}  // namespace

void TRuimteUIHandler::ExitProgram() {
  WaitCursor cursor;
  QWidget* dialogParent = mainPanel_ ? mainPanel_->window() : nullptr;

  // Never end with the changes lost unnoticed: a file that cannot be written
  // is named, and the user chooses to try again or to leave anyway.
  for (;;) {
    const SaveResult saved = TLoadSave::Instance()->Save();
    if (saved.Ok) break;
    cursor.Pause();
    QString line2 = saved.FailedFile;
    if (!saved.Error.isEmpty()) line2 += QStringLiteral(" (") + saved.Error + QLatin1Char(')');
    // Closing the dialog any other way counts as "try again".
    const int choice =
        ShowMeld(CouldNotSaveText(), line2, GetText(TextId::Exit), TryAgainText(), dialogParent);
    cursor.Resume();
    if (choice == 1) break;
  }

  {
    TCommunicatie comm;
    if (BoxConnected && !comm.VerifyBox()) {
      cursor.Pause();
      const QString line2 = GetText(TextId::AfterClickingOn) + QStringLiteral(" '") +
                            GetText(TextId::SendToKLV) + QLatin1Char('\'');
      const int choice = ShowMeld(GetText(TextId::ChangesInEffectOnly), line2, GetText(TextId::Exit),
                                  GetText(TextId::SendToKLV), dialogParent);
      cursor.Resume();
      if (choice == 2) {
        comm.SyncSceneTable();
        comm.SendSunTable();
        comm.UploadProgramme();
        if (SendPauseMs > 0) QThread::msleep(SendPauseMs);
      }
    }
  }

  if (Terminate) Terminate();
}

// ---- devices ----

TAppUIHandler::TAppUIHandler(TRuimteUIHandler* owner, QWidget* mainPanel, QWidget* buttonPanel,
                             TRuimteApparaat* form)
    : TRuimteAppUIHandler(false, mainPanel, buttonPanel, form, nullptr), owner_(owner) {
  Ui::TRuimteApparaat* ui = form->ui;
  AddTile(0, ui->imgBGA1, ui->imgA1, ui->lblA1);
  AddTile(1, ui->imgBGA2, ui->imgA2, ui->lblA2);
  AddTile(2, ui->imgBGA3, ui->imgA3, ui->lblA3);
  AddTile(3, ui->imgBGA4, ui->imgA4, ui->lblA4);
  for (TImage* dot : {ui->imgPIA1, ui->imgPIA2, ui->imgPIA3, ui->imgPIA4}) indicator_->AddIndicator(dot);
  owner->ApplyHint();
}

TAppUIHandler::~TAppUIHandler() = default;

int TAppUIHandler::ItemCount() const { return TLoadSave::Instance()->Ruimtes[room_].DeviceCount(); }

bool TAppUIHandler::SelectTile(QObject* sender) {
  if (TLoadSave::Instance()->Ruimtes[room_].IsEmpty()) return false;
  return TRuimteAppUIHandler::SelectTile(sender);
}

void TAppUIHandler::TileClick(QObject* sender) {
  TRuimteAppUIHandler::TileClick(sender);
  UpdateButtons();
}

void TAppUIHandler::TileDblClick(QObject* sender) {
  if (TUtilities::SenderTag(sender) != selected_) TileClick(sender);
  if (!SelectTile(sender)) return;
  const TApparaat& d = TLoadSave::Instance()->Ruimtes[room_].Apparaten[AbsoluteIndex()];
  editor_->Edit(d.Naam, d.ImageIndex, StoreCallback(), d.Code, d.CodeSchijf != 0, true, d.Dimbaar != 0);
}

void TAppUIHandler::StoreItem(const QString& name, int pictureIndex, int code, bool hasCodeWheel,
                              bool dimmable, bool pictureChanged) {
  const int index = AbsoluteIndex();
  if (pictureIndex == -1) {
    DeleteItem(index);
  } else {
    TApparaat& d = TLoadSave::Instance()->Ruimtes[room_].Apparaten[index];
    if (pictureChanged && pictureIndex >= 0 && pictureIndex < Library()->Count()) {
      const QImage bitmap = Library()->Get(pictureIndex).convertToFormat(QImage::Format_RGB888);
      const int unused = TUtilities::UnusedColour(bitmap);
      std::optional<QRgb> mask;
      if (unused != -1) mask = QRgb(unused);
      if (d.ImageIndex == -1 || !PerItem()->Replace(d.ImageIndex, bitmap, mask))
        d.ImageIndex = PerItem()->Add(bitmap, mask);
    }
    d.Naam = name.left(MaxNameLength);
    d.CodeSchijf = hasCodeWheel ? 1 : 0;
    d.Dimbaar = dimmable ? 1 : 0;
    d.Code = code;
    ShowPage(CurrentPage());
  }
  UpdateButtons();
}

void TAppUIHandler::DeleteItem(int d) {
  TLoadSave::Instance()->DeleteDevice(room_, d);
  ShowPage(CurrentPage());
}

void TAppUIHandler::FillTiles(int first) {
  const TRuimte& room = TLoadSave::Instance()->Ruimtes[room_];
  const int count = ItemCount();
  for (int i = 0; i < 4; ++i) {
    const int n = first + i;
    TRuimteAppUI* tile = tiles_[i].get();
    tile->Picture->clear();
    if (n >= count) {
      tile->Caption->setText(QString());
    } else {
      DrawPicture(tile->Picture, room.Apparaten[n].ImageIndex);
      SetTileCaption(tile->Caption, room.Apparaten[n].Naam);
    }
    tile->Picture->update();
  }
}

TApparaat* TAppUIHandler::SelectedDevice() const {
  const int index = AbsoluteIndex();
  if (room_ < 0 || room_ >= RoomCount || index < 0 || index >= DevicesPerRoom) return nullptr;
  return &TLoadSave::Instance()->Ruimtes[room_].Apparaten[index];
}

void TAppUIHandler::UpdateButtons() {
  TRuimteAppButHandler* b = owner_->buttons_.get();
  if (!b) return;
  const TApparaat* d = SelectedDevice();
  const bool dimmable = d && d->Dimbaar;
  const bool used = d && d->ImageIndex != -1;
  for (QWidget* w : std::initializer_list<QWidget*>{b->ButDimmer, b->LDimmer, b->ButDimDn, b->ButDimUp})
    b->SetEnabled(w, dimmable);
  if (!b->LDimmer->isHidden() && d) b->LDimmer->setText(QString::number(d->DimNiveau));
  for (QWidget* w : std::initializer_list<QWidget*>{b->ButOff, b->ButOn, b->ButTimer}) b->SetEnabled(w, used);
}

void TAppUIHandler::Send(uint8_t (*actionByte)(const TApparaat&)) {
  const TApparaat* d = SelectedDevice();
  if (!d) return;
  if (!TUtilities::CheckConnected()) return;
  if (!TUtilities::CheckCode(d->Code)) return;
  SendSwitch(uint8_t(d->Code & 0xFF), actionByte(*d));
}

void TAppUIHandler::SwitchOn() { Send(&SwitchOnByte); }
void TAppUIHandler::SwitchOff() { Send(&SwitchOffByte); }
void TAppUIHandler::SwitchDim() { Send(&DimValueByte); }

void TAppUIHandler::DimDown() {
  TApparaat* d = SelectedDevice();
  if (!d) return;
  if (BoxConnected && d->DimNiveau > 1) --d->DimNiveau;
  UpdateButtons();
  SwitchDim();
}

void TAppUIHandler::DimUp() {
  TApparaat* d = SelectedDevice();
  if (!d) return;
  if (BoxConnected && d->DimNiveau < 16) ++d->DimNiveau;
  UpdateButtons();
  SwitchDim();
}
