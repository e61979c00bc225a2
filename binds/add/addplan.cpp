#include "binds/add/addplan.h"

#include "binds/engine/commands.h"
#include "binds/engine/keys.h"
#include "binds/files/bindline.h"
#include "binds/files/bindremoval.h"
#include "binds/files/consolefile.h"
#include "binds/files/keyactions.h"
#include "binds/files/startrun.h"
#include "binds/folders/whatruns.h"
#include "host/error.h"
#include "host/numbers.h"
#include "host/textencoding.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace binds {

namespace {

QByteArray withLineEnded(const QByteArray &bytes)
{
    return bytes + lineEndBefore(bytes.isEmpty() ? std::nullopt : std::optional<char>(bytes.back()));
}

// Why a line appended to the bytes would not be the key's bind in every engine that runs
// the file; empty when it would be.
QString whyAppendedLineWouldNotRun(const QByteArray &bytes, const QByteArray &line, const QString &shownFile,
                                   const QList<const Engine *> &engines)
{
    const QByteArray after = withLineEnded(bytes) + line + "\r\n";
    const qsizetype lineBegin = after.size() - line.size() - 2;
    for (const Engine *engine : engines) {
        if (after.size() > engine->rules.fileLimit)
            continue;
        const QList<ScriptCommand> commands = scriptCommands(after, engine->rules);
        if (!commands.isEmpty() && commands.last().begin == lineBegin)
            continue;
        if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
            return QStringLiteral("Did not add the bind: \"%1\" holds an invisible null character on line %2, and the "
                                  "games read nothing after it, so a bind added at the end would never run. Remove "
                                  "that character (a text editor shows it as NUL or a box), then add the bind again.")
                .arg(shownFile, host::englishNumber(lineNumberAt(bytes, nul)));
        }
        const qsizetype opened = bytes.lastIndexOf("/*");
        return QStringLiteral("Did not add the bind: %1 read%2 everything after the \"/*\" on line %3 of \"%4\" as a "
                              "comment, which nothing closes, so a bind added at the end would never run there. Close "
                              "the comment with \"*/\" or remove the \"/*\", then add the bind again.")
            .arg(QString::fromUtf8(engine->name), QStringLiteral("s"),
                 host::englishNumber(lineNumberAt(bytes, std::max<qsizetype>(opened, 0))), shownFile);
    }
    return {};
}

QString chatChangedQuestion(const QString &say)
{
    const ChatReceived received = chatAsReceived(say);
    if (!received.cut && !received.dotted)
        return {};
    QStringList why;
    if (received.cut)
        why << QStringLiteral("the server passes on only the first %1 bytes of a chat").arg(maxSayBytes);
    if (received.dotted)
        why << QStringLiteral("the network turns letters beyond plain English, and %, into dots");
    return QStringLiteral("Other players would receive \"%1\": %2. Add it anyway?")
        .arg(received.text, why.join(QStringLiteral(", and ")));
}

QString unknownCommandQuestion(const BindRequest &bind)
{
    const QList<QByteArray> args = consoleArguments(host::toFileEncoding(bind.text).value_or(QByteArray()));
    if (args.isEmpty() || isKnownConsoleWord(args.first()))
        return {};
    return QStringLiteral("\"%1\" is no console command the games know, so pressing %2 would only print \"Unknown "
                          "command\". To send the text as chat, choose Team Talk or Public first. Bind it as a "
                          "console command anyway?")
        .arg(host::fileBytesShown(args.first()), bind.key.trimmed());
}

QString modFirstFileQuestion(const QString &modFile, const QString &baseFile)
{
    return QStringLiteral("\"%1\" does not exist yet. Once it does, the game runs it instead of \"%2\" when you play "
                          "that mod (it runs the first autoexec.cfg it finds, the mod's), so the binds in \"%2\" would "
                          "no longer run there. Start it with the lines of \"%2\"? No starts it with this bind "
                          "alone; Cancel writes nothing.")
        .arg(host::shownPath(modFile), host::shownPath(baseFile));
}

