// The suite's help window: a help page of the program folder (an HTML file,
// read in the encoding the page declares) with its pictures and the pages it
// links to, shown without a web browser.
#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace zotra {

// The help page of a program or of the suite: "<stem>.html" in the folder
// ("zotram" for the menu, "kantan" for the short guide), found without
// regard to case.
QString HelpPagePath(const QString& folder, const QString& stem);

// The text of a page. A page declares its encoding in its head
// (<meta charset="Shift_JIS">): Shift_JIS and its aliases are read with the
// suite's CP932 codec, anything else as UTF-8. Empty when the file cannot be
// read.
QString ReadHelpPage(const QString& path);

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows a page (a full path) and brings the window to the front.
  void ShowPage(const QString& path);
  // The page shown: its full path.
  QString CurrentPage() const;
  QTextBrowser* browser() const { return browser_; }

 private:
  void PageChanged(const QUrl& url);

  QTextBrowser* browser_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* forward_ = nullptr;
  QPushButton* contents_ = nullptr;
};

}  // namespace zotra
