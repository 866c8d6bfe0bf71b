#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace divelog {

// How a piece of a report looks; the window and the printer choose the colours.
enum class TextStyle {
    Plain,   // labels, black
    Value,   // what the dive or the logbook says, blue
    Note,    // headings and file details of a report, green
    Header,  // section titles, red
};

struct StyledRun {
    std::string text;  // UTF-8; line breaks are "\n" only
    TextStyle style = TextStyle::Plain;
    bool underline = false;
    friend bool operator==(const StyledRun&, const StyledRun&) = default;
};

// A report as runs of styled text, built piece by piece by the dive card and
// the statistics and turned into a rich text document by the front end.
// Adjacent pieces of the same look share one run, so a card of thousands of
// dives stays a modest list. A "\r" of a translation is a line break.
class StyledText {
public:
    void append(std::string_view text, TextStyle style = TextStyle::Plain);
    // A section title, underlined from the character `underlineFrom` (counted
    // from 0) to its end; an offset past the end underlines nothing.
    void appendHeader(std::string_view text, std::size_t underlineFrom);
    void append(const StyledText& other);

    const std::vector<StyledRun>& runs() const { return runs_; }
    // Every run's text in order, without styles.
    std::string plainText() const;
    bool empty() const { return runs_.empty(); }
    void clear() { runs_.clear(); }

    // Byte offset of character `chars` in UTF-8 `text`, clamped to its size.
    static std::size_t byteOffset(std::string_view text, std::size_t chars);

private:
    void add(std::string_view text, TextStyle style, bool underline);

    std::vector<StyledRun> runs_;
};

}  // namespace divelog
