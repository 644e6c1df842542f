// Checks a window's layout as the user sees it: every visible control lies
// inside its parent, is at least as large as its content needs (no clipped
// text, no collapsed group box) and overlaps none of its visible siblings;
// every tab of a tab set shows its whole caption. Only what is visible is
// walked: the shown tab of each tab set, the shown page of each stack.
#pragma once

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <string>
#include <vector>

namespace murva::testing {

inline std::string Describe(const QWidget* widget) {
  std::string text = widget->metaObject()->className();
  if (!widget->objectName().isEmpty()) text += " " + widget->objectName().toStdString();
  for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget()) {
    if (!up->objectName().isEmpty() && !up->objectName().startsWith("qt_")) {
      text += " in " + up->objectName().toStdString();
      break;
    }
  }
  return text;
}

inline std::string Rect(const QRect& rect) {
  return std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " +
         std::to_string(rect.width()) + "x" + std::to_string(rect.height());
}

class LayoutCheck {
 public:
  // The faults of the window as it stands now.
  static std::vector<std::string> Faults(QWidget* window) {
    QApplication::processEvents();
    LayoutCheck check;
    check.CheckSize(window);
    check.Walk(window);
    return check.faults_;
  }

 private:
  // The children the user sees inside widget, as the widget arranges them.
  static std::vector<QWidget*> VisibleChildren(QWidget* widget) {
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
      return tabs->currentWidget() ? std::vector<QWidget*>{tabs->currentWidget()}
                                   : std::vector<QWidget*>{};
    }
    if (auto* stack = qobject_cast<QStackedWidget*>(widget)) {
      return stack->currentWidget() ? std::vector<QWidget*>{stack->currentWidget()}
                                    : std::vector<QWidget*>{};
    }
    if (auto* scroll = qobject_cast<QScrollArea*>(widget)) {
      return scroll->widget() ? std::vector<QWidget*>{scroll->widget()} : std::vector<QWidget*>{};
    }
    // Qt's composite controls arrange their own parts.
    if (qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QComboBox*>(widget) ||
        qobject_cast<QAbstractScrollArea*>(widget) || qobject_cast<QScrollBar*>(widget) ||
        qobject_cast<QTabBar*>(widget)) {
      return {};
    }
    std::vector<QWidget*> children;
    for (QObject* object : widget->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      if (child && !child->isWindow() && child->isVisibleTo(widget)) children.push_back(child);
    }
    return children;
  }

  // The miniature screens of a wallpaper page carry markers that move over
  // them and may reach past their edge; the panel clips them by design.
  static bool ClipsItsChildren(const QWidget* widget) {
    return widget->objectName().startsWith("PanelCalBak") ||
           widget->objectName().startsWith("PanelSchBak");
  }

  // A control parked outside the visible area on purpose.
  static bool Parked(const QWidget* widget) {
    const QRect rect = widget->geometry();
    return rect.right() < 0 || rect.bottom() < 0;
  }

  void CheckSize(QWidget* widget) {
    const QSize hint = widget->minimumSizeHint();
    const QSizePolicy policy = widget->sizePolicy();
    const bool ignore_width = policy.horizontalPolicy() == QSizePolicy::Ignored;
    const bool ignore_height = policy.verticalPolicy() == QSizePolicy::Ignored;
    if ((!ignore_width && widget->width() < hint.width()) ||
        (!ignore_height && widget->height() < hint.height())) {
      faults_.push_back(Describe(widget) + " is " + Rect(widget->geometry()) +
                        ", smaller than it needs (" + std::to_string(hint.width()) + "x" +
                        std::to_string(hint.height()) + ")");
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
      const QTabBar* bar = tabs->tabBar();
      for (int i = 0; i < bar->count(); ++i) {
        if (!bar->rect().contains(bar->tabRect(i))) {
          faults_.push_back(Describe(widget) + ": tab \"" + bar->tabText(i).toStdString() +
                            "\" is cut off");
        }
      }
    }
  }

  void Walk(QWidget* widget) {
    const std::vector<QWidget*> children = VisibleChildren(widget);
    const bool scrolled = qobject_cast<QScrollArea*>(widget) != nullptr;
    std::vector<QWidget*> placed;
    for (QWidget* child : children) {
      if (Parked(child)) continue;
      if (!ClipsItsChildren(widget)) {
        if (!scrolled && !widget->rect().contains(child->geometry())) {
          faults_.push_back(Describe(child) + " at " + Rect(child->geometry()) +
                            " reaches outside " + Describe(widget) + " (" +
                            Rect(widget->rect()) + ")");
        }
        for (QWidget* other : placed) {
          if (child->geometry().intersects(other->geometry())) {
            faults_.push_back(Describe(child) + " at " + Rect(child->geometry()) + " overlaps " +
                              Describe(other) + " at " + Rect(other->geometry()));
          }
        }
        placed.push_back(child);
      }
      CheckSize(child);
      Walk(child);
    }
  }

  std::vector<std::string> faults_;
};

}  // namespace murva::testing
