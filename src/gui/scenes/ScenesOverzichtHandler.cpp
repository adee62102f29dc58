#include "gui/scenes/ScenesOverzichtHandler.h"

#include <QPointer>

#include "core/device/Communicatie.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "gui/common/BusyCursor.h"
#include "gui/common/TileCaption.h"
#include "gui/common/TileKeys.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/scenes/SceneInhoudHandler.h"
#include "gui/scenes/ScenesOverzichtButHandler.h"
#include "gui/scenes/TimerTargets.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/timers/TimerHandler.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_ScenesOverzichtInterface.h"

// ---- form ----

TfrmScenesOverzicht::TfrmScenesOverzicht(QWidget* parent) : QWidget(parent), ui(new Ui::TfrmScenesOverzicht) {
  ui->setupUi(this);
  // Designs carry point sizes only: numbers and names 16 px.
  for (TLabel* l : findChildren<TLabel*>()) {
    QFont f = l->font();
    f.setPixelSize(16);
    l->setFont(f);
  }
}

TfrmScenesOverzicht::~TfrmScenesOverzicht() { delete ui; }

// ---- tile ----

TSceneUI::TSceneUI(TImage* picture, TLabel* number, TLabel* name)
    : Picture(picture), Number(number), Name(name) {
  SetSelected(false);
}

void TSceneUI::SetSelected(bool selected) {
  selected_ = selected;
  Picture->setPicture(
      TImageFetcher::Instance()->Picture(selected ? UIPic::SceneSelected : UIPic::SceneNotSelected));
  const QColor text = selected ? Qt::white : Qt::black;
  Number->setFontColor(text);
  Name->setFontColor(text);
}

// ---- overview ----

namespace {

bool SceneIsEmpty(int scene) { return TLoadSave::Instance()->Scenes[scene].IsEmpty(); }

}  // namespace

TScenesOverzichtHandler::TScenesOverzichtHandler(QWidget* mainPanel, bool selectMode, QWidget* buttonPanel,
                                                 QObject* parent)
    : TScenesOverzichtHandler(mainPanel, selectMode, buttonPanel, parent, new TfrmScenesOverzicht) {}

TScenesOverzichtHandler::TScenesOverzichtHandler(QWidget* mainPanel, bool selectMode, QWidget* buttonPanel,
                                                 QObject* parent, TfrmScenesOverzicht* form)
    : TContentScreen(mainPanel, std::unique_ptr<QWidget>(form), form->ui->pnl16Scenes, parent),
      buttonPanel_(buttonPanel),
      form_(form),
      selectMode_(selectMode) {
  Ui::TfrmScenesOverzicht* ui = form_->ui;
  ui->pnl16Scenes->setCaption(GetText(TextId::ScenesOverview));

  buttons_ = std::make_unique<TScenesOverzichtButHandler>(buttonPanel);
  TScenesOverzichtButHandler* b = buttons_.get();
  b->Bind(b->ButTerug, [this] { Hide(); });
  if (selectMode_) {
    b->Bind(b->ButOK, [this] { OK(); });
  } else {
    b->Bind(b->ButTimer, [this] { OpenTimerForScene(); });
    b->Bind(b->ButUitvoeren, [this] { Execute(); });
  }
  // The content screen is built on the first double-click, the timer
  // programme screen on the first "timer".

  const std::array<TImage*, 16> pictures{
      ui->imgS1, ui->imgS2,  ui->imgS3,  ui->imgS4,  ui->imgS5,  ui->imgS6,  ui->imgS7,  ui->imgS8,
      ui->imgS9, ui->imgS10, ui->imgS11, ui->imgS12, ui->imgS13, ui->imgS14, ui->imgS15, ui->imgS16};
  const std::array<TLabel*, 16> numbers{
      ui->lblNr1, ui->lblNr2,  ui->lblNr3,  ui->lblNr4,  ui->lblNr5,  ui->lblNr6,  ui->lblNr7,  ui->lblNr8,
      ui->lblNr9, ui->lblNr10, ui->lblNr11, ui->lblNr12, ui->lblNr13, ui->lblNr14, ui->lblNr15, ui->lblNr16};
  const std::array<TLabel*, 16> names{ui->lblS1,  ui->lblS2,  ui->lblS3,  ui->lblS4,  ui->lblS5,  ui->lblS6,
                                      ui->lblS7,  ui->lblS8,  ui->lblS9,  ui->lblS10, ui->lblS11, ui->lblS12,
                                      ui->lblS13, ui->lblS14, ui->lblS15, ui->lblS16};
  keys_ = std::make_unique<TTileKeys>(4);
  keys_->Current = [this] { return selected_; };
  keys_->Select = [this](int s) { return SelectSceneAt(s); };
  keys_->Activate = [this] {
    if (selectMode_)
      OK();
    else
      OpenContent(tiles_[selected_]->Picture);
  };
  for (int s = 0; s < SceneCount; ++s) {
    tiles_[s] = std::make_unique<TSceneUI>(pictures[s], numbers[s], names[s]);
    keys_->AddTile(pictures[s], {numbers[s], names[s]});
    connect(pictures[s], &TImage::clicked, this, [this](QObject* o) { SelectScene(o); });
    for (TLabel* l : {numbers[s], names[s]})
      connect(l, &TLabel::clicked, this, [this](QObject* o) { SelectScene(o); });
    if (!selectMode_) {
      connect(pictures[s], &TImage::doubleClicked, this, [this](QObject* o) { OpenContent(o); });
      for (TLabel* l : {numbers[s], names[s]})
        connect(l, &TLabel::doubleClicked, this, [this](QObject* o) { OpenContent(o); });
    }
  }
  tiles_[0]->SetSelected(true);
  keys_->Update();
}

