#include "appearance.h"

#include "appicon.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

QFont layoutFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans")});
    font.setPixelSize(10); // device-independent: high-DPI scaling keeps the proportions
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    // The font's own advances: hinting widens small text on Windows, past the boxes.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The carried Liberation Sans, where the system has none: an "Arial" may be another
// font under that name (Wine substitutes its own), with other metrics.
static void addLayoutFontWhereMissing()
{
    if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        return;
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
}

void applyAppearance()
{
    addLayoutFontWhereMissing();
    QApplication::setFont(layoutFont());
    QApplication::setWindowIcon(appIcon());
    // The chat preview shows at once after a click, without fading or rolling in.
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, false);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
}
