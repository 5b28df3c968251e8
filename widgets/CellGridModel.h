#pragma once

#include <QAbstractTableModel>

class TCellGrid;

// The cells of a TCellGrid as a read-only table: one row and column per grid row and
// column, fixed ones included. Display/Edit = the text, Background = the resolved cell
// colour (QColor), Font = the resolved font, Foreground = its colour (QColor),
// TextAlignment = the resolved alignment (top-aligned), ToolTip = the hint. Changes are
// announced once per batch of writes, after the running handler.
class TCellGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TCellGridModel(TCellGrid *grid);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    friend class TCellGrid;
    void emitAllChanged();

    TCellGrid *m_grid;
};
