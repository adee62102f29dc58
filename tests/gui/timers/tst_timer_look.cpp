// The timer screen and its dialogs as a user sees them: every text fits its
// column, button or label in all ten languages. With KLV_SCREENSHOT_DIR set it
// also saves screenshots of the screen with a realistic programme and of each
// dialog, in English and in German.
#include <QDir>
#include <QLineEdit>

#include "core/device/DeviceTestSupport.h"
#include "core/shell/Language.h"
#include "gui/rooms/HomeTestSupport.h"
#include "gui/shell/BaseForm.h"
#include "gui/timers/ProgSelAktie.h"
#include "gui/timers/ProgSelDayDate.h"
#include "gui/timers/ProgSelMonth.h"
#include "gui/timers/ProgSetTime.h"
#include "gui/timers/TimerButHandler.h"
#include "gui/timers/TimerHandler.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_ProgSelDayDate.h"
#include "ui_ProgSetTime.h"
#include "ui_Timer.h"

namespace {

QString ShotDir() { return qEnvironmentVariable("KLV_SCREENSHOT_DIR"); }

void Save(QWidget* w, const QString& name) {
  if (ShotDir().isEmpty()) return;
  QDir().mkpath(ShotDir());
  QVERIFY(w->grab().save(ShotDir() + QLatin1Char('/') + name));
}

// Problems with texts that do not fit, as "language: text (width)".
QStringList Overflows(QWidget* root, int language) {
  QStringList bad;
  auto note = [&](const QString& text, int need, int have) {
    if (need > have)
      bad << QStringLiteral("%1: '%2' needs %3 of %4").arg(language).arg(text).arg(need).arg(have);
  };
  // Buttons shrink their captions down to a readable floor (gui/widgets/FitText.h).
  for (TGradBtn* b : root->findChildren<TGradBtn*>())
    if (!b->text().isEmpty() && !b->captionFits()) note(b->text(), 1, 0);
  for (TSmoothPanel* p : root->findChildren<TSmoothPanel*>())
    if (!p->caption().isEmpty())
      note(p->caption(), QFontMetrics(p->captionFont()).horizontalAdvance(p->caption()), p->width() - 20);
  return bad;
}

void NoteLabel(QStringList& bad, const QLabel* l, const QString& text, int language) {
  const int need = QFontMetrics(l->font()).horizontalAdvance(text);
  if (need > l->width())
    bad << QStringLiteral("%1: '%2' needs %3 of %4").arg(language).arg(text).arg(need).arg(l->width());
}

}  // namespace

