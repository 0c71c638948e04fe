#include "DefineWindow.h"

#include "CategoryWindow.h"
#include "InputRules.h"
#include "SmallWindows.h"
#include "define/DefinitionSave.h"
#include "menu/Environment.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Text.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace zotra {
namespace {

constexpr int kCategoryTab = 4;

const QString kMarkMeaningDefault = QStringLiteral("↑フィールドデーコンテストの場合は、局種係数を記入");

const char* const kMulti13Names[2][7] = {{"non1", "pfx1", "ll1", "jcc1", "gl1", "date1", "te1"},
                                         {"non3", "pfx3", "ll3", "jcc3", "gl3", "date3", "te3"}};
const char* const kMulti13Kinds[7] = {"", "Pfx", "LL", "Jcc", "GL", "Date", "Manual"};
const char* const kMulti2Names[3] = {"non2", "space2", "edit2"};
const char* const kMulti2Kinds[3] = {"", "Space", "Edit"};

QLineEdit* Edit(const QString& name, const QString& toolTip = {}, int width = 0) {
  auto* e = new QLineEdit;
  e->setObjectName(name);
  if (!toolTip.isEmpty()) e->setToolTip(toolTip);
  if (width > 0) e->setFixedWidth(width);
  return e;
}

QCheckBox* Check(const QString& name, const QString& caption, const QString& toolTip = {}) {
  auto* c = new QCheckBox(caption);
  c->setObjectName(name);
  if (!toolTip.isEmpty()) c->setToolTip(toolTip);
  return c;
}

QRadioButton* Radio(const QString& name, const QString& caption, const QString& toolTip = {}) {
  auto* r = new QRadioButton(caption);
  r->setObjectName(name);
  if (!toolTip.isEmpty()) r->setToolTip(toolTip);
  return r;
}

QPushButton* Push(const QString& name, const QString& caption, const QString& toolTip = {}) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  if (!toolTip.isEmpty()) b->setToolTip(toolTip);
  b->setAutoDefault(false);
  return b;
}

QLabel* Caption(const QString& text) {
  auto* l = new QLabel(text);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

QLabel* Hint(const QString& text) {
  auto* l = new QLabel(text);
  l->setWordWrap(true);
  l->setStyleSheet(QStringLiteral("QLabel { color: #505050; }"));
  return l;
}

QGroupBox* FrameBox(const QString& name, const QString& caption) {
  auto* g = new QGroupBox(caption);
  g->setObjectName(name);
  return g;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  for (QWidget* w : widgets) row->addWidget(w);
  if (stretch) row->addStretch();
  return row;
}

QString CheckedKind(QRadioButton* const* buttons, const char* const* kinds, int count) {
  for (int i = 0; i < count; ++i) {
    if (buttons[i]->isChecked()) return QString::fromLatin1(kinds[i]);
  }
  return {};
}

void CheckKind(QRadioButton* const* buttons, const char* const* kinds, int count, const QString& kind) {
  for (int i = 0; i < count; ++i) {
    if (kind == QLatin1String(kinds[i])) {
      buttons[i]->setChecked(true);
      return;
    }
  }
  buttons[0]->setChecked(true);
}

}  // namespace

DefineWindow::DefineWindow(Frame& frame, Dialogs& dialogs, QString environmentFile, QString definitionFile,
                           QWidget* parent)
    : ProgramWindow(frame, QStringLiteral("コンテストの設定 Ver "), parent),
      dialogs_(dialogs),
      environmentFile_(std::move(environmentFile)),
      definitionFile_(std::move(definitionFile)),
      loaded_(ContestDefinition::EditorDefaults()) {
  setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
  AddHelpMenu(dialogs_);

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(10, 8, 10, 8);

  tabStrip1_ = new QTabBar;
  tabStrip1_->setObjectName(QStringLiteral("TabStrip1"));
  tabStrip1_->setExpanding(false);
  tabStrip1_->setDrawBase(true);
  frames_ = new QStackedWidget;
  const QStringList tabs = {QStringLiteral("コンテスト名称"),   QStringLiteral("バンド･モード"),
                            QStringLiteral("コンテストナンバー"), QStringLiteral("マルチプライヤ"),
                            QStringLiteral("参加部門"),         QStringLiteral("個人情報"),
                            QStringLiteral("空中線・Rig・意見"), QStringLiteral("電子ログ・その他")};
  for (const QString& t : tabs) tabStrip1_->addTab(t);
  for (QWidget* page : {BuildNameTab(), BuildBandTab(), BuildNumberTab(), BuildMultiplierTab(), BuildCategoryTab(),
                        BuildPersonalTab(), BuildRigTab(), BuildOtherTab()}) {
    frames_->addWidget(page);
  }
  layout->addWidget(tabStrip1_);
  layout->addWidget(frames_, 1);

  check1_ = Check(QStringLiteral("Check1"), QStringLiteral("保存時に得点ファイルクリア"),
                  QStringLiteral("保存すると 得点ファイルと 前に作った電子ログなどの出力ファイルを消去します"));
  check1_->setChecked(true);
  command2_ = Push(QStringLiteral("Command2"), QStringLiteral("保存終了"),
                   QStringLiteral("設定を保存して メニューに戻ります"));
  command3_ = Push(QStringLiteral("Command3"), QStringLiteral("非保存終了"),
                   QStringLiteral("設定を保存しないで メニューに戻ります"));
  for (QPushButton* b : {command2_, command3_}) b->setMinimumSize(110, 32);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(check1_);
  bottom->addStretch();
  bottom->addWidget(command2_);
  bottom->addWidget(command3_);
  layout->addLayout(bottom);
  setCentralWidget(central);

  Connect();
  // Installed last, so that the colour is set before a field's own rules
  // take the focus event.
  UseFocusColourUnder(central);
  // Every tab in sight.
  setMinimumWidth(tabStrip1_->sizeHint().width() + 24);
  resize(minimumWidth(), 480);
}

// ---- the eight tabs ---------------------------------------------------------------------

