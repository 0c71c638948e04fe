#include "HelpWindow.h"

#include "common/Files.h"
#include "common/Text.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zotra {
namespace {

// The page that every help page leads back to: the short guide, which links
// to the page of each program.
const QString kContentsStem = QStringLiteral("kantan");

// Reads pages in their declared encoding; pictures and other resources as
// the browser would.
class HelpBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

 protected:
  QVariant loadResource(int type, const QUrl& name) override {
    if (type == QTextDocument::HtmlResource && name.isLocalFile()) return ReadHelpPage(name.toLocalFile());
    return QTextBrowser::loadResource(type, name);
  }
};

}  // namespace

QString HelpPagePath(const QString& folder, const QString& stem) {
  return ResolveInFolder(folder, stem + QStringLiteral(".html"));
}

QString ReadHelpPage(const QString& path) {
  QByteArray bytes;
  if (!ReadBytes(path, &bytes)) return {};
  // The declaration stands in the head, within the first kilobyte or so.
  static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:-]+)"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QString head = QString::fromLatin1(bytes.left(2048));
  const QString declared = charset.match(head).captured(1).toLower();
  static const QStringList kCp932Names = {QStringLiteral("shift_jis"), QStringLiteral("shift-jis"),
                                          QStringLiteral("sjis"),      QStringLiteral("x-sjis"),
                                          QStringLiteral("windows-31j"), QStringLiteral("cp932"),
                                          QStringLiteral("ms_kanji")};
  if (kCp932Names.contains(declared)) return DecodeCp932(bytes);
  return QString::fromUtf8(bytes);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("ZOTRA ヘルプ"));
  setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* buttons = new QHBoxLayout;
  back_ = new QPushButton(QStringLiteral("← 戻る"));
  forward_ = new QPushButton(QStringLiteral("進む →"));
  contents_ = new QPushButton(QStringLiteral("目次 (かんたん Help)"));
  auto* close = new QPushButton(QStringLiteral("閉じる"));
  back_->setObjectName(QStringLiteral("HelpBack"));
  forward_->setObjectName(QStringLiteral("HelpForward"));
  contents_->setObjectName(QStringLiteral("HelpContents"));
  close->setObjectName(QStringLiteral("HelpClose"));
  for (QPushButton* b : {back_, forward_, contents_}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  browser_ = new HelpBrowser;
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  // Pages of the folder open here; a web or mail address in the desktop's own program.
  browser_->setOpenExternalLinks(true);
  layout->addWidget(browser_, 1);

  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  connect(contents_, &QPushButton::clicked, this, [this] {
    ShowPage(HelpPagePath(QFileInfo(CurrentPage()).path(), kContentsStem));
  });
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::PageChanged);
  resize(760, 680);
}

void HelpWindow::ShowPage(const QString& path) {
  const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  if (url != browser_->source()) browser_->setSource(url, QTextDocument::HtmlResource);
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
  browser_->setFocus();  // the keys scroll the page
}

QString HelpWindow::CurrentPage() const { return browser_->source().toLocalFile(); }

void HelpWindow::PageChanged(const QUrl& url) {
  const QString title = browser_->documentTitle();
  setWindowTitle(title.isEmpty() ? QStringLiteral("ZOTRA ヘルプ") : title);
  // The browser tells the new page before it keeps it as its source.
  const QString page = url.toLocalFile();
  contents_->setEnabled(FileExists(HelpPagePath(QFileInfo(page).path(), kContentsStem)) &&
                        QFileInfo(page).completeBaseName().compare(kContentsStem, Qt::CaseInsensitive) != 0);
}

}  // namespace zotra
