#include "ExtractWindow.h"

#include "common/Dialogs.h"
#include "common/Frame.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zotra {
namespace {

// The window shows the progress at most this often while it reads.
constexpr int kShowEveryMs = 50;

const AreaLevel kLevels[] = {AreaLevel::Prefecture, AreaLevel::CityCounty, AreaLevel::Town, AreaLevel::AsLogged};

QLabel* ValueLabel(const QString& name, const QString& toolTip, int minimumWidth) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setToolTip(toolTip);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumWidth(minimumWidth);
  label->setMinimumHeight(24);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QCheckBox* CheckBox(const QString& name, const QString& caption, const QString& toolTip) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  box->setToolTip(toolTip);
  return box;
}

}  // namespace

ExtractWindow::ExtractWindow(Frame& frame, Dialogs& dialogs, ExtractSetup setup, QWidget* parent)
    : ProgramWindow(frame, QStringLiteral("ﾃﾞｰﾀの選択   Ver "), parent), dialogs_(dialogs), setup_(std::move(setup)) {
  setObjectName(QStringLiteral("Form1"));
  AddHelpMenu(dialogs_);
  BuildControls();
  ShowOptions();
}

ExtractWindow::~ExtractWindow() = default;

QGroupBox* ExtractWindow::BuildGroup(int group) {
  auto* box = new QGroupBox;
  box->setObjectName(QStringLiteral("Group_%1").arg(group));
  auto* layout = new QVBoxLayout(box);
  layout->setSpacing(3);
  levels_[group] = new QButtonGroup(box);
  const QString captions[4] = {QStringLiteral("都道府県に揃えます"), QStringLiteral("市郡レベルに揃えます"),
                               QStringLiteral("町村レベルまで使用"), QStringLiteral("変更しない")};
  const QString tips[4] = {QStringLiteral("エリアコードを都道府県の番号 (2桁) にします"),
                           QStringLiteral("市 (4桁)・郡 (5桁) にします。町村は郡になります"),
                           QStringLiteral("町村 (5桁+文字) まで使います"),
                           QStringLiteral("ログに記録されたまま使います")};
  for (int i = 0; i < 4; ++i) {
    auto* option = new QRadioButton(captions[i]);
    option->setObjectName(QStringLiteral("Option%1_%2").arg(i + 3).arg(group));
    option->setToolTip(tips[i]);
    levels_[group]->addButton(option, i);
    layout->addWidget(option);
  }
  check1_[group] = CheckBox(QStringLiteral("Check1_%1").arg(group), QStringLiteral("区は市に"),
                            QStringLiteral("区のコードを市のコードにします"));
  check4_[group] = CheckBox(QStringLiteral("Check4_%1").arg(group), QStringLiteral("東京の区は市扱い"),
                            QStringLiteral("東京 23 区は市として区のコードのまま使います"));
  check2_[group] = CheckBox(QStringLiteral("Check2_%1").arg(group), QStringLiteral("県名は消す"),
                            QStringLiteral("QTH の先頭の都道府県名を消します"));
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  layout->addWidget(line);
  for (QCheckBox* box2 : {check1_[group], check4_[group], check2_[group]}) layout->addWidget(box2);

  connect(levels_[group], &QButtonGroup::idClicked, this, [this, group](int id) {
    if (showingOptions_) return;
    area_.groups[static_cast<std::size_t>(group)].level = kLevels[id];
    ShowOptions();
  });
  const auto flag = [this, group](bool AreaGroupOptions::*member) {
    return [this, group, member](bool on) {
      if (showingOptions_) return;
      area_.groups[static_cast<std::size_t>(group)].*member = on;
    };
  };
  connect(check1_[group], &QCheckBox::toggled, this, flag(&AreaGroupOptions::wardsAsCities));
  connect(check4_[group], &QCheckBox::toggled, this, flag(&AreaGroupOptions::tokyoWardsAsCities));
  connect(check2_[group], &QCheckBox::toggled, this, flag(&AreaGroupOptions::dropPrefectureName));
  return box;
}

