#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A tmpfs of a few KiB mounted over a temporary folder: a real file system that fills.
// Mounting needs root, as CI has; elsewhere ready() is false and why() says so.
class SmallDisk
{
public:
    explicit SmallDisk(int kibibytes)
    {
        if (!m_dir.isValid()) {
            m_why = QStringLiteral("no temporary folder");
            return;
        }
        QProcess mount;
        mount.start(QStringLiteral("mount"),
                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("size=%1k").arg(kibibytes), QStringLiteral("tmpfs"), m_dir.path()});
        m_mounted = mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
        if (!m_mounted)
            m_why = QStringLiteral("could not mount a small tmpfs (needs root, as CI has): ")
                + QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool ready() const { return m_mounted; }
    QString why() const { return m_why; }
    QString path() const { return m_dir.path(); }

    // Fills what is left with one file, so the next write that needs a new block fails.
    bool fill() const
    {
        QFile filler(m_dir.filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) { }
        return true;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_why;
};
