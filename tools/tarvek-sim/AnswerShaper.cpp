#include "AnswerShaper.h"

std::string AnswerShaper::Shape(const std::string& answer)
{
    std::string text = shape.longLine ? LongLine(answer) : answer;
    if (shape.highBytes)
        text = MixHighBytes(text);
    if (shape.emptyText)
        text.clear();
    std::string bytes = lineFeedOwed ? "\n" : "";
    lineFeedOwed = false;
    if (shape.leadingLineEnd)
        bytes += "\r\n";
    if (shape.twoLines)
        bytes += std::string(FirstOfTwoLines) + "\r\n";
    return bytes + text + EndOfLine();
}

std::string AnswerShaper::LongLine(const std::string& answer)
{
    std::string text = answer;
    while (text.size() < LongLineLength)
        text.push_back(static_cast<char>('0' + text.size() % 10));
    return text;
}

std::string AnswerShaper::EndOfLine()
{
    switch (shape.lineEnd) {
    case LineEnd::None:
        return "";
    case LineEnd::Split:
        lineFeedOwed = true;
        return "\r";
    case LineEnd::CrCrLf:
        return "\r\r\n";
    case LineEnd::CrLfCrLf:
        return "\r\n\r\n";
    case LineEnd::CrLf:
        break;
    }
    return "\r\n";
}

// A high byte before every character and one at the end, walking through the
// whole range 0x80..0xFF, so that the receiver meets many different ones.
std::string AnswerShaper::MixHighBytes(const std::string& text)
{
    std::string mixed;
    unsigned next = 0x80;
    auto addHighByte = [&] {
        mixed.push_back(static_cast<char>(next));
        next = 0x80 + (next - 0x80 + 37) % 0x80;
    };
    for (char character : text) {
        addHighByte();
        mixed.push_back(character);
    }
    addHighByte();
    return mixed;
}
