#include "widgets/grid/CellGridModel.h"

#include "widgets/grid/CellGridContent.h"

TCellGridModel::TCellGridModel(const TCellGridContent &content, QObject *parent)
    : QAbstractTableModel(parent), m_content(&content)
{
}

int TCellGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_content->contentRowCount();
}

int TCellGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_content->contentColCount();
}

QVariant TCellGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const int c = index.column(), r = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_content->contentText(c, r);
    case Qt::BackgroundRole:
        return m_content->contentColor(c, r);
    case Qt::FontRole:
        return m_content->contentFont(c, r).font();
    case Qt::ForegroundRole:
        return m_content->contentFont(c, r).color();
    case Qt::TextAlignmentRole: {
        static constexpr Qt::AlignmentFlag h[] = {Qt::AlignRight, Qt::AlignLeft, Qt::AlignHCenter};
        return (h[m_content->contentAlignment(c, r)] | Qt::AlignTop).toInt();
    }
    case Qt::AccessibleDescriptionRole:
        return m_description ? m_description(c, r) : QString();
    case Qt::ToolTipRole: {
        const QString hint = m_content->contentHint(c, r);
        return hint.isEmpty() ? QVariant() : QVariant(hint);
    }
    default:
        return {};
    }
}

Qt::ItemFlags TCellGridModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_content->contentEditable(index.column(), index.row())) f |= Qt::ItemIsEditable;
    return f;
}

void TCellGridModel::emitAllChanged()
{
    const int rows = rowCount(), cols = columnCount();
    if (rows > 0 && cols > 0) emit dataChanged(index(0, 0), index(rows - 1, cols - 1));
}
