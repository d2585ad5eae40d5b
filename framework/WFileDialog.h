#pragma once
// The host's open-file and save-file dialogs with stored settings: owner,
// option flags (the hook flag is always added), initial directory, filters and
// file names. Index 0 of the file names is the initial name before and the
// chosen name after the dialog.

#include "WCommonDialog.h"
#include "WFilePath.h"

#include <string>
#include <vector>

class WFileDialog : public WCommonDialog {
    W_DECLARE_CLASS(WFileDialog, WCommonDialog)
public:
    static constexpr DWORD HookFlag = OFN_ENABLEHOOK;

    void SetFlags(DWORD newFlags) override;
    void SetInitialDirectory(const char* directory);
    // Pairs of (description, pattern), ending with a pair of nulls. False when
    // the list is null or empty.
    bool SetFilters(const char* const filterList[]);
    // The pairs kept: description, pattern, description, pattern, ...
    const std::vector<WString>& GetFilters() const { return filters; }
    bool SetFilePath(const WFilePath& path, int32_t index = 0);
    bool GetFilePath(WFilePath& path, int32_t index = 0) const;

    // True when the user chose a file; its path is then file name 0.
    bool Open();
    bool Save();

    // The host's filter text: each description and pattern ended by a zero,
    // the whole ended by one more zero.
    static std::string BuildFilterText(const std::vector<WString>& filters);

private:
    bool Run(bool save);
    static UINT_PTR CALLBACK HookProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    WString initialDirectory;
    std::vector<WString> filters;  // description, pattern, description, pattern, ...
    std::vector<WFilePath> paths;
};
