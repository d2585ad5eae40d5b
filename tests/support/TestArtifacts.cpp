#include "TestArtifacts.h"

#include <windows.h>

std::string TestArtifactPath(const char* fileName)
{
    char module[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder(module, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    folder += "artifacts";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + fileName;
}
