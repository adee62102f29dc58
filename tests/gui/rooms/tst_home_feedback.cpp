// What the user is told on the home screen and in the editor: the LED strip
// of the last command sent, the hint of an empty installation, the learning
// guidance, the editor's keys, and the names a screen reader hears (also on
// the timer screen and its dialogs).
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>

#include "HomeTestSupport.h"
#include "core/shell/Language.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "gui/scenes/SceneInhoudHandler.h"
#include "gui/scenes/SceneSamenstellenHandler.h"
#include "gui/scenes/ScenesOverzichtHandler.h"
#include "gui/settings/ExtraHandler.h"
#include "gui/shell/UIImages.h"
#include "gui/timers/ProgSelAktie.h"
#include "gui/timers/ProgSelDayDate.h"
#include "gui/timers/ProgSelMonth.h"
#include "gui/timers/ProgSetTime.h"
#include "gui/timers/TimerButHandler.h"
#include "gui/timers/TimerHandler.h"
#include "ui_ProgSelAktie.h"
#include "ui_RuimteAppSelInterface.h"
#include "ui_Timer.h"

class TstHomeFeedback : public HomeScreenTest {
  Q_OBJECT

  void PlugBox() {
    box_ = std::make_shared<SimulatedBox>();
    CreateSimulatedBoxLink(box_);
    QVERIFY(BoxConnected);
  }
  TAppUIHandler* Apps() { return home_->Devices(); }
  void Press(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
  static bool Shows(const QObject* o) {
    const auto* image = qobject_cast<const TImage*>(o);
    return image && !image->picture().isNull();
  }
  static bool Shows(TTile* t, int picture) {
    return t->Led->isVisible() && t->Led->picture() == TImageFetcher::Instance()->Picture(picture);
  }

  // Every visible control a user can click or pick (with `pictures`, every
  // picture that shows one too), in the accessible tree under `root`, that
  // reads without a name.
  static void Nameless(QAccessibleInterface* root, QStringList& out, bool pictures = false) {
    if (!root) return;
    for (int i = 0; i < root->childCount(); ++i) {
      QAccessibleInterface* c = root->child(i);
      if (!c || c->state().invisible) continue;
      const QAccessible::Role r = c->role();
      const bool clickable =
          r == QAccessible::Button || r == QAccessible::ListItem || r == QAccessible::PageTab ||
          r == QAccessible::RadioButton || r == QAccessible::CheckBox || r == QAccessible::EditableText ||
          r == QAccessible::ComboBox || (pictures && r == QAccessible::Graphic && Shows(c->object()));
      if (clickable && c->text(QAccessible::Name).trimmed().isEmpty())
        out << (c->object() ? c->object()->objectName() : QStringLiteral("?"));
      Nameless(c, out, pictures);
    }
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
  }
  void cleanup() { ReleaseHome(); }

  // The strip shows the last command written for each device, moves with the
  // devices when one is deleted, and shows nothing when the write failed.
  void ledShowsTheLastCommandSent() {
    FillInstallation(2, {3, 1});
    PlugBox();
    ShowHome([] {});
    TRuimteAppButHandler* b = home_->Buttons();
    TTile* t0 = Apps()->Tile(0);
    QVERIFY(!t0->Led->isVisible());
    Press(b->ButOn);
    QVERIFY(Shows(t0, UIPic::LedsGreen));
    QVERIFY(t0->Led->accessibleName().startsWith(GetText(MoreTextId::Sent)));
    Press(b->ButOff);
    QVERIFY(Shows(t0, UIPic::LedsRed));
    QTest::mouseClick(Apps()->Tile(1)->Background, Qt::LeftButton);
    Press(b->ButDimmer);  // device 1 is dimmable
    QVERIFY(Shows(Apps()->Tile(1), UIPic::LedsYellow));
    QVERIFY(Shows(t0, UIPic::LedsRed));  // device 0 keeps its own
    QVERIFY(!Apps()->Tile(2)->Led->isVisible());

    // Another room's devices have their own strips.
    QTest::mouseClick(home_->Tile(1)->Caption, Qt::LeftButton);
    QVERIFY(!Apps()->Tile(0)->Led->isVisible());
    QTest::mouseClick(home_->Tile(0)->Caption, Qt::LeftButton);
    QVERIFY(Shows(Apps()->Tile(1), UIPic::LedsYellow));

    // Deleting device 0 moves device 1 (and its strip) into slot 0.
    Apps()->DeleteItem(0);
    const int level = std::clamp(int(TLoadSave::Instance()->Ruimtes[0].Apparaten[0].DimNiveau), 1, 16);
    QCOMPARE(Apps()->LastSent(0, 0), std::optional<int>(level));
    QVERIFY(!Apps()->LastSent(0, 1));
    // Deleting room 0 moves room 1's commands down with it.
    QTest::mouseClick(home_->Tile(1)->Caption, Qt::LeftButton);
    Press(b->ButOn);
    home_->DeleteItem(0);
    QCOMPARE(Apps()->LastSent(0, 0), std::optional<int>(17));

    // Unplugged: the write fails and the strip does not claim a command.
    box_->Unplug();
    BoxConnected = true;  // as if the loss were not noticed yet
    QTest::mouseClick(home_->Tile(0)->Caption, Qt::LeftButton);
    Press(b->ButOff);
    QCOMPARE(Apps()->LastSent(0, 0), std::optional<int>(17));
  }

  // An empty installation says how to begin, in the program's language, and
  // every clickable control of the home screen reads with a name.
  void emptyInstallationHintAndAccessibleNames() {
    TLoadSave::Instance()->Language = 2;
    ShowHome([] {});
    TTile* blank = home_->Tile(0);
    QCOMPARE(blank->Caption->text().simplified().remove(QLatin1Char('-')),
             GetText(MoreTextId::DoubleClickToAddRoom, 2).simplified().remove(QLatin1Char('-')));
    QAccessibleInterface* tile = QAccessible::queryAccessibleInterface(blank->Background);
    QCOMPARE(tile->role(), QAccessible::ListItem);
    QVERIFY(tile->state().selected);
    QVERIFY(!QAccessible::queryAccessibleInterface(home_->Tile(1)->Background)->state().selectable);
    QStringList nameless;
    Nameless(QAccessible::queryAccessibleInterface(&host_->window), nameless);
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u',')));

    // With rooms the hint goes; tiles read their names, dots their page.
    FillInstallation(5, {2});
    home_->SettingsClosed(true);
    tile = QAccessible::queryAccessibleInterface(home_->Tile(1)->Background);
    QCOMPARE(tile->text(QAccessible::Name), QStringLiteral("Room 1"));
    QVERIFY(tile->state().selectable && !tile->state().selected);
    QAccessibleInterface* dot =
        QAccessible::queryAccessibleInterface(home_->Indicator()->Indicators[1]->Image);
    QCOMPARE(dot->role(), QAccessible::PageTab);
    QCOMPARE(dot->text(QAccessible::Name), GetText(MoreTextId::PageOf, 2).arg(2).arg(2));
    home_->ShowPage(1);
    QCOMPARE(home_->Tile(1)->Caption->text(), QString());  // the blank slot after room 4 has no hint
    nameless.clear();
    Nameless(QAccessible::queryAccessibleInterface(&host_->window), nameless);
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u',')));
  }

  // The timer screen, each of its dialogs and the settings screen: every
  // control and picture reads with a name, in the program's language.
  void timerAndSettingsScreensReadInTheProgramsLanguage() {
    const int fi = 7;
    TLoadSave* ls = TLoadSave::Instance();
    ls->Language = fi;
    FillInstallation(1, {1});
    auto entry = std::make_shared<ProgAktie>();
    entry->Ruimte = 0, entry->Apparaat = 0, entry->Maand = 13, entry->DagDatum = 255, entry->Uur = 7;
    entry->Aktie = 17;
    ls->Programma->AddUnique(entry);
    ShowHome([] {});
    TTimerHandler timer(host_->main, host_->buttons);
    timer.Show(0, 0);
    QStringList nameless;
    for (QWidget* part :
         {static_cast<QWidget*>(timer.Form()->ui->pnlTimer), timer.Buttons()->MainBtnContainer()})
      Nameless(QAccessible::queryAccessibleInterface(part), nameless, true);
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u',')));
    QCOMPARE(timer.Line(0).LM->accessibleName(),
             GetText(TextId::Month, fi) + QStringLiteral(": ") + GetText(TextId::EveryMonth, fi));
    QCOMPARE(timer.Line(1).LA->accessibleName(), GetText(TextId::Command, fi));
    QCOMPARE(timer.Form()->ui->LinesUp->accessibleName(), GetText(MoreTextId::EntriesAbove, fi));

    TFormTijd time;
    TFormDagDatum day;
    TFormMaand month;
    TFormAktie action;
    action.Dimbaar = 1;
    for (QDialog* d : std::initializer_list<QDialog*>{&time, &day, &month, &action}) {
      d->show();
      Nameless(QAccessible::queryAccessibleInterface(d), nameless, true);
      d->close();
    }
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u',')));
    QCOMPARE(time.accessibleName(), GetText(TextId::Time, fi));
    QCOMPARE(action.ui->ButDimUp->accessibleName(), GetText(MoreTextId::DimUp, fi));

    // The settings screen (its pictures too) over the home screen.
    timer.Back();
    AttachSettingsScreen(home_.get(), host_->main, host_->buttons);
    home_->OpenExtra();
    auto* settings = home_->findChild<TExtraHandler*>();
    QVERIFY(settings && settings->IsShown());
    for (QWidget* part : {settings->Panel(), host_->buttons})
      Nameless(QAccessible::queryAccessibleInterface(part), nameless, true);
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u',')));
  }

  // The scene screens too: the overview, a scene's content (its first blank
  // row takes a new item) and its composition.
  void sceneScreensReadWithNames() {
    FillInstallation(2, {2, 1});
    ShowHome([] {});
    AttachScenesOverview(home_.get(), host_->main, host_->buttons);
    QTest::mouseClick(home_->Buttons()->ButScene, Qt::LeftButton);
    auto* overview = home_->findChild<TScenesOverzichtHandler*>();
    QVERIFY(overview && overview->IsShown());
    QStringList nameless;
    const auto walk = [&](QWidget* panel) {
      for (QWidget* part : {panel, host_->buttons})
        Nameless(QAccessible::queryAccessibleInterface(part), nameless);
    };
    walk(overview->ScenePanel());
    QTest::mouseDClick(overview->Tile(0)->Picture, Qt::LeftButton);
    TSceneInhoudHandler* content = overview->Content();
    QVERIFY(content && content->IsOpen());
    walk(content->ScenePanel());
    QCOMPARE(content->Row(0)->Background->accessibleName(), GetText(TextId::DoubleClickToSelect));
    QVERIFY(content->Row(1)->Background->accessibleName().isEmpty());
    QTest::mouseDClick(content->Row(0)->Background, Qt::LeftButton);
    TSceneRuimteUIHandler* composition = content->Composition();
    QVERIFY(composition && composition->IsShown());
    walk(composition->Panel());
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u',')));
    composition->Close();
    content->Cancel();
    overview->Hide();
  }

  // Learning tells what to do and how long is left; Enter is OK and Escape
  // cancel in the editor.
  void editorGuidanceAndKeys() {
    FillInstallation(1, {1});
    PlugBox();
    ShowHome([] {});
    host_->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host_->window));
    TRuimteAppSelHandler* editor = Apps()->Editor();
    QTest::mouseDClick(Apps()->Tile(0)->Background, Qt::LeftButton);
    QVERIFY(editor->IsOpen());
    QLabel* hint = editor->Buttons()->LearnHint();
    QVERIFY(!hint->isVisible());
    Press(editor->Buttons()->butLeren());
    QVERIFY(hint->isVisible());
    QVERIFY(hint->text().startsWith(GetText(MoreTextId::PutReceiverInLearnMode)));
    QVERIFY(hint->text().endsWith(QStringLiteral("5:00")));
    editor->LearnTick();
    editor->LearnTick();
    QVERIFY(hint->text().endsWith(QStringLiteral("4:59")));  // 398 ticks of 750 ms left
    for (int i = 2; i < TRuimteAppSelHandler::LearnTicks; ++i) editor->LearnTick();
    QVERIFY(hint->text().endsWith(QStringLiteral("0:00")));
    editor->LearnTick();  // past the last tick learning ends
    QVERIFY(!editor->IsLearning());
    QVERIFY(!hint->isVisible());

    // Escape leaves the name unchanged; Enter stores the typed one.
    QLineEdit* name = editor->Form()->ui->edtOmschrijving;
    name->setFocus();
    name->setText(QStringLiteral("Lamp"));
    QTest::keyClick(name, Qt::Key_Escape);
    QVERIFY(!editor->IsOpen());
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Apparaten[0].Naam, QStringLiteral("Device 0.0"));
    QTest::mouseDClick(Apps()->Tile(0)->Background, Qt::LeftButton);
    name->setFocus();
    name->setText(QStringLiteral("Lamp"));
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(!editor->IsOpen());
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Apparaten[0].Naam, QStringLiteral("Lamp"));
  }
};

QTEST_MAIN(TstHomeFeedback)
#include "tst_home_feedback.moc"
