#include "appearance.h"

#include "appicon.h"

#include <QApplication>
#include <QFont>

void applyAppearance()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans")});
    font.setPixelSize(10); // device-independent: high-DPI scaling keeps the proportions
    QApplication::setFont(font);
    QApplication::setWindowIcon(appIcon());
}
