#pragma once
// The simulator's command line: the port to play the device on and the fault
// modes to play it with.

#include "AnswerShaper.h"

#include <string>
#include <vector>

struct SimOptions {
    std::string portName;  // "COM12", upper case
    bool help = false;
    bool silent = false;
    int silentAfter = -1;  // lines answered before going silent; -1: never
    int lateMilliseconds = 0;
    bool lineRate = false;
    AnswerShape shape;
    std::string logFile;
};

// False with a one-line reason when the arguments (without the program name)
// are not a valid command line.
bool ParseSimOptions(const std::vector<std::string>& arguments, SimOptions& options, std::string& error);

const char* SimHelpText();
