#include "uilogic/ResultsScroll.h"

bool ShowsResultsLeftEdge(ResultsEvent event, bool resultsHaveFocus) {
    switch (event) {
    case ResultsEvent::FocusLost:
        return true;
    case ResultsEvent::Recalculated:
        return !resultsHaveFocus;
    }
    return false;
}
