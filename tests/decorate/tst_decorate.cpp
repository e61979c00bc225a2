#include "decorate/chatrender.h"
#include "decorate/decorations.h"
#include "decorate/jazz.h"

#include <QTest>

#include <cmath>
#include <deque>

using namespace decorate;

namespace {

// Hands out the values a test chose, and counts how many were drawn.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(std::deque<double> values)
        : m_values(std::move(values))
    { }
    double next() override
    {
        ++draws;
        if (m_values.empty())
            return 0.5;
        const double r = m_values.front();
        m_values.pop_front();
        return r;
    }
    int draws = 0;

private:
    std::deque<double> m_values;
};

// The characters of a jazzed text: every third position, starting at the third.
void verifyJazzShape(const QString &jazzed, const QString &original)
{
    QCOMPARE(jazzed.size(), 3 * original.size());
    QString characters;
    for (qsizetype i = 0; i < jazzed.size(); i += 3) {
        QCOMPARE(jazzed.at(i), QChar(u'^'));
        QVERIFY2(jazzed.at(i + 1) >= u'1' && jazzed.at(i + 1) <= u'7', qPrintable(jazzed.mid(i, 3)));
        characters += jazzed.at(i + 2);
    }
    QCOMPARE(characters, original);
}

} // namespace

class TestDecorate : public QObject
{
    Q_OBJECT

private slots:
    void colourCodes();
    void decorations_data();
    void decorations();
    void decorations_fixedTexts();

    void jazzDigit_staysWithinOneToSeven();
    void jazz_shape();
    void jazz_emptyText_drawsNothing();
    void jazz_breaksUpOldCodes();
    void jazz_sameOnEveryLaunch();
    void jazz_sharedGenerator_continuesAcrossPanels();
    void jazz_limits();

    void rendering_data();
    void rendering();
    void jazz_keepsCharactersWhole();
};

void TestDecorate::colourCodes()
{
    QCOMPARE(withColour(QString(), 2), QStringLiteral("^2"));
    QCOMPARE(withColour(withColour(QStringLiteral("hi"), 4), 7), QStringLiteral("hi^4^7"));
    QCOMPARE(withColour(QStringLiteral("a^1"), 8), QStringLiteral("a^1^8"));
}

void TestDecorate::decorations_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("formalLength");
    QTest::addColumn<int>("tesselLength");
    QTest::newRow("empty") << "" << 22 << 9;
    QTest::newRow("hi") << "hi" << 24 << 11;
}

void TestDecorate::decorations()
{
    QFETCH(QString, text);
    QFETCH(int, formalLength);
    QFETCH(int, tesselLength);

    const QString formal = formalDecoration(text);
    QCOMPARE(formal, QStringLiteral("^1<^4<^7[ ^7") + text + QStringLiteral(" ^7]^4>^1>"));
    QCOMPARE(formal.size(), formalLength);
    QCOMPARE(formalDecoration(formal).size(), formalLength + 22); // a second click nests
    QVERIFY(formalDecoration(formal).startsWith(QStringLiteral("^1<^4<^7[ ^7^1<^4<^7[ ^7")));

    const QString tessel = tesselScheme(text);
    QCOMPARE(tessel, QStringLiteral("7[ ^1") + text + QStringLiteral(" ^7]"));
    QCOMPARE(tessel.size(), tesselLength);
}

void TestDecorate::decorations_fixedTexts()
{
    QCOMPARE(formalPrefix.size(), 12);
    QCOMPARE(formalSuffix.size(), 10);
    QCOMPARE(tesselPrefix.size(), 5);
    QCOMPARE(tesselSuffix.size(), 4);
    QCOMPARE(tesselPrefix.front(), QChar(u'7')); // a digit, not a colour code
}

void TestDecorate::jazzDigit_staysWithinOneToSeven()
{
    QCOMPARE(jazzDigit(0.0), 1);
    QCOMPARE(jazzDigit(std::nextafter(1.0, 0.0)), 7);
    QCOMPARE(jazzDigit(1.0 / 7.0), 2);
    QCOMPARE(jazzDigit(std::nextafter(1.0 / 7.0, 0.0)), 1);
    SplitMix64 random;
    for (int i = 0; i < 100000; ++i) {
        const double r = random.next();
        QVERIFY(r >= 0.0 && r < 1.0);
        const int d = jazzDigit(r);
        QVERIFY(d >= 1 && d <= 7);
    }
}

void TestDecorate::jazz_shape()
{
    ScriptedRandom random({0.0, 0.5, std::nextafter(1.0, 0.0)});
    QString error;
    const std::optional<QString> jazzed = jazz(QStringLiteral("a b"), random, &error);
    QVERIFY(jazzed);
    QCOMPARE(*jazzed, QStringLiteral("^1a^4 ^7b"));
    QCOMPARE(random.draws, 3);

    SplitMix64 generator;
    const QString text = QStringLiteral("Hello there, team!");
    verifyJazzShape(*jazz(text, generator, &error), text);
}

