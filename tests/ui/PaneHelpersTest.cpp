// The window's Qt-side helpers: the pane's QString against program text, the decimals field
// and the pane's minimal document change. The line-break and key-edit rules are tested in
// tests/uilogic.
#include "ui/Decimals.h"
#include "ui/PaneEdit.h"
#include "ui/PaneText.h"

#include <QTextDocument>
#include <QtTest>

Q_DECLARE_METATYPE(std::string)

class PaneHelpersTest : public QObject {
    Q_OBJECT
private slots:
    void programTextConversion();
    void decimals_data();
    void decimals();
    void replaceChangedPart_data();
    void replaceChangedPart();
};

void PaneHelpersTest::programTextConversion() {
    QCOMPARE(PaneToProgramText("1+1\n2*3\n"), std::string("1+1\r\n2*3\r\n"));
    QCOMPARE(ProgramToPaneText("1+1\r\n2*3\r\n"), QString("1+1\n2*3\n"));
    const QString accented = QString::fromUtf8("x=\xc3\xa9");
    QCOMPARE(ProgramToPaneText(PaneToProgramText(accented)), accented);
}

void PaneHelpersTest::decimals_data() {
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("decimals");
    QTest::newRow("7") << std::string("7") << 7;
    QTest::newRow("20 clamps") << std::string("20") << 15;
    QTest::newRow("-3 clamps") << std::string("-3") << 0;
    QTest::newRow("3.5") << std::string("3.5") << 3;
    QTest::newRow("letters") << std::string("abc") << 0;
    QTest::newRow("empty") << std::string("") << 0;
    QTest::newRow("leading blank") << std::string("  12") << 12;
    QTest::newRow("plus sign") << std::string("+9x") << 9;
    QTest::newRow("huge") << std::string("99999999999999999999999") << 15;
    QTest::newRow("huge negative") << std::string("-99999999999999999999999") << 0;
    QTest::newRow("sign alone") << std::string("-") << 0;
}

void PaneHelpersTest::decimals() {
    QFETCH(std::string, text);
    QFETCH(int, decimals);
    QCOMPARE(ReadDecimals(text), decimals);
}

void PaneHelpersTest::replaceChangedPart_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("end"); // position after the inserted text
    QTest::newRow("same") << "2\n6\n"
                          << "2\n6\n"
                          << 4;
    QTest::newRow("one line changes") << "2\n6\n8\n"
                                      << "2\n60\n8\n"
                                      << 4;
    QTest::newRow("first line removed") << "2\n6\n"
                                        << "6\n"
                                        << 0;
    QTest::newRow("line added at end") << "2\n"
                                       << "2\n6\n"
                                       << 4;
    QTest::newRow("repeated text") << "1\n1\n1\n"
                                   << "1\n1\n"
                                   << 4;
    QTest::newRow("from empty") << ""
                                << "err\n"
                                << 4;
    QTest::newRow("to empty") << "err\n"
                              << "" << 0;
    QTest::newRow("all different") << "abc"
                                   << "xyz" << 3;
    QTest::newRow("surrogate pairs kept whole") << QString::fromUtf8("a\xf0\x9f\x98\x80"
                                                                     "b")
                                                << QString::fromUtf8("a\xf0\x9f\x98\x81"
                                                                     "b")
                                                << 3;
}

void PaneHelpersTest::replaceChangedPart() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, end);
    QTextDocument document;
    document.setPlainText(before);
    document.setUndoRedoEnabled(true);
    QCOMPARE(ReplaceChangedPart(&document, before, after), end);
    QCOMPARE(document.toPlainText(), after);
    QCOMPARE(document.blockCount(), static_cast<int>(after.count('\n')) + 1);
    QCOMPARE(document.isUndoAvailable(), before != after); // nothing done when nothing changed
}

QTEST_MAIN(PaneHelpersTest)
#include "PaneHelpersTest.moc"
