#include "uilogic/ErrorExplanation.h"

#include "engine/CalcEvaluator.h"
#include "engine/CalcLibrary.h"
#include "worksheet/TextLines.h"
#include "worksheet/Worksheet.h"

#include <algorithm>

namespace {

// A quoted piece longer than this many characters is cut short.
constexpr size_t kMaxQuoted = 24;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte of typed where the byte at position of the line without its spaces stands; the
// typed line's size when position is at or past that line's end.
size_t TypedOffset(const std::string& typed, size_t position) {
    size_t kept = 0;
    for (size_t i = 0; i < typed.size(); ++i) {
        if (typed[i] == ' ')
            continue;
        if (kept == position)
            return i;
        ++kept;
    }
    return typed.size();
}

// Characters (not bytes) before offset, plus one.
size_t CharacterNumber(const std::string& typed, size_t offset) {
    const auto end = typed.begin() + static_cast<std::ptrdiff_t>(offset);
    return 1 + static_cast<size_t>(std::count_if(typed.begin(), end,
                                                 [](char c) { return !IsContinuationByte(c); }));
}

std::string Quote(const std::string& piece) {
    return '`' + piece + '`';
}

// "one", "two" for the counts a function takes; digits beyond.
std::string CountWord(int32_t count) {
    switch (count) {
    case 1:
        return "one";
    case 2:
        return "two";
    default:
        return std::to_string(count);
    }
}

std::string ValuesGiven(int32_t given) {
    if (given == 0)
        return "none were given";
    return std::to_string(given) + (given == 1 ? " was given" : " were given");
}

std::string Values(int32_t count) {
    return CountWord(count) + (count == 1 ? " value" : " values");
}

// The place an error names: the piece of the line (spaces removed) and where it stands.
struct Place {
    bool atEnd = true;    // the line (or its calculation, before a comment or suffix) ends there
    size_t character = 0; // counted from 1 in the typed line
    std::string piece;    // as the engine read it, cut short when long
    std::string stop;     // what the calculation stops at before the line's end, if anything
};

Place FindPlace(const std::string& typed, const ErrorDetail& error) {
    std::string line = typed;
    line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
    Place place;
    if (error.position == kNoPlace || error.position >= line.size())
        return place;
    place.character = CharacterNumber(typed, TypedOffset(typed, error.position));
    size_t end = std::min(line.size(), error.position + error.length);
    while (end < line.size() && IsContinuationByte(line[end]))
        ++end; // a character outside ASCII is quoted whole
    place.piece = line.substr(error.position, end - error.position);
    const auto first = static_cast<unsigned char>(place.piece.empty() ? ' ' : place.piece[0]);
    if (first < 0x20 || first == 0x7F) { // a control character is named by its code
        static const char kHex[] = "0123456789ABCDEF";
        place.piece = std::string("U+00") + kHex[first >> 4] + kHex[first & 0xF];
    }
    // A comment is not read, nor is a display suffix part of the calculation: a line that
    // fails at one fails where its calculation ends.
    if (line.compare(error.position, 2, "//") == 0) {
        place.atEnd = true;
        place.stop = "the comment";
    } else if (place.piece.empty()) {
        place.atEnd = true;
        place.stop = line[error.position] == ','
                         ? "the display suffix " + Quote(line.substr(error.position))
                         : "the rest of the line";
    } else {
        place.atEnd = false;
    }
    size_t characters = 0;
    for (size_t i = 0; i < place.piece.size(); ++i) {
        if (!IsContinuationByte(place.piece[i]) && ++characters > kMaxQuoted) {
            place.piece = place.piece.substr(0, i) + "…";
            break;
        }
    }
    return place;
}

// "At character 3, `*`"; the caller says the rest.
std::string At(const Place& place) {
    return "At character " + std::to_string(place.character) + ", " + Quote(place.piece);
}

// The sentence for a piece that stands where something else was expected (after: what the
// expected thing was to follow, or empty).
std::string Expected(const Place& place, const std::string& what, const std::string& after = "") {
    const std::string expected = what + " was expected" + after + ".";
    if (!place.atEnd)
        return At(place) + " stands where " + expected;
    if (place.character == 0)
        return "The line ends where " + expected;
    return "The calculation ends at " + place.stop + " at character " +
           std::to_string(place.character) + ", where " + expected;
}

std::string FunctionName(const ErrorDetail& error) {
    if (error.function < 0 || error.function >= FunctionCount())
        return "the function";
    return Quote(GetFunction(error.function).name);
}

// "At character 1, `sin(1,2)`: " for the errors of a call as a whole.
std::string AtCall(const Place& place) {
    return place.atEnd ? std::string() : At(place) + ": ";
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

} // namespace

std::string ExplainError(const std::string& typed, const ErrorDetail& error) {
    const Place place = FindPlace(typed, error);
    const std::string at = place.atEnd ? "At the end of the line" : At(place);
    switch (error.kind) {
    case ErrorKind::None:
        return std::string();
    case ErrorKind::InvalidToken:
        return at + " is not part of any number, name or operator.";
    case ErrorKind::UnknownConst:
        return at + " is not a function, a constant or a variable.";
    case ErrorKind::Dot:
        return at + " is a point with no digit before or after it.";
    case ErrorKind::BadSuffix:
        return at + " is not a number: a number may be followed by a letter only as `e` "
                    "with an exponent.";
    case ErrorKind::ExpectingDigit:
        return at + " is not a number: the exponent after `e` must be digits only.";
    case ErrorKind::InvalidHexa:
        return at + " is not a number: `0x` must be followed by hexadecimal digits "
                    "(0 to 9, a to f).";
    case ErrorKind::InvalidBin:
        return at + " is not a number: `0b` must be followed by binary digits (0 and 1).";
    case ErrorKind::Err:
        // With a function: the line ended among the values of its call.
        return error.function >= 0 && error.function < FunctionCount()
                   ? Expected(place, "the `)` of " +
                                         Quote(GetFunction(error.function).name + std::string("(")))
                   : Expected(place, "a number or a name");
    case ErrorKind::MissingClose:
        return Expected(place, "a `)`");
    case ErrorKind::ExpectingOpen:
        return Expected(place, "a `(`", " after " + FunctionName(error));
    case ErrorKind::ExprIncomplete:
        return Expected(place, "an operator or the end of the line");
    case ErrorKind::TooManyParams:
        return at + " begins value " + std::to_string(error.given + 1) + " of a call to " +
               FunctionName(error) + ", but a call takes at most " + std::to_string(kMaxParams) +
               ".";
    case ErrorKind::MissingParam: {
        const int32_t minimum = error.function >= 0 && error.function < FunctionCount()
                                    ? GetFunction(error.function).minimum
                                    : error.given + 1;
        return AtCall(place) + Capitalised(FunctionName(error) + " needs " + Values(minimum) +
                                           "; " + ValuesGiven(error.given) + ".");
    }
    case ErrorKind::ExpectOne:
    case ErrorKind::ExpectTwo:
        return AtCall(place) + Capitalised(FunctionName(error) + " takes " +
                                           Values(error.kind == ErrorKind::ExpectOne ? 1 : 2) +
                                           "; " + ValuesGiven(error.given) + ".");
    case ErrorKind::Undefined:
        return AtCall(place) +
               Capitalised(FunctionName(error) + " is not defined for the value given.");
    case ErrorKind::DivByZero:
        return place.piece == "%" ? at + " takes the remainder of a division by zero."
                                  : at + " divides by zero.";
    case ErrorKind::RemainderBelowOne:
        return at + " has a divisor between -1 and 1, which counts as 0 for a remainder.";
    case ErrorKind::NestedTooDeep:
        return at + " nests the line deeper than " + std::to_string(CalcEvaluator::kMaxNesting) +
               " levels of brackets, signs and calls.";
    case ErrorKind::OutOfMemory:
        return "The calculation ran out of memory.";
    }
    return "The engine gave an error this program has no words for.";
}

std::vector<ExplainedLine> ExplainSheet(const std::string& text, const FormatOptions& options) {
    std::vector<ExplainedLine> lines;
    Worksheet sheet;
    sheet.SetExplainErrors(true);
    sheet.SetFormatOptions(options);
    std::string line;
    ForEachLine(text, [&](size_t start, size_t length) {
        const std::string typed = text.substr(start, length);
        line = typed;
        line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
        ExplainedLine explained;
        if (!line.empty()) {
            sheet.EvaluateLine(line, explained.result);
            if (sheet.LastError().kind != ErrorKind::None)
                explained.plain = ExplainError(typed, sheet.LastError());
        }
        lines.push_back(std::move(explained));
    });
    return lines;
}
