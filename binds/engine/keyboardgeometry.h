#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

// The shape of a PC keyboard as xkb's geometry files describe it (xkb-data's geometry/pc):
// where each key stands and its outline, in millimetres.
namespace binds {

struct KeyCap {
    QString xkbName;        // "AC01", "RTRN"
    QRectF rect;            // on the keyboard
    QList<QPointF> outline; // its corners, from the rect's top left; empty: the rect itself
};

struct KeyboardGeometry {
    QString description; // "Generic 105-key PC"
    QSizeF size;
    QList<KeyCap> keys;
};

// The keyboard named in a geometry file's text ("pc104", ANSI; "pc105", ISO); nullopt, with
// why, when the text holds none of that name or one this reading cannot follow.
std::optional<KeyboardGeometry> readKeyboardGeometry(const QByteArray &text, const QString &name,
                                                     QString *error = nullptr);

// The system's geometry file (xkb-data), else the copy built in; nullopt, with why, when
// neither can be read.
std::optional<KeyboardGeometry> pcKeyboard(bool iso, QString *error = nullptr);

} // namespace binds
