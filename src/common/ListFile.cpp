#include "ListFile.h"

#include "Files.h"
#include "Text.h"

namespace zotra {
namespace {

bool IsLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

}  // namespace

ListReader::ListReader(QString text) : text_(std::move(text)) {}

ListReader ListReader::FromFile(const QString& path, bool* found) {
  QString text;
  const bool ok = ReadText(path, &text);
  if (found) *found = ok;
  return ListReader(text);
}

void ListReader::SkipLineEnd() {
  if (pos_ < text_.size() && text_.at(pos_) == QLatin1Char('\r')) {
    ++pos_;
    if (pos_ < text_.size() && text_.at(pos_) == QLatin1Char('\n')) ++pos_;
  } else if (pos_ < text_.size() && text_.at(pos_) == QLatin1Char('\n')) {
    ++pos_;
  }
}

bool ListReader::AtEnd() const {
  if (pendingEmpty_) return false;
  int p = pos_;
  while (p < text_.size() && (IsLineEnd(text_.at(p)) || text_.at(p) == QChar(0x1A))) ++p;
  return p >= text_.size();
}

bool ListReader::Next(QString* field) {
  field->clear();
  if (pendingEmpty_) {
    pendingEmpty_ = false;
    return true;
  }
  const int n = text_.size();
  // Empty lines hold no field.
  while (pos_ < n && IsLineEnd(text_.at(pos_))) ++pos_;
  // An end-of-file mark ends the text.
  if (pos_ < n && text_.at(pos_) == QChar(0x1A)) pos_ = n;
  if (pos_ >= n) return false;

  while (pos_ < n && (text_.at(pos_) == QLatin1Char(' ') || text_.at(pos_) == QLatin1Char('\t'))) ++pos_;

  if (pos_ < n && text_.at(pos_) == QLatin1Char('"')) {
    ++pos_;
    const int start = pos_;
    while (pos_ < n && text_.at(pos_) != QLatin1Char('"') && !IsLineEnd(text_.at(pos_))) ++pos_;
    *field = text_.mid(start, pos_ - start);
    if (pos_ < n && text_.at(pos_) == QLatin1Char('"')) ++pos_;
    // Anything between the closing quote and the delimiter is ignored.
    while (pos_ < n && text_.at(pos_) != QLatin1Char(',') && !IsLineEnd(text_.at(pos_))) ++pos_;
  } else {
    const int start = pos_;
    while (pos_ < n && text_.at(pos_) != QLatin1Char(',') && !IsLineEnd(text_.at(pos_))) ++pos_;
    QString f = text_.mid(start, pos_ - start);
    while (!f.isEmpty() && (f.endsWith(QLatin1Char(' ')) || f.endsWith(QLatin1Char('\t')))) f.chop(1);
    *field = f;
  }

  if (pos_ < n && text_.at(pos_) == QLatin1Char(',')) {
    ++pos_;
    // A comma that ends its line leaves one empty field behind it.
    int p = pos_;
    while (p < n && (text_.at(p) == QLatin1Char(' ') || text_.at(p) == QLatin1Char('\t'))) ++p;
    if (p >= n || IsLineEnd(text_.at(p))) {
      pos_ = p;
      pendingEmpty_ = true;
    }
  } else {
    SkipLineEnd();
  }
  return true;
}

QString ListReader::NextField() {
  QString f;
  Next(&f);
  return f;
}

QString ListReader::RestOfLine() {
  pendingEmpty_ = false;
  const int start = pos_;
  while (pos_ < text_.size() && !IsLineEnd(text_.at(pos_))) ++pos_;
  const QString rest = text_.mid(start, pos_ - start);
  SkipLineEnd();
  return rest;
}

QStringList SplitListLine(const QString& line) {
  ListReader reader(line);
  QStringList fields;
  QString f;
  while (reader.Next(&f)) fields << f;
  return fields;
}

QString QuoteField(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char('"'), QChar(0xFF02));
  t.remove(QLatin1Char('\r'));
  t.remove(QLatin1Char('\n'));
  return QLatin1Char('"') + t + QLatin1Char('"');
}

void ListWriter::Separator() {
  if (lineStarted_) out_ += QLatin1Char(',');
  lineStarted_ = true;
}

ListWriter& ListWriter::Text(const QString& text) {
  Separator();
  out_ += QuoteField(text);
  return *this;
}

ListWriter& ListWriter::Number(qint64 value) {
  Separator();
  out_ += QString::number(value);
  return *this;
}

ListWriter& ListWriter::Decimal(double value) {
  Separator();
  out_ += ShortestDecimal(value);
  return *this;
}

ListWriter& ListWriter::EndRecord() {
  out_ += QLatin1String("\r\n");
  lineStarted_ = false;
  return *this;
}

bool ListWriter::WriteTo(const QString& path, bool safe) const {
  return WriteText(path, out_, safe ? WriteMode::Safe : WriteMode::Plain);
}

}  // namespace zotra
