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

QLabel *label(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *l = place(new QLabel(caption, parent), name, geometry);
    l->setWordWrap(true);
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
