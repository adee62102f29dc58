// The messages a user meets at start and during a firmware update, the
// settings screen, and the timer screen's dialogs.
#include <QApplication>

#include "Shots.h"
#include "core/device/MyDevFunctions.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "gui/device/updateflash.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/Melding.h"
#include "gui/timers/ProgSelAktie.h"
#include "gui/timers/ProgSelDayDate.h"
#include "gui/timers/ProgSelMonth.h"
#include "gui/timers/ProgSetTime.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

namespace {

void Message(TShots& shots, const QString& name, const QString& line1, const QString& line2,
             const QString& button1, const QString& button2 = QString()) {
  TfrmMeld d;
  d.Fill(line1, line2, button1, button2);
  shots.Save(&d, name);
}

}  // namespace

void ShootMessages(TShots& shots) {
  // At start: the copy of unsaved changes, then each damaged file.
  Message(shots, QStringLiteral("message_recovery"), GetText(MoreTextId::ChangesNotSaved),
          GetText(MoreTextId::RestoreThem), GetText(TextId::Yes), GetText(TextId::No));
  Message(shots, QStringLiteral("message_damaged_file"), GetText(MoreTextId::FileDamaged),
          QStringLiteral("CustomAppImageList.dat"), GetText(TextId::OK));

  // The firmware window after the box came back in its loader three times.
  TfrmUpdate update(ProductName);
  update.Label1()->setText(GetText(MoreTextId::TooManyTries));
  update.Label2()->setText(GetText(MoreTextId::UpdateGivenUp));
  update.btnQuit()->show();
  shots.Save(&update, QStringLiteral("firmware_three_tries"));
}

void ShootSettingsAndTimers(TShots& shots) {
  UseSimulatedBox();
  TMainForm form;
  auto* home = ShowHome(form);
  if (!home) return;
  home->OpenExtra();
  QApplication::processEvents();
  shots.Save(&form, QStringLiteral("settings"));
  home->SettingsClosed(false);

  // A programme with the widest texts of each column.
  auto add = [](int month, int day, int hour, int sun, int random, int action) {
    auto e = std::make_shared<ProgAktie>();
    e->Ruimte = 0, e->Apparaat = 0, e->Maand = month, e->DagDatum = day, e->Uur = hour, e->Minuut = 45;
    e->ZonTijd = sun, e->Random = uint8_t(random), e->Aktie = uint8_t(action);
    TLoadSave::Instance()->Programma->AddUnique(e);
  };
  add(13, 255, 24, 239, 0, 17);  // 59 minutes after sunset, every day
  add(9, 128 + 62, 22, 0, 1, 16);
  add(0, 24, 24, 1, 0, 0);
  home->OpenTimer(0, 0);
  QApplication::processEvents();
  shots.Save(&form, QStringLiteral("timer"));
  TFormTijd time(&form);
  time.ZonTijd = 165;
  time.show();
  shots.Save(&time, QStringLiteral("timer_time_sun"));
  time.ShowTimePage();
  time.ChooseRandom();
  shots.Save(&time, QStringLiteral("timer_time"));
  time.close();
  TFormDagDatum day(&form);
  day.DagDatum = 128 + 62;
  day.show();
  shots.Save(&day, QStringLiteral("timer_days"));
  day.close();
  TFormMaand month(&form);
  month.Maand = 13;
  month.show();
  shots.Save(&month, QStringLiteral("timer_month"));
  month.close();
  TFormAktie action(&form);
  action.Dimbaar = 1;
  action.Aktie = 12;
  action.show();
  shots.Save(&action, QStringLiteral("timer_action"));
  action.close();
  ReleaseBoxLink();
}
