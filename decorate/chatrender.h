#pragma once

#include <QList>
#include <QString>

// A chat text as the games draw it: the colour codes taken out, the letters in runs of
// one colour. Read from the engines' q_shared.h (Q_IsColorString, ColorIndex,
// g_color_table).
namespace decorate {

enum class ColourRules {
    // Quake III Arena 1.32 and RTCW: "^" followed by any character but "^" is a code.
    // The Quake 3 panel follows Quake III Arena 1.32, the original release.
    Original,
    // ioquake3 and iortcw: only "^" followed by a letter or a digit is a code; "^!"
    // stays text.
    Io,
};

// The eight colours of g_color_table; ColorIndex takes a code's character minus '0',
// modulo 8, so "^8" is black and "^9" red again.
enum GameColour { Black, Red, Green, Yellow, Blue, Cyan, Magenta, White };

struct ColouredRun {
    int colour; // a GameColour
    QString text;
    bool operator==(const ColouredRun &) const = default;
};

// The text in runs of one colour, starting in startColour, codes not shown.
QList<ColouredRun> colouredRuns(const QString &text, ColourRules rules, int startColour);

} // namespace decorate
