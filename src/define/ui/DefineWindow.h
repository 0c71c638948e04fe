// The contest definition editor's main window: eight tabs that carry every
// field of the definition, the checks and questions before saving, and the
// way back to the menu.
#pragma once

#include "define/CategoryData.h"
#include "define/ContestDefinition.h"
#include "define/EditorModel.h"

#include "common/ui/ProgramWindow.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace zotra {

class Dialogs;
class JarlFormatNotice;

class DefineWindow : public ProgramWindow {
  Q_OBJECT
 public:
  // environmentFile: the band plan; definitionFile: the definition to load.
  DefineWindow(Frame& frame, Dialogs& dialogs, QString environmentFile, QString definitionFile,
               QWidget* parent = nullptr);

  // The editor's start: band and mode boxes, defaults, category list, the
  // points setting, the definition file, the contest-name list.
  void Start();

  // The entries as a definition (the age and licence date as loaded).
  ContestDefinition CurrentDefinition() const;
  // "保存終了": the checks, the file, the clearing, back to the menu. False
  // when the window stays open.
  bool Save();
  // "非保存終了": back to the menu, nothing saved.
  void LeaveWithoutSaving();

  // The JARL log format notice while it is open (else null).
  JarlFormatNotice* Notice() const;
  const EditorSlots& Slots() const { return slots_; }

 protected:
  void Closing() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildNameTab();
  QWidget* BuildBandTab();
  QWidget* BuildNumberTab();
  QWidget* BuildMultiplierTab();
  QWidget* BuildCategoryTab();
  QWidget* BuildPersonalTab();
  QWidget* BuildRigTab();
  QWidget* BuildOtherTab();
  void Connect();

  void ShowPlan();
  void ShowDefinition(const ContestDefinition& d);
  void ShowSlots();
  void ShowNumbers();
  void ShowTimeBasis();
  void ShowTab(int index);

  void RebuildCategoryList();
  void ReloadContestNames();
  void CheckContestName();
  void LookUpLogForm();
  void OpenNotice();
  void BandClicked(int slot, bool on);
  void ReceivedClicked(QCheckBox* box, const QString& item, int lengthBox, bool on);
  void SentRemarkClicked(const QString& item, int lengthBox, bool on);
  void LengthEdited(int lengthBox, const QString& text);

  Dialogs& dialogs_;
  QString environmentFile_;
  QString definitionFile_;
  EditorSlots slots_;
  SentNumber sent_;
  ReceivedNumber received_;
  QList<ContestNameRow> contestNames_;
  ContestDefinition loaded_;
  bool loading_ = true;
  bool chosenFromList_ = false;
  bool checkingName_ = false;
  JarlFormatNotice* notice_ = nullptr;

  QTabBar* tabStrip1_ = nullptr;
  QStackedWidget* frames_ = nullptr;

  // "コンテスト名称"
  QLineEdit* callsign_ = nullptr;
  QComboBox* combo2_ = nullptr;
  QPushButton* command7_ = nullptr;
  QLineEdit* ymd_[10] = {};
  QRadioButton* jst_ = nullptr;
  QRadioButton* utc_ = nullptr;
  QCheckBox* check5_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QPushButton* command4_ = nullptr;
  // "バンド･モード"
  QCheckBox* band_[kEditorBandSlots] = {};
  QCheckBox* mode_[kEditorModeSlots] = {};
  QRadioButton* option4_ = nullptr;
  QRadioButton* option5_ = nullptr;
  QPushButton* command8_ = nullptr;
  QCheckBox* vqc_ = nullptr;
  // "コンテストナンバー"
  QLabel* sendno_ = nullptr;
  QLineEdit* text4_ = nullptr;
  QCheckBox* srmk1_ = nullptr;
  QCheckBox* srmk2_ = nullptr;
  QLabel* rcvno_ = nullptr;
  QCheckBox* myRst_ = nullptr;
  QCheckBox* rjcc_ = nullptr;
  QCheckBox* rgl_ = nullptr;
  QCheckBox* rhisname_ = nullptr;
  QCheckBox* rqth_ = nullptr;
  QCheckBox* rrmk1_ = nullptr;
  QCheckBox* rrmk2_ = nullptr;
  QLineEdit* xlen_[8] = {};
  // "マルチプライヤ"
  QRadioButton* multi1_[7] = {};
  QRadioButton* multi2_[3] = {};
  QRadioButton* multi3_[7] = {};
  QLineEdit* maesuu_ = nullptr;
  QLineEdit* atosuu_ = nullptr;
  // "参加部門"
  QComboBox* combo1_ = nullptr;
  QLineEdit* text5_ = nullptr;
  QLineEdit* text6_ = nullptr;
  QLineEdit* text7_ = nullptr;
  QPushButton* command6_ = nullptr;
  QLineEdit* keisuu_ = nullptr;
  QLineEdit* text8_ = nullptr;
  QPushButton* command1_ = nullptr;
  QLineEdit* idouti_ = nullptr;
  QLineEdit* dengen_ = nullptr;
  QPushButton* command5_ = nullptr;
  // "個人情報"
  QLineEdit* text11_ = nullptr;
  QLineEdit* text12_ = nullptr;
  QLineEdit* text13_ = nullptr;
  QLineEdit* text10_ = nullptr;
  QLineEdit* text9_ = nullptr;
  QLineEdit* text20_ = nullptr;
  QLineEdit* text14_ = nullptr;
  QLineEdit* text3_ = nullptr;
  QRadioButton* option1_ = nullptr;
  QRadioButton* option2_ = nullptr;
  // "空中線・Rig・意見"
  QLineEdit* text15_ = nullptr;
  QLineEdit* text16_ = nullptr;
  QLineEdit* text17_ = nullptr;
  QLineEdit* text18_ = nullptr;
  QLineEdit* text19_ = nullptr;
  // "電子ログ・その他"
  QCheckBox* check3_ = nullptr;
  QRadioButton* option6_[3] = {};  // 1: R 1.0, 2: R 2.1
  QRadioButton* option3_[2] = {};  // 1: 時系列, 0: バンド別
  QCheckBox* check4_ = nullptr;
  QLineEdit* text21_ = nullptr;
  QCheckBox* check2_ = nullptr;
  QLineEdit* text22_ = nullptr;
  QLineEdit* text23_ = nullptr;
  // outside the tabs
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QCheckBox* check1_ = nullptr;
};

}  // namespace zotra
