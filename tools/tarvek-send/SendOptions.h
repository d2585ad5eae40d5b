#pragma once
// tarvek-send's command line: the configuration file, the port, and what to
// do with them.

#include <cstdint>
#include <string>
#include <vector>

struct SendOptions {
    std::string fileName;
    int32_t portNumber = 0;  // COMn; 0 when not given
    bool checkOnly = false;  // load and check, send nothing
    bool json = false;       // one JSON object per line of output
    bool help = false;
};

// False with a one-line reason (German, code page 1252) when the arguments,
// without the program name, are not a valid command line.
bool ParseSendOptions(const std::vector<std::string>& arguments, SendOptions& options, std::string& error);

const char* SendHelpText();
