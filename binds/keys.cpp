#include "binds/keys.h"

#include <QHash>
#include <QList>

#include <algorithm>

namespace binds {

namespace {

const QString keyAdvice = QStringLiteral("Type one key name such as f1, mouse3 or space.");

bool isKnownName(const QString &key)
{
    const QByteArray latin = key.toLatin1();
    return std::any_of(keyNames().begin(), keyNames().end(),
                       [&latin](const KeyName &known) { return qstricmp(known.name, latin.constData()) == 0; });
}

// "0x" and two hex digits: every game reads that as a raw key number.
bool isHexKeyNumber(const QString &key)
{
    auto isHexDigit = [](QChar c) { return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f'); };
    return key.size() == 4 && key.startsWith(QLatin1String("0x")) && isHexDigit(key.at(2)) && isHexDigit(key.at(3));
}

// The game splits a key at anything but printable ASCII, and at quotes, semicolons
// and comments.
QString characterRefusal(const QString &key)
{
    auto refuse = [&key](const QString &what) {
        return QStringLiteral("The key \"%1\" is not one key name: it holds %2. ").arg(key, what) + keyAdvice;
    };
    for (QChar c : key) {
        if (c == u' ')
            return refuse(QStringLiteral("a blank"));
        if (c == u'\t')
            return refuse(QStringLiteral("a tab"));
        if (c == u'\r' || c == u'\n')
            return refuse(QStringLiteral("a line break"));
        if (c == u'"')
            return refuse(QStringLiteral("a double quote"));
        if (c == u';')
            return refuse(QStringLiteral("a semicolon, which ends a console command"));
        if (c.unicode() < 0x21 || c.unicode() > 0x7e)
            return refuse(QStringLiteral("a character the game does not take in a key name"));
    }
    if (key.contains(QLatin1String("//")) || key.contains(QLatin1String("/*")))
        return refuse(QStringLiteral("a comment mark (// or /*), which hides the rest of the line"));
    return {};
}

int editDistance(const QString &a, const QString &b)
{
    QList<int> previous(b.size() + 1), current(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int substitute = previous[j - 1] + (a.at(i - 1) == b.at(j - 1) ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

QString listed(const QStringList &names)
{
    if (names.size() == 1)
        return names.first();
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") + names.last();
}

} // namespace

std::optional<int> keyNumber(const QByteArray &name, Engine engine)
{
    // ioquake3's keys[] holds MAX_KEYS (372) entries; the original games' 256.
    const int keyCount = engine == Engine::Io ? 372 : 256;
    auto valid = [keyCount](int n) { return n >= 0 && n < keyCount ? std::optional<int>(n) : std::nullopt; };
    if (name.isEmpty())
        return std::nullopt;
    if (name.size() == 1) {
        const auto c = static_cast<signed char>(name.at(0)); // a negative byte keys nothing
        return valid(engine == Engine::Io && c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    auto hexDigit = [](char c) {
        c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    if (name.startsWith("0x") && engine == Engine::Io) {
        int n = 0;
        bool allDigits = name.size() > 2 && name.size() < 10;
        for (qsizetype i = 2; allDigits && i < name.size(); ++i) {
            allDigits = hexDigit(name.at(i)) >= 0;
            n = n * 16 + hexDigit(name.at(i));
        }
        if (allDigits && n < keyCount)
            return n;
    } else if (name.startsWith("0x") && name.size() == 4) {
        // Only lower-case digits count; any other character is a 0.
        auto digit = [&hexDigit](char c) { return c >= 'A' && c <= 'F' ? 0 : std::max(0, hexDigit(c)); };
        return digit(name.at(2)) * 16 + digit(name.at(3));
    }
    // Looked up for every bind of a file: a table by lower-case name, made once.
    static const QHash<QByteArray, const KeyName *> byName = [] {
        QHash<QByteArray, const KeyName *> names;
        for (const KeyName &known : keyNames())
            names.insert(QByteArray(known.name).toLower(), &known);
        return names;
    }();
    const KeyName *known = byName.value(name.toLower());
    if (!known || (known->ioOnly && engine == Engine::Original))
        return std::nullopt;
    return known->number;
}

QString keyNameOf(int number)
{
    for (const KeyName &known : keyNames()) {
        if (known.number == number)
            return QString::fromLatin1(known.name);
    }
    if (number > ' ' && number < 127)
        return QString(QChar(number));
    return QStringLiteral("0x%1").arg(number, 2, 16, QChar(u'0'));
}

// The known key names nearest to a mistyped one, in lower case, best first: names that
// start with it ("kp_up" gives kp_uparrow), else those a few letters away.
static QStringList closestKeyNames(const QString &key, int most = 3)
{
    const QString typed = key.toLower();
    struct Candidate {
        QString name;
        bool prefix;
        int distance;
        bool ioOnly;
    };
    QList<Candidate> candidates;
    for (const KeyName &known : keyNames()) {
        const QString name = QString::fromLatin1(known.name).toLower();
        const bool prefix = typed.size() >= 2 && name.startsWith(typed);
        const int distance = editDistance(typed, name);
        if (prefix || distance <= std::max(1, int(typed.size()) / 3))
            candidates.append({name, prefix, distance, known.ioOnly});
    }
    // Names every game knows come before those only ioquake3 and iortcw know.
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        if (a.prefix != b.prefix)
            return a.prefix;
        if (a.distance != b.distance)
            return a.distance < b.distance;
        return !a.ioOnly && b.ioOnly;
    });
    QStringList names;
    for (qsizetype i = 0; i < candidates.size() && i < most; ++i)
        names.append(candidates.at(i).name);
    return names;
}

// Why no game binds the key as typed; empty when one does.
static QString keyRefusal(const QString &key)
{
    if (key.isEmpty())
        return QStringLiteral("Type the key to bind first. ") + keyAdvice;
    if (const QString refusal = characterRefusal(key); !refusal.isEmpty())
        return refusal;
    if (key.size() == 1) {
        if (key.at(0).isUpper()) {
            return QStringLiteral("Type the key \"%1\" in lower case (%2): Quake III Arena and RTCW bind "
                                  "\"%1\" to a key code that no keyboard sends.")
                .arg(key, key.toLower());
        }
        return {};
    }
    if (isHexKeyNumber(key) || isKnownName(key))
        return {};
    const QStringList closest = closestKeyNames(key);
    const QString guess = closest.isEmpty() ? QString() : QStringLiteral("; did you mean %1?").arg(listed(closest));
    return QStringLiteral("The games know no key \"%1\"%2 ").arg(key, guess.isEmpty() ? QStringLiteral(".") : guess)
        + keyAdvice;
}

bool isBindableKey(const QString &key, QString *error)
{
    *error = keyRefusal(key);
    return error->isEmpty();
}

} // namespace binds
