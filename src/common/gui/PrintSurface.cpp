#include "PrintSurface.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QList>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <memory>

namespace zotra {

QColor PaletteColor(int index) {
  static const QRgb palette[16] = {
      0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
      0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
  };
  if (index < 0 || index > 15) return QColor(Qt::black);
  return QColor(palette[index]);
}

double NormalizedFontSize(double points) {
  if (!std::isfinite(points)) return 10;
  return std::clamp(std::round(points * 20) / 20, 1.0, 500.0);
}

double Calibration::ClampScale(double scale) {
  if (!std::isfinite(scale)) return 1;
  return std::clamp(scale, kMinimumScale, kMaximumScale);
}

// ---- fonts and measures --------------------------------------------------------

namespace {

struct ResolvedFont {
  PrintFont asked;
  QFont font;
  QFontMetricsF metrics{QFont()};
  // Widths already measured: documents print the same texts again and again
  // (dates, times, exchanges), and shaping a text costs far more than a look-up.
  mutable QHash<QString, double> widths;
};

constexpr qsizetype kMaxRememberedWidths = 50000;

// One QFont per font of the documents, sized in paint units: the same glyph
// advances serve every device, so measuring never depends on where the page
// goes. The fonts are kept for the life of the application (a document uses a
// handful); the last one found is remembered, as texts mostly share a font.
struct FontCache {
  QList<std::shared_ptr<const ResolvedFont>> fonts;
  std::shared_ptr<const ResolvedFont> last;

  static FontCache& Instance() {
    // Emptied when the application ends, before Qt's fonts go away.
    static FontCache* cache = [] {
      qAddPostRoutine([] {
        Instance().fonts.clear();
        Instance().last.reset();
      });
      return new FontCache;
    }();
    return *cache;
  }
};

const ResolvedFont& Resolve(const PrintFont& f) {
  FontCache& cache = FontCache::Instance();
  if (cache.last && cache.last->asked == f) return *cache.last;
  for (const auto& r : cache.fonts) {
    if (r->asked == f) {
      cache.last = r;
      return *r;
    }
  }
  if (cache.fonts.size() >= 256) cache.fonts.clear();
  InstallFontSubstitutions();
  QFont font(EffectiveFontFamily(f.name));
  font.setPixelSize(qRound(NormalizedFontSize(f.size) * 20));  // 1440 units per inch, 72 points per inch
  font.setBold(f.bold);
  font.setItalic(f.italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferQuality));
  auto r = std::make_shared<ResolvedFont>();
  r->asked = f;
  r->font = font;
  r->metrics = QFontMetricsF(font);
  cache.fonts.append(r);
  cache.last = r;
  return *r;
}

}  // namespace

QFont PaintFont(const PrintFont& font) { return Resolve(font).font; }

double MeasureTextWidth(const PrintFont& font, const QString& text) {
  if (text.isEmpty()) return 0;
  const ResolvedFont& r = Resolve(font);
  const auto known = r.widths.constFind(text);
  if (known != r.widths.constEnd()) return *known;
  if (r.widths.size() >= kMaxRememberedWidths) r.widths.clear();
  const double width = r.metrics.horizontalAdvance(text) / kPaintUnitsPerMm;
  r.widths.insert(text, width);
  return width;
}

double MeasureTextHeight(const PrintFont& font) {
  const QFontMetricsF& m = Resolve(font).metrics;
  return (m.ascent() + m.descent()) / kPaintUnitsPerMm;
}

double MeasureTextAscent(const PrintFont& font) { return Resolve(font).metrics.ascent() / kPaintUnitsPerMm; }

// ---- the surface ---------------------------------------------------------------

PrintSurface::PrintSurface(QSizeF pageSize) : pageSize_(pageSize) {}

PrintSurface::~PrintSurface() = default;

void PrintSurface::SetCalibration(const Calibration& calibration) {
  calibration_ = calibration;
  calibration_.scale = Calibration::ClampScale(calibration.scale);
}

void PrintSurface::SetFont(const PrintFont& font) {
  font_ = font;
  font_.size = NormalizedFontSize(font.size);
}

void PrintSurface::SetFont(const QString& name, double size) {
  font_.name = name;
  font_.size = NormalizedFontSize(size);
}

void PrintSurface::SetFontName(const QString& name) { font_.name = name; }
void PrintSurface::SetFontSize(double points) { font_.size = NormalizedFontSize(points); }
void PrintSurface::SetBold(bool bold) { font_.bold = bold; }
void PrintSurface::SetItalic(bool italic) { font_.italic = italic; }

void PrintSurface::SetColor(const QColor& color) { color_ = color.isValid() ? color : QColor(Qt::black); }
void PrintSurface::SetPaletteColor(int index) { color_ = PaletteColor(index); }

void PrintSurface::SetLineWidth(double mm) { lineWidth_ = std::isfinite(mm) ? std::clamp(mm, 0.0, 50.0) : kMmPerDot; }
void PrintSurface::SetDrawWidth(double dots) { SetLineWidth(dots * kMmPerDot); }
void PrintSurface::SetLineStyle(LineStyle style) { lineStyle_ = style; }

