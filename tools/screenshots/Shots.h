#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QWidget;
class TMainForm;
class TRuimteUIHandler;

// The folder the pictures go to, and what became of each.
class TShots {
 public:
  explicit TShots(QString folder) : folder_(std::move(folder)) {}

  // Writes `image` as <name>.png; a failure is told on standard error and counted.
  void Save(const QImage& image, const QString& name);
  void Save(QWidget* widget, const QString& name);

  const QStringList& Written() const { return written_; }
  int Failures() const { return failures_; }

 private:
  QString folder_;
  QStringList written_;
  int failures_ = 0;
};

// Box links made from now on find a simulated box with the expected firmware.
void UseSimulatedBox();
// Shows `form` and returns its home screen (null when it has none).
TRuimteUIHandler* ShowHome(TMainForm& form);

// The presentation components in each of their looks, the shared pictures,
// the built-in picture libraries, the dialog artwork and the message dialog.
void ShootComponents(TShots& shots);

// The start-up message, and the main window with a sample installation: the
// home screen and the room and device editors in their states.
void ShootScreens(TShots& shots);

// On the installation ShootScreens leaves: the scenes overview, a scene's
// content on both pages and the scene composition.
void ShootScenes(TShots& shots);

// The recovery offer and the damaged-file message of the start, and the
// firmware window that gave up after three tries.
void ShootMessages(TShots& shots);
// On the same installation: the settings screen, the timer screen and each
// timer dialog.
void ShootSettingsAndTimers(TShots& shots);
