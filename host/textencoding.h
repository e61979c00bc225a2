#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Text in the files the games and the program read: the system's 8-bit code page (the
// ANSI code page on Windows, the locale's encoding elsewhere).
namespace host {

// The text in the file encoding; nullopt when any character cannot be written there
// exactly (it would come back as "?" or not at all).
std::optional<QByteArray> toFileEncoding(const QString &text);

// Bytes from such a file as text; nullopt when they are not text in that encoding.
std::optional<QString> fromFileEncoding(const QByteArray &bytes);

// Bytes from a game's file as a player reads them: in the file encoding, or where they
// are not text in it, each byte as the Latin-1 letter of that number, never dropped.
QString fileBytesShown(const QByteArray &bytes);

} // namespace host
