#pragma once

#include "binds/add/addplan.h"

#include <QFileInfo>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <type_traits>

// Finds a control by its design name, failing the test with that name when it is missing.
// The test goes on with a stand-in of the window's own, so one missing control fails one
// test and the others still run.
template <class W>
W *control(QWidget *window, const char *name)
{
    if (W *widget = window->findChild<W *>(QLatin1String(name)))
        return widget;
    QTest::qFail(qPrintable(QStringLiteral("no control named %1 of the expected kind").arg(QLatin1String(name))),
                 __FILE__, __LINE__);
    if constexpr (std::is_same_v<W, QAbstractButton>)
        return new QPushButton(window);
    else
        return new W(window);
}

// Collects what the window tells the player instead of showing a message box.
struct ReportedMessages {
    QStringList messages;
    auto reporter()
    {
        return [this](const QString &message) { messages << message; };
    }
};

// Answers the window's questions instead of the player, and keeps them.
struct AskedQuestions {
    QStringList questions;
    QList<binds::Question> kinds;
    binds::Answer answer = binds::Answer::Yes;
    auto asker()
    {
        return [this](const binds::PlannedQuestion &question) {
            questions << question.text;
            kinds << question.kind;
            return answer;
        };
    }
};

// The journal of file changes for a window whose settings are at settingsPath: beside them.
inline QString journalBeside(const QString &settingsPath)
{
    return QFileInfo(settingsPath).absolutePath() + QStringLiteral("/undo");
}