QWidget* DefineWindow::BuildNameTab() {
  auto* frame = FrameBox(QStringLiteral("callname"), QStringLiteral("コンテスト名称･期間・主催者"));
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(10);

  callsign_ = Edit(QStringLiteral("callsign"), QStringLiteral("自分のコールサインです"), 160);
  grid->addWidget(Caption(QStringLiteral("コールサイン")), 0, 0);
  grid->addLayout(Row({callsign_}), 0, 1);

  combo2_ = new QComboBox;
  combo2_->setObjectName(QStringLiteral("Combo2"));
  combo2_->setEditable(true);
  combo2_->setInsertPolicy(QComboBox::NoInsert);
  combo2_->setMaxVisibleItems(20);
  combo2_->setMinimumWidth(320);
  combo2_->setToolTip(QStringLiteral("コンテスト名を一覧から選ぶか 入力してください"));
  command7_ = Push(QStringLiteral("Command7"), QStringLiteral("編集"),
                   QStringLiteral("コンテスト名称ファイル (コンテスト名と JARL 電子ログ形式) を編集します"));
  grid->addWidget(Caption(QStringLiteral("コンテスト名")), 1, 0);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(combo2_, 1);
  nameRow->addWidget(command7_);
  grid->addLayout(nameRow, 1, 1);

  const QStringList units = {QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日"), QStringLiteral("時"),
                             QStringLiteral("分")};
  const QStringList tips = {QStringLiteral("年 (4 桁)"), QStringLiteral("月 (2 桁)"), QStringLiteral("日 (2 桁)"),
                            QStringLiteral("時 (2 桁 24 時間制)"), QStringLiteral("分 (2 桁)")};
  for (int r = 0; r < 2; ++r) {
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    for (int i = 0; i < 5; ++i) {
      const int n = r * 5 + i;
      ymd_[n] = Edit(QStringLiteral("ymd_%1").arg(n), (r == 0 ? QStringLiteral("開始 ") : QStringLiteral("終了 ")) + tips.at(i),
                     i == 0 ? 52 : 32);
      ymd_[n]->setAlignment(Qt::AlignCenter);
      row->addWidget(ymd_[n]);
      row->addWidget(new QLabel(units.at(i)));
      if (i == 2) row->addSpacing(12);
      else row->addSpacing(4);
    }
    row->addStretch();
    grid->addWidget(Caption(r == 0 ? QStringLiteral("開始") : QStringLiteral("終了")), 2 + r, 0);
    grid->addLayout(row, 2 + r, 1);
  }

  jst_ = Radio(QStringLiteral("Jst"), QStringLiteral("JST"), QStringLiteral("Jst データのみ選択"));
  utc_ = Radio(QStringLiteral("Utc"), QStringLiteral("UTC"), QStringLiteral("Utc データのみ選択"));
  auto* basis = new QButtonGroup(frame);
  basis->addButton(jst_);
  basis->addButton(utc_);
  check5_ = Check(QStringLiteral("Check5"), QStringLiteral("Utc=>Jst"), QStringLiteral("Utc データの時刻を Jst に変換します"));
  auto* basisRow = Row({jst_, utc_});
  basisRow->insertSpacing(2, 24);
  basisRow->insertWidget(3, check5_);
  grid->addWidget(Caption(QStringLiteral("時刻")), 4, 0);
  grid->addLayout(basisRow, 4, 1);

  text1_ = Edit(QStringLiteral("Text1"), QStringLiteral("コンテストの主催者です"), 260);
  command4_ = Push(QStringLiteral("Command4"), QStringLiteral("JARL"), QStringLiteral("主催者を JARL にします"));
  grid->addWidget(Caption(QStringLiteral("主催者")), 5, 0);
  grid->addLayout(Row({text1_, command4_}), 5, 1);

  grid->addWidget(Hint(QStringLiteral("期間は 規約の開始・終了日時を 選んだ時刻 (JST または UTC) で入れてください。"
                                      "この期間と時刻の交信だけが MARQEN から取り出されます。")),
                  6, 1);
  grid->setRowStretch(7, 1);
  grid->setColumnStretch(1, 1);
  return frame;
}

QWidget* DefineWindow::BuildBandTab() {
  auto* frame = FrameBox(QStringLiteral("modeband"), QStringLiteral("交信モード・周波数等"));
  auto* layout = new QVBoxLayout(frame);

  auto* bands = new QGroupBox(QStringLiteral("参加バンド (MHz)"));
  auto* bandGrid = new QGridLayout(bands);
  for (int i = 0; i < kEditorBandSlots; ++i) {
    band_[i] = Check(QStringLiteral("band_%1").arg(i), QString());
    bandGrid->addWidget(band_[i], i / 5, i % 5);
  }
  auto* blue = new QLabel(QStringLiteral("ブルーのバンドは最大４バンドしか選択できません"));
  blue->setObjectName(QStringLiteral("Label5"));
  QPalette bluePalette = blue->palette();
  bluePalette.setColor(QPalette::WindowText, kExtraBandColour);
  blue->setPalette(bluePalette);
  bandGrid->addWidget(blue, 4, 0, 1, 5);
  layout->addWidget(bands);

  auto* lower = new QHBoxLayout;
  auto* modes = new QGroupBox(QStringLiteral("参加モード"));
  auto* modeGrid = new QGridLayout(modes);
  for (int i = 0; i < kEditorModeSlots; ++i) {
    mode_[i] = Check(QStringLiteral("mode_%1").arg(i), QString());
    modeGrid->addWidget(mode_[i], i / 3, i % 3);
  }
  lower->addWidget(modes, 1);

  auto* points = new QGroupBox(QStringLiteral("得点"));
  auto* pointsLayout = new QVBoxLayout(points);
  option4_ = Radio(QStringLiteral("Option4"), QStringLiteral("全交信一点"),
                   QStringLiteral("どのバンド・モードでも 1 交信 1 点です"));
  option5_ = Radio(QStringLiteral("Option5"), QStringLiteral("得点配分"),
                   QStringLiteral("バンドやモードによって 1 交信の得点が違います"));
  auto* pointsGroup = new QButtonGroup(frame);
  pointsGroup->addButton(option4_);
  pointsGroup->addButton(option5_);
  command8_ = Push(QStringLiteral("Command8"), QStringLiteral("設定"),
                   QStringLiteral("バンド・モード別の得点を設定します"));
  command8_->setEnabled(false);
  pointsLayout->addWidget(option4_);
  pointsLayout->addLayout(Row({option5_, command8_}));
  lower->addWidget(points, 1);
  layout->addLayout(lower);

  vqc_ = Check(QStringLiteral("VQC"), QStringLiteral("VQC での無効交信を削除"),
               QStringLiteral("MARQEN のコンテストチェックで無効にした交信を取り込みません"));
  layout->addWidget(vqc_);
  layout->addStretch();
  return frame;
}

