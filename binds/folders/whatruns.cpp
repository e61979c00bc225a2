#include "binds/folders/whatruns.h"

#include "binds/files/bindline.h"
#include "binds/folders/homes.h"
#include "host/drives.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace binds {

namespace {

std::optional<QString> hostFolder(const QString &folderString, const host::Host &host)
{
    return host::toHostPath(folderString, host);
}

// The engine's home on this host, as a host folder, when it exists; and whether it is the
// one read instead of the old home (ioquake3's XDG folder).
struct Home {
    QString folder;
    bool insteadOfOld = false;
};

std::optional<Home> homeOf(const Engine &engine, const host::Host &host, bool windows, bool inWine)
{
    const EngineHomes &homes = engine.homes;
    if (windows) {
        if (homes.windowsStart == HomeStart::Drive || !homes.windows)
            return std::nullopt;
        for (const QString &start : homeStarts(homes.windowsStart, host, inWine)) {
            const QString folder = start + u'/' + QString::fromUtf8(homes.windows);
            if (QFileInfo(folder).isDir())
                return Home {folder};
        }
        return std::nullopt;
    }
    if (homes.posixConfig && !host.configHome.isEmpty()) {
        const QString folder = host.configHome + u'/' + QString::fromUtf8(homes.posixConfig);
        if (QFileInfo(folder).isDir())
            return Home {folder, true};
    }
    if (homes.posix && !host.home.isEmpty()) {
        const QString folder = host.home + u'/' + QString::fromUtf8(homes.posix);
        if (QFileInfo(folder).isDir())
            return Home {folder};
    }
    return std::nullopt;
}

// The folders below the root named as the engine would name them, "" for the base game.
QString folderName(const QString &name, const Engine &engine)
{
    return name.isEmpty() ? engine.baseFolder : name;
}

// One engine's answer; its why names the engine with %1.
StartFolders startFoldersOf(const Engine &engine, const QString &root, const QString &asked, const host::Host &host)
{
    StartFolders start;
    start.engines = {&engine};
    const QString rootFolder = host::withFinalSeparator(root, host.style);
    const std::optional<QString> typedHost = hostFolder(rootFolder, host);
    const QString typed = typedHost ? canonicalPath(*typedHost) : QString();
    const bool inWine = typedHost && isInWinePrefix(typed, host);
    const bool windows = host.style == host::Style::Windows || inWine;

    // The roots searched, first first: its home, then the root typed, unless the home
    // replaced it.
    QStringList roots; // folder strings, each with its final separator
    QString whyNotTyped;
    if (const std::optional<Home> home = homeOf(engine, host, windows, inWine);
        home && canonicalPath(home->folder) != typed) {
        if (const std::optional<QString> shown = host::folderStringFor(home->folder, host))
            roots << host::withFinalSeparator(*shown, host.style);
        const QString old = engine.homes.posix ? host.home + u'/' + QString::fromUtf8(engine.homes.posix) : QString();
        if (home->insteadOfOld && typed == canonicalPath(old)) {
            whyNotTyped = QStringLiteral("%1 has kept its files in \"%2\" since it moved them there, and no longer "
                                         "reads \"%3\" at all")
                              .arg(QStringLiteral("%1"), host::shownPath(home->folder), host::shownPath(old));
        }
    }
    if (whyNotTyped.isEmpty())
        roots << rootFolder;

    // The mod's folders before the base game's; only the mod's for an engine that runs no other.
    const QString played = asked.isEmpty() ? engine.defaultMod : asked;
    QStringList names;
    if (!played.isEmpty() && played.compare(engine.baseFolder, Qt::CaseInsensitive) != 0)
        names << played;
    if (names.isEmpty() || engine.autoexecFrom == AutoexecFrom::SearchPath)
        names << engine.baseFolder;
    QStringList folders; // folder strings
    for (const QString &name : std::as_const(names)) {
        for (const QString &searchedRoot : std::as_const(roots))
            folders << host::gameFolder(searchedRoot, name, host);
    }
    // Each folder reached once: its place on this machine, its config and its autoexec.cfg.
    qsizetype firstFile = -1;
    for (qsizetype i = 0; i < folders.size(); ++i) {
        const std::optional<QString> path = hostFolder(folders.at(i), host);
        start.searched << QDir::cleanPath(path.value_or(QString()));
        for (const QString &config : engine.configFiles) {
            if (start.config.isEmpty() && path && QFileInfo(*path + u'/' + config).isFile())
                start.config = *path + u'/' + config;
        }
        const std::optional<QString> autoexec = autoexecPath(folders.at(i), host);
        if (firstFile < 0 && autoexec && QFileInfo(*autoexec).isFile()) {
            firstFile = i;
            start.autoexec = *autoexec;
        }
    }

    const QString askedFolder = host::gameFolder(rootFolder, folderName(asked, engine), host);
    const std::optional<QString> askedHost = hostFolder(askedFolder, host);
    qsizetype askedAt = -1;
    for (qsizetype i = 0; i < start.searched.size() && askedAt < 0 && askedHost; ++i) {
        if (canonicalPath(start.searched.at(i)) == canonicalPath(*askedHost))
            askedAt = i;
    }
    if (askedAt >= 0 && (firstFile < 0 || firstFile >= askedAt)) {
        start.writeFolder = askedFolder;
        return start;
    }
    if (firstFile >= 0) {
        start.writeFolder = folders.at(firstFile);
        if (!whyNotTyped.isEmpty())
            start.why = whyNotTyped;
        else if (askedAt < 0)
            start.why = QStringLiteral("%1 runs autoexec.cfg only from the folder of the mod it plays (%2)")
                            .arg(QStringLiteral("%1"), played);
        else if (!start.searched.at(firstFile).startsWith(canonicalPath(*typedHost) + u'/'))
            start.why = QStringLiteral("%1 reads \"%2\" before the game's own folder, and the autoexec.cfg there hides "
                                       "this one")
                            .arg(QStringLiteral("%1"), host::shownPath(folders.at(firstFile)));
        else
            start.why =
                QStringLiteral("%1 plays %2, whose autoexec.cfg hides this one").arg(QStringLiteral("%1"), played);
        return start;
    }
    // Nothing there yet, and the folder asked for is not read: the first folder that is,
    // under the root typed where one is.
    start.writeFolder = folders.value(0);
    for (const QString &folder : std::as_const(folders)) {
        if (folder.startsWith(rootFolder)) {
            start.writeFolder = folder;
            break;
        }
    }
    start.why = !whyNotTyped.isEmpty()
        ? whyNotTyped
        : QStringLiteral("%1 runs autoexec.cfg only from the folder of the mod it plays (%2)")
              .arg(QStringLiteral("%1"), played);
    return start;
}

} // namespace

