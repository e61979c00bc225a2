#pragma once

#include "binds/add/chat.h"
#include "decorate/chatrender.h"

#include <QLabel>
#include <QPointer>
#include <QString>
#include <QTimer>

// The tooltip of a text-to-say box: the text as the game will draw it, on the game's
// dark chat background, and for chat what the other players receive of it, with a short
// note when that is not what was typed.
QString chatPreviewHtml(const QString &text, binds::ChatScope scope);

// The chat preview shown under a box for a moment after a button changed its text. It
// takes no click: one on the control it covers reaches that control, whether the window
// system passes it through or the preview hands it on.
class ChatPreviewPopup : public QLabel
{
    Q_OBJECT

public:
    explicit ChatPreviewPopup(QWidget *parent);

    void showUnder(QWidget *box, const QString &html);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void handOn(QMouseEvent *event);

    QTimer m_hideTimer;
    QPointer<QWidget> m_clickTarget;
};
