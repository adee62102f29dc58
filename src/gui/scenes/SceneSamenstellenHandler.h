#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "gui/common/TileRow.h"

class QWidget;
class TContentScreen;
class TIndicatorHandler;
class TRuimteAppButHandler;
class TRuimteApparaat;
class TSceneAppUIHandler;
class TSmoothPanel;

// A composition tile: background, picture, caption and, on the device row in
// item mode, the LED strip.
using TSceneSamenstellenUI = TTile;

// One row of the composition screen (rooms, or the devices of one room):
// four tiles a page, up to four pages. Unlike the home screen the blank slot
// after the last item cannot be chosen, and nothing is ever changed here: the
// choice only goes back through the result callback.
class TSceneSamenstellenUIHandler : public QObject {
  Q_OBJECT
 public:
  // (room index, device index, action: 0 off, 1..16 dim level, 17 on)
  using ResultCallback = std::function<void(int room, int device, int action)>;

  ~TSceneSamenstellenUIHandler() override;

  virtual int ItemCount() const = 0;
  // Draws item `index` into its tile.
  virtual void FillTile(TSceneSamenstellenUI& tile, int index) = 0;
  // After the row selected item `index` (a click, a page change or Show).
  virtual void TileSelected(int index) = 0;
  // Every tile takes the unselected look.
  virtual void Close();

  // Shows `page` (0..3); a changed page selects its first tile.
  void ShowPage(int page) { row_.ShowPage(page); }
  int CurrentPage() const { return row_.CurrentPage(); }
  // Current page x 4 + selected position.
  int AbsoluteIndex() const { return row_.AbsoluteIndex(); }
  int SelectedPosition() const { return row_.SelectedPosition(); }
  bool IsTargetMode() const { return targetMode_; }
  TSceneSamenstellenUI* Tile(int position) const { return row_.Tile(position); }
  TIndicatorHandler* Indicator() const { return row_.Indicator(); }
  TTileRow& Row() { return row_; }
  TRuimteApparaat* Design() const { return form_; }

 protected:
  TSceneSamenstellenUIHandler(bool targetMode, TRuimteApparaat* form);

  bool targetMode_;
  TRuimteApparaat* form_;
  TTileRow row_;
};

// The room row; owns the screen (its own TRuimteApparaat form and
// TRuimteAppButHandler column) and the device row.
//
// Item mode (the scene content's picker): the device tiles show the chosen
// action as an LED and "on", "off", "dim value", "--", "+" choose it; they
// send nothing to the box. Target mode (the timer screen's picker): only
// "back" and "OK"; only the device is chosen.
class TSceneRuimteUIHandler : public TSceneSamenstellenUIHandler {
  Q_OBJECT
 public:
  TSceneRuimteUIHandler(QWidget* mainPanel, bool targetMode, QWidget* buttonPanel, QObject* parent = nullptr);
  ~TSceneRuimteUIHandler() override;

  // Opens on the item (room, device, action; -1 = not chosen yet: room 0 and
  // device 0 are shown). `onResult` gets the choice on OK; "back" reports
  // nothing.
  void Show(int room, int device, int action, ResultCallback onResult);

  int ItemCount() const override;
  void FillTile(TSceneSamenstellenUI& tile, int index) override;
  // Shows the devices of the chosen room.
  void TileSelected(int index) override;
  // Closes the screen: tiles unselected, panel and column hidden.
  void Close() override;
  // "OK": reports (room, device, action) and closes.
  void OK();

  // Row titles; "scene: rooms" and "scene: devices" unless set.
  void SetTitles(const QString& rooms, const QString& devices);

  bool IsShown() const;
  TSceneAppUIHandler* Devices() const { return apps_.get(); }
  TRuimteAppButHandler* Buttons() const { return buttons_.get(); }
  TSmoothPanel* Panel() const;

 private:
  void ShowDevicesOf(int room);

  ResultCallback result_;
  std::unique_ptr<TContentScreen> screen_;
  std::unique_ptr<TRuimteAppButHandler> buttons_;
  std::unique_ptr<TSceneAppUIHandler> apps_;
};

// The device row of the shown room, with the action chosen for the device.
class TSceneAppUIHandler : public TSceneSamenstellenUIHandler {
  Q_OBJECT
 public:
  TSceneAppUIHandler(bool targetMode, TRuimteApparaat* form, TRuimteAppButHandler* buttons);
  ~TSceneAppUIHandler() override;

  int ItemCount() const override;
  void FillTile(TSceneSamenstellenUI& tile, int index) override;
  // The action: the opening item's again on the device index first selected
  // after Show (in any room), else off; then the buttons follow the device.
  void TileSelected(int index) override;

  // The action buttons (item mode).
  void ActionOn();
  void ActionOff();
  void ActionDim();
  void DimDown();
  void DimUp();

  // Dimmer buttons follow Dimbaar; on, off and OK need a device with a
  // picture (an empty slot cannot be chosen).
  void UpdateButtons();

  int Room() const { return room_; }
  int Action() const { return action_; }
  int RememberedPosition() const { return remembered_; }

 private:
  friend class TSceneRuimteUIHandler;
  // The opening action on the selected tile's LED (none when the opening
  // item named no device); a dim level also goes to LDimmer.
  void DrawOpeningAction();
  void SetAction(int action);
  int DimLevel() const;
  void SetDimLevel(int level);

  TRuimteAppButHandler* buttons_;
  int room_ = 0;
  int remembered_ = -1;
  int openDevice_ = -1, openAction_ = 0;
  int action_ = 0;
};