void ExtractWindow::BuildControls() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(14, 12, 14, 12);
  layout->setSpacing(8);

  // The logbook and the progress of a run.
  auto* readingBox = new QGroupBox(QStringLiteral("交信データの読込み"));
  auto* reading = new QGridLayout(readingBox);
  reading->setHorizontalSpacing(10);
  label5_ = ValueLabel(QStringLiteral("Label5"), QStringLiteral("MARQEN のデータベース"), 360);
  label5_->setText(setup_.databasePath);
  label1_ = ValueLabel(QStringLiteral("Label1"), QStringLiteral("読込み中の交信番号"), 130);
  label2_ = ValueLabel(QStringLiteral("Label2"), QStringLiteral("最後に取り込んだ交信の日付と時刻"), 150);
  label3_ = ValueLabel(QStringLiteral("Label3"), QStringLiteral("最後に取り込んだ交信のコールサイン"), 130);
  label4_ = ValueLabel(QStringLiteral("Label4"), QStringLiteral("取り込んだ交信の数"), 150);
  for (QLabel* l : {label1_, label4_}) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  reading->addWidget(new QLabel(QStringLiteral("データベース")), 0, 0);
  reading->addWidget(label5_, 0, 1, 1, 3);
  reading->addWidget(new QLabel(QStringLiteral("交信番号")), 1, 0);
  reading->addWidget(label1_, 1, 1);
  reading->addWidget(new QLabel(QStringLiteral("日付・時刻")), 1, 2);
  reading->addWidget(label2_, 1, 3);
  reading->addWidget(new QLabel(QStringLiteral("コールサイン")), 2, 0);
  reading->addWidget(label3_, 2, 1);
  reading->addWidget(new QLabel(QStringLiteral("取込み交信数")), 2, 2);
  reading->addWidget(label4_, 2, 3);
  reading->setColumnStretch(1, 1);
  reading->setColumnStretch(3, 1);
  layout->addWidget(readingBox);

  // The area-code editing.
  check3_ = CheckBox(QStringLiteral("Check3"), QStringLiteral("下記編集機能を使用する"),
                     QStringLiteral("受信ナンバーの JCC・QTH をコンテストの求めるレベルに揃えます"));
  layout->addWidget(check3_);
  frame2_ = new QGroupBox(QStringLiteral("エリアコード・QTH の編集"));
  frame2_->setObjectName(QStringLiteral("Frame2"));
  auto* frame = new QVBoxLayout(frame2_);
  auto* keyRow = new QHBoxLayout;
  combo1_ = new QComboBox;
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setToolTip(QStringLiteral("自局の地域 (キー地域) とそれ以外とで別の編集ができます"));
  combo1_->addItems(KeyRegionChoices());
  combo1_->setMaxVisibleItems(20);
  auto* keyLabel = new QLabel(QStringLiteral("キー地域"));
  keyLabel->setBuddy(combo1_);
  keyRow->addWidget(keyLabel);
  keyRow->addWidget(combo1_);
  keyRow->addStretch(1);
  frame->addLayout(keyRow);
  auto* groups = new QHBoxLayout;
  for (int g = 0; g < 2; ++g) {
    groupBox_[g] = BuildGroup(g);
    groups->addWidget(groupBox_[g], 1);
  }
  frame->addLayout(groups);
  hokkaidoBox_ = new QGroupBox(QStringLiteral("北海道を都道府県に揃えるとき"));
  hokkaidoBox_->setObjectName(QStringLiteral("Hokkaido"));
  auto* hokkaido = new QHBoxLayout(hokkaidoBox_);
  option1_ = new QRadioButton(QStringLiteral("01 北海道"));
  option1_->setObjectName(QStringLiteral("Option1"));
  option1_->setToolTip(QStringLiteral("北海道全体を 01 にします"));
  option2_ = new QRadioButton(QStringLiteral("支庁に変換"));
  option2_->setObjectName(QStringLiteral("Option2"));
  option2_->setToolTip(QStringLiteral("支庁の番号 (101〜114) にします"));
  option1_->setChecked(true);
  hokkaido->addWidget(option1_);
  hokkaido->addWidget(option2_);
  hokkaido->addStretch(1);
  frame->addWidget(hokkaidoBox_);
  layout->addWidget(frame2_);

  check5_ = CheckBox(QStringLiteral("Check5"), QStringLiteral("Qth 欄は Jcc 欄から変換して使用"),
                     QStringLiteral("QTH をエリアコードの地名から作ります"));
  check6_ = CheckBox(QStringLiteral("Check6"), QStringLiteral("10.1GHz 帯以上の場合 Rmk に使用バンドを印刷"),
                     QStringLiteral("10.1GHz を超えるバンドの交信には周波数を備考に入れます"));
  check6_->setVisible(setup_.definition.anyBandLine);
  layout->addWidget(check5_);
  layout->addWidget(check6_);

  auto* buttons = new QHBoxLayout;
  command1_ = new QPushButton(QStringLiteral("実行する"));
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setToolTip(QStringLiteral("ログからコンテストの交信を取り出します"));
  command2_ = new QPushButton(QStringLiteral("実行しない"));
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setToolTip(QStringLiteral("メニューに戻ります"));
  for (QPushButton* b : {command1_, command2_}) {
    b->setMinimumSize(150, 34);
    buttons->addWidget(b);
  }
  buttons->insertStretch(0, 1);
  buttons->addStretch(1);
  layout->addSpacing(4);
  layout->addLayout(buttons);
  setCentralWidget(central);
  command1_->setDefault(true);

  connect(check3_, &QCheckBox::toggled, this, [this](bool on) { frame2_->setEnabled(on && !running_); });
  connect(combo1_, &QComboBox::activated, this, [this](int index) {
    SelectKeyRegion(&area_, index);
    ShowOptions();
  });
  connect(option1_, &QRadioButton::toggled, this, [this](bool on) {
    if (!showingOptions_) area_.hokkaido = on ? HokkaidoChoice::WholeHokkaido : HokkaidoChoice::Subprefecture;
  });
  connect(command1_, &QPushButton::clicked, this, [this] { Run(); });
  connect(command2_, &QPushButton::clicked, this, [this] {
    if (running_) stopRequested_ = true;  // the run ends at its next look and leaves
    else ReturnToMenu();
  });
  frame2_->setEnabled(false);
}

