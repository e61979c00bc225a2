#pragma once

#include <QString>
#include <optional>

class QSaveFile;

namespace settings {

// The two game root folders the program remembers between runs.
struct Folders {
    QString quake3;
    QString rtcw;
    bool operator==(const Folders &) const = default;
};

// The longest line the load takes; anything longer is not a settings file of ours.
inline constexpr int maxLineBytes = 32 * 1024;

// settings.cfg beside the program when its folder can be written and is not an install
// prefix's bin, otherwise in the per-user configuration folder. Load and save both use this, so a save is what the
// next start loads.
QString settingsFilePath(const QString &programFolder, const QString &userConfigFolder);

// Both folders, or nullopt when the file is missing (error empty) or could not be read
// (error says why: short, too long, not text, not a regular file).
std::optional<Folders> load(const QString &path, QString *error = nullptr);

// Rewrites the file; the old one stays whole until the new one is complete and on the
// disk. Refuses, naming the folder, one that would not load back as it is.
bool save(const QString &path, const Folders &folders, QString *error);

// The save, through a file the caller made (tests hand in one that fails).
bool saveThrough(QSaveFile &file, const Folders &folders, QString *error);

// The settings file over one run: loaded at start, saved at the end. A file that could
// not be read may still hold folders worth having: it is replaced only once the player
// has changed a root folder.
class RunSettings
{
public:
    explicit RunSettings(const QString &path)
        : m_path(path)
    {
    }

    // The folders to show at start, or nullopt to leave the boxes at startFolders.
    std::optional<Folders> load(const Folders &startFolders);

    // Saves the folders at the end of the run, unless the unreadable file is kept; false
    // with the reason when the save failed.
    bool save(const Folders &folders, QString *error);

private:
    QString m_path;
    std::optional<Folders> m_unreadFileKeptWhile; // the folders at start, when the file could not be read
};

} // namespace settings
