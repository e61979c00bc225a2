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
    // The chat preview shows at once after a click, without fading or rolling in.
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, false);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
}
