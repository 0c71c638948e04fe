// The QSO table of one run of the log program: the band selection and one row
// per QSO record of the work file "zotra.wk2", in file order.
//
// Rows are counted from 1 and columns 0 to 14: column 0 is the row number,
// columns 1 to 14 the fourteen fields of a record as read:
//   1 QSO number (0: invalid)  2 band  3 mode  4 date  5 time  6 call sign
//   7 sent (report, blank, number)  8 received  9–11 multipliers 1–3
//   12 points  13 operator  14 remarks
// Every cell keeps its text exactly as read, so a table written back without
// edits gives the same records.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <vector>

namespace zotra {

class Dialogs;
class QsoTable;
struct WorkFileLoad;
WorkFileLoad ParseWorkFile(const QString& text, QsoTable* table);

inline constexpr int kQsoFields = 14;      // columns 1 to 14
inline constexpr int kQsoColumns = 15;     // with the row-number column 0
inline constexpr int kMaxQsoCount = 32767; // the largest count the suite keeps

namespace col {
inline constexpr int kRow = 0, kNumber = 1, kBand = 2, kMode = 3, kDate = 4, kTime = 5, kCall = 6,
                     kSent = 7, kReceived = 8, kMulti1 = 9, kMulti2 = 10, kMulti3 = 11, kPoints = 12,
                     kOperator = 13, kRemarks = 14;
}

// The value of a number cell (QSO number, points): a decimal number, blanks
// around it allowed, rounded to a whole number. Anything else (an empty cell,
// "12a", "abc") counts as 0 and *numeric is false.
qint64 CellNumber(QStringView text, bool* numeric = nullptr);

// The CP932 byte length of a text (as Cp932Length).
int Cp932LengthOf(QStringView text);

class QsoTable {
 public:
  // The band selection: the first field of the work file ("7", "3.5", "ALL").
  const QString& BandSelection() const { return bandSelection_; }
  void SetBandSelection(const QString& selection) { bandSelection_ = selection; }

  // Number of QSO rows (the table's rows without the heading row).
  int RowCount() const { return static_cast<int>(rows_.size()); }
  bool InTable(int row) const { return row >= 1 && row <= RowCount(); }
  bool IsEmpty() const { return rows_.empty(); }

  // The text of a cell; row 1 … RowCount(), column 0 … 14 (column 0 gives the
  // row number). Outside the table: the empty text.
  QString Cell(int row, int column) const;
  // A field's text without a copy: row 1 … RowCount(), column 1 … 14 only.
  // The view stays valid while the table lives, also across later changes.
  QStringView Field(int row, int column) const;
  // Replaces a cell's text (columns 1 … 14); false outside the table.
  bool SetCell(int row, int column, const QString& text);
  // Adds a row: the first fourteen fields (missing ones empty).
  void AppendRecord(const QStringList& fields);
  void Clear();

  // The QSO number's value; a QSO is valid when it is not 0.
  qint64 Number(int row) const { return InTable(row) ? CellNumber(Field(row, col::kNumber)) : 0; }
  bool IsValid(int row) const { return Number(row) != 0; }
  // The points of the QSO as a whole number.
  qint64 Points(int row) const { return InTable(row) ? CellNumber(Field(row, col::kPoints)) : 0; }

  // The longest CP932 byte length of columns 7 to 11 over all rows, as found
  // when the table was loaded (kept by the loader; 0 for other columns).
  int LongestBytes(int column) const;
  // Measures columns 7 to 11 again over the current cells.
  void MeasureLongestBytes();

 private:
  friend WorkFileLoad ParseWorkFile(const QString& text, QsoTable* table);

  // Where a cell's text lies: a slice of the file's text as read, or (once
  // changed) one of the texts kept for changed cells.
  struct Slice {
    quint32 offset = 0;  // into the file's text, or the index of a changed text
    quint32 length = 0;  // kChanged: a changed text
  };
  static constexpr quint32 kChanged = 0xFFFFFFFFu;
  using Row = std::array<Slice, kQsoFields>;

  QString bandSelection_;
  QString text_;                 // the file's text: the cells as read lie in it
  std::vector<QString> changed_; // texts of changed cells, never altered once kept
  std::vector<Row> rows_;
  std::array<int, kQsoColumns> longest_{};
};

// What loading a work file found besides its records: the problems are told
// to the user once (see WorkFileProblems).
struct WorkFileLoad {
  bool found = false;
  int shortRecords = 0;      // lines with fewer than fourteen fields (padded with empty fields)
  int longRecords = 0;       // lines with more than fourteen fields (the rest is not kept)
  int badNumbers = 0;        // QSO numbers or points that are not numbers (they count as 0)
  int firstBadRow = 0;       // the first row with a bad number
};

// Reads a work file: the band selection, then one record per line (a line is
// one record whatever its field count, so that a short line cannot shift the
// records after it). Columns 7 to 11 are measured.
WorkFileLoad ReadWorkFile(const QString& path, QsoTable* table);
// The same from a decoded text (declared above).

// The work file text of a table: the band selection quoted, then every row's
// fourteen fields, each quoted, separated by commas, each record ended by CR LF.
QString WorkFileText(const QsoTable& table);
// Written safely (temporary file, then rename); a character CP932 cannot hold
// is written as "?" and the user told once through the dialogs (when given).
bool WriteWorkFile(const QString& path, const QsoTable& table, Dialogs* dialogs = nullptr);

}  // namespace zotra
