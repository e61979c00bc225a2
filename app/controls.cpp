#include "controls.h"

#include "layout.h"
#include "singlelineedit.h"
#include "wrapbutton.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

WrapButton *button(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *b = place(new WrapButton(caption, parent), name, geometry);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

// A label one line high keeps its text on that line: where the system draws the font
// wider than the design's (Windows' hinting, Wine), its font shrinks a pixel at a time.
static void keepOnOneLine(QLabel *l)
{
    QFont font = l->font();
    auto overflows = [&] {
        const QFontMetrics metrics(font);
        return metrics.lineSpacing() * 2 > l->height()
            && metrics.horizontalAdvance(l->text()) > l->contentsRect().width();
    };
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
