#pragma once

#include "binds/addplan.h"

#include <QStringList>
#include <QTest>
#include <QWidget>

// Finds a control by its design name, failing the test with that name when it is missing.
template <class W>
W *control(QWidget *window, const char *name)
{
    W *widget = window->findChild<W *>(QLatin1String(name));
    if (!widget)
        qFatal("no control named %s of the expected kind", name);
    return widget;
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
