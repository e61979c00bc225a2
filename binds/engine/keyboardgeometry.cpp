#include "binds/engine/keyboardgeometry.h"

#include "host/error.h"

#include <QFile>
#include <QHash>

namespace binds {

namespace {

// The words of a geometry file: names, strings, numbers, <KEY> names and marks.
class Tokens
{
public:
    explicit Tokens(const QByteArray &text)
        : m_text(text)
    { }

    QByteArray next()
    {
        skipBlanks();
        if (m_at >= m_text.size())
            return {};
        const qsizetype start = m_at;
        const char c = m_text.at(m_at);
        if (c == '"' || c == '<') {
            const char close = c == '"' ? '"' : '>';
            const qsizetype end = m_text.indexOf(close, m_at + 1);
            m_at = end < 0 ? m_text.size() : end + 1;
        } else if (isWordCharacter(c)) {
            while (m_at < m_text.size() && isWordCharacter(m_text.at(m_at)))
                ++m_at;
        } else {
            ++m_at;
        }
        return m_text.mid(start, m_at - start);
    }

    QByteArray peek()
    {
        const qsizetype at = m_at;
        QByteArray token = next();
        m_at = at;
        return token;
    }

    bool atEnd()
    {
        skipBlanks();
        return m_at >= m_text.size();
    }

    // Past the statement that starts here: to its ";" outside braces, blocks and all.
    void skipStatement()
    {
        int depth = 0;
        while (!atEnd()) {
            const QByteArray token = next();
            if (token == "{")
                ++depth;
            else if (token == "}")
                --depth;
            else if (token == ";" && depth <= 0)
                return;
        }
    }

private:
    static bool isWordCharacter(char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.'
            || c == '-';
    }

    void skipBlanks()
    {
        while (m_at < m_text.size()) {
            const char c = m_text.at(m_at);
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++m_at;
            } else if (c == '/' && m_at + 1 < m_text.size() && m_text.at(m_at + 1) == '/') {
                const qsizetype end = m_text.indexOf('\n', m_at);
                m_at = end < 0 ? m_text.size() : end + 1;
            } else {
                return;
            }
        }
    }

    QByteArray m_text;
    qsizetype m_at = 0;
};

QByteArray unquoted(const QByteArray &token)
{
    return token.size() >= 2 ? token.mid(1, token.size() - 2) : token;
}

// A shape's first outline: "{ [w,h] }" a rectangle, or its corners.
QList<QPointF> readOutline(Tokens &tokens)
{
    QList<QPointF> points;
    int depth = 0;
    bool outlineDone = false;
    while (!tokens.atEnd()) {
        const QByteArray token = tokens.next();
        if (token == "{") {
            ++depth;
        } else if (token == "}") {
            if (--depth == 0)
                return points;
            outlineDone = outlineDone || !points.isEmpty();
        } else if (token == "[" && !outlineDone && depth == 2) {
            const double x = tokens.next().toDouble();
            tokens.next(); // ,
            const double y = tokens.next().toDouble();
            points << QPointF(x, y);
        }
    }
    return points;
}

struct Defaults {
    double sectionLeft = 0;
    double rowLeft = 0;
    QByteArray keyShape;
    double keyGap = 0;
};

struct Reader {
    QHash<QByteArray, QList<QPointF>> shapes;
    KeyboardGeometry geometry;

    // A setting "name = value ;" of a block, into the defaults it changes.
    void readSetting(Tokens &tokens, const QByteArray &name, Defaults &defaults, double &top, double &left)
    {
        tokens.next(); // =
        const QByteArray value = tokens.next();
        if (name == "top")
            top = value.toDouble();
        else if (name == "left")
            left = value.toDouble();
        else if (name == "section.left")
            defaults.sectionLeft = value.toDouble();
        else if (name == "row.left")
            defaults.rowLeft = value.toDouble();
        else if (name == "key.shape")
            defaults.keyShape = unquoted(value);
        else if (name == "key.gap")
            defaults.keyGap = value.toDouble();
        else if (name == "width")
            geometry.size.setWidth(value.toDouble());
        else if (name == "height")
            geometry.size.setHeight(value.toDouble());
        else if (name == "description")
            geometry.description = QString::fromUtf8(unquoted(value));
        tokens.skipStatement();
    }