void TestDecorate::jazz_emptyText_drawsNothing()
{
    ScriptedRandom random({});
    QString error;
    QCOMPARE(jazz(QString(), random, &error), std::optional<QString>(QString()));
    QCOMPARE(random.draws, 0);
}

void TestDecorate::jazz_breaksUpOldCodes()
{
    SplitMix64 random;
    QString error;
    const QString jazzed = *jazz(QStringLiteral("^1a"), random, &error);
    verifyJazzShape(jazzed, QStringLiteral("^1a"));
    QCOMPARE(jazzed.at(2), QChar(u'^'));
    QCOMPARE(jazzed.at(5), QChar(u'1'));
}

void TestDecorate::jazz_sameOnEveryLaunch()
{
    SplitMix64 first, second;
    QString error;
    const QString text = QStringLiteral("same clicks, same colours");
    QCOMPARE(*jazz(text, first, &error), *jazz(text, second, &error));

    // The start state is part of the program: a changed generator changes every player's colours.
    SplitMix64 fresh;
    QCOMPARE(*jazz(QStringLiteral("abcdefgh"), fresh, &error), QStringLiteral("^6a^4b^5c^3d^1e^7f^2g^3h"));
}

void TestDecorate::jazz_sharedGenerator_continuesAcrossPanels()
{
    QString error;
    SplitMix64 shared;
    jazz(QStringLiteral("q3"), shared, &error);
    jazz(QStringLiteral("rtcw"), shared, &error); // the other panel, four draws
    const QString afterBoth = *jazz(QStringLiteral("q3"), shared, &error);

    SplitMix64 alone;
    jazz(QStringLiteral("q3"), alone, &error);
    const QString withoutOther = *jazz(QStringLiteral("q3"), alone, &error);

    SplitMix64 replay;
    for (int i = 0; i < 6; ++i)
        replay.next();
    QCOMPARE(afterBoth, *jazz(QStringLiteral("q3"), replay, &error));
    QVERIFY(afterBoth != withoutOther);
}

void TestDecorate::jazz_limits()
{
    SplitMix64 random;
    QString error;
    const QString longest(jazzLimit, u'x');
    const std::optional<QString> jazzed = jazz(longest, random, &error);
    QVERIFY(jazzed);
    QCOMPARE(jazzed->size(), 98298);

    for (const qsizetype length : {qsizetype(32767), qsizetype(40000)}) {
        ScriptedRandom counting({});
        QVERIFY(!jazz(QString(length, u'x'), counting, &error));
        QCOMPARE(counting.draws, 0);
        QVERIFY2(error.contains(QLatin1String("too long to jazz")), qPrintable(error));
        QVERIFY2(error.contains(QLatin1String("32,766")), qPrintable(error));
    }
}

void TestDecorate::jazz_keepsCharactersWhole()
{
    ScriptedRandom random({});
    QString error;
    const QString text = QStringLiteral("😀e\u0301\r\nx");
    QCOMPARE(*jazz(text, random, &error), QStringLiteral("^4😀^4e\u0301^4\r\n^4x"));
    QCOMPARE(random.draws, 4);

    // 32,766 characters of two code units each still jazz; one more does not.
    const QString smiley = QStringLiteral("😀");
    QVERIFY(jazz(smiley.repeated(jazzLimit), random, &error));
    QVERIFY(!jazz(smiley.repeated(jazzLimit + 1), random, &error));
}

using Runs = QList<decorate::ColouredRun>;

void TestDecorate::rendering_data()
{
    using namespace decorate;
    QTest::addColumn<QString>("text");
    QTest::addColumn<Runs>("runs");
    QTest::newRow("codes taken out") << "^1red^7white" << Runs {{Red, "red"}, {White, "white"}};
    QTest::newRow("starts in the chat colour") << "hi ^3you" << Runs {{Green, "hi "}, {Yellow, "you"}};
    QTest::newRow("jazz") << "^3h^5e" << Runs {{Yellow, "h"}, {Cyan, "e"}};
    QTest::newRow("8 and 9 wrap round") << "^8x^9y" << Runs {{Black, "x"}, {Red, "y"}};
    QTest::newRow("same colour, one run") << "^2a^2b" << Runs {{Green, "ab"}};
    QTest::newRow("a caret before a code") << "^^1x" << Runs {{Green, "^"}, {Red, "x"}};
    QTest::newRow("a last caret stays") << "x^" << Runs {{Green, "x^"}};
    QTest::newRow("any character: a code") << "^!a" << Runs {{Red, "a"}};
    QTest::newRow("nothing but codes") << "^1^2" << Runs {};
}

void TestDecorate::rendering()
{
    QFETCH(QString, text);
    QFETCH(Runs, runs);
    QCOMPARE(decorate::colouredRuns(text, decorate::Green), runs);
}

QTEST_GUILESS_MAIN(TestDecorate)
#include "tst_decorate.moc"
