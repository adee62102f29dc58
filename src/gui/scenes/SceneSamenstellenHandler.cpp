#include "gui/scenes/SceneSamenstellenHandler.h"

#include <algorithm>

#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "gui/common/ContentScreen.h"
#include "gui/common/TileKeys.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_RuimteAppInterface.h"

namespace {

// Picture `index` of a per-item list as drawn; null for -1 or a missing one.
QImage Drawn(const TImageList* list, int index) {
  if (!list || index < 0 || index >= list->Count()) return QImage();
  return list->GetMasked(index);
}

}  // namespace

// ---- row base ----

TSceneSamenstellenUIHandler::TSceneSamenstellenUIHandler(bool targetMode, TRuimteApparaat* form)
    : targetMode_(targetMode), form_(form) {
  row_.ItemCount = [this] { return ItemCount(); };
  row_.FillTile = [this](TTile& tile, int index) { FillTile(tile, index); };
  row_.Selected = [this](int index) { TileSelected(index); };
}

TSceneSamenstellenUIHandler::~TSceneSamenstellenUIHandler() = default;

void TSceneSamenstellenUIHandler::Close() { row_.UnselectAll(); }

// ---- rooms ----

TSceneRuimteUIHandler::TSceneRuimteUIHandler(QWidget* mainPanel, bool targetMode, QWidget* buttonPanel,
                                             QObject* parent)
    : TSceneSamenstellenUIHandler(targetMode, new TRuimteApparaat) {
  setParent(parent);
  screen_ = std::make_unique<TContentScreen>(mainPanel, std::unique_ptr<QWidget>(form_),
                                             QStringLiteral("pnlRuimteApparaat"));
  buttons_ = std::make_unique<TRuimteAppButHandler>(buttonPanel);
  apps_ = std::make_unique<TSceneAppUIHandler>(targetMode, form_, buttons_.get());

  TRuimteAppButHandler* b = buttons_.get();
  b->Bind(b->ButOK, [this] { OK(); });
  b->Bind(b->ButExit, [this] { Close(); });
  if (!targetMode_) {
    TSceneAppUIHandler* apps = apps_.get();
    b->Bind(b->ButOn, [apps] { apps->ActionOn(); });
    b->Bind(b->ButDimmer, [apps] { apps->ActionDim(); });
    b->Bind(b->ButDimDn, [apps] { apps->DimDown(); });
    b->Bind(b->ButDimUp, [apps] { apps->DimUp(); });
    b->Bind(b->ButOff, [apps] { apps->ActionOff(); });
  }
  b->ButExit->setText(GetText(TextId::Back));
  SetTitles(GetText(TextId::SceneRooms), GetText(TextId::SceneDevices));
  form_->AddRoomRow(row_);
  // Down from the rooms to the devices, Up back; Enter on a device is OK.
  row_.Keys()->Below = apps_->row_.Keys();
  apps_->row_.Keys()->Above = row_.Keys();
  apps_->row_.Keys()->Activate = [this] { OK(); };
  // Page dots read as their page until a page is drawn (which names them).
  for (const TIndicatorHandler* dots : {row_.Indicator(), apps_->row_.Indicator()})
    for (int i = 0; i < dots->Count; ++i)
      dots->Indicators[i]->Image->setAccessibleName(GetText(MoreTextId::PageOf).arg(i + 1).arg(dots->Count));
}

TSceneRuimteUIHandler::~TSceneRuimteUIHandler() {
  // The device row shares the form, which the screen owns.
  apps_.reset();
  screen_.reset();
}

TSmoothPanel* TSceneRuimteUIHandler::Panel() const { return form_->ui->pnlRuimteApparaat; }

void TSceneRuimteUIHandler::SetTitles(const QString& rooms, const QString& devices) {
  form_->ui->lblRuimtes->setText(rooms);
  form_->ui->lblApparaten->setText(devices);
}

bool TSceneRuimteUIHandler::IsShown() const { return screen_->IsShown(); }

int TSceneRuimteUIHandler::ItemCount() const { return TLoadSave::Instance()->RoomCount(); }

void TSceneRuimteUIHandler::FillTile(TSceneSamenstellenUI& tile, int index) {
  const TRuimte& r = TLoadSave::Instance()->Ruimtes[index];
  tile.Show(Drawn(TLoadSave::Instance()->CustomRuimteImageList.get(), r.ImageIndex), r.Naam);
}

void TSceneRuimteUIHandler::TileSelected(int index) { ShowDevicesOf(index); }

void TSceneRuimteUIHandler::ShowDevicesOf(int room) {
  apps_->room_ = room;
  // Page 0 with its first device selected, whatever was shown before.
  apps_->row_.ShowFirstPage();
  if (apps_->ItemCount() == 0) {
    // A room without devices: no device tile is chosen.
    apps_->row_.UnselectAll();
    apps_->UpdateButtons();
  }
}

