#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QWidget;
class TContentScreen;
class TImage;
class TIndicatorHandler;
class TLabel;
class TRuimteAppButHandler;
class TRuimteApparaat;
class TSceneAppUIHandler;
class TSceneSamenstellenUIHandler;
class TSmoothPanel;

// One tile of the composition screen: background 130 x 198, picture
// 130 x 80, caption; on the device row in item mode also the LED strip.
class TSceneSamenstellenUI {
 public:
  TSceneSamenstellenUI(TSceneSamenstellenUIHandler* owner, TImage* background, TImage* picture,
                       TLabel* caption, TImage* led);
  // Selected: shared picture 1 and a white caption; else picture 2, black.
  void SetSelected(bool selected);
  bool IsSelected() const { return selected_; }
  // The LED strip (when the tile has one) by action: 0 red, 17 or more
  // green, else yellow; no value: all off.
  void SetLed(std::optional<int> action);

  TSceneSamenstellenUIHandler* Owner;
  TImage* Background;
  TImage* Picture;
  TLabel* Caption;
  TImage* Led;  // null without LEDs

 private:
  bool selected_ = false;
};

// One row of the composition screen (rooms or the devices of one room): four
// tiles a page, up to four pages. Unlike the home screen the blank slot after
// the last item cannot be chosen, and nothing is ever changed here: the
// choice only goes back through the result callback.
class TSceneSamenstellenUIHandler : public QObject {
  Q_OBJECT
 public:
  // (room index, device index, action: 0 off, 1..16 dim level, 17 on)
  using ResultCallback = std::function<void(int room, int device, int action)>;

  ~TSceneSamenstellenUIHandler() override;

  // Moves the highlight to the sender's tile when it holds an item.
  virtual void SelectTile(QObject* sender);
  virtual int ItemCount() const = 0;
  // Fills the four tiles from item `first` on.
  virtual void FillTiles(int first) = 0;
  // Every tile takes the unselected look.
  virtual void Close();

  // Shows `page` (0..3); a changed page selects its first tile.
  void ShowPage(int page);
  int CurrentPage() const;
  // Current page x 4 + selected position.
  int AbsoluteIndex() const;
  int SelectedPosition() const { return selected_; }
  bool IsTargetMode() const { return targetMode_; }
  TSceneSamenstellenUI* Tile(int position) const { return tiles_[position].get(); }
  TIndicatorHandler* Indicator() const { return indicator_.get(); }
  TRuimteApparaat* Design() const { return form_; }
  TSmoothPanel* Panel() const;

 protected:
  TSceneSamenstellenUIHandler(QWidget* mainPanel, QWidget* buttonPanel, bool targetMode,
                              TRuimteApparaat* form);
  void AddTile(int position, TImage* background, TImage* picture, TLabel* caption, TImage* led);
  // The sender's tile shows an item of this row.
  bool HoldsItem(QObject* sender) const;
  // Draws picture `index` of the room (or device) picture list; clears for -1.
  void DrawPicture(TImage* target, int index, bool room) const;

  QWidget* mainPanel_;
  QWidget* buttonPanel_;
  ResultCallback result_;
  bool targetMode_;
  TRuimteAppButHandler* buttons_ = nullptr;  // the room row's, shared
  int selected_ = 0;
  TRuimteApparaat* form_;
  std::unique_ptr<TIndicatorHandler> indicator_;
  std::array<std::unique_ptr<TSceneSamenstellenUI>, 4> tiles_;
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

  // Base, then shows the devices of the chosen room.
  void SelectTile(QObject* sender) override;
  int ItemCount() const override;
  void FillTiles(int first) override;
  // Closes the screen: tiles unselected, panel and column hidden.
  void Close() override;
  // "OK": reports (room, device, action) and closes.
  void OK();

  // Row titles; "scene: rooms" and "scene: devices" unless set.
  void SetTitles(const QString& rooms, const QString& devices);

  bool IsShown() const;
  TSceneAppUIHandler* Devices() const { return apps_.get(); }
  TRuimteAppButHandler* Buttons() const { return ownedButtons_.get(); }

 private:
  std::unique_ptr<TContentScreen> screen_;
  std::unique_ptr<TRuimteAppButHandler> ownedButtons_;
  std::unique_ptr<TSceneAppUIHandler> apps_;
};

// The device row of the shown room, with the action chosen for the device.
class TSceneAppUIHandler : public TSceneSamenstellenUIHandler {
  Q_OBJECT
 public:
  TSceneAppUIHandler(QWidget* mainPanel, QWidget* buttonPanel, bool targetMode, TRuimteApparaat* form,
                     TRuimteAppButHandler* buttons);
  ~TSceneAppUIHandler() override;

  // Base, then the action: the opening item's action again on the device
  // index first selected after Show (in any room), else off; then the
  // buttons follow the selected device.
  void SelectTile(QObject* sender) override;
  int ItemCount() const override;
  void FillTiles(int first) override;

  // The action buttons (item mode).
  void ActionOn();
  void ActionOff();
  void ActionDim();
  void DimDown();
  void DimUp();

  int Room() const { return room_; }
  int Action() const { return action_; }
  int RememberedPosition() const { return remembered_; }

 private:
  friend class TSceneRuimteUIHandler;
  // The opening action on the selected tile's LED (none when the opening
  // item named no device); a dim level also goes to LDimmer.
  void DrawOpeningAction();
  void UpdateButtons();
  int DimLevel() const;
  void SetDimLevel(int level);

  int room_ = 0;
  int remembered_ = -1;
  int openRoom_ = -1, openDevice_ = -1, openAction_ = 0;
  int action_ = 0;
};
