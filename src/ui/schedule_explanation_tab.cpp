#include "ui/schedule_explanation_tab.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "schedule/color_keyword.h"
#include "schedule/entry_explanation.h"
#include "ui/qt_colors.h"

namespace murva {
namespace {

constexpr int kColorColumns = 6;

QLabel* MakeText(QWidget* parent, const char* text, const QFont& font) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setFont(font);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QLabel* MakeTitle(QWidget* parent, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

}  // namespace

ScheduleExplanationTab::ScheduleExplanationTab(QWidget* parent) : QWidget(parent) {
  setObjectName("ScheduleExplanation");
  auto* layout = new QVBoxLayout(this);

  // The examples stand in columns only in a fixed-pitch font.
  QFont fixed("IPAGothic");
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  fixed.setPointSizeF(font().pointSizeF());

  layout->addWidget(MakeTitle(this, kFormExplanationTitle));
  for (const char* line : kFormExplanationLines) layout->addWidget(MakeText(this, line, fixed));
  layout->addSpacing(6);
  for (const char* key : kFormExplanationKeys) layout->addWidget(MakeText(this, key, fixed));
  layout->addSpacing(12);

  layout->addWidget(MakeTitle(this, kColorExplanationTitle));
  auto* colors = new QGridLayout;
  for (int i = 0; i < kColorKeywordCount; ++i) {
    auto* cell = new QHBoxLayout;
    // A plain frame: a colour square needs no room for text.
    auto* swatch = new QFrame(this);
    swatch->setFixedSize(14, 14);
    swatch->setStyleSheet(QString("background-color: %1; border: 1px solid gray;")
                              .arg(ToQColor(kColorKeywordColors[i]).name()));
    cell->addWidget(swatch);
    cell->addWidget(new QLabel(QString::fromUtf8(kColorKeywordLabels[i]), this), 1);
    colors->addLayout(cell, i / kColorColumns, i % kColorColumns);
  }
  layout->addLayout(colors);
  layout->addStretch(1);
}

}  // namespace murva
