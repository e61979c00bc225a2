#include "host/textencoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace host {

std::optional<QByteArray> toFileEncoding(const QString &text)
{
    // Made once a thread: a list of thousands of binds converts every one.
    thread_local QStringEncoder encoder(QStringEncoder::System, QStringEncoder::Flag::Stateless);
    encoder.resetState();
    const QByteArray bytes = encoder.encode(text);
    // Some code pages put "?" for what they lack without calling it an error: reading
    // the bytes back is the test that holds everywhere.
    if (encoder.hasError() || fromFileEncoding(bytes) != text)
        return std::nullopt;
    return bytes;
}

std::optional<QString> fromFileEncoding(const QByteArray &bytes)
{
    thread_local QStringDecoder decoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
    decoder.resetState();
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString fileBytesShown(const QByteArray &bytes)
{
    return fromFileEncoding(bytes).value_or(QString::fromLatin1(bytes));
}

} // namespace host