    void placeKey(const QByteArray &name, const QByteArray &shapeName, double gap, double &x, double y)
    {
        const QList<QPointF> outline = shapes.value(shapeName);
        double width = 0, height = 0;
        for (const QPointF &point : outline) {
            width = std::max(width, point.x());
            height = std::max(height, point.y());
        }
        x += gap;
        geometry.keys.append({QString::fromLatin1(name.mid(1, name.size() - 2)), QRectF(x, y, width, height),
                              outline.size() > 1 ? outline : QList<QPointF> {}});
        x += width;
    }

    void readKeys(Tokens &tokens, const Defaults &defaults, double x, double y)
    {
        tokens.next(); // {
        while (!tokens.atEnd()) {
            const QByteArray token = tokens.next();
            if (token == "}")
                break;
            if (token.startsWith('<')) {
                placeKey(token, defaults.keyShape, defaults.keyGap, x, y);
            } else if (token == "{") {
                QByteArray name, shape = defaults.keyShape;
                double gap = defaults.keyGap;
                for (QByteArray part = tokens.next(); !part.isEmpty() && part != "}"; part = tokens.next()) {
                    if (part.startsWith('<'))
                        name = part;
                    else if (part.startsWith('"'))
                        shape = unquoted(part);
                    else if (part.at(0) >= '0' && part.at(0) <= '9')
                        gap = part.toDouble();
                    else if (part == "=")
                        tokens.next(); // a setting's value: color="grey20"
                }
                if (!name.isEmpty())
                    placeKey(name, shape, gap, x, y);
            }
        }
        tokens.skipStatement();
    }

    enum class Block { Keyboard, Section, Row };

    // A block's statements to its closing brace: settings, shapes, sections, rows, keys. A
    // section's rows stand from its top and left, a row's keys from its own.
    void readBlock(Tokens &tokens, Defaults defaults, Block block, QPointF origin)
    {
        double top = 0, left = 0;
        bool leftSet = false;
        while (!tokens.atEnd()) {
            const QByteArray token = tokens.next();
            if (token == "}") {
                tokens.skipStatement();
                return;
            }
            const QByteArray following = tokens.peek();
            if (following == "=") {
                leftSet = leftSet || token == "left";
                readSetting(tokens, token, defaults, top, left);
            } else if (token == "shape" && following.startsWith('"')) {
                const QByteArray name = unquoted(tokens.next());
                shapes.insert(name, readOutline(tokens));
                tokens.skipStatement();
            } else if (token == "section" && following.startsWith('"') && block == Block::Keyboard) {
                tokens.next();
                tokens.next(); // {
                readBlock(tokens, defaults, Block::Section, {});
            } else if (token == "row" && following == "{" && block == Block::Section) {
                tokens.next();
                readBlock(tokens, defaults, Block::Row, QPointF(leftSet ? left : defaults.sectionLeft, top));
            } else if (token == "keys" && following == "{" && block == Block::Row) {
                readKeys(tokens, defaults, origin.x() + (leftSet ? left : defaults.rowLeft), origin.y() + top);
            } else {
                tokens.skipStatement();
            }
        }
    }
};

} // namespace

std::optional<KeyboardGeometry> readKeyboardGeometry(const QByteArray &text, const QString &name, QString *error)
{
    const QByteArray header = "xkb_geometry \"" + name.toLatin1() + '"';
    const qsizetype at = text.indexOf(header);
    if (at < 0) {
        host::setError(error, QStringLiteral("it describes no keyboard named %1").arg(name));
        return std::nullopt;
    }
    Tokens tokens(text.mid(at + header.size()));
    if (tokens.next() != "{") {
        host::setError(error, QStringLiteral("its keyboard %1 has no body").arg(name));
        return std::nullopt;
    }
    Reader reader;
    reader.readBlock(tokens, {}, Reader::Block::Keyboard, {});
    if (reader.geometry.keys.isEmpty() || reader.geometry.size.isEmpty()) {
        host::setError(error, QStringLiteral("its keyboard %1 holds no keys this program can place").arg(name));
        return std::nullopt;
    }
    return reader.geometry;
}

std::optional<KeyboardGeometry> pcKeyboard(bool iso, QString *error)
{
    const QString name = iso ? QStringLiteral("pc105") : QStringLiteral("pc104");
    for (const QString &path :
         {QStringLiteral("/usr/share/X11/xkb/geometry/pc"), QStringLiteral(":/bindwright/xkb/geometry/pc")}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (auto geometry = readKeyboardGeometry(file.readAll(), name, error))
            return geometry;
    }
    host::setError(error, QStringLiteral("no keyboard description could be read (xkb-data's geometry/pc)"));
    return std::nullopt;
}

} // namespace binds
