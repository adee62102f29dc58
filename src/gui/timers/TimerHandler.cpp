#include "gui/timers/TimerHandler.h"

#include <QMouseEvent>

#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"
#include "core/model/ImageList.h"
#include "core/model/LoadSave.h"
#include "core/model/Recovery.h"
#include "core/shell/Language.h"
#include "gui/common/BusyCursor.h"
#include "gui/common/ContentScreen.h"
#include "gui/common/TileCaption.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/UIImages.h"
#include "gui/timers/ProgSelAktie.h"
#include "gui/timers/ProgSelDayDate.h"
#include "gui/timers/ProgSelMonth.h"
#include "gui/timers/ProgSetTime.h"
#include "gui/timers/TimerButHandler.h"
#include "gui/timers/WeekPlanHandler.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_Timer.h"

namespace {

constexpr uint16_t VkUp = 0x26;
constexpr uint16_t VkDown = 0x28;

bool SameTarget(const ProgAktie& a, const ProgAktie& b) {
  return a.Ruimte == b.Ruimte && a.Apparaat == b.Apparaat;
}

const QImage& Picture(int n) { return TImageFetcher::Instance()->Picture(n); }

}  // namespace

TfrmTimer::TfrmTimer(QWidget* parent) : QWidget(parent), ui(new Ui::TfrmTimer) { ui->setupUi(this); }

TfrmTimer::~TfrmTimer() { delete ui; }

// ---------------------------------------------------------------------------

PlineClass::PlineClass(TTimerHandler* owner, QWidget* panel, TLabel* month, TLabel* day, TLabel* time,
                       TLabel* action)
    : Owner(owner), Panel(panel), LM(month), LD(day), LT(time), LA(action) {}

TLabel* PlineClass::Label(Column c) const {
  switch (c) {
    case Month:
      return LM;
    case Day:
      return LD;
    case Time:
      return LT;
    case Action:
      return LA;
  }
  return nullptr;
}

void PlineClass::Fill(ProgAktiePtr entry, const ProgAktieList* list) {
  Aktie = std::move(entry);
  List = list;
  Selected = Aktie && list && Aktie == list->Selected;
  if (Aktie) {
    const ProgAktie::LineTexts t = Aktie->Texts();
    LM->setText(t.Month);
    LD->setText(t.Day);
    LT->setText(t.Time);
    LA->setText(t.Action);
  } else {
    for (TLabel* l : {LM, LD, LT, LA}) l->setText(QString());
  }
  // A screen reader says the column with what it holds.
  const QString columns[4] = {GetText(TextId::Month),
                              GetText(TextId::WeekDays) + QStringLiteral(" / ") + GetText(TextId::Date),
                              GetText(TextId::Time), GetText(TextId::Command)};
  TLabel* labels[4] = {LM, LD, LT, LA};
  for (int c = 0; c < 4; ++c)
    labels[c]->setAccessibleName(
        labels[c]->text().isEmpty() ? columns[c] : columns[c] + QStringLiteral(": ") + labels[c]->text());

  QPalette p = Panel->palette();
  p.setColor(QPalette::Window, FromWinColor(Selected ? WinColour::Selected : WinColour::Cream));
  Panel->setPalette(p);
  QColor text = FromWinColor(WinColour::Black);
  if (Selected)
    text = FromWinColor(WinColour::White);
  else if (Aktie && list && list->Selected && !SameTarget(*Aktie, *list->Selected))
    text = FromWinColor(WinColour::LightGrey);
  for (TLabel* l : {LM, LD, LT, LA}) l->setFontColor(text);
  if (Selected) {
    const QColor red = FromWinColor(WinColour::Red);
    const ProgAktie::Missing m = Aktie->MissingFields();
    if (m.Month) LM->setFontColor(red);
    if (m.Day) LD->setFontColor(red);
    if (m.Time) LT->setFontColor(red);
  }
}

// ---------------------------------------------------------------------------

TSelectedAppUI::TSelectedAppUI(QWidget* panel, TLabel* device, TLabel* room, TImage* picture,
                               TImage* highlight)
    : Panel(panel), lblSA3(device), lblSR3(room), imgSA3(picture), imgSI3(highlight) {}