double PrintSurface::TextWidth(const QString& text) const {
  return MeasureTextWidth(font_, text) / calibration_.scale;
}

double PrintSurface::TextHeight() const { return MeasureTextHeight(font_) / calibration_.scale; }

double PrintSurface::ShrinkFontWhile(const QString& text,
                                     const std::function<bool(double width, double size)>& tooLarge, double step) {
  if (!(step > 0)) return font_.size;
  while (font_.size - step >= 1 && tooLarge(TextWidth(text), font_.size)) SetFontSize(font_.size - step);
  return font_.size;
}

bool PrintSurface::Drawable() {
  if (finished_) {
    qWarning("PrintSurface: drawing after the end of the document is ignored");
    return false;
  }
  if (!pageOpen_) {
    ++pages_;
    pageOpen_ = true;
    BeginPage(pages_);
  }
  return true;
}

void PrintSurface::Emit(PrintCall& call) {
  call.page = pages_;
  Draw(call);
  Record(call);
}

void PrintSurface::Text(double x, double y, const QString& text) {
  if (!Drawable()) return;
  PrintCall call;
  call.kind = PrintCall::Kind::Text;
  const double width = MeasureTextWidth(font_, text);
  const double height = MeasureTextHeight(font_);
  const QPointF at = calibration_.ToPage(x, y);
  call.x = x;
  call.y = y;
  call.x2 = x + width / calibration_.scale;
  call.y2 = y + height / calibration_.scale;
  call.pageX = at.x();
  call.pageY = at.y();
  call.pageX2 = at.x() + width;
  call.pageY2 = at.y() + height;
  call.text = text;
  call.font = font_;
  call.color = color_;
  Emit(call);
}

void PrintSurface::TextCentred(double centreX, double y, const QString& text) {
  Text(centreX - TextWidth(text) / 2, y, text);
}

void PrintSurface::TextRight(double rightX, double y, const QString& text) { Text(rightX - TextWidth(text), y, text); }

void PrintSurface::EmitShape(PrintCall::Kind kind, double x1, double y1, double x2, double y2) {
  if (!Drawable()) return;
  PrintCall call;
  call.kind = kind;
  call.x = x1;
  call.y = y1;
  call.x2 = x2;
  call.y2 = y2;
  const QPointF from = calibration_.ToPage(x1, y1);
  const QPointF to = calibration_.ToPage(x2, y2);
  call.pageX = from.x();
  call.pageY = from.y();
  call.pageX2 = to.x();
  call.pageY2 = to.y();
  call.color = color_;
  call.lineWidth = lineWidth_;
  call.lineStyle = lineStyle_;
  Emit(call);
}

void PrintSurface::Line(double x1, double y1, double x2, double y2) { EmitShape(PrintCall::Kind::Line, x1, y1, x2, y2); }

void PrintSurface::HorizontalLine(double x, double y, double length) { Line(x, y, x + length, y); }

void PrintSurface::VerticalLine(double x, double y, double length) { Line(x, y, x, y + length); }

void PrintSurface::Box(double x, double y, double width, double height) {
  EmitShape(PrintCall::Kind::Box, x, y, x + width, y + height);
}

void PrintSurface::FilledBox(double x, double y, double width, double height) {
  EmitShape(PrintCall::Kind::FilledBox, x, y, x + width, y + height);
}

void PrintSurface::EndPage() {
  if (finished_ || !pageOpen_) return;
  FinishPage(pages_);
  pageOpen_ = false;
  PrintCall call;
  call.kind = PrintCall::Kind::EndPage;
  call.page = pages_;
  Record(call);
}

bool PrintSurface::EndDocument() {
  if (finished_) return result_;
  EndPage();
  finished_ = true;
  result_ = FinishDocument();
  PrintCall call;
  call.kind = PrintCall::Kind::EndDocument;
  call.page = pages_;
  Record(call);
  return result_;
}

// ---- recording -----------------------------------------------------------------

QList<PrintCall> RecordingSurface::PageCalls(int page) const {
  QList<PrintCall> result;
  for (const PrintCall& c : calls_) {
    if (c.page == page && c.kind != PrintCall::Kind::EndPage && c.kind != PrintCall::Kind::EndDocument) {
      result.append(c);
    }
  }
  return result;
}

QList<PrintCall> RecordingSurface::Texts(int page) const {
  QList<PrintCall> result;
  for (const PrintCall& c : calls_) {
    if (c.kind == PrintCall::Kind::Text && (page == 0 || c.page == page)) result.append(c);
  }
  return result;
}

const PrintCall* RecordingSurface::FindText(const QString& text) const {
  for (const PrintCall& c : calls_) {
    if (c.kind == PrintCall::Kind::Text && c.text == text) return &c;
  }
  return nullptr;
}

}  // namespace zotra
