#include "gui/timers/WeekPlanHandler.h"

#include <QDate>
#include <QLabel>
#include <QPixmap>

#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "core/plan/WeekPicture.h"
#include "core/plan/WeekPlan.h"
#include "gui/common/ContentScreen.h"
#include "gui/shell/Utilities.h"
#include "gui/timers/WeekPlanButHandler.h"
#include "gui/widgets/GradBtn.h"
#include "ui_WeekPlan.h"

namespace {

constexpr int Days = 7;

std::unique_ptr<QWidget> MakeForm(QLabel** picture) {
  auto form = std::make_unique<QWidget>();
  Ui::TfrmWeekPlan ui;
  ui.setupUi(form.get());
  *picture = ui.imgWeek;
  return form;
}

}  // namespace

TWeekPlanHandler::TWeekPlanHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent)
    : QObject(parent), column_(std::make_unique<TWeekPlanButHandler>(buttonPanel)) {
  auto form = MakeForm(&imgWeek_);
  QWidget* panel = form->findChild<QWidget*>(QStringLiteral("pnlWeek"));
  screen_ = std::make_unique<TContentScreen>(mainPanel, std::move(form), panel);
  column_->Bind(column_->ButExit(), [this] {
    Hide();
    if (back_) back_();
  });
  column_->Bind(column_->butAlles(), [this] { SetAll(!all_); });
}

TWeekPlanHandler::~TWeekPlanHandler() = default;

void TWeekPlanHandler::Show(int ruimte, int apparaat, const KeyedAktieList& programme,
                            std::function<void()> back) {
  ruimte_ = ruimte;
  apparaat_ = apparaat;
  programme_ = programme;
  back_ = std::move(back);
  sunTable_ = TWeekPlan::SentSunTable(*TLoadSave::Instance());
  all_ = false;
  Redraw();
  screen_->Show();
  column_->Show();
}

void TWeekPlanHandler::Hide() {
  column_->Hide();
  screen_->Hide();
}

bool TWeekPlanHandler::IsShown() const { return screen_->IsShown(); }

void TWeekPlanHandler::SetAll(bool all) {
  all_ = all;
  Redraw();
}

void TWeekPlanHandler::Redraw() {
  const TLoadSave& ls = *TLoadSave::Instance();
  const TWeekPlan week = TWeekPlan::Build(ls, programme_, sunTable_.data(), QDate::currentDate(), Days);
  const bool scene = ruimte_ > 16;
  const TWeekPlan shown = all_    ? week
                          : scene ? week.ForScene(ruimte_ - 17)
                                  : week.ForDevice(ruimte_, apparaat_);
  // A single device needs no names in its labels.
  picture_ = TWeekPicture::Draw(shown, ls, TWeekPicture::SizeFor(Days), all_ || scene);
  imgWeek_->setPixmap(QPixmap::fromImage(picture_));

  // For a screen reader the picture is its list of actions.
  QStringList lines;
  for (const TPlanAction& a : shown.Actions) {
    const TRuimte& room = ls.Ruimtes[a.Ruimte];
    lines << QStringLiteral("%1 %2 %3/%4 %5")
                 .arg(a.Date.toString(Qt::ISODate), TWeekPlan::TimeText(a), room.Naam,
                      room.Apparaten[a.Apparaat].Naam, TWeekPlan::ActionText(a.Aktie));
  }
  imgWeek_->setAccessibleName(GetText(MoreTextId::Week));
  imgWeek_->setAccessibleDescription(lines.join(QLatin1Char('\n')));
  if (all_)
    TUtilities::SetButtonSelected(column_->butAlles());
  else
    TUtilities::SetButtonNormal(column_->butAlles());
}
