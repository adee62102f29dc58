#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "gui/common/ContentScreen.h"
#include "gui/common/TileCaption.h"

class QObject;
class TAppUIHandler;
class TImage;
class TImageList;
class TIndicatorHandler;
class TLabel;
class TRuimteAppButHandler;
class TRuimteAppSelHandler;
class TRuimteAppUIHandler;
class TSmoothPanel;
struct TApparaat;
struct TRuimte;
namespace Ui {
class TRuimteApparaat;
}

// The home screen's design: pnlRuimteApparaat (598 x 504) with the room row
// (page dots imgPIR1..4, title lblRuimtes, tiles imgBGR/imgR/lblR 1..4) and
// the device row (imgPIA1..4, lblApparaten, imgBGA/imgA/lblA 1..4, the unused
// LED strips imgLeds1..4). Tiles stand at x 15, 161, 307, 453; every part of
// tile i carries Tag i.
class TRuimteApparaat : public QWidget {
  Q_OBJECT
 public:
  explicit TRuimteApparaat(QWidget* parent = nullptr);
  ~TRuimteApparaat() override;
  const std::unique_ptr<Ui::TRuimteApparaat> ui;
};

// One tile: background 130 x 198, picture 130 x 80, caption 130 x 36.
class TRuimteAppUI {
 public:
  TRuimteAppUI(TRuimteAppUIHandler* owner, TImage* background, TImage* picture, TLabel* caption,
               TImage* led = nullptr);

  // Selected: shared picture 1 and white caption; else picture 2, black.
  void SetSelected(bool selected);
  bool IsSelected() const { return selected_; }

  TRuimteAppUIHandler* Owner;
  TImage* Background;
  TImage* Picture;
  TLabel* Caption;
  TImage* Led;  // null on the home screen

 private:
  bool selected_ = false;
};

// One row of four tiles, paged four items at a time, with the one blank slot
// after the last item selectable (a double-click there adds an item).
class TRuimteAppUIHandler {
 public:
  virtual ~TRuimteAppUIHandler();

  // Accepts the tile whose Tag `sender` carries when its absolute index is
  // at most ItemCount (a used item or the first blank slot); otherwise keeps
  // the old selection and answers false.
  virtual bool SelectTile(QObject* sender);
  // Moves the highlight to the sender's tile when SelectTile accepts it.
  virtual void TileClick(QObject* sender);
  // Opens the editor for the sender's tile.
  virtual void TileDblClick(QObject* sender) = 0;
  virtual int ItemCount() const = 0;
  // The editor's result for the item at AbsoluteIndex; pictureIndex -1
  // deletes it. pictureIndex is a library index when pictureChanged, else the
  // item's own index in the per-item list.
  virtual void StoreItem(const QString& name, int pictureIndex, int code, bool hasCodeWheel, bool dimmable,
                         bool pictureChanged) = 0;
  virtual void DeleteItem(int index) = 0;
  // Fills the four tiles from item `first` on.
  virtual void FillTiles(int first) = 0;

  // Current page x 4 + selected position.
  int AbsoluteIndex() const;
  // Shows `page` (0..3); changing page selects its tile 0.
  void ShowPage(int page);
  int CurrentPage() const;
  int SelectedPosition() const { return selected_; }

  TRuimteAppUI* Tile(int position) const { return tiles_[position].get(); }
  TIndicatorHandler* Indicator() const { return indicator_.get(); }
  TRuimteAppSelHandler* Editor() const { return editor_.get(); }
  TRuimteApparaat* Form() const { return form_; }
  TSmoothPanel* Panel() const;
  bool IsRoom() const { return isRoom_; }

 protected:
  friend class TRuimteUIHandler;  // drives the device row's page and looks
  TRuimteAppUIHandler(bool isRoom, QWidget* mainPanel, QWidget* buttonPanel, TRuimteApparaat* form);

  void AddTile(int position, TImage* background, TImage* picture, TLabel* caption);
  // The library and the per-item picture list, as the installation holds them now.
  TImageList* Library() const;
  TImageList* PerItem() const;
  // Draws item `index` of the per-item list into a tile picture (clears it for -1).
  void DrawPicture(TImage* target, int imageIndex) const;
  // The editor's store callback, bound to this controller's StoreItem.
  std::function<void(const QString&, int, int, bool, bool, bool)> StoreCallback();

