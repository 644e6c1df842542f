// Tab pages made the first time they are shown. An automatic run builds the
// wallpaper and closes without anyone looking at most pages of the control
// panel; making them (and laying out their texts) would be most of its
// start-up time. A pending page stands in for its content: it asks the
// layout for the sizes the content had when it was last made, so that the
// window around it has exactly the size it always has.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/page_sizes.h"

class QTabWidget;

namespace murva {

using PageFactory = std::function<QWidget*(QWidget* parent)>;

class PendingTab : public QWidget {
  Q_OBJECT

 public:
  PendingTab(PageFactory factory, PageSize size, QWidget* parent = nullptr);

  // The content, made now if it is not yet.
  QWidget* Make();
  bool Made() const { return content_ != nullptr; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  PageFactory factory_;
  PageSize size_;
  QWidget* content_ = nullptr;
};

// What the sizes of the pages depend on besides their content: the program
// itself (its file's identity), the Qt version, the style, the application
// font and how wide its texts come out, the screen's resolution.
std::string PageSizeKey();

// Makes the page at index of tabs if it is still pending.
void MakePendingPage(QTabWidget& tabs, int index);

// Adds the pages of the control panel's tab sets. With remembered sizes the
// pages are pending (a page whose size was not remembered is made at once);
// without, every page is made at once and its sizes can be remembered for
// the next start.
class TabPageMaker {
 public:
  explicit TabPageMaker(std::optional<PageSizes> remembered);

  bool Pending() const { return remembered_.has_value(); }
  // Adds the page named `name` (unique in the window) to tabs under label.
  void AddPage(QTabWidget& tabs, const std::string& name, const QString& label,
               const PageFactory& factory);
  // The sizes of the pages made at once, as their layouts ask for them now.
  PageSizes Measure(const std::string& key) const;

 private:
  std::optional<PageSizes> remembered_;
  std::vector<std::pair<std::string, const QWidget*>> made_;
};

}  // namespace murva