// What joining an OSP server does to a bind of the base game's autoexec.cfg, for the engines
// that run it only at start (id's releases re-run only the config there, which starts with
// unbindall: files.c FS_ConditionalRestart); empty when none of them has an OSP config yet.
QString modSwitchQuestion(const QList<const Engine *> &runners, const QString &root, const QString &modFolder,
                          const host::Host &host)
{
    if (!modFolder.isEmpty())
        return {};
    QList<const Engine *> startOnly;
    QString ospConfig;
    for (const Engine *engine : runners) {
        if (engine->modSwitchRunsAutoexec)
            continue;
        const std::optional<QString> osp =
            host::toHostPath(host::gameFolder(host::withFinalSeparator(root, host.style), ospFolder, host), host);
        for (const QString &config : engine->configFiles) {
            if (osp && QFileInfo(*osp + u'/' + config).isFile()) {
                startOnly << engine;
                ospConfig = QDir::cleanPath(*osp + u'/' + config);
            }
        }
    }
    if (startOnly.isEmpty())
        return {};
    return QStringLiteral("%1 run%2 this autoexec.cfg only when the game starts. Joining an OSP server runs \"%3\" "
                          "instead, which begins with unbindall, so in OSP games this bind is gone. To have it there, "
                          "choose OSP and add it to the OSP folder too. Add it here anyway?")
        .arg(engineNames(startOnly), startOnly.size() == 1 ? QStringLiteral("s") : QString(),
             host::shownPath(ospConfig));
}

// Whether the bind holds the key in every engine that reads it: a bind that another
// engine reads as another key ("G" in 1.32) is not the key's.
bool holdsKeyInEach(const StartBind &bind, const QByteArray &name, const QList<const Engine *> &engines,
                    bool runningOnly)
{
    bool any = false;
    for (qsizetype e = 0; e < engines.size(); ++e) {
        const std::optional<ConfigBind> &read = bind.read.at(e);
        const BindFate fate = bind.fateIn(e);
        if (!read || (fate != BindFate::Runs && (runningOnly || fate != BindFate::Overridden)))
            continue;
        const ConsoleRules &rules = engines.at(e)->rules;
        if (keyNumber(read->key, rules) != keyNumber(name, rules))
            return false;
        any = true;
    }
    return any;
}

// What the key does once the game has run the files, in the words of the question.
QString takeOverQuestion(const QString &key, const StartRun &run, int targetIndex, const QString &targetShown)
{
    const QByteArray name = host::toFileEncoding(key.trimmed()).value_or(QByteArray());
    QStringList now;
    for (qsizetype e = 0; e < run.engines().size(); ++e) {
        const QByteArray binding = run.bindingOf(name, e).value_or(QByteArray());
        if (binding.isEmpty())
            continue;
        const ConsoleRules &rules = run.engines().at(e)->rules;
        // The file whose bind holds the key: the one bind of it that still runs.
        std::optional<int> holder;
        for (int file = 0; file < run.files().size(); ++file) {
            for (const StartBind &bind : run.bindsIn(file)) {
                if (bind.fateIn(e) == BindFate::Runs && bind.read.at(e)->command == binding
                    && keyNumber(bind.read.at(e)->key, rules) == keyNumber(name, rules))
                    holder = file;
            }
        }
        const QString does = keyActionWords(binding, rules);
        const QString sentence = holder == targetIndex
            ? QStringLiteral("\"%1\" already binds it to %2").arg(targetShown, does)
            : holder && !run.files().at(*holder).execName.isEmpty()
            ? QStringLiteral("\"%1\", which the game runs by exec, binds it to %2")
                  .arg(host::shownPath(run.files().at(*holder).path), does)
            : QStringLiteral("in the game's own settings it is %1").arg(does);
        if (!now.contains(sentence))
            now << sentence;
    }
    if (now.isEmpty())
        return {};
    return QStringLiteral("The key %1 is taken: %2. A new bind in autoexec.cfg replaces that at the game's next start. "
                          "Replace it?")
        .arg(key.trimmed(), now.join(QStringLiteral("; ")));
}

// The binds of the key in the target that decide, or decided, what it does: Yes replaces
// them in place.
QList<StartBind> earlierBindsOf(const QString &key, const StartRun &run, int targetIndex)
{
    const QByteArray name = host::toFileEncoding(key.trimmed()).value_or(QByteArray());
    QList<StartBind> earlier;
    for (const StartBind &bind : run.bindsIn(targetIndex)) {
        if (holdsKeyInEach(bind, name, run.engines(), false))
            earlier << bind;
    }
    return earlier;
}

// The target's bytes as they would be without the key's earlier binds that can be taken
// out cleanly: a line that cannot stays, and the new bind after it wins all the same.
QByteArray withoutEarlierBinds(const QByteArray &start, const QString &key, const StartRun &run, int targetIndex)
{
    QString stays;
    return withoutBinds(start, earlierBindsOf(key, run, targetIndex), run.engines(), &stays, Removal::WhatCanBeTaken)
        .value_or(start);
}