QWidget* DefineWindow::BuildNumberTab() {
  auto* frame = FrameBox(QStringLiteral("contestno"), QStringLiteral("コンテストナンバー"));
  auto* layout = new QHBoxLayout(frame);

  for (int i = 0; i < 8; ++i) {
    xlen_[i] = Edit(QStringLiteral("xlen_%1").arg(i), QStringLiteral("MARQEN の欄から取る文字数です"), 36);
    xlen_[i]->setAlignment(Qt::AlignRight);
    MakeDigitField(xlen_[i], 2, false);
    xlen_[i]->setEnabled(false);
  }
  auto numberLabel = [](const QString& name, const QString& toolTip) {
    auto* l = new QLabel;
    l->setObjectName(name);
    l->setToolTip(toolTip);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumHeight(26);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
  };
  auto lengthRow = [](QCheckBox* box, QLineEdit* length) {
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addStretch();
    row->addWidget(new QLabel(QStringLiteral("文字数")));
    row->addWidget(length);
    return row;
  };

  auto* sent = new QGroupBox(QStringLiteral("送信コンテストナンバー"));
  auto* sentLayout = new QVBoxLayout(sent);
  sendno_ = numberLabel(QStringLiteral("Sendno"), QStringLiteral("送るコンテストナンバーの組み立てです"));
  sentLayout->addWidget(sendno_);
  text4_ = Edit(QStringLiteral("Text4"), QStringLiteral("毎回送る決まった文字です (例 電力の H や 年代の A)"), 120);
  sentLayout->addLayout(Row({new QLabel(QStringLiteral("固定文字")), text4_}));
  srmk1_ = Check(QStringLiteral("srmk1"), QStringLiteral("Rmk1"), QStringLiteral("MARQEN の Rmk1 欄から送ったナンバーを取ります"));
  srmk2_ = Check(QStringLiteral("srmk2"), QStringLiteral("Rmk2"), QStringLiteral("MARQEN の Rmk2 欄から送ったナンバーを取ります"));
  sentLayout->addLayout(lengthRow(srmk1_, xlen_[6]));
  sentLayout->addLayout(lengthRow(srmk2_, xlen_[7]));
  sentLayout->addWidget(Hint(QStringLiteral("送った RST (HisRst) の後に 固定文字と チェックした欄が チェックした順に続きます。")));
  sentLayout->addStretch();
  layout->addWidget(sent, 1);

  auto* received = new QGroupBox(QStringLiteral("受信コンテストナンバー"));
  auto* receivedLayout = new QVBoxLayout(received);
  rcvno_ = numberLabel(QStringLiteral("rcvno"), QStringLiteral("受けたコンテストナンバーの組み立てです"));
  receivedLayout->addWidget(rcvno_);
  myRst_ = Check(QStringLiteral("MyRst"), QStringLiteral("My RST 付加"), QStringLiteral("受けた RST を先頭に付けます"));
  receivedLayout->addWidget(myRst_);
  rjcc_ = Check(QStringLiteral("rjcc"), QStringLiteral("Jcc/Jcg"), QStringLiteral("MARQEN の JCC/JCG 欄です"));
  rgl_ = Check(QStringLiteral("rgl"), QStringLiteral("G.L."), QStringLiteral("MARQEN のグリッドロケーター欄です"));
  rhisname_ = Check(QStringLiteral("rhisname"), QStringLiteral("HisName"), QStringLiteral("MARQEN の名前欄です"));
  rqth_ = Check(QStringLiteral("rqth"), QStringLiteral("Qth"), QStringLiteral("MARQEN の QTH 欄です"));
  rrmk1_ = Check(QStringLiteral("rrmk1"), QStringLiteral("Rmk1"), QStringLiteral("MARQEN の Rmk1 欄です"));
  rrmk2_ = Check(QStringLiteral("rrmk2"), QStringLiteral("Rmk2"), QStringLiteral("MARQEN の Rmk2 欄です"));
  const QList<QCheckBox*> boxes = {rjcc_, rgl_, rhisname_, rqth_, rrmk1_, rrmk2_};
  for (int i = 0; i < boxes.size(); ++i) receivedLayout->addLayout(lengthRow(boxes.at(i), xlen_[i]));
  receivedLayout->addWidget(Hint(QStringLiteral("チェックした順に ナンバーが組み立てられます (6 項目まで)。")));
  receivedLayout->addStretch();
  layout->addWidget(received, 1);
  return frame;
}

QWidget* DefineWindow::BuildMultiplierTab() {
  auto* frame = FrameBox(QStringLiteral("Multi"), QStringLiteral("マルチプライヤー"));
  auto* layout = new QVBoxLayout(frame);
  auto* groups = new QHBoxLayout;
  const QStringList captions = {QStringLiteral("なし"),
                                QStringLiteral("プリフィックス (Pfx)"),
                                QStringLiteral("ラストレター (LL)"),
                                QStringLiteral("市郡区番号 (Jcc/Jcg)"),
                                QStringLiteral("グリッドロケーター (GL)"),
                                QStringLiteral("日数 (Date)"),
                                QStringLiteral("手入力 (Manual)")};
  const QStringList tips = {QStringLiteral("このマルチプライヤーは使いません"),
                            QStringLiteral("相手局コールサインのプリフィックスです"),
                            QStringLiteral("相手局コールサインの最後の文字です"),
                            QStringLiteral("MARQEN の JCC/JCG 欄です"),
                            QStringLiteral("MARQEN のグリッドロケーター欄です"),
                            QStringLiteral("運用した日数です"),
                            QStringLiteral("ログシート印刷の前に 手で入れます")};
  for (int m = 0; m < 2; ++m) {
    QRadioButton** buttons = m == 0 ? multi1_ : multi3_;
    auto* box = new QGroupBox(m == 0 ? QStringLiteral("マルチプライヤー 1") : QStringLiteral("マルチプライヤー 3"));
    auto* v = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < 7; ++i) {
      buttons[i] = Radio(QString::fromLatin1(kMulti13Names[m][i]), captions.at(i), tips.at(i));
      group->addButton(buttons[i]);
      v->addWidget(buttons[i]);
    }
    v->addStretch();
    groups->addWidget(box, 1);
    if (m == 0) {
      auto* second = new QGroupBox(QStringLiteral("マルチプライヤー 2"));
      auto* v2 = new QVBoxLayout(second);
      auto* group2 = new QButtonGroup(second);
      const QStringList captions2 = {QStringLiteral("なし"), QStringLiteral("スペース区切り"),
                                     QStringLiteral("受信番号編集")};
      const QStringList tips2 = {QStringLiteral("このマルチプライヤーは使いません"),
                                 QStringLiteral("受信ナンバーの 1 つ目と 2 つ目の空白の間です"),
                                 QStringLiteral("受信ナンバーの前と後ろから 決めた文字数を除いたものです")};
      for (int i = 0; i < 3; ++i) {
        multi2_[i] = Radio(QString::fromLatin1(kMulti2Names[i]), captions2.at(i), tips2.at(i));
        group2->addButton(multi2_[i]);
        v2->addWidget(multi2_[i]);
      }
      maesuu_ = Edit(QStringLiteral("maesuu"), QStringLiteral("受信ナンバーの前から除く文字数です"), 36);
      atosuu_ = Edit(QStringLiteral("atosuu"), QStringLiteral("受信ナンバーの後ろから除く文字数です"), 36);
      for (QLineEdit* e : {maesuu_, atosuu_}) {
        e->setAlignment(Qt::AlignRight);
        MakeDigitField(e, 2, false);
      }
      auto* edits = new QGridLayout;
      edits->setContentsMargins(20, 0, 0, 0);
      edits->addWidget(new QLabel(QStringLiteral("前から")), 0, 0);
      edits->addWidget(maesuu_, 0, 1);
      edits->addWidget(new QLabel(QStringLiteral("文字除く")), 0, 2);
      edits->addWidget(new QLabel(QStringLiteral("後ろから")), 1, 0);
      edits->addWidget(atosuu_, 1, 1);
      edits->addWidget(new QLabel(QStringLiteral("文字除く")), 1, 2);
      edits->setColumnStretch(3, 1);
      v2->addLayout(edits);
      v2->addStretch();
      groups->addWidget(second, 1);
    }
  }
  layout->addLayout(groups);
  layout->addWidget(Hint(QStringLiteral("日数マルチを使うコンテストで複数バンドに参加するときは、日数は "
                                        "サマリーシートの局種係数で指定することをお勧めします。")));
  return frame;
}

