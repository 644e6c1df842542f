#include "ui/title_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/font_choice.h"
#include "app/messages.h"
#include "app/save_button_rules.h"
#include "app/settings_choices.h"
#include "app/storable_text.h"
#include "settings/profile_file.h"
#include "ui/panel_context.h"
#include "ui/ui_helpers.h"

namespace murva {
namespace {

constexpr const char* kUnstorableFieldSheet = "QLineEdit { background-color: #ffd0d0; }";

QString Numbered(const char* base, int line) { return QString("%1%2").arg(base).arg(line); }

void SetScrollValue(QScrollBar* bar, int value) {
  const QSignalBlocker block(bar);
  bar->setValue(value);
}

}  // namespace

TitleTab::TitleTab(PanelContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName("TabSheetS2");
  auto* grid = new QGridLayout(this);
  grid->setVerticalSpacing(3);
  grid->addWidget(new QLabel("フォント", this), 0, 1);
  grid->addWidget(new QLabel("サイズ", this), 0, 2);
  grid->addWidget(new QLabel("タイトル文字列（日付マクロが使えます）", this), 0, 3);
  grid->addWidget(new QLabel("行間", this), 0, 4);

  for (int line = 1; line <= kTitleLineCount; ++line) {
    const int i = line - 1;
    grid->addWidget(new QLabel(QString::number(line), this), line, 0);

    auto* button = new QPushButton(this);
    button->setObjectName(Numbered("SpeedButtonTitle", line));
    button->setProperty("tag", line);
    button->setToolTip(ToQString(TitleFontHint(line)));
    button->setMinimumWidth(130);
    font_buttons_[i] = button;
    grid->addWidget(button, line, 1);
    connect(button, &QPushButton::clicked, this, [this, line] { SpeedButtonTitle1Click(line); });

    auto* size = MakePanel(this, Numbered("PanelTSiz", line).toLatin1().constData());
    size->setToolTip(ToQString(TitleSizeHint(line)));
    size->setMinimumWidth(40);
    size_panels_[i] = size;
    grid->addWidget(size, line, 2);

    auto* edit = new QLineEdit(this);
    edit->setObjectName(Numbered("EditTitle", line));
    edit->setToolTip(ToQString(TitleTextHint(line)));
    edits_[i] = edit;
    grid->addWidget(edit, line, 3);
    connect(edit, &QLineEdit::textEdited, this,
            [this, line](const QString& text) { EditTitleChange(line, text); });

    if (line >= 2) {
      auto* gap = new QSpinBox(this);
      gap->setObjectName(Numbered("SpinEditT", line));
      const NumberRange range = TitleGapRange();
      gap->setRange(range.min, range.max);
      gap->setToolTip(ToQString(TitleGapHint(line)));
      gaps_[line - 2] = gap;
      grid->addWidget(gap, line, 4);
      connect(gap, &QSpinBox::valueChanged, this, [this, line](int value) {
        context_.Copy().title_gaps[line - 2] = value;
        context_.PictureChanged();
      });
    }
  }

  // The first line's position, with the read-outs.
  auto* position = new QHBoxLayout;
  top_ = new QScrollBar(Qt::Horizontal, this);
  top_->setObjectName("ScrollBarTitleTop");
  left_ = new QScrollBar(Qt::Horizontal, this);
  left_->setObjectName("ScrollBarTitleLeft");
  top_panel_ = MakePanel(this, "PanelTop", "0");
  left_panel_ = MakePanel(this, "PanelLeft", "0");
  for (auto [label, bar, panel] : {std::tuple{"上から", top_, top_panel_},
                                   std::tuple{"左から", left_, left_panel_}}) {
    panel->setMinimumWidth(44);
    bar->setMinimumWidth(150);
    position->addWidget(new QLabel(label, this));
    position->addWidget(bar, 1);
    position->addWidget(panel);
  }
  grid->addLayout(position, 5, 0, 1, 5);
  connect(top_, &QScrollBar::valueChanged, this, [this](int value) { ScrollBarTitleTopChange(value); });
  connect(left_, &QScrollBar::valueChanged, this,
          [this](int value) { ScrollBarTitleLeftChange(value); });

  auto* bottom = new QHBoxLayout;
  titles_on_ = MakeCheckBox(this, "CheckBoxTitle", "タイトルを表示します");
  bottom->addWidget(titles_on_);
  bottom->addWidget(new QLabel("「基本の設定」とこのページの設定は作成時に自動保存されます", this), 1);
  auto* hint = new QPushButton("説明", this);
  hint->setObjectName("SpeedButtonHint2");
  bottom->addWidget(hint);
  grid->addLayout(bottom, 6, 0, 1, 5);
  connect(hint, &QPushButton::clicked, this, [this] { SpeedButtonHint2Click(); });
  connect(titles_on_, &QCheckBox::clicked, this, [this](bool on) {
    WorkingCopy& copy = context_.Copy();
    copy.titles_on = on;
    // This switch shares the mouse-up handler of the convenience switches.
    EnableSave(copy, SettingsEdit::kCheckBoxTitle);
    context_.PictureChanged();
    context_.RefreshControls();
  });

  warning_ = new QLabel(this);
  warning_->setObjectName("LabelTitleWarning");
  warning_->setStyleSheet("color: #c00000;");
  warning_->setWordWrap(true);
  grid->addWidget(warning_, 7, 0, 1, 5);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(8, 1);
}

void TitleTab::Show() {
  const WorkingCopy& copy = context_.Copy();
  for (int i = 0; i < kTitleLineCount; ++i) {
    const TitleLine& title = copy.titles[i];
    font_buttons_[i]->setText(ToQString(title.font.name));
    size_panels_[i]->setText(ToQString(title.size_text));
    QFont style_font = font();
    ApplyStyleBits(style_font, title.font.style);
    size_panels_[i]->setFont(style_font);
    // Only a text that differs is set, so that typing keeps its cursor.
    if (edits_[i]->text() != ToQString(title.text)) edits_[i]->setText(ToQString(title.text));
  }
  for (int i = 0; i < kTitleLineCount - 1; ++i) {
    const QSignalBlocker block(gaps_[i]);
    gaps_[i]->setValue(copy.title_gaps[i]);
  }
  // The bars range over the screen the title was placed on.
  const ScreenReference& placed = copy.title_screen;
  const ScreenSize screen =
      placed.Known() ? ScreenSize{placed.width, placed.height} : context_.Screen();
  const NumberRange top = TitleTopRange(screen.height);
  const NumberRange left = TitleLeftRange(screen.width);
  {
    const QSignalBlocker block_top(top_);
    const QSignalBlocker block_left(left_);
    top_->setRange(top.min, top.max);
    left_->setRange(left.min, left.max);
    top_->setPageStep(std::max(1, top.max / 20));
    left_->setPageStep(std::max(1, left.max / 20));
  }
  SetScrollValue(top_, copy.title_y);
  SetScrollValue(left_, copy.title_x);
  top_panel_->setText(QString::number(top_->value()));
  left_panel_->setText(QString::number(left_->value()));
  ShowChecked(titles_on_, copy.titles_on);
  ShowStorableState();
}

void TitleTab::SpeedButtonTitle1Click(int line) {
  if (line < 1 || line > kTitleLineCount) return;
  TitleLine& title = context_.Copy().titles[line - 1];
  // The dialog starts from what the line's button and size panel show.
  FontSetting shown = title.font;
  const std::optional<int> size = ParseProfileInteger(title.size_text);
  shown.size = size.value_or(title.font.size);
  const QFont initial = DialogFontOf(shown);
  const std::optional<QFont> chosen = context_.Dialog().ChooseFont(this, initial);
  // Accepted as it was shown: the line stays as stored.
  if (chosen && !SameDialogFont(*chosen, initial)) {
    // Name, size and style only: a title's colour belongs to the page.
    const FontSetting font = FontSettingOf(*chosen);
    if (const std::optional<UnstorableText> bad = CheckStorable(TitleFontFieldName(line), font.name)) {
      context_.ShowMessage(UnstorableTextMessage(*bad));
    } else {
      title.font = font;
      title.size_text = std::to_string(font.size);
      context_.PictureChanged();
    }
  }
  Show();
}

void TitleTab::ScrollBarTitleTopChange(int position) {
  context_.Copy().title_y = position;
  top_panel_->setText(QString::number(position));
  context_.PictureChanged();
}

void TitleTab::ScrollBarTitleLeftChange(int position) {
  context_.Copy().title_x = position;
  left_panel_->setText(QString::number(position));
  context_.PictureChanged();
}

void TitleTab::EditTitleChange(int line, const QString& text) {
  context_.Copy().titles[line - 1].text = text.toStdString();
  ShowStorableState();
  context_.PictureChanged();
}

void TitleTab::ShowStorableState() {
  const WorkingCopy& copy = context_.Copy();
  QString warning;
  for (int line = 1; line <= kTitleLineCount; ++line) {
    const std::optional<UnstorableText> bad =
        CheckStorable(TitleFieldName(line), copy.titles[line - 1].text);
    QLineEdit* edit = edits_[line - 1];
    const QString sheet = bad ? QString(kUnstorableFieldSheet) : QString();
    SetStyleSheet(edit, sheet);
    if (bad && warning.isEmpty()) warning = ToQString(UnstorableTextMessage(*bad));
  }
  warning_->setText(warning);
  warning_->setVisible(!warning.isEmpty());
}

void TitleTab::SpeedButtonHint2Click() { context_.ShowMessage(text::TitleHelpText()); }

}  // namespace murva
