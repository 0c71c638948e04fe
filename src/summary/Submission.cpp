#include "Submission.h"

#include "DefinitionEntries.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"

#include <QDesktopServices>
#include <QUrl>

namespace zotra {

QList<Destination> ParseDestinations(const QStringList& lines, const QString& currentMonth,
                                     const QString& startMonth) {
  QList<Destination> destinations;
  for (const QString& line : lines) {
    if (destinations.size() > kLastListedDestination) break;
    if (TrimBlanks(line).isEmpty()) continue;
    const QStringList fields = line.split(QLatin1Char(','));
    Destination d;
    d.caption = TrimBlanks(fields.value(0));
    d.address = TrimBlanks(fields.value(1));
    d.enabled = destinations.size() == kTestDestination;
    // Fields from the third on are months; counted from 1 as the file's
    // fields are.
    for (int k = 3; k <= fields.size(); ++k) {
      const QString month = TrimBlanks(fields.at(k - 1));
      if (month == currentMonth) {
        d.enabled = true;
        d.tipIsAddress = true;
      }
      if (k >= 4 && month == startMonth) {
        d.enabled = false;
        break;
      }
    }
    destinations.append(d);
  }
  return destinations;
}

SubmissionFormats ReadSubmissionFormats(const DefinitionEntries& definition) {
  SubmissionFormats f;
  f.jarl = Upper(definition.Value(QStringLiteral("[JARL電子ログ]"))).left(3) == QLatin1String("YES");
  f.vq = Upper(definition.Value(QStringLiteral("[VQ電子ログ]"))) == QLatin1String("YES");
  return f;
}

QString ElectronicLogVersionText(int version) {
  if (version == 1) return QStringLiteral("R 1.0");
  if (version == 2) return QStringLiteral("R 2.1");
  return {};
}

QString MailText() {
  return QStringLiteral("送信するコンテストログはクリップボードにコピーされています。\r\n"
                        "ここへ コンテスト提出書類を貼り付けて下さい。\r\n"
                        "このコメントを消すことを忘れないで下さい");
}

QByteArray MailLink(const QString& address, const QString& subject, const QString& body) {
  return QByteArray("mailto:") + QUrl::toPercentEncoding(address, "@") + "?Subject=" +
         QUrl::toPercentEncoding(subject) + "&Body=" + QUrl::toPercentEncoding(body);
}

bool IsUsableAddress(const QString& text) {
  return !text.isEmpty() && text.contains(QLatin1Char('@')) && text.contains(QLatin1Char('.'));
}

bool ClipboardText(const QString& path, QString* text) {
  QStringList lines;
  if (!ReadLines(path, &lines)) return false;
  text->clear();
  for (const QString& line : lines) *text += line + QStringLiteral("\r\n");
  return true;
}

bool OpenMailLink(const QByteArray& link, const QString& workingFolder) {
  if (!qEnvironmentVariableIsEmpty("ZOTRA_START_LOG")) {
    return StartDetached(QStringLiteral("open"), {QString::fromLatin1(link)}, workingFolder);
  }
  return QDesktopServices::openUrl(QUrl::fromEncoded(link, QUrl::StrictMode));
}

}  // namespace zotra
