// The print surface: every printed page of the suite is drawn through it, in
// millimetres from the top-left corner of the page, whatever receives the
// drawing (a printer, a PDF file, a preview picture, a measuring-only picture
// box, or a recording for tests). See README.md beside this file.
//
// Conventions:
// - Documents draw in form coordinates: millimetres as the form gives them.
//   The printer's calibration turns them into page coordinates inside the
//   surface: page x = (x + horizontal offset) × scale, page y = (y + vertical
//   offset) × scale. Lines and boxes thus scale with the form; fonts and pen
//   widths do not.
// - Text(x, y, text) places the text as setting the current position to (x, y)
//   and printing it did: (x, y) is the top-left corner of the text box, whose
//   height is the font's ascent plus descent (TextHeight) and whose width is
//   the text's advance (TextWidth).
// - TextWidth and TextHeight are in form millimetres (the printed size divided
//   by the scale), measured with one font metric for every back end, so a text
//   fitted into a column fits the same way on paper, in a PDF, in the preview
//   and in the picture box.
// - One surface prints one document: EndPage between pages, EndDocument once at
//   the end. A page begins with its first drawing, so EndPage after an empty
//   page adds no blank page. Drawing after EndDocument is ignored (with a
//   warning).
#pragma once

#include "Fonts.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>

namespace zotra {

// ---- units ---------------------------------------------------------------------

// Twips as the documents count them: 567 to the centimetre.
inline constexpr double kTwipsPerMm = 56.7;
constexpr double TwipsToMm(double twips) { return twips / kTwipsPerMm; }
constexpr double MmToTwips(double mm) { return mm * kTwipsPerMm; }

inline constexpr double kMmPerPoint = 25.4 / 72.0;
// A pen "dot" (the unit of SetDrawWidth): one dot of a 600 dpi printer.
inline constexpr double kMmPerDot = 25.4 / 600.0;

// A4 portrait, the suite's paper.
inline constexpr QSizeF kA4Mm{210.0, 297.0};

// ---- colours -------------------------------------------------------------------

// The sixteen classic palette colours: 0 black, 1 blue, 2 green, 3 cyan, 4 red,
// 5 magenta, 6 yellow, 7 white (light grey), 8 grey, 9 light blue, 10 light
// green, 11 light cyan, 12 light red, 13 light magenta, 14 light yellow,
// 15 bright white. An index outside 0–15 gives black.
QColor PaletteColor(int index);

// ---- fonts, lines, calibration -------------------------------------------------

struct PrintFont {
  QString name = kMinchoFont;  // as the documents name it ("ＭＳ 明朝")
  double size = 10;            // points
  bool bold = false;
  bool italic = false;

  bool operator==(const PrintFont&) const = default;
};

// Sizes are kept to 1/20 point, at least 1 point and at most 500.
double NormalizedFontSize(double points);

enum class LineStyle { Solid, Dotted };

// The dots of a dotted line, in millimetres on the page.
inline constexpr double kDotLengthMm = 0.3;
inline constexpr double kDotGapMm = 0.5;

// Per-printer offsets and scale, so that a form drawn in its own coordinates
// lands in the boxes of a preprinted sheet.
struct Calibration {
  static constexpr double kMinimumScale = 0.9;
  static constexpr double kMaximumScale = 1.1;

  double horizontalOffset = 0;  // mm, added to every x before scaling
  double verticalOffset = 0;    // mm, added to every y before scaling
  double scale = 1;

  // The scale kept within 0.9 … 1.1.
  static double ClampScale(double scale);

  QPointF ToPage(double x, double y) const {
    return {(x + horizontalOffset) * scale, (y + verticalOffset) * scale};
  }
  bool operator==(const Calibration&) const = default;
};

// ---- measuring -----------------------------------------------------------------

// The measures of a font, in millimetres on the page (before any scale). Every
// back end measures and draws with these, so they agree everywhere.
double MeasureTextWidth(const PrintFont& font, const QString& text);
double MeasureTextHeight(const PrintFont& font);  // ascent + descent
double MeasureTextAscent(const PrintFont& font);   // top of the text box to the baseline

// Painting back ends draw in paint units, 1/1440 inch, with this font (its
// pixel size is in paint units); the measures above come from the same font.
inline constexpr double kPaintUnitsPerMm = 1440.0 / 25.4;
QFont PaintFont(const PrintFont& font);

// ---- calls ---------------------------------------------------------------------

// One call of a document as the surface hands it to its back end (and as the
// recording back end keeps it).
struct PrintCall {
  enum class Kind { Text, Line, Box, FilledBox, EndPage, EndDocument };

  Kind kind = Kind::Text;
  int page = 0;  // 1 for the first page; EndDocument: the number of pages

  // Form coordinates (mm), as the document asked:
  //   Text: (x, y) the top-left corner of the text box, (x2, y2) its bottom-right
  //         corner (x + TextWidth, y + TextHeight);
  //   Line: from (x, y) to (x2, y2); Box, FilledBox: corners (x, y) and (x2, y2).
  double x = 0, y = 0, x2 = 0, y2 = 0;
  // The same points on the page (mm), after offsets and scale. A text's box
  // keeps its printed size: pageX2 - pageX is the unscaled printed width.
  double pageX = 0, pageY = 0, pageX2 = 0, pageY2 = 0;