TScenesOverzichtHandler::~TScenesOverzichtHandler() = default;

TSmoothPanel* TScenesOverzichtHandler::ScenePanel() const { return form_->ui->pnl16Scenes; }

void TScenesOverzichtHandler::Show(int scene, SelectCallback onSelect) {
  if (!selectMode_)
    ScenePanel()->setToolTip(TLoadSave::Instance()->ShowHints ? GetText(TextId::DoubleClickToSetUpScene)
                                                              : QString());
  TContentScreen::Show();
  onSelect_ = std::move(onSelect);
  for (int s = 0; s < SceneCount; ++s) RefreshName(s);
  buttons_->Show();
  MoveSelection(scene >= 0 && scene < SceneCount ? scene : 0);
  keys_->FocusSelected();
  if (selectMode_) buttons_->SetEnabled(buttons_->ButOK, !SceneIsEmpty(selected_));
}

void TScenesOverzichtHandler::Hide() {
  TContentScreen::Hide();
  buttons_->Hide();
}

void TScenesOverzichtHandler::RefreshName(int scene) {
  const TScene& s = TLoadSave::Instance()->Scenes[scene];
  TSceneUI* tile = tiles_[scene].get();
  SetTileCaption(tile->Name, s.Naam);
  const QString spoken = GetText(TextId::Scene) + QLatin1Char(' ') + QString::number(scene + 1) +
                         (s.Naam.isEmpty() ? QString() : QStringLiteral(": ") + s.Naam);
  tile->Picture->setAccessibleName(spoken);
}

void TScenesOverzichtHandler::MoveSelection(int scene) {
  tiles_[selected_]->SetSelected(false);
  selected_ = scene;
  tiles_[selected_]->SetSelected(true);
  keys_->Update();
}

void TScenesOverzichtHandler::SelectScene(QObject* sender) { SelectSceneAt(TUtilities::SenderTag(sender)); }

bool TScenesOverzichtHandler::SelectSceneAt(int s) {
  if (s < 0 || s >= SceneCount) return false;
  const bool empty = SceneIsEmpty(s);
  if (selectMode_) {
    // Only a scene that does something can become a timer entry's target.
    if (empty) return false;
    buttons_->SetEnabled(buttons_->ButOK, true);
  } else {
    buttons_->SetEnabled(buttons_->ButUitvoeren, !empty);
    buttons_->SetEnabled(buttons_->ButTimer, !empty);
  }
  MoveSelection(s);
  return true;
}

void TScenesOverzichtHandler::OpenContent(QObject* sender) {
  const int s = TUtilities::SenderTag(sender);
  if (s < 0 || s >= SceneCount || selectMode_) return;
  // A double-click that did not come with a click first still selects.
  if (s != selected_) SelectScene(sender);
  if (!content_) content_ = std::make_unique<TSceneInhoudHandler>(MainPanel(), buttonPanel_);
  content_->Open(s, [this](int scene) {
    RefreshName(scene);
    // The scene may have gained or lost its items.
    if (scene == selected_) {
      const bool empty = SceneIsEmpty(scene);
      buttons_->SetEnabled(buttons_->ButUitvoeren, !empty);
      buttons_->SetEnabled(buttons_->ButTimer, !empty);
    }
  });
}

void TScenesOverzichtHandler::Execute() {
  if (!TUtilities::CheckConnected()) return;
  TBusyCursor busy;
  TCommunicatie comm;
  comm.SyncSceneTable();
  comm.ActivateScene(selected_);
}

void TScenesOverzichtHandler::OpenTimerForScene() {
  if (selectMode_) return;
  if (!timer_) {
    timer_ = std::make_unique<TTimerHandler>(MainPanel(), buttonPanel_);
    AttachTargetPickers(timer_.get(), MainPanel(), buttonPanel_);
  }
  // Timer entries address scene s as room 17 + s.
  timer_->Show(RoomCount + 1 + selected_, 0);
}

void TScenesOverzichtHandler::OK() {
  if (SceneIsEmpty(selected_)) return;
  if (onSelect_) onSelect_(selected_);
  Hide();
}

// ---- home screen ----

void AttachScenesOverview(TRuimteUIHandler* home, QWidget* mainPanel, QWidget* buttonPanel) {
  QPointer<TRuimteUIHandler> owner(home);
  home->OpenScenes = [owner, mainPanel, buttonPanel] {
    if (!owner) return;
    auto* overview = owner->findChild<TScenesOverzichtHandler*>(QString(), Qt::FindDirectChildrenOnly);
    if (!overview) overview = new TScenesOverzichtHandler(mainPanel, false, buttonPanel, owner.data());
    overview->Show(0);
  };
}
