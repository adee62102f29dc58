#include "gui/scenes/SceneSamenstellenHandler.h"

#include <algorithm>

#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "gui/common/ActionLed.h"
#include "gui/common/ContentScreen.h"
#include "gui/common/TileCaption.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_RuimteAppInterface.h"

// ---- tile ----

TSceneSamenstellenUI::TSceneSamenstellenUI(TSceneSamenstellenUIHandler* owner, TImage* background,
                                           TImage* picture, TLabel* caption, TImage* led)
    : Owner(owner), Background(background), Picture(picture), Caption(caption), Led(led) {
  SetSelected(false);
}

void TSceneSamenstellenUI::SetSelected(bool selected) {
  selected_ = selected;
  Background->setPicture(TImageFetcher::Instance()->Picture(selected ? UIPic::Selected : UIPic::NotSelected));
  Caption->setFontColor(selected ? Qt::white : Qt::black);
}

void TSceneSamenstellenUI::SetLed(std::optional<int> action) { ShowActionLed(Led, action); }

// ---- row base ----

TSceneSamenstellenUIHandler::TSceneSamenstellenUIHandler(QWidget* mainPanel, QWidget* buttonPanel,
                                                         bool targetMode, TRuimteApparaat* form)
    : mainPanel_(mainPanel), buttonPanel_(buttonPanel), targetMode_(targetMode), form_(form) {
  indicator_ =
      std::make_unique<TIndicatorHandler>(4, [this](QObject* dot) { ShowPage(TUtilities::SenderTag(dot)); });
}

TSceneSamenstellenUIHandler::~TSceneSamenstellenUIHandler() = default;

void TSceneSamenstellenUIHandler::AddTile(int position, TImage* background, TImage* picture, TLabel* caption,
                                          TImage* led) {
  tiles_[position] = std::make_unique<TSceneSamenstellenUI>(this, background, picture, caption, led);
  for (TImage* image : {background, picture, led})
    if (image) connect(image, &TImage::clicked, this, [this](QObject* s) { SelectTile(s); });
  connect(caption, &TLabel::clicked, this, [this](QObject* s) { SelectTile(s); });
}

TSmoothPanel* TSceneSamenstellenUIHandler::Panel() const { return form_->ui->pnlRuimteApparaat; }
int TSceneSamenstellenUIHandler::CurrentPage() const { return indicator_->CurrentPage; }
int TSceneSamenstellenUIHandler::AbsoluteIndex() const { return CurrentPage() * 4 + selected_; }

void TSceneSamenstellenUIHandler::DrawPicture(TImage* target, int index, bool room) const {
  const TLoadSave* ls = TLoadSave::Instance();
  const TImageList* list = room ? ls->CustomRuimteImageList.get() : ls->CustomAppImageList.get();
  if (index < 0 || !list || index >= list->Count()) {
    target->clear();
    return;
  }
  target->setPicture(list->GetMasked(index));
}

bool TSceneSamenstellenUIHandler::HoldsItem(QObject* sender) const {
  const int position = TUtilities::SenderTag(sender);
  // Only an existing item; the blank slot after the last one is no choice.
  return position >= 0 && position <= 3 && CurrentPage() * 4 + position < ItemCount();
}

void TSceneSamenstellenUIHandler::SelectTile(QObject* sender) {
  if (!HoldsItem(sender)) return;
  const int position = TUtilities::SenderTag(sender);
  tiles_[selected_]->SetSelected(false);
  tiles_[selected_]->SetLed(std::nullopt);
  selected_ = position;
  tiles_[selected_]->SetSelected(true);
}

void TSceneSamenstellenUIHandler::Close() {
  for (auto& tile : tiles_) tile->SetSelected(false);
}

void TSceneSamenstellenUIHandler::ShowPage(int page) {
  if (page < 0 || page > 3) return;
  TSmoothPanel* panel = Panel();
  const bool wasHidden = panel->isHidden();
  panel->hide();
  const int old = indicator_->CurrentPage;
  // No page exists for the blank slot after the last item.
  indicator_->Update(page, ItemCount() - 1);
  FillTiles(page * 4);
  if (page != old) SelectTile(tiles_[0]->Background);
  if (!wasHidden) panel->show();
}

// ---- rooms ----

