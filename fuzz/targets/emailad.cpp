// "Emailad.txt" as the submission window reads it: destinations, their
// months, and the "mailto:" link of each address, which never lets a
// character of the file end a field of the link or add one.
#include "FuzzSupport.h"

#include "common/Files.h"
#include "summary/Submission.h"

#include <QUrl>
#include <QUrlQuery>

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(kMailSettingsFileName, data, size);
  QStringList lines;
  FUZZ_CHECK(ReadLines(path, &lines));
  for (const QString& month : {QStringLiteral("06"), QStringLiteral("11")}) {
    const QList<Destination> destinations = ParseDestinations(lines, month, QStringLiteral("06"));
    FUZZ_CHECK(destinations.size() <= kLastListedDestination + 1);
    for (const Destination& d : destinations) {
      IsUsableAddress(d.address);
      const QByteArray link = MailLink(d.address, d.caption, MailText());
      FUZZ_CHECK(link.startsWith("mailto:") && link.count('?') == 1 && link.count('&') == 1);
      const QUrl url = QUrl::fromEncoded(link, QUrl::StrictMode);
      const QUrlQuery query(url);
      FUZZ_CHECK(query.queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded) == d.caption);
    }
  }
  QString text;
  ClipboardText(path, &text);
  return 0;
}
