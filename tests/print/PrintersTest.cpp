// The printer list, the current printer with its paper, the PDF file entry,
// real print queues, the properties dialog and the preview widget.
#include "PdfTools.h"
#include "PrintQueues.h"
#include "common/Dialogs.h"
#include "common/gui/Printers.h"
#include "common/ui/PrintPreview.h"
#include "common/ui/PrinterProperties.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void PrintOnePage(PrinterSurface& s, const QString& text) {
  s.Text(20, 20, text);
  ASSERT_TRUE(s.EndDocument()) << s.ErrorText().toStdString();
}

}  // namespace

TEST(Printers, TheListAlwaysEndsWithThePdfFile) {
  const QStringList names = PrinterNames();
  ASSERT_FALSE(names.isEmpty());
  EXPECT_EQ(names.last(), U("PDF ファイル"));
  EXPECT_EQ(names.count(kPdfPrinterName), 1);
  EXPECT_TRUE(names.contains(DefaultPrinterName()));
}

TEST(Printers, ChoosingByNameAndThePaperOfThePdfEntry) {
  PrinterSetup setup;
  EXPECT_TRUE(PrinterNames().contains(setup.Name()));
  ASSERT_TRUE(setup.Select(kPdfPrinterName));
  EXPECT_TRUE(setup.IsPdf());
  EXPECT_TRUE(setup.IsPortrait());
  EXPECT_TRUE(setup.IsA4());

  // No such printer: nothing changes.
  EXPECT_FALSE(setup.Select("no-such-printer"));
  EXPECT_FALSE(setup.Select(""));
  EXPECT_EQ(setup.Name(), kPdfPrinterName);

  // The paper checks see what the properties set; choosing the same printer
  // again keeps it.
  setup.SetOrientation(QPageLayout::Landscape);
  setup.SetPageSize(QPageSize(QPageSize::Letter));
  EXPECT_TRUE(setup.Select(kPdfPrinterName));
  EXPECT_FALSE(setup.IsPortrait());
  EXPECT_FALSE(setup.IsA4());
  EXPECT_EQ(setup.Orientation(), QPageLayout::Landscape);
  EXPECT_EQ(setup.PageSize().id(), QPageSize::Letter);
}

TEST(Printers, AGivenPdfFileIsWrittenWithoutAQuestion) {
  TempFolder t;
  PrinterSetup setup;
  ASSERT_TRUE(setup.Select(kPdfPrinterName));
  setup.SetPdfFile(t.File("dup"));  // the suffix is added
  EXPECT_EQ(setup.PdfFile(), t.File("dup.pdf"));
  ScriptedDialogs dialogs({}, {});
  for (int run = 0; run < 2; ++run) {
    auto surface = setup.Open(dialogs, U("重複チェックリスト"));
    ASSERT_NE(surface, nullptr);
    PrintOnePage(*surface, QStringLiteral("run%1").arg(run));
  }
  EXPECT_TRUE(dialogs.Records().isEmpty());
  const PdfText pdf = ReadPdfText(t.File("dup.pdf"));
  EXPECT_NE(pdf.Find("run1"), nullptr);
  EXPECT_EQ(QString::fromUtf8(RunTool("pdfinfo", {t.File("dup.pdf")})).contains(U("重複チェックリスト")), true);
}

TEST(Printers, WithoutAPdfFileEachPrintAsksForOne) {
  TempFolder t;
  PrinterSetup setup;
  ASSERT_TRUE(setup.Select(kPdfPrinterName));
  ScriptedDialogs dialogs({}, {t.File("first.pdf"), "Cancel"});
  auto surface = setup.Open(dialogs, "log", t.Path() + "/JA1ABC_14.pdf");
  ASSERT_NE(surface, nullptr);
  PrintOnePage(*surface, "first");
  EXPECT_TRUE(t.Exists("first.pdf"));
  EXPECT_TRUE(setup.PdfFile().isEmpty());  // asked for that print only

  // The next print asks again; Cancel prints nothing.
  EXPECT_EQ(setup.Open(dialogs, "log", "JA1ABC_21.pdf"), nullptr);
  ASSERT_EQ(dialogs.Records().size(), 2);
  EXPECT_EQ(DialogFields(dialogs.Records().at(0)),
            (QStringList{"save", U("PDF ファイルの保存先"), t.Path() + "|JA1ABC_14.pdf", U("PDF ファイル (*.pdf)|*.pdf"),
                         t.File("first.pdf")}));
  // A bare name is suggested in the folder used last.
  EXPECT_EQ(DialogFields(dialogs.Records().at(1)).at(2), t.Path() + "|JA1ABC_21.pdf");
}

TEST(Printers, ThePropertiesOfThePdfEntryChooseItsFile) {
  TempFolder t;
  PrinterSetup setup;
  ASSERT_TRUE(setup.Select(kPdfPrinterName));
  ScriptedDialogs dialogs({}, {t.File("summary.pdf"), "Cancel"});
  EXPECT_TRUE(ShowPrinterProperties(setup, dialogs, nullptr, "summary.pdf"));
  EXPECT_EQ(setup.PdfFile(), t.File("summary.pdf"));
  // Cancel keeps the file chosen before.
  EXPECT_FALSE(ShowPrinterProperties(setup, dialogs, nullptr));
  EXPECT_EQ(setup.PdfFile(), t.File("summary.pdf"));

  auto surface = setup.Open(dialogs, "summary");
  ASSERT_NE(surface, nullptr);
  PrintOnePage(*surface, "summary");
  EXPECT_TRUE(t.Exists("summary.pdf"));
  EXPECT_EQ(dialogs.Records().size(), 2);
}

