// The home screen as a user sees it, with a realistic installation: names
// fit their tiles, the selected tile stands out, pictures are drawn, and the
// editors open over it. (Pictures of the screens: tools/screenshots.)

#include "HomeTestSupport.h"
#include "core/device/DeviceTestSupport.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "gui/shell/BaseForm.h"
#include "gui/widgets/SmoothPanel.h"

namespace {

void RealisticInstallation() {
  TLoadSave* ls = TLoadSave::Instance();
  const auto roomPics = BuiltinRoomPictures();
  const auto devicePics = BuiltinDevicePictures();
  for (const QImage& p : roomPics) ls->RuimteImageList->Add(p);
  for (const QImage& p : devicePics) ls->AppImageList->Add(p);
  const auto roomNames = BuiltinRoomIconNames();
  const auto deviceNames = BuiltinDeviceIconNames();
  struct Room {
    const char* name;
    const char* icon;
    std::array<std::pair<const char*, const char*>, 4> devices;
  };
  const Room rooms[] = {
      {"Living room",
       "sofa",
       {{{"Ceiling light", "ceiling-light"},
         {"Reading lamp", "floor-lamp"},
         {"Television", "television"},
         {"Fireplace", "fireplace"}}}},
      {"Kitchen",
       "silverware-fork-knife",
       {{{"Worktop lights", "led-strip-variant"},
         {"Coffee maker", "coffee-maker"},
         {"Kettle", "kettle"},
         {"Dishwasher", "dishwasher"}}}},
      {"Bedroom",
       "bed-king",
       {{{"Bedside lamp", "lamp"},
         {"Chandelier", "chandelier"},
         {"Curtains", "curtains"},
         {"Radiator", "radiator"}}}},
      {"Study",
       "desk",
       {{{"Desk lamp", "desk-lamp"},
         {"Computer", "desktop-tower-monitor"},
         {"Printer", "printer"},
         {"Wohnzimmerdeckenbeleuchtung", "spotlight-beam"}}}},
      {"Garden and terrace at the back",
       "tree",
       {{{"Garden lights", "string-lights"},
         {"Fountain", "fountain"},
         {"Sprinkler", "sprinkler"},
         {"Outdoor lamp by the front door", "outdoor-lamp"}}}},
  };
  int code = 0;
  for (int r = 0; r < 5; ++r) {
    TRuimte& room = ls->Ruimtes[r];
    room.Naam = QString::fromLatin1(rooms[r].name);
    room.ImageIndex =
        ls->CustomRuimteImageList->Add(roomPics[BuiltinIconIndex(roomNames, QLatin1String(rooms[r].icon))]);
    for (int d = 0; d < 4; ++d) {
      TApparaat& dev = room.Apparaten[d];
      dev.Naam = QString::fromLatin1(rooms[r].devices[d].first);
      dev.ImageIndex = ls->CustomAppImageList->Add(
          devicePics[BuiltinIconIndex(deviceNames, QLatin1String(rooms[r].devices[d].second))]);
      dev.Code = code++;
      dev.Dimbaar = d == 0;
    }
  }
}

double Luminance(const QImage& img) {
  double sum = 0;
  const QImage rgb = img.convertToFormat(QImage::Format_RGB888);
  for (int y = 30; y < rgb.height() - 30; y += 4)
    for (int x = 10; x < rgb.width() - 10; x += 4) sum += qGray(rgb.pixel(x, y));
  return sum / (((rgb.height() - 60) / 4) * ((rgb.width() - 20) / 4));
}

}  // namespace

class TstHomeLook : public QObject {
  Q_OBJECT

  static bool Offscreen() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void cleanup() { ResetBoxLink(); }

