#pragma once

#include <QRect>
#include <QString>

#include <initializer_list>

class QButtonGroup;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
class WrapButton;

// The controls of the fixed layout, each made at its design place under its design name.

// A button that Enter and Esc never press.
WrapButton *button(QWidget *parent, const char *name, const QString &caption, QRect geometry);
QLabel *label(QWidget *parent, const char *name, const QString &caption, QRect geometry);
// A box for a text to say: any length, any character.
QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text, QRect geometry);
// Folders, the mod folder and keys: one line each, whatever reaches them.
QLineEdit *singleLineEdit(QWidget *parent, const char *name, const QString &text, QRect geometry);
QRadioButton *option(QWidget *parent, const char *name, const QString &caption, QRect geometry);
// Options of which at most one is chosen; choosing one clears the others of the group only.
QButtonGroup *optionGroup(QWidget *owner, std::initializer_list<QRadioButton *> members);

// Escape closes a window of its own, as its close button does: a key press, not a
// shortcut, which Wine's offscreen windows do not deliver. False for any other key.
bool closedByEscape(QWidget *window, QKeyEvent *event);