TEST(Printers, ThePdfEntryPrintsOnThePaperItIsGiven) {
  TempFolder t;
  PrinterSetup setup;
  ASSERT_TRUE(setup.Select(kPdfPrinterName));
  setup.SetOrientation(QPageLayout::Landscape);
  setup.SetPdfFile(t.File("landscape.pdf"));
  ScriptedDialogs dialogs({}, {});
  auto surface = setup.Open(dialogs, "landscape");
  ASSERT_NE(surface, nullptr);
  EXPECT_NEAR(surface->PageSize().width(), 297, 0.01);
  PrintOnePage(*surface, "wide");
  const PdfText pdf = ReadPdfText(t.File("landscape.pdf"));
  ASSERT_EQ(pdf.pages.size(), 1);
  EXPECT_NEAR(pdf.pages.at(0).width(), 297, 0.5);
}

// Real queues of a scheduler of the test's own: the list with the default
// chosen, the paper of each queue, and a page that reaches the queue as a
// completed job and comes out of the filter chain as the PDF file has it.
TEST(PrintQueues, TheQueuesTheirPaperAndAPageThroughTheFilterChain) {
  PrintQueues queues;
  ASSERT_TRUE(queues.Ready());
  EXPECT_EQ(PrinterNames(),
            (QStringList{PrintQueues::kA4, PrintQueues::kSecondA4, PrintQueues::kLetter, kPdfPrinterName}));
  EXPECT_EQ(DefaultPrinterName(), PrintQueues::kA4);
  PrinterSetup setup;
  EXPECT_EQ(setup.Name(), PrintQueues::kA4);
  EXPECT_TRUE(setup.IsA4() && setup.IsPortrait());
  ASSERT_TRUE(setup.Select(PrintQueues::kLetter));
  EXPECT_EQ(setup.PageSize().id(), QPageSize::Letter);
  EXPECT_TRUE(setup.IsPortrait());

  TempFolder t;
  ASSERT_TRUE(setup.Select(PrintQueues::kSecondA4));
  ScriptedDialogs dialogs({}, {});
  auto surface = setup.Open(dialogs, U("見本"));
  ASSERT_NE(surface, nullptr);
  DrawSamplePage(*surface);
  ASSERT_TRUE(surface->EndDocument()) << surface->ErrorText().toStdString();
  PrinterSurface file(t.File("sample.pdf"));
  DrawSamplePage(file);
  ASSERT_TRUE(file.EndDocument());
  ASSERT_TRUE(queues.OnlyJob(PrintQueues::kSecondA4, U("見本")));
  ExpectSamePrintout(queues.PrintedPdf(PrintQueues::kSecondA4), t.File("sample.pdf"), "sample-page");

  // A job the queue refuses is told, never taken for printed.
  ASSERT_TRUE(queues.RefuseJobs(PrintQueues::kSecondA4));
  surface = setup.Open(dialogs, U("見本"));
  DrawSamplePage(*surface);
  EXPECT_FALSE(surface->EndDocument());
  EXPECT_EQ(surface->ErrorText(), U("プリンタ zotra-a4-2 に印刷できません"));
  EXPECT_TRUE(queues.FinishedJobs().isEmpty());
}

TEST(PreviewWidget, ShowsThePageScrollsToItsCornersAndDrags) {
  RecordingSurface document;
  document.SetFont(kMinchoFont, 16);
  document.Text(65, 17, U("サ マ リ ー シ ー ト"));
  document.Box(19, 30, 89, 89.6);
  document.EndDocument();

  PrintPreviewWidget preview;
  preview.resize(400, 300);
  preview.ShowPage(document, 1, 50);
  preview.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
  EXPECT_EQ(preview.Image().size(), QSize(413, 585));
  EXPECT_EQ(preview.Picture()->size(), QSize(413, 585));

  QScrollBar* h = preview.horizontalScrollBar();
  QScrollBar* v = preview.verticalScrollBar();
  ASSERT_GT(v->maximum(), 0);
  preview.ScrollToCorner(Qt::BottomRightCorner);
  EXPECT_EQ(h->value(), h->maximum());
  EXPECT_EQ(v->value(), v->maximum());
  preview.ScrollToCorner(Qt::TopLeftCorner);
  EXPECT_EQ(h->value(), 0);
  EXPECT_EQ(v->value(), 0);

  // Dragging the page up and left shows more of its lower right part.
  QLabel* picture = preview.Picture();
  const QPoint start(200, 200);
  QTest::mousePress(picture, Qt::LeftButton, Qt::NoModifier, start);
  EXPECT_EQ(picture->cursor().shape(), Qt::SizeAllCursor);
  QTest::mouseMove(picture, start - QPoint(10, 40));
  EXPECT_EQ(h->value(), std::min(10, h->maximum()));
  EXPECT_EQ(v->value(), 40);
  QTest::mouseRelease(picture, Qt::LeftButton, Qt::NoModifier, start - QPoint(10, 40));
  EXPECT_NE(picture->cursor().shape(), Qt::SizeAllCursor);

}

// ZOTRA_PREVIEW_SCREENSHOT=<png> keeps a picture of the sample page in the
// preview, at the screen's resolution.
TEST(PreviewWidget, SamplePageAtTheScreensResolution) {
  RecordingSurface document;
  DrawSamplePage(document);
  document.EndDocument();
  PrintPreviewWidget preview;
  preview.resize(720, 560);
  preview.ShowPage(document);
  preview.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
  const double dpi = preview.logicalDpiX();
  EXPECT_EQ(preview.Image().size(), QSize(qRound(210 / 25.4 * dpi), qRound(297 / 25.4 * dpi)));
  const QString shot = qEnvironmentVariable("ZOTRA_PREVIEW_SCREENSHOT");
  if (!shot.isEmpty()) preview.grab().save(shot);
}
