#include <QComboBox>
#include <QLineEdit>

#include "core/device/Communicatie.h"
#include "core/timers/LocationChoice.h"
#include "core/model/SettingsSets.h"
#include "core/shell/Language.h"
#include "gui/rooms/HomeTestSupport.h"
#include "gui/settings/ExtraHandler.h"
#include "ui_ExtraInterface.h"

// The settings screen, opened through the home screen's "extra".
class TestExtra : public HomeScreenTest {
  Q_OBJECT

  TExtraHandler* extra_ = nullptr;
  MeldUser user_;
  QDateTime now_;
  int restarts_ = 0;

  Ui::TfrmExtra* ui() { return extra_->ui(); }

  // Presses "extra" and takes the new screen.
  void Open() {
    QTest::mouseClick(home_->Buttons()->ButExtra, Qt::LeftButton);
    const auto screens = home_->findChildren<TExtraHandler*>();
    QCOMPARE(screens.size(), 1);  // the one before is gone
    extra_ = screens.first();
    QVERIFY(extra_->IsShown());
    extra_->PauseMs = 0;
    extra_->Zone = QTimeZone("Europe/Amsterdam");
    extra_->Clock = [this] { return now_; };
    extra_->Restart = [this] {
      ++restarts_;
      return true;
    };
    extra_->CoordinateChange();  // sun times for the test's clock
  }
  void Choose(const QString& country, const QString& city) {
    ui()->cmbxLand->setCurrentIndex(ui()->cmbxLand->findText(country));
    if (!city.isEmpty()) ui()->cmbxPlaats->setCurrentIndex(ui()->cmbxPlaats->findText(city));
  }
  void Type(QLineEdit* e, const QString& text) {
    e->clear();
    QTest::keyClicks(e, text);
  }
  static bool Red(QLineEdit* e) { return !e->styleSheet().isEmpty(); }
  QString SetFile(const QString& set, const QString& file) {
    return SettingsSets::SetFolder(set) + '/' + file;
  }
  static QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

