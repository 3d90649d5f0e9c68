// The window's pure helpers: CR LF positions, the key table and its edits, key addresses,
// the decimals field and the page filling.
#include "ui/Decimals.h"
#include "ui/KeyTable.h"
#include "ui/Pages.h"
#include "ui/PaneEdit.h"
#include "ui/PaneText.h"

#include <QTextDocument>
#include <QtTest>

#include <cstring>

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(CaretMove)

class PaneHelpersTest : public QObject {
    Q_OBJECT
private slots:
    void positionsRoundTrip_data();
    void positionsRoundTrip();
    void positionInsideLineBreak();
    void programTextConversion();
    void applyKey_data();
    void applyKey();
    void arrowKeysOnlyMove();
    void keyAddress_data();
    void keyAddress();
    void decimals_data();
    void decimals();
    void cellAttributes();
    void replaceAllDoesNotRescan();
    void replaceChangedPart_data();
    void replaceChangedPart();
};

void PaneHelpersTest::positionsRoundTrip_data() {
    QTest::addColumn<QString>("pane");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("crlf");
    QTest::newRow("start") << "ab\ncd" << 0 << 0;
    QTest::newRow("end of first line") << "ab\ncd" << 2 << 2;
    QTest::newRow("start of second line") << "ab\ncd" << 3 << 4;
    QTest::newRow("end") << "ab\ncd" << 5 << 6;
    QTest::newRow("empty lines") << "\n\n\nx" << 3 << 6;
    QTest::newRow("after last break") << "1\n2\n" << 4 << 6;
    QTest::newRow("non-ascii counts one") << QString::fromUtf8("\xc3\xa9\nx") << 2 << 3;
}

void PaneHelpersTest::positionsRoundTrip() {
    QFETCH(QString, pane);
    QFETCH(int, cursor);
    QFETCH(int, crlf);
    QCOMPARE(CrLfPosFromCursor(pane, cursor), crlf);
    QCOMPARE(CursorPosFromCrLf(pane, crlf), cursor);
    QCOMPARE(WithCrLf(pane).left(crlf), WithCrLf(pane.left(cursor)));
}

void PaneHelpersTest::positionInsideLineBreak() {
    // Between CR and LF: the end of that line. Out of range: clamped.
    QCOMPARE(CursorPosFromCrLf("ab\ncd", 3), 2);
    QCOMPARE(CursorPosFromCrLf("ab\ncd", 99), 5);
    QCOMPARE(CursorPosFromCrLf("ab\ncd", -4), 0);
    QCOMPARE(CrLfPosFromCursor("ab\ncd", 99), 6);
}

void PaneHelpersTest::programTextConversion() {
    QCOMPARE(PaneToProgramText("1+1\n2*3\n"), std::string("1+1\r\n2*3\r\n"));
    QCOMPARE(ProgramToPaneText("1+1\r\n2*3\r\n"), QString("1+1\n2*3\n"));
    QCOMPARE(ProgramToPaneText("a\rb\nc"), QString("a\nb\nc"));
    const QString accented = QString::fromUtf8("x=\xc3\xa9");
    QCOMPARE(ProgramToPaneText(PaneToProgramText(accented)), accented);
}

void PaneHelpersTest::applyKey_data() {
    QTest::addColumn<std::string>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");
    auto row = [](const char* name, const char* key, const char* text, int s, int e, bool changed,
                  const char* result, int caret) {
        QTest::newRow(name) << std::string(key) << QString(text) << s << e << changed
                            << QString(result) << caret;
    };
    // The keypad test presses every key of the page; these are the cases no page key makes.
    row("reversed selection", "n0", "abc", 3, 1, true, "a0", 2);
    row("n with any character", "nA", "", 0, 0, true, "A", 1);
    row("del after an empty line", "del", "\r\n", 2, 2, true, "", 0);
    row("unknown key", "foo", "abc", 1, 1, false, "", 0);
    row("case matters", "SIN", "abc", 1, 1, false, "", 0);
    row("n key too long", "n12", "abc", 1, 1, false, "", 0);
    row("selection past end clamped", "n1", "ab", 1, 99, true, "a1", 2);
}

void PaneHelpersTest::applyKey() {
    QFETCH(std::string, key);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(bool, changed);
    QFETCH(QString, result);
    QFETCH(int, caret);
    const KeyEdit edit = ApplyKey(key, text, selStart, selEnd);
    QCOMPARE(edit.textChanged, changed);
    QCOMPARE(edit.move, CaretMove::None);
    if (changed) {
        QCOMPARE(edit.text, result);
        QCOMPARE(edit.caret, caret);
    }
}

void PaneHelpersTest::arrowKeysOnlyMove() {
    const std::pair<const char*, CaretMove> arrows[] = {{"up", CaretMove::Up},
                                                        {"dn", CaretMove::Down},
                                                        {"le", CaretMove::Left},
                                                        {"ri", CaretMove::Right}};
    for (const auto& [key, move] : arrows) {
        const KeyEdit edit = ApplyKey(key, "1\r\n2", 1, 1);
        QVERIFY(!edit.textChanged);
        QCOMPARE(edit.move, move);
    }
}

void PaneHelpersTest::keyAddress_data() {
    QTest::addColumn<std::string>("url");
    QTest::addColumn<bool>("isKey");
    QTest::addColumn<std::string>("key");
    QTest::newRow("plain") << std::string("keylnk:sin") << true << std::string("sin");
    QTest::newRow("one slash") << std::string("keylnk:sin/") << true << std::string("sin");
    QTest::newRow("three slashes") << std::string("keylnk:sin///") << true << std::string("sin");
    QTest::newRow("prefix only") << std::string("keylnk:") << true << std::string("");
    QTest::newRow("other scheme") << std::string("https://example.org/") << false
                                  << std::string("");
    QTest::newRow("too short") << std::string("keylnk") << false << std::string("");
    QTest::newRow("case differs") << std::string("KEYLNK:sin") << false << std::string("");
}

void PaneHelpersTest::keyAddress() {
    QFETCH(std::string, url);
    QFETCH(bool, isKey);
    QFETCH(std::string, key);
    std::string found = "untouched";
    QCOMPARE(KeyNameFromAddress(url, "keylnk:", found), isKey);
    QCOMPARE(found, isKey ? key : std::string("untouched"));
    QVERIFY(!KeyNameFromAddress("keylnk:sin", "key", found)); // a prefix under 7 characters
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

void PaneHelpersTest::cellAttributes() {
    QCOMPARE(std::strlen(kCellAttributes), size_t(142));
    std::string page = "<tr><td id=\"a\">a</td><td class=\"x\">b</td></tr>";
    ReplaceAll(page, "<td", kCellAttributes);
    QCOMPARE(page.find("<td id="), std::string::npos);
    QVERIFY(page.find("ondblclick='ent(this)' id=\"a\">") != std::string::npos);
    QVERIFY(page.find("onMouseOut='ov(this,0)'onmousedown") != std::string::npos);
}

void PaneHelpersTest::replaceAllDoesNotRescan() {
    std::string text = "<td<td";
    ReplaceAll(text, "<td", "<td x");
    QCOMPARE(text, std::string("<td x<td x"));
    std::string ver = "$ver$ and $ver$";
    ReplaceAll(ver, "$ver$", "1.0");
    QCOMPARE(ver, std::string("1.0 and 1.0"));
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
