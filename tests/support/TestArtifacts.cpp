#include "TestArtifacts.h"

#include <windows.h>

#include <string>

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

std::string TestTemporaryFolder(const char* prefix)
{
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    const std::string folder = temporary + (prefix + std::to_string(GetCurrentProcessId())) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