QWidget* DefineWindow::BuildCategoryTab() {
  auto* frame = FrameBox(QStringLiteral("bumon"), QStringLiteral("参加部門等"));
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(8);

  combo1_ = new QComboBox;
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setMaxVisibleItems(24);
  combo1_->setMinimumWidth(360);
  combo1_->setToolTip(QStringLiteral("コンテスト名に合う参加部門です 選ぶとコード・部門・種目に入ります"));
  command6_ = Push(QStringLiteral("Command6"), QStringLiteral("部門編集"),
                   QStringLiteral("参加部門ファイルを編集します"));
  int row = 0;
  grid->addWidget(Caption(QStringLiteral("参加部門の選択")), row, 0);
  auto* choose = new QHBoxLayout;
  choose->addWidget(combo1_, 1);
  choose->addWidget(command6_);
  grid->addLayout(choose, row++, 1);
  grid->addWidget(Hint(QStringLiteral("一覧から選ぶと コード・部門・種目 に入ります。"
                                      "一覧にないときは 規約を見て手で入れてください。")),
                  row++, 1);

  text5_ = Edit(QStringLiteral("Text5"), QStringLiteral("参加部門のコードです (サマリーシートと電子ログに書かれます)"), 120);
  text6_ = Edit(QStringLiteral("Text6"), QStringLiteral("部門の名前です (例 電信電話部門)"));
  text7_ = Edit(QStringLiteral("Text7"), QStringLiteral("種目の名前です (例 シングルオペ オールバンド)"));
  grid->addWidget(Caption(QStringLiteral("コード")), row, 0);
  grid->addLayout(Row({text5_}), row++, 1);
  grid->addWidget(Caption(QStringLiteral("部門")), row, 0);
  grid->addWidget(text6_, row++, 1);
  grid->addWidget(Caption(QStringLiteral("種目")), row, 0);
  grid->addWidget(text7_, row++, 1);

  keisuu_ = Edit(QStringLiteral("keisuu"), QStringLiteral("フィールドデーコンテストなどの局種係数です"), 120);
  grid->addWidget(Caption(QStringLiteral("局種係数")), row, 0);
  grid->addLayout(Row({keisuu_}), row++, 1);
  text8_ = Edit(QStringLiteral("Text8"), QStringLiteral("サマリーシートの ※ 印の欄の説明です"));
  command1_ = Push(QStringLiteral("Command1"), QStringLiteral("初期化"), QStringLiteral("※ 印の説明を初めの文に戻します"));
  grid->addWidget(Caption(QStringLiteral("※ の内容")), row, 0);
  auto* mark = new QHBoxLayout;
  mark->addWidget(text8_, 1);
  mark->addWidget(command1_);
  grid->addLayout(mark, row++, 1);

  idouti_ = Edit(QStringLiteral("idouti"), QStringLiteral("移動運用した場所です"));
  dengen_ = Edit(QStringLiteral("dengen"), QStringLiteral("フィールドデーコンテストなどの電源です (例 発動発電機)"));
  command5_ = Push(QStringLiteral("Command5"), QStringLiteral("消去"), QStringLiteral("移動先と電源を消します"));
  grid->addWidget(Caption(QStringLiteral("移動先")), row, 0);
  grid->addWidget(idouti_, row++, 1);
  grid->addWidget(Caption(QStringLiteral("電源")), row, 0);
  auto* power = new QHBoxLayout;
  power->addWidget(dengen_, 1);
  power->addWidget(command5_);
  grid->addLayout(power, row++, 1);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);
  return frame;
}

QWidget* DefineWindow::BuildPersonalTab() {
  auto* frame = FrameBox(QStringLiteral("kojin"), QStringLiteral("個人情報"));
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(8);
  text11_ = Edit(QStringLiteral("Text11"), QStringLiteral("郵便番号です (例 170-8073)"), 110);
  text12_ = Edit(QStringLiteral("Text12"), QStringLiteral("住所の前半です"));
  text13_ = Edit(QStringLiteral("Text13"), QStringLiteral("住所の後半です"));
  text10_ = Edit(QStringLiteral("Text10"), QStringLiteral("電話番号です"), 180);
  text9_ = Edit(QStringLiteral("Text9"), QStringLiteral("氏名です (社団局は社団名)"), 240);
  text20_ = Edit(QStringLiteral("Text20"), QStringLiteral("受付の連絡が届くメールアドレスです"));
  text14_ = Edit(QStringLiteral("Text14"), QStringLiteral("無線従事者の資格です"), 240);
  text3_ = Edit(QStringLiteral("Text3"), QStringLiteral("免許された空中線電力 (W) です"), 60);
  text3_->setAlignment(Qt::AlignRight);
  MakeDigitField(text3_, 5, true);
  option1_ = Radio(QStringLiteral("Option1"), QStringLiteral("定格"), QStringLiteral("空中線電力は定格の値です"));
  option2_ = Radio(QStringLiteral("Option2"), QStringLiteral("実測"), QStringLiteral("空中線電力は実測の値です"));
  auto* power = new QButtonGroup(frame);
  power->addButton(option1_);
  power->addButton(option2_);

  int row = 0;
  grid->addWidget(Caption(QStringLiteral("〒")), row, 0);
  grid->addLayout(Row({text11_}), row++, 1);
  grid->addWidget(Caption(QStringLiteral("住所")), row, 0);
  grid->addWidget(text12_, row++, 1);
  grid->addWidget(text13_, row++, 1);
  grid->addWidget(Caption(QStringLiteral("電話")), row, 0);
  grid->addLayout(Row({text10_}), row++, 1);
  grid->addWidget(Caption(QStringLiteral("氏名")), row, 0);
  grid->addLayout(Row({text9_}), row++, 1);
  grid->addWidget(Caption(QStringLiteral("E-mail")), row, 0);
  grid->addWidget(text20_, row++, 1);
  grid->addWidget(Caption(QStringLiteral("資格")), row, 0);
  grid->addLayout(Row({text14_}), row++, 1);
  grid->addWidget(Caption(QStringLiteral("空中線電力")), row, 0);
  auto* powerRow = Row({text3_, new QLabel(QStringLiteral("W")), option1_, option2_});
  powerRow->insertSpacing(2, 16);
  grid->addLayout(powerRow, row++, 1);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);
  return frame;
}

