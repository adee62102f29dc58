#include "gui/rooms/RuimteAppHandler.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QThread>
#include <algorithm>

#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"

#include "core/model/LoadSave.h"
#include "core/model/Recovery.h"
#include "core/shell/Language.h"
#include "gui/common/BusyCursor.h"
#include "gui/common/TileKeys.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "gui/shell/Melding.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_RuimteAppInterface.h"

// ---- form ----

TRuimteApparaat::TRuimteApparaat(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TRuimteApparaat>()) {
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
    l->setFitText(true);
  }
}

TRuimteApparaat::~TRuimteApparaat() = default;

void TRuimteApparaat::AddRoomRow(TTileRow& row) const {
  const std::array<TImage*, 4> backgrounds{ui->imgBGR1, ui->imgBGR2, ui->imgBGR3, ui->imgBGR4};
  const std::array<TImage*, 4> pictures{ui->imgR1, ui->imgR2, ui->imgR3, ui->imgR4};
  const std::array<TLabel*, 4> captions{ui->lblR1, ui->lblR2, ui->lblR3, ui->lblR4};
  for (size_t i = 0; i < 4; ++i)
    row.AddTile({.Background = backgrounds[i], .Picture = pictures[i], .Caption = captions[i]});
  for (TImage* dot : {ui->imgPIR1, ui->imgPIR2, ui->imgPIR3, ui->imgPIR4}) row.AddPageDot(dot);
}

void TRuimteApparaat::AddDeviceRow(TTileRow& row, bool leds) const {
  const std::array<TImage*, 4> backgrounds{ui->imgBGA1, ui->imgBGA2, ui->imgBGA3, ui->imgBGA4};
  const std::array<TImage*, 4> pictures{ui->imgA1, ui->imgA2, ui->imgA3, ui->imgA4};
  const std::array<TLabel*, 4> captions{ui->lblA1, ui->lblA2, ui->lblA3, ui->lblA4};
  const std::array<TImage*, 4> strips{ui->imgLeds1, ui->imgLeds2, ui->imgLeds3, ui->imgLeds4};
  for (size_t i = 0; i < 4; ++i)
    row.AddTile({.Background = backgrounds[i],
                 .Picture = pictures[i],
                 .Caption = captions[i],
                 .Led = leds ? strips[i] : nullptr});
  for (TImage* dot : {ui->imgPIA1, ui->imgPIA2, ui->imgPIA3, ui->imgPIA4}) row.AddPageDot(dot);
}

// ---- row base ----

TRuimteAppUIHandler::TRuimteAppUIHandler(bool isRoom, QWidget* mainPanel, QWidget* buttonPanel,
                                         TRuimteApparaat* form)
    : mainPanel_(mainPanel), buttonPanel_(buttonPanel), isRoom_(isRoom), form_(form) {
  row_ = std::make_unique<TTileRow>();
  row_->BlankSlot = true;
  row_->ItemCount = [this] { return ItemCount(); };
  row_->FillTile = [this](TTile& tile, int index) { FillTile(tile, index); };
  row_->Activated = [this](int) { OpenEditor(); };
}

TRuimteAppUIHandler::~TRuimteAppUIHandler() = default;

TRuimteAppSelHandler* TRuimteAppUIHandler::Editor() const {
  if (!editor_) editor_ = std::make_unique<TRuimteAppSelHandler>(isRoom_, buttonPanel_, mainPanel_);
  return editor_.get();
}

TSmoothPanel* TRuimteAppUIHandler::Panel() const { return form_->ui->pnlRuimteApparaat; }

int TRuimteAppUIHandler::CurrentPage() const { return row_->CurrentPage(); }

int TRuimteAppUIHandler::AbsoluteIndex() const { return row_->AbsoluteIndex(); }

int TRuimteAppUIHandler::SelectedPosition() const { return row_->SelectedPosition(); }

void TRuimteAppUIHandler::ShowPage(int page) { row_->ShowPage(page); }

void TRuimteAppUIHandler::TileClick(QObject* sender) { row_->Select(TUtilities::SenderTag(sender)); }

TTile* TRuimteAppUIHandler::Tile(int position) const { return row_->Tile(position); }

TIndicatorHandler* TRuimteAppUIHandler::Indicator() const { return row_->Indicator(); }

TImageList* TRuimteAppUIHandler::Library() const {
  TLoadSave* ls = TLoadSave::Instance();
  return isRoom_ ? ls->RuimteImageList.get() : ls->AppImageList.get();
}

TImageList* TRuimteAppUIHandler::PerItem() const {
  TLoadSave* ls = TLoadSave::Instance();
  return isRoom_ ? ls->CustomRuimteImageList.get() : ls->CustomAppImageList.get();
}

