#include "BoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>

BoxAnswerer::BoxAnswerer()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::poll);
    m_timer.start();
}

BoxAnswerer::~BoxAnswerer() = default;

void BoxAnswerer::answer(const QString &caption)
{
    m_answers.push(caption);
}

void BoxAnswerer::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box->property("answered").toBool()) return;
    box->setProperty("answered", true);

    Box seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton *b : box->buttons()) seen.buttons << b->text();
    if (box->defaultButton()) seen.defaultButton = box->defaultButton()->text();
    if (box->escapeButton()) seen.escapeButton = box->escapeButton()->text();
    if (m_inspect) m_inspect(seen);

    QString caption;
    if (m_answers.empty() && m_choose) {
        caption = m_choose(seen);
    } else if (m_answers.empty()) {
        ++m_unexpected;
        caption = QStringLiteral("<Escape>");
    } else {
        caption = m_answers.front();
        m_answers.pop();
    }
    seen.clicked = caption;
    m_seen.append(seen);

    if (caption == QLatin1String("<Escape>")) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
    }
    if (caption == QLatin1String("<Close>")) {
        box->close();
        return;
    }
    for (QAbstractButton *b : box->buttons()) {
        if (b->text() == caption) {
            b->click();
            return;
        }
    }
    // No such button: leave the box by Escape so the test does not hang.
    QTest::keyClick(box, Qt::Key_Escape);
}