QWidget* DefineWindow::BuildRigTab() {
  auto* frame = FrameBox(QStringLiteral("rigant"), QStringLiteral("空中線・Rig・意見"));
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(8);
  text15_ = Edit(QStringLiteral("Text15"), QStringLiteral("使用したリグと空中線です (1 行目)"));
  text16_ = Edit(QStringLiteral("Text16"), QStringLiteral("使用したリグと空中線です (2 行目)"));
  text17_ = Edit(QStringLiteral("Text17"), QStringLiteral("サマリーシートの意見欄 (1 行目)"));
  text18_ = Edit(QStringLiteral("Text18"), QStringLiteral("サマリーシートの意見欄 (2 行目)"));
  text19_ = Edit(QStringLiteral("Text19"), QStringLiteral("サマリーシートの意見欄 (3 行目)"));
  grid->addWidget(Caption(QStringLiteral("空中線・Rig")), 0, 0);
  grid->addWidget(text15_, 0, 1);
  grid->addWidget(text16_, 1, 1);
  grid->addWidget(Caption(QStringLiteral("意見")), 2, 0);
  grid->addWidget(text17_, 2, 1);
  grid->addWidget(text18_, 3, 1);
  grid->addWidget(text19_, 4, 1);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(1, 1);
  return frame;
}

QWidget* DefineWindow::BuildOtherTab() {
  auto* frame = FrameBox(QStringLiteral("sonota"), QStringLiteral("その他"));
  auto* layout = new QVBoxLayout(frame);

  auto* jarl = new QGroupBox(QStringLiteral("電子ログ"));
  auto* jarlGrid = new QGridLayout(jarl);
  check3_ = Check(QStringLiteral("Check3"), QStringLiteral("JARL 形式 電子ログ"),
                  QStringLiteral("JARL 形式の電子ログ (サマリーとログ) を作ります"));
  option6_[1] = Radio(QStringLiteral("Option6_1"), QStringLiteral("R 1.0"), QStringLiteral("R1.0 形式で作ります"));
  option6_[2] = Radio(QStringLiteral("Option6_2"), QStringLiteral("R 2.1"),
                      QStringLiteral("R2.1 形式で作ります (JARL 本部主催のコンテスト)"));
  option3_[1] = Radio(QStringLiteral("Option3_1"), QStringLiteral("時系列"), QStringLiteral("ログを交信した順に並べます"));
  option3_[0] = Radio(QStringLiteral("Option3_0"), QStringLiteral("バンド別"), QStringLiteral("ログをバンドごとに並べます"));
  auto* form = new QButtonGroup(frame);
  form->addButton(option6_[1]);
  form->addButton(option6_[2]);
  auto* order = new QButtonGroup(frame);
  order->addButton(option3_[1]);
  order->addButton(option3_[0]);
  jarlGrid->addWidget(check3_, 0, 0);
  jarlGrid->addWidget(new QLabel(QStringLiteral("形式")), 0, 1, Qt::AlignRight);
  jarlGrid->addWidget(option6_[1], 0, 2);
  jarlGrid->addWidget(option6_[2], 0, 3);
  jarlGrid->addWidget(new QLabel(QStringLiteral("並び")), 1, 1, Qt::AlignRight);
  jarlGrid->addWidget(option3_[1], 1, 2);
  jarlGrid->addWidget(option3_[0], 1, 3);
  check4_ = Check(QStringLiteral("Check4"), QStringLiteral("VQ 形式 電子ログ"),
                  QStringLiteral("テキスト形式のサマリーとログを作ります"));
  jarlGrid->addWidget(check4_, 2, 0);
  jarlGrid->setColumnStretch(4, 1);
  layout->addWidget(jarl);

  auto* operators = new QGroupBox(QStringLiteral("運用者"));
  auto* opLayout = new QVBoxLayout(operators);
  text21_ = Edit(QStringLiteral("Text21"), QStringLiteral("運用者のコールサイン"));
  opLayout->addLayout(Row({new QLabel(QStringLiteral("運用者のコールサイン")), text21_}, false));
  opLayout->addWidget(Hint(QStringLiteral("マルチオペの運用者や 免許人以外が運用したときの運用者のコールサインを "
                                          "空白で区切って入れてください。")));
  layout->addWidget(operators);

  auto* club = new QGroupBox(QStringLiteral("登録クラブ"));
  auto* clubGrid = new QGridLayout(club);
  check2_ = Check(QStringLiteral("Check2"), QStringLiteral("サマリーシート印刷時有効"),
                  QStringLiteral("サマリーシートに登録クラブを印刷します"));
  text22_ = Edit(QStringLiteral("Text22"), QStringLiteral("JARL 登録クラブの番号です"), 140);
  text23_ = Edit(QStringLiteral("Text23"), QStringLiteral("JARL 登録クラブの名前です"));
  clubGrid->addWidget(check2_, 0, 0, 1, 2);
  clubGrid->addWidget(Caption(QStringLiteral("クラブ番号")), 1, 0);
  clubGrid->addLayout(Row({text22_}), 1, 1);
  clubGrid->addWidget(Caption(QStringLiteral("クラブ名")), 2, 0);
  clubGrid->addWidget(text23_, 2, 1);
  clubGrid->setColumnStretch(1, 1);
  layout->addWidget(club);
  layout->addStretch();
  return frame;
}

// ---- what the controls do ------------------------------------------------------------------

