#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "gui/common/ContentScreen.h"
#include "gui/common/TileCaption.h"
#include "gui/common/TileRow.h"

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

// The design of the home screen and of the scene composition:
// pnlRuimteApparaat (598 x 504) with the room row (page dots imgPIR1..4,
// title lblRuimtes, tiles imgBGR/imgR/lblR 1..4) and the device row
// (imgPIA1..4, lblApparaten, imgBGA/imgA/lblA 1..4, LED strips imgLeds1..4,
// hidden). Tiles stand at x 15, 161, 307, 453.
class TRuimteApparaat : public QWidget {
  Q_OBJECT
 public:
  explicit TRuimteApparaat(QWidget* parent = nullptr);
  ~TRuimteApparaat() override;

  // Puts the room row's tiles and dots into `row`.
  void AddRoomRow(TTileRow& row) const;
  // Puts the device row's tiles and dots into `row`; with `leds` each tile
  // has its LED strip.
  void AddDeviceRow(TTileRow& row, bool leds) const;

  const std::unique_ptr<Ui::TRuimteApparaat> ui;
};

// A home-screen tile; the tile component of every screen.
using TRuimteAppUI = TTile;

// One row of four tiles, paged four items at a time, with the one blank slot
// after the last item selectable (a double-click there opens the editor to
// add an item).
class TRuimteAppUIHandler {
 public:
  virtual ~TRuimteAppUIHandler();

  virtual int ItemCount() const = 0;
  // The editor's result for the item at AbsoluteIndex; pictureIndex -1
  // deletes it. pictureIndex is a library index when pictureChanged, else the
  // item's own index in the per-item list.
  virtual void StoreItem(const QString& name, int pictureIndex, int code, bool hasCodeWheel, bool dimmable,
                         bool pictureChanged) = 0;
  virtual void DeleteItem(int index) = 0;

  // As a click on the sender's tile.
  void TileClick(QObject* sender);
  // Current page x 4 + selected position.
  int AbsoluteIndex() const;
  // Shows `page` (0..3); changing page selects its tile 0.
  void ShowPage(int page);
  int CurrentPage() const;
  int SelectedPosition() const;

  TTile* Tile(int position) const;
  TIndicatorHandler* Indicator() const;
  TTileRow* Row() const { return row_.get(); }
  // The editor screen, built on first use.
  TRuimteAppSelHandler* Editor() const;
  TRuimteApparaat* Form() const { return form_; }
  TSmoothPanel* Panel() const;
  bool IsRoom() const { return isRoom_; }

 protected:
  TRuimteAppUIHandler(bool isRoom, QWidget* mainPanel, QWidget* buttonPanel, TRuimteApparaat* form);

  // Draws item `index` into its tile.
  virtual void FillTile(TTile& tile, int index) = 0;
  // Opens the editor for the item (or blank slot) at AbsoluteIndex.
  virtual void OpenEditor() = 0;

  // The library and the per-item picture list, as the installation holds them now.
  TImageList* Library() const;
  TImageList* PerItem() const;
  // Item `imageIndex` of the per-item list as drawn (null for -1).
  QImage DrawnPicture(int imageIndex) const;
  // The editor's store callback, bound to this controller's StoreItem.
  std::function<void(const QString&, int, int, bool, bool, bool)> StoreCallback();

  QWidget* mainPanel_;
  QWidget* buttonPanel_;
  mutable std::unique_ptr<TRuimteAppSelHandler> editor_;
  std::unique_ptr<TTileRow> row_;
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

  int ItemCount() const override;
  void StoreItem(const QString& name, int pictureIndex, int code, bool hasCodeWheel, bool dimmable,
                 bool pictureChanged) override;
  // Rooms after `index` move down one slot; scene items and timer entries of
  // those rooms follow them, and any that still name the deleted room go.
  void DeleteItem(int index) override;

  // Puts the screen on the main panel and the column on the button panel.
  void Show();

  // The exit sequence: save (asking to retry or leave when a file cannot be
  // written; a successful save removes the recovery copy), offer to send the
  // installation when the box differs, then end. Escape or closing that
  // question returns to the program without ending or sending.
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

 protected:
  void FillTile(TTile& tile, int index) override;
  void OpenEditor() override;

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

  int ItemCount() const override;
  void StoreItem(const QString& name, int pictureIndex, int code, bool hasCodeWheel, bool dimmable,
                 bool pictureChanged) override;
  // Drops the device's scene items and timer entries, renumbers those of the
  // later devices of the room and moves the later devices up one slot.
  void DeleteItem(int index) override;

  // Dimmer buttons follow Dimbaar, LDimmer shows DimNiveau; on, off and timer
  // are enabled for a device with a picture.
  void UpdateButtons();

  // Switch reports for the selected device, each after the connection and code
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

  // The last command sent to a device this run, as its LED strip shows it:
  // 0 off, 17 on, 1..16 the dim level; none before the first.
  std::optional<int> LastSent(int room, int device) const;
  // Forgets the commands of room `room` (deleted; later rooms move down one
  // slot) or of every room (room -1: the installation was replaced).
  void ForgetRoom(int room);

 protected:
  void FillTile(TTile& tile, int index) override;
  void OpenEditor() override;

 private:
  // The selected device of the shown room, or null when there is none.
  TApparaat* SelectedDevice() const;
  // Sends the switch report; once written, the device's tile shows `shown`
  // (0 off, 17 on, 1..16 dim level) on its LED strip.
  void Send(uint8_t (*actionByte)(const TApparaat&), int shown);

  int room_ = 0;
  std::map<std::pair<int, int>, int> sent_;  // (room, device) -> shown action
  TRuimteUIHandler* owner_;
};
