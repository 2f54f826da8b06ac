#pragma once
// The rich-text control of the program texts: a text edit of plain lines whose characters
// carry their own colour and size. It tells its owner of every typed character before it is
// inserted and of every key released, leaves Ctrl+wheel to its window (the window zooms the
// control that has the focus). Its lines are the blocks of the document: the colouring walks
// them line by line, so the document's positions (a line end counts one) never meet the
// positions of a text string with CR LF.
#include <QColor>
#include <QStringList>
#include <QPlainTextEdit>
#include <functional>

namespace movra::platform {

class RichEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit RichEdit(QWidget* parent = nullptr);

  // Runs before a typed character is inserted; a selection it replaces is already gone.
  std::function<void(QChar Typed)> KeyPress;
  // Runs after a key is let go (not for the repeats of a held key).
  std::function<void()> KeyUp;

  // The lines of the text; an empty text has none.
  QStringList Lines() const;
  bool HasLines() const;
  // Replaces the whole text by these lines in the default colour and size; the caret goes to
  // the start and the undo history is emptied.
  void SetLines(const QStringList& Lines);

  // The colour a character typed next at the caret gets.
  void SetInsertionColour(const QColor& Colour);

  // The default colour and size of the text (the font colour, the font size in points).
  QColor FontColour() const;
  int FontSize() const;
  // The size in points of the whole text, taken from its first character (the font size
  // while the text is empty).
  int WholeTextSize() const;
  // Gives the whole text, and the text typed next, this size in points; the caret goes to the
  // start of the text. Sizes are not saved with the text: the modified mark stays as it was.
  void SetWholeTextSize(int Size);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace movra::platform