class TstTimerLook : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void cleanup() {
    ReleaseBoxLink();
    SetBoxTransportFactory({});
  }

  void textsFitInEveryLanguage() {
    TempWorkspace ws;
    QStringList bad;
    for (int language = 0; language < LanguageCount; ++language) {
      TLoadSave::Instance()->Language = language;
      HomeHost host;
      TTimerHandler timer(host.main, host.buttons);
      timer.Show(0, 0);
      bad << Overflows(timer.Form(), language) << Overflows(timer.Buttons()->MainBtnContainer(), language);

      // The widest texts each line column can get.
      const PlineClass& line = timer.Line(0);
      ProgAktie e;
      std::vector<std::pair<const QLabel*, QString>> texts;
      for (int m = 0; m <= 13; ++m) {
        e.Maand = m;
        texts.emplace_back(line.LM, e.MonthText());
      }
      for (int d : {0, 255, 31}) {
        e.DagDatum = d;
        texts.emplace_back(line.LD, e.DayText());
      }
      for (int z : {0, 1, 60, 61, 121, 180, 181}) {
        e.ZonTijd = z;
        e.Uur = 24;
        texts.emplace_back(line.LT, e.TimeText());
      }
      e.ZonTijd = 0;
      e.Uur = 23;
      e.Random = 1;
      texts.emplace_back(line.LT, e.TimeText());
      for (int a : {0, 16, 17}) {
        e.Aktie = uint8_t(a);
        texts.emplace_back(line.LA, e.ActionText());
      }
      e.Ruimte = 17;
      texts.emplace_back(line.LA, e.ActionText());
      for (const auto& [label, text] : texts) NoteLabel(bad, label, text, language);

      TFormTijd time;
      bad << Overflows(&time, language);
      for (TextId id : {TextId::InvalidTime, TextId::Maximum1Hour, TextId::FixedTime})
        NoteLabel(bad, time.ui->LRandom, GetText(id), language);
      for (TextId id : {TextId::InvalidTime, TextId::Minutes})
        NoteLabel(bad, time.ui->Loffset, GetText(id), language);
      TFormDagDatum day;
      bad << Overflows(&day, language);
      TFormMaand month;
      bad << Overflows(&month, language);
      TFormAktie action;
      bad << Overflows(&action, language);
    }
    QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QLatin1Char('\n'))));
  }

  // A hall light with six entries among other targets' entries, one of its
  // entries still incomplete; then each dialog. English and German.
  void screenshots() {
    if (ShotDir().isEmpty()) QSKIP("KLV_SCREENSHOT_DIR not set");
    for (int language : {1, 2}) {
      TempWorkspace ws;
      FillInstallation(3, {3, 2, 2});
      TLoadSave* ls = TLoadSave::Instance();
      ls->Language = language;
      const char* rooms[3] = {"Hall", "Living room", "Garden"};
      const char* devices[3][3] = {{"Hall light", "Porch lamp", "Stairs"},
                                   {"Reading lamp", "Ceiling light", ""},
                                   {"Fountain", "Garden lights", ""}};
      for (int r = 0; r < 3; ++r) {
        ls->Ruimtes[r].Naam = QString::fromLatin1(rooms[r]);
        for (int d = 0; d < 3; ++d)
          if (*devices[r][d]) ls->Ruimtes[r].Apparaten[d].Naam = QString::fromLatin1(devices[r][d]);
      }
      ls->Scenes[1].Naam = QStringLiteral("Evening");
      auto add = [&](int room, int device, int month, int day, int hour, int minute, int sun, int random,
                     int action) {
        auto e = std::make_shared<ProgAktie>();
        e->Ruimte = room, e->Apparaat = device, e->Maand = month, e->DagDatum = day, e->Uur = hour;
        e->Minuut = minute, e->ZonTijd = sun, e->Random = uint8_t(random), e->Aktie = uint8_t(action);
        ls->Programma->AddUnique(e);
      };
      add(0, 0, 13, 128 + 62, 24, 0, 165, 0, 17);  // 15 minutes before sunset on weekdays
      add(0, 0, 13, 255, 23, 0, 0, 1, 0);          // off between 23:00 and 00:00
      add(0, 0, 12, 24, 17, 30, 0, 0, 17);
      add(0, 0, 13, 128 + 65, 8, 15, 0, 0, 12);
      add(0, 0, 7, 1, 6, 45, 0, 0, 17);
      add(0, 1, 13, 255, 24, 0, 75, 0, 0);
      add(1, 0, 13, 128 + 2 + 8, 19, 0, 0, 0, 8);
      add(2, 1, 5, 15, 24, 0, 190, 0, 17);
      add(18, 0, 13, 128 + 1 + 64, 20, 0, 0, 0, 0);
      UseSimulatedBus(std::make_shared<SimulatedBox>());
      if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support setting window masks");
      TMainForm form;
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      auto* home = form.findChild<TRuimteUIHandler*>();
      home->OpenTimer(0, 0);
      auto* timer = home->findChild<TTimerHandler*>();
      QTest::mouseClick(timer->Line(0).LM, Qt::LeftButton);
      timer->Copy();
      timer->Editing->Selected->Maand = 0;  // the sixth entry, not finished yet
      timer->Editing->Selected->DagDatum = 0;
      timer->FillLines(-1);
      timer->UpdateButtons();
      const QString suffix = language == 1 ? QStringLiteral("_en.png") : QStringLiteral("_de.png");
      Save(&form, QStringLiteral("timer") + suffix);

      TFormTijd time(&form);
      time.ZonTijd = 165;
      time.show();
      Save(&time, QStringLiteral("timer_time_sun") + suffix);
      time.ShowTimePage();
      time.ChooseRandom();
      Save(&time, QStringLiteral("timer_time") + suffix);
      time.close();
      TFormDagDatum day(&form);
      day.DagDatum = 128 + 62;
      day.show();
      Save(&day, QStringLiteral("timer_days") + suffix);
      day.close();
      TFormMaand month(&form);
      month.Maand = 13;
      month.show();
      Save(&month, QStringLiteral("timer_month") + suffix);
      month.close();
      TFormAktie action(&form);
      action.Dimbaar = 1;
      action.Aktie = 12;
      action.show();
      Save(&action, QStringLiteral("timer_action") + suffix);
      action.close();
      timer->Back();
      ReleaseBoxLink();
    }
  }
};

QTEST_MAIN(TstTimerLook)
#include "tst_timer_look.moc"