void DefineWindow::Connect() {
  connect(tabStrip1_, &QTabBar::currentChanged, this, [this](int index) {
    if (index == kCategoryTab && !loading_) RebuildCategoryList();
    frames_->setCurrentIndex(index);
  });

  // Contest name.
  combo2_->installEventFilter(this);
  connect(combo2_, &QComboBox::activated, this, [this] {
    if (loading_) return;
    chosenFromList_ = true;
    LookUpLogForm();
  });
  connect(combo2_->lineEdit(), &QLineEdit::textEdited, this, [this] {
    if (loading_ || !chosenFromList_) return;
    chosenFromList_ = false;
    LookUpLogForm();
  });
  connect(command7_, &QPushButton::clicked, this, [this] {
    ContestNameWindow window(frame(), dialogs_, this);
    window.exec();
    ReloadContestNames();
  });

  MakeUpperCaseField(callsign_, false);
  QList<QLineEdit*> period;
  for (QLineEdit* f : ymd_) period << f;
  MakePeriodFields(period, jst_);
  connect(jst_, &QRadioButton::toggled, this, [this] {
    ShowTimeBasis();
    if (!loading_) check5_->setChecked(false);
  });
  connect(command4_, &QPushButton::clicked, this, [this] { text1_->setText(QStringLiteral("JARL")); });

  // Bands, modes, points.
  for (int i = 0; i < kEditorBandSlots; ++i) {
    connect(band_[i], &QCheckBox::clicked, this, [this, i](bool on) { BandClicked(i, on); });
  }
  for (int i = 0; i < kEditorModeSlots; ++i) {
    connect(mode_[i], &QCheckBox::clicked, this, [this, i](bool on) {
      if (!slots_.SetMode(i, on)) mode_[i]->setChecked(false);
    });
  }
  connect(option4_, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    slots_.OnePointEach();
    command8_->setEnabled(false);
  });
  connect(option5_, &QRadioButton::toggled, this, [this](bool on) { command8_->setEnabled(on); });
  connect(command8_, &QPushButton::clicked, this, [this] {
    PointsWindow window(&slots_, this);
    window.exec();
  });

  // Contest numbers.
  connect(text4_, &QLineEdit::textEdited, this, [this](const QString& text) {
    sent_.SetFixedText(text);
    ShowNumbers();
  });
  connect(srmk1_, &QCheckBox::clicked, this, [this](bool on) { SentRemarkClicked(QStringLiteral("Rmk1"), 6, on); });
  connect(srmk2_, &QCheckBox::clicked, this, [this](bool on) { SentRemarkClicked(QStringLiteral("Rmk2"), 7, on); });
  connect(myRst_, &QCheckBox::clicked, this, [this](bool on) {
    if (on && !received_.MyRst() && received_.PartCount() >= kMaxReceivedParts) {
      myRst_->setChecked(false);
      dialogs_.Tell(QStringLiteral("受信コンテストナンバーの項目は 6 個までです"));
      return;
    }
    received_.SetMyRst(on);
    ShowNumbers();
  });
  const QList<QPair<QCheckBox*, QString>> receivedBoxes = {
      {rjcc_, QStringLiteral("Jcc")},     {rgl_, QStringLiteral("GL")},     {rhisname_, QStringLiteral("HisName")},
      {rqth_, QStringLiteral("Qth")},     {rrmk1_, QStringLiteral("Rmk1")}, {rrmk2_, QStringLiteral("Rmk2")}};
  for (int i = 0; i < receivedBoxes.size(); ++i) {
    QCheckBox* box = receivedBoxes.at(i).first;
    const QString item = receivedBoxes.at(i).second;
    connect(box, &QCheckBox::clicked, this, [this, box, item, i](bool on) { ReceivedClicked(box, item, i, on); });
  }
  for (int i = 0; i < 8; ++i) {
    connect(xlen_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) { LengthEdited(i, text); });
  }

  // Multipliers: the counts belong to the edited received number only.
  connect(multi2_[2], &QRadioButton::toggled, this, [this](bool on) {
    maesuu_->setEnabled(on);
    atosuu_->setEnabled(on);
  });

  // Category.
  connect(combo1_, &QComboBox::activated, this, [this](int index) {
    const QStringList parts = combo1_->itemData(index).toStringList();
    const CategoryChoice choice = parts.size() == 3 ? CategoryChoice{parts.at(0), parts.at(1), parts.at(2)}
                                                    : SplitCategoryEntry(combo1_->itemText(index));
    text5_->setText(choice.code);
    text6_->setText(choice.section);
    text7_->setText(choice.event);
  });
  connect(command6_, &QPushButton::clicked, this, [this] {
    CategoryWindow window(frame(), dialogs_, this);
    window.exec();
    RebuildCategoryList();
  });
  connect(command1_, &QPushButton::clicked, this, [this] { text8_->setText(kMarkMeaningDefault); });
  connect(command5_, &QPushButton::clicked, this, [this] {
    idouti_->clear();
    dengen_->clear();
  });

  // Electronic logs and operators.
  connect(check3_, &QCheckBox::toggled, this, [this](bool on) {
    for (QRadioButton* r : {option6_[1], option6_[2], option3_[0], option3_[1]}) r->setEnabled(on);
    if (notice_ && notice_->isVisible()) notice_->SetJarlLog(on);
  });
  MakeUpperCaseField(text21_, true);

  connect(command2_, &QPushButton::clicked, this, [this] { Save(); });
  connect(command3_, &QPushButton::clicked, this, [this] { LeaveWithoutSaving(); });
}

void DefineWindow::BandClicked(int slot, bool on) {
  if (on && slots_.ExtraLimitReached(slot)) {
    band_[slot]->setChecked(false);
    dialogs_.Tell(QStringLiteral("ブルーのバンドは最大４バンドしか選択できません"));
    return;
  }
  slots_.SetBand(slot, on);
}

void DefineWindow::SentRemarkClicked(const QString& item, int lengthBox, bool on) {
  sent_.SetRemark(item, on);
  xlen_[lengthBox]->setText(on ? QStringLiteral("0") : QString());
  xlen_[lengthBox]->setEnabled(on);
  ShowNumbers();
}

void DefineWindow::ReceivedClicked(QCheckBox* box, const QString& item, int lengthBox, bool on) {
  if (!received_.SetItem(item, on)) {
    box->setChecked(false);
    dialogs_.Tell(QStringLiteral("受信コンテストナンバーの項目は 6 個までです"));
    return;
  }
  xlen_[lengthBox]->setText(on ? received_.LengthOf(item) : QString());
  xlen_[lengthBox]->setEnabled(on);
  ShowNumbers();
}

void DefineWindow::LengthEdited(int lengthBox, const QString& text) {
  static const char* const kItems[8] = {"Jcc", "GL", "HisName", "Qth", "Rmk1", "Rmk2", "Rmk1", "Rmk2"};
  const QString length = text.left(2);
  if (lengthBox >= 6) sent_.SetLength(QString::fromLatin1(kItems[lengthBox]), length);
  else received_.SetLength(QString::fromLatin1(kItems[lengthBox]), length);
  ShowNumbers();
}

bool DefineWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == combo2_ && event->type() == QEvent::FocusOut) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Opening the list or leaving the window is not leaving the field.
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) CheckContestName();
  }
  return ProgramWindow::eventFilter(watched, event);
}

void DefineWindow::CheckContestName() {
  if (loading_ || checkingName_) return;
  const QChar c = UnsuitableContestNameCharacter(combo2_->currentText());
  if (c.isNull()) return;
  checkingName_ = true;
  dialogs_.Tell(UnsuitableContestNameMessage(c), {}, Icon::Warning);
  checkingName_ = false;
}

void DefineWindow::LookUpLogForm() {
  const QString form = ContestLogForm(contestNames_, combo2_->currentText());
  if (form == QLatin1String("R2")) {
    option6_[2]->setChecked(true);
  } else if (form == QLatin1String("R1")) {
    option6_[1]->setChecked(true);
  } else if (check3_->isChecked()) {
    OpenNotice();
  }
}

