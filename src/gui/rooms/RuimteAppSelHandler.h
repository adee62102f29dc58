#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "gui/common/ContentScreen.h"

class QTimer;
class TImagePickerHandler;
class TImageList;
class TIndicatorHandler;
class TRuimteAppSelButHandler;
class TTileKeys;
class TYesNo;
namespace Ui {
class TfrmRuimteAppSel;
}

// The form of the room/device editor: AdvSmoothPanel1 (598 x 504) with the
// library pictures, the preview, the name box and the dimmer and code-wheel
// choices. timerLeren drives code learning (750 ms, off at creation).
class TfrmRuimteAppSel : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmRuimteAppSel(QWidget* parent = nullptr);
  ~TfrmRuimteAppSel() override;

  const std::unique_ptr<Ui::TfrmRuimteAppSel> ui;
  QTimer* timerLeren;
};

// The editor in which one room or device is named, given a picture from the
// library and, for a device, typed (dimmer or not, code wheels or a learned
// code); it also teaches a receiver its code. The result goes to the opener
// through the store callback; the editor never writes the installation.
class TRuimteAppSelHandler : public TContentScreen {
  Q_OBJECT
 public:
  // Called once on a valid OK. pictureIndex -1 with an empty name means
  // "delete the item". pictureIndex is an index into the per-item list when
  // pictureChanged is false, else an index into the library list.
  using StoreCallback = std::function<void(const QString& name, int pictureIndex, int code, bool hasCodeWheel,
                                           bool dimmable, bool pictureChanged)>;

  // The button column goes on buttonPanel, the editor panel (AdvSmoothPanel1)
  // on mainPanel.
  // Fills an empty RuimteImageList / AppImageList of the installation from
  // the built-in picture sets.
  TRuimteAppSelHandler(bool isRoom, QWidget* buttonPanel, QWidget* mainPanel);
  ~TRuimteAppSelHandler() override;

  // Opens the editor. pictureIndex indexes the per-item list (-1 = none);
  // code 0..255 or -1 = none.
  void Edit(const QString& name, int pictureIndex, StoreCallback store, int code, bool hasCodeWheel,
            bool deleteAllowed, bool dimmable);

  // Button actions (also reachable by the buttons of the column).
  void Cancel();
  void OK();
  void Delete();
  void Learn();
  // One 750 ms step of learning.
  void LearnTick();
  void StopLearning();

  // Result of the image picker: the bitmap (any size; made 130 x 80, 24 bit)
  // replaces the library picture at the picture index at once, and becomes
  // the preview. Its transparent colour is `transparent` when given (the
  // margins the picture loader leaves), else a colour it does not use. Does
  // nothing without a picked library picture (picture index -1 or not
  // changed).
  void LibraryPictureChosen(const QImage& bitmap, std::optional<QRgb> transparent = std::nullopt);

  // State, for the owner and tests.
  bool IsOpen() const;
  bool IsLearning() const;
  int LearnTickCount() const { return learnTicks_; }
  int Code() const { return code_; }
  bool Dimmable() const { return dimmable_; }
  bool HasCodeWheel() const { return hasCodeWheel_; }
  int PictureIndex() const { return pictureIndex_; }
  bool PictureChanged() const { return pictureChanged_; }
  int CurrentPage() const;

  TfrmRuimteAppSel* Form() const { return form_; }
  TRuimteAppSelButHandler* Buttons() const { return buttons_.get(); }
  TImagePickerHandler* Picker() const { return picker_.get(); }

  // The most characters the name box takes.
  static constexpr int NameMaxLength = 20;
  static constexpr int LearnInterval = 750;  // ms
  static constexpr int LearnTicks = 400;     // learning ends after this many ticks

 private:
  void DrawPage(int page);
  void PageDotClick(QObject* sender);
  void PickPicture(QObject* sender);
  bool PickAt(int position);
  bool TurnLibraryPage(int step);
  void Browse(QObject* sender);
  void NameChanged(const QString& text);
  void DimChoice(bool yes);
  void CodeWheelChoice(bool yes);
  void CodeBoxChanged();
  void SetLearnState(int state);
  // Learning time left as m:ss.
  QString LearnTimeLeft() const;
  void MarkPicked();
  void SetFrameColour(const QColor& c);
  void SetNameBoxColour(const QColor& c);

  bool blinkPhase_ = false;
  bool pictureChanged_ = false;
  QColor normalEditColour_;
  QColor normalFrameColour_;
  StoreCallback store_;
  TfrmRuimteAppSel* const form_;  // owned by the screen
  bool isRoom_;
  bool dimmable_ = false;
  bool hasCodeWheel_ = false;
  int code_ = -1;
  TImageList* library_ = nullptr;
  int learnTicks_ = 0;
  TImageList* perItem_ = nullptr;
  int pictureIndex_ = -1;
  std::unique_ptr<TIndicatorHandler> indicator_;
  std::unique_ptr<TYesNo> dimChoice_;        // imgDimJa / imgDimNee
  std::unique_ptr<TYesNo> codeWheelChoice_;  // imgCodeSchijfJa / imgCodeSchijfNee
  std::unique_ptr<TImagePickerHandler> picker_;
  QWidget* pickedMark_ = nullptr;
  int currentPage_ = 0;  // library page drawn  // ring around the picked library picture
  std::unique_ptr<TRuimteAppSelButHandler> buttons_;
  std::unique_ptr<TTileKeys> keys_;  // the library pictures
};
