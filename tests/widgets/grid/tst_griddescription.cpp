// Grid descriptions: the stored streams read and written back exactly, what they mean, the
// rules of loading, and malformed descriptions rejected with line and entry, leaving the grid
// as it was.
#include "common/SystemColors.h"
#include "widgets/grid/CellGrid.h"

#include <QTemporaryFile>
#include <QTest>

namespace {

// The line of a written description that holds `entry`.
QString writtenLine(const TCellGrid &g, const QString &entry)
{
    for (const QString &line : g.writeDescription().split(u'\n'))
        if (line.startsWith(entry + QStringLiteral(" = "))) return line;
    return {};
}

// The reference table's layout: 3 columns, 27 rows, two fixed rows and no fixed column.
const QString referenceTable = QStringLiteral("ColCount = 3\nRowCount = 27\nFixedCols = 0\nFixedRows = 2\n");
// The pair matrix's layout.
const QString pairMatrix = QStringLiteral("ColCount = 54\nRowCount = 47\n");

} // namespace

class TestGridDescription : public QObject
{
    Q_OBJECT

private slots:
    // The program's stored streams, read and written back. The only change is in font
    // styles, whose upper bytes are written as 0.
    void storedStreamsAreWrittenBackExactly_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("written");
        const QString pairCells = "PropCell = (0, 0, 1, 0, 0, 49, 0, 1, 0, 0)";
        QTest::newRow("pair matrix cells") << pairMatrix << pairCells << pairCells;
        QTest::newRow("pair matrix fixed column")
            << pairMatrix << "PropFixedCol = (0, 1, 0, 6, -2147483640, -10, 'Arial', 0, 434497536, 0)"
            << "PropFixedCol = (0, 1, 0, 6, -2147483640, -10, 'Arial', 0, 0, 0)";
        QTest::newRow("reference table cells") << referenceTable
                                               << "PropCell = (0, 0, 1, 2, 2, 1, 4, 10329501, 0, 0, 0, 1, 1, "
                                                  "2, 2, 0, 4, 12632256, 0, 6, -2147483640, "
                                                  "-13, 'MS Sans Serif', 0, 434382849, 0)"
                                               << "PropCell = (0, 0, 1, 2, 2, 1, 4, 10329501, 0, 0, 0, 1, 1, "
                                                  "2, 2, 0, 4, 12632256, 0, 6, -2147483640, "
                                                  "-13, 'MS Sans Serif', 0, 1, 0)";
        const QString rows =
            "PropRow = (1, 4, 14811135, 0, 0, 5, 4, 14811135, 0, 0, 9, 4, 14811135, 0, 0, 13, 4, "
            "14811135, 0, 0, 17, 4, 14811135, 0, 0, 21, 4, 14811135, 0, 0, 25, 4, 14811135, 0, 0)";
        QTest::newRow("reference table rows") << referenceTable << rows << rows;
        const QString hints =
            "HintCell = (0, 2, '   8 ... 12   ', 0, 6, '  12 ... 18   ', 0, 10, ' 18 ... 26  ')";
        QTest::newRow("reference table hints") << referenceTable << hints << hints;
        const QString columns =
            "PropCol = (0, 1, 2, 0, 1, 1, 2, 6, 16711680, -11, 'MS Sans Serif', 0, 1, 0, 2, 1, 2, 0)";
        QTest::newRow("reference table columns") << referenceTable << columns << columns;
    }
    void storedStreamsAreWrittenBackExactly()
    {
        QFETCH(QString, layout);
        QFETCH(QString, stored);
        QFETCH(QString, written);
        TCellGrid g;
        QCOMPARE(g.loadDescription(layout + stored), QString());
        const QString entry = stored.section(u' ', 0, 0);
        QCOMPARE(writtenLine(g, entry), written);
        // What was written reads back to the same text.
        TCellGrid again;
        QCOMPARE(again.loadDescription(g.writeDescription()), QString());
        QCOMPARE(again.writeDescription(), g.writeDescription());
    }

    void pairMatrixStreamsMeanWhatTheySay()
    {
        TCellGrid g;
        QCOMPARE(g.loadDescription(pairMatrix +
                                   "PropCell = (0, 0, 1, 0, 0, 49, 0, 1, 0, 0)\n"
                                   "PropFixedCol = (0, 1, 0, 6, -2147483640, -10, 'Arial', 0, 434497536, 0)"),
                 QString());
        QCOMPARE(g.Props(TCellGrid::PropTable::Cell, 0, 0)->alignment(), alRight); // 0 is right
        QCOMPARE(g.CellAlignment(49, 0), alRight);
        QCOMPARE(g.CellAlignment(48, 0), alLeft);
        // Column 0's fixed cells: right-aligned, Arial 10 pixels, plain, window-text colour.
        QCOMPARE(g.CellAlignment(0, 5), alRight);
        const TMyFont &font = g.CellFont(0, 5);
        QCOMPARE(font.storedColor().stored(), SystemColors::storedSystem(SystemColors::WindowText));
        QCOMPARE(font.color(), SystemColors::system(SystemColors::WindowText));
        QCOMPARE(font.height(), -10);
        QCOMPARE(font.name(), QStringLiteral("Arial"));
        QCOMPARE(font.pitch(), 0);
        QCOMPARE(font.style(), quint8(0)); // the upper bytes are ignored
        QCOMPARE(font.font().pixelSize(), 10);
        QVERIFY(!font.font().bold());
    }

    void referenceTableStreamsMeanWhatTheySay()
    {
        TCellGrid g;
        QCOMPARE(g.loadDescription(
                     referenceTable +
                     "PropCell = (0, 0, 1, 2, 2, 1, 4, 10329501, 0, 0, 0, 1, 1, 2, 2, 0, 4, 12632256, 0, "
                     "6, -2147483640, -13, 'MS Sans Serif', 0, 434382849, 0)\n"
                     "PropRow = (1, 4, 14811135, 0, 0, 5, 4, 14811135, 0, 0)\n"
                     "HintCell = (0, 2, '   8 ... 12   ')"),
                 QString());
        QCOMPARE(g.CellAlignment(0, 0), alCenter);
        QCOMPARE(g.CellWordwrap(0, 0), ww_wordwrap);
        QCOMPARE(g.CellColor(0, 0), QColor(157, 157, 157));
        QCOMPARE(g.CellAlignment(0, 1), alCenter);
        QCOMPARE(g.CellWordwrap(0, 1), ww_none);
        QCOMPARE(g.CellColor(0, 1), QColor(192, 192, 192));
        QVERIFY(g.CellFont(0, 1).font().bold());
        QCOMPARE(g.CellFont(0, 1).font().pixelSize(), 13);
        QCOMPARE(g.CellFont(0, 1).name(), QStringLiteral("MS Sans Serif"));
        // Row colours: normal cells of rows 5 take it, fixed row 1 does not.
        QCOMPARE(g.CellColor(2, 5), QColor(255, 255, 225));
        QCOMPARE(g.CellColor(1, 1), g.FixedColor());
        QCOMPARE(g.HintCell(0, 2), QStringLiteral("   8 ... 12   "));
        QCOMPARE(g.HintCell(1, 2), QString());
    }

    void systemColoursStaySystemColours()
    {
        TCellGrid g;
        // The unsigned spelling of system colour 8 reads the same as the signed one.
        QCOMPARE(g.loadDescription("PropCol = (1, 4, 2147483656, 0, 0)\nColor = clInfoBk"), QString());
        QCOMPARE(g.CellColor(1, 1), SystemColors::system(SystemColors::WindowText));
        QCOMPARE(writtenLine(g, "PropCol"), QStringLiteral("PropCol = (1, 4, -2147483640, 0, 0)"));
        QCOMPARE(g.ColorStored().stored(), SystemColors::storedSystem(SystemColors::InfoBk));
        QCOMPARE(writtenLine(g, "Color"), QStringLiteral("Color = -2147483624"));
        QCOMPARE(g.Color(), SystemColors::system(SystemColors::InfoBk));
    }

    // A set top bit with a low byte that names no system colour: black, kept as stored.
    void unknownSystemColourIndexesShowBlack_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("index 255") << "-2147483393";
        QTest::newRow("index 25, unused") << "-2147483623";
        QTest::newRow("index 31, past the last") << "-2147483617";
        QTest::newRow("every bit set") << "-1";
    }
    void unknownSystemColourIndexesShowBlack()
    {
        QFETCH(QString, stored);
        TCellGrid g;
        QCOMPARE(g.loadDescription("Color = " + stored + "\nPropCol = (1, 4, " + stored + ", 0, 0)"),
                 QString());
        QCOMPARE(g.Color(), QColor(0, 0, 0));
        QCOMPARE(g.CellColor(1, 1), QColor(0, 0, 0));
        QCOMPARE(writtenLine(g, "Color"), "Color = " + stored);
    }

    void wholeDescriptionRoundTrip()
    {
        TCellGrid g;
        g.setColCount(4);
        g.setRowCount(6);
        g.setFixedRows(2);
        g.setDefaultRowHeight(20);
        g.setColWidths(3, -1);
        QFont f(QStringLiteral("MS Sans Serif"));
        f.setPixelSize(11);
        f.setBold(true);
        g.setFont(f);
        g.setOptions(TCellGrid::goFixedVertLine | TCellGrid::goVertLine | TCellGrid::goTabs);
        g.setScrollBars(TCellGrid::ssNone);
        g.setNextCellTab(nc_upleft);
        g.setAfterLastCellTab(lc_exit);
        g.setEditable(false);
        g.setDrawSelection(false);
        g.setAlignment(alCenter);
        g.setCellColor(1, 2, QColor(1, 2, 3));
        g.setHintCell(1, 2, QStringLiteral("it's"));
        g.TakeProps(TCellGrid::PropTable::FixedRow, 1)
            .setSelectedFont(
                TMyFont(TStoredColor(0xFF), -12, QStringLiteral("Arial"), 2, fsItalic | fsUnderline));
        const QString text = g.writeDescription();

        TCellGrid copy;
        QCOMPARE(copy.loadDescription(text), QString());
        QCOMPARE(copy.writeDescription(), text);
        QCOMPARE(copy.ColWidths(3), -1);
        QCOMPARE(copy.RowHeights(5), 20);
        QCOMPARE(copy.NextCellTab(), nc_upleft);
        QCOMPARE(copy.font().pixelSize(), 11);
        QVERIFY(copy.font().bold());
        QCOMPARE(copy.HintCell(1, 2), QStringLiteral("it's"));
        QVERIFY(text.contains("Options = [goFixedVertLine, goVertLine, goTabs]\n"));
        QVERIFY(text.contains("HintCell = (1, 2, 'it''s')\n"));
        QVERIFY(!text.contains("Cells = ")); // texts that were not loaded are not written
    }

    void cellTextsOutsideTheGridAreDropped()
    {
        TCellGrid g;
        g.setColCount(3);
        g.setRowCount(2);
        g.setCells(1, 1, QStringLiteral("before"));
        QCOMPARE(g.loadDescription("Cells = (0, 0, 'a', 2, 1, 'b', 3, 0, 'right of it', 0, 5, 'below it')"),
                 QString());
        QCOMPARE(g.Cells(0, 0), QStringLiteral("a"));
        QCOMPARE(g.Cells(2, 1), QStringLiteral("b"));
        QCOMPARE(g.Cells(1, 1), QString()); // every cell takes its loaded text, empty when none
        QVERIFY(g.CellsFromDescription());
        QCOMPARE(writtenLine(g, "Cells"), QStringLiteral("Cells = (0, 0, 'a', 2, 1, 'b')"));
        g.setColCount(4); // the dropped text does not come back
        QCOMPARE(g.Cells(3, 0), QString());

        // Thousands of them far outside take no room: they are not kept.
        QString far = QStringLiteral("Cells = (");
        for (int c = 0; c < 3000; ++c)
            far += QStringLiteral("%1, 65535, 'x',\n").arg(c);
        far += QStringLiteral("0, 0, 'in')");
        QCOMPARE(g.loadDescription(far), QString());
        QCOMPARE(writtenLine(g, "Cells"), QStringLiteral("Cells = (0, 0, 'in')"));
    }

    void textsWithQuotesLineBreaksAndComments()
    {
        TCellGrid g;
        const QString text = "// the reference table\n"
                             "ColCount = 3 // three series\n"
                             "Cells = (0, 0, 'it''s', 1, 0,\n"
                             "         'two'#13#10'lines', 2, 0, '', 0, 1, #9'tab')\n";
        QCOMPARE(g.loadDescription(text), QString());
        QCOMPARE(g.Cells(0, 0), QStringLiteral("it's"));
        QCOMPARE(g.Cells(1, 0), QStringLiteral("two\r\nlines"));
        QCOMPARE(g.Cells(0, 1), QStringLiteral("\ttab"));
        // Columns outer, rows inner.
        QCOMPARE(writtenLine(g, "Cells"),
                 QStringLiteral("Cells = (0, 0, 'it''s', 0, 1, #9'tab', 1, 0, 'two'#13#10'lines')"));
    }

    void plainPropertiesByName()
    {
        TCellGrid g;
        QCOMPARE(g.loadDescription("FixedColor = clBtnShadow\nAlignment = alRight\nWordwrap = 2\n"
                                   "Options = [goVertLine]\nEditable = False\nShowCellHints = true\n"
                                   "Font.Name = 'Arial'\nFont.Height = -9\nFont.Style = [fsBold]\n"
                                   "Font.Color = clBlue\nScrollBars = ssVertical\nDefaultColWidth = 27"),
                 QString());
        QCOMPARE(g.FixedColor(), SystemColors::system(SystemColors::BtnShadow));
        QCOMPARE(g.Alignment(), alRight);
        QCOMPARE(g.Wordwrap(), ww_ellipsis);
        QCOMPARE(g.Options(), TCellGrid::GridOptions(TCellGrid::goVertLine));
        QVERIFY(!g.Editable());
        QCOMPARE(g.font().family(), QStringLiteral("Arial"));
        QCOMPARE(g.font().pixelSize(), 9);
        QVERIFY(g.font().bold());
        QCOMPARE(g.FontColor(), QColor(0, 0, 255));
        QCOMPARE(g.CellFont(2, 2).color(), QColor(0, 0, 255));
        QCOMPARE(g.CellFont(2, 2).font().pixelSize(), 9);
        QCOMPARE(g.ScrollBars(), TCellGrid::ssVertical);
        QCOMPARE(g.ColWidths(4), 27);
    }

    void loadingFromAFile()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write("ColCount = 7\nCells = (6, 0, 'Gr\xc3\xbc\xc3\x9f"
                   "e')\n");
        file.close();
        TCellGrid g;
        QCOMPARE(g.loadDescriptionFile(file.fileName()), QString());
        QCOMPARE(g.ColCount(), 7);
        QCOMPARE(g.Cells(6, 0), QStringLiteral("Grüße"));
        const QString error = g.loadDescriptionFile(QStringLiteral("/nonexistent/grid.txt"));
        QVERIFY(error.contains(QStringLiteral("/nonexistent/grid.txt")));
    }

    void malformedDescriptionsAreRejected_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("says");
        QTest::newRow("text not closed") << "ColCount = 3\nHintCell = (0, 2, 'abc" << 2 << "HintCell"
                                         << "not closed";
        QTest::newRow("no equals sign") << "ColCount 3" << 1 << "ColCount"
                                        << "expected '='";
        QTest::newRow("no name") << "\n= 3" << 2 << ""
                                 << "expected a property name";
        QTest::newRow("unknown tag") << "ColCount = 54\nPropCell = (0, 0, 9, 0)" << 2 << "PropCell"
                                     << "9 is no property tag";
        QTest::newRow("record without end") << "PropCell = (0, 0, 1, 2)" << 1 << "PropCell"
                                            << "list ends";
        QTest::newRow("text for a number") << "PropCol = ('a', 0)" << 1 << "PropCol"
                                           << "found a text";
        QTest::newRow("number for a text") << "Cells = (0, 0, 5)" << 1 << "Cells"
                                           << "found the integer 5";
        QTest::newRow("entry cut short") << "Cells = (0, 0)" << 1 << "Cells"
                                         << "list ends";
        QTest::newRow("alignment out of range") << "PropCell = (0, 0, 1, 7, 0)" << 1 << "PropCell"
                                                << "alignment 7";
        QTest::newRow("negative row") << "PropRow = (-1, 0)" << 1 << "PropRow"
                                      << "row -1";
        QTest::newRow("brush style") << "PropCell = (0, 0, 4, 255, 9, 0)" << 1 << "PropCell"
                                     << "brush style 9";
        QTest::newRow("font pitch") << "PropCol = (1, 6, 0, -10, 'Arial', 3, 0, 0)" << 1 << "PropCol"
                                    << "pitch 3";
        QTest::newRow("error on a later line of a list")
            << "ColCount = 5\nPropRow = (1, 4,\n  14811135,\n  0 0)" << 4 << "PropRow"
            << "expected ',' or ')'";
        QTest::newRow("unknown property") << "ColCount = 5\nFoo = 1" << 2 << "Foo"
                                          << "unknown property";
        QTest::newRow("older stream") << "FontCell = (0, 0)" << 1 << "FontCell"
                                      << "older layout";
        QTest::newRow("given twice") << "ColCount = 3\nColCount = 4" << 2 << "ColCount"
                                     << "twice";
        QTest::newRow("too many fixed columns") << "ColCount = 3\nFixedCols = 3" << 2 << "FixedCols"
                                                << "fewer fixed";
        QTest::newRow("too many widths") << "ColCount = 2\nColWidths = (10, 20, 30)" << 2 << "ColWidths"
                                         << "3 widths";
        QTest::newRow("not a boolean") << "Editable = Yes" << 1 << "Editable"
                                       << "True or False";
        QTest::newRow("not an alignment") << "Alignment = alMiddle" << 1 << "Alignment"
                                          << "alCenter";
        QTest::newRow("colour too large") << "Color = 5000000000" << 1 << "Color"
                                          << "32-bit";
        QTest::newRow("unknown colour name") << "Color = clPink" << 1 << "Color"
                                             << "colour name";
        QTest::newRow("unknown option") << "Options = [goVertLine, goSideways]" << 1 << "Options"
                                        << "goSideways";
        QTest::newRow("list for a number") << "ColCount = (3)" << 1 << "ColCount"
                                           << "expected an integer";
        QTest::newRow("number for a list") << "PropCell = 3" << 1 << "PropCell"
                                           << "list in parentheses";
        QTest::newRow("size out of range") << "RowHeights = (15, -5)" << 1 << "RowHeights"
                                           << "-5";
        QTest::newRow("stray character") << "ColCount = 3;" << 1 << ""
                                         << "unexpected character ';'";
        QTest::newRow("full-width digit") << "ColCount = \uFF13" << 1 << "ColCount"
                                          << "unexpected character";
        // Limits of what a description may ask for.
        QTest::newRow("cells beyond any description")
            << "ColCount = 65536\nRowCount = 65536" << 2 << "RowCount"
            << "65536 x 65536 cells";
        QTest::newRow("hint outside the grid") << "HintCell = (0, 1, 'a',\n 0, 65535, 'b')" << 2 << "HintCell"
                                               << "the row 65535 is outside 0..4";
        QTest::newRow("record outside the grid") << "ColCount = 54\nPropCol = (54, 0)" << 2 << "PropCol"
                                                 << "the column 54 is outside 0..53";
        QTest::newRow("cell record outside the grid") << "PropCell = (5, 0, 0)" << 1 << "PropCell"
                                                      << "the column 5";
        QTest::newRow("fixed row record outside the grid")
            << "RowCount = 3\nPropFixedRow = (3, 0)" << 2 << "PropFixedRow"
            << "the row 3";
        QTest::newRow("widths past an int")
            << "ColCount = 65536\nRowCount = 1\nFixedRows = 0\nDefaultColWidth = 32767" << 4
            << "DefaultColWidth"
            << "the columns take 2147483648 pixels";
        QTest::newRow("heights past an int with their lines")
            << "RowCount = 65536\nColCount = 1\nFixedCols = 0\nRowHeights = (32767)\nDefaultRowHeight = "
               "32766\n"
               "GridLineWidth = 2"
            << 6 << "GridLineWidth"
            << "the rows take";
    }
    void malformedDescriptionsAreRejected()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, entry);
        QFETCH(QString, says);
        TCellGrid g;
        g.setCells(1, 1, QStringLiteral("kept"));
        g.setCellColor(1, 1, Qt::red);
        g.setHintCell(2, 2, QStringLiteral("kept too"));
        const QString before = g.writeDescription();

        const QString error = g.loadDescription(text, QStringLiteral("test.grid"));
        QVERIFY2(error.startsWith(QStringLiteral("test.grid, line %1").arg(line)), qPrintable(error));
        if (!entry.isEmpty())
            QVERIFY2(error.contains(QStringLiteral(", %1: ").arg(entry)), qPrintable(error));
        QVERIFY2(error.contains(says), qPrintable(error));
        // Nothing of it was applied.
        QCOMPARE(g.writeDescription(), before);
        QCOMPARE(g.Cells(1, 1), QStringLiteral("kept"));
        QCOMPARE(g.ColCount(), 5);
    }
};

QTEST_MAIN(TestGridDescription)
#include "tst_griddescription.moc"