void TSelectedAppUI::Show(int room, int device) {
  TLoadSave* ls = TLoadSave::Instance();
  if (room < 0 || room >= RoomCount || device < 0 || device >= DevicesPerRoom) {
    SetTileCaption(lblSR3, QString());
    SetTileCaption(lblSA3, QString());
    imgSA3->clear();
    return;
  }
  const TApparaat& d = ls->Ruimtes[room].Apparaten[device];
  SetTileCaption(lblSR3, ls->Ruimtes[room].Naam);
  SetTileCaption(lblSA3, d.Naam);
  const TImageList* pictures = ls->CustomAppImageList.get();
  if (pictures && d.ImageIndex >= 0 && d.ImageIndex < pictures->Count())
    imgSA3->setPicture(pictures->GetMasked(d.ImageIndex));
  else
    imgSA3->clear();
}

void TSelectedAppUI::SetHighlighted(bool on) {
  imgSI3->setPicture(Picture(on ? UIPic::Selected : UIPic::NotSelected));
  for (TLabel* l : {lblSA3, lblSR3}) l->setFontColor(on ? Qt::white : Qt::black);
}

TSelectedSceneUI::TSelectedSceneUI(QWidget* panel, TLabel* name, TLabel* number, TImage* highlight)
    : Panel(panel), lblS1(name), lblNr1(number), imgS1(highlight) {}

void TSelectedSceneUI::Show(int scene) {
  const bool known = scene >= 0 && scene < SceneCount;
  SetTileCaption(lblS1, known ? TLoadSave::Instance()->Scenes[scene].Naam : QString());
  lblNr1->setText(QString::number(scene + 1));
}

void TSelectedSceneUI::SetHighlighted(bool on) {
  imgS1->setPicture(Picture(on ? UIPic::SceneSelected : UIPic::SceneNotSelected));
  for (TLabel* l : {lblS1, lblNr1}) l->setFontColor(on ? Qt::white : Qt::black);
}

// ---------------------------------------------------------------------------

