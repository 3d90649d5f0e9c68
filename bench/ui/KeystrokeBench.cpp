// Keystroke to results: the time from one key typed into the expression pane to the results
// pane updated and levelled, for sheets of 1,000 and 10,000 lines, offscreen. The parts are
// measured too: the worksheet pass alone, and the two ways of writing the results pane.
#include "qt/controls/AppSetup.h"
#include "qt/ui/MainDlg.h"
#include "qt/ui/PaneEdit.h"
#include "qt/ui/PaneText.h"
#include "settings/CalcSettings.h"
#include "settings/SettingsFile.h"
#include "worksheet/Worksheet.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A sheet of typical lines: assignments, uses of them, functions, literals, comments.
std::string MakeSheet(int lines) {
    static const char* const kLines[] = {
        "a=12.5*4",      "b=a/3+0x1F",      "sin(pi/6)+cos(0.3)", "b*2-a",
        "// subtotal",   "c=0b1011<<3",     "c&0xFF,x",           "sqrt(2)*pow(3,4)",
        "1234567.891/7", "ln(10)+log(1e3)", "(a+b)*(c-1)",        "x=b^2",
    };
    std::string text;
    for (int i = 0; i < lines; ++i) {
        if (i)
            text += "\r\n";
        text += kLines[i % (sizeof kLines / sizeof *kLines)];
    }
    return text;
}

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<CMainDlg> dlg;

    explicit Window(int lines) {
        g_settings = CalcSettings();
        g_settings.m_expressions = MakeSheet(lines);
        const std::string path = (dir.path() + "/bench.ini").toStdString();
        SaveSettings(path, g_settings);
        dlg = std::make_unique<CMainDlg>(path);
        // Caret in the middle of the sheet, scrolled there.
        QPlainTextEdit* pane = dlg->ExpressionPane();
        QTextCursor caret(pane->document()->findBlockByNumber(lines / 2));
        caret.movePosition(QTextCursor::EndOfBlock);
        pane->setTextCursor(caret);
        pane->ensureCursorVisible();
        pane->setFocus();
        QApplication::processEvents();
    }
};

void SendKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// One key typed and one deleted per iteration pair: each is a change that recalculates.
// With the second argument 1 the pending events run too, so the panes are also repainted.
void BM_Keystroke(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    const bool paint = state.range(1) != 0;
    QPlainTextEdit* pane = window.dlg->ExpressionPane();
    bool type = true;
    for (auto _ : state) {
        if (type)
            SendKey(pane, Qt::Key_7, QStringLiteral("7"));
        else
            SendKey(pane, Qt::Key_Backspace, QString());
        if (paint)
            QApplication::processEvents();
        type = !type;
    }
    if (window.dlg->ResultsPane()->verticalScrollBar()->value() !=
        pane->verticalScrollBar()->value())
        state.SkipWithError("panes not level");
    state.SetLabel(paint ? "key to results levelled and painted" : "key to results levelled");
}
BENCHMARK(BM_Keystroke)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

// The worksheet pass alone, with the pane text conversions around it.
void BM_WorksheetPass(benchmark::State& state) {
    g_settings = CalcSettings();
    const QString pane = ProgramToPaneText(MakeSheet(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        std::string results;
        Worksheet sheet;
        sheet.SetFormatOptions(GetFormatOptions(g_settings));
        sheet.EvaluateText(PaneToProgramText(pane), results);
        benchmark::DoNotOptimize(ProgramToPaneText(results));
    }
}
BENCHMARK(BM_WorksheetPass)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Writing the results pane: the whole text anew, against only the changed part.
void BM_ResultsPaneWrite(benchmark::State& state) {
    const bool wholeText = state.range(1) != 0;
    g_settings = CalcSettings();
    std::string results;
    Worksheet().EvaluateText(MakeSheet(static_cast<int>(state.range(0))), results);
    const QString before = ProgramToPaneText(results);
    QString after = before;
    after.replace(after.size() / 2, 1, QStringLiteral("9"));
    QPlainTextEdit pane;
    pane.setLineWrapMode(QPlainTextEdit::NoWrap);
    pane.setUndoRedoEnabled(false);
    pane.resize(150, 250);
    pane.show();
    pane.setPlainText(before);
    bool flip = false;
    for (auto _ : state) {
        const QString& from = flip ? after : before;
        const QString& to = flip ? before : after;
        if (wholeText)
            pane.setPlainText(to);
        else
            ReplaceChangedPart(pane.document(), from, to);
        flip = !flip;
    }
    state.SetLabel(wholeText ? "setPlainText" : "changed part only");
}
BENCHMARK(BM_ResultsPaneWrite)
    ->Args({1000, 1})
    ->Args({1000, 0})
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    PrepareApplication();
    QApplication app(argc, argv);
    StartControls();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
