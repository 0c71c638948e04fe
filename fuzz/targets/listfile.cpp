// The list-file tokenizer: every field the reader gives, written back by the
// writer, reads back as the same field; the readers that take a few fields
// and then the rest of a line never lose their place.
#include "FuzzSupport.h"

#include "common/ListFile.h"

using namespace zotra;

namespace {

// What a field becomes when the writer writes it: a double quote turns
// full-width, line ends are dropped.
QString AsWritten(QString field) {
  field.replace(QLatin1Char('"'), QChar(0xFF02));
  field.remove(QLatin1Char('\r'));
  field.remove(QLatin1Char('\n'));
  return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses how the rest is read.
  const std::uint8_t mode = data[0];
  const QString text = fuzz::InputText(data + 1, size - 1);

  QStringList fields;
  ListReader reader(text);
  QString field;
  int steps = 0;
  for (;;) {
    const bool restOfLine = (mode >> (steps % 8)) & 1 && (mode & 0x80);
    ++steps;
    if (restOfLine) {
      const QString rest = reader.RestOfLine();
      FUZZ_CHECK(!rest.contains(QLatin1Char('\r')) && !rest.contains(QLatin1Char('\n')));
      if (reader.AtEnd()) break;
      continue;
    }
    const bool atEnd = reader.AtEnd();
    const bool read = reader.Next(&field);
    FUZZ_CHECK(atEnd == !read);
    if (!read) break;
    FUZZ_CHECK(!field.contains(QLatin1Char('\r')) && !field.contains(QLatin1Char('\n')));
    fields << field;
  }
  // Every step moves on: a line gives at most one field more than its commas,
  // a rest-of-line read takes a line end (or the end), and one last read
  // finds the end.
  FUZZ_CHECK(steps <= 2 * text.size() + 3);

  // Written as one record by the writer, the fields read back one for one.
  ListWriter writer;
  for (const QString& f : fields) writer.Text(f);
  writer.EndRecord();
  ListReader back(writer.Result());
  for (const QString& f : fields) {
    QString again;
    FUZZ_CHECK(back.Next(&again));
    FUZZ_CHECK(again == AsWritten(f));
  }
  FUZZ_CHECK(!back.Next(&field) || fields.isEmpty());

  // A line of the file read as one line keeps the fields of that line.
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (const QString& line : lines.mid(0, 8)) SplitListLine(line);
  return 0;
}