 private slots:
  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
    FillInstallation(2, {2, 1});
    ShowHome([] {});
    AttachSettingsScreen(home_.get(), host_->main, host_->buttons);
    now_ = QDateTime(QDate(2026, 6, 1), QTime(12, 0), QTimeZone("Europe/Amsterdam"));
    restarts_ = 0;
    user_.answers.clear();
    user_.seen.clear();
  }
  void cleanup() { ReleaseHome(); }

  void locationAndSunTimes() {
    Open();
    QCOMPARE(ui()->cmbxLand->currentText(), QStringLiteral("England"));  // English default
    QCOMPARE(ui()->cmbxPlaats->currentText(), QStringLiteral("London"));
    QCOMPARE(ui()->cmbxPlaats->itemText(0), QStringLiteral("my location"));

    // A table city: its coordinates, locked; summer time adds the hour.
    Choose(QStringLiteral("Nederland"), QStringLiteral("Amsterdam"));
    QCOMPARE(ui()->edLatEB->text(), QStringLiteral("52"));
    QCOMPARE(ui()->edLonEBmin->text(), QStringLiteral("54"));
    QVERIFY(!ui()->edLatEB->isEnabled());
    QCOMPARE(ui()->lblZonOp->text(), QStringLiteral("05:25"));
    QCOMPARE(ui()->lblZonOnder->text(), QStringLiteral("21:53"));
    QCOMPARE(ui()->lblDaylight->text(), QStringLiteral("daylight saving time"));
    now_ = QDateTime(QDate(2026, 1, 15), QTime(12, 0), extra_->Zone);
    extra_->CoordinateChange();
    QCOMPARE(ui()->lblDaylight->text(), QStringLiteral("standard time"));
    const auto winter =
        LocationChoice::SunTimesShown(extra_->Location, now_.date(), LocationChoice::ZoneState::Standard);
    QCOMPARE(ui()->lblZonOp->text(), winter.Rise);

    // "my location" with typed coordinates keeps the country's zone.
    ui()->cmbxPlaats->setCurrentIndex(0);
    QVERIFY(ui()->edLatEB->isEnabled());
    Type(ui()->edLatEB, QStringLiteral("48"));
    Type(ui()->edLatEBmin, QStringLiteral("5"));
    Type(ui()->edLonEB, QStringLiteral("120"));
    ui()->cmbxLonEW->setCurrentIndex(1);
    QCOMPARE(extra_->Location.City, QStringLiteral("my location"));
    QCOMPARE(int(extra_->Location.LatDeg), 48);
    QCOMPARE(int(extra_->Location.LonDeg), 120);
    QCOMPARE(extra_->Location.EW, 1);
    QCOMPARE(extra_->Location.TimeZone(), 1.0);
    const auto shown =
        LocationChoice::SunTimesShown(extra_->Location, now_.date(), LocationChoice::ZoneState::Standard);
    QCOMPARE(ui()->lblZonOnder->text(), shown.Set);
    QTest::mouseClick(extra_->Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(TLoadSave::Instance()->Location, extra_->Location);
    QVERIFY(!extra_->IsShown());

    // Shown again: "my location" with the stored coordinates.
    Open();
    QCOMPARE(ui()->cmbxLand->currentText(), QStringLiteral("Nederland"));
    QCOMPARE(ui()->cmbxPlaats->currentIndex(), 0);
    QCOMPARE(ui()->edLonEB->text(), QStringLiteral("120"));
    QCOMPARE(ui()->cmbxLonEW->currentIndex(), 1);
    QTest::mouseClick(extra_->Buttons()->ButExit, Qt::LeftButton);

    // A stored city the table no longer has: "my location" at its coordinates.
    TLocation gone = Locations::FindLocation(QStringLiteral("Deutschland"), QStringLiteral("Berlin"));
    gone.City = QStringLiteral("Vineta");
    gone.LatDeg = 54;
    TLoadSave::Instance()->Location = gone;
    Open();
    QCOMPARE(ui()->cmbxLand->currentText(), QStringLiteral("Deutschland"));
    QCOMPARE(ui()->cmbxPlaats->currentIndex(), 0);
    QCOMPARE(ui()->edLatEB->text(), QStringLiteral("54"));
    QVERIFY(ui()->edLatEB->isEnabled());
  }

  void badCoordinates() {
    Open();
    ui()->cmbxPlaats->setCurrentIndex(0);
    const struct {
      QLineEdit* edit;
      const char* text;
      QLineEdit* red;
    } cases[] = {{ui()->edLatEB, "5a", ui()->edLatEB},     {ui()->edLatEB, "91", ui()->edLatEB},
                 {ui()->edLonEB, "181", ui()->edLonEB},    {ui()->edLatEBmin, "60", ui()->edLatEBmin},
                 {ui()->edLonEBmin, "", ui()->edLonEBmin}, {ui()->edLatEB, "90", ui()->edLatEBmin}};
    for (const auto& c : cases) {
      Type(ui()->edLatEB, QStringLiteral("51"));
      Type(ui()->edLatEBmin, QStringLiteral("32"));
      Type(ui()->edLonEB, QStringLiteral("0"));
      Type(ui()->edLonEBmin, QStringLiteral("5"));
      QVERIFY(extra_->CoordinatesValid());
      const TLocation valid = extra_->Location;
      const QString rise = ui()->lblZonOp->text();
      c.edit->setText(QLatin1String(c.text));  // one change, as a paste makes it
      QVERIFY2(Red(c.red), c.text);
      QVERIFY(!extra_->CoordinatesValid());
      QCOMPARE(extra_->Location, valid);  // the last valid place stays
      QCOMPARE(ui()->lblZonOp->text(), rise);
      // OK is refused, quietly: the screen stays and nothing is stored.
      QTest::mouseClick(extra_->Buttons()->ButOK, Qt::LeftButton);
      QVERIFY(extra_->IsShown());
    }
    QVERIFY(user_.seen.isEmpty());
    Type(ui()->edLatEB, QStringLiteral("89"));
    QVERIFY(!Red(ui()->edLatEBmin));
    QTest::mouseClick(extra_->Buttons()->ButOK, Qt::LeftButton);
    QVERIFY(!extra_->IsShown());
    QCOMPARE(int(TLoadSave::Instance()->Location.LatDeg), 89);
  }

  void refusedSetNames() {
    Open();
    const QStringList bad = {QString(),
                             QStringLiteral("."),
                             QStringLiteral(".."),
                             QStringLiteral("a/b"),
                             QStringLiteral("a\\b"),
                             QStringLiteral("a\tb"),
                             QStringLiteral("a<b"),
                             QStringLiteral("a>b"),
                             QStringLiteral("a:b"),
                             QStringLiteral("a\"b"),
                             QStringLiteral("a|b"),
                             QStringLiteral("a?b"),
                             QStringLiteral("a*b"),
                             QStringLiteral("CON"),
                             QStringLiteral("nul"),
                             QStringLiteral("COM1"),
                             QStringLiteral("lpt3.txt")};
    user_.Expect(bad.size());
    for (const QString& name : bad) {
      ui()->cmbxOpslaan->setEditText(name);
      QTest::mouseClick(ui()->ButOpslaan, Qt::LeftButton);
      QCOMPARE(ui()->cmbxOpslaan->palette().color(QPalette::Base), QColor(255, 0, 0));
    }
    QCOMPARE(user_.seen.size(), bad.size());
    for (const QString& seen : user_.seen) QVERIFY(seen.startsWith(GetText(MoreTextId::BadSetName) + '|'));
    // A letter the code page lacks is typed as its nearest one.
    ui()->cmbxOpslaan->setEditText(QString());
    ui()->cmbxOpslaan->lineEdit()->insert(QStringLiteral("Łódź"));
    QCOMPARE(ui()->cmbxOpslaan->currentText(), QStringLiteral("Lódz"));
    QCOMPARE(QDir(SettingsSets::Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    // Typing again clears the red.
    QTest::keyClicks(ui()->cmbxOpslaan, QStringLiteral("x"));
    QVERIFY(ui()->cmbxOpslaan->palette().color(QPalette::Base) != QColor(255, 0, 0));
  }

  void storeLoadAndCancel() {
    Open();
    Choose(QStringLiteral("Nederland"), QStringLiteral("Amsterdam"));
    ui()->cmbxOpslaan->setEditText(QStringLiteral("Holiday home"));
    QTest::mouseClick(ui()->ButOpslaan, Qt::LeftButton);
    // The set holds the screen's choice; the installation does not yet.
    DataFiles::EnvironmentData env;
    DataFiles::ReadEnvironment(
        Read(SetFile(QStringLiteral("Holiday home"), QStringLiteral("environment.dat"))), env);
    QCOMPARE(env.Location.City, QStringLiteral("Amsterdam"));
    QCOMPARE(TLoadSave::Instance()->Location.City, QStringLiteral("London"));
    QCOMPARE(ui()->cmbxLaden->findText(QStringLiteral("Holiday home")), 0);
    QTest::mouseClick(extra_->Buttons()->ButExit, Qt::LeftButton);

    TLoadSave::Instance()->Ruimtes[0].Naam = QStringLiteral("Changed");
    Open();
    QCOMPARE(ui()->cmbxLaden->currentText(), QStringLiteral("Holiday home"));
    QTest::mouseClick(ui()->ButLaden, Qt::LeftButton);
    QVERIFY(extra_->SetLoaded);
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Naam, QStringLiteral("Room 0"));
    QCOMPARE(ui()->cmbxPlaats->currentText(), QStringLiteral("Amsterdam"));  // the screen shows the set
    const QString previous = QStringLiteral("previous configuration");
    const QByteArray saved = Read(SetFile(previous, QStringLiteral("kvl820.dat")));
    QVERIFY(!saved.isEmpty());

    // A second load does not overwrite "previous configuration".
    TLoadSave::Instance()->Ruimtes[0].Naam = QStringLiteral("Other");
    QVERIFY(extra_->LoadSettingsSet(QStringLiteral("Holiday home")));
    QCOMPARE(Read(SetFile(previous, QStringLiteral("kvl820.dat"))), saved);

    // Refused loads say why and change nothing.
    user_.Expect(2);
    QVERIFY(SettingsSets::SaveAndStore(QStringLiteral("partial")).ok());
    QVERIFY(QFile::remove(SetFile(QStringLiteral("partial"), QStringLiteral("CustomAppImageList.dat"))));
    QVERIFY(!extra_->LoadSettingsSet(QStringLiteral("partial")));
    QVERIFY(!extra_->LoadSettingsSet(QStringLiteral("nowhere")));
    QCOMPARE(user_.seen, (QStringList{GetText(MoreTextId::SetIncomplete) + '|' +
                                          GetText(MoreTextId::FileMissing).arg("CustomAppImageList.dat"),
                                      GetText(MoreTextId::NoSuchSet) + "|nowhere"}));

    // Cancel goes back to before the first load, and calls no one.
    QTest::mouseClick(extra_->Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Naam, QStringLiteral("Changed"));
    QCOMPARE(TLoadSave::Instance()->Location.City, QStringLiteral("London"));
  }

  void okAndSendReachTheBox() {
    box_ = std::make_shared<SimulatedBox>();
    CreateSimulatedBoxLink(box_);
    QVERIFY(BoxConnected);
    Open();
    Choose(QStringLiteral("Nederland"), QStringLiteral("Amsterdam"));
    TLoadSave::Instance()->Scenes[0].Naam = QStringLiteral("Evening");
    TLoadSave::Instance()->Scenes[0].Akties[0] = Item(0, 0);
    TLoadSave::Instance()->Programma->AllItems.push_back({QString(), Entry(0, 1, 7)});
    box_->ClearLog();
    QTest::mouseClick(extra_->Buttons()->ButOK, Qt::LeftButton);
    // Scene table (read, written, checked), sun table, programme, in that order.
    QString letters;
    for (const auto& r : box_->Received()) letters += QLatin1Char(char(r[1]));
    QVERIFY2(QRegularExpression(QStringLiteral("^c{8}C+c*E{3}P+$")).match(letters).hasMatch(),
             qPrintable(letters));
    QVERIFY(TCommunicatie().CheckBlocks().AllEqual());

    // Send uses the installation and leaves the box equal to it.
    TLoadSave::Instance()->Programma->AllItems.push_back({QString(), Entry(1, 0, 9)});
    Open();
    QVERIFY(!TCommunicatie().CheckBlocks().AllEqual());
    QTest::mouseClick(extra_->Buttons()->butNaarKLV, Qt::LeftButton);
    QVERIFY(TCommunicatie().CheckBlocks().AllEqual());
    QVERIFY(extra_->IsShown());

    // Without a box: OK is silent, Send says so.
    ReleaseBoxLink();
    user_.Expect(1);
    QTest::mouseClick(extra_->Buttons()->butNaarKLV, Qt::LeftButton);
    QCOMPARE(user_.seen, QStringList{"Attention!|The KLV-820 is not connected"});
    QTest::mouseClick(extra_->Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(user_.seen.size(), 1);
  }

  void languageChangeSavesAndRestarts() {
    Open();
    // The same language: no restart.
    QTest::mouseClick(extra_->Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(restarts_, 0);
    Open();
    ui()->cmbxTaal->setCurrentIndex(2);
    TLoadSave::Instance()->Ruimtes[1].Naam = QStringLiteral("Saved first");
    QTest::mouseClick(extra_->Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(restarts_, 1);
    QCOMPARE(TLoadSave::ReadLanguage(), 2);
    TLoadSave::Release();
    QCOMPARE(TLoadSave::Instance()->Ruimtes[1].Naam, QStringLiteral("Saved first"));

    // A save that fails names the file and does not restart.
    Open();
    ui()->cmbxTaal->setCurrentIndex(1);
    QVERIFY(QFile::remove(ws_->file(QStringLiteral("kvl820.dat"))));
    QVERIFY(QDir().mkpath(ws_->file(QStringLiteral("kvl820.dat")) + QStringLiteral("/x")));
    user_.Expect(1);
    QTest::mouseClick(extra_->Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(restarts_, 1);
    QCOMPARE(user_.seen.size(), 1);
    QVERIFY(user_.seen.first().startsWith(GetText(MoreTextId::CouldNotSave) + QStringLiteral("|kvl820.dat")));
    QCOMPARE(TLoadSave::ReadLanguage(), 2);
  }
};

QTEST_MAIN(TestExtra)
#include "tst_extra.moc"
