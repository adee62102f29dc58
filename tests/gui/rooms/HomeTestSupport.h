#pragma once

// Shared set-up of the home screen tests: a host window with the two panels,
// a realistic installation and a stand-in user for the message dialog.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>

#include "TestSupport.h"
#include "core/device/DeviceTestSupport.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/ImageList.h"
#include "core/model/LoadSave.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/shell/Melding.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/BuiltinPictures.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

// Answers message dialogs as they open: presses the queued button (1 or 2;
// 1 when the queue is empty; 0 presses Escape, -1 closes the dialog) and
// records "line1|line2".
class MeldUser : public QObject {
 public:
  MeldUser() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start();
  }
  // Each dialog shown asks the offscreen platform for a window mask.
  void Expect(int dialogs) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) return;
    for (int i = 0; i < dialogs; ++i)
      QTest::ignoreMessage(QtWarningMsg, "This plugin does not support setting window masks");
  }
  std::deque<int> answers;
  QStringList seen;
  // Runs while a dialog is open, before it is answered.
  std::function<void()> whileOpen;

 private:
  void Poll() {
    if (!frmMeld || !frmMeld->isVisible() || frmMeld == last_) return;
    last_ = frmMeld;
    seen << frmMeld->Label1()->text() + QLatin1Char('|') + frmMeld->Label2()->text();
    if (whileOpen) whileOpen();
    int answer = 1;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    if (answer == 0)
      QTest::keyClick(frmMeld, Qt::Key_Escape);
    else if (answer < 0)
      frmMeld->close();
    else
      QTest::mouseClick(answer == 1 ? frmMeld->btn1() : frmMeld->btn2(), Qt::LeftButton);
  }
  QTimer timer_;
  QPointer<TfrmMeld> last_;
};

// A window with MainPanel (598 x 504) and ButtonPanel (150 x 500) as the main
// window has them.
struct HomeHost {
  QWidget window;
  QWidget* main;
  QWidget* buttons;
  HomeHost() {
    window.resize(800, 600);
    main = new QWidget(&window);
    main->setGeometry(24, 84, 598, 504);
    buttons = new QWidget(&window);
    buttons->setGeometry(632, 84, 150, 500);
  }
};

// What the home screen tests hold: a workspace, the home screen on its host
// window and, when a test plugs one, a simulated box.
class HomeScreenTest : public QObject {
 protected:
  std::unique_ptr<TempWorkspace> ws_;
  std::unique_ptr<HomeHost> host_;
  std::unique_ptr<TRuimteUIHandler> home_;
  std::shared_ptr<SimulatedBox> box_;

  // Puts the home screen on a new host window and shows it; `terminate`
  // stands in for ending the program.
  void ShowHome(std::function<void()> terminate) {
    host_ = std::make_unique<HomeHost>();
    home_ = std::make_unique<TRuimteUIHandler>(host_->main, host_->buttons);
    home_->Terminate = std::move(terminate);
    home_->Show();
    host_->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host_->window));
  }
  // For cleanup(): the screen before its window, the link before its box.
  void ReleaseHome() {
    home_.reset();
    host_.reset();
    ResetBoxLink();
    box_.reset();
    ws_.reset();
  }
};

// Rooms and devices with pictures from the built-in sets; the libraries are
// filled too.
inline void FillInstallation(int rooms, const std::vector<int>& devicesPerRoom) {
  TLoadSave* ls = TLoadSave::Instance();
  const std::vector<QImage> roomPics = BuiltinRoomPictures();
  const std::vector<QImage> devicePics = BuiltinDevicePictures();
  if (ls->RuimteImageList->Count() == 0)
    for (const QImage& p : roomPics) ls->RuimteImageList->Add(p);
  if (ls->AppImageList->Count() == 0)
    for (const QImage& p : devicePics) ls->AppImageList->Add(p);
  int code = 0;
  for (int r = 0; r < rooms; ++r) {
    TRuimte& room = ls->Ruimtes[r];
    room.Naam = QStringLiteral("Room %1").arg(r);
    room.ImageIndex = ls->CustomRuimteImageList->Add(roomPics[r % roomPics.size()]);
    const int n = r < int(devicesPerRoom.size()) ? devicesPerRoom[r] : 0;
    for (int d = 0; d < n; ++d) {
      TApparaat& dev = room.Apparaten[d];
      dev.Naam = QStringLiteral("Device %1.%2").arg(r).arg(d);
      dev.ImageIndex = ls->CustomAppImageList->Add(devicePics[(r * 5 + d) % devicePics.size()]);
      dev.Code = code++;
      dev.Dimbaar = d % 2;
    }
  }
}

inline TSceneAktie Item(int room, int device, int value = 17) { return TSceneAktie{room, device, value}; }

inline ProgAktiePtr Entry(int room, int device, int hour) {
  auto e = std::make_shared<ProgAktie>();
  e->Ruimte = room;
  e->Apparaat = device;
  e->Maand = 13;
  e->DagDatum = 128 + 127;
  e->Uur = hour;
  e->Aktie = 17;
  return e;
}
