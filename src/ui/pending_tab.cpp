#include "ui/pending_tab.h"

#include <sys/stat.h>

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/autostart_entry.h"

namespace murva {

PendingTab::PendingTab(PageFactory factory, PageSize size, QWidget* parent)
    : QWidget(parent), factory_(std::move(factory)), size_(size) {}

QWidget* PendingTab::Make() {
  if (content_) return content_;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  content_ = factory_(this);
  layout->addWidget(content_);
  // A page already on the screen shows its content at once, not after the
  // next pass of the event loop.
  if (isVisible()) content_->show();
  factory_ = nullptr;
  return content_;
}

QSize PendingTab::sizeHint() const {
  if (content_) return QWidget::sizeHint();
  return {size_.width, size_.height};
}

QSize PendingTab::minimumSizeHint() const {
  if (content_) return QWidget::minimumSizeHint();
  return {size_.minimum_width, size_.minimum_height};
}

std::string PageSizeKey() {
  std::string key;
  const std::string program = ExecutableFile().string();
  struct stat status {};
  if (program.empty() || stat(program.c_str(), &status) != 0) return {};
  key += program + ' ' + std::to_string(status.st_size) + ' ' +
         std::to_string(status.st_mtim.tv_sec) + '.' + std::to_string(status.st_mtim.tv_nsec);
  key += std::string(" Qt ") + qVersion();
  key += ' ' + QApplication::style()->name().toStdString();
  const QFont font = QApplication::font();
  // The width of a sample in the panel's own scripts catches a change of
  // the fonts that stand in for the application font.
  const QString sample = QString::fromUtf8("壁紙カレンダ・スケジュール MURVA32 0123456789");
  key += ' ' + font.toString().toStdString() + ' ' +
         std::to_string(QFontMetrics(font).horizontalAdvance(sample));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    key += ' ' + std::to_string(screen->logicalDotsPerInch()) + ' ' +
           std::to_string(screen->devicePixelRatio());
  }
  return key;
}

void MakePendingPage(QTabWidget& tabs, int index) {
  if (auto* pending = qobject_cast<PendingTab*>(tabs.widget(index))) pending->Make();
}

TabPageMaker::TabPageMaker(std::optional<PageSizes> remembered)
    : remembered_(std::move(remembered)) {}

void TabPageMaker::AddPage(QTabWidget& tabs, const std::string& name, const QString& label,
                           const PageFactory& factory) {
  if (remembered_) {
    if (const std::optional<PageSize> size = remembered_->Find(name)) {
      tabs.addTab(new PendingTab(factory, *size, &tabs), label);
      return;
    }
  }
  QWidget* page = factory(&tabs);
  tabs.addTab(page, label);
  made_.emplace_back(name, page);
}

PageSizes TabPageMaker::Measure(const std::string& key) const {
  PageSizes sizes(key);
  for (const auto& [name, page] : made_) {
    const QSize hint = page->sizeHint();
    const QSize minimum = page->minimumSizeHint();
    sizes.Put(name, {hint.width(), hint.height(), minimum.width(), minimum.height()});
  }
  return sizes;
}

}  // namespace murva
