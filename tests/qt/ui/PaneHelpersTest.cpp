// The window's Qt-side helpers: the pane's QString against program text and the pane's minimal
// document change. The line-break and key-edit rules are tested in tests/uilogic.
#include "qt/ui/PaneEdit.h"
#include "qt/ui/PaneText.h"

#include <QTextDocument>
#include <QtTest>

Q_DECLARE_METATYPE(std::string)

class PaneHelpersTest : public QObject {
    Q_OBJECT
private slots:
    void programTextConversion();
    void replaceChangedPart_data();
    void replaceChangedPart();
};

void PaneHelpersTest::programTextConversion() {
    QCOMPARE(PaneToProgramText("1+1\n2*3\n"), std::string("1+1\r\n2*3\r\n"));
    QCOMPARE(ProgramToPaneText("1+1\r\n2*3\r\n"), QString("1+1\n2*3\n"));
    const QString accented = QString::fromUtf8("x=\xc3\xa9");
    QCOMPARE(ProgramToPaneText(PaneToProgramText(accented)), accented);
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
