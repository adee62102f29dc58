#include "gui/common/Accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace {

// Widget properties the interface reads: role (QAccessible::Role as int, 0
// for a plain picture) and whether it is selected / checked.
constexpr const char* kRole = "klvAccessibleRole";
constexpr const char* kOn = "klvAccessibleOn";

class TImageAccessible : public QAccessibleWidget {
 public:
  explicit TImageAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}

  QAccessible::Role role() const override {
    const int r = widget()->property(kRole).toInt();
    return r ? QAccessible::Role(r) : QAccessible::Graphic;
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const bool on = widget()->property(kOn).toBool();
    switch (role()) {
      case QAccessible::ListItem:
      case QAccessible::PageTab:
        s.selectable = true;
        s.selected = on;
        break;
      case QAccessible::RadioButton:
        s.checkable = true;
        s.checked = on;
        break;
      default:
        break;
    }
    return s;
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("TImage") && object && object->isWidgetType())
    return new TImageAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

void Mark(QWidget* w, QAccessible::Role role, bool on) {
  if (!w) return;
  Accessible::Install();
  const bool changed = w->property(kOn).toBool() != on || w->property(kRole).toInt() != int(role);
  w->setProperty(kRole, int(role));
  w->setProperty(kOn, on);
  if (changed && QAccessible::isActive()) {
    QAccessible::State s;
    s.selected = s.checked = true;
    QAccessibleStateChangeEvent event(w, s);
    QAccessible::updateAccessibility(&event);
  }
}

}  // namespace

namespace Accessible {

void Install() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

void MarkSelectable(QWidget* w, bool selected) { Mark(w, QAccessible::ListItem, selected); }
void MarkCheckable(QWidget* w, bool checked) { Mark(w, QAccessible::RadioButton, checked); }
void MarkPageTab(QWidget* w, bool current) { Mark(w, QAccessible::PageTab, current); }
void MarkPicture(QWidget* w) { Mark(w, QAccessible::Graphic, false); }

}  // namespace Accessible