EngineGuess guessEngine(const QString &root, const Game &game, const host::Host &host)
{
    QList<const Engine *> ofGame = enginesOf(game);
    const std::optional<QString> rootHost = host::isWholeFolder(root, host.style)
        ? hostFolder(host::withFinalSeparator(root, host.style), host)
        : std::nullopt;
    if (!rootHost || !QFileInfo(*rootHost).isDir())
        return {ofGame, {}};
    const QString folder = canonicalPath(*rootHost);
    auto holds = [&folder](const QString &name) {
        return QFileInfo(folder + u'/' + host::matchingEntry(folder, name)).isDir();
    };
    // One that plays a mod of its own unless told otherwise (CNQ3's cpma) is there with it.
    auto itsModHere = [&holds](const Engine *engine) {
        return engine->defaultMod.isEmpty() || holds(engine->defaultMod);
    };

    // A program of its own in the root.
    QHash<QString, QString> files; // lower case -> as the folder spells it
    for (const QString &file : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        files.insert(file.toLower(), file);
    QList<const Engine *> found;
    QStringList programs;
    QSet<QString> markedNames; // programs that an engine with a folder of its own claimed
    for (const Engine *engine : ofGame) {
        for (const QString &program : engine->executables) {
            const QString there = files.value(program.toLower());
            if (there.isEmpty())
                continue;
            if (engine->markerFolder) {
                const QString marker = QString::fromUtf8(engine->markerFolder);
                if (!holds(marker))
                    continue;
                markedNames.insert(there.toLower());
                programs << QStringLiteral("%1 and the %2 folder").arg(there, marker);
            } else {
                programs << there;
            }
            if (!found.contains(engine))
                found << engine;
        }
    }
    found.removeIf([&](const Engine *engine) {
        return !engine->markerFolder
            && std::any_of(engine->executables.cbegin(), engine->executables.cend(),
                           [&](const QString &p) { return markedNames.contains(p.toLower()); });
    });
    programs.removeIf([&](const QString &program) { return markedNames.contains(program.toLower()); });
    if (!found.isEmpty()) {
        programs.removeDuplicates();
        return {found, QStringLiteral("%1 in this folder").arg(namesInWords(programs))};
    }
    // A Quake Live account's folder, or a game folder typed as the root: the program is in
    // the folder above.
    const QString above = QFileInfo(folder).absolutePath();
    for (const Engine *engine : ofGame) {
        for (const QString &program : engine->executables) {
            const QString there = host::matchingEntry(above, program);
            if (QFileInfo(above + u'/' + there).isFile())
                return {{engine}, QStringLiteral("%1 in the folder above").arg(there)};
        }
    }

    // An engine's home.
    for (const bool windows : {false, true}) {
        const bool inWine = windows && host.style == host::Style::Posix;
        if ((host.style == host::Style::Windows) != windows && !inWine)
            continue;
        QList<const Engine *> homeOfThem;
        for (const Engine *engine : ofGame) {
            const EngineHomes &homes = engine->homes;
            QStringList theirs;
            if (!windows && homes.posix && !host.home.isEmpty())
                theirs << host.home + u'/' + QString::fromUtf8(homes.posix);
            if (!windows && homes.posixConfig && !host.configHome.isEmpty())
                theirs << host.configHome + u'/' + QString::fromUtf8(homes.posixConfig);
            if (windows && homes.windows) {
                for (const QString &start : homeStarts(homes.windowsStart, host, inWine))
                    theirs << start + u'/' + QString::fromUtf8(homes.windows);
            }
            if (itsModHere(engine) && std::any_of(theirs.cbegin(), theirs.cend(), [&](const QString &home) {
                    return canonicalPath(home) == folder;
                }))
                homeOfThem << engine;
        }
        if (!homeOfThem.isEmpty()) {
            return {homeOfThem,
                    QStringLiteral("\"%1\" is where %2 keep%3 the player's files")
                        .arg(host::shownPath(*rootHost), engineNames(homeOfThem),
                             homeOfThem.size() == 1 ? QStringLiteral("s") : QString())};
        }
    }

    // Any engine whose base game is there, and its own mod where it plays one. One with no
    // home of its own (Quake Live, whose folders are its program's) was found above, or is not this one.
    QList<const Engine *> possible;
    ofGame.removeIf([](const Engine *engine) { return !engine->homes.posix && !engine->homes.windows; });
    for (const Engine *engine : ofGame) {
        if (holds(engine->baseFolder) && itsModHere(engine))
            possible << engine;
    }
    if (possible.isEmpty()) {
        for (const Engine *engine : ofGame) {
            if (engine->defaultMod.isEmpty())
                possible << engine;
        }
    }
    return {possible, QStringLiteral("no engine's program in this folder")};
}

QList<StartFolders> startFolders(const QList<const Engine *> &engines, const QString &root, const QString &asked,
                                 const Game &game, const host::Host &host)
{
    Q_UNUSED(game);
    QList<StartFolders> groups;
    QList<QString> whys; // each group's why, before the engines' names go in
    for (const Engine *engine : engines) {
        StartFolders one = startFoldersOf(*engine, root, asked, host);
        bool joined = false;
        for (qsizetype i = 0; i < groups.size() && !joined; ++i) {
            StartFolders &group = groups[i];
            if (group.searched == one.searched && group.config == one.config && group.autoexec == one.autoexec
                && group.writeFolder == one.writeFolder && whys.at(i) == one.why) {
                group.engines << engine;
                joined = true;
            }
        }
        if (!joined) {
            whys << one.why;
            groups << one;
        }
    }
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (!whys.at(i).isEmpty())
            groups[i].why = whys.at(i).arg(engineNames(groups.at(i).engines));
    }
    return groups;
}

} // namespace binds
