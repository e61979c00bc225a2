#include "chatpreview.h"

#include "binds/files/bindline.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStringList>
#include <QToolTip>

#include <algorithm>

namespace {

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

constexpr int shownMilliseconds = 4000;
constexpr int readableWidth = 480; // pixels: about 80 letters of the preview's font

} // namespace

QString chatPreviewHtml(const QString &text, binds::ChatScope scope)
{
    QStringList notes;
    QString shown = text;
    if (scope != binds::ChatScope::None) {
        const binds::ChatReceived received = binds::chatAsReceived(text);
        shown = received.text;
        // The same words "Add" would refuse the text with; an empty box needs none yet.
        if (QString refusal; !text.isEmpty() && !binds::sendsAsTyped(scope, text, &refusal))
            notes << refusal;
        if (received.cut)
            notes << QStringLiteral("The game sends the first %1 bytes only.").arg(binds::maxSayBytes);
        if (received.dotted)
            notes << QStringLiteral("Other players see letters beyond plain English, and %, as dots.");
    }
    // A longer bind line is refused on "Add" and need not be drawn.
    if (shown.size() > binds::maxLineBytes)
        shown = shown.left(binds::maxLineBytes) + QStringLiteral("…");
    QString line;
    for (const decorate::ColouredRun &run : decorate::colouredRuns(shown, startColour(scope))) {
        line += QStringLiteral("<span style=\"color:%1\">%2</span>")
                    .arg(QLatin1String(decorate::colourTable[run.colour].rgb), run.text.toHtmlEscaped());
    }
    QString html =
        QStringLiteral("<table cellpadding=\"4\" bgcolor=\"#2b2b2b\"><tr><td style=\"white-space:pre-wrap\">%1"
                       "</td></tr></table>")
            .arg(line.isEmpty() ? QStringLiteral("&nbsp;") : line);
    for (const QString &note : std::as_const(notes))
        html += QStringLiteral("<p>%1</p>").arg(note.toHtmlEscaped());
    return html;
}

ChatPreviewPopup::ChatPreviewPopup(QWidget *parent)
    // Not Qt::WindowTransparentForInput: under X11 that drops the click instead of
    // passing it on.
    : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("chatPreview"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setTextFormat(Qt::RichText);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMargin(2);
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(shownMilliseconds);
    connect(&m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
}

void ChatPreviewPopup::showUnder(QWidget *box, const QString &html)
{
    // As wide as the text, up to a width that still reads as lines on the box's screen.
    const QRect room = box->screen() ? box->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    setWordWrap(false);
    setText(html);
    const int readable = std::min(readableWidth, room.width());
    const int wide = std::min(sizeHint().width(), readable);
    setWordWrap(true);
    resize(wide, heightForWidth(wide));
    // Under the box, on its screen, whole where it fits.
    QPoint at = box->mapToGlobal(QPoint(0, box->height()));
    at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() + 1 - width())));
    if (at.y() + height() > room.bottom() + 1)
        at.setY(box->mapToGlobal(QPoint(0, 0)).y() - height());
    move(at);
    show();
    raise();
    m_hideTimer.start();
}

// The press and its release both come here (the window system hands the release to the
// window that took the press), and both go on to the control under the preview, which
// stays until the click is whole.
void ChatPreviewPopup::mousePressEvent(QMouseEvent *event)
{
    m_hideTimer.stop();
    QWidget *window = parentWidget()->window();
    m_clickTarget = window->childAt(window->mapFromGlobal(event->globalPosition().toPoint()));
    handOn(event);
}

void ChatPreviewPopup::mouseReleaseEvent(QMouseEvent *event)
{
    hide(); // first: the click may show the preview anew
    handOn(event);
    m_clickTarget = nullptr;
}

void ChatPreviewPopup::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void ChatPreviewPopup::handOn(QMouseEvent *event)
{
    if (!m_clickTarget)
        return;
    QMouseEvent handed(event->type(), m_clickTarget->mapFromGlobal(event->globalPosition()), event->globalPosition(),
                       event->button(), event->buttons(), event->modifiers());
    QApplication::sendEvent(m_clickTarget, &handed);
}