  QString text;      // Text
  PrintFont font;    // Text
  QColor color;      // Text, Line, Box, FilledBox
  double lineWidth = 0;                  // Line, Box: pen width in mm
  LineStyle lineStyle = LineStyle::Solid;  // Line, Box
};

// ---- the surface ---------------------------------------------------------------

class PrintSurface {
 public:
  virtual ~PrintSurface();
  PrintSurface(const PrintSurface&) = delete;
  PrintSurface& operator=(const PrintSurface&) = delete;

  // Offsets and scale of the printer in use (the default changes nothing).
  void SetCalibration(const Calibration& calibration);
  const Calibration& GetCalibration() const { return calibration_; }

  // The current font (default "ＭＳ 明朝", 10 points).
  void SetFont(const PrintFont& font);
  void SetFont(const QString& name, double size);
  void SetFontName(const QString& name);
  void SetFontSize(double points);
  void SetBold(bool bold);
  void SetItalic(bool italic);
  const PrintFont& Font() const { return font_; }
  double FontSize() const { return font_.size; }

  // The current colour of texts, lines and boxes (default black).
  void SetColor(const QColor& color);
  void SetPaletteColor(int index);
  const QColor& Color() const { return color_; }

  // The pen of lines and boxes: width in mm, or in dots (1/600 inch) as
  // SetDrawWidth(1) for the thinnest rule (the default); solid or dotted.
  void SetLineWidth(double mm);
  void SetDrawWidth(double dots);
  double LineWidth() const { return lineWidth_; }
  void SetLineStyle(LineStyle style);
  LineStyle GetLineStyle() const { return lineStyle_; }

  // Measures in the current font, in form millimetres.
  double TextWidth(const QString& text) const;
  double TextHeight() const;

  // Lowers the font size by `step` while tooLarge(TextWidth(text), FontSize())
  // holds and the size stays at least 1 point; returns the size reached. For
  // "shrink in steps of 0.5 (not below 5) until narrower than 14 mm":
  //   ShrinkFontWhile(t, [](double w, double s) { return w >= 14 && s > 5; });
  double ShrinkFontWhile(const QString& text, const std::function<bool(double width, double size)>& tooLarge,
                         double step = 0.5);

  // Texts: at the top-left corner (x, y); centred on x; ending at x. One line
  // each (line breaks are not interpreted).
  void Text(double x, double y, const QString& text);
  void TextCentred(double centreX, double y, const QString& text);
  void TextRight(double rightX, double y, const QString& text);

  // Lines and boxes in the current pen and colour. A filled box is filled
  // with the current colour.
  void Line(double x1, double y1, double x2, double y2);
  void HorizontalLine(double x, double y, double length);
  void VerticalLine(double x, double y, double length);
  void Box(double x, double y, double width, double height);
  void FilledBox(double x, double y, double width, double height);

  // Ends the current page (nothing when no page is open).
  void EndPage();
  // Ends the page and the document. False when the output failed (see
  // ErrorText); calling it again changes nothing.
  bool EndDocument();

  // Pages begun so far (while a page is open, its number; 0 before the first
  // drawing).
  int PageCount() const { return pages_; }
  bool PageOpen() const { return pageOpen_; }
  bool Finished() const { return finished_; }
  // Why the output failed (empty when it did not).
  virtual QString ErrorText() const { return {}; }

  // The size of the page the back end draws on, in mm.
  QSizeF PageSize() const { return pageSize_; }

 protected:
  explicit PrintSurface(QSizeF pageSize);

  // The back end's part. BeginPage comes before the first call of each page,
  // FinishPage after its last; FinishDocument once, after the last page (also
  // when there was none).
  virtual void BeginPage(int page) {}
  virtual void Draw(const PrintCall& call) = 0;
  virtual void FinishPage(int page) {}
  virtual bool FinishDocument() { return true; }
  // Every call, page breaks and the end of the document included (the
  // recording back end keeps them).
  virtual void Record(const PrintCall& call) {}

 private:
  bool Drawable();
  void Emit(PrintCall& call);
  void EmitShape(PrintCall::Kind kind, double x1, double y1, double x2, double y2);

  QSizeF pageSize_;
  Calibration calibration_;
  PrintFont font_;
  QColor color_ = Qt::black;
  double lineWidth_ = kMmPerDot;
  LineStyle lineStyle_ = LineStyle::Solid;
  int pages_ = 0;
  bool pageOpen_ = false;
  bool finished_ = false;
  bool result_ = true;
};

// The "picture box": measures like every other back end and draws nothing.
class MeasuringSurface : public PrintSurface {
 public:
  explicit MeasuringSurface(QSizeF pageSize = kA4Mm) : PrintSurface(pageSize) {}

 protected:
  void Draw(const PrintCall&) override {}
};

// Keeps every call, for tests and for the preview (RenderPage).
class RecordingSurface : public PrintSurface {
 public:
  explicit RecordingSurface(QSizeF pageSize = kA4Mm) : PrintSurface(pageSize) {}

  // Every call in order, EndPage and EndDocument included.
  const QList<PrintCall>& Calls() const { return calls_; }
  // The drawing calls of one page (1 for the first).
  QList<PrintCall> PageCalls(int page) const;
  // The text calls (of one page, or of all pages when page is 0).
  QList<PrintCall> Texts(int page = 0) const;
  // The first text call whose text equals `text`; null when there is none.
  const PrintCall* FindText(const QString& text) const;

 protected:
  void Draw(const PrintCall&) override {}
  void Record(const PrintCall& call) override { calls_.append(call); }

 private:
  QList<PrintCall> calls_;
};

}  // namespace zotra
