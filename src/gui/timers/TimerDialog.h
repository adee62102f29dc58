#pragma once

#include <QDialog>

class QLineEdit;
class TImage;

// Base of the timer screen's choice dialogs: borderless and fixed in size,
// centred on the main window when shown, dragged by the background picture,
// with rounded corners and rounded gradient buttons. Modal result 1 is OK,
// 2 is back (Escape counts as back).
class TTimerDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TTimerDialog(QWidget* parent);

  // Red (Windows colour 255) for an invalid entry, white otherwise.
  static void SetEditValid(QLineEdit* edit, bool valid);
  static bool EditIsRed(const QLineEdit* edit);

  void reject() override { done(2); }

 protected:
  // After setupUi: the background artwork on `background`, which also drags
  // the window; the corner radius; the buttons' looks and focus rules;
  // `name`, what a screen reader says for the dialog and its background.
  void Finish(TImage* background, const char* artwork, int radius, const QString& name);
  // A click in the edit selects its whole text.
  void SelectAllOnClick(QLineEdit* edit);

  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TImage* background_ = nullptr;
  bool dragging_ = false;
  QPoint dragOffset_;
};
