#pragma once

#include "binds/chat.h"
#include "decorate/chatrender.h"

#include <QLabel>
#include <QString>
#include <QTimer>

// The tooltip of a text-to-say box: the text as the game will draw it, on the game's
// dark chat background, and for chat what the other players receive of it, with a short
// note when that is not what was typed.
QString chatPreviewHtml(const QString &text, decorate::ColourRules rules, binds::ChatScope scope);

// The chat preview shown under a box for a moment after a button changed its text. It
// takes no input: a click on the control it covers reaches that control.
class ChatPreviewPopup : public QLabel
{
    Q_OBJECT

public:
    explicit ChatPreviewPopup(QWidget *parent);

    void showUnder(QWidget *box, const QString &html);

private:
    QTimer m_hideTimer;
};