TTimerHandler::TTimerHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent)
    : QObject(parent), form_(new TfrmTimer) {
  Ui::TfrmTimer* ui = form_->ui;
  screen_ = std::make_unique<TContentScreen>(mainPanel, std::unique_ptr<QWidget>(form_), ui->pnlTimer);
  buttons_ = std::make_unique<TTimerButHandler>(buttonPanel);
  buttons_->Bind(buttons_->butToevoegen, [this] { Add(); });
  buttons_->Bind(buttons_->ButKopie, [this] { Copy(); });
  buttons_->Bind(buttons_->ButWissen, [this] { Delete(); });
  buttons_->Bind(buttons_->ButOK, [this] { OK(); });
  buttons_->Bind(buttons_->ButExit, [this] { Back(); });
  buttons_->Bind(buttons_->butWeek, [this] { Week(); });

  ui->pnlTimer->setCaption(GetText(TextId::ProgramTimer));
  QFont lineFont(QStringLiteral("Arial"));
  lineFont.setPixelSize(15);
  QFont counterFont(QStringLiteral("Arial"));
  counterFont.setPixelSize(16);
  counterFont.setBold(true);
  ui->lblUp->setFont(counterFont);
  ui->lblDown->setFont(counterFont);

  ui->LinesUp->setPicture(Picture(UIPic::PlineUpU));
  ui->LinesDn->setPicture(Picture(UIPic::PlineDnU));
  ui->LinesUp->setAccessibleName(GetText(MoreTextId::EntriesAbove));
  ui->LinesDn->setAccessibleName(GetText(MoreTextId::EntriesBelow));
  connect(ui->LinesUp, &TImage::clicked, this, [this] { LineUp(); });
  connect(ui->LinesDn, &TImage::clicked, this, [this] { LineDown(); });
  connect(ui->LinesUp, &TImage::pressed, this, [ui] { ui->LinesUp->setPicture(Picture(UIPic::PlineUpD)); });
  connect(ui->LinesUp, &TImage::released, this, [ui] { ui->LinesUp->setPicture(Picture(UIPic::PlineUpU)); });
  connect(ui->LinesDn, &TImage::pressed, this, [ui] { ui->LinesDn->setPicture(Picture(UIPic::PlineDnD)); });
  connect(ui->LinesDn, &TImage::released, this, [ui] { ui->LinesDn->setPicture(Picture(UIPic::PlineDnU)); });

  // The target panels stand on the button column, below its buttons.
  QWidget* column = buttons_->MainBtnContainer();
  ui->selectedApp->setParent(column);
  ui->selectedApp->move(12, 255);
  ui->SelectedScene->setParent(column);
  ui->SelectedScene->move(12, 300);
  ui->selectedApp->hide();
  ui->SelectedScene->hide();
  ui->selectedApp->setAccessibleName(GetText(TextId::Devices));
  ui->SelectedScene->setAccessibleName(GetText(TextId::Scene));
  ui->imgSA3->setAccessibleName(GetText(TextId::DeviceImage));
  ui->imgSI3->setAccessibleName(GetText(TextId::Devices));
  ui->imgS1->setAccessibleName(GetText(TextId::Scene));
  ui->lblUp->setAccessibleName(GetText(MoreTextId::EntriesAbove));
  ui->lblDown->setAccessibleName(GetText(MoreTextId::EntriesBelow));
  app_ = std::make_unique<TSelectedAppUI>(ui->selectedApp, ui->lblSA3, ui->lblSR3, ui->imgSA3, ui->imgSI3);
  scene_ = std::make_unique<TSelectedSceneUI>(ui->SelectedScene, ui->lblS1, ui->lblNr1, ui->imgS1);
  QFont numberFont(QStringLiteral("Arial"));
  numberFont.setPixelSize(28);
  numberFont.setBold(true);
  ui->lblNr1->setFont(numberFont);
  for (QWidget* panel : {ui->selectedApp, ui->SelectedScene}) {
    for (QObject* o : panel->children()) {
      if (auto* img = qobject_cast<TImage*>(o)) {
        connect(img, &TImage::clicked, this, &TTimerHandler::TargetClick);
        connect(img, &TImage::doubleClicked, this, &TTimerHandler::TargetDblClick);
      } else if (auto* l = qobject_cast<TLabel*>(o)) {
        connect(l, &TLabel::clicked, this, &TTimerHandler::TargetClick);
        connect(l, &TLabel::doubleClicked, this, &TTimerHandler::TargetDblClick);
      }
    }
  }

  QWidget* panels[LineCount] = {ui->pline1, ui->pline2, ui->pline3, ui->pline4, ui->pline5,
                                ui->pline6, ui->pline7, ui->pline8, ui->pline9, ui->pline10};
  TLabel* labels[LineCount][4] = {
      {ui->LM1, ui->LD1, ui->LT1, ui->LA1}, {ui->LM2, ui->LD2, ui->LT2, ui->LA2},
      {ui->LM3, ui->LD3, ui->LT3, ui->LA3}, {ui->LM4, ui->LD4, ui->LT4, ui->LA4},
      {ui->LM5, ui->LD5, ui->LT5, ui->LA5}, {ui->LM6, ui->LD6, ui->LT6, ui->LA6},
      {ui->LM7, ui->LD7, ui->LT7, ui->LA7}, {ui->LM8, ui->LD8, ui->LT8, ui->LA8},
      {ui->LM9, ui->LD9, ui->LT9, ui->LA9}, {ui->LM10, ui->LD10, ui->LT10, ui->LA10}};
  for (int i = 0; i < LineCount; ++i) {
    lines_[i] =
        std::make_unique<PlineClass>(this, panels[i], labels[i][0], labels[i][1], labels[i][2], labels[i][3]);
    panels[i]->installEventFilter(this);
    panels[i]->setAccessibleName(GetText(MoreTextId::Line).arg(i + 1));
    for (int c = 0; c < 4; ++c) {
      TLabel* l = labels[i][c];
      l->setFont(lineFont);
      l->setFitText(true);
      connect(l, &TLabel::clicked, this, [this, i] { LineClick(i); });
      connect(l, &TLabel::doubleClicked, this, [this, i, c] { LineDblClick(i, PlineClass::Column(c)); });
    }
    lines_[i]->Fill(nullptr, nullptr);
  }
  SetTargetHighlight(false);
}

TTimerHandler::~TTimerHandler() {
  if (IsShown()) Leave();
}

bool TTimerHandler::IsShown() const { return screen_->IsShown(); }

int TTimerHandler::Count() const { return Editing ? int(Editing->Items.size()) : 0; }

