#pragma once

#include <QLineEdit>

// A text box whose text always stays one line: control characters that reach it (a
// paste, the folder picker, the settings file) are dropped, so nothing written from it
// can break a line of a file. Like every box of the program, it takes any length.
class SingleLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit SingleLineEdit(const QString &text, QWidget *parent = nullptr);

    // The text without control characters (line breaks, tabs and the like).
    static QString singleLine(const QString &text);

private:
    void dropControlCharacters();
};

// No box of the program cuts what is put into it (Qt stops at 32,767 characters).
void takeAnyLength(QLineEdit *box);
