// Grid descriptions as a file from outside would be: any bytes. Reading one either fails with
// an error that names the source and leaves the grid as it was, or gives a grid whose written
// description reads back to exactly the same grid.
#include "FuzzSupport.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"

#include <cstddef>
#include <cstdint>

namespace {

// Every role of every cell, as a view or the accessibility layer would ask for them.
void readEveryCell(const TCellGrid &grid)
{
    const TCellGridModel *model = grid.model();
    if (qint64(model->rowCount()) * model->columnCount() > 4096) return;
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            for (int role : {Qt::DisplayRole, Qt::BackgroundRole, Qt::FontRole, Qt::ForegroundRole,
                             Qt::TextAlignmentRole, Qt::ToolTipRole})
                (void)model->data(model->index(r, c), role);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    static const QString untouched = TCellGrid().writeDescription();

    TCellGrid grid;
    const QString error = grid.loadDescription(text, QStringLiteral("fuzz"));
    if (!error.isEmpty()) {
        if (!error.startsWith(QStringLiteral("fuzz")))
            FuzzSupport::fail(QStringLiteral("the error does not name its source: ") + error, text);
        if (grid.writeDescription() != untouched)
            FuzzSupport::fail(QStringLiteral("a refused description changed the grid"), text);
        return 0;
    }
    readEveryCell(grid);

    const QString written = grid.writeDescription();
    TCellGrid again;
    const QString reread = again.loadDescription(written, QStringLiteral("written"));
    if (!reread.isEmpty())
        FuzzSupport::fail(QStringLiteral("the written description is refused: ") + reread, text);
    if (again.writeDescription() != written)
        FuzzSupport::fail(QStringLiteral("reading the written description gives another grid:\n") + written +
                              QStringLiteral("\nbecame\n") + again.writeDescription(),
                          text);
    return 0;
}