// The game's config and the target as the engines will run them, the target holding `start`.
StartRun runWith(const StartFolders &folders, const QString &target, const QByteArray &start)
{
    QList<StartFile> files =
        StartRun::read(folders.config.isEmpty() ? QStringList() : QStringList {folders.config}, folders.engines)
            .files();
    files.append(StartFile {target, start, true, {}});
    return StartRun::of(files, folders.engines, folders.searched);
}

// The arguments of each command an engine runs, leaving out the one that begins at `leftOut`
// and has these arguments.
QList<QList<QByteArray>> argumentsWithout(const QList<ScriptCommand> &commands, qsizetype leftOut,
                                          const QList<QByteArray> &args)
{
    QList<QList<QByteArray>> kept;
    for (const ScriptCommand &command : commands) {
        if (command.begin != leftOut || command.args != args)
            kept << command.args;
    }
    return kept;
}

// The start bytes with the new line where the key's last earlier bind stood, the others
// taken out: what the player expects of a replaced bind. Only where every engine then runs
// exactly what it runs with the line appended, in another place, and every key ends as
// bound the same; else nullopt.
std::optional<QByteArray> replacedInPlace(const QByteArray &start, const QList<StartBind> &earlier,
                                          const QByteArray &line, const QByteArray &appended,
                                          const std::function<StartRun(const QByteArray &)> &runOf)
{
    if (earlier.isEmpty())
        return std::nullopt;
    const auto last = std::max_element(earlier.cbegin(), earlier.cend(), [](const StartBind &a, const StartBind &b) {
        return a.shown().begin < b.shown().begin;
    });
    qsizetype at = last->shown().begin; // the blanks before the command stay
    while (at < last->shown().end && (start.at(at) == ' ' || start.at(at) == '\t'))
        ++at;
    QByteArray candidate = start;
    candidate.replace(at, last->shown().end - at, line);
    QList<StartBind> others = earlier;
    others.removeAt(last - earlier.cbegin());
    const StartRun before = runOf(appended);
    QString stays;
    const qsizetype replacedSize = candidate.size();
    candidate = withoutBinds(candidate, others, before.engines(), &stays, Removal::WhatCanBeTaken).value_or(candidate);
    at -= replacedSize - candidate.size(); // the others stood before it
    const QByteArray lineBefore = candidate.left(at);
    const StartRun after = runOf(candidate);
    for (qsizetype e = 0; e < before.engines().size(); ++e) {
        const ConsoleRules &rules = before.engines().at(e)->rules;
        if (appended.size() > rules.fileLimit || candidate.size() > rules.fileLimit)
            return std::nullopt;
        const QList<ScriptCommand> lineRead = scriptCommands(line, rules);
        if (lineRead.size() != 1 || after.bindings(e) != before.bindings(e))
            return std::nullopt;
        // The new command is the one that begins where the bytes before it end, blanks aside.
        const QList<ScriptCommand> candidateRead = scriptCommands(candidate, rules);
        const QList<ScriptCommand> upToIt = scriptCommands(lineBefore + line, rules);
        const qsizetype placed = upToIt.isEmpty() ? -1 : upToIt.last().begin;
        const QList<ScriptCommand> appendedRead = scriptCommands(appended, rules);
        const qsizetype appendedAt = appendedRead.isEmpty() ? -1 : appendedRead.last().begin;
        if (argumentsWithout(candidateRead, placed, lineRead.first().args)
            != argumentsWithout(appendedRead, appendedAt, lineRead.first().args))
            return std::nullopt;
    }
    return candidate;
}

// What to do about the missing folder Add would write into: a root typed one level too
// deep, or a mod folder the game does not have; empty when neither is the case.
QString missingFolderAdvice(const QString &missing, const QString &modFolder, const Game &game)
{
    const QFileInfo root(QFileInfo(missing).absolutePath());
    const QString rootName = root.fileName();
    if (rootName.compare(game.baseFolder, Qt::CaseInsensitive) == 0
        || (!modFolder.isEmpty() && rootName.compare(modFolder, Qt::CaseInsensitive) == 0)) {
        return QStringLiteral("The root folder is the one that holds \"%1\": type \"%2\" as the %3, one level up, "
                              "and add the bind again.")
            .arg(rootName, host::shownPath(root.absolutePath()), game.rootLabel);
    }
    const QString base = QDir(root.absoluteFilePath()).filePath(game.baseFolder);
    if (!modFolder.isEmpty() && QFileInfo(base).isDir()) {
        QString baseOption = game.baseFolder;
        baseOption[0] = baseOption[0].toUpper();
        return QStringLiteral("This game has no \"%1\" folder: choose %2 to write into \"%3\", or, if you play %1, "
                              "start the game with it once so that the folder is there, then add the bind again.")
            .arg(modFolder, baseOption, host::shownPath(base));
    }
    return {};
}

} // namespace

