#include "gui/scenes/SceneInhoudHandler.h"

#include <QLineEdit>
#include <algorithm>

#include "core/model/Recovery.h"
#include "core/shell/Language.h"
#include "gui/common/ActionLed.h"
#include "gui/common/NameValidator.h"
#include "gui/common/TileCaption.h"
#include "gui/common/TileKeys.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/scenes/SceneSamenstellenHandler.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_SceneInhoudInterface.h"

// ---- form ----

TfrmSceneInhoudInterface::TfrmSceneInhoudInterface(QWidget* parent)
    : QWidget(parent), ui(new Ui::TfrmSceneInhoudInterface) {
  ui->setupUi(this);
  // Designs carry point sizes only: tile texts 16 px, the room name 14 px.
  for (TLabel* l : findChildren<TLabel*>()) {
    QFont f = l->font();
    f.setPixelSize(l->objectName().startsWith(QLatin1String("lblSR")) ? 14 : 16);
    l->setFont(f);
  }
  QFont big = ui->edtOmschrijving->font();
  big.setPixelSize(20);
  ui->edtOmschrijving->setFont(big);
  ui->edtOmschrijving->setMaxLength(TSceneInhoudHandler::DescriptionMaxLength);
  ui->edtOmschrijving->setValidator(new TNameValidator(ui->edtOmschrijving));
}

TfrmSceneInhoudInterface::~TfrmSceneInhoudInterface() { delete ui; }

// ---- tile ----

TSceneItemUI::TSceneItemUI(TImage* background, TLabel* room, TImage* picture, TLabel* device, TImage* led)
    : Background(background), Room(room), Picture(picture), Device(device), Led(led) {
  SetSelected(false);
  SetLed(std::nullopt);
}

void TSceneItemUI::SetSelected(bool selected) {
  selected_ = selected;
  Background->setPicture(TImageFetcher::Instance()->Picture(selected ? UIPic::Selected : UIPic::NotSelected));
  const QColor text = selected ? Qt::white : Qt::black;
  Room->setFontColor(text);
  Device->setFontColor(text);
}

void TSceneItemUI::SetLed(std::optional<int> action) { ShowActionLed(Led, action); }

// ---- screen ----

TSceneInhoudHandler::TSceneInhoudHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent)
    : TSceneInhoudHandler(mainPanel, buttonPanel, parent, new TfrmSceneInhoudInterface) {}