void DefineWindow::OpenNotice() {
  if (!notice_) {
    notice_ = new JarlFormatNotice(this);
    connect(notice_, &JarlFormatNotice::JarlLogChanged, this, [this](bool on) { check3_->setChecked(on); });
    connect(notice_, &JarlFormatNotice::FormChanged, this, [this](bool r1) { option6_[r1 ? 1 : 2]->setChecked(true); });
  }
  notice_->Show(check3_->isChecked(), option6_[1]->isChecked());
  // Beside the window, clear of the field being typed in.
  QWidget* field = QApplication::focusWidget();
  if (!field || field->window() != this) field = combo2_;
  const QRect fieldArea(field->mapToGlobal(QPoint(0, 0)), field->size());
  const QScreen* screen = this->screen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize frameSize = notice_->frameGeometry().size();
  const QPoint place = NoticePosition(frameGeometry(), frameSize, area, fieldArea);
  notice_->move(place);
}

JarlFormatNotice* DefineWindow::Notice() const { return notice_ && notice_->isVisible() ? notice_ : nullptr; }

void DefineWindow::RebuildCategoryList() {
  combo1_->clear();
  for (const CategoryEntry& e : BuildCategoryList(frame().Folder(), combo2_->currentText(), dialogs_)) {
    combo1_->addItem(e.text, QStringList{e.choice.code, e.choice.section, e.choice.event});
  }
  if (combo1_->count() > 0) combo1_->setCurrentIndex(0);
}

void DefineWindow::ReloadContestNames() {
  const QString current = combo2_->currentText();
  contestNames_ = ReadContestNames(frame().Path(kContestNameFile));
  const QSignalBlocker block(combo2_);
  combo2_->clear();
  for (const ContestNameRow& r : contestNames_) combo2_->addItem(r.name);
  combo2_->setCurrentIndex(-1);
  combo2_->setEditText(current);
}

// ---- start, loading and showing -----------------------------------------------------------

void DefineWindow::Start() {
  loading_ = true;
  ShowPlan();
  ShowDefinition(loaded_);
  RebuildCategoryList();
  tabStrip1_->setCurrentIndex(0);
  frames_->setCurrentIndex(0);
  text8_->setText(kMarkMeaningDefault);

  const bool distributedSetting =
      frame().ReadSetting(QStringLiteral("得点配分"), QStringLiteral("固定")) != QStringLiteral("固定");
  (distributedSetting ? option5_ : option4_)->setChecked(true);

  ContestDefinition d = ContestDefinition::EditorDefaults();
  if (ReadDefinition(definitionFile_, &d).found) {
    loaded_ = d;
    ShowDefinition(loaded_);
    const bool distributed = slots_.ApplyDefinition(loaded_);
    ShowSlots();
    (distributed ? option5_ : option4_)->setChecked(true);
  }
  ReloadContestNames();
  loading_ = false;
}

void DefineWindow::ShowPlan() {
  slots_ = EditorSlots::FromPlan(ReadBandPlan(environmentFile_));
  for (int i = 0; i < kEditorBandSlots; ++i) {
    const BandSlot& slot = slots_.bands().at(i);
    band_[i]->setText(slot.name);
    band_[i]->setVisible(!slot.name.isEmpty());
    QPalette p = band_[i]->palette();
    if (slot.extra) {
      p.setColor(QPalette::WindowText, kExtraBandColour);
      p.setColor(QPalette::ButtonText, kExtraBandColour);
      band_[i]->setToolTip(QStringLiteral("ブルーのバンドは最大４バンドしか選択できません"));
    }
    band_[i]->setPalette(p);
  }
  for (int i = 0; i < kEditorModeSlots; ++i) {
    mode_[i]->setText(slots_.modes().at(i).name);
    mode_[i]->setVisible(!slots_.modes().at(i).name.isEmpty());
  }
  ShowSlots();
}

void DefineWindow::ShowSlots() {
  for (int i = 0; i < kEditorBandSlots; ++i) band_[i]->setChecked(slots_.bands().at(i).taken);
  for (int i = 0; i < kEditorModeSlots; ++i) mode_[i]->setChecked(slots_.modes().at(i).used);
}

void DefineWindow::ShowTimeBasis() {
  if (jst_->isChecked()) {
    check5_->setText(QStringLiteral("Utc=>Jst"));
    check5_->setToolTip(QStringLiteral("Utc データの時刻を Jst に変換します"));
  } else {
    check5_->setText(QStringLiteral("Jst=>Utc"));
    check5_->setToolTip(QStringLiteral("Jst データの時刻を Utc に変換します"));
  }
}

void DefineWindow::ShowNumbers() {
  sendno_->setText(sent_.Caption());
  rcvno_->setText(received_.Caption());
}

void DefineWindow::ShowDefinition(const ContestDefinition& d) {
  callsign_->setText(d.myCall);
  combo2_->setEditText(d.contestName);
  const PeriodTime* times[2] = {&d.start, &d.end};
  for (int r = 0; r < 2; ++r) {
    const QString parts[5] = {times[r]->year, times[r]->month, times[r]->day, times[r]->hour, times[r]->minute};
    for (int i = 0; i < 5; ++i) ymd_[r * 5 + i]->setText(parts[i]);
  }
  (d.timeBasis == QLatin1String("Jst") ? jst_ : utc_)->setChecked(true);
  ShowTimeBasis();
  check5_->setChecked(d.convertOtherBasis == 1);
  text1_->setText(d.organiser);

  // Contest numbers.
  sent_.SetItems(d.sentItems);
  received_.SetItems(d.receivedItems);
  text4_->setText(sent_.FixedText());
  const QPair<QCheckBox*, int> sentBoxes[2] = {{srmk1_, 6}, {srmk2_, 7}};
  for (int i = 0; i < 2; ++i) {
    const QString item = i == 0 ? QStringLiteral("Rmk1") : QStringLiteral("Rmk2");
    const bool on = sent_.HasRemark(item);
    sentBoxes[i].first->setChecked(on);
    xlen_[sentBoxes[i].second]->setText(on ? sent_.LengthOf(item) : QString());
    xlen_[sentBoxes[i].second]->setEnabled(on);
  }
  myRst_->setChecked(received_.MyRst());
  const QPair<QCheckBox*, QString> receivedBoxes[6] = {
      {rjcc_, QStringLiteral("Jcc")}, {rgl_, QStringLiteral("GL")},     {rhisname_, QStringLiteral("HisName")},
      {rqth_, QStringLiteral("Qth")}, {rrmk1_, QStringLiteral("Rmk1")}, {rrmk2_, QStringLiteral("Rmk2")}};
  for (int i = 0; i < 6; ++i) {
    const bool on = received_.Has(receivedBoxes[i].second);
    receivedBoxes[i].first->setChecked(on);
    xlen_[i]->setText(on ? received_.LengthOf(receivedBoxes[i].second) : QString());
    xlen_[i]->setEnabled(on);
  }
  ShowNumbers();

  // Multipliers.
  CheckKind(multi1_, kMulti13Kinds, 7, d.multi1);
  CheckKind(multi2_, kMulti2Kinds, 3, d.multi2);
  CheckKind(multi3_, kMulti13Kinds, 7, d.multi3);
  maesuu_->setText(d.multi2Front);
  atosuu_->setText(d.multi2Back);
  maesuu_->setEnabled(multi2_[2]->isChecked());
  atosuu_->setEnabled(multi2_[2]->isChecked());

  // Category and personal data.
  keisuu_->setText(d.stationCoefficient);
  text8_->setText(d.markMeaning);
  text5_->setText(d.categoryCode);
  text6_->setText(d.sectionName);
  text7_->setText(d.eventName);
  text11_->setText(d.postalCode);
  text12_->setText(d.addressFirst);
  text13_->setText(d.addressSecond);
  text10_->setText(d.phone);
  text9_->setText(d.name);
  text20_->setText(d.mail);
  text14_->setText(d.licenceClass);
  text3_->setText(d.licensedPower);
  idouti_->setText(d.portablePlace);
  dengen_->setText(d.powerSource);
  text15_->setText(d.rig1);
  text16_->setText(d.rig2);
  text17_->setText(d.opinion1);
  text18_->setText(d.opinion2);
  text19_->setText(d.opinion3);
  text21_->setText(d.operators);
  check2_->setChecked(d.printClub != 0);
  text22_->setText(d.clubNumber);
  text23_->setText(d.clubName);
  (d.powerKind == QStringLiteral("定格") ? option1_ : option2_)->setChecked(true);
  vqc_->setChecked(d.dropInvalid);

  // Electronic logs.
  const bool jarl = d.jarlLog != QLatin1String("No");
  check3_->setChecked(jarl);
  option6_[d.jarlLog == QLatin1String("Yes R1") ? 1 : 2]->setChecked(true);
  for (QRadioButton* r : {option6_[1], option6_[2], option3_[0], option3_[1]}) r->setEnabled(jarl);
  option3_[d.jarlOrder == QLatin1String("Time") ? 1 : 0]->setChecked(true);
  check4_->setChecked(d.vqLog == QLatin1String("Yes"));
}

