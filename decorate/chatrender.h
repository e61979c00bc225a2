#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <array>

// A chat text as the games draw it: the colour codes taken out, the letters in runs of
// one colour. Read from the engines' q_shared.h (Q_IsColorString, ColorIndex,
// g_color_table).
namespace decorate {

// The eight colours of g_color_table; ColorIndex takes a code's character minus '0',
// modulo 8, so "^8" is black and "^9" red again.
enum GameColour { Black, Red, Green, Yellow, Blue, Cyan, Magenta, White };

struct ColourEntry {
    QStringView name; // the colour button's caption
    const char *rgb;  // as HTML draws it
};

// The colours by GameColour, as g_color_table holds them.
inline constexpr std::array<ColourEntry, 8> colourTable = {{
    {u"Black", "#000000"},
    {u"Red", "#ff0000"},
    {u"Green", "#00ff00"},
    {u"Yellow", "#ffff00"},
    {u"Blue", "#0000ff"},
    {u"Turquoise", "#00ffff"},
    {u"Pink", "#ff00ff"},
    {u"White", "#ffffff"},
}};

// The digits the colour buttons append, in the order the buttons stand: "^1" (Red) to
// "^8" (Black).
inline constexpr std::array<int, 8> buttonDigits = {1, 2, 3, 4, 5, 6, 7, 8};

// The colour a code's digit shows.
constexpr const ColourEntry &colourOfDigit(int digit)
{
    return colourTable[digit & 7];
}

struct ColouredRun {
    int colour; // a GameColour
    QString text;
    bool operator==(const ColouredRun &) const = default;
};

// The text in runs of one colour, starting in startColour, codes not shown. A "^" and
// any character but another "^" is a code, as Quake III Arena 1.32 and RTCW read it
// (ioquake3 and iortcw take only a letter or a digit after the "^").
QList<ColouredRun> colouredRuns(const QString &text, int startColour);

// The text as the game draws it, without its colour codes.
QString withoutColourCodes(const QString &text);

} // namespace decorate
