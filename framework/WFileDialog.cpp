#include "WFileDialog.h"

#include <commdlg.h>

#include <cstring>

namespace {

constexpr size_t FileNameCapacity = 4096;

}  // namespace

void WFileDialog::SetFlags(DWORD newFlags)
{
    WCommonDialog::SetFlags(newFlags | HookFlag);
}

void WFileDialog::SetInitialDirectory(const char* directory)
{
    initialDirectory = directory;
}

bool WFileDialog::SetFilters(const char* const filterList[])
{
    filters.clear();
    if (!filterList)
        return false;
    for (size_t index = 0; filterList[index] && filterList[index + 1]; index += 2) {
        filters.emplace_back(filterList[index]);
        filters.emplace_back(filterList[index + 1]);
    }
    return !filters.empty();
}

bool WFileDialog::SetFilePath(const WFilePath& path, int32_t index)
{
    if (index < 0)
        return false;
    if (paths.size() <= static_cast<size_t>(index))
        paths.resize(static_cast<size_t>(index) + 1);
    paths[index] = path;
    return true;
}

bool WFileDialog::GetFilePath(WFilePath& path, int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= paths.size())
        return false;
    path = paths[index];
    return true;
}

std::string WFileDialog::BuildFilterText(const std::vector<WString>& filterTexts)
{
    std::string text;
    for (const WString& part : filterTexts) {
        text += part.GetText();
        text += '\0';
    }
    text += '\0';
    return text;
}

bool WFileDialog::Open()
{
    return Run(false);
}

bool WFileDialog::Save()
{
    return Run(true);
}

UINT_PTR CALLBACK WFileDialog::HookProcedure(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

bool WFileDialog::Run(bool save)
{
    if (IsShowing())
        return false;
    // The host reads what it is given while it shows its dialog: nothing of
    // it may live in the object, which a handler may delete meanwhile.
    const std::string filterText = BuildFilterText(filters);
    const std::string directory = initialDirectory.GetText();
    std::vector<char> fileName(FileNameCapacity, '\0');
    if (!paths.empty())
        std::strncpy(fileName.data(), paths[0].GetText(), FileNameCapacity - 1);

    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = GetOwnerHandle();
    request.lpstrFilter = filters.empty() ? nullptr : filterText.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = fileName.data();
    request.nMaxFile = static_cast<DWORD>(fileName.size());
    request.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
    request.Flags = GetFlags();
    if (request.Flags & OFN_ENABLEHOOK)
        request.lpfnHook = &WFileDialog::HookProcedure;

    using Dialog = BOOL(WINAPI*)(OPENFILENAMEA*);
    const auto dialog = reinterpret_cast<Dialog>(
        reinterpret_cast<void*>(HostFunction(save ? "GetSaveFileNameA" : "GetOpenFileNameA")));
    const WLifeWatch watch(lifeAnchor);
    SetShowing(true);
    const BOOL chosen = dialog && dialog(&request);
    // Deleted meanwhile: the choice has nobody left to keep it.
    if (!watch.ObjectAlive())
        return false;
    SetShowing(false);
    if (chosen)
        SetFilePath(WFilePath(fileName.data()), 0);
    return chosen != FALSE;
}