void ExtractWindow::ShowOptions() {
  showingOptions_ = true;
  combo1_->setCurrentIndex(area_.keyRegion);
  for (int g = 0; g < 2; ++g) {
    const AreaGroupOptions& o = area_.groups[static_cast<std::size_t>(g)];
    for (int i = 0; i < 4; ++i) {
      if (kLevels[i] == o.level) levels_[g]->button(i)->setChecked(true);
    }
    check1_[g]->setChecked(o.wardsAsCities);
    check4_[g]->setChecked(o.tokyoWardsAsCities);
    check2_[g]->setChecked(o.dropPrefectureName);
  }
  groupBox_[kKeyGroup]->setTitle(area_.keyRegion == 0 ? KeyRegionChoices().first()
                                                      : QStringLiteral("キー地域: ") + combo1_->currentText());
  groupBox_[kOtherGroup]->setTitle(QStringLiteral("その他の地域"));
  groupBox_[kOtherGroup]->setEnabled(OtherRegionsEnabled(area_));
  hokkaidoBox_->setEnabled(HokkaidoChoiceOffered(area_));
  (area_.hokkaido == HokkaidoChoice::WholeHokkaido ? option1_ : option2_)->setChecked(true);
  showingOptions_ = false;
}

ExtractOptions ExtractWindow::Options() const {
  ExtractOptions o;
  o.editAreas = check3_->isChecked();
  o.area = area_;
  o.area.qthFromAreaCode = check5_->isChecked();
  o.frequencyNote = check6_->isChecked();
  return o;
}