void TTimerHandler::ApplyHints() {
  const bool hints = TLoadSave::Instance()->ShowHints != 0;
  form_->ui->pnlTimer->setToolTip(hints ? GetText(TextId::DoubleClickToSetUpTimer) : QString());
  app_->Panel->setToolTip(hints ? GetText(TextId::DoubleClickForOtherDevice) : QString());
  scene_->Panel->setToolTip(hints ? GetText(TextId::DoubleClickForOtherScene) : QString());
}

void TTimerHandler::Show(int ruimte, int apparaat) {
  if (TMainForm* main = TMainForm::Instance()) main->KeyCallback = [this](uint16_t key) { KeyPressed(key); };
  screen_->Hide();
  Ruimte = ruimte;
  Apparaat = apparaat;
  Busy = false;
  Editing = std::make_unique<ProgAktieList>(ruimte, TLoadSave::Instance()->Programma->KeyedCopy(), apparaat);
  Editing->Resort();
  int first = -1;
  for (int i = 0; i < Count(); ++i) {
    const ProgAktie& e = *Editing->Items[i].Entry;
    if (e.Ruimte == ruimte && e.Apparaat == apparaat) {
      first = i;
      break;
    }
  }
  Editing->Select(first);
  Editing->Resort();
  UpdateButtons();
  FillLines(Editing->SelectedIndex());
  screen_->Show();
  buttons_->Show();
  ApplyHints();
}

void TTimerHandler::SetTargetHighlight(bool on) {
  TargetSelected = on;
  app_->SetHighlighted(on);
  scene_->SetHighlighted(on);
}

int TTimerHandler::FirstIndex() const {
  const ProgAktiePtr& top = lines_[0]->Aktie;
  if (!top || !Editing) return 0;
  for (int i = 0; i < Count(); ++i)
    if (Editing->Items[i].Entry == top) return i;
  // Deleted since: where it would stand.
  return Editing->IndexOfKey(*top);
}

void TTimerHandler::FillLines(int first) {
  SetTargetHighlight(false);
  if (!Editing) return;
  int f = first == -1 ? FirstIndex() : first;
  const int b = Editing->SelectedIndex();
  Editing->Resort();
  const int a = Editing->SelectedIndex();
  // The window follows the selected entry when resorting moved it down, or
  // up by ten places or more.
  if (b - a > LineCount - 1 || b - a < 0) f += a - b;
  if (a < f) f = a;
  const int n = Count();
  if (f >= n - (LineCount - 1)) f = n - LineCount;
  if (f < 0) f = 0;
  bool any = false;
  for (int i = 0; i < LineCount; ++i) {
    PlineClass& line = *lines_[i];
    line.Fill(Editing->ItemAt(f + i), Editing.get());
    if (line.Selected) ShowTarget(line.Aktie->Ruimte, line.Aktie->Apparaat);
    any = any || line.Aktie;
  }
  if (any) {
    form_->ui->lblUp->setText(QString::number(a));
    form_->ui->lblDown->setText(QString::number(n - a - 1));
    form_->ui->lblUp->setAccessibleName(GetText(MoreTextId::EntriesAbove) + QStringLiteral(": ") +
                                        form_->ui->lblUp->text());
    form_->ui->lblDown->setAccessibleName(GetText(MoreTextId::EntriesBelow) + QStringLiteral(": ") +
                                          form_->ui->lblDown->text());
  }
}

void TTimerHandler::ShowTarget(int ruimte, int apparaat) {
  Ruimte = ruimte;
  Apparaat = apparaat;
  const bool scene = ruimte >= 17;
  app_->Panel->setVisible(!scene);
  scene_->Panel->setVisible(scene);
  if (scene)
    scene_->Show(ruimte - 17);
  else
    app_->Show(ruimte, apparaat);
}

void TTimerHandler::UpdateButtons() {
  const bool v = Editing && Editing->Selected && Editing->Selected->IsValid();
  const int n = Count();
  buttons_->SetEnabled(buttons_->ButKopie, v && n < MaxEntries);
  buttons_->SetEnabled(buttons_->butToevoegen, (v || n == 0) && n < MaxEntries);
  buttons_->SetEnabled(buttons_->ButOK, v || n == 1);
  buttons_->SetEnabled(buttons_->ButWissen, n >= 1);
  form_->ui->LinesUp->setEnabled(v);
  form_->ui->LinesDn->setEnabled(v);
}

bool TTimerHandler::RandomAllowed() const {
  if (!Editing) return true;
  const int count = Editing->RandomCount();
  const bool selectedRandom = Editing->Selected && Editing->Selected->Random;
  return count < (selectedRandom ? MaxRandom + 1 : MaxRandom);
}

