#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "gui/common/ContentScreen.h"

class TImage;
class TLabel;
class TRuimteUIHandler;
class TSceneInhoudHandler;
class TScenesOverzichtButHandler;
class TScenesOverzichtHandler;
class TSmoothPanel;
class TTileKeys;
class TTimerHandler;
namespace Ui {
class TfrmScenesOverzicht;
}

// The overview's design: pnl16Scenes (598 x 504) with 16 scene tiles of
// 130 x 116 at x 16, 161, 307, 453 and y 36, 153, 270, 387; tile n has its
// picture imgSn, its number lblNrn (18 high, at the top) and its name lblSn
// (36 high, centred below). Every part of tile n carries Tag n - 1.
class TfrmScenesOverzicht : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmScenesOverzicht(QWidget* parent = nullptr);
  ~TfrmScenesOverzicht() override;
  Ui::TfrmScenesOverzicht* ui;
};

// One scene tile.
class TSceneUI {
 public:
  TSceneUI(TImage* picture, TLabel* number, TLabel* name);
  // Selected: the scene-selected picture and white texts; else the
  // scene-not-selected picture and black texts.
  void SetSelected(bool selected);
  bool IsSelected() const { return selected_; }

  TImage* Picture;
  TLabel* Number;
  TLabel* Name;

 private:
  bool selected_ = false;
};

// The 16 scenes as a 4 x 4 grid. Overview mode (the home screen's
// "scenes"): a click selects a scene, "execute" runs it on the box, "timer"
// opens its timer programme and a double-click opens its content. Select
// mode (for the timer screen): only scenes with items can be selected, and
// "OK" hands the chosen scene to the opener.
class TScenesOverzichtHandler : public TContentScreen {
  Q_OBJECT
 public:
  using SelectCallback = std::function<void(int scene)>;

  TScenesOverzichtHandler(QWidget* mainPanel, bool selectMode, QWidget* buttonPanel,
                          QObject* parent = nullptr);
  ~TScenesOverzichtHandler() override;

  // Shows the grid with `scene` (0..15) selected; `onSelect` receives the
  // chosen scene on OK (select mode). Names are read afresh.
  void Show(int scene, SelectCallback onSelect = {});
  void Hide();

  // A click on any part of a tile (sender carries the scene index).
  void SelectScene(QObject* sender);
  // Double-click (overview mode): the scene's content screen.
  void OpenContent(QObject* sender);
  // "execute": after the connection check, the box's scene table is made
  // equal to the installation's ('c' reads, 'C' only when it differs) and
  // the selected scene runs ('S').
  void Execute();
  // "timer": the timer programme screen for target 17 + scene.
  void OpenTimerForScene();
  // "OK" (select mode): the callback gets the selected scene; then hides.
  void OK();

  bool IsSelectMode() const { return selectMode_; }
  int SelectedScene() const { return selected_; }
  TSceneUI* Tile(int scene) const { return tiles_[scene].get(); }
  TScenesOverzichtButHandler* Buttons() const { return buttons_.get(); }
  TfrmScenesOverzicht* Design() const { return form_; }
  TSmoothPanel* ScenePanel() const;
  // Built on the first double-click.
  TSceneInhoudHandler* Content() const { return content_.get(); }
  // Built on the first "timer".
  TTimerHandler* Timer() const { return timer_.get(); }

 private:
  TScenesOverzichtHandler(QWidget* mainPanel, bool selectMode, QWidget* buttonPanel, QObject* parent,
                          TfrmScenesOverzicht* form);
  void MoveSelection(int scene);
  bool SelectSceneAt(int scene);
  void RefreshName(int scene);

  QWidget* buttonPanel_;
  TfrmScenesOverzicht* form_;
  std::array<std::unique_ptr<TSceneUI>, 16> tiles_;
  std::unique_ptr<TScenesOverzichtButHandler> buttons_;
  std::unique_ptr<TSceneInhoudHandler> content_;
  std::unique_ptr<TTimerHandler> timer_;
  std::unique_ptr<TTileKeys> keys_;
  int selected_ = 0;
  bool selectMode_;
  SelectCallback onSelect_;
};

// Gives the home screen its "scenes": the overview is built on the first
// press and kept (owned by the home screen) for the rest of the run.
void AttachScenesOverview(TRuimteUIHandler* home, QWidget* mainPanel, QWidget* buttonPanel);
