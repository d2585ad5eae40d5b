#include "AbsentPort.h"

#include "SimulatorProcess.h"

#include <windows.h>

// The path is given in the "\\?\" form, or its last part "com9" would name
// the port itself.
AbsentPort::AbsentPort(Kind kind)
    : path("\\\\?\\" + PathFromEnvironment("TARVEK_BUILD_DIR") + "\\nullmodem\\com9")
{
    RemoveDirectoryA(path.c_str());
    inPlace = kind == Nothing ? GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES
                              : CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

AbsentPort::~AbsentPort()
{
    RemoveDirectoryA(path.c_str());
}
