#pragma once

#include "binds/engine/engines.h"
#include "binds/files/bindrequest.h"
#include "host/folderstring.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace binds {

// Every engine reads bytes 0-1022 of a command line, and runs the rest as new commands or drops it.
inline constexpr qsizetype maxLineBytes = 1023;

// The autoexec.cfg of a folder string (a request's gameFolder), as messages name it.
QString autoexecIn(const QString &gameFolder);

// The same on this machine; nullopt, with why, when the folder string leads nowhere.
std::optional<QString> autoexecPath(const QString &gameFolder, const host::Host &host, QString *error = nullptr);

// bind KEY "TEXT", without the line end. The key loses surrounding blanks, as the
// game's own reading drops them.
QString bindLine(const QString &key, const QString &text);

// Whether the game runs KEY "TEXT" as one bind; if not, error says why. Checks the
// characters only; encodedLine also checks the length.
bool readsAsWritten(const QString &key, const QString &text, QString *error = nullptr);
// The same for the engines the player may run (encodedLine's rule for keys).
bool readsAsWritten(const QString &key, const QString &text, const QList<const Engine *> &engines,
                    QString *error = nullptr);

// The bind line in the bytes the file gets (the system's 8-bit code page), without the
// line end; nullopt with the reason when the game would read it as something else.
std::optional<QByteArray> encodedLine(const QString &key, const QString &text, QString *error = nullptr);
// The same for the engines the player may run: a key one of them knows is taken, and one
// the only engine does not know is refused.
std::optional<QByteArray> encodedLine(const QString &key, const QString &text, const QList<const Engine *> &engines,
                                      QString *error = nullptr);

// Appends one bind line, CR LF ended, to autoexec.cfg in the request's folder.
// Returns false with a message for the player when the line is refused or the
// file cannot be written; the file is left as it was then. On success, notice (when
// given) says what the player should know about the file, such as its size passing
// what the original games read; it is empty otherwise.
bool writeLine(const BindRequest &request, const host::Host &host, QString *error = nullptr, QString *notice = nullptr);

// What goes before a line appended after a file's last byte (nullopt: the file is
// empty): a line end, unless the last line already ends in LF. A lone CR gets one too,
// so that every editor sees the new line on a line of its own.
QByteArray lineEndBefore(std::optional<char> lastByte);

// The message for an Add that could not write the file at path, for the reason given
// (a system error number, when there is one, picks the advice, unless it is given).
QString addFailure(const QString &path, const QString &reason, int systemError = 0, const QString &advice = {});

// The same for a line already made, to the file at a host path.
bool appendLine(const QString &hostPath, QByteArray line, QString *error = nullptr, QString *notice = nullptr);

// Why none of the engines would run a file of newSize bytes; empty when one would.
QString tooLargeFor(const QString &hostPath, qint64 newSize, const QList<const Engine *> &engines);

// What the player should know of a file that is (written) or would be newSize bytes, which
// some of the engines run and others ignore whole; empty when all or none run it.
QString passesSomeLimits(const QString &hostPath, qint64 newSize, const QList<const Engine *> &engines, bool written);

// What each engine runs of a file, in words: "Quake III Arena 1.32 runs a file of up to
// 16,383 bytes, ioquake3 up to 131,071".
QString fileLimitsOf(const QList<const Engine *> &engines);

// What the player should know once a file of oldSize bytes grew to newSize: that it
// passed what some engines read; empty otherwise.
QString sizeNotice(const QString &hostPath, qint64 oldSize, qint64 newSize);

} // namespace binds