AddPlan planAdd(const AddRequest &request, const Game &game, const Answers &answers, const host::Host &host)
{
    AddPlan plan;
    QString error;
    const QList<const Engine *> engines = request.engines.isEmpty() ? enginesOf(game) : request.engines;
    const std::optional<QByteArray> line = encodedLine(request.bind.key, request.bind.text, engines, &error);
    if (!line) {
        plan.refusal = error;
        return plan;
    }
    // Where the engines run autoexec.cfg from: the folder asked for, unless none of them runs it.
    const QList<StartFolders> groups = startFolders(engines, request.root, request.modFolder, game, host);
    const bool readElsewhere = !groups.isEmpty()
        && std::all_of(groups.cbegin(), groups.cend(), [](const StartFolders &group) { return !group.why.isEmpty(); });
    const StartFolders none;
    const StartFolders &group = groups.isEmpty() ? none : groups.first();
    const QString gameFolder = readElsewhere ? group.writeFolder : request.bind.gameFolder;
    const std::optional<QString> target = autoexecPath(gameFolder, host, &error);
    if (!target) {
        plan.refusal = addFailure(autoexecIn(gameFolder), error);
        return plan;
    }
    // The engines that run the target: those of the group that writes there.
    QList<const Engine *> runners = engines;
    StartFolders folders = group;
    for (const StartFolders &each : groups) {
        if (each.writeFolder == gameFolder) {
            folders = each;
            runners = each.engines;
            break;
        }
    }
    folders.engines = runners;

    // Every check that can refuse, before any question.
    PlannedWrite write {*target, QFileInfo::exists(*target), {}, {}, *line, true};
    if (QFileInfo(*target).isDir()) {
        plan.refusal = addFailure(*target, QStringLiteral("a folder stands where the file should be"));
        return plan;
    }
    const QString folder = QFileInfo(*target).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        plan.refusal = addFailure(*target,
                                  QStringLiteral("the folder \"%1\" does not exist%2")
                                      .arg(host::shownPath(folder),
                                           // Where the game runs another folder's file, the player learns why that one.
                                           readElsewhere ? QStringLiteral(" (%1)").arg(group.why) : QString()),
                                  0, readElsewhere ? QString() : missingFolderAdvice(folder, request.modFolder, game));
        return plan;
    }
    if (write.existed) {
        const std::optional<QByteArray> bytes = readConsoleFile(*target, &error);
        if (!bytes) {
            plan.refusal = error;
            return plan;
        }
        write.read = *bytes;
    }
    plan.read = TargetRead {*target, write.existed, write.read};
    const QString targetShown = host::shownPath(*target);
    plan.refusal = whyAppendedLineWouldNotRun(write.read, *line, targetShown, runners);
    if (!plan.refusal.isEmpty())
        return plan;
    // The file that runs now and that the new one would hide: the mod's first file may
    // start with its lines.
    const QString hidden = !write.existed && !folders.autoexec.isEmpty()
            && QFileInfo(folders.autoexec).absoluteFilePath() != QFileInfo(*target).absoluteFilePath()
        ? folders.autoexec
        : QString();
    std::optional<QByteArray> hiddenLines;
    if (!hidden.isEmpty()) {
        hiddenLines = readConsoleFile(hidden, &error);
        if (!hiddenLines) {
            plan.refusal = QStringLiteral("Could not read \"%1\": %2").arg(host::shownPath(hidden), error);
            return plan;
        }
        plan.refusal = whyAppendedLineWouldNotRun(*hiddenLines, *line, host::shownPath(hidden), runners);
        if (!plan.refusal.isEmpty())
            return plan;
    }
    // What the file would hold, and its size, before anything is asked: the key's earlier
    // binds taken out where it is taken over.
    struct Outcome {
        QString takeOver; // the question, empty when the key is free
        QByteArray kept;  // the file without the key's earlier binds, where it is taken over
        QByteArray bytes; // and with the new line
    };
    auto outcomeOf = [&](const QByteArray &start) {
        const auto runOf = [&](const QByteArray &bytes) { return runWith(folders, *target, bytes); };
        const StartRun run = runOf(start);
        const int targetIndex = run.fileIndex(*target).value_or(0);
        Outcome outcome {takeOverQuestion(request.bind.key, run, targetIndex, targetShown), start, {}};
        if (!outcome.takeOver.isEmpty())
            outcome.kept = withoutEarlierBinds(start, request.bind.key, run, targetIndex);
        outcome.bytes = withLineEnded(outcome.kept) + *line + "\r\n";
        if (!outcome.takeOver.isEmpty()) {
            outcome.bytes =
                replacedInPlace(start, earlierBindsOf(request.bind.key, run, targetIndex), *line, outcome.bytes, runOf)
                    .value_or(outcome.bytes);
        }
        return outcome;
    };
    const Outcome asItIs = outcomeOf(write.read);
    if (const QString tooLarge = tooLargeFor(*target, asItIs.bytes.size(), runners); !tooLarge.isEmpty()) {
        plan.refusal = tooLarge;
        return plan;
    }

    // Each question once, in order; the first unanswered one is asked next.
    auto ask = [&](Question kind, const QString &text, bool hasCancel) -> std::optional<Answer> {
        if (text.isEmpty())
            return Answer::Yes;
        if (!answers.contains(kind)) {
            // A Yes/No question says what No does; the mod's question names its three answers itself.
            plan.question =
                PlannedQuestion {kind, hasCancel ? text : text + QStringLiteral(" No writes nothing."), hasCancel};
            return std::nullopt;
        }
        const Answer answer = answers.value(kind);
        if (answer == Answer::Cancel || (answer == Answer::No && !hasCancel))
            plan.question.reset();
        return answer;
    };
    auto goesOn = [](std::optional<Answer> answer, bool hasCancel) {
        return answer && *answer != Answer::Cancel && (hasCancel || *answer == Answer::Yes);
    };
    if (readElsewhere) {
        const QString question = QStringLiteral("The game does not run \"%1\": %2. Write the bind into \"%3\" instead?")
                                     .arg(host::shownPath(autoexecIn(request.bind.gameFolder)), group.why, targetShown);
        if (!goesOn(ask(Question::ReadElsewhere, question, false), false))
            return plan;
    }
    const bool chat = request.scope != ChatScope::None;
    if (!goesOn(ask(Question::ChatChanged, chat ? chatChangedQuestion(request.say) : QString(), false), false))
        return plan;
    if (!goesOn(ask(Question::UnknownCommand, chat ? QString() : unknownCommandQuestion(request.bind), false), false))
        return plan;

    QByteArray start = write.read;
    if (hiddenLines) {
        const std::optional<Answer> copy = ask(Question::ModFirstFile, modFirstFileQuestion(*target, hidden), true);
        if (!goesOn(copy, true))
            return plan;
        if (*copy == Answer::Yes)
            start = *hiddenLines;
    }

    // The key's takeover, judged on what the game will run once the file holds `start`.
    const Outcome outcome = start == write.read ? asItIs : outcomeOf(start);
    if (!goesOn(ask(Question::TakeOver, outcome.takeOver, false), false))
        return plan;
    if (!goesOn(ask(Question::ModSwitch,
                    readElsewhere ? QString() : modSwitchQuestion(runners, request.root, request.modFolder, host),
                    false),
                false))
        return plan;
    write.bytes = outcome.bytes;
    write.appendOnly = write.bytes == withLineEnded(write.read) + *line + "\r\n";
    if (const QString tooLarge = tooLargeFor(*target, write.bytes.size(), runners); !tooLarge.isEmpty()) {
        plan.refusal = tooLarge;
        return plan;
    }
    // Asked when the file grows past what one of the engines runs.
    const bool passesOne = std::any_of(runners.cbegin(), runners.cend(), [&](const Engine *engine) {
        return write.read.size() <= engine->rules.fileLimit && write.bytes.size() > engine->rules.fileLimit;
    });
    const QString passes = passesOne ? passesSomeLimits(*target, write.bytes.size(), runners, false) : QString();
    if (!goesOn(ask(Question::FileSize, passes.isEmpty() ? passes : passes + QStringLiteral(" Add it anyway?"), false),
                false))
        return plan;
    plan.write = write;
    return plan;
}

bool carryOut(const PlannedWrite &write, QString *error)
{
    const QString what = QStringLiteral("Did not add the bind");
    if (write.appendOnly) {
        // The plan was made on what the file held: the line goes after exactly that.
        if (!holdsAsRead(write.path, write.existed, write.read)) {
            host::setError(error, changedSinceRead(what, write.path));
            return false;
        }
        return appendLine(write.path, write.line, error);
    }
    return rewriteFile(write.path, write.read, write.existed, write.bytes, what, error);
}

} // namespace binds
