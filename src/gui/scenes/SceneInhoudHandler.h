#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "core/model/LoadSave.h"
#include "gui/common/ContentScreen.h"

class QLineEdit;
class TImage;
class TIndicatorHandler;
class TLabel;
class TRuimteAppSelButHandler;
class TSceneRuimteUIHandler;
class TTileKeys;
class TSmoothPanel;
namespace Ui {
class TfrmSceneInhoudInterface;
}

// The scene content design: pnlScene (598 x 504) with eight item tiles in two
// rows of four (x 15, 161, 307, 453; y 36 and 235), each 130 x 198 with, from
// the top, the room name lblSRn, the device picture imgSAn (130 x 80), the
// device name lblSAn and the LED strip imgSLn (64 x 16) on its background
// imgSIn; page dots imgPI1, imgPI2 at the top left; Label1 and the
// description box edtOmschrijving (at most 20 characters) at the bottom.
class TfrmSceneInhoudInterface : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmSceneInhoudInterface(QWidget* parent = nullptr);
  ~TfrmSceneInhoudInterface() override;
  Ui::TfrmSceneInhoudInterface* ui;
};

// One item tile. Every part carries the row index (0..7) as Tag.
class TSceneItemUI {
 public:
  TSceneItemUI(TImage* background, TLabel* room, TImage* picture, TLabel* device, TImage* led);
  void SetSelected(bool selected);
  bool IsSelected() const { return selected_; }
  // LED strip by action: 0 red, 17 green, 1..16 yellow; no value: all off.
  void SetLed(std::optional<int> action);

  TImage* Background;
  TLabel* Room;
  TImage* Picture;
  TLabel* Device;
  TImage* Led;

 private:
  bool selected_ = false;
};

// Edits one scene: its description and up to 16 items (a device and what the
// scene does with it), eight to a page. Works on a private copy of the scene
// that only OK writes back; cancel drops it. A double-click on an item or on
// the first blank tile opens the composition screen to choose the device and
// its action.
class TSceneInhoudHandler : public TContentScreen {
  Q_OBJECT
 public:
  static constexpr int RowsPerPage = 8;
  // Characters the description box takes; stored descriptions may be longer.
  static constexpr int DescriptionMaxLength = 20;

  TSceneInhoudHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent = nullptr);
  ~TSceneInhoudHandler() override;

  // Opens scene `scene` (0..15); `onClose` gets the scene number after OK.
  void Open(int scene, std::function<void(int scene)> onClose);

  // Shows page 0 or 1 of the items; a changed page selects its first row.
  void ShowPage(int page);
  // Click: selects a used item or the first blank row.
  void SelectRow(QObject* sender);
  // Double-click: selects, then opens the composition on that item.
  void ComposeItem(QObject* sender);
  // "delete": the selected item goes and the later ones move up.
  void DeleteItem();
  // "OK": a scene with items needs a description (else the box turns red and
  // keeps the focus); otherwise the copy replaces the installation's scene.
  void OK();
  // "cancel": closes; the copy is dropped.
  void Cancel();

  bool IsOpen() const { return IsShown(); }
  int SceneNumber() const { return scene_; }
  int SelectedRow() const { return selected_; }
  int CurrentPage() const;
  const TScene& WorkingCopy() const { return copy_; }
  TSceneItemUI* Row(int row) const { return rows_[row].get(); }
  TIndicatorHandler* Indicator() const { return indicator_.get(); }
  TRuimteAppSelButHandler* Buttons() const { return buttons_.get(); }
  TfrmSceneInhoudInterface* Design() const { return form_; }
  QLineEdit* DescriptionBox() const;
  TSmoothPanel* ScenePanel() const;
  // Built on the first double-click.
  TSceneRuimteUIHandler* Composition() const { return composition_.get(); }

 private:
  TSceneInhoudHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent,
                      TfrmSceneInhoudInterface* form);
  void FillRows(int first);
  void MoveSelection(int row);
  bool SelectRowAt(int row);
  void ComposeAt(int row);
  void DescriptionChanged(const QString& text);
  void SetCaption(const QString& description);
  void SetBoxColour(const QColor& colour);
  void Close();

  QWidget* buttonPanel_;
  std::function<void(int)> onClose_;
  int selected_ = 0;
  std::array<std::unique_ptr<TSceneItemUI>, RowsPerPage> rows_;
  TfrmSceneInhoudInterface* form_;
  std::unique_ptr<TRuimteAppSelButHandler> buttons_;
  TScene copy_;
  std::unique_ptr<TSceneRuimteUIHandler> composition_;
  std::unique_ptr<TTileKeys> keys_;
  int scene_ = 0;
  std::unique_ptr<TIndicatorHandler> indicator_;
};