ContestDefinition DefineWindow::CurrentDefinition() const {
  ContestDefinition d = loaded_;
  d.formatVersion = kDefinitionFormatVersion;
  d.myCall = callsign_->text();
  d.contestName = combo2_->currentText();
  PeriodTime* times[2] = {&d.start, &d.end};
  for (int r = 0; r < 2; ++r) {
    QString* parts[5] = {&times[r]->year, &times[r]->month, &times[r]->day, &times[r]->hour, &times[r]->minute};
    for (int i = 0; i < 5; ++i) *parts[i] = PadPeriodField(ymd_[r * 5 + i]->text(), i == 0 ? 4 : 2);
  }
  d.timeBasis = jst_->isChecked() ? QStringLiteral("Jst") : QStringLiteral("Utc");
  d.convertOtherBasis = check5_->isChecked() ? 1 : 0;
  slots_.FillDefinition(&d);
  d.sentItems = sent_.Items();
  d.receivedItems = received_.Items();
  d.multi1 = CheckedKind(multi1_, kMulti13Kinds, 7);
  d.multi2 = CheckedKind(multi2_, kMulti2Kinds, 3);
  d.multi2Front = maesuu_->text();
  d.multi2Back = atosuu_->text();
  d.multi3 = CheckedKind(multi3_, kMulti13Kinds, 7);
  d.organiser = text1_->text();
  d.markMeaning = text8_->text();
  d.stationCoefficient = keisuu_->text();
  d.categoryCode = text5_->text();
  d.sectionName = text6_->text();
  d.eventName = text7_->text();
  d.postalCode = text11_->text();
  d.addressFirst = text12_->text();
  d.addressSecond = text13_->text();
  d.phone = text10_->text();
  d.name = text9_->text();
  d.mail = text20_->text();
  d.licenceClass = text14_->text();
  d.licensedPower = text3_->text();
  d.portablePlace = idouti_->text();
  d.powerSource = dengen_->text();
  d.rig1 = text15_->text();
  d.rig2 = text16_->text();
  d.opinion1 = text17_->text();
  d.opinion2 = text18_->text();
  d.opinion3 = text19_->text();
  d.operators = text21_->text();
  d.printClub = check2_->isChecked() ? 1 : 0;
  d.clubNumber = text22_->text();
  d.clubName = text23_->text();
  d.powerKind = option1_->isChecked() ? QStringLiteral("定格") : QStringLiteral("実測");
  d.dropInvalid = vqc_->isChecked();
  d.jarlLog = !check3_->isChecked()         ? QStringLiteral("No")
              : option6_[1]->isChecked() ? QStringLiteral("Yes R1")
                                         : QStringLiteral("Yes R2");
  d.jarlOrder = option3_[1]->isChecked() ? QStringLiteral("Time") : QStringLiteral("Band");
  d.vqLog = check4_->isChecked() ? QStringLiteral("Yes") : QStringLiteral("No");
  return d;
}

void DefineWindow::ShowTab(int index) {
  tabStrip1_->setCurrentIndex(index);
}

// ---- saving and leaving -----------------------------------------------------------------

bool DefineWindow::Save() {
  if (TrimBlanks(callsign_->text()).isEmpty()) {
    dialogs_.Tell(QStringLiteral("コールサインが設定されていません"), {}, Icon::Warning);
    ShowTab(0);
    callsign_->setFocus();
    return false;
  }
  ContestDefinition d = CurrentDefinition();
  const QString period = PeriodProblem(d.start, d.end);
  if (!period.isEmpty()) {
    dialogs_.Tell(period, {}, Icon::Warning);
    ShowTab(0);
    return false;
  }
  if (NeedsDateMultiplierWarning(slots_.TakenBandCount(), d.multi1, d.multi3)) {
    DateMultiplierWarning warning(this);
    if (warning.exec() != QDialog::Accepted) return false;
  }
  const int checked = CheckBeforeWriting(&d, dialogs_, QDate::currentDate().year());
  text5_->setText(d.categoryCode);
  if (checked < 0) return false;
  if (!WriteDefinitionFiles(frame(), d, dialogs_)) return false;

  command2_->setEnabled(false);
  command3_->setEnabled(false);
  frames_->hide();
  if (!ClearAfterSave(frame().Folder(), check1_->isChecked())) {
    dialogs_.Tell(PointsNotClearedMessage(frame().Path(QStringLiteral("ZOTRAPOI.DAT"))), {}, Icon::Warning);
  }
  ReturnToMenu();
  return true;
}

void DefineWindow::LeaveWithoutSaving() {
  command2_->setEnabled(false);
  command3_->setEnabled(false);
  ReturnToMenu();
}

void DefineWindow::Closing() {
  if (notice_) notice_->close();
  frame().WriteSetting(QStringLiteral("得点配分"), option5_->isChecked() ? QStringLiteral("設定") : QStringLiteral("固定"));
}

}  // namespace zotra
