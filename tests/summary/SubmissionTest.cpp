// The submission: the destinations of "Emailad.txt" and their months, the
// "mailto:" link, and the window driven as a person would (headless, the mail
// program's start recorded instead of made). With ZOTRA_SHOTS naming a
// folder, the window is also saved as a picture there.
#include "OutputFixture.h"
#include "WindowFixture.h"
#include "summary/SubmissionWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

const QStringList kMailSettings = {U("テスト送信,logtest@jarl.org"), "", "ALL JA,allja@example.jp,04,05",
                                   "6m AND DOWN,6d@example.jp,07,08", "FIELD DAY,fd@example.jp,08,06"};

// A folder with both finished files written by the print job's writers, the
// settings file, and programs started only recorded.
class SubmissionFolder : public OutputFolder {
 public:
  explicit SubmissionFolder(const ContestDefinition& d = SampleDefinition(), bool withSettings = true) {
    Definition(d);
    Lines("HED.JARL", HeaderRecords());
    Lines("7.JARL", {Qso("15", "21:05", "7", "JA2BBB", "20H", "20")});
    Points({PointsLine("7", 1, 1, 0, 0, 1)});
    if (withSettings) Lines("Emailad.txt", kMailSettings);
    outputs = RunOutputsAfterPrinting(Context());
    QGuiApplication::clipboard()->setText("before");
  }
  std::unique_ptr<SubmissionWindow> Open(Dialogs& d, QDate today = QDate(2024, 4, 10)) {
    auto w = std::make_unique<SubmissionWindow>(frame, d, outputs, today);
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
  }
  QStringList Started() const { return startLog_.Started(); }
  // The link of the mail program's start, decoded into its parts.
  struct Mail {
    QString address;
    QString subject;
    QString body;
  };
  Mail LastMail() const {
    const QStringList started = Started();
    if (started.isEmpty()) return {};
    const QStringList fields = started.last().split('\t');
    EXPECT_EQ(fields.value(0), "open");
    const QUrl url = QUrl::fromEncoded(fields.value(1).toLatin1(), QUrl::StrictMode);
    EXPECT_EQ(url.scheme(), "mailto");
    const QUrlQuery query(url);
    return {url.path(QUrl::FullyDecoded), query.queryItemValue("Subject", QUrl::FullyDecoded),
            query.queryItemValue("Body", QUrl::FullyDecoded)};
  }
  QString FileText(const QString& path) const {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return DecodeCp932(f.readAll());
  }

  OutputResult outputs;

 private:
  StartLog startLog_;
};

QString Clipboard() { return QGuiApplication::clipboard()->text(); }

