#include "ShownTexts.h"

#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QTextDocument>

namespace ShownTexts {

QList<Text> of(QWidget *window)
{
    QList<Text> texts;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString where = window->objectName() + QLatin1Char('/') + w->objectName();
        const auto add = [&](const QString &text, const QFont &font) { texts.append({where, text, font}); };
        if (auto *label = qobject_cast<QLabel *>(w)) {
            QTextDocument doc;
            doc.setHtml(label->text());
            add(Qt::mightBeRichText(label->text()) ? doc.toPlainText() : label->text(), w->font());
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            add(QString(button->text()).remove(QLatin1Char('&')), w->font());
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            add(edit->text(), w->font());
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            add(box->title(), w->font());
        } else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs->tabText(i), w->font());
        } else if (auto *bar = qobject_cast<QMenuBar *>(w)) {
            for (QAction *a : bar->actions())
                add(QString(a->text()).remove(QLatin1Char('&')), w->font());
        } else if (auto *grid = qobject_cast<TCellGrid *>(w)) {
            const QAbstractItemModel *m = grid->model();
            for (int r = 0; r < m->rowCount(); ++r)
                for (int c = 0; c < m->columnCount(); ++c) {
                    const QModelIndex i = m->index(r, c);
                    add(i.data(Qt::DisplayRole).toString(), i.data(Qt::FontRole).value<QFont>());
                }
        }
    }
    return texts;
}

} // namespace ShownTexts