TSceneInhoudHandler::TSceneInhoudHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent,
                                         TfrmSceneInhoudInterface* form)
    : TContentScreen(mainPanel, std::unique_ptr<QWidget>(form), form->ui->pnlScene, parent),
      buttonPanel_(buttonPanel),
      form_(form) {
  Ui::TfrmSceneInhoudInterface* ui = form_->ui;
  ui->pnlScene->setCaption(GetText(TextId::Scene));
  ui->Label1->setFitText(true);
  ui->Label1->setText(GetText(TextId::Description));
  ui->edtOmschrijving->setAccessibleName(GetText(TextId::Description));

  buttons_ = std::make_unique<TRuimteAppSelButHandler>(buttonPanel);
  buttons_->Bind(buttons_->ButExit(), [this] { Cancel(); });
  buttons_->Bind(buttons_->ButOK(), [this] { OK(); });
  buttons_->Bind(buttons_->ButWissen(), [this] { DeleteItem(); });
  // "learn code" is never bound here.
  connect(ui->edtOmschrijving, &QLineEdit::textChanged, this,
          [this](const QString& t) { DescriptionChanged(t); });
  // The composition screen is built on the first double-click.

  const std::array<TImage*, RowsPerPage> backgrounds{ui->imgSI1, ui->imgSI2, ui->imgSI3, ui->imgSI4,
                                                     ui->imgSI5, ui->imgSI6, ui->imgSI7, ui->imgSI8};
  const std::array<TLabel*, RowsPerPage> rooms{ui->lblSR1, ui->lblSR2, ui->lblSR3, ui->lblSR4,
                                               ui->lblSR5, ui->lblSR6, ui->lblSR7, ui->lblSR8};
  const std::array<TImage*, RowsPerPage> pictures{ui->imgSA1, ui->imgSA2, ui->imgSA3, ui->imgSA4,
                                                  ui->imgSA5, ui->imgSA6, ui->imgSA7, ui->imgSA8};
  const std::array<TLabel*, RowsPerPage> devices{ui->lblSA1, ui->lblSA2, ui->lblSA3, ui->lblSA4,
                                                 ui->lblSA5, ui->lblSA6, ui->lblSA7, ui->lblSA8};
  const std::array<TImage*, RowsPerPage> leds{ui->imgSL1, ui->imgSL2, ui->imgSL3, ui->imgSL4,
                                              ui->imgSL5, ui->imgSL6, ui->imgSL7, ui->imgSL8};
  keys_ = std::make_unique<TTileKeys>(4);
  keys_->Current = [this] { return selected_; };
  keys_->Select = [this](int row) { return SelectRowAt(row); };
  keys_->Activate = [this] { ComposeAt(selected_); };
  keys_->TurnPage = [this](int step) {
    const int page = CurrentPage() + step;
    // As the page dots: a page starting at an item or at the first blank row.
    if (page < 0 || page >= ItemsPerScene / RowsPerPage || page * RowsPerPage > copy_.ItemCount())
      return false;
    ShowPage(page);
    return true;
  };
  for (int i = 0; i < RowsPerPage; ++i) {
    rows_[i] = std::make_unique<TSceneItemUI>(backgrounds[i], rooms[i], pictures[i], devices[i], leds[i]);
    keys_->AddTile(backgrounds[i], {rooms[i], pictures[i], devices[i], leds[i]});
    for (TImage* image : {backgrounds[i], pictures[i], leds[i]}) {
      connect(image, &TImage::clicked, this, [this](QObject* s) { SelectRow(s); });
      connect(image, &TImage::doubleClicked, this, [this](QObject* s) { ComposeItem(s); });
    }
    for (TLabel* label : {rooms[i], devices[i]}) {
      connect(label, &TLabel::clicked, this, [this](QObject* s) { SelectRow(s); });
      connect(label, &TLabel::doubleClicked, this, [this](QObject* s) { ComposeItem(s); });
    }
  }

  indicator_ = std::make_unique<TIndicatorHandler>(
      RowsPerPage, [this](QObject* dot) { ShowPage(TUtilities::SenderTag(dot)); });
  indicator_->AddIndicator(ui->imgPI1);
  indicator_->AddIndicator(ui->imgPI2);
  // Until the first page is drawn (which names the dots with their page).
  ui->imgPI1->setAccessibleName(GetText(MoreTextId::PageOf).arg(1).arg(2));
  ui->imgPI2->setAccessibleName(GetText(MoreTextId::PageOf).arg(2).arg(2));
}

TSceneInhoudHandler::~TSceneInhoudHandler() = default;

QLineEdit* TSceneInhoudHandler::DescriptionBox() const { return form_->ui->edtOmschrijving; }
TSmoothPanel* TSceneInhoudHandler::ScenePanel() const { return form_->ui->pnlScene; }
int TSceneInhoudHandler::CurrentPage() const { return indicator_->CurrentPage; }

void TSceneInhoudHandler::SetCaption(const QString& description) {
  ScenePanel()->setCaption(GetText(TextId::Scene) + QLatin1Char(' ') + QString::number(scene_ + 1) +
                           QStringLiteral(": ") + description);
}

void TSceneInhoudHandler::SetBoxColour(const QColor& colour) {
  QPalette p = DescriptionBox()->palette();
  p.setColor(QPalette::Base, colour);
  DescriptionBox()->setPalette(p);
}

void TSceneInhoudHandler::Open(int scene, std::function<void(int)> onClose) {
  if (scene < 0 || scene >= SceneCount) return;
  copy_ = TLoadSave::Instance()->Scenes[scene];
  SetBoxColour(Qt::white);
  scene_ = scene;
  onClose_ = std::move(onClose);
  selected_ = 0;
  SetCaption(copy_.Naam);
  // A longer stored description (from an import) is not cut unless edited.
  DescriptionBox()->setMaxLength(std::max(DescriptionMaxLength, int(copy_.Naam.size())));
  DescriptionBox()->setText(copy_.Naam);
  ScenePanel()->setToolTip(TLoadSave::Instance()->ShowHints ? GetText(TextId::DoubleClickToSelect)
                                                            : QString());
  // Page -1 first, so that page 0 always starts on its first row.
  indicator_->CurrentPage = -1;
  ShowPage(0);
  MoveSelection(0);
  buttons_->Show();
  TContentScreen::Show();
  DescriptionBox()->setFocus();
}

void TSceneInhoudHandler::ShowPage(int page) {
  if (page < 0 || page >= ItemsPerScene / RowsPerPage) return;
  TSmoothPanel* panel = ScenePanel();
  const bool wasHidden = panel->isHidden();
  panel->hide();
  const int old = indicator_->CurrentPage;
  indicator_->Update(page, copy_.ItemCount());
  FillRows(page * RowsPerPage);
  if (page != old) MoveSelection(0);
  if (!wasHidden) panel->show();
}

