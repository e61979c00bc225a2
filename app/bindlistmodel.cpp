#include "bindlistmodel.h"

#include "binds/files/keyactions.h"
#include "decorate/chatrender.h"
#include "host/textencoding.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QString whyNoEffect(binds::BindFate fate)
{
    switch (fate) {
    case binds::BindFate::Overridden:
        return QStringLiteral("a later line binds the key again");
    case binds::BindFate::Unbound:
        return QStringLiteral("a later unbind or unbindall clears it");
    case binds::BindFate::NotRun:
        return QStringLiteral("it is inside a comment");
    case binds::BindFate::FileTooLarge:
        return QStringLiteral("the file is too large to run");
    case binds::BindFate::UnknownKey:
        return QStringLiteral("no such key");
    case binds::BindFate::Runs:
        break;
    }
    return {};
}

// "(no effect: ...)" when the bind does nothing in any engine, per engine where they differ.
QString effectNote(const binds::StartBind &bind, const QList<const binds::Engine *> &engines)
{
    QList<binds::BindFate> fates;
    QList<QList<const binds::Engine *>> havingIt;
    for (qsizetype e = 0; e < engines.size(); ++e) {
        const qsizetype at = fates.indexOf(bind.fateIn(e));
        if (at >= 0) {
            havingIt[at] << engines.at(e);
        } else {
            fates << bind.fateIn(e);
            havingIt << QList<const binds::Engine *> {engines.at(e)};
        }
    }
    if (fates.size() == 1)
        return fates.first() == binds::BindFate::Runs
            ? QString()
            : QStringLiteral(" (no effect: %1)").arg(whyNoEffect(fates.first()));
    QStringList notes;
    for (qsizetype i = 0; i < fates.size(); ++i) {
        if (fates.at(i) != binds::BindFate::Runs)
            notes << QStringLiteral("no effect in %1: %2")
                         .arg(binds::engineNames(havingIt.at(i)), whyNoEffect(fates.at(i)));
    }
    return QStringLiteral(" (%1)").arg(notes.join(QStringLiteral("; ")));
}

bool runsNowhere(const binds::StartBind &bind)
{
    return std::none_of(bind.fate.cbegin(), bind.fate.cend(),
                        [](binds::BindFate fate) { return fate == binds::BindFate::Runs; });
}

} // namespace

void BindListModel::setBinds(const QList<binds::StartBind> &binds, const QList<const binds::Engine *> &engines)
{
    beginResetModel();
    m_binds = binds;
    m_engines = engines;
    m_texts = QList<std::optional<std::array<QString, 3>>>(binds.size());
    endResetModel();
}

int BindListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_binds.size());
}

int BindListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

const std::array<QString, 3> &BindListModel::rowTexts(int row) const
{
    std::optional<std::array<QString, 3>> &texts = m_texts[row];
    if (!texts) {
        const binds::StartBind &bind = m_binds.at(row);
        const binds::ConfigBind &read = bind.shown();
        const binds::ConsoleRules &rules = m_engines.isEmpty() ? binds::ioquake3().rules : m_engines.first()->rules;
        texts = {host::fileBytesShown(read.key),
                 binds::keyActionWords(read.command, rules) + effectNote(bind, m_engines),
                 decorate::withoutColourCodes(binds::chatReceivedOf(read.command, rules))};
    }
    return *texts;
}

QVariant BindListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_binds.size())
        return {};
    if (role == Qt::DisplayRole)
        return rowTexts(index.row()).at(index.column());
    if (role == Qt::ForegroundRole && index.column() < 2 && runsNowhere(m_binds.at(index.row())))
        return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    return {};
}

QVariant BindListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const std::array<QString, 3> headers = {QStringLiteral("Key"), QStringLiteral("Does"),
                                                   QStringLiteral("Chat as the game shows it")};
    return headers.at(section);
}
