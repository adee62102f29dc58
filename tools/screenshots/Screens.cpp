// The screens, in the main window as the user sees them.
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QTimer>
#include <memory>

#include "Shots.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/ImageList.h"
#include "core/model/LoadSave.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/Melding.h"
#include "gui/widgets/BuiltinPictures.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "ui_RuimteAppSelInterface.h"

namespace {

// Rooms of a family home, each with its devices; names long and short, and
// six rooms so that the room row has a second page.
struct SampleRoom {
  const char* name;
  const char* icon;
  std::vector<std::pair<const char*, const char*>> devices;  // name, icon
};

const SampleRoom kSample[] = {
    {"Living room",
     "sofa",
     {{"Ceiling light", "ceiling-light"},
      {"Reading lamp", "floor-lamp"},
      {"Television", "television"},
      {"Fireplace", "fireplace"},
      {"Christmas tree", "string-lights"}}},
    {"Kitchen",
     "silverware-fork-knife",
     {{"Worktop lights", "led-strip-variant"}, {"Coffee maker", "coffee-maker"}, {"Kettle", "kettle"}}},
    {"Bedroom", "bed-king", {{"Bedside lamp", "lamp"}, {"Curtains", "curtains"}}},
    {"Study", "desk", {{"Desk lamp", "desk-lamp"}, {"Wohnzimmerdeckenbeleuchtung", "spotlight-beam"}}},
    {"Garden and terrace at the back",
     "tree",
     {{"Garden lights", "string-lights"}, {"Outdoor lamp by the front door", "outdoor-lamp"}}},
    {"Garage", "garage", {{"Workbench socket", "power-socket-eu"}}},
};

void FillSample() {
  TLoadSave* ls = TLoadSave::Instance();
  const auto roomPics = BuiltinRoomPictures();
  const auto devicePics = BuiltinDevicePictures();
  const auto roomIcons = BuiltinRoomIconNames();
  const auto deviceIcons = BuiltinDeviceIconNames();
  for (const QImage& p : roomPics) ls->RuimteImageList->Add(p);
  for (const QImage& p : devicePics) ls->AppImageList->Add(p);
  int code = 0;
  int r = 0;
  for (const SampleRoom& room : kSample) {
    TRuimte& slot = ls->Ruimtes[r++];
    slot.Naam = QString::fromLatin1(room.name);
    slot.ImageIndex = ls->CustomRuimteImageList->Add(
        roomPics[size_t(BuiltinIconIndex(roomIcons, QLatin1String(room.icon)))]);
    int d = 0;
    for (const auto& [name, icon] : room.devices) {
      TApparaat& dev = slot.Apparaten[d++];
      dev.Naam = QString::fromLatin1(name);
      dev.ImageIndex =
          ls->CustomAppImageList->Add(devicePics[size_t(BuiltinIconIndex(deviceIcons, QLatin1String(icon)))]);
      dev.Code = code++;
      dev.Dimbaar = d == 1;
      dev.DimNiveau = 9;
    }
  }
}

// Answers the message that a window asks while it is being built, after
// taking its picture.
class MessageTaker {
 public:
  MessageTaker(TShots& shots, QString name) : shots_(shots), name_(std::move(name)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (!frmMeld || !frmMeld->isVisible()) return;
      if (!taken_) shots_.Save(frmMeld, name_);
      taken_ = true;
      frmMeld->btn1()->click();
    });
    timer_.start();
  }
  bool Taken() const { return taken_; }

 private:
  TShots& shots_;
  QString name_;
  QTimer timer_;
  bool taken_ = false;
};

void StartupMessage(TShots& shots) {
  SetBoxTransportFactory(
      [] { return std::unique_ptr<HidTransport>(std::make_unique<SimulatedHidTransport>()); });
  MessageTaker taker(shots, QStringLiteral("startup_message"));
  TMainForm form;
  // The message comes once the window is on screen.
  form.show();
  QDeadlineTimer deadline(5000);
  while (!taker.Taken() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  ReleaseBoxLink();
}

void Home(TShots& shots) {
  FillSample();
  TLoadSave::Instance()->OldModel = 1;
  UseSimulatedBox();
  TMainForm form;
  auto* home = ShowHome(form);
  if (!home) return;
  TAppUIHandler* devices = home->Devices();

  home->Row()->Select(1);
  devices->Row()->Select(2);
  shots.Save(&form, QStringLiteral("home"));
  home->ShowPage(1);
  home->Row()->Select(1);  // the blank slot after the last room
  shots.Save(&form, QStringLiteral("home_rooms_page2"));
  home->ShowPage(0);
  home->Row()->Select(0);
  devices->ShowPage(1);
  shots.Save(&form, QStringLiteral("home_devices_page2"));

  // The room editor, on the second page of its library with a picture picked.
  home->Row()->DoubleClick(0);
  Ui::TfrmRuimteAppSel* ui = home->Editor()->Form()->ui.get();
  ui->imgPIR2->clicked(ui->imgPIR2);
  ui->Image6->clicked(ui->Image6);
  shots.Save(&form, QStringLiteral("editor_room"));
  home->Editor()->Cancel();

  // A device with code wheels (D3).
  home->Row()->Select(1);
  TApparaat& kettle = TLoadSave::Instance()->Ruimtes[1].Apparaten[2];
  kettle.CodeSchijf = 1;
  kettle.Code = 2 * 16 + 3;
  devices->Row()->DoubleClick(2);
  shots.Save(&form, QStringLiteral("editor_device_codewheels"));
  devices->Editor()->Cancel();

  // A learned-code dimmer while it learns.
  devices->Row()->DoubleClick(0);
  devices->Editor()->Buttons()->SetLearnState(3);
  devices->Editor()->Buttons()->ShowLearnHint(QStringLiteral("4:59"));
  shots.Save(&form, QStringLiteral("editor_device_learning"));
  devices->Editor()->Cancel();

  // A new device, OK pressed with a name but no picture: the frame turns red.
  devices->Row()->DoubleClick(3);
  devices->Editor()->Form()->ui->edtOmschrijving->setText(QStringLiteral("Radio"));
  devices->Editor()->OK();
  shots.Save(&form, QStringLiteral("editor_device_nopicture"));
  devices->Editor()->Cancel();
  ReleaseBoxLink();
}

}  // namespace

void ShootScreens(TShots& shots) {
  StartupMessage(shots);
  Home(shots);
}
