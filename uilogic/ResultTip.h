#pragma once

#include <string>

// What the results pane says when the mouse rests on a result. The pane's text never
// changes; the tooltip tells what the pane cannot show.

// The text of one line (0-based) of the results of text (program text, CR LF lines) with a
// failed line explained: "err: ", the plain words, and on a second line the engine's message
// as the command-line front end prints it with --why. Empty for a line past the end.
std::string ExplainedResultLine(const std::string& text, int line);

// True when a result drawn from x = left (pane pixels, scrolling included) with the given
// width does not fit the pane's visible width on either side.
bool IsResultCutOff(int left, int width, int visibleWidth);

// True when the tooltip for a result shown so needs the sheet evaluated again with its errors
// explained: only "err" does, so hovering other results costs no evaluation.
bool NeedsExplanation(const std::string& shown);

// The tooltip for one result line: for "err", the plain words and the engine's message taken
// from its explained line (the message cut short after 64 characters); for a result that is cut
// off, the whole result; otherwise nothing (empty).
std::string ResultToolTip(const std::string& shown, const std::string& explained, bool cutOff);
