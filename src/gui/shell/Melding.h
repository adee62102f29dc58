#pragma once

#include <QDialog>
#include <QFont>
#include <QRect>
#include <QString>
#include <memory>

namespace Ui {
class TfrmMeld;
}
class TImage;
class TLabel;
class TGradBtn;

// The message dialog of the program: 480 x 360, borderless, rounded, two
// centred text lines and one or two buttons on the background artwork.
class TfrmMeld : public QDialog {
  Q_OBJECT
 public:
  // Centred over `parent` (the main window) when given, else over the active
  // window or the screen.
  explicit TfrmMeld(QWidget* parent = nullptr);
  ~TfrmMeld() override;

  // Shows the message modally. An empty line leaves its label hidden; an
  // empty button text hides that button, and a lone button is centred.
  // Returns 1 when closed by the first button, 2 in every other case.
  int Meld(const QString& line1, const QString& line2, const QString& button1, const QString& button2);
  // As Meld, but 0 when closed without a button (Escape, the window's close).
  int Ask(const QString& line1, const QString& line2, const QString& button1, const QString& button2);

  // Meld's filling without showing: the texts, the buttons' places, and each
  // line's font shrunk to fit on one line down to a readable floor, or
  // wrapped over more lines, the second line moved below the first.
  void Fill(const QString& line1, const QString& line2, const QString& button1, const QString& button2);
  // Whether a line's text fits its label and the label stays above the buttons.
  bool LineFits(const TLabel* label) const;

  TImage* Image1() const;
  TLabel* Label1() const;
  TLabel* Label2() const;
  TGradBtn* btn1() const;
  TGradBtn* btn2() const;

 protected:
  // Enter presses the button of a one-button message (the buttons take no
  // focus, so there is no default button otherwise).
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::unique_ptr<Ui::TfrmMeld> ui;
  QFont labelFont_;
  QRect line1Box_, line2Box_;
};

// The dialog currently shown, or null.
extern TfrmMeld* frmMeld;

// The calling pattern in one call: creates the dialog into frmMeld over
// `parent`, runs Meld, destroys it and empties frmMeld.
int ShowMeld(const QString& line1, const QString& line2, const QString& button1,
             const QString& button2 = QString(), QWidget* parent = nullptr);
// The same for a question only the two buttons answer: 1 or 2 for a button,
// 0 when the dialog was closed any other way.
int AskMeld(const QString& line1, const QString& line2, const QString& button1, const QString& button2,
            QWidget* parent = nullptr);
