#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class TGradBtn;

// Base of every button column: a design-time form whose MainBtnContainer
// (150 x 500) holds gradient buttons. Construction hides every control of the
// container and clears the buttons' click handlers; the subclass then sets the
// captions and binds the buttons its screen uses. Only bound buttons show.
//
// The column takes ownership of `form` (already set up, with a child named
// "MainBtnContainer"). Show moves the container onto the button panel; when
// the column goes, it hides first (uncovering the columns below) and a
// container still on the panel goes back into its form and with it.
class TButtonColumn : public QObject {
  Q_OBJECT
 public:
  TButtonColumn(QWidget* buttonPanel, QWidget* form);
  ~TButtonColumn() override;

  using Handler = std::function<void()>;

  // Sets the button's click handler (replacing any earlier one) and shows it,
  // together with its companions.
  void Bind(TGradBtn* button, Handler handler);

  // A control that shows with `button` when it is bound (a value label beside
  // a button, say).
  void AddCompanion(TGradBtn* button, QWidget* companion);

  // Enables or disables a control; does nothing for a control that is not
  // shown (never bound).
  void SetEnabled(QWidget* control, bool enabled);

  // Puts the container on the button panel at (0, 0), shows it in front and
  // rounds its buttons. The columns that were showing on the panel are
  // hidden meanwhile (the container is see-through) and come back on Hide.
  void Show();
  void Hide();
  bool IsShown() const;

  QWidget* ButtonPanel() const { return buttonPanel_; }
  QWidget* MainBtnContainer() const { return container_; }
  QWidget* Form() const { return form_.get(); }

 private:
  QWidget* buttonPanel_;
  std::unique_ptr<QWidget> form_;
  QPointer<QWidget> formAlive_;  // null once the button panel took a shown form with it
  QPointer<QWidget> container_;
  struct Companion {
    TGradBtn* button;
    QPointer<QWidget> widget;
  };
  std::vector<Companion> companions_;
  std::vector<QPointer<QWidget>> covered_;
};