  void captionsKeepWordsWhole() {
    TLabel l;
    l.resize(122, 36);
    // One long compound word: a smaller font on one line, not a word in two.
    SetTileCaption(&l, QStringLiteral("Slaapkamerverdieping"));
    QCOMPARE(l.text(), QStringLiteral("Slaapkamerverdieping"));
    QVERIFY(l.font().pixelSize() < 16 && l.font().pixelSize() >= 10);
    // Short words keep the full size, two lines at most.
    SetTileCaption(&l, QStringLiteral("Living room"));
    QCOMPARE(l.font().pixelSize(), 16);
    QCOMPARE(l.text(), QStringLiteral("Living room"));
    // A word too long even at 10 px is still broken, never cut off.
    const QString word = QString(30, QLatin1Char('W'));
    SetTileCaption(&l, word);
    QVERIFY(l.text().contains(QLatin1Char('\n')));
    QCOMPARE(l.text().remove(QLatin1Char('\n')).left(10), word.left(10));
  }

  void homeScreen() {
    TempWorkspace ws;
    RealisticInstallation();
    TLoadSave::Instance()->OldModel = 1;
    UseSimulatedBus(std::make_shared<SimulatedBox>());
    if (Offscreen()) QTest::ignoreMessage(QtWarningMsg, "This plugin does not support setting window masks");
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* home = form.findChild<TRuimteUIHandler*>();
    QVERIFY(home);

    // Every name fits its caption, on both pages of rooms and for every room's devices.
    auto checkCaptions = [](TRuimteAppUIHandler* row) {
      for (int i = 0; i < 4; ++i) {
        TLabel* l = row->Tile(i)->Caption;
        if (l->text().isEmpty()) continue;
        const QRect r = QFontMetrics(l->font()).boundingRect(QRect(0, 0, l->width(), 10000),
                                                             Qt::AlignCenter | Qt::TextWordWrap, l->text());
        QVERIFY2(r.width() <= l->width() && r.height() <= l->height(), qPrintable(l->text()));
        QVERIFY2(l->font().pixelSize() >= 10, qPrintable(l->text()));
        QVERIFY2(!row->Tile(i)->Picture->picture().isNull(), qPrintable(l->text()));
      }
    };
    for (int r = 0; r < 5; ++r) {
      if (r == 4) QTest::mouseClick(home->Indicator()->Indicators[1]->Image, Qt::LeftButton);
      QTest::mouseClick(home->Tile(r % 4)->Background, Qt::LeftButton);
      checkCaptions(home);
      checkCaptions(home->Devices());
    }
    QCOMPARE(home->Tile(0)->Caption->text().replace('\n', ' '),
             QStringLiteral("Garden and terrace at the back"));
    QVERIFY(home->Tile(0)->Caption->font().pixelSize() < 16);

    // The selected tile stands out clearly from the others.
    QTest::mouseClick(home->Indicator()->Indicators[0]->Image, Qt::LeftButton);
    QTest::mouseClick(home->Tile(1)->Background, Qt::LeftButton);
    QTest::mouseClick(home->Devices()->Tile(2)->Background, Qt::LeftButton);
    const double selected = Luminance(home->Tile(1)->Background->grab().toImage());
    const double plain = Luminance(home->Tile(0)->Background->grab().toImage());
    QVERIFY2(plain - selected > 80, qPrintable(QStringLiteral("%1 vs %2").arg(plain).arg(selected)));

    // The editor for a room and for a device with code wheels.
    QTest::mouseDClick(home->Tile(1)->Caption, Qt::LeftButton);
    QVERIFY(home->Editor()->IsOpen());
    home->Editor()->Cancel();
    TLoadSave::Instance()->Ruimtes[1].Apparaten[2].CodeSchijf = 1;
    TLoadSave::Instance()->Ruimtes[1].Apparaten[2].Code = 2 * 16 + 3;  // D3
    QTest::mouseDClick(home->Devices()->Tile(2)->Caption, Qt::LeftButton);
    QVERIFY(home->Devices()->Editor()->IsOpen());
    home->Devices()->Editor()->Cancel();
  }
};

QTEST_MAIN(TstHomeLook)
#include "tst_home_look.moc"
