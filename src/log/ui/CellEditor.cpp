#include "CellEditor.h"

#include "log/QsoTable.h"

#include <QKeyEvent>

namespace zotra {

CellEditor::CellEditor(QWidget* parent) : QLineEdit(parent) {
  setObjectName(QStringLiteral("Text1"));
  setText(QStringLiteral("初期値"));
  setFrame(false);
}

void CellEditor::SetColumn(int column) {
  column_ = column;
  // The input method only where Japanese text belongs.
  setAttribute(Qt::WA_InputMethodEnabled, column == col::kOperator || column == col::kRemarks);
  const bool points = column == col::kPoints;
  setContextMenuPolicy(points ? Qt::NoContextMenu : Qt::DefaultContextMenu);
  setAcceptDrops(!points);
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit Finished();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    emit Cancelled();
    return;
  }
  const QString text = event->text();
  if (column_ == col::kPoints) {
    // Digits only, each typed over the next character; every other character
    // key (backspace, letters, cut and paste) is dropped. Keys without a
    // character (arrows, Home, End, Delete) move or shorten as usual, and
    // Ctrl+A selects the value, for a new one to be typed over it.
    const bool digit = text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
    if (digit) {
      if (!hasSelectedText() && cursorPosition() < this->text().size()) setSelection(cursorPosition(), 1);
      QLineEdit::keyPressEvent(event);
      return;
    }
    if (event->key() == Qt::Key_Backspace ||
        (!text.isEmpty() && event->key() != Qt::Key_Delete && !event->matches(QKeySequence::SelectAll))) {
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (column_ == col::kCall && !text.isEmpty() && text != text.toUpper()) {
    QString upper = text;
    for (QChar& c : upper) {
      if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = c.toUpper();
    }
    QKeyEvent changed(event->type(), event->key(), event->modifiers(), upper, event->isAutoRepeat(),
                      static_cast<ushort>(event->count()));
    QLineEdit::keyPressEvent(&changed);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace zotra
