#include "ui/basic_settings_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/font_choice.h"
#include "app/settings_choices.h"
#include "app/storable_text.h"
#include "ui/artwork.h"
#include "ui/panel_context.h"
#include "ui/ui_helpers.h"

namespace murva {
namespace {

constexpr Color kSampleGround = 0x403020;

QString FontCaption(const FontSetting& font) {
  return QString("%1  %2pt").arg(ToQString(font.name)).arg(font.size);
}

}  // namespace

BasicSettingsTab::BasicSettingsTab(PanelContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("TabSheetS1");
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(BuildChoices(), 3);
  layout->addWidget(BuildFonts(), 2);
  layout->addWidget(BuildIdentity(), 0);
}

QWidget* BasicSettingsTab::BuildChoices() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(3);
  const std::span<const ChoiceList> choices = BasicSettingsChoices();
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const ChoiceList& choice = choices[i];
    auto* combo = new QComboBox(box);
    combo->setObjectName(choice.control);
    for (const char* item : choice.items) combo->addItem(item);
    choices_[i] = combo;
    // The first four sit in a column beside their labels; the two with a
    // question for a label get their label above them.
    const int row = static_cast<int>(i < 4 ? i : 2 * (i - 4));
    if (i < 4) {
      grid->addWidget(new QLabel(choice.label, box), row, 0);
      grid->addWidget(combo, row, 1);
    } else {
      grid->addWidget(new QLabel(choice.label, box), row, 2);
      grid->addWidget(combo, row + 1, 2);
    }
    connect(combo, &QComboBox::currentIndexChanged, this, [this, &choice](int index) {
      if (index < 0) return;
      context_.Copy().*choice.field = index;
      if (choice.affects_picture) context_.PictureChanged();
    });
  }

  auto* adjust_label = new QLabel("１桁微調", box);
  adjust_ = new QSpinBox(box);
  adjust_->setObjectName("SpinEditAdj");
  const NumberRange range = OneDigitAdjustRange();
  adjust_->setRange(range.min, range.max);
  adjust_->setToolTip(kOneDigitAdjustHint);
  adjust_label->setToolTip(kOneDigitAdjustHint);
  grid->addWidget(adjust_label, 4, 0);
  grid->addWidget(adjust_, 4, 1, Qt::AlignLeft);
  connect(adjust_, &QSpinBox::valueChanged, this, [this](int value) {
    context_.Copy().one_digit_adjust = value;
    context_.PictureChanged();
  });

  rokuyo_ = MakeCheckBox(box, "CheckBoxRokuyo", "六曜を表示する");
  solar_terms_ = MakeCheckBox(box, "CheckBoxSekki", "二十四節気を表示する");
  auto* almanac = new QHBoxLayout;
  almanac->addWidget(rokuyo_);
  almanac->addWidget(solar_terms_);
  almanac->addStretch(1);
  grid->addLayout(almanac, 4, 2);
  connect(rokuyo_, &QCheckBox::clicked, this, [this](bool on) {
    context_.Copy().show_rokuyo = on;
    context_.PictureChanged();
  });
  connect(solar_terms_, &QCheckBox::clicked, this, [this](bool on) {
    context_.Copy().show_solar_terms = on;
    context_.PictureChanged();
  });
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(5, 1);
  return box;
}

QWidget* BasicSettingsTab::BuildFonts() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  date_font_panel_ = MakePanel(box, "PanelFontDay", kDateFontSample);
  schedule_font_panel_ = MakePanel(box, "PanelFontSch", kScheduleFontSample);
  auto* date_button = new QPushButton("日付フォント選択(&T)", box);
  date_button->setObjectName("SpeedButtonFontDay");
  auto* schedule_button = new QPushButton("予定フォント選択(S)", box);
  schedule_button->setObjectName("SpeedButtonSch");
  int row = 0;
  for (auto [panel, button] : {std::pair{date_font_panel_, date_button},
                               std::pair{schedule_font_panel_, schedule_button}}) {
    panel->setMinimumHeight(34);
    button->setToolTip(kFontButtonHint);
    grid->addWidget(panel, row, 0);
    grid->addWidget(button, row + 1, 0);
    row += 2;
  }
  grid->setRowStretch(row, 1);
  connect(date_button, &QPushButton::clicked, this, [this] { SpeedButtonFontDayClick(); });
  connect(schedule_button, &QPushButton::clicked, this, [this] { SpeedButtonSchClick(); });
  return box;
}

