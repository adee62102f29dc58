// The scene screens as a user sees them, in English and German, with a
// realistic installation: every name fits its tile, the selected scene stands
// out, pictures and LEDs are drawn. (klv820-screenshots takes their pictures.)
#include "SceneTestSupport.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/scenes/SceneInhoudHandler.h"
#include "gui/scenes/SceneSamenstellenHandler.h"
#include "gui/scenes/ScenesOverzichtButHandler.h"
#include "gui/scenes/ScenesOverzichtHandler.h"
#include "gui/shell/BaseForm.h"

namespace {

struct Named {
  const char* english;
  const char* german;
  const char* icon;
};

int IndexOf(const std::vector<QString>& names, const char* name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == QLatin1String(name)) return int(i);
  return 0;
}

void RealisticInstallation(bool german) {
  TLoadSave* ls = TLoadSave::Instance();
  const auto roomPics = BuiltinRoomPictures();
  const auto devicePics = BuiltinDevicePictures();
  const Named rooms[] = {{"Living room", "Wohnzimmer", "sofa"},
                         {"Hall", "Flur", "door"},
                         {"Kitchen", "Küche", "silverware-fork-knife"},
                         {"Bedroom", "Schlafzimmer", "bed-king"},
                         {"Garden", "Garten", "tree"},
                         {"Study", "Arbeitszimmer", "desk"}};
  const std::vector<std::vector<Named>> devices = {
      {{"Ceiling light", "Deckenleuchte", "ceiling-light"},
       {"Floor lamp", "Stehlampe", "floor-lamp"},
       {"Television", "Fernseher", "television"},
       {"Wall lights", "Wandleuchten", "wall-sconce"}},
      {{"Hall light", "Flurlicht", "lightbulb"}, {"Outdoor lamp", "Außenleuchte", "outdoor-lamp"}},
      {{"Worktop lights", "Arbeitsplattenbeleuchtung", "led-strip-variant"},
       {"Coffee maker", "Kaffeemaschine", "coffee-maker"},
       {"Kettle", "Wasserkocher", "kettle"}},
      {{"Bedside lamp", "Nachttischlampe", "lamp"},
       {"Chandelier", "Kronleuchter", "chandelier"},
       {"Curtains", "Vorhänge", "curtains"}},
      {{"Garden lights", "Gartenbeleuchtung", "string-lights"},
       {"Fountain", "Springbrunnen", "fountain"},
       {"Sprinkler", "Rasensprenger", "sprinkler"}},
      {{"Desk lamp", "Schreibtischlampe", "desk-lamp"}, {"Printer", "Drucker", "printer"}}};
  for (const QImage& p : roomPics) ls->RuimteImageList->Add(p);
  for (const QImage& p : devicePics) ls->AppImageList->Add(p);
  int code = 0;
  for (int r = 0; r < 6; ++r) {
    TRuimte& room = ls->Ruimtes[r];
    room.Naam = QString::fromUtf8(german ? rooms[r].german : rooms[r].english);
    room.ImageIndex =
        ls->CustomRuimteImageList->Add(roomPics[IndexOf(BuiltinRoomIconNames(), rooms[r].icon)]);
    for (size_t d = 0; d < devices[r].size(); ++d) {
      TApparaat& dev = room.Apparaten[d];
      dev.Naam = QString::fromUtf8(german ? devices[r][d].german : devices[r][d].english);
      dev.ImageIndex =
          ls->CustomAppImageList->Add(devicePics[IndexOf(BuiltinDeviceIconNames(), devices[r][d].icon)]);
      dev.Code = code++;
      dev.Dimbaar = d == 0;
    }
  }
  const Named scenes[] = {{"Good morning", "Guten Morgen", ""},
                          {"Evening", "Abendstimmung", ""},
                          {"Movie night", "Filmabend", ""},
                          {"Dinner", "Abendessen", ""},
                          {"Away from home", "Abwesenheit Urlaub", ""},
                          {"All off", "Alles ausschalten", ""}};
  const std::vector<std::vector<TSceneAktie>> items = {
      {Item(3, 0, 10), Item(2, 1, 17)},
      {Item(0, 0, 6), Item(1, 0, 17), Item(2, 0, 0)},
      {Item(0, 0, 3), Item(0, 2, 17), Item(3, 2, 0)},
      {Item(0, 0, 12), Item(2, 0, 17)},
      {Item(0, 0, 0), Item(0, 1, 17), Item(0, 2, 0), Item(1, 1, 17), Item(2, 1, 0), Item(3, 0, 8),
       Item(3, 2, 17), Item(4, 0, 17), Item(4, 2, 0), Item(5, 0, 4)},
      {Item(0, 0, 0), Item(1, 0, 0), Item(2, 0, 0)}};
  for (int s = 0; s < 6; ++s)
    SetScene(s, QString::fromUtf8(german ? scenes[s].german : scenes[s].english), items[s]);
}

