#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

// Base of every content screen, the counterpart of TButtonColumn: a
// design-time form whose content panel (598 x 504) is shown on the main
// window's MainPanel at (0, 0), in front of whatever was there, and hidden
// again when the screen closes.
//
// The screen owns `form` (already set up; `panel` is one of its children, or
// the form itself). Show moves the panel onto MainPanel; from then on
// MainPanel parents it, and the screen deletes it when destroyed (unless
// MainPanel went first). Subclasses keep typed pointers into the form.
class TContentScreen : public QObject {
  Q_OBJECT
 public:
  TContentScreen(QWidget* mainPanel, std::unique_ptr<QWidget> form, QWidget* panel, QObject* parent = nullptr);
  ~TContentScreen() override;

  // Puts the panel on MainPanel at (0, 0), shows it and raises it.
  void Show();
  // Hides the panel; it stays on MainPanel for the next Show.
  void Hide();
  bool IsShown() const;

  QWidget* MainPanel() const { return mainPanel_; }
  QWidget* Panel() const { return panel_; }
  QWidget* Form() const { return form_.get(); }

 private:
  QPointer<QWidget> mainPanel_;
  std::unique_ptr<QWidget> form_;
  QPointer<QWidget> panel_;
};
