#include "LineAssembler.h"

namespace {

constexpr uint8_t CarriageReturn = 0x0D;
constexpr uint8_t LineFeed = 0x0A;
constexpr uint8_t FirstHighByte = 0x80;
constexpr uint8_t FillByte = 0x00;

}  // namespace

bool LineAssembler::Take(uint8_t byte)
{
    // A NUL kept in the line would end its text there for every reader, so
    // that a line beginning with one would read as an empty answer.
    if (byte >= FirstHighByte || byte == FillByte)
        return false;
    if (byte == CarriageReturn || byte == LineFeed) {
        if (afterLineEnd) {
            afterLineEnd = false;
            return false;
        }
        lineBuffer[lineLength] = '\0';
        lineLength = 0;
        afterLineEnd = true;
        return true;
    }
    if (lineLength < MaxLineLength)
        lineBuffer[lineLength++] = static_cast<char>(byte);
    afterLineEnd = false;
    return false;
}