// The label's text, as laid out, fits inside it at 10 px or more.
void VerifyFits(const TLabel* l) {
  if (l->text().isEmpty()) return;
  const QRect r = QFontMetrics(l->font()).boundingRect(QRect(0, 0, l->width(), 10000),
                                                       Qt::AlignCenter | Qt::TextWordWrap, l->text());
  QVERIFY2(r.width() <= l->width() && r.height() <= l->height(), qPrintable(l->text()));
  QVERIFY2(l->font().pixelSize() >= 10, qPrintable(l->text()));
}

double Luminance(const QImage& img) {
  const QImage rgb = img.convertToFormat(QImage::Format_RGB888);
  double sum = 0;
  int n = 0;
  for (int y = 10; y < rgb.height() - 10; y += 3)
    for (int x = 10; x < rgb.width() - 10; x += 3, ++n) sum += qGray(rgb.pixel(x, y));
  return sum / n;
}

}  // namespace

class TstScenesLook : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void cleanup() { ResetBoxLink(); }

  void screens_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 1;
    QTest::newRow("German") << 2;
  }

  void screens() {
    QFETCH(int, language);
    TempWorkspace ws;
    TLoadSave::Instance()->Language = language;
    RealisticInstallation(language == 2);
    UseSimulatedBus(std::make_shared<SimulatedBox>());
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
      QTest::ignoreMessage(QtWarningMsg, "This plugin does not support setting window masks");
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* home = form.findChild<TRuimteUIHandler*>();
    QTest::mouseClick(home->Buttons()->ButScene, Qt::LeftButton);
    auto* o = home->findChild<TScenesOverzichtHandler*>();
    QVERIFY(o && o->IsShown());

    // The overview: names fit; the selected scene stands out.
    QTest::mouseClick(o->Tile(1)->Name, Qt::LeftButton);
    for (int s = 0; s < 16; ++s) {
      VerifyFits(o->Tile(s)->Name);
      VerifyFits(o->Tile(s)->Number);
    }
    QVERIFY(o->Buttons()->ButUitvoeren->isEnabled());
    const double selected = Luminance(o->Tile(1)->Picture->grab().toImage());
    const double plain = Luminance(o->Tile(0)->Picture->grab().toImage());
    QVERIFY2(plain - selected > 80, qPrintable(QStringLiteral("%1 vs %2").arg(plain).arg(selected)));

    // Ten items: eight on page 0, two on page 1.
    QTest::mouseDClick(o->Tile(4)->Picture, Qt::LeftButton);
    TSceneInhoudHandler* c = o->Content();
    QVERIFY(c && c->IsOpen());
    for (int page = 0; page < 2; ++page) {
      if (page == 1) QTest::mouseClick(c->Indicator()->Indicators[1]->Image, Qt::LeftButton);
      for (int i = 0; i < 8; ++i) {
        const TSceneItemUI* row = c->Row(i);
        VerifyFits(row->Device);
        // Room names stay on one line, whole.
        if (page * 8 + i < 10) {
          QVERIFY(!row->Picture->picture().isNull());
          QVERIFY(!row->Room->text().endsWith(QChar(0x2026)));
        }
      }
    }
    c->Cancel();

    // The composition on the evening's dimmed ceiling light.
    QTest::mouseDClick(o->Tile(1)->Picture, Qt::LeftButton);
    QTest::mouseDClick(c->Row(0)->Background, Qt::LeftButton);
    TSceneRuimteUIHandler* comp = c->Composition();
    QVERIFY(comp && comp->IsShown());
    QCOMPARE(comp->Buttons()->LDimmer->text(), QStringLiteral("6"));
    QVERIFY(ShowsPicture(comp->Devices()->Tile(0)->Led, UIPic::LedsYellow));
    for (int i = 0; i < 4; ++i) {
      VerifyFits(comp->Tile(i)->Caption);
      VerifyFits(comp->Devices()->Tile(i)->Caption);
    }
    comp->Close();
    c->Cancel();
    o->Hide();
  }
};

QTEST_MAIN(TstScenesLook)
#include "tst_scenes_look.moc"