QWidget* BasicSettingsTab::BuildIdentity() {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  auto* logo = new QLabel(box);
  logo->setObjectName("ImageLogo");
  logo->setPixmap(LogoPicture());
  column->addWidget(logo);

  auto* row = new QHBoxLayout;
  message_button_ = new QToolButton(box);
  message_button_->setObjectName("SpeedButtonMsg");
  message_button_->setIcon(MessageButtonIcon());
  message_button_->setIconSize(QSize(40, 34));
  message_button_->setAutoRaise(true);
  message_button_->setToolTip("作者からのメッセージ");
  connect(message_button_, &QToolButton::clicked, this, [this] { emit MessageWindowRequested(); });
  version_ = new QLabel(box);
  version_->setObjectName("LabelVer1");
  row->addWidget(message_button_);
  row->addWidget(version_, 1);
  column->addLayout(row);

  mode_panel_ = MakePanel(box, "PanelModeDsp");
  mode_panel_->setMinimumHeight(22);
  column->addWidget(mode_panel_);
  auto* last_row = new QHBoxLayout;
  last_page_panel_ = MakePanel(box, "PanelWallInd");
  last_page_panel_->setMinimumWidth(28);
  last_row->addWidget(new QLabel("前回の壁紙", box));
  last_row->addWidget(last_page_panel_);
  column->addLayout(last_row);
  column->addStretch(1);
  return box;
}

void BasicSettingsTab::Show() {
  const WorkingCopy& copy = context_.Copy();
  const std::span<const ChoiceList> choices = BasicSettingsChoices();
  for (std::size_t i = 0; i < choices.size(); ++i) {
    ShowIndex(choices_[i], ShownIndex(choices[i], copy.*choices[i].field));
  }
  {
    const QSignalBlocker block(adjust_);
    adjust_->setValue(copy.one_digit_adjust);
  }
  date_font_panel_->setFont(SampleFontOf(copy.date_font));
  date_font_panel_->setToolTip(FontCaption(copy.date_font));
  schedule_font_panel_->setFont(SampleFontOf(copy.schedule_font));
  schedule_font_panel_->setToolTip(FontCaption(copy.schedule_font));
  // The samples in the colours of the page shown, on a dark ground as most
  // pictures are: the colours themselves are set on the page.
  SetStyleSheet(date_font_panel_, ColorSheet(kSampleGround, copy.ActivePage().weekday));
  SetStyleSheet(schedule_font_panel_, ColorSheet(kSampleGround, copy.ActivePage().schedule));
  ShowChecked(rokuyo_, copy.show_rokuyo);
  ShowChecked(solar_terms_, copy.show_solar_terms);
  last_page_panel_->setText(ToQString(copy.last_used_page));
}

std::optional<FontSetting> BasicSettingsTab::ChooseFont(const FontSetting& current,
                                                        const char* field) {
  const QFont initial = DialogFontOf(current);
  const std::optional<QFont> chosen = context_.Dialog().ChooseFont(this, initial);
  // Cancelled, or accepted as it was shown: the setting stays exactly as
  // stored, also when its name is one that only stands for the font in use.
  if (!chosen || SameDialogFont(*chosen, initial)) return std::nullopt;
  FontSetting font = FontSettingOf(*chosen);
  if (const std::optional<UnstorableText> bad = CheckStorable(field, font.name)) {
    context_.ShowMessage(UnstorableTextMessage(*bad));
    return std::nullopt;
  }
  return font;
}

// The date font takes the dialog's whole font; in a Qt font dialog that is
// the family, size and style, the same as the schedule font takes. The text
// colour is never a setting of these fonts: it comes from the wallpaper page.
void BasicSettingsTab::SpeedButtonFontDayClick() {
  if (std::optional<FontSetting> font = ChooseFont(context_.Copy().date_font, kDateFontField)) {
    context_.Copy().date_font = *font;
    context_.PictureChanged();
  }
  Show();
}

void BasicSettingsTab::SpeedButtonSchClick() {
  if (std::optional<FontSetting> font =
          ChooseFont(context_.Copy().schedule_font, kScheduleFontField)) {
    FontSetting& target = context_.Copy().schedule_font;
    target.name = font->name;
    target.size = font->size;
    target.style = font->style;
    context_.PictureChanged();
  }
  Show();
}

void BasicSettingsTab::ShowModeIndicator(const std::string& text, Color panel, Color font) {
  mode_panel_->setText(ToQString(text));
  SetStyleSheet(mode_panel_, ColorSheet(panel, font));
}

void BasicSettingsTab::SetVersionLabel(const std::string& text) { version_->setText(ToQString(text)); }

}  // namespace murva
