#include "LineModel.h"

namespace {

constexpr size_t LongestLine = 255;

bool IsLineEnd(char byte)
{
    return byte == '\r' || byte == '\n';
}

bool IsText(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value != 0 && value < 0x80;
}

}  // namespace

void LineModel::Append(const std::string& bytes)
{
    for (char byte : bytes) {
        if (IsText(byte))
            text.push_back(byte);
    }
    Split();
}

void LineModel::Split()
{
    size_t position = 0;
    if (owesSecondHalf && !text.empty()) {
        owesSecondHalf = false;
        if (IsLineEnd(text[0]))
            position = 1;
    }
    for (;;) {
        const size_t end = text.find_first_of("\r\n", position);
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(position, end - position).substr(0, LongestLine));
        position = end + 1;
        if (position == text.size())
            owesSecondHalf = true;
        else if (IsLineEnd(text[position]))
            ++position;
    }
    text.erase(0, position);
}