void TSceneInhoudHandler::FillRows(int first) {
  const TLoadSave* ls = TLoadSave::Instance();
  const int count = copy_.ItemCount();
  for (int i = 0; i < RowsPerPage; ++i) {
    TSceneItemUI* row = rows_[i].get();
    const int n = first + i;
    row->Picture->clear();
    row->Room->setText(QString());
    row->Device->setText(QString());
    QString spoken;
    if (n >= count) {
      row->SetLed(std::nullopt);
      // The first blank row takes a new item: it says how.
      if (n == count && n < ItemsPerScene) spoken = GetText(TextId::DoubleClickToSelect);
    } else {
      const TSceneAktie& a = copy_.Akties[n];
      row->SetLed(a.Waarde);
      // An item naming no existing slot (a damaged file) shows only its LED.
      if (a.Ruimte >= 0 && a.Ruimte < RoomCount && a.Apparaat >= 0 && a.Apparaat < DevicesPerRoom) {
        const TRuimte& room = ls->Ruimtes[a.Ruimte];
        const TApparaat& device = room.Apparaten[a.Apparaat];
        const TImageList* pictures = ls->CustomAppImageList.get();
        if (device.ImageIndex >= 0 && pictures && device.ImageIndex < pictures->Count())
          row->Picture->setPicture(pictures->GetMasked(device.ImageIndex));
        row->Room->setText(
            QFontMetrics(row->Room->font()).elidedText(room.Naam, Qt::ElideRight, row->Room->width()));
        SetTileCaption(row->Device, device.Naam);
        spoken = room.Naam + QStringLiteral(": ") + device.Naam;
      }
    }
    row->Background->setAccessibleName(spoken);
    row->Picture->setAccessibleName(spoken);
    row->Background->update();
  }
}

void TSceneInhoudHandler::MoveSelection(int row) {
  rows_[selected_]->SetSelected(false);
  selected_ = row;
  rows_[selected_]->SetSelected(true);
  keys_->Update();
}

void TSceneInhoudHandler::SelectRow(QObject* sender) { SelectRowAt(TUtilities::SenderTag(sender)); }

bool TSceneInhoudHandler::SelectRowAt(int row) {
  if (row < 0 || row >= RowsPerPage) return false;
  // A used item or the first blank row (which appends one).
  if (std::max(0, CurrentPage()) * RowsPerPage + row >= copy_.ItemCount() + 1) return false;
  MoveSelection(row);
  return true;
}

void TSceneInhoudHandler::ComposeItem(QObject* sender) { ComposeAt(TUtilities::SenderTag(sender)); }

void TSceneInhoudHandler::ComposeAt(int row) {
  SelectRowAt(row);
  if (row != selected_) return;
  const int index = CurrentPage() * RowsPerPage + selected_;
  if (index >= ItemsPerScene) return;
  if (!composition_) composition_ = std::make_unique<TSceneRuimteUIHandler>(MainPanel(), false, buttonPanel_);
  const TSceneAktie& item = copy_.Akties[index];
  composition_->Show(item.Ruimte, item.Apparaat, item.Waarde,
                     [this, index](int room, int device, int action) {
                       TSceneAktie& a = copy_.Akties[index];
                       a.Ruimte = room;
                       a.Apparaat = device;
                       a.Waarde = action;
                       ShowPage(CurrentPage());
                     });
}

void TSceneInhoudHandler::DeleteItem() {
  const int index = CurrentPage() * RowsPerPage + selected_;
  if (index >= copy_.ItemCount()) return;
  TLoadSave::DeleteSceneItem(copy_, index);
  ShowPage(CurrentPage());
}

void TSceneInhoudHandler::DescriptionChanged(const QString& text) {
  SetCaption(text);
  SetBoxColour(Qt::white);
}

void TSceneInhoudHandler::OK() {
  const QString description = DescriptionBox()->text();
  if (description.isEmpty() && copy_.ItemCount() > 0) {
    SetBoxColour(Qt::red);
    DescriptionBox()->setFocus();
    return;
  }
  copy_.Naam = description.left(MaxNameLength);
  Close();
  TLoadSave::Instance()->Scenes[scene_] = copy_;
  Recovery::NoteConfirmedChange();
  if (onClose_) onClose_(scene_);
}

void TSceneInhoudHandler::Cancel() { Close(); }

void TSceneInhoudHandler::Close() {
  for (auto& row : rows_) {
    row->SetSelected(false);
    row->SetLed(std::nullopt);
  }
  TContentScreen::Hide();
  buttons_->Hide();
}