TSceneRuimteUIHandler::TSceneRuimteUIHandler(QWidget* mainPanel, bool targetMode, QWidget* buttonPanel,
                                             QObject* parent)
    : TSceneSamenstellenUIHandler(mainPanel, buttonPanel, targetMode, new TRuimteApparaat) {
  setParent(parent);
  Ui::TRuimteApparaat* ui = form_->ui;
  screen_ =
      std::make_unique<TContentScreen>(mainPanel, std::unique_ptr<QWidget>(form_), ui->pnlRuimteApparaat);
  ownedButtons_ = std::make_unique<TRuimteAppButHandler>(buttonPanel);
  buttons_ = ownedButtons_.get();
  apps_ = std::make_unique<TSceneAppUIHandler>(mainPanel, buttonPanel, targetMode, form_, buttons_);

  TRuimteAppButHandler* b = buttons_;
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

  AddTile(0, ui->imgBGR1, ui->imgR1, ui->lblR1, nullptr);
  AddTile(1, ui->imgBGR2, ui->imgR2, ui->lblR2, nullptr);
  AddTile(2, ui->imgBGR3, ui->imgR3, ui->lblR3, nullptr);
  AddTile(3, ui->imgBGR4, ui->imgR4, ui->lblR4, nullptr);
  for (TImage* dot : {ui->imgPIR1, ui->imgPIR2, ui->imgPIR3, ui->imgPIR4}) indicator_->AddIndicator(dot);
  // Page dots read as their page number.
  for (const TIndicatorHandler* row : {indicator_.get(), apps_->indicator_.get()})
    for (int i = 0; i < row->Count; ++i) row->Indicators[i]->Image->setAccessibleName(QString::number(i + 1));
}

TSceneRuimteUIHandler::~TSceneRuimteUIHandler() {
  // The device row shares the form (which the screen owns) and the column.
  apps_.reset();
  screen_.reset();
}

void TSceneRuimteUIHandler::SetTitles(const QString& rooms, const QString& devices) {
  form_->ui->lblRuimtes->setText(rooms);
  form_->ui->lblApparaten->setText(devices);
}

bool TSceneRuimteUIHandler::IsShown() const { return screen_->IsShown(); }

int TSceneRuimteUIHandler::ItemCount() const { return TLoadSave::Instance()->RoomCount(); }

void TSceneRuimteUIHandler::Show(int room, int device, int action, ResultCallback onResult) {
  result_ = std::move(onResult);
  const int r = room < 0 || room >= RoomCount ? 0 : room;
  const int d = device < 0 || device >= DevicesPerRoom ? 0 : device;
  selected_ = TUtilities::PagePosition(r);
  apps_->selected_ = TUtilities::PagePosition(d);
  apps_->action_ = action;
  // Changing page selects tile 0; the item's tiles are selected after.
  ShowPage(r / 4);
  SelectTile(tiles_[TUtilities::PagePosition(r)]->Background);
  apps_->ShowPage(d / 4);
  apps_->openRoom_ = room;
  apps_->openDevice_ = device;
  apps_->openAction_ = action;
  apps_->remembered_ = -1;
  apps_->SelectTile(apps_->tiles_[TUtilities::PagePosition(d)]->Background);
  apps_->DrawOpeningAction();
  screen_->Show();
  buttons_->Show();
}

void TSceneRuimteUIHandler::SelectTile(QObject* sender) {
  const bool accepted = HoldsItem(sender);
  TSceneSamenstellenUIHandler::SelectTile(sender);
  if (!accepted) return;
  TSmoothPanel* panel = Panel();
  const bool wasHidden = panel->isHidden();
  panel->hide();
  apps_->room_ = AbsoluteIndex();
  // Page -1 makes ShowPage (0) select the first device whatever was shown.
  apps_->indicator_->CurrentPage = -1;
  apps_->ShowPage(0);
  if (!wasHidden) panel->show();
}