// Types an address into the box and leaves it as a person would.
void TypeAddress(SubmissionWindow& w, const QString& text) {
  QLineEdit* box = Child<QLineEdit>(w, "Text1");
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

TEST(Submission, DestinationsAndTheirMonths) {
  // April, a contest starting in June: ALL JA is offered, the others not.
  QList<Destination> d = ParseDestinations(kMailSettings, "04", "06");
  ASSERT_EQ(d.size(), 4);
  EXPECT_EQ(d[0].caption, U("テスト送信"));
  EXPECT_EQ(d[0].address, "logtest@jarl.org");
  EXPECT_TRUE(d[0].enabled);
  EXPECT_FALSE(d[0].tipIsAddress);
  EXPECT_TRUE(d[1].enabled && d[1].tipIsAddress);
  EXPECT_EQ(d[1].address, "allja@example.jp");
  EXPECT_FALSE(d[2].enabled);
  EXPECT_FALSE(d[3].enabled);
  // August: 6m AND DOWN is offered; FIELD DAY is listed for August but its
  // second month is the contest's start month, which withdraws it.
  d = ParseDestinations(kMailSettings, "08", "06");
  EXPECT_FALSE(d[1].enabled);
  EXPECT_TRUE(d[2].enabled);
  EXPECT_FALSE(d[3].enabled);
  // The start month in the first month field does not withdraw a line.
  d = ParseDestinations(kMailSettings, "04", "04");
  EXPECT_TRUE(d[1].enabled);
  // A month no line lists: only the test destination.
  d = ParseDestinations(kMailSettings, "12", "06");
  EXPECT_EQ(std::count_if(d.begin(), d.end(), [](const Destination& x) { return x.enabled; }), 1);
  // Lines beyond the sixth contest are not offered; blanks around fields go.
  QStringList many = {"T,t@example.jp"};
  for (int i = 1; i <= 9; ++i) many << QString("C%1 , c%1@example.jp , 04").arg(i);
  d = ParseDestinations(many, "04", "06");
  ASSERT_EQ(d.size(), 7);
  EXPECT_EQ(d[6].caption, "C6");
  EXPECT_EQ(d[6].address, "c6@example.jp");
  EXPECT_TRUE(d[6].enabled);
}

TEST(Submission, MailLinkIsEscapedAndDecodesToItsTexts) {
  EXPECT_EQ(MailText(), U("送信するコンテストログはクリップボードにコピーされています。\r\n"
                          "ここへ コンテスト提出書類を貼り付けて下さい。\r\n"
                          "このコメントを消すことを忘れないで下さい"));
  EXPECT_EQ(MailLink("logtest@jarl.org", "JA1ZLO", "a b"), "mailto:logtest@jarl.org?Subject=JA1ZLO&Body=a%20b");
  const QString subject = "JA1ZLO/1 & M/S? #2 100%";
  const QByteArray link = MailLink("me+x@example.jp", subject, MailText());
  for (char c : {' ', '#', '\r', '\n'}) EXPECT_FALSE(link.contains(c)) << c;
  const QList<QByteArray> fields = link.mid(link.indexOf('?') + 1).split('&');
  ASSERT_EQ(fields.size(), 2);  // nothing in the texts adds a field
  EXPECT_EQ(QUrl::fromPercentEncoding(fields[0]), "Subject=" + subject);
  EXPECT_EQ(QUrl::fromPercentEncoding(fields[1]), "Body=" + MailText());
  const QUrl url = QUrl::fromEncoded(link, QUrl::StrictMode);
  ASSERT_TRUE(url.isValid());
  EXPECT_EQ(url.path(QUrl::FullyDecoded), "me+x@example.jp");
  EXPECT_EQ(QUrlQuery(url).queryItemValue("Body", QUrl::FullyDecoded), MailText());
}

TEST(SubmissionWindow, OpensWithTheTestDestination) {
  SubmissionFolder f;
  ASSERT_FALSE(f.outputs.electronicLogPath.isEmpty());
  RecordedDialogs dialogs;
  auto w = f.Open(dialogs);
  EXPECT_EQ(w->windowTitle(), U("電子ログの送信"));
  EXPECT_TRUE(w->isModal());
  QRadioButton* test = Child<QRadioButton>(*w, "Option1_0");
  EXPECT_EQ(test->text(), U("テスト送信"));
  EXPECT_EQ(test->toolTip(), U("ここへ送信すると、電子ログが正しく作成されているかどうかのチェックができます。"));
  EXPECT_TRUE(test->isChecked());
  QRadioButton* allJa = Child<QRadioButton>(*w, "Option1_1");
  EXPECT_EQ(allJa->text(), "ALL JA");
  EXPECT_TRUE(allJa->isEnabled());
  EXPECT_EQ(allJa->toolTip(), "allja@example.jp");
  EXPECT_FALSE(Child<QRadioButton>(*w, "Option1_2")->isEnabled());
  EXPECT_FALSE(Child<QRadioButton>(*w, "Option1_3")->isEnabled());
  for (int i = 4; i <= 6; ++i) EXPECT_FALSE(Child<QRadioButton>(*w, QString("Option1_%1").arg(i))->isVisible());
  QRadioButton* typed = Child<QRadioButton>(*w, "Option1_7");
  EXPECT_EQ(typed->text(), U("指定送信先"));
  EXPECT_FALSE(typed->isEnabled());
  EXPECT_EQ(Child<QLineEdit>(*w, "Text1")->toolTip(), U("ここへコンテストログの送信先を入力することも出来ます"));
  QLineEdit* subject = Child<QLineEdit>(*w, "Text2");
  EXPECT_EQ(subject->toolTip(), U("特殊な Subjectを要求された時に変更します"));
  EXPECT_EQ(subject->text(), "JA1ZLO/1");
  EXPECT_FALSE(subject->isEnabled());
  QStringList frames;
  for (QGroupBox* g : w->findChildren<QGroupBox*>()) frames << g->title();
  EXPECT_TRUE(frames.contains(U("指定送信先")) && frames.contains("Subject"));
  EXPECT_EQ(Child<QRadioButton>(*w, "Option2_0")->text(), U("JARL 形式 "));
  EXPECT_EQ(Child<QRadioButton>(*w, "Option2_1")->text(), U("VQ 形式"));
  EXPECT_TRUE(Child<QRadioButton>(*w, "Option2_0")->isChecked());
  EXPECT_EQ(Child<QLabel>(*w, "Label2")->text(), "R 2.1");
  EXPECT_TRUE(Child<QLabel>(*w, "Label2")->isEnabled());
  EXPECT_TRUE(Child<QLabel>(*w, "Label1")->text().contains(U("右ボタン")));
  EXPECT_EQ(Child<QPushButton>(*w, "Command2")->text(), U("Mailer の起動"));
  EXPECT_EQ(Child<QPushButton>(*w, "Command1")->text(), U("閉じる"));
  EXPECT_TRUE(dialogs.Records().isEmpty());
  Shot(*w, "submission");
  Child<QPushButton>(*w, "Command1")->click();
  EXPECT_FALSE(w->isVisible());
}

TEST(SubmissionWindow, TestDestinationAsksFirstWithCancelAsDefault) {
  SubmissionFolder f;
  {
    RecordedDialogs dialogs;  // no answer: the default button
    auto w = f.Open(dialogs);
    Child<QPushButton>(*w, "Command2")->click();
    ASSERT_EQ(dialogs.Messages().size(), 1);
    EXPECT_EQ(dialogs.Messages()[0].mid(2),
              (QStringList{U("送信先として指定されているのは\nテスト送信用のアドレスです"), "OK|Cancel", "Cancel"}));
    EXPECT_TRUE(f.Started().isEmpty());
    EXPECT_EQ(Clipboard(), "before");
  }
  RecordedDialogs dialogs({"OK"});
  auto w = f.Open(dialogs);
  Child<QPushButton>(*w, "Command2")->click();
  const SubmissionFolder::Mail mail = f.LastMail();
  EXPECT_EQ(mail.address, "logtest@jarl.org");
  EXPECT_EQ(mail.subject, "JA1ZLO/1");
  EXPECT_EQ(mail.body, MailText());
  // The whole electronic log is on the clipboard, with CR LF.
  EXPECT_EQ(Clipboard(), f.FileText(f.outputs.electronicLogPath));
  EXPECT_TRUE(Clipboard().startsWith("<SUMMARYSHEET VERSION=R2.1>\r\n"));
  EXPECT_TRUE(Child<QPushButton>(*w, "Command2")->isEnabled());
}

// Nothing half done goes out unasked: bands the log program never finished,
// and what the strict reader finds in the file, come first; No by default.
TEST(SubmissionWindow, UnfinishedBandsAndFaultsOfTheLogAskFirst) {
  SubmissionFolder f;
  f.t.WriteCp932("zotra.wk1", CrLf({"\"1\",\"7\",\"CW\"", "\"2\",\"14\",\"CW\""}));
  const QString unfinished = U("14MHz が未処理です\n\n"
                               "抽出した交信があるのに ログの処理で得点ファイルに書き込まれていないバンドです\n"
                               "このまま送信しますか？");
  {
    RecordedDialogs dialogs({"OK"});
    auto w = f.Open(dialogs);
    Child<QPushButton>(*w, "Command2")->click();
    ASSERT_EQ(dialogs.Messages().size(), 2);
    EXPECT_EQ(dialogs.Messages()[1].mid(2), (QStringList{unfinished, "Yes|No", "No"}));
  }
  // The file spoilt since: its faults, with their lines.
  const QString path = f.outputs.electronicLogPath;
  QByteArray bytes = f.t.ReadBytes(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt"));
  bytes.replace(EncodeCp932(U("<NAME>日本 太郎</NAME>\r\n")), "").replace("JA2BBB", "JA2BBB/ /X");
  f.t.WriteBytes(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt"), bytes);
  RecordedDialogs dialogs({"OK", "Yes"});
  auto w = f.Open(dialogs);
  Child<QPushButton>(*w, "Command2")->click();
  ASSERT_EQ(dialogs.Messages().size(), 3);
  EXPECT_EQ(dialogs.Messages()[2].mid(2),
            (QStringList{U("電子ログ ") + QDir::toNativeSeparators(path) + U(" を読み直すと 次の問題がありました\n") +
                             U("23 行目: 交信の行の列が 12 個です（9～11 個のはずです）: ") +
                             Qso("15", "21:05", "7", "JA2BBB", "20H", "20").replace("JA2BBB", "JA2BBB/ /X") + "\n" +
                             U("<NAME> がありません\n\nこのまま送信しますか？"),
                         "Yes|No", "No"}));
  EXPECT_TRUE(f.Started().isEmpty());
  EXPECT_EQ(Clipboard(), "before");
}

TEST(SubmissionWindow, ContestDestinationAndTheTextLogToATypedAddress) {
  SubmissionFolder f;
  RecordedDialogs dialogs;
  auto w = f.Open(dialogs);
  Child<QRadioButton>(*w, "Option1_1")->click();
  Child<QPushButton>(*w, "Command2")->click();
  EXPECT_TRUE(dialogs.Records().isEmpty());  // no question for a contest's address
  EXPECT_EQ(f.LastMail().address, "allja@example.jp");

  // The text log with no usable typed address: the focus goes to the box.
  Child<QRadioButton>(*w, "Option2_1")->click();
  EXPECT_TRUE(Child<QLineEdit>(*w, "Text1")->hasFocus());
  EXPECT_FALSE(Child<QLabel>(*w, "Label2")->isEnabled());
  TypeAddress(*w, "ja1zlo@example");  // no full stop
  EXPECT_FALSE(Child<QRadioButton>(*w, "Option1_7")->isEnabled());
  TypeAddress(*w, "log@example.jp");
  EXPECT_TRUE(Child<QRadioButton>(*w, "Option1_7")->isEnabled());
  // With a usable address the text log chooses it, and the subject opens.
  Child<QRadioButton>(*w, "Option2_1")->click();
  EXPECT_TRUE(Child<QRadioButton>(*w, "Option1_7")->isChecked());
  QLineEdit* subject = Child<QLineEdit>(*w, "Text2");
  ASSERT_TRUE(subject->isEnabled());
  subject->setText("JA1ZLO/1 & M/S? #2");
  Child<QPushButton>(*w, "Command2")->click();
  const SubmissionFolder::Mail mail = f.LastMail();
  EXPECT_EQ(mail.address, "log@example.jp");
  EXPECT_EQ(mail.subject, "JA1ZLO/1 & M/S? #2");
  EXPECT_EQ(mail.body, MailText());
  EXPECT_EQ(Clipboard(), f.FileText(f.outputs.textSummaryPath));
  EXPECT_TRUE(Clipboard().startsWith(U("サマリー\r\n")));
  EXPECT_TRUE(dialogs.Records().isEmpty());

  // An address spoilt while chosen: back to the test destination.
  TypeAddress(*w, "nowhere");
  EXPECT_TRUE(Child<QRadioButton>(*w, "Option1_0")->isChecked());
  EXPECT_FALSE(Child<QRadioButton>(*w, "Option1_7")->isEnabled());
  EXPECT_EQ(Child<QLineEdit>(*w, "Text1")->text(), "");
  EXPECT_EQ(subject->text(), "JA1ZLO/1");
  EXPECT_TRUE(Child<QRadioButton>(*w, "Option2_0")->isChecked());
}

TEST(SubmissionWindow, ChecksBeforeTheMailer) {
  SubmissionFolder f;
  RecordedDialogs dialogs;
  auto w = f.Open(dialogs);
  // An address typed but not chosen.
  TypeAddress(*w, "log@example.jp");
  Child<QPushButton>(*w, "Command2")->click();
  // Chosen, then emptied without leaving the box.
  Child<QRadioButton>(*w, "Option1_7")->click();
  Child<QLineEdit>(*w, "Text1")->setText("");
  Child<QPushButton>(*w, "Command2")->click();
  EXPECT_EQ(dialogs.Texts(),
            (QStringList{U("送信先が指定されている場合\n指定送信先 がチェックされている必要があります"),
                         U("送信先が指定されていません")}));
  EXPECT_TRUE(f.Started().isEmpty());
  EXPECT_EQ(Clipboard(), "before");
}

TEST(SubmissionWindow, FormatsTheDefinitionAsksFor) {
  ContestDefinition d = SampleDefinition();
  d.jarlLog = "No";
  {
    SubmissionFolder f(d);
    RecordedDialogs dialogs;
    auto w = f.Open(dialogs);
    EXPECT_FALSE(Child<QRadioButton>(*w, "Option2_0")->isEnabled());
    EXPECT_FALSE(Child<QRadioButton>(*w, "Option2_0")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(*w, "Option2_1")->isEnabled());
    EXPECT_EQ(Child<QLabel>(*w, "Label2")->text(), "");
    Child<QPushButton>(*w, "Command2")->click();
    EXPECT_EQ(dialogs.Texts(), QStringList{U("送信するファイル形式が指定されていません")});
  }
  d.vqLog = "No";
  SubmissionFolder f(d);
  RecordedDialogs dialogs;
  auto w = f.Open(dialogs);
  EXPECT_FALSE(Child<QPushButton>(*w, "Command2")->isEnabled());
  EXPECT_FALSE(Child<QRadioButton>(*w, "Option2_1")->isEnabled());

  ContestDefinition r1 = SampleDefinition();
  r1.jarlLog = "Yes R1";
  SubmissionFolder g(r1);
  auto w1 = g.Open(dialogs);
  EXPECT_EQ(Child<QLabel>(*w1, "Label2")->text(), "R 1.0");
}

TEST(SubmissionWindow, WithoutTheSettingsFileOrTheFile) {
  SubmissionFolder f(SampleDefinition(), false);
  RecordedDialogs dialogs({"", "OK"});
  auto w = f.Open(dialogs);
  EXPECT_EQ(dialogs.Texts(), QStringList{U("E-Mail 設定ファイルが見当たりません\n") +
                                         QDir::toNativeSeparators(f.t.File("Emailad.txt"))});
  EXPECT_TRUE(Child<QRadioButton>(*w, "Option1_0")->isEnabled());
  EXPECT_TRUE(Child<QRadioButton>(*w, "Option1_0")->isChecked());
  EXPECT_EQ(Child<QRadioButton>(*w, "Option1_0")->text(), U("テスト送信"));
  for (int i = 1; i <= 6; ++i) EXPECT_FALSE(Child<QRadioButton>(*w, QString("Option1_%1").arg(i))->isVisible());
  // The test destination has no address without the file.
  Child<QPushButton>(*w, "Command2")->click();
  EXPECT_EQ(dialogs.Texts().last(), U("送信先が指定されていません"));
  // A typed address still works.
  TypeAddress(*w, "log@example.jp");
  Child<QRadioButton>(*w, "Option1_7")->click();
  Child<QPushButton>(*w, "Command2")->click();
  EXPECT_EQ(f.LastMail().address, "log@example.jp");

  // The file of the format is gone since the print job.
  QFile::remove(f.outputs.electronicLogPath);
  Child<QPushButton>(*w, "Command2")->click();
  EXPECT_EQ(dialogs.Texts().last(), U("送信するファイルが見つかりません\n") +
                                        QDir::toNativeSeparators(f.outputs.electronicLogPath));
  EXPECT_EQ(f.Started().size(), 1);
}
