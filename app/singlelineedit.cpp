#include "singlelineedit.h"

#include <algorithm>
#include <limits>

void takeAnyLength(QLineEdit *box)
{
    box->setMaxLength(std::numeric_limits<int>::max());
}

SingleLineEdit::SingleLineEdit(const QString &text, QWidget *parent)
    : QLineEdit(singleLine(text), parent)
{
    takeAnyLength(this);
    connect(this, &QLineEdit::textChanged, this, &SingleLineEdit::dropControlCharacters);
}

QString SingleLineEdit::singleLine(const QString &text)
{
    QString line = text;
    line.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return line;
}

void SingleLineEdit::dropControlCharacters()
{
    const QString line = singleLine(text());
    if (line.size() == text().size())
        return;
    // The caret stays after what was typed or pasted, less what was dropped before it.
    const int dropped = int(text().left(cursorPosition()).size() - singleLine(text().left(cursorPosition())).size());
    const int caret = cursorPosition() - dropped;
    setText(line);
    setCursorPosition(std::min(caret, int(line.size())));
}
