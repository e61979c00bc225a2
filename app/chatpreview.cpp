#include "chatpreview.h"

#include <QStringList>

namespace {

// g_color_table, as HTML.
const char *const gameColours[] = {"#000000", "#ff0000", "#00ff00", "#ffff00",
                                   "#0000ff", "#00ffff", "#ff00ff", "#ffffff"};

// Chat starts green, team chat cyan (G_Say); a console command prints white.
int startColour(binds::ChatScope scope)
{
    switch (scope) {
    case binds::ChatScope::Public:
        return decorate::Green;
    case binds::ChatScope::Team:
        return decorate::Cyan;
    case binds::ChatScope::None:
        break;
    }
    return decorate::White;
}

} // namespace

QString chatPreviewHtml(const QString &text, decorate::ColourRules rules, binds::ChatScope scope)
{
    QStringList notes;
    QString shown = text;
    if (scope != binds::ChatScope::None) {
        const decorate::ChatAsSent sent = decorate::chatAsSent(text);
        shown = sent.text;
        if (sent.cut)
            notes << QStringLiteral("The game sends the first %1 bytes only.").arg(decorate::maxSayBytes);
        if (sent.dotted)
            notes << QStringLiteral("Other players see letters beyond plain English, and %, as dots.");
    }
    // A bind line holds at most 1,023 bytes; more is refused on "Add" and need not be drawn.
    constexpr qsizetype mostShown = 1023;
    if (shown.size() > mostShown)
        shown = shown.left(mostShown) + QStringLiteral("…");
    QString line;
    for (const decorate::ColouredRun &run : decorate::colouredRuns(shown, rules, startColour(scope))) {
        line += QStringLiteral("<span style=\"color:%1\">%2</span>")
                    .arg(QLatin1String(gameColours[run.colour]), run.text.toHtmlEscaped());
    }
    QString html = QStringLiteral("<table cellpadding=\"4\" bgcolor=\"#2b2b2b\"><tr><td style=\"white-space:pre\">%1"
                                  "</td></tr></table>")
                       .arg(line.isEmpty() ? QStringLiteral("&nbsp;") : line);
    for (const QString &note : std::as_const(notes))
        html += QStringLiteral("<p>%1</p>").arg(note.toHtmlEscaped());
    return html;
}
