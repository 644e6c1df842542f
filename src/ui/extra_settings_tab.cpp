#include "ui/extra_settings_tab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/qt_colors.h"
#include "ui/ui_helpers.h"

namespace murva {
namespace {
constexpr Color kAqua = 0xFFFF00;
constexpr Color kYellow = 0x00FFFF;
constexpr Color kSilver = 0xC0C0C0;
}  // namespace

ExtraSettingsTab::ExtraSettingsTab(WorkingCopy& copy, QWidget* parent) : QWidget(parent), copy_(copy) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("起動させたいプログラム", this), 0, 0);
  program_ = new QLineEdit(this);
  program_->setObjectName("EditPro");
  layout->addWidget(program_, 1, 0, 1, 3);
  auto* browse = new QPushButton("参照(&R)", this);
  browse->setObjectName("SpeedButtonProRef");
  layout->addWidget(browse, 1, 3);
  use_program_ = new QCheckBox("特別日になったら設定したプログラムを起動させる", this);
  use_program_->setObjectName("CheckBoxPro");
  layout->addWidget(use_program_, 2, 0, 1, 4);

  auto* birth_group =
      new QGroupBox(" 誕生日の入力（バイオリズム形カレンダの使用に必要な設定です） ", this);
  auto* birth_layout = new QVBoxLayout(birth_group);
  birthday_ = new QLineEdit(birth_group);
  birthday_->setObjectName("EditBirth");
  birth_layout->addWidget(birthday_);
  birth_layout->addWidget(
      new QLabel("「80/02/12」 の形式で西暦を入力： 昭和生まれなら＋２５する", birth_group));
  layout->addWidget(birth_group, 3, 0, 1, 4);

  set_panel_ = new QLabel("設定保存ファイルの切替", this);
  set_panel_->setObjectName("PanelSelB");
  set_panel_->setAlignment(Qt::AlignCenter);
  basic_ = new QPushButton("保存１（基本）を使用", this);
  basic_->setObjectName("SpeedButtonBas");
  extended_ = new QPushButton("保存２（拡張）を使用", this);
  extended_->setObjectName("SpeedButtonExt");
  for (QPushButton* button : {basic_, extended_}) button->setCheckable(true);
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  group->addButton(basic_);
  group->addButton(extended_);
  layout->addWidget(set_panel_, 4, 0);
  layout->addWidget(basic_, 4, 1);
  layout->addWidget(extended_, 4, 2);

  save_ = new QPushButton("このページを保存(&S)", this);
  save_->setObjectName("SpeedButtonProSave");
  layout->addWidget(save_, 5, 3);
  layout->setRowStretch(6, 1);

  connect(program_, &QLineEdit::textEdited, this, [this](const QString& text) {
    copy_.special_program = text.toStdString();
    Edited();
  });
  connect(birthday_, &QLineEdit::textEdited, this, [this](const QString& text) {
    copy_.birthday = text.toStdString();
    Edited();
    emit PictureValueChanged();  // the biorhythm forms count from it
  });
  connect(use_program_, &QCheckBox::clicked, this, [this](bool on) {
    copy_.use_special_program = on;
    Edited();
    Show();
  });
  connect(browse, &QPushButton::clicked, this, [this] { emit BrowseClicked(); });
  connect(basic_, &QPushButton::clicked, this, [this] { emit SetClicked(SettingsSet::kBasic); });
  connect(extended_, &QPushButton::clicked, this,
          [this] { emit SetClicked(SettingsSet::kExtended); });
  connect(save_, &QPushButton::clicked, this, [this] { emit SaveClicked(); });
}

void ExtraSettingsTab::Edited() {
  copy_.special_save_enabled = true;
  save_->setEnabled(true);
}

void ExtraSettingsTab::Show() {
  if (program_->text() != ToQString(copy_.special_program)) {
    program_->setText(ToQString(copy_.special_program));
  }
  if (birthday_->text() != ToQString(copy_.birthday)) birthday_->setText(ToQString(copy_.birthday));
  {
    const QSignalBlocker block(use_program_);
    use_program_->setChecked(copy_.use_special_program);
  }
  // The program field is greyed while the special program is switched off.
  SetStyleSheet(program_, copy_.use_special_program
                             ? QString()
                             : QString("background-color: %1;").arg(ToQColor(kSilver).name()));
  basic_->setChecked(copy_.chosen_set == SettingsSet::kBasic);
  extended_->setChecked(copy_.chosen_set == SettingsSet::kExtended);
  const Color panel_text = copy_.shown_set == SettingsSet::kBasic ? kAqua : kYellow;
  SetStyleSheet(set_panel_, QString("background-color: #404040; color: %1; padding: 2px;")
                                .arg(ToQColor(panel_text).name()));
  save_->setEnabled(copy_.special_save_enabled);
}

}  // namespace murva
