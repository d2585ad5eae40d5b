#pragma once
// Turns the text of an answer line into the bytes the simulator sends, with
// the fault modes that make it a misbehaving device: no line end, a line end
// split across two answers, line ends framed in the other ways devices and
// their drivers use, bytes of 0x80 and above mixed in, an over-long line, a
// second line in front of the real answer, or no text at all.

#include <string>

enum class LineEnd {
    CrLf,      // as the protocol has it
    None,      // the line is never ended
    Split,     // CR now, its LF at the head of the next answer
    CrCrLf,    // CR LF with the LF expanded to CR LF by a driver
    CrLfCrLf,  // CR LF, then an empty line
};

struct AnswerShape {
    LineEnd lineEnd = LineEnd::CrLf;
    bool leadingLineEnd = false;  // CR LF before the text as well, as modems frame their answers
    bool emptyText = false;       // the answer's text left out: an empty line
    bool highBytes = false;       // bytes 0x80..0xFF between the characters
    bool longLine = false;        // the line is padded to LongLineLength characters
    bool twoLines = false;        // an extra line first, so the answer is the second of two
};

class AnswerShaper {
public:
    static constexpr size_t LongLineLength = 300;
    static constexpr const char* FirstOfTwoLines = "ACK";

    explicit AnswerShaper(const AnswerShape& shape) : shape(shape) {}

    // The bytes to send for one answer line.
    std::string Shape(const std::string& answer);

    // The padded text an over-long answer carries: the answer, then the
    // digits 0 to 9 over and over, LongLineLength characters in all.
    static std::string LongLine(const std::string& answer);

private:
    AnswerShape shape;
    bool lineFeedOwed = false;  // the previous answer's line end was split after its CR

    std::string EndOfLine();
    static std::string MixHighBytes(const std::string& text);
};
