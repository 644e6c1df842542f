// Small helpers every tab of the control panel uses: framed read-out panels,
// choice boxes and check boxes set without firing their change handlers.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QString>

#include "settings/working_copy.h"
#include "ui/qt_colors.h"

namespace murva {

// A sunken panel that shows a value, named after its control.
inline QLabel* MakePanel(QWidget* parent, const char* name, const QString& text = {}) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

inline QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

// Shows item `index`, or no item when the index names none.
inline void ShowIndex(QComboBox* box, int index) {
  const QSignalBlocker block(box);
  box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

inline void ShowChecked(QCheckBox* box, bool checked) {
  const QSignalBlocker block(box);
  box->setChecked(checked);
}

// Sets a widget's style sheet when it differs from the one it has. Setting
// a sheet restyles the widget and its children even when the text is the
// same, and the controls are shown again after every step of a handler.
inline void SetStyleSheet(QWidget* widget, const QString& sheet) {
  if (widget->styleSheet() != sheet) widget->setStyleSheet(sheet);
}

// A style sheet with a background and a text colour.
inline QString ColorSheet(Color background, Color font) {
  return QString("background-color: %1; color: %2;")
      .arg(ToQColor(background).name(), ToQColor(font).name());
}

}  // namespace murva
