#include "platform/qt/rich_edit.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>
#include <cmath>

namespace movra::platform {

RichEdit::RichEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

QStringList RichEdit::Lines() const {
  QStringList lines;
  if (!HasLines()) return lines;
  const QTextDocument* doc = document();
  lines.reserve(doc->blockCount());
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
    lines.append(block.text());
  return lines;
}

bool RichEdit::HasLines() const { return !document()->isEmpty(); }

void RichEdit::SetLines(const QStringList& Lines) {
  // The document itself, not the control, takes the text: the control would keep the colour
  // and size of the caret for the new text.
  document()->setPlainText(Lines.join(QChar(u'\n')));
  setTextCursor(QTextCursor(document()));
  setCurrentCharFormat(QTextCharFormat());
  document()->clearUndoRedoStacks();
}

void RichEdit::SetInsertionColour(const QColor& Colour) {
  QTextCharFormat format;
  format.setForeground(Colour);
  QTextCursor cursor = textCursor();
  if (cursor.hasSelection()) {
    cursor.clearSelection();
    setTextCursor(cursor);
  }
  mergeCurrentCharFormat(format);
}

QColor RichEdit::FontColour() const { return palette().color(QPalette::Text); }

int RichEdit::FontSize() const {
  return static_cast<int>(std::lround(QFontInfo(document()->defaultFont()).pointSizeF()));
}

int RichEdit::WholeTextSize() const {
  if (!HasLines()) return FontSize();
  QTextCursor first(document());
  first.movePosition(QTextCursor::NextCharacter);  // the format of the character before it
  const double size = first.charFormat().fontPointSize();
  return size > 0 ? static_cast<int>(std::lround(size)) : FontSize();
}

void RichEdit::SetWholeTextSize(int Size) {
  QTextCharFormat format;
  format.setFontPointSize(Size);
  const bool modified = document()->isModified();
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  all.mergeCharFormat(format);
  setTextCursor(QTextCursor(document()));
  mergeCurrentCharFormat(format);
  document()->setModified(modified);
}

void RichEdit::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const bool typed = !isReadOnly() && !text.isEmpty() &&
                     (text.at(0).isPrint() || text.at(0) == QChar(u'\t'));
  if (!typed || !KeyPress) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  // Replacing a selection is one step of the undo history, as in plain typing.
  QTextCursor cursor = textCursor();
  const bool replacing = cursor.hasSelection();
  if (replacing) {
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    setTextCursor(cursor);
  }
  KeyPress(text.at(0));
  QPlainTextEdit::keyPressEvent(event);
  if (replacing) cursor.endEditBlock();
}

void RichEdit::keyReleaseEvent(QKeyEvent* event) {
  QPlainTextEdit::keyReleaseEvent(event);
  if (!event->isAutoRepeat() && KeyUp) KeyUp();
}

void RichEdit::wheelEvent(QWheelEvent* event) {
  // Ctrl+wheel belongs to the window; the text edit would zoom its default font instead.
  if (event->modifiers() & Qt::ControlModifier) {
    event->ignore();
    return;
  }
  QPlainTextEdit::wheelEvent(event);
}

}  // namespace movra::platform