void TSceneRuimteUIHandler::FillTiles(int first) {
  const TLoadSave* ls = TLoadSave::Instance();
  const int count = ItemCount();
  for (int i = 0; i < 4; ++i) {
    const int n = first + i;
    TSceneSamenstellenUI* tile = tiles_[i].get();
    tile->Picture->clear();
    if (n >= count) {
      tile->Caption->setText(QString());
      tile->Background->setAccessibleName(QString());
    } else {
      DrawPicture(tile->Picture, ls->Ruimtes[n].ImageIndex, true);
      SetTileCaption(tile->Caption, ls->Ruimtes[n].Naam);
      tile->Background->setAccessibleName(ls->Ruimtes[n].Naam);
    }
    tile->Picture->update();
  }
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

TSceneAppUIHandler::TSceneAppUIHandler(QWidget* mainPanel, QWidget* buttonPanel, bool targetMode,
                                       TRuimteApparaat* form, TRuimteAppButHandler* buttons)
    : TSceneSamenstellenUIHandler(mainPanel, buttonPanel, targetMode, form) {
  buttons_ = buttons;
  Ui::TRuimteApparaat* ui = form->ui;
  const bool leds = !targetMode;
  AddTile(0, ui->imgBGA1, ui->imgA1, ui->lblA1, leds ? ui->imgLeds1 : nullptr);
  AddTile(1, ui->imgBGA2, ui->imgA2, ui->lblA2, leds ? ui->imgLeds2 : nullptr);
  AddTile(2, ui->imgBGA3, ui->imgA3, ui->lblA3, leds ? ui->imgLeds3 : nullptr);
  AddTile(3, ui->imgBGA4, ui->imgA4, ui->lblA4, leds ? ui->imgLeds4 : nullptr);
  for (TImage* dot : {ui->imgPIA1, ui->imgPIA2, ui->imgPIA3, ui->imgPIA4}) indicator_->AddIndicator(dot);
  for (TImage* led : {ui->imgLeds1, ui->imgLeds2, ui->imgLeds3, ui->imgLeds4}) led->setVisible(false);
}

TSceneAppUIHandler::~TSceneAppUIHandler() = default;

int TSceneAppUIHandler::ItemCount() const {
  if (room_ < 0 || room_ >= RoomCount) return 0;
  return TLoadSave::Instance()->Ruimtes[room_].DeviceCount();
}

void TSceneAppUIHandler::FillTiles(int first) {
  const TRuimte& room = TLoadSave::Instance()->Ruimtes[room_];
  const int count = ItemCount();
  for (int i = 0; i < 4; ++i) {
    const int n = first + i;
    TSceneSamenstellenUI* tile = tiles_[i].get();
    tile->Picture->clear();
    if (n >= count) {
      tile->Caption->setText(QString());
      tile->Background->setAccessibleName(QString());
      if (tile->Led) tile->Led->setVisible(false);
    } else {
      DrawPicture(tile->Picture, room.Apparaten[n].ImageIndex, false);
      SetTileCaption(tile->Caption, room.Apparaten[n].Naam);
      tile->Background->setAccessibleName(room.Apparaten[n].Naam);
      if (tile->Led) {
        tile->SetLed(std::nullopt);
        tile->Led->setVisible(true);
      }
    }
    tile->Picture->update();
  }
}

void TSceneAppUIHandler::SelectTile(QObject* sender) {
  const bool accepted = HoldsItem(sender);
  TSceneSamenstellenUIHandler::SelectTile(sender);
  if (accepted) {
    const int index = AbsoluteIndex();
    if (remembered_ == -1) remembered_ = index;
    if (index == remembered_) {
      action_ = openAction_;
      DrawOpeningAction();
    } else {
      action_ = 0;
      tiles_[selected_]->SetLed(0);
    }
  }
  UpdateButtons();
}

void TSceneAppUIHandler::DrawOpeningAction() {
  if (targetMode_ || openDevice_ < 0) return;
  tiles_[selected_]->SetLed(openAction_);
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

int TSceneAppUIHandler::DimLevel() const {
  bool ok = false;
  const int level = buttons_->LDimmer->text().toInt(&ok);
  return ok ? std::clamp(level, 1, 16) : 8;
}

void TSceneAppUIHandler::SetDimLevel(int level) { buttons_->LDimmer->setText(QString::number(level)); }

void TSceneAppUIHandler::ActionOn() {
  action_ = 17;
  tiles_[selected_]->SetLed(action_);
}

void TSceneAppUIHandler::ActionOff() {
  action_ = 0;
  tiles_[selected_]->SetLed(action_);
}

void TSceneAppUIHandler::ActionDim() {
  action_ = DimLevel();
  tiles_[selected_]->SetLed(action_);
}

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
