#include "gui/scenes/TimerTargets.h"

#include <QPointer>

#include "core/shell/Language.h"
#include "gui/scenes/SceneSamenstellenHandler.h"
#include "gui/scenes/ScenesOverzichtHandler.h"
#include "gui/timers/TimerHandler.h"
#include "gui/widgets/SmoothPanel.h"

void AttachTargetPickers(TTimerHandler* timer, QWidget* mainPanel, QWidget* buttonPanel) {
  QPointer<TTimerHandler> owner(timer);
  timer->OpenDevicePicker = [owner, mainPanel, buttonPanel](int room, int device) {
    if (!owner) return;
    auto* picker = owner->findChild<TSceneRuimteUIHandler*>(QString(), Qt::FindDirectChildrenOnly);
    if (!picker) {
      picker = new TSceneRuimteUIHandler(mainPanel, true, buttonPanel, owner.data());
      picker->SetTitles(GetText(TextId::TimerRooms), GetText(TextId::TimerDevices));
    }
    picker->Show(room, device, 0, [owner](int r, int d, int) {
      if (owner) owner->PickDevice(r, d);
    });
  };
  timer->OpenScenePicker = [owner, mainPanel, buttonPanel](int scene) {
    if (!owner) return;
    auto* picker = owner->findChild<TScenesOverzichtHandler*>(QString(), Qt::FindDirectChildrenOnly);
    if (!picker) {
      picker = new TScenesOverzichtHandler(mainPanel, true, buttonPanel, owner.data());
      picker->ScenePanel()->setCaption(GetText(TextId::TimerScenes));
    }
    picker->Show(scene, [owner](int k) {
      if (owner) owner->PickScene(k);
    });
  };
}
