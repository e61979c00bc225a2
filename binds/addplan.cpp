#include "binds/addplan.h"

#include "binds/bindline.h"
#include "binds/commands.h"
#include "binds/configfile.h"
#include "binds/homes.h"
#include "binds/keynow.h"
#include "binds/keys.h"
#include "binds/replace.h"
#include "binds/startrun.h"
#include "host/numbers.h"
#include "host/textencoding.h"

#include <QFileInfo>

namespace binds {

namespace {

QByteArray withLineEnded(const QByteArray &bytes)
{
    return bytes + lineEndBefore(bytes.isEmpty() ? std::nullopt : std::optional<char>(bytes.back()));
}

// Why a line appended to the bytes would not be the key's bind in every engine that runs
// the file; empty when it would be.
QString whyAppendedLineWouldNotRun(const QByteArray &bytes, const QByteArray &line, const QString &shownFile)
{
    const QByteArray after = withLineEnded(bytes) + line + "\r\n";
    const qsizetype lineBegin = after.size() - line.size() - 2;
    for (Engine engine : allEngines) {
        if (after.size() > fileLimitOf(engine))
            continue;
        const QList<ScriptCommand> commands = scriptCommands(after, engine);
        if (!commands.isEmpty() && commands.last().begin == lineBegin)
            continue;
        if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
            return QStringLiteral("Did not add the bind: \"%1\" holds an invisible null character on line %2, and the "
                                  "games read nothing after it, so a bind added at the end would never run. Remove "
                                  "that character (a text editor shows it as NUL or a box), then add the bind again.")
                .arg(shownFile, host::englishNumber(lineNumberAt(bytes, nul)));
        }
        const qsizetype opened = bytes.lastIndexOf("/*");
        return QStringLiteral("Did not add the bind: ioquake3 and iortcw read everything after the \"/*\" on line %1 "
                              "of \"%2\" as a comment, which nothing closes, so a bind added at the end would never "
                              "run there. Close the comment with \"*/\" or remove the \"/*\", then add the bind again.")
            .arg(host::englishNumber(lineNumberAt(bytes, std::max<qsizetype>(opened, 0))), shownFile);
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
                          "no longer run there. Start it with the lines of \"%2\"?")
        .arg(host::shownPath(modFile), host::shownPath(baseFile));
}

// What the key does once the game has run the files, in the words of the question.
QString takeOverQuestion(const QString &key, const StartRun &run, int targetIndex, const QString &targetShown)
{
    const QByteArray name = host::toFileEncoding(key.trimmed()).value_or(QByteArray());
    QStringList now;
    for (Engine engine : allEngines) {
        const QByteArray binding = run.bindingOf(name, engine).value_or(QByteArray());
        if (binding.isEmpty())
            continue;
        // The file whose bind holds the key: the last bind of it that runs.
        bool inTarget = false;
        for (const StartBind &bind : run.bindsIn(targetIndex))
            inTarget = inTarget
                || (bind.fateIn(engine) == BindFate::Runs && bind.read[std::size_t(engine)]->command == binding
                    && keyNumber(bind.read[std::size_t(engine)]->key, engine) == keyNumber(name, engine));
        const QString sentence = inTarget
            ? QStringLiteral("\"%1\" already binds it to %2").arg(targetShown, keyActionWords(binding))
            : QStringLiteral("in the game's own settings it is %1").arg(keyActionWords(binding));
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
        for (Engine engine : allEngines) {
            const std::optional<ConfigBind> &read = bind.read[std::size_t(engine)];
            const BindFate fate = bind.fateIn(engine);
            if (read && (fate == BindFate::Runs || fate == BindFate::Overridden)
                && keyNumber(read->key, engine) == keyNumber(name, engine)) {
                earlier << bind;
                break;
            }
        }
    }
    return earlier;
}

} // namespace