void ExtractWindow::SetRunning(bool running) {
  running_ = running;
  if (running) {
    check3WasSet_ = check3_->isChecked();
    command1_->setText(QStringLiteral("ﾃﾞｰﾀ読込み中"));
    command2_->setText(QStringLiteral("ﾃﾞｰﾀ選択中止"));
    command2_->setToolTip(QStringLiteral("読込みを止めてメニューに戻ります"));
    // Check6 too: the options of a run are taken at its start.
    for (QWidget* w : std::initializer_list<QWidget*>{command1_, frame2_, check3_, check5_, check6_}) {
      w->setEnabled(false);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return;
  }
  QApplication::restoreOverrideCursor();
  command1_->setText(QStringLiteral("再読込する"));
  command1_->setToolTip(QStringLiteral("もう一度ログから取り出します"));
  command2_->setText(QStringLiteral("ﾒﾆｭｰに戻る"));
  command2_->setToolTip(QStringLiteral("メニューに戻ります"));
  command1_->setEnabled(true);
  check3_->setChecked(check3WasSet_);
  check3_->setEnabled(true);
  frame2_->setEnabled(check3WasSet_);
  check5_->setEnabled(true);
  check6_->setEnabled(true);
  command2_->setDefault(true);
  command2_->setFocus();
}

void ExtractWindow::ShowDatabase(const QString& label, bool warning) {
  label5_->setText(label);
  label5_->setStyleSheet(warning ? QStringLiteral("color: red;") : QString());
}

bool ExtractWindow::Progress(const ExtractProgress& p) {
  if (p.phase == shownPhase_ && p.phase != ExtractProgress::Phase::Finished && sinceShown_.isValid() &&
      sinceShown_.elapsed() < kShowEveryMs) {
    return !stopRequested_;
  }
  const bool newPhase = p.phase != shownPhase_;
  shownPhase_ = p.phase;
  label1_->setText(QString::number(p.record));
  if (p.kept > 0) label2_->setText(p.lastDate);
  else if (p.phase == ExtractProgress::Phase::Finished) label2_->setText(QStringLiteral("取り込む交信なし"));
  else if (newPhase) label2_->setText(QStringLiteral("Wait a moment"));
  label3_->setText(p.lastCall);
  label4_->setText(QString::number(p.kept));
  emit ProgressShown(p);
  QApplication::processEvents();
  sinceShown_.restart();
  return !stopRequested_;
}

ExtractResult ExtractWindow::Run() {
  if (running_) return {};
  stopRequested_ = false;
  shownPhase_ = ExtractProgress::Phase::Finished;
  sinceShown_.invalidate();
  label1_->clear();
  label2_->clear();
  label3_->clear();
  label4_->setText(QStringLiteral("0"));
  const ExtractOptions options = Options();
  SetRunning(true);
  const ExtractResult result =
      RunExtraction(MakeExtractInput(setup_, frame(), options), dialogs_, this,
                    [this](const QString& label, bool warning) { ShowDatabase(label, warning); });
  SetRunning(false);
  if (result.status == ExtractResult::Status::Stopped || result.status == ExtractResult::Status::Fatal) {
    ReturnToMenu();
  } else if (result.status == ExtractResult::Status::Finished) {
    // What was taken, and why every other record was not.
    dialogs_.Tell(ExtractAccount(result, setup_.definition), {},
                  result.kept > 0 ? Icon::Information : Icon::Warning);
  }
  return result;
}

void ExtractWindow::closeEvent(QCloseEvent* event) {
  if (running_) {
    // Closed during a run: the run stops at its next look and goes back to the menu.
    stopRequested_ = true;
    event->ignore();
    return;
  }
  ProgramWindow::closeEvent(event);
}

std::unique_ptr<ExtractWindow> OpenExtractWindow(Frame& frame, Dialogs& dialogs, const QString& environmentPath,
                                                 const QString& definitionPath) {
  ExtractSetup setup;
  if (!LoadExtractSetup(frame, environmentPath, definitionPath, dialogs, &setup)) {
    frame.StartMenu();
    return nullptr;
  }
  return std::make_unique<ExtractWindow>(frame, dialogs, std::move(setup));
}

}  // namespace zotra
