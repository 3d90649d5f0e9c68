#pragma once

// The results pane can be scrolled sideways to read a long result, but the start of every
// other result is then off its left edge. It shows its left edge again once the reader is
// done with it: when it loses the focus, and on every recalculation while it does not have
// the focus (a reader scrolling it keeps the place).

enum class ResultsEvent { FocusLost, Recalculated };

// True when the results pane scrolls back to its left edge after event.
bool ShowsResultsLeftEdge(ResultsEvent event, bool resultsHaveFocus);
