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

// settings.cfg beside the program when its folder can be written, otherwise in the
// per-user configuration folder. Load and save both use this, so a save is what the
// next start loads.
QString settingsFilePath(const QString &programFolder, const QString &userConfigFolder);

// Both folders, or nullopt when the file is missing, short, too long or not text.
std::optional<Folders> load(const QString &path);

// Rewrites the file; the old one stays whole until the new one is complete.
bool save(const QString &path, const Folders &folders, QString *error);

// The save, through a file the caller made (tests hand in one that fails).
bool saveThrough(QSaveFile &file, const Folders &folders, QString *error);

} // namespace settings
