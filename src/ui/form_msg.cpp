#include "ui/form_msg.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "ui/artwork.h"
#include "ui/qt_colors.h"

namespace murva {
namespace {

constexpr int kClientWidth = 433;
constexpr int kClientHeight = 228;
constexpr int kRightColumn = 214;

QFont PixelFont(int pixels, bool bold = false) {
  QFont font("IPAPGothic");
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace

TFormMsg::TFormMsg(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("FormMsg");
  setWindowTitle(kMessageCaption);
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette olive = palette();
  olive.setColor(QPalette::Window, QColor(128, 128, 0));
  setPalette(olive);

  image_ = new QLabel(this);
  image_->setObjectName("ImageMsg");
  image_->setGeometry(0, 0, 200, 228);
  image_->setPixmap(MessagePicture());

  title_ = new QLabel(kMessageTitleLine, this);
  title_->setObjectName("LabelTitleMsg");
  title_->setGeometry(kRightColumn, 4, 215, 26);
  title_->setFont(PixelFont(19, true));
  title_->setStyleSheet("color: white;");

  text_ = new QLabel(this);
  text_->setObjectName("LabelMsg");
  text_->setGeometry(kRightColumn, 34, 210, 133);
  text_->setWordWrap(true);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text_->setFont(PixelFont(12));
  text_->setStyleSheet("color: #000080;");

  talk_ = new QLabel(this);
  talk_->setObjectName("PanelTalk");
  talk_->setGeometry(kRightColumn, 172, AuthorMessage::kNarrowTalkWidth, 22);
  talk_->setFrameShape(QFrame::Panel);
  talk_->setFrameShadow(QFrame::Raised);
  talk_->setAlignment(Qt::AlignCenter);
  talk_->setFont(PixelFont(12));
  talk_->setStyleSheet("background-color: #ffff00; color: black;");

  counter_ = new QLabel("0", this);
  counter_->setObjectName("LabelMsgCnt");
  counter_->hide();

  foot_ = new QLabel(kMessageFootLine, this);
  foot_->setObjectName("LabelHomeMsg");
  foot_->setGeometry(kRightColumn, 204, 150, 20);
  foot_->setFont(PixelFont(10));
  foot_->setStyleSheet("color: #ffffc0;");

  button_ = new QPushButton(kMessageButtonCaption, this);
  button_->setObjectName("SpeedButtonMsg");
  button_->setGeometry(368, 200, 60, 24);
  connect(button_, &QPushButton::clicked, this, [this] { SpeedButtonMsgClick(); });

  for (QWidget* clickable : {static_cast<QWidget*>(image_), static_cast<QWidget*>(text_),
                             static_cast<QWidget*>(talk_), static_cast<QWidget*>(title_),
                             static_cast<QWidget*>(foot_)}) {
    clickable->installEventFilter(this);
  }
  ShowState();
}

void TFormMsg::ShowMessageWindow() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  show();
  raise();
  activateWindow();
  // An activation that the platform does not report still shows page 1.
  if (!state_.Open()) FormActivate();
}

void TFormMsg::FormActivate() {
  state_.Activate();
  ShowState();
}

void TFormMsg::ImageMsgClick() {
  if (state_.Click() == AuthorMessage::ClickResult::kClose) {
    close();
    return;
  }
  ShowState();
}

void TFormMsg::SpeedButtonMsgClick() {
  dialogs_->Message(this, MessageText(AuthorMessage::ButtonMessage()), MessageIcon::kInformation);
}

void TFormMsg::ShowState() {
  const bool open = state_.Open();
  counter_->setText(QString::number(state_.Counter()));
  text_->setText(ToQString(state_.PageText()));
  text_->setVisible(open);
  talk_->setText(ToQString(state_.Speech()));
  talk_->resize(state_.TalkWidth(), talk_->height());
  talk_->setVisible(open);
  button_->setVisible(state_.ButtonVisible());
}

bool TFormMsg::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

bool TFormMsg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    ImageMsgClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TFormMsg::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) ImageMsgClick();
  QWidget::mousePressEvent(event);
}

void TFormMsg::closeEvent(QCloseEvent* event) {
  state_.Close();
  ShowState();
  QWidget::closeEvent(event);
}

}  // namespace murva
