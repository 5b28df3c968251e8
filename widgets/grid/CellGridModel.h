#pragma once

#include <QAbstractTableModel>

#include <functional>

class TCellGrid;
class TCellGridContent;

// The cells of a grid, read through TCellGridContent, as a read-only table: one row and
// column per grid row and column, fixed ones included. Display/Edit = the text, Background =
// the resolved cell colour (QColor), Font = the resolved font, Foreground = its colour
// (QColor), TextAlignment = the resolved alignment (top-aligned), ToolTip = the hint,
// AccessibleDescription = what the description provider says. Changes are announced once
// per batch of writes, after the running handler, by the grid (TCellGrid) that owns the
// model.
class TCellGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TCellGridModel(const TCellGridContent &content, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Asked for a cell's description only when someone (a screen reader) reads it, so the
    // grid's owner pays nothing for descriptions while nobody listens.
    using DescriptionProvider = std::function<QString(int col, int row)>;
    void setDescriptionProvider(DescriptionProvider provider) { m_description = std::move(provider); }

private:
    friend class TCellGrid;
    void emitAllChanged();

    const TCellGridContent *m_content;
    DescriptionProvider m_description;
};
