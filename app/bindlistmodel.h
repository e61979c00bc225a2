#pragma once

#include "binds/files/startrun.h"

#include <QAbstractTableModel>

#include <array>
#include <optional>

// The binds of one file as rows: the key, what it does (with why it has no effect), and
// its chat as the game shows it. Words are made for the rows a view asks for, so a file
// of thousands of binds lists at once.
class BindListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // The binds as a StartRun of these engines read them.
    void setBinds(const QList<binds::StartBind> &binds, const QList<const binds::Engine *> &engines);
    const QList<const binds::Engine *> &engines() const { return m_engines; }
    const QList<binds::StartBind> &binds() const { return m_binds; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::array<QString, 3> &rowTexts(int row) const;

    QList<binds::StartBind> m_binds;
    QList<const binds::Engine *> m_engines;
    mutable QList<std::optional<std::array<QString, 3>>> m_texts; // by row, once asked for
};
