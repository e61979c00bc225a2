#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
// Makes a named pipe at path, failing the test when it cannot.
#define QVERIFY_MKFIFO(path) QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0)
#else
#define QVERIFY_MKFIFO(path) QSKIP("Windows keeps no named pipes among its files")
#endif

// The whole file, or "<missing>" when it cannot be read.
inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}
