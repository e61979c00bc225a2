#pragma once

#include <QString>

#include <optional>

class QSaveFile;

namespace settings {

// The two game root folders the program remembers between runs, and the engine the player
// chose for each game (an engine's id; empty: found from the root).
struct Folders {
    QString quake3;
    QString rtcw;
    QString quake3Engine = {};
    QString rtcwEngine = {};
    bool operator==(const Folders &) const = default;
};

// The longest line the load takes; anything longer is not a settings file of ours.
inline constexpr int maxLineBytes = 32 * 1024;

// Where settings.cfg may live: the preferred place, and the one a save falls back on
// when it cannot write there (the one a save makes its folder for). Either may be empty.
struct Places {
    Places(const QString &preferredPath, const QString &fallbackPath = {})
        : preferred(preferredPath)
        , fallback(fallbackPath)
    { }
    QString preferred;
    QString fallback;
};

// Beside the program, falling back on the per-user configuration folder; the per-user
// folder alone for a program installed in a prefix's bin, which every user shares.
// Which of the two is used is decided by trying, not by asking the file system: on
// Windows a folder's attributes do not say whether a user may write in it.
Places settingsPlaces(const QString &programFolder, const QString &userConfigFolder);

// Both folders, or nullopt when the file is missing (error empty) or could not be read
// (error says why: short, too long, not text, not a regular file).
std::optional<Folders> load(const QString &path, QString *error = nullptr);

// Rewrites the file; the old one stays whole until the new one is complete and on the
// disk. Refuses, naming the folder, one that would not load back as it is.
bool save(const QString &path, const Folders &folders, QString *error = nullptr);

// The save, through a file the caller made (tests hand in one that fails).
bool saveThrough(QSaveFile &file, const Folders &folders, QString *error = nullptr);

// The settings file over one run: loaded at start, saved whenever the player changed
// something. Only what the player changed in this run is written, each value on its own,
// over the file as it is then: another window's changes, and a newer file of another copy,
// stay. A file that could not be read may still hold folders worth having: it is replaced
// only once the player has changed a root folder.
class RunSettings
{
public:
    explicit RunSettings(const Places &places)
        : m_places(places)
    { }

    // The folders to show at start, from the newer readable file of the two places, or
    // nullopt to leave the boxes at startFolders.
    std::optional<Folders> load(const Folders &startFolders);

    // Saves what changed since the start of the run: in the preferred place, else, without
    // a word, in the fallback. Nothing changed: nothing written. A root the file cannot hold
    // keeps the file's value, and error names it; the rest is saved. False with the reason
    // when nothing could be written.
    bool save(const Folders &folders, QString *error = nullptr);

private:
    // The newest readable file of the two places now, if any.
    std::optional<Folders> newest() const;

    Places m_places;
    Folders m_started;     // what the window showed at start, or wrote last
    bool m_unread = false; // a file was there that could not be read
};

} // namespace settings
