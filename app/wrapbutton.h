#pragma once

#include <QPushButton>

// A push button whose caption wraps onto a second line when it is wider than the
// button, which QPushButton never does.
class WrapButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // The flags the caption is drawn with, for anyone measuring whether it fits.
    static constexpr int textFlags = Qt::AlignCenter | Qt::TextWordWrap;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
