#include "InputRules.h"

#include "define/EditorModel.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace zotra {
namespace {

bool IsDigitKey(const QKeyEvent* key) {
  const QString t = key->text();
  return t.size() == 1 && t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9');
}

bool IsTabKey(const QKeyEvent* key) { return key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab; }

// A key that types a character (a letter, a sign, a blank); Home, End,
// Delete, the arrows and Ctrl+A type none and keep working.
bool TypesCharacter(const QKeyEvent* key) {
  const QString t = key->text();
  return !t.isEmpty() && t.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier);
}

// A typed digit replaces the character after the caret (or the selection).
void TypeOver(QLineEdit* field, const QString& digit) {
  if (!field->hasSelectedText() && field->cursorPosition() < field->text().size()) {
    field->setSelection(field->cursorPosition(), 1);
  }
  field->insert(digit);
}

void DigitsOnly(QLineEdit* field) {
  field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
}

class DigitField : public QObject {
 public:
  DigitField(QLineEdit* field, bool backspace) : QObject(field), backspace_(backspace) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* field = static_cast<QLineEdit*>(watched);
    if (IsTabKey(key)) return false;
    if (key->key() == Qt::Key_Backspace) return !backspace_;
    if (!IsDigitKey(key)) return TypesCharacter(key);
    TypeOver(field, key->text());
    return true;
  }

 private:
  bool backspace_;
};

class PeriodFields : public QObject {
 public:
  PeriodFields(const QList<QLineEdit*>& fields, QWidget* after, QObject* parent)
      : QObject(parent), after_(after) {
    for (QLineEdit* f : fields) fields_.append(f);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const int index = IndexOf(watched);
    if (index < 0) return false;
    QLineEdit* field = fields_.at(index);
    switch (event->type()) {
      case QEvent::FocusIn:
        // Entered, the field's text is selected, so that typing replaces it
        // and cannot run on into the next field; a click is let place its
        // caret first and then selects as well.
        static_cast<QObject*>(field)->event(event);
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
          QTimer::singleShot(0, field, [field] { field->selectAll(); });
        } else {
          field->selectAll();
        }
        return true;
      case QEvent::FocusOut:
        field->setText(PadPeriodField(field->text(), Width(index)));
        return false;
      case QEvent::KeyPress: return Key(index, field, static_cast<QKeyEvent*>(event));
      default: return false;
    }
  }

 private:
  static int Width(int index) { return index % 5 == 0 ? 4 : 2; }

  int IndexOf(QObject* o) const {
    for (int i = 0; i < fields_.size(); ++i) {
      if (fields_.at(i) == o) return i;
    }
    return -1;
  }

  void Focus(int index) {
    if (index >= 0 && index < fields_.size() && fields_.at(index)) fields_.at(index)->setFocus(Qt::OtherFocusReason);
  }

  bool Key(int index, QLineEdit* field, QKeyEvent* key) {
    if (IsTabKey(key)) return false;
    switch (key->key()) {
      case Qt::Key_Backspace: return false;
      case Qt::Key_Left:
      case Qt::Key_Up: Focus(index - 1); return true;
      case Qt::Key_Right:
      case Qt::Key_Down: Focus(index + 1); return true;
      default: break;
    }
    if (!IsDigitKey(key)) return TypesCharacter(key);
    TypeOver(field, key->text());
    // The last digit of a field moves on.
    if (field->cursorPosition() >= Width(index)) {
      if (index + 1 < fields_.size()) Focus(index + 1);
      else if (after_) after_->setFocus(Qt::OtherFocusReason);
    }
    return true;
  }

  QList<QPointer<QLineEdit>> fields_;
  QPointer<QWidget> after_;
};

class FocusColour : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* field = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::FocusIn) {
      QPalette p = field->palette();
      p.setColor(QPalette::Base, kFocusColour);
      field->setPalette(p);
    } else if (event->type() == QEvent::FocusOut) {
      // Back to the window's colour.
      field->setPalette(QPalette());
    }
    return false;
  }
};

}  // namespace

void MakeDigitField(QLineEdit* field, int maxLength, bool backspace) {
  field->setMaxLength(maxLength);
  DigitsOnly(field);
  field->installEventFilter(new DigitField(field, backspace));
}

void MakePeriodFields(const QList<QLineEdit*>& fields, QWidget* after) {
  if (fields.isEmpty()) return;
  auto* rules = new PeriodFields(fields, after, fields.first());
  for (int i = 0; i < fields.size(); ++i) {
    fields.at(i)->setMaxLength(i % 5 == 0 ? 4 : 2);
    DigitsOnly(fields.at(i));
    fields.at(i)->installEventFilter(rules);
  }
}

void MakeUpperCaseField(QLineEdit* field, bool allLetters) {
  QObject::connect(field, &QLineEdit::textEdited, field, [field, allLetters](const QString& text) {
    QString upper = text;
    if (allLetters) {
      upper = text.toUpper();
    } else {
      for (QChar& c : upper) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = c.toUpper();
      }
    }
    if (upper == text) return;
    const int caret = field->cursorPosition();
    field->setText(upper);
    field->setCursorPosition(caret);
  });
}

void UseFocusColour(QWidget* field) {
  // One filter per field, owned by it.
  if (field->property("zotraFocusColour").toBool()) return;
  field->setProperty("zotraFocusColour", true);
  field->installEventFilter(new FocusColour(field));
}

void UseFocusColourUnder(QWidget* root) {
  for (QLineEdit* field : root->findChildren<QLineEdit*>()) {
    // The edit field of a combo box gets no focus of its own: the box is coloured.
    if (auto* combo = qobject_cast<QComboBox*>(field->parentWidget())) UseFocusColour(combo);
    else UseFocusColour(field);
  }
}

}  // namespace zotra
