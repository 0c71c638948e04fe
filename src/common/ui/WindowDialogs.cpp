#include "WindowDialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zotra {
namespace {

QString Caption(Button b) {
  switch (b) {
    case Button::Ok: return QStringLiteral("OK");
    case Button::Cancel: return QStringLiteral("キャンセル");
    case Button::Yes: return QStringLiteral("はい(&Y)");
    case Button::No: return QStringLiteral("いいえ(&N)");
    case Button::Retry: return QStringLiteral("再試行(&R)");
    case Button::Abort: return QStringLiteral("中止(&A)");
    case Button::Ignore: return QStringLiteral("無視(&I)");
    case Button::Close: return QStringLiteral("閉じる");
  }
  return QStringLiteral("OK");
}

QMessageBox::ButtonRole Role(Button b) {
  switch (b) {
    case Button::Ok: return QMessageBox::AcceptRole;
    case Button::Yes: return QMessageBox::YesRole;
    case Button::No: return QMessageBox::NoRole;
    case Button::Cancel:
    case Button::Close: return QMessageBox::RejectRole;
    default: return QMessageBox::ActionRole;
  }
}

QMessageBox::Icon ToQt(Icon icon) {
  switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QStringList DialogFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString label = parts.at(i).trimmed();
    QString patterns = parts.at(i + 1).trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // A label that ends with its own patterns is shown as it is; otherwise
    // they are added, and the label stays whole ("Marqen Ver4.x(*.DBS),
    // Marqen Ver5.x(*.HDB)" names both kinds).
    const QString own = QLatin1Char('(') + patterns + QLatin1Char(')');
    QString spaced = label;
    spaced.replace(QLatin1Char(';'), QLatin1Char(' '));
    out << (spaced.endsWith(own) ? spaced : label + QLatin1Char(' ') + own);
  }
  return out;
}

Button WindowDialogs::Message(const MessageBox& box) {
  QMessageBox mb(ToQt(box.icon), TitleOf(box), box.text, QMessageBox::NoButton, QApplication::activeWindow());
  const QList<Button> list = ButtonList(box.buttons);
  QList<QPair<QAbstractButton*, Button>> made;
  for (Button b : list) {
    QPushButton* pb = mb.addButton(Caption(b), Role(b));
    made.append({pb, b});
    if ((box.defaultButton && *box.defaultButton == b) || (!box.defaultButton && b == list.first())) {
      mb.setDefaultButton(pb);
    }
    if (b == Button::Cancel || b == Button::Close || (list.size() == 1)) mb.setEscapeButton(pb);
  }
  mb.exec();
  for (const auto& [pb, b] : made) {
    if (mb.clickedButton() == pb) return b;
  }
  return list.contains(Button::Cancel) ? Button::Cancel : list.last();
}

std::optional<QString> WindowDialogs::Input(const QString& title, const QString& prompt,
                                            const QString& defaultText) {
  QInputDialog dlg(QApplication::activeWindow());
  dlg.setWindowTitle(title.isEmpty() ? DefaultTitle() : title);
  dlg.setLabelText(prompt);
  dlg.setTextValue(defaultText);
  dlg.setOkButtonText(QStringLiteral("OK"));
  dlg.setCancelButtonText(QStringLiteral("キャンセル"));
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.textValue();
}

int WindowDialogs::Choose(const ChoiceRequest& request) {
  QDialog dlg(QApplication::activeWindow());
  dlg.setWindowTitle(request.title.isEmpty() ? DefaultTitle() : request.title);
  dlg.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* layout = new QVBoxLayout(&dlg);
  auto* label = new QLabel(request.text, &dlg);
  label->setWordWrap(true);
  label->setMinimumWidth(320);
  layout->addWidget(label);
  auto* group = new QButtonGroup(&dlg);
  const int chosen = qBound(0, request.defaultChoice, qMax(0, int(request.choices.size()) - 1));
  for (int i = 0; i < request.choices.size(); ++i) {
    auto* option = new QRadioButton(request.choices.at(i), &dlg);
    option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
    option->setChecked(i == chosen);
    group->addButton(option, i);
    layout->addWidget(option);
  }
  QCheckBox* box = nullptr;
  if (!request.checkBox.isEmpty() && request.checked) {
    box = new QCheckBox(request.checkBox, &dlg);
    box->setObjectName(QStringLiteral("Check1"));
    box->setChecked(*request.checked);
    layout->addWidget(box);
  }
  auto* confirm = new QPushButton(request.confirm, &dlg);
  confirm->setObjectName(QStringLiteral("Command1"));
  confirm->setDefault(true);
  layout->addWidget(confirm, 0, Qt::AlignHCenter);
  QObject::connect(confirm, &QPushButton::clicked, &dlg, &QDialog::accept);
  // The choice is made with the button; closing the window keeps the selection.
  dlg.exec();
  if (box) *request.checked = box->isChecked();
  return group->checkedId() >= 0 ? group->checkedId() : chosen;
}

namespace {

std::optional<QString> RunFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
  QFileDialog dlg(QApplication::activeWindow(), request.title, request.folder);
  dlg.setAcceptMode(mode);
  dlg.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dlg.setOption(QFileDialog::ReadOnly, false);
  const QStringList filters = DialogFilters(request.filter);
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    const int index = qBound(1, request.filterIndex, int(filters.size())) - 1;
    dlg.selectNameFilter(filters.at(index));
  }
  if (!request.fileName.isEmpty()) dlg.selectFile(request.fileName);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  return dlg.selectedFiles().first();
}

}  // namespace

std::optional<QString> WindowDialogs::OpenFile(const FileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<QString> WindowDialogs::SaveFile(const FileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptSave);
}

}  // namespace zotra