QImage TRuimteAppUIHandler::DrawnPicture(int imageIndex) const {
  const TImageList* list = PerItem();
  if (imageIndex < 0 || !list || imageIndex >= list->Count()) return QImage();
  // In the form drawn, the tile shares it rather than keeping a converted
  // copy; the list keeps no decoded copy of its own.
  return list->GetMaskedPremultiplied(imageIndex);
}

std::function<void(const QString&, int, int, bool, bool, bool)> TRuimteAppUIHandler::StoreCallback() {
  return [this](const QString& name, int picture, int code, bool wheel, bool dim, bool changed) {
    StoreItem(name, picture, code, wheel, dim, changed);
    Recovery::NoteConfirmedChange();
  };
}

// ---- rooms ----

TRuimteUIHandler::TRuimteUIHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent)
    : TContentScreen(mainPanel, std::make_unique<TRuimteApparaat>(), QStringLiteral("pnlRuimteApparaat"),
                     parent),
      TRuimteAppUIHandler(true, mainPanel, buttonPanel, FormAs<TRuimteApparaat>()) {
  Ui::TRuimteApparaat* ui = form_->ui.get();
  ui->lblRuimtes->setText(GetText(TextId::Rooms));
  ui->lblApparaten->setText(GetText(TextId::Devices));

  apps_ = std::make_unique<TAppUIHandler>(this, mainPanel, buttonPanel, form_);
  // The timer programme screen attaches through OpenTimer.

  form_->AddRoomRow(*row_);
  row_->Selected = [this](int room) { ShowDevicesOf(room); };
  // Down from the rooms to the devices, Up back.
  row_->Keys()->Below = apps_->Row()->Keys();
  apps_->Row()->Keys()->Above = row_->Keys();
  // A new installation says how to begin.
  row_->BlankHint = [] {
    return TLoadSave::Instance()->RoomCount() == 0 ? GetText(MoreTextId::DoubleClickToAddRoom) : QString();
  };

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

// The rows go before the screen that owns their form.
TRuimteUIHandler::~TRuimteUIHandler() = default;

int TRuimteUIHandler::ItemCount() const { return TLoadSave::Instance()->RoomCount(); }

void TRuimteUIHandler::Show() {
  TContentScreen::Show();
  ShowPage(0);
  buttons_->Show();
  // The keys work from the start.
  row_->Keys()->FocusSelected();
}

void TRuimteUIHandler::ShowDevicesOf(int room) {
  apps_->SetRoom(room);
  apps_->Row()->ShowFirstPage();
  // An empty room slot has no device tile to select.
  if (TLoadSave::Instance()->Ruimtes[room].IsEmpty()) apps_->Row()->UnselectAll();
  apps_->UpdateButtons();
}

void TRuimteUIHandler::OpenEditor() {
  const TRuimte& r = TLoadSave::Instance()->Ruimtes[AbsoluteIndex()];
  // A room with devices cannot be deleted.
  Editor()->Edit(r.Naam, r.ImageIndex, StoreCallback(), -1, false, r.DeviceCount() == 0, false);
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
  apps_->ForgetRoom(index);
  ShowPage(CurrentPage());
}

void TRuimteUIHandler::FillTile(TTile& tile, int index) {
  const TRuimte& r = TLoadSave::Instance()->Ruimtes[index];
  tile.Show(DrawnPicture(r.ImageIndex), r.Naam);
}

void TRuimteUIHandler::ApplyHint() {
  // A panel without hint text shows no hint.
  Panel()->setToolTip(TLoadSave::Instance()->ShowHints ? GetText(TextId::DoubleClickToEdit) : QString());
}

void TRuimteUIHandler::SettingsClosed(bool changed) {
  if (changed) {
    apps_->ForgetRoom(-1);
    // The picture lists are read from the installation on every draw, so a
    // replaced installation shows as soon as the rows are drawn again.
    apps_->Row()->ShowFirstPage();
    row_->ShowFirstPage();
  }
  ApplyHint();
}

// ---- exit ----

namespace {}  // namespace

void TRuimteUIHandler::ExitProgram() {
  TBusyCursor cursor;
  QWidget* dialogParent = mainPanel_ ? mainPanel_->window() : nullptr;

  // Never end with the changes lost unnoticed: a file that cannot be written
  // is named, and the user chooses to try again or to leave anyway.
  for (;;) {
    const SaveResult saved = TLoadSave::Instance()->Save();
    if (saved.Ok) {
      Recovery::Remove();
      break;
    }
    cursor.Pause();
    QString line2 = saved.FailedFile;
    if (!saved.Error.isEmpty()) line2 += QStringLiteral(" (") + saved.Error + QLatin1Char(')');
    // Closing the dialog any other way counts as "try again".
    const int choice = ShowMeld(GetText(MoreTextId::CouldNotSave), line2, GetText(TextId::Exit),
                                GetText(MoreTextId::TryAgain), dialogParent);
    cursor.Resume();
    if (choice == 1) break;
  }

  {
    TCommunicatie comm;
    if (BoxConnected && !comm.VerifyBox()) {
      cursor.Pause();
      const QString line2 = GetText(TextId::AfterClickingOn) + QStringLiteral(" '") +
                            GetText(TextId::SendToKLV) + QLatin1Char('\'');
      // Only the two buttons decide; Escape or closing the question returns
      // to the program (the files are saved already).
      const int choice = AskMeld(GetText(TextId::ChangesInEffectOnly), line2, GetText(TextId::Exit),
                                 GetText(TextId::SendToKLV), dialogParent);
      cursor.Resume();
      if (choice == 0) return;
      if (choice == 2) {
        // The question is painted away before the screen blocks on the transfer.
        TBusyCursor sending;
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
    : TRuimteAppUIHandler(false, mainPanel, buttonPanel, form), owner_(owner) {
  form->AddDeviceRow(*row_, true);
  // No device tile of an empty room slot can be selected.
  row_->CanSelect = [this](int) { return !TLoadSave::Instance()->Ruimtes[room_].IsEmpty(); };
  row_->Selected = [this](int) { UpdateButtons(); };
  owner->ApplyHint();
}

TAppUIHandler::~TAppUIHandler() = default;

int TAppUIHandler::ItemCount() const { return TLoadSave::Instance()->Ruimtes[room_].DeviceCount(); }

void TAppUIHandler::OpenEditor() {
  const TApparaat& d = TLoadSave::Instance()->Ruimtes[room_].Apparaten[AbsoluteIndex()];
  Editor()->Edit(d.Naam, d.ImageIndex, StoreCallback(), d.Code, d.CodeSchijf != 0, true, d.Dimbaar != 0);
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
  // The later devices move up one slot, and their last commands with them.
  std::map<std::pair<int, int>, int> kept;
  for (const auto& [key, shown] : sent_) {
    if (key.first != room_ || key.second < d)
      kept[key] = shown;
    else if (key.second > d)
      kept[{key.first, key.second - 1}] = shown;
  }
  sent_ = std::move(kept);
  ShowPage(CurrentPage());
}

void TAppUIHandler::FillTile(TTile& tile, int index) {
  const TApparaat& d = TLoadSave::Instance()->Ruimtes[room_].Apparaten[index];
  tile.Show(DrawnPicture(d.ImageIndex), d.Naam);
  const std::optional<int> shown = LastSent(room_, index);
  if (!shown) {
    tile.SetLedVisible(false);
    return;
  }
  tile.SetLedAction(shown);
  // The box answers nothing: the strip says what was sent, not the receiver's state.
  const QString said = GetText(MoreTextId::Sent) + QStringLiteral(": ") + tile.Led->accessibleName();
  tile.Led->setAccessibleName(said);
  tile.Led->setToolTip(TLoadSave::Instance()->ShowHints ? said : QString());
}

std::optional<int> TAppUIHandler::LastSent(int room, int device) const {
  const auto it = sent_.find({room, device});
  if (it == sent_.end()) return std::nullopt;
  return it->second;
}

void TAppUIHandler::ForgetRoom(int room) {
  if (room < 0) {
    sent_.clear();
    return;
  }
  std::map<std::pair<int, int>, int> kept;
  for (const auto& [key, shown] : sent_) {
    if (key.first < room)
      kept[key] = shown;
    else if (key.first > room)
      kept[{key.first - 1, key.second}] = shown;
  }
  sent_ = std::move(kept);
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

void TAppUIHandler::Send(uint8_t (*actionByte)(const TApparaat&), int shown) {
  const TApparaat* d = SelectedDevice();
  if (!d) return;
  if (!TUtilities::CheckConnected()) return;
  if (!TUtilities::CheckCode(d->Code)) return;
  if (!SendSwitch(uint8_t(d->Code & 0xFF), actionByte(*d))) return;
  sent_[{room_, AbsoluteIndex()}] = shown;
  row_->Redraw();
}

void TAppUIHandler::SwitchOn() { Send(&SwitchOnByte, 17); }
void TAppUIHandler::SwitchOff() { Send(&SwitchOffByte, 0); }

void TAppUIHandler::SwitchDim() {
  const TApparaat* d = SelectedDevice();
  Send(&DimValueByte, d ? std::clamp(int(d->DimNiveau), 1, 16) : 1);
}

void TAppUIHandler::DimDown() {
  TApparaat* d = SelectedDevice();
  if (!d) return;
  if (BoxConnected && d->DimNiveau > 1) {
    --d->DimNiveau;
    Recovery::NoteConfirmedChange();
  }
  UpdateButtons();
  SwitchDim();
}

void TAppUIHandler::DimUp() {
  TApparaat* d = SelectedDevice();
  if (!d) return;
  if (BoxConnected && d->DimNiveau < 16) {
    ++d->DimNiveau;
    Recovery::NoteConfirmedChange();
  }
  UpdateButtons();
  SwitchDim();
}
