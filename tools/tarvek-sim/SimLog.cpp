#include "SimLog.h"

#include <windows.h>

SimLog::~SimLog()
{
    if (file)
        std::fclose(file);
}

bool SimLog::AlsoWriteTo(const std::string& path)
{
    file = std::fopen(path.c_str(), "w");
    return file != nullptr;
}

void SimLog::Line(const std::string& text)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02u:%02u:%02u.%03u ", now.wHour, now.wMinute, now.wSecond,
                  now.wMilliseconds);
    for (std::FILE* stream : {stdout, file}) {
        if (!stream)
            continue;
        std::fputs(stamp, stream);
        std::fputs(text.c_str(), stream);
        std::fputc('\n', stream);
        std::fflush(stream);
    }
}

std::string Printable(const std::string& bytes)
{
    std::string text;
    for (char character : bytes) {
        const unsigned char byte = static_cast<unsigned char>(character);
        if (byte >= 0x20 && byte < 0x7F) {
            text.push_back(character);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "<%02X>", byte);
            text += escaped;
        }
    }
    return text;
}