  QWidget* mainPanel_;
  QWidget* buttonPanel_;
  std::unique_ptr<TRuimteAppSelHandler> editor_;
  std::unique_ptr<TIndicatorHandler> indicator_;
  std::array<std::unique_ptr<TRuimteAppUI>, 4> tiles_;
  int selected_ = 0;
  bool isRoom_;
  TRuimteApparaat* form_;
};

// The home screen: the room row, the device row of the selected room and the
// button column. Lives for the whole run.
class TRuimteUIHandler : public TContentScreen, public TRuimteAppUIHandler {
  Q_OBJECT
 public:
  using TRuimteAppUIHandler::Form;
  using TRuimteAppUIHandler::Panel;

  TRuimteUIHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent = nullptr);
  ~TRuimteUIHandler() override;

  void TileClick(QObject* sender) override;
  void TileDblClick(QObject* sender) override;
  int ItemCount() const override;
  void StoreItem(const QString& name, int pictureIndex, int code, bool hasCodeWheel, bool dimmable,
                 bool pictureChanged) override;
  // Rooms after `index` move down one slot; scene items and timer entries of
  // those rooms follow them, and any that still name the deleted room go.
  void DeleteItem(int index) override;
  void FillTiles(int first) override;

  // Puts the screen on the main panel and the column on the button panel.
  void Show();

  // The exit sequence: save (asking to retry or leave when a file cannot be
  // written), offer to send the installation when the box differs, then end.
  void ExitProgram();

  // After the settings screen closed: with `changed` both rows are redrawn
  // from page 0 (the installation may have been replaced); the hint follows
  // ShowHints in any case.
  void SettingsClosed(bool changed);

  TAppUIHandler* Devices() const { return apps_.get(); }
  TRuimteAppButHandler* Buttons() const { return buttons_.get(); }

  // Screens not built yet attach here; while unset their buttons open nothing.
  std::function<void()> OpenScenes;
  std::function<void(int room, int device)> OpenTimer;
  std::function<void()> OpenExtra;

  // Ends the program (QCoreApplication::exit) unless replaced (tests).
  std::function<void()> Terminate;
  // Pause after sending everything at exit, in milliseconds.
  int SendPauseMs = 1000;

 private:
  friend class TAppUIHandler;
  void ShowDevicesOf(int room);
  void ApplyHint();

  std::unique_ptr<TAppUIHandler> apps_;
  std::unique_ptr<TRuimteAppButHandler> buttons_;
};

// The device row: the devices of one room, and the switch and dim commands
// for the selected device.
class TAppUIHandler : public TRuimteAppUIHandler {
 public:
  TAppUIHandler(TRuimteUIHandler* owner, QWidget* mainPanel, QWidget* buttonPanel, TRuimteApparaat* form);
  ~TAppUIHandler() override;

  // Refused while the shown room slot is empty.
  bool SelectTile(QObject* sender) override;
  void TileClick(QObject* sender) override;
  void TileDblClick(QObject* sender) override;
  int ItemCount() const override;
  void StoreItem(const QString& name, int pictureIndex, int code, bool hasCodeWheel, bool dimmable,
                 bool pictureChanged) override;
  // Drops the device's scene items and timer entries, renumbers those of the
  // later devices of the room and moves the later devices up one slot.
  void DeleteItem(int index) override;
  void FillTiles(int first) override;

  // Dimmer buttons follow Dimbaar, LDimmer shows DimNiveau; on, off and timer
  // are enabled for a device with a picture.
  void UpdateButtons();

  // 'Z' reports for the selected device, each after the connection and code
  // checks: on 0x22 / 0x23 (code wheel / learned code), off 0x00 / 0x01,
  // dim DimNiveau x 2 + 1.
  void SwitchOn();
  void SwitchOff();
  void SwitchDim();
  // With a box connected: the level one step down (not below 1) or up (not
  // above 16), stored and shown; then the dim command in any case.
  void DimDown();
  void DimUp();

  int Room() const { return room_; }
  void SetRoom(int room) { room_ = room; }

 private:
  // The selected device of the shown room, or null when there is none.
  TApparaat* SelectedDevice() const;
  void Send(uint8_t (*actionByte)(const TApparaat&));

  int room_ = 0;
  TRuimteUIHandler* owner_;
};
