#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

// The median time of one run of work, in microseconds, over many runs: the median
// shrugs off the odd run the machine spent elsewhere.
template <class Work>
double medianMicroseconds(int runs, Work &&work)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1000.0);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

// One line a figure: what was timed against what, and the ratio with its target.
inline bool reportRatio(const char *name, double measured, const char *against, double baseline, double target)
{
    const double ratio = measured / baseline;
    std::printf("%-10s %10.1f us  vs %-34s %10.1f us  ratio %.2f (target <= %.1f) %s\n", name, measured, against,
                baseline, ratio, target, ratio <= target ? "ok" : "OVER TARGET");
    return ratio <= target;
}

// Writes a file of exactly size bytes from the lines lineOf(0), lineOf(1)...; false when
// it could not be written.
template <class LineOf>
bool writeFileOfLines(const QString &path, qint64 size, LineOf &&lineOf)
{
    QByteArray bytes;
    for (int i = 0; bytes.size() < size; ++i)
        bytes += lineOf(i);
    bytes.truncate(size);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