void TTimerHandler::Add() {
  if (!Editing || !buttons_->butToevoegen->isEnabled()) return;
  const int s = Editing->SelectedIndex();
  int f = FirstIndex();
  const int k = Editing->Add(std::make_shared<ProgAktie>());
  if (f + LineCount - 1 == s)
    ++f;
  else if (k < f)
    f = k;
  FillLines(f);
  UpdateButtons();
}

void TTimerHandler::Copy() {
  if (!Editing || !buttons_->ButKopie->isEnabled()) return;
  const int s = Editing->SelectedIndex();
  const int f = FirstIndex();
  Editing->AddCopy(Editing->Selected);
  if (Editing->Selected->Random && Editing->RandomCount() > MaxRandom) Editing->Selected->Random = 0;
  FillLines(f + LineCount - 1 == s ? f + 1 : f);
  UpdateButtons();
}

void TTimerHandler::Delete() {
  if (!Editing || Count() < 1) return;
  Editing->Remove(Editing->Selected);
  FillLines(-1);
  UpdateButtons();
}

void TTimerHandler::LineUp() {
  if (!Editing || !Editing->Selected || !Editing->Selected->IsValid()) return;
  const int s = Editing->SelectedIndex();
  int f = FirstIndex();
  if (s > 0) {
    Editing->Select(s - 1);
    if (s == f) --f;
  }
  FillLines(f);
}

void TTimerHandler::LineDown() {
  if (!Editing || !Editing->Selected || !Editing->Selected->IsValid()) return;
  const int s = Editing->SelectedIndex();
  int f = FirstIndex();
  if (s < Count() - 1) {
    Editing->Select(s + 1);
    if (s == f + LineCount - 1) ++f;
  }
  FillLines(f);
}

void TTimerHandler::KeyPressed(uint16_t key) {
  if (key != VkUp && key != VkDown) return;
  if (TargetSelected)
    JumpTarget(key == VkDown ? 1 : -1);
  else if (key == VkDown)
    LineDown();
  else
    LineUp();
}

void TTimerHandler::JumpTarget(int direction) {
  if (!Editing || !Editing->Selected || !Editing->Selected->IsValid()) return;
  const ProgAktie& from = *Editing->Selected;
  for (int i = Editing->SelectedIndex() + direction; i >= 0 && i < Count(); i += direction) {
    if (SameTarget(*Editing->Items[i].Entry, from)) continue;
    Editing->Select(i);
    Editing->Resort();
    UpdateButtons();
    FillLines(Editing->SelectedIndex());
    SetTargetHighlight(true);
    return;
  }
}

void TTimerHandler::LineClick(int line) {
  SetTargetHighlight(false);
  if (!Editing) return;
  const ProgAktiePtr entry = lines_[line]->Aktie;
  if (!entry) return;
  Busy = false;
  if (entry != Editing->Selected && Editing->Selected && !Editing->Selected->IsValid()) {
    Busy = true;
    return;
  }
  Editing->SetSelected(entry);
  FillLines(-1);
  UpdateButtons();
}

void TTimerHandler::LineDblClick(int line, PlineClass::Column column) {
  if (Busy || !Editing || !lines_[line]->Aktie || !Editing->Selected) return;
  ProgAktie& e = *Editing->Selected;
  QWidget* over = screen_->Panel()->window();
  bool ok = false;
  switch (column) {
    case PlineClass::Month: {
      TFormMaand dialog(over);
      dialog.Maand = e.Maand;
      if ((ok = dialog.exec() == 1)) e.Maand = dialog.Maand;
      break;
    }
    case PlineClass::Day: {
      TFormDagDatum dialog(over);
      dialog.DagDatum = e.DagDatum;
      if ((ok = dialog.exec() == 1)) e.DagDatum = dialog.DagDatum;
      break;
    }
    case PlineClass::Time: {
      TFormTijd dialog(over);
      dialog.Uur = e.Uur;
      dialog.Minuut = e.Minuut;
      dialog.ZonTijd = e.ZonTijd;
      dialog.Random = e.Random;
      dialog.TimerHandler = this;
      if ((ok = dialog.exec() == 1)) {
        e.Uur = dialog.Uur;
        e.Minuut = dialog.Minuut;
        e.ZonTijd = dialog.ZonTijd;
        e.Random = dialog.Random;
      }
      break;
    }
    case PlineClass::Action: {
      if (e.IsScene()) return;
      const bool known =
          e.Ruimte >= 0 && e.Ruimte < RoomCount && e.Apparaat >= 0 && e.Apparaat < DevicesPerRoom;
      TFormAktie dialog(over);
      dialog.Aktie = e.Aktie;
      dialog.Dimbaar = known ? TLoadSave::Instance()->Ruimtes[e.Ruimte].Apparaten[e.Apparaat].Dimbaar : 0;
      if ((ok = dialog.exec() == 1)) e.Aktie = uint8_t(dialog.Aktie);
      ShowTarget(e.Ruimte, e.Apparaat);
      break;
    }
  }
  if (!ok) return;
  NoteIfStored(e);
  FillLines(-1);
  UpdateButtons();
}

