#pragma once

#include <QObject>

class QSocketNotifier;

// The end a session asks of a program (SIGTERM at logout, SIGHUP, SIGINT) as a signal in the
// event loop, so that the window closes as it does when the player closes it. A POSIX
// signal handler may do next to nothing: it writes a byte that the loop reads.
class EndSignals : public QObject
{
    Q_OBJECT

public:
    explicit EndSignals(QObject *parent);
    ~EndSignals() override;

signals:
    void endRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
