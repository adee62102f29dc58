#pragma once

// Shared set-up of the scene screen tests: the host window of the home screen
// tests, a realistic installation and helpers to look at tiles.

#include "core/device/DeviceTestSupport.h"
#include "gui/rooms/HomeTestSupport.h"
#include "gui/shell/UIImages.h"

inline bool ShowsPicture(const TImage* image, int picture) {
  return image->picture() == TImageFetcher::Instance()->Picture(picture);
}

// The page dot's picture number (PISel, PINotSel or PIDisabled), 0 for none.
inline int DotPicture(const TImage* dot) {
  for (int n : {UIPic::PISel, UIPic::PINotSel, UIPic::PIDisabled})
    if (ShowsPicture(dot, n)) return n;
  return 0;
}

// Scene `s` named `name` with the given items from slot 0 on.
inline void SetScene(int s, const QString& name, const std::vector<TSceneAktie>& items) {
  TScene& scene = TLoadSave::Instance()->Scenes[s];
  scene = TScene{};
  scene.Naam = name;
  for (size_t i = 0; i < items.size(); ++i) scene.Akties[i] = items[i];
}

// A host window with the two panels, shown, for one test.
class SceneScreenTest : public QObject {
 protected:
  std::unique_ptr<TempWorkspace> ws_;
  std::unique_ptr<HomeHost> host_;
  std::shared_ptr<SimulatedBox> box_;

  void Begin() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
    host_ = std::make_unique<HomeHost>();
  }
  void ShowHost() {
    host_->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host_->window));
  }
  void PlugBox() {
    box_ = std::make_shared<SimulatedBox>();
    CreateSimulatedBoxLink(box_);
    QVERIFY(BoxConnected);
    box_->ClearLog();
  }
  // Screens first (their widgets live on the host's panels), then the link.
  void End() {
    host_.reset();
    ResetBoxLink();
    box_.reset();
    ws_.reset();
  }
};
