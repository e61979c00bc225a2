#include "binds/engine/keys.h"

#include "host/error.h"

#include <QHash>
#include <QList>

#include <algorithm>

namespace binds {

namespace {

constexpr QLatin1StringView keyAdvice("Type one key name such as f1, mouse3 or space.");

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

std::optional<int> keyNumber(const QByteArray &name, const ConsoleRules &rules)
{
    const int keyCount = rules.keyCount;
    auto valid = [keyCount](int n) { return n >= 0 && n < keyCount ? std::optional<int>(n) : std::nullopt; };
    if (name.isEmpty())
        return std::nullopt;
    if (name.size() == 1) {
        const auto c = static_cast<signed char>(name.at(0)); // a negative byte keys nothing
        return valid(rules.lowerCasesCharacter && c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    auto hexDigit = [](char c) {
        c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    if (name.startsWith("0x")) {
        switch (rules.hexKeys) {
        case HexKeys::AnyDigits: {
            // Com_HexStrToInt: an int that wraps past 8 digits; a negative one names no key.
            quint32 n = 0;
            bool allDigits = true;
            for (qsizetype i = 2; allDigits && i < name.size(); ++i) {
                allDigits = hexDigit(name.at(i)) >= 0;
                n = n * 16 + quint32(std::max(0, hexDigit(name.at(i))));
            }
            if (allDigits && qint32(n) >= 0 && qint32(n) < keyCount)
                return int(n);
            break;
        }
        case HexKeys::TwoDigitsAnyCase:
            if (name.size() == 4 && hexDigit(name.at(2)) >= 0 && hexDigit(name.at(3)) >= 0)
                return hexDigit(name.at(2)) * 16 + hexDigit(name.at(3));
            break;
        case HexKeys::TwoCharsAnyCase:
            if (name.size() == 4)
                return std::max(0, hexDigit(name.at(2))) * 16 + std::max(0, hexDigit(name.at(3)));
            break;
        case HexKeys::TwoLowerDigits:
            if (name.size() == 4) {
                // Only lower-case digits count; any other character is a 0.
                auto digit = [&hexDigit](char c) { return c >= 'A' && c <= 'F' ? 0 : std::max(0, hexDigit(c)); };
                return digit(name.at(2)) * 16 + digit(name.at(3));
            }
            break;
        }
    }
    // Looked up for every bind of a file: a table by lower-case name, made once.
    static const QHash<QByteArray, const KeyName *> byName = [] {
        QHash<QByteArray, const KeyName *> names;
        for (const KeyName &known : keyNames())
            names.insert(QByteArray(known.name).toLower(), &known);
        return names;
    }();
    const KeyName *known = byName.value(name.toLower());
    if (!known || !(known->engines & rules.keys))
        return std::nullopt;
    return rules.keys == Quake3eKeys ? known->quake3eNumber : known->number;
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
static QStringList closestKeyNames(const QString &key, unsigned keySets, int most = 3)
{
    const QString typed = key.toLower();
    struct Candidate {
        QString name;
        bool prefix;
        int distance;
        bool known; // to the engines asked about
    };
    QList<Candidate> candidates;
    for (const KeyName &known : keyNames()) {
        const QString name = QString::fromLatin1(known.name).toLower();
        const bool prefix = typed.size() >= 2 && name.startsWith(typed);
        const int distance = editDistance(typed, name);
        if (name.size() > 1 && (prefix || distance <= std::max(1, int(typed.size()) / 3)))
            candidates.append({name, prefix, distance, (known.engines & keySets) != 0});
    }
    // Names the engines know come before those only others know.
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        if (a.prefix != b.prefix)
            return a.prefix;
        if (a.distance != b.distance)
            return a.distance < b.distance;
        return a.known && !b.known;
    });
    QStringList names;
    for (qsizetype i = 0; i < candidates.size() && i < most; ++i)
        names.append(candidates.at(i).name);
    return names;
}

// What players type for a key that an engine spells otherwise.
struct SpelledOtherwise {
    const char *typed;
    KeySet engine;
    const char *advice;
};
constexpr SpelledOtherwise spelledOtherwise[] = {
    // Quake3e's keypad * sends '*' (code/sdl/sdl_input.c:319; KP_STAR is commented out, keys.c:197).
    {"kp_star", Quake3eKeys, ": the keypad * is bound as *"},
};

// The engines' name for a key as players often spell it: the keypad by what its keys do
// (the engines' keypad names follow the arrows on them), the mouse and the rest as other
// programs name them. Empty when there is none.
static QString commonSpellingOf(const QString &typed)
{
    static const QHash<QString, QString> names = {
        {"kp_0", "kp_ins"},
        {"kp_1", "kp_end"},
        {"kp_2", "kp_downarrow"},
        {"kp_3", "kp_pgdn"},
        {"kp_4", "kp_leftarrow"},
        {"kp_6", "kp_rightarrow"},
        {"kp_7", "kp_home"},
        {"kp_8", "kp_uparrow"},
        {"kp_9", "kp_pgup"},
        {"kp_period", "kp_del"},
        {"kp_dot", "kp_del"},
        {"kp_decimal", "kp_del"},
        {"kp_divide", "kp_slash"},
        {"kp_multiply", "kp_star"},
        {"kp_subtract", "kp_minus"},
        {"kp_add", "kp_plus"},
        {"kp_return", "kp_enter"},
        {"lmb", "mouse1"},
        {"leftclick", "mouse1"},
        {"rmb", "mouse2"},
        {"rightclick", "mouse2"},
        {"mmb", "mouse3"},
        {"middleclick", "mouse3"},
        {"wheelup", "mwheelup"},
        {"mousewheelup", "mwheelup"},
        {"scrollup", "mwheelup"},
        {"wheeldown", "mwheeldown"},
        {"mousewheeldown", "mwheeldown"},
        {"scrolldown", "mwheeldown"},
        {"esc", "escape"},
        {"return", "enter"},
        {"pageup", "pgup"},
        {"pagedown", "pgdn"},
        {"insert", "ins"},
        {"delete", "del"},
        {"spacebar", "space"},
        {"lshift", "shift"},
        {"rshift", "shift"},
        {"lctrl", "ctrl"},
        {"rctrl", "ctrl"},
        {"control", "ctrl"},
        {"lalt", "alt"},
        {"ralt", "alt"},
        {"up", "uparrow"},
        {"down", "downarrow"},
        {"left", "leftarrow"},
        {"right", "rightarrow"},
        {"scrolllock", "scrollock"},
        {"printscreen", "print"},
    };
    QString name = typed;
    // numpad8, keypad8 and num8 are the keypad's 8.
    for (const char *prefix : {"numpad_", "numpad", "keypad_", "keypad", "num"}) {
        const QLatin1String start(prefix);
        if (name.startsWith(start) && name.size() > start.size()) {
            name = QStringLiteral("kp_") + name.mid(start.size());
            break;
        }
    }
    if (name == QLatin1String("kp_5"))
        return name;
    return names.value(name);
}

// Why the key as typed is not one the engines bind; empty when it is. Where the engines
// differ, one that knows it is enough: the player may run it.
static QString keyRefusal(const QString &key, const QList<const Engine *> &engines, bool allOfThem)
{
    if (key.isEmpty())
        return QStringLiteral("Type the key to bind first. ") + keyAdvice;
    if (QString refusal = characterRefusal(key); !refusal.isEmpty())
        return refusal;
    QList<const Engine *> asIs;
    QList<const Engine *> unknownTo;
    unsigned keySets = 0;
    const QByteArray name = key.toLatin1();
    for (const Engine *engine : engines) {
        keySets |= engine->rules.keys;
        if (key.size() == 1 && key.at(0).isUpper() && !engine->rules.lowerCasesCharacter)
            asIs << engine;
        if (!keyNumber(name, engine->rules))
            unknownTo << engine;
    }
    if (!asIs.isEmpty()) {
        return QStringLiteral("Type the key \"%1\" in lower case (%2): %3 bind%4 \"%1\" to a key code that no keyboard "
                              "sends.")
            .arg(key, key.toLower(), engineNames(asIs), asIs.size() == 1 ? QStringLiteral("s") : QString());
    }
    if (unknownTo.isEmpty() || (!allOfThem && unknownTo.size() < engines.size()))
        return {};
    const QString typed = key.toLower();
    // "ctrl+f1": the games bind single keys; a modifier is a key of its own.
    if (const qsizetype plus = typed.indexOf(u'+'); plus > 0 && plus < typed.size() - 1) {
        return QStringLiteral("The games bind one key at a time: \"%1\" is two keys pressed together, which no bind "
                              "takes. Bind %2 alone, or %3. ")
                   .arg(key, typed.mid(plus + 1), typed.left(plus))
            + keyAdvice;
    }
    for (const SpelledOtherwise &other : spelledOtherwise) {
        if (typed == QLatin1String(other.typed) && unknownTo.size() == 1
            && unknownTo.first()->rules.keys == other.engine)
            return QStringLiteral("%1 knows no key %2%3. ")
                       .arg(QString::fromUtf8(unknownTo.first()->name), typed, QString::fromLatin1(other.advice))
                + keyAdvice;
    }
    QStringList closest = closestKeyNames(key, keySets);
    const QString spelled = commonSpellingOf(typed);
    const bool spelledKnown = !spelled.isEmpty()
        && std::any_of(engines.cbegin(), engines.cend(),
                       [&spelled](const Engine *engine) { return keyNumber(spelled.toLatin1(), engine->rules); });
    if (spelledKnown) {
        closest.removeAll(spelled);
        closest.prepend(spelled);
        closest = closest.mid(0, 1); // the one name that key has
    }
    const QString guess = closest.isEmpty() ? QString() : QStringLiteral("; did you mean %1?").arg(listed(closest));
    const QString who = unknownTo.size() == engines.size() && engines.size() > 2
        ? QStringLiteral("The games know")
        : engineNames(unknownTo) + (unknownTo.size() == 1 ? QStringLiteral(" knows") : QStringLiteral(" know"));
    return QStringLiteral("%1 no key \"%2\"%3 ").arg(who, key, guess.isEmpty() ? QStringLiteral(".") : guess)
        + keyAdvice;
}

bool isBindableKey(const QString &key, const QList<const Engine *> &engines, QString *error)
{
    const QString refusal = keyRefusal(key, engines, engines.size() == 1);
    host::setError(error, refusal);
    return refusal.isEmpty();
}

bool isBindableKey(const QString &key, QString *error)
{
    const QString refusal = keyRefusal(key, allEngines(), false);
    host::setError(error, refusal);
    return refusal.isEmpty();
}

} // namespace binds
