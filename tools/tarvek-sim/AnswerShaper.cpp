#include "AnswerShaper.h"

std::string AnswerShaper::Shape(const std::string& answer)
{
    std::string text = shape.longLine ? LongLine(answer) : answer;
    if (shape.highBytes)
        text = MixHighBytes(text);
    std::string bytes = lineFeedOwed ? "\n" : "";
    lineFeedOwed = false;
    if (shape.twoLines)
        bytes += std::string(FirstOfTwoLines) + "\r\n";
    return bytes + text + LineEnd();
}

std::string AnswerShaper::LongLine(const std::string& answer)
{
    std::string text = answer;
    while (text.size() < LongLineLength)
        text.push_back(static_cast<char>('0' + text.size() % 10));
    return text;
}

std::string AnswerShaper::LineEnd()
{
    if (shape.noLineEnd)
        return "";
    if (shape.splitLineEnd) {
        lineFeedOwed = true;
        return "\r";
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
