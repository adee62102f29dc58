// The scene screens in the main window: the overview with six named scenes,
// both pages of a ten-item scene and the composition on a dimmed device.
#include <QApplication>
#include <memory>
#include <utility>
#include <vector>

#include "Shots.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/LoadSave.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/scenes/SceneInhoudHandler.h"
#include "gui/scenes/SceneSamenstellenHandler.h"
#include "gui/scenes/ScenesOverzichtHandler.h"
#include "gui/shell/BaseForm.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

namespace {

// Six scenes over the devices the installation has (the first device of a
// room first); the fifth has ten items.
void FillScenes() {
  TLoadSave* ls = TLoadSave::Instance();
  std::vector<std::pair<int, int>> devices;
  for (int d = 0; d < DevicesPerRoom; ++d)
    for (int r = 0; r < ls->RoomCount(); ++r)
      if (d < ls->Ruimtes[r].DeviceCount()) devices.emplace_back(r, d);
  const char* const names[] = {"Good morning", "Evening",        "Movie night",
                               "Dinner",       "Away from home", "All off"};
  const std::vector<std::vector<int>> actions = {
      {10, 17}, {6, 17, 0}, {3, 17, 0}, {12, 17}, {0, 17, 0, 17, 0, 8, 17, 17, 0, 4}, {0, 0, 0}};
  for (int s = 0; s < 6; ++s) {
    TScene& scene = ls->Scenes[s];
    scene = TScene{};
    scene.Naam = QString::fromLatin1(names[s]);
    for (size_t i = 0; i < actions[s].size() && i < devices.size(); ++i)
      scene.Akties[i] = TSceneAktie{devices[i].first, devices[i].second, actions[s][i]};
  }
}

}  // namespace

void ShootScenes(TShots& shots) {
  FillScenes();
  UseSimulatedBox();
  TMainForm form;
  auto* home = ShowHome(form);
  if (!home) return;
  home->Buttons()->ButScene->click();
  auto* overview = home->findChild<TScenesOverzichtHandler*>();
  if (!overview) return;
  overview->SelectScene(overview->Tile(1)->Name);
  shots.Save(&form, QStringLiteral("scenes_overview"));

  overview->OpenContent(overview->Tile(4)->Picture);
  TSceneInhoudHandler* content = overview->Content();
  shots.Save(&form, QStringLiteral("scene_content_page1"));
  content->ShowPage(1);
  shots.Save(&form, QStringLiteral("scene_content_page2"));
  content->Cancel();

  // The evening's first item is dimmed to 6.
  overview->OpenContent(overview->Tile(1)->Picture);
  content->ComposeItem(content->Row(0)->Background);
  shots.Save(&form, QStringLiteral("scene_composition"));
  content->Composition()->Close();
  content->Cancel();
  overview->Hide();
  ReleaseBoxLink();
}
