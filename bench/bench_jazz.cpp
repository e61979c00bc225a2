// Jazzing the longest text jazz takes, against copying a string of the result's
// length one character at a time: jazz must stay linear in the text's length.

#include "benchtiming.h"

#include "decorate/jazz.h"

#include <QString>

int main()
{
    const QString sentence = QStringLiteral("Nice shot, see you at the flag! ");
    QString text;
    while (text.size() < decorate::jazzLimit)
        text += sentence;
    text.truncate(decorate::jazzLimit);

    decorate::SplitMix64 random;
    QString error;
    qsizetype sink = 0;
    const double jazz = medianMicroseconds(301, [&] { sink += decorate::jazz(text, random, &error)->size(); });
    const QString half = text.left(text.size() / 2);
    const double jazzHalf = medianMicroseconds(301, [&] { sink += decorate::jazz(half, random, &error)->size(); });

    // The same length of result, built the way a copy loop builds it.
    const QString result = *decorate::jazz(text, random, &error);
    const double copy = medianMicroseconds(301, [&] {
        QString out;
        out.reserve(result.size());
        for (QChar c : result)
            out += c;
        sink += out.size();
    });
    const double memcopy = medianMicroseconds(301, [&] {
        QString out = result;
        out.detach();
        sink += out.size();
    });

    std::printf("jazz of %lld characters into %lld (checksum %lld)\n", static_cast<long long>(text.size()),
                static_cast<long long>(result.size()), static_cast<long long>(sink % 7));
    const bool ok = reportRatio("jazz", jazz, "copy, character by character", copy, 2.0)
        & reportRatio("jazz", jazz, "jazz of half the text (linear: 2)", jazzHalf, 2.5);
    std::printf("%-10s %10.1f us  (a block copy of the result, for scale)\n", "memcpy", memcopy);
    return ok ? 0 : 1;
}