void TTimerHandler::NoteIfStored(const ProgAktie& entry) {
  // Entries are shared with the installation: a change to one it holds is
  // made (Back keeps it), one to an entry added here waits for OK.
  for (const KeyedAktie& k : TLoadSave::Instance()->Programma->AllItems)
    if (k.Entry.get() == &entry) {
      Recovery::NoteConfirmedChange();
      return;
    }
}

void TTimerHandler::TargetClick() { SetTargetHighlight(true); }

void TTimerHandler::TargetDblClick() {
  if (Ruimte >= 17) {
    if (OpenScenePicker) OpenScenePicker(Ruimte - 17);
  } else if (OpenDevicePicker) {
    OpenDevicePicker(Ruimte, Apparaat);
  }
}

void TTimerHandler::PickDevice(int room, int device) {
  if (!Editing || !Editing->Selected) return;
  ShowTarget(room, device);
  Editing->Selected->Ruimte = room;
  Editing->Selected->Apparaat = device;
  NoteIfStored(*Editing->Selected);
  FillLines(-1);
  UpdateButtons();
}

void TTimerHandler::PickScene(int scene) {
  if (!Editing || !Editing->Selected) return;
  // A scene entry's device index is 0, as for entries made on the scene's own
  // screen, so the entry is found there and sorts with the scene's others.
  ShowTarget(17 + scene, 0);
  Editing->Selected->Ruimte = 17 + scene;
  Editing->Selected->Apparaat = 0;
  NoteIfStored(*Editing->Selected);
  FillLines(-1);
  UpdateButtons();
}

void TTimerHandler::OK() {
  if (!Editing || !buttons_->ButOK->isEnabled()) return;
  TLoadSave::Instance()->Programma->Apply(Editing->Items, Editing->Deleted);
  Recovery::NoteConfirmedChange();
  if (BoxConnected) {
    TBusyCursor busy;
    TCommunicatie c;
    c.SyncSceneTable();
    c.UploadProgramme();
  }
  Leave();
}

void TTimerHandler::Back() { Leave(); }

void TTimerHandler::Week() {
  if (!Editing) return;
  if (!week_) week_ = std::make_unique<TWeekPlanHandler>(screen_->MainPanel(), buttons_->ButtonPanel(), this);
  // The week view covers this screen; the arrow keys wait until it is back.
  if (TMainForm* main = TMainForm::Instance()) main->KeyCallback = nullptr;
  week_->Show(Ruimte, Apparaat, Editing->Items, [this] {
    if (TMainForm* main = TMainForm::Instance())
      main->KeyCallback = [this](uint16_t key) { KeyPressed(key); };
  });
}

void TTimerHandler::Leave() {
  screen_->Hide();
  buttons_->Hide();
  app_->Panel->hide();
  scene_->Panel->hide();
  if (TMainForm* main = TMainForm::Instance()) main->KeyCallback = nullptr;
  Busy = false;
  SetTargetHighlight(false);
  for (auto& line : lines_) line->Fill(nullptr, nullptr);
  Editing.reset();
}

bool TTimerHandler::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    for (int i = 0; i < LineCount; ++i) {
      if (watched != lines_[i]->Panel) continue;
      // Releases on the labels come here too; those are the labels' clicks.
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && !lines_[i]->Panel->childAt(mouse->position().toPoint()))
        LineClick(i);
      break;
    }
  }
  return QObject::eventFilter(watched, event);
}
