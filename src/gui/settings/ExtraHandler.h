#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "core/settings/Location.h"
#include "gui/common/ButtonColumn.h"
#include "gui/common/ContentScreen.h"

class QLineEdit;
class TGradBtn;
class TImage;
class TRuimteUIHandler;
namespace Ui {
class TfrmExtra;
class TfrmExtraBut;
}  // namespace Ui

// The settings screen's design: pnlExtra (598 x 504) with the location block
// pnlLocatie (country, city, coordinates, today's sun times), the choices
// pnlOpties (code wheels, hints, language, version) and the settings sets
// pnlSets (load and store).
class TfrmExtra : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmExtra(QWidget* parent = nullptr);
  ~TfrmExtra() override;
  Ui::TfrmExtra* ui;
};

// The settings screen's column design: ButExit (y 0), ButOK (45), butNaarKLV (123).
class TfrmExtraBut : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmExtraBut(QWidget* parent = nullptr);
  ~TfrmExtraBut() override;
  Ui::TfrmExtraBut* ui;
};

// Captions "cancel", "OK", "Send to KLV"; each shows once the screen binds it.
class TExtraButHandler : public TButtonColumn {
  Q_OBJECT
 public:
  explicit TExtraButHandler(QWidget* buttonPanel);
  ~TExtraButHandler() override;
  TGradBtn *ButExit, *ButOK, *butNaarKLV;
};

// The settings screen: location with today's sun times, code wheels, hints,
// language, settings sets and sending everything to the box. Created anew
// for every visit by the home screen's "extra". Edits of location, code
// wheels and hints stay here until OK.
class TExtraHandler : public TContentScreen {
  Q_OBJECT
 public:
  // Called by OK with SetLoaded.
  using CloseCallback = std::function<void(bool setLoaded)>;

  // Builds the screen (and the "config" folder) on the two panels.
  TExtraHandler(QWidget* contentPanel, QWidget* buttonPanel, QObject* parent = nullptr);
  ~TExtraHandler() override;

  // Fills the screen from the installation and shows it.
  void Show(CloseCallback onClose);

  // OK: refused while a coordinate is invalid. Stores the edits, calls the
  // close callback, sends everything when a box is connected and hides; a
  // changed language is saved and the program restarts in it.
  void OK();
  // Undoes the visit's loads (set "previous configuration") and hides.
  void Cancel();
  // Sends the installation (not the edits) after the connection check.
  void Send();
  // The load and store buttons.
  void LoadClick();
  void StoreClick();
  // False, after telling the user why, when nothing was loaded or stored.
  bool LoadSettingsSet(const QString& name);
  // Stores the installation with the screen's edits of location, code
  // wheels and hints as set `name`.
  bool SaveSettingsSet(const QString& name);

  void OldModelChoice(bool yes);
  void HintsChoice(bool yes);
  void CountryChange();
  void CityChange();
  void CoordinateChange();

  // True when the four coordinate edits hold valid values.
  bool CoordinatesValid() const;

  bool SetLoaded = false;
  TLocation Location;  // the last valid place the edits gave
  uint8_t OldModel = 0;
  uint8_t ShowHints = 1;

  // The clock and time zone the sun times are shown for (tests set them).
  std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };
  QTimeZone Zone = QTimeZone::systemTimeZone();
  // Pause after sending and after storing or loading a set, in ms.
  int PauseMs = 1000;
  // Starts the program anew after a language change; false when it could not.
  std::function<bool()> Restart;

  Ui::TfrmExtra* ui() const { return form_->ui; }
  TExtraButHandler* Buttons() const { return buttons_.get(); }

 private:
  TExtraHandler(QWidget* contentPanel, QWidget* buttonPanel, TfrmExtra* form, QObject* parent);
  void FillFromInstallation();
  void DrawChoices();
  void ShowSunTimes();
  void SetEditValid(QLineEdit* edit, bool valid);
  void Message(const QString& line1, const QString& line2);
  void Pause() const;
  QWidget* DialogParent() const;

  TfrmExtra* form_;
  std::unique_ptr<TExtraButHandler> buttons_;
  CloseCallback onClose_;
  bool filling_ = false;
};

// Hooks the settings screen to the home screen's "extra": each press builds
// a new screen (the one before goes), and its OK redraws the home screen.
void AttachSettingsScreen(TRuimteUIHandler* home, QWidget* mainPanel, QWidget* buttonPanel);
