// The list-file field syntax of the definition, work, points and printer
// files: fields separated by commas, texts in double quotes, numbers bare,
// records ended by CR LF. Readers read field by field across line ends.
#pragma once

#include <QString>
#include <QStringList>

namespace zotra {

// Reads fields one after another from a decoded text.
//  - leading blanks and tabs of a field are skipped;
//  - a quoted field ends at its closing quote (commas inside are kept); what
//    follows up to the next comma or line end is ignored; a line end before the
//    closing quote ends the field (a missing closing quote spoils one field,
//    never the rest of the file);
//  - an unquoted field ends at a comma or a line end; trailing blanks are
//    removed;
//  - a line end ends a field; empty lines hold no field.
class ListReader {
 public:
  explicit ListReader(QString text);
  // Reads the whole file (CP932). A missing file reads as empty.
  static ListReader FromFile(const QString& path, bool* found = nullptr);

  // Reads the next field; false at the end of the text.
  bool Next(QString* field);
  // The next field, or the empty text at the end.
  QString NextField();
  bool AtEnd() const;

  // The rest of the current line, unread, as it stands (for readers that take
  // a few fields and then the raw remainder); moves to the next line.
  QString RestOfLine();

 private:
  void SkipLineEnd();
  QString text_;
  int pos_ = 0;
  bool pendingEmpty_ = false;  // a comma at a line end leaves one empty field
};

// The fields of one line (no line ends inside), read with the same rules.
QStringList SplitListLine(const QString& line);

// A field as the writer puts it: a text in double quotes, with any double
// quote inside written as the full-width "＂" and line ends dropped, so that
// every file the suite writes reads back field for field.
QString QuoteField(const QString& text);

// Builds list-file records.
class ListWriter {
 public:
  ListWriter& Text(const QString& text);   // a quoted text field
  ListWriter& Number(qint64 value);        // a bare number field ("-1", "3")
  ListWriter& Decimal(double value);       // a bare decimal field, shortest form ("-1.5", "0.95", "1")
  ListWriter& EndRecord();                 // CR LF
  // Joins the fields of a record already built.
  const QString& Result() const { return out_; }
  bool WriteTo(const QString& path, bool safe) const;

 private:
  void Separator();
  QString out_;
  bool lineStarted_ = false;
};

}  // namespace zotra
