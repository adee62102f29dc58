#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TForm7;
}
class QTimer;

// The user changed the dialog's date or time picker since the dialog last
// sent the clock. While true, the polls leave the box fields alone.
extern bool ClockEdited;

// Service dialog "Tijd en Datum": the PC's clock beside the box's, the box's
// sunrise, sunset and summer/winter state, and setting the box's clock. Polls
// the box once a second while open. Every box transfer does nothing while no
// box is connected.
class TForm7 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm7(QWidget* parent = nullptr);
  ~TForm7() override;

  // Asks the box for its clock ('t'). Unless ClockEdited, shows its date and
  // time in the pickers (each only when valid), its sun times and "Zomertijd"
  // or "Wintertijd". No box or no answer: nothing changes.
  void ReadTime();
  // Shows the PC's date (short format) and time (long format).
  void PCTime();
  // Sends 'T' with the pickers' date and time.
  void SendTime();

  QTimer* Timer1() const { return timer1_; }

 public slots:
  void FormCreate();
  void Timer1Timer();
  void SetTimeChange();
  void SetDateChange();
  void btnClick();
  void Button1Click();
  void OKButClick();

 private:
  void SyncClick();

  std::unique_ptr<Ui::TForm7> ui;
  QTimer* timer1_;
};

// Opens the dialog modally over `parent`; returns its result (1 after
// "Afsluiten").
int ShowSetDateTime(QWidget* parent = nullptr);
