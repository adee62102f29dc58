#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

// Base of every content screen, the counterpart of TButtonColumn: a
// design-time form whose content panel (598 x 504) is shown on the main
// window's MainPanel at (0, 0), in front of whatever was there, and hidden
// again when the screen closes, uncovering the screen below.
//
// The screen owns `form` (already set up; the panel is one of its children,
// named `panelName`, or the form itself when the name is empty). Show moves
// the panel onto MainPanel; when the screen goes, a panel still there goes
// back into its form and with it. Subclasses reach their form with FormAs.
//
//   TFooHandler::TFooHandler(QWidget* mainPanel)
//       : TContentScreen(mainPanel, std::make_unique<TfrmFoo>(), QStringLiteral("pnlFoo")) {}
class TContentScreen : public QObject {
  Q_OBJECT
 public:
  TContentScreen(QWidget* mainPanel, std::unique_ptr<QWidget> form, const QString& panelName,
                 QObject* parent = nullptr);
  TContentScreen(QWidget* mainPanel, std::unique_ptr<QWidget> form, QWidget* panel,
                 QObject* parent = nullptr);
  ~TContentScreen() override;

  // Puts the panel on MainPanel at (0, 0), shows it and raises it. The
  // screens it covers are disabled meanwhile, so that keys and Tab reach
  // this one only; the screen gives the focus to its control of choice.
  void Show();
  // Hides the panel; it stays on MainPanel for the next Show. The covered
  // screens come back, with the focus where it was before Show.
  void Hide();
  bool IsShown() const;

  QWidget* MainPanel() const { return screenHost_; }
  QWidget* Panel() const { return screenPanel_; }
  QWidget* Form() const { return screenForm_.get(); }
  template <class F>
  F* FormAs() const {
    return static_cast<F*>(screenForm_.get());
  }

 private:
  QPointer<QWidget> screenHost_;
  std::unique_ptr<QWidget> screenForm_;
  QPointer<QWidget> screenFormAlive_;  // null once MainPanel took a shown form with it
  QPointer<QWidget> screenPanel_;
  std::vector<QPointer<QWidget>> covered_;
  QPointer<QWidget> focusBefore_;
};