AddPlan planAdd(const AddRequest &request, const Game &game, const Answers &answers, const host::Host &host)
{
    AddPlan plan;
    QString error;
    const std::optional<QByteArray> line = encodedLine(request.bind.key, request.bind.text, &error);
    if (!line) {
        plan.refusal = error;
        return plan;
    }
    // The root the game really reads comes first: every other question is about its files.
    if (const std::optional<ReadInstead> instead = readInsteadOf(request.root, game, host)) {
        const QString typedRoot = host::withFinalSeparator(request.root, host.style);
        AddRequest moved = request;
        moved.root = instead->root;
        moved.bind.dirloc = instead->root + request.bind.dirloc.mid(typedRoot.size());
        const QString question = QStringLiteral("The game does not run \"%1\": %2. Write the bind into \"%3\" "
                                                "instead?")
                                     .arg(host::shownPath(autoexecIn(request.bind.dirloc)), instead->why,
                                          host::shownPath(autoexecIn(moved.bind.dirloc)));
        if (!answers.contains(Question::ReadElsewhere)) {
            plan.question = PlannedQuestion {Question::ReadElsewhere, question, false};
            return plan;
        }
        if (answers.value(Question::ReadElsewhere) != Answer::Yes)
            return plan;
        return planAdd(moved, game, answers, host);
    }
    const std::optional<QString> target = autoexecPath(request.bind.dirloc, host, &error);
    if (!target) {
        plan.refusal = addFailure(autoexecIn(request.bind.dirloc), error);
        return plan;
    }
    PlannedWrite write {*target, QFileInfo::exists(*target), {}, {}, *line, true};
    if (QFileInfo(*target).isDir()) {
        plan.refusal = addFailure(*target, QStringLiteral("a folder stands where the file should be"));
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
    plan.read = {write.existed, write.read};
    const QString targetShown = host::shownPath(*target);
    plan.refusal = whyAppendedLineWouldNotRun(write.read, *line, targetShown);
    if (!plan.refusal.isEmpty())
        return plan;

    // Each question once, in order; the first unanswered one is asked next.
    auto ask = [&](Question kind, const QString &text, bool hasCancel) -> std::optional<Answer> {
        if (text.isEmpty())
            return Answer::Yes;
        if (!answers.contains(kind)) {
            plan.question = PlannedQuestion {kind, text, hasCancel};
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
    const bool chat = request.scope != ChatScope::None;
    if (!goesOn(ask(Question::ChatChanged, chat ? chatChangedQuestion(request.say) : QString(), false), false))
        return plan;
    if (!goesOn(ask(Question::UnknownCommand, chat ? QString() : unknownCommandQuestion(request.bind), false), false))
        return plan;

    QByteArray start = write.read;
    const QString rootFolder = host::withFinalSeparator(request.root, host.style);
    const std::optional<QString> baseFile =
        autoexecPath(host::gameFolder(rootFolder, game.baseFolder, host), host, &error);
    const bool hidesBase = !write.existed && !request.modFolder.isEmpty() && baseFile && QFileInfo(*baseFile).isFile()
        && QFileInfo(QFileInfo(*target).absolutePath()).isDir()
        && QFileInfo(*target).absoluteFilePath() != QFileInfo(*baseFile).absoluteFilePath();
    if (hidesBase) {
        const std::optional<Answer> copy = ask(Question::ModFirstFile, modFirstFileQuestion(*target, *baseFile), true);
        if (!goesOn(copy, true))
            return plan;
        if (*copy == Answer::Yes) {
            const std::optional<QByteArray> base = readConsoleFile(*baseFile, &error);
            if (!base) {
                plan.refusal =
                    QStringLiteral("Could not copy the lines of \"%1\": %2").arg(host::shownPath(*baseFile), error);
                return plan;
            }
            start = *base;
            plan.refusal = whyAppendedLineWouldNotRun(start, *line, host::shownPath(*baseFile));
            if (!plan.refusal.isEmpty())
                return plan;
        }
    }

    // The key's takeover, judged on what the game will run once the file holds `start`.
    const QString config = gameConfigFile(request.root, game, request.modFolder, host);
    QList<StartFile> files = StartRun::read({config}).files();
    files.append(StartFile {*target, start, true, {}});
    const StartRun run = StartRun::of(files);
    const int targetIndex = int(files.size()) - 1;
    const QString takeOver = takeOverQuestion(request.bind.key, run, targetIndex, targetShown);
    if (!goesOn(ask(Question::TakeOver, takeOver, false), false))
        return plan;
    // Only what the player agreed to replace goes; a line that cannot be taken out cleanly
    // stays, and the new bind after it wins all the same.
    QString stays;
    const QList<StartBind> earlier =
        takeOver.isEmpty() ? QList<StartBind>() : earlierBindsOf(request.bind.key, run, targetIndex);
    const QByteArray kept = withoutBinds(start, earlier, &stays).value_or(start);

    write.bytes = withLineEnded(kept) + *line + "\r\n";
    write.appendOnly = kept == write.read;
    if (write.bytes.size() > fileLimit) {
        plan.refusal = QStringLiteral("Did not add the bind: \"%1\" would grow to %2 bytes, and no game reads an "
                                      "autoexec.cfg larger than %3 bytes (Quake III Arena 1.32 and the original RTCW "
                                      "stop at %4). Remove binds you no longer use from the file, then add this one "
                                      "again.")
                           .arg(targetShown, host::englishNumber(write.bytes.size()), host::englishNumber(fileLimit),
                                host::englishNumber(originalGamesFileLimit));
        return plan;
    }
    plan.write = write;
    return plan;
}

bool carryOut(const PlannedWrite &write, QString *error, QString *notice)
{
    const QString what = QStringLiteral("Did not add the bind");
    if (write.appendOnly) {
        // The plan was made on what the file held: the line goes after exactly that.
        QString unreadable;
        const bool there = QFileInfo::exists(write.path);
        const std::optional<QByteArray> now =
            there ? readConsoleFile(write.path, &unreadable) : std::optional<QByteArray>(QByteArray());
        if (there != write.existed || !now || *now != write.read) {
            *error = changedSinceRead(what, write.path);
            return false;
        }
        return appendLine(write.path, write.line, error, notice);
    }
    if (!rewriteFile(write.path, write.read, write.existed, write.bytes, what, error))
        return false;
    if (notice)
        *notice = sizeNotice(write.path, write.read.size(), write.bytes.size());
    return true;
}

} // namespace binds
