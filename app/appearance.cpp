#include "appearance.h"

#include "appicon.h"

#include <QApplication>
#include <QFont>

QFont layoutFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans")});
    font.setPixelSize(10); // device-independent: high-DPI scaling keeps the proportions
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

void applyAppearance()
{
    QApplication::setFont(layoutFont());
    QApplication::setWindowIcon(appIcon());
}