void TSceneRuimteUIHandler::Show(int room, int device, int action, ResultCallback onResult) {
  result_ = std::move(onResult);
  const int r = room < 0 || room >= RoomCount ? 0 : room;
  const int d = device < 0 || device >= DevicesPerRoom ? 0 : device;
  apps_->action_ = action;
  // Changing page selects tile 0; the item's tiles are selected after.
  row_.ShowPage(r / 4);
  if (!row_.Select(TUtilities::PagePosition(r))) ShowDevicesOf(r);
  apps_->row_.ShowPage(d / 4);
  apps_->openDevice_ = device;
  apps_->openAction_ = action;
  apps_->remembered_ = -1;
  if (!apps_->row_.Select(TUtilities::PagePosition(d))) apps_->UpdateButtons();
  apps_->DrawOpeningAction();
  screen_->Show();
  buttons_->Show();
  row_.Keys()->FocusSelected();
}

void TSceneRuimteUIHandler::Close() {
  TSceneSamenstellenUIHandler::Close();
  apps_->Close();
  screen_->Hide();
  buttons_->Hide();
}

void TSceneRuimteUIHandler::OK() {
  const int room = AbsoluteIndex(), device = apps_->AbsoluteIndex(), action = apps_->action_;
  // An empty slot is no choice (OK is disabled there too).
  if (room >= ItemCount() || device >= apps_->ItemCount()) return;
  ResultCallback result = result_;
  Close();
  if (result) result(room, device, action);
}

// ---- devices ----

TSceneAppUIHandler::TSceneAppUIHandler(bool targetMode, TRuimteApparaat* form, TRuimteAppButHandler* buttons)
    : TSceneSamenstellenUIHandler(targetMode, form), buttons_(buttons) {
  form->AddDeviceRow(row_, !targetMode);
  for (TImage* led : {form->ui->imgLeds1, form->ui->imgLeds2, form->ui->imgLeds3, form->ui->imgLeds4})
    led->setVisible(false);
}

TSceneAppUIHandler::~TSceneAppUIHandler() = default;

int TSceneAppUIHandler::ItemCount() const {
  if (room_ < 0 || room_ >= RoomCount) return 0;
  return TLoadSave::Instance()->Ruimtes[room_].DeviceCount();
}

void TSceneAppUIHandler::FillTile(TSceneSamenstellenUI& tile, int index) {
  const TApparaat& d = TLoadSave::Instance()->Ruimtes[room_].Apparaten[index];
  tile.Show(Drawn(TLoadSave::Instance()->CustomAppImageList.get(), d.ImageIndex), d.Naam);
  if (!targetMode_) tile.SetLedAction(std::nullopt);
}

void TSceneAppUIHandler::TileSelected(int index) {
  if (!targetMode_) {
    // Only the selected device shows an action.
    const int shown = std::min(4, ItemCount() - CurrentPage() * 4);
    for (int i = 0; i < shown; ++i) row_.Tile(i)->SetLedAction(std::nullopt);
  }
  if (remembered_ == -1) remembered_ = index;
  if (index == remembered_) {
    action_ = openAction_;
    DrawOpeningAction();
  } else {
    SetAction(0);
  }
  UpdateButtons();
}

void TSceneAppUIHandler::DrawOpeningAction() {
  if (targetMode_ || openDevice_ < 0) return;
  row_.Tile(SelectedPosition())->SetLedAction(openAction_);
  if (openAction_ > 0 && openAction_ < 17) SetDimLevel(openAction_);
}

void TSceneAppUIHandler::UpdateButtons() {
  TRuimteAppButHandler* b = buttons_;
  const int index = AbsoluteIndex();
  const TApparaat* d = nullptr;
  if (room_ >= 0 && room_ < RoomCount && index >= 0 && index < DevicesPerRoom)
    d = &TLoadSave::Instance()->Ruimtes[room_].Apparaten[index];
  const bool dimmable = d && d->Dimbaar;
  const bool used = d && d->ImageIndex != -1;
  for (QWidget* w : std::initializer_list<QWidget*>{b->ButDimmer, b->LDimmer, b->ButDimDn, b->ButDimUp})
    b->SetEnabled(w, dimmable);
  for (QWidget* w : std::initializer_list<QWidget*>{b->ButOff, b->ButOn, b->ButOK}) b->SetEnabled(w, used);
}

void TSceneAppUIHandler::SetAction(int action) {
  action_ = action;
  if (!targetMode_) row_.Tile(SelectedPosition())->SetLedAction(action);
}

int TSceneAppUIHandler::DimLevel() const {
  bool ok = false;
  const int level = buttons_->LDimmer->text().toInt(&ok);
  return ok ? std::clamp(level, 1, 16) : 8;
}

void TSceneAppUIHandler::SetDimLevel(int level) { buttons_->LDimmer->setText(QString::number(level)); }

void TSceneAppUIHandler::ActionOn() { SetAction(17); }
void TSceneAppUIHandler::ActionOff() { SetAction(0); }
void TSceneAppUIHandler::ActionDim() { SetAction(DimLevel()); }

void TSceneAppUIHandler::DimDown() {
  const int level = DimLevel();
  if (level >= 2) SetDimLevel(level - 1);
  ActionDim();
}

void TSceneAppUIHandler::DimUp() {
  const int level = DimLevel();
  if (level < 16) SetDimLevel(level + 1);
  ActionDim();
}
