// Handing a finished file to the mail program: the destinations of
// "Emailad.txt", the formats the definition asks for, the text put on the
// clipboard and the "mailto:" link.
//
// "Emailad.txt" (program folder, CP932), one destination a line:
//   caption,address[,month,month,...]
// Line 0 is the test destination; lines 1 to 6 are contest destinations,
// offered in the months they list ("01" to "12"). A month from the second on
// that equals the contest's start month withdraws the line and ends it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace zotra {

class DefinitionEntries;

inline const QString kMailSettingsFileName = QStringLiteral("Emailad.txt");

// The option buttons of the destinations: 0 the test destination, 1 to 6 the
// file's contest destinations, 7 the typed one.
constexpr int kTestDestination = 0;
constexpr int kLastListedDestination = 6;
constexpr int kTypedDestination = 7;

struct Destination {
  QString caption;
  QString address;
  bool enabled = false;
  bool tipIsAddress = false;  // offered this month: the tip shows the address
};

// The destinations of the settings file's lines (at most indexes 0 to 6):
// captions and addresses, enabled in the months they list. The test
// destination (index 0) is enabled unless its line withdraws it. Empty lines
// are skipped; blanks around a field are ignored.
QList<Destination> ParseDestinations(const QStringList& lines, const QString& currentMonth,
                                     const QString& startMonth);

// Which files the definition lets the user send: the JARL electronic log when
// "[JARL電子ログ]" begins with "YES", the text log when "[VQ電子ログ]" is "YES".
struct SubmissionFormats {
  bool jarl = false;
  bool vq = false;
};
SubmissionFormats ReadSubmissionFormats(const DefinitionEntries& definition);

// "R 1.0", "R 2.1" or the empty text.
QString ElectronicLogVersionText(int version);

// The body of the new mail: three lines joined by CR LF.
QString MailText();

// The "mailto:" link, percent-encoded (UTF-8) so that no character of the
// subject or the body can end a field or add one: decoded, the subject and the
// body are exactly the texts given.
QByteArray MailLink(const QString& address, const QString& subject, const QString& body);

// A typed address is usable when it holds an at sign and a full stop.
bool IsUsableAddress(const QString& text);

// The text put on the clipboard: the file's lines, each followed by CR LF.
// False when the file cannot be read.
bool ClipboardText(const QString& path, QString* text);

// Opens a "mailto:" link with the desktop's mail program. Under
// ZOTRA_START_LOG the opening is only recorded, as a start of "open" with the
// link. False when it could not be opened.
bool OpenMailLink(const QByteArray& link, const QString& workingFolder);

}  // namespace zotra
