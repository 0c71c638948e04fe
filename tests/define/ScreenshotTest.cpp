// Pictures of every tab and small window, for a person to look at: written
// only when ZOTRA_SHOT_DIR names a folder (run under xvfb-run to see the
// real fonts), skipped otherwise.
#include "EditorFixture.h"
#include "define/ui/CategoryWindow.h"
#include "define/ui/SmallWindows.h"

#include <QDir>
#include <QPixmap>

using namespace zotra;
using namespace zotra::test;

namespace {

QString ShotDir() { return qEnvironmentVariable("ZOTRA_SHOT_DIR"); }

void Save(QWidget* w, const QString& name) {
  QApplication::processEvents();
  w->grab().save(QDir(ShotDir()).filePath(name + ".png"), "PNG");
}

}  // namespace

TEST(Screenshots, EveryTabAndWindow) {
  if (ShotDir().isEmpty()) GTEST_SKIP() << "ZOTRA_SHOT_DIR not set";
  EditorFixture e;
  e.t.WriteCp932("ZOTRAW.TST", QString());
  DefineWindow& w = e.Open();
  e.Type("callsign", "ja1zzz");
  e.Choose("Combo2", U("ALL JAコンテスト"));
  e.Tab(1);
  for (const char* band : {"band_2", "band_4", "band_6"}) e.Click(band);
  for (int i = 0; i < 8; ++i) {
    e.Tab(i);
    Save(&w, QString("tab%1").arg(i));
  }
  // A name the contest-name file does not know: the format notice opens.
  e.Type("Combo2", " 2026");
  if (auto* notice = w.Notice()) Save(notice, "notice");
  EXPECT_NE(w.Notice(), nullptr);
  {
    DateMultiplierWarning warning(&w);
    warning.show();
    Save(&warning, "datewarning");
  }
  {
    EditorSlots editorSlots = w.Slots();
    PointsWindow points(&editorSlots, &w);
    points.show();
    Save(&points, "points");
  }
  {
    CategoryWindow form1(e.frame, e.dialogs, &w);
    form1.show();
    Save(&form1, "form1");
    form1.EditCell(2, 3);
    Save(&form1, "form1edit");
  }
  {
    ContestNameWindow form2(e.frame, e.dialogs, &w);
    form2.show();
    Save(&form2, "form2");
  }
}
