#include "controls.h"

#include "layout.h"
#include "singlelineedit.h"
#include "wrapbutton.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>

WrapButton *button(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *b = place(new WrapButton(caption, parent), name, geometry);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

// Every label's text is one line, even in a box two lines high (the RTCW key label's):
// where the system draws the font wider than the design's (Windows' hinting, Wine's
// fonts), its font shrinks a pixel at a time.
static void keepOnOneLine(QLabel *l)
{
    QFont font = l->font();
    auto overflows = [&] { return QFontMetrics(font).horizontalAdvance(l->text()) > l->contentsRect().width(); };
    while (font.pixelSize() > 7 && overflows())
        font.setPixelSize(font.pixelSize() - 1);
    if (font != l->font())
        l->setFont(font);
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *l = place(new QLabel(caption, parent), name, geometry);
    l->setWordWrap(true);
    keepOnOneLine(l);
    return l;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *box = place(new QLineEdit(text, parent), name, geometry);
    takeAnyLength(box);
    return box;
}

QLineEdit *singleLineEdit(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    return place(new SingleLineEdit(text, parent), name, geometry);
}

QRadioButton *option(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    return place(new QRadioButton(caption, parent), name, geometry);
}

QButtonGroup *optionGroup(QWidget *owner, std::initializer_list<QRadioButton *> members)
{
    auto *group = new QButtonGroup(owner);
    group->setExclusive(true);
    for (QRadioButton *member : members)
        group->addButton(member);
    return group;
}

bool closedByEscape(QWidget *window, QKeyEvent *event)
{
    if (!event->matches(QKeySequence::Cancel))
        return false;
    window->close();
    return true;
}
