// The non-dialog resources: the tool bar description byte for byte, the
// framework's message texts, the menu, the pictures' formats and the version.

#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> ResourceBytes(const char* name, const char* type)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, type);
    if (!resource) {
        return {};
    }
    auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, resource)));
    return {data, data + SizeofResource(module, resource)};
}

int32_t IntAt(const std::vector<unsigned char>& bytes, size_t offset)
{
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string TextAt(const std::vector<unsigned char>& bytes, size_t offset, size_t length)
{
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset), length);
}

struct ToolbarItem {
    int32_t kind;
    int32_t image;
    const char* toolTip;
    size_t offset;
};

TEST(ToolbarDescription, HoldsHeaderFourItemsAndTrailerAtTheirOffsets)
{
    std::vector<unsigned char> bytes = ResourceBytes("ID_Tarvek_toolb_1_data", MAKEINTRESOURCEA(10));
    ASSERT_EQ(bytes.size(), 215u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4),
              (std::vector<unsigned char>{0x01, 0xD1, 0x00, 0x00}));
    const int32_t header[] = {16, 16, 23, 22, 4, 0, 1, 0};
    for (size_t field = 0; field < 8; ++field) {
        EXPECT_EQ(IntAt(bytes, 4 + 4 * field), header[field]) << "header field " << field;
    }

    const ToolbarItem items[] = {
        {0, 7, "Schwellwerte laden", 36},
        {0, 8, "Schwellwerte speichern", 84},
        {1, 0, "", 136},
        {0, 27, "Beenden", 166},
    };
    const unsigned char flags[] = {1, 0, 0, 0, 0, 0, 1, 1};
    size_t offset = 36;
    for (const ToolbarItem& item : items) {
        SCOPED_TRACE(item.offset);
        ASSERT_EQ(offset, item.offset);
        EXPECT_EQ(IntAt(bytes, offset), item.kind);
        EXPECT_EQ(IntAt(bytes, offset + 4), item.image);
        EXPECT_EQ(IntAt(bytes, offset + 8), 0);
        EXPECT_EQ(0, std::memcmp(bytes.data() + offset + 12, flags, sizeof flags));
        size_t textLength = IntAt(bytes, offset + 20);
        size_t tipLength = IntAt(bytes, offset + 24);
        EXPECT_EQ(textLength, 0u);
        EXPECT_EQ(bytes[offset + 28 + textLength], 0);
        EXPECT_EQ(TextAt(bytes, offset + 29 + textLength, tipLength), item.toolTip);
        EXPECT_EQ(bytes[offset + 29 + textLength + tipLength], 0);
        offset += textLength + tipLength + 30;
    }
    EXPECT_EQ(offset, 203u);
    EXPECT_EQ(IntAt(bytes, 203), 100);
    EXPECT_EQ(IntAt(bytes, 207), 1);
    EXPECT_EQ(IntAt(bytes, 211), 0);
}

TEST(StringTable, HoldsTheFrameworkMessageTexts)
{
    const char* texts[] = {
        "The window could not successfully be created.",
        "The window has already been created.",
        "The user event could not be posted.",
        "The window has not been created or has already been destroyed.",
        "The target window specified was invalid.",
        "The drag-and-drop operation could not be started.",
        "The registry query was unsuccessful.",
    };
    for (UINT id = 1; id <= 7; ++id) {
        char text[128] = "";
        LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
        EXPECT_STREQ(text, texts[id - 1]) << "string " << id;
    }
}

std::string MenuText(HMENU menu, UINT position)
{
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(MainMenu, HasFilePopupAndHelpPopupWithTheirCommands)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "ID_Tarvek_menu_1");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(MenuText(menu, 0), "&Datei");
    EXPECT_EQ(MenuText(menu, 1), "&?");

    HMENU file = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(file), 4);
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(IDM_OPEN_FILE));
    EXPECT_EQ(MenuText(file, 0), "Tarvek Konfigurationsdatei &öffnen");
    EXPECT_EQ(GetMenuItemID(file, 1), static_cast<UINT>(IDM_SAVE_FILE));
    EXPECT_EQ(MenuText(file, 1), "Tarvek Konfigurationsdatei &speichern");
    EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(file, 3), static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(MenuText(file, 3), "&Beenden");

    HMENU help = GetSubMenu(menu, 1);
    ASSERT_EQ(GetMenuItemCount(help), 1);
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(IDM_ABOUT));
    EXPECT_EQ(MenuText(help, 0), "&Über");
    DestroyMenu(menu);
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct IconFormat {
    int size;
    int bitCount;
};

std::vector<IconFormat> IconFormats(int id)
{
    std::vector<unsigned char> group = ResourceBytes(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
    std::vector<IconFormat> formats;
    if (group.size() < 6) {
        return formats;
    }
    WORD count = group[4] | group[5] << 8;
    for (WORD index = 0; index < count; ++index) {
        IconGroupEntry entry;
        std::memcpy(&entry, group.data() + 6 + index * sizeof entry, sizeof entry);
        formats.push_back({entry.width ? entry.width : 256, entry.bitCount});
    }
    return formats;
}

TEST(Pictures, IconsHaveTheirSizesInSixteenColours)
{
    const struct {
        int id;
        std::vector<int> sizes;
    } icons[] = {
        {IDI_TARVEK, {32, 16}},  {IDI_PLUG_CONNECTED, {48}}, {IDI_PLUG_APART, {48}},
        {IDI_ERROR_CROSS, {32}}, {IDI_ARROW_UP, {32}},       {IDI_ARROW_DOWN, {32}},
    };
    for (const auto& icon : icons) {
        SCOPED_TRACE(icon.id);
        std::vector<IconFormat> formats = IconFormats(icon.id);
        ASSERT_EQ(formats.size(), icon.sizes.size());
        for (size_t index = 0; index < formats.size(); ++index) {
            EXPECT_EQ(formats[index].size, icon.sizes[index]);
            EXPECT_EQ(formats[index].bitCount, 4);
        }
    }
}

bool CornerIsTransparent(int id)
{
    HICON icon =
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        return false;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, info.hbmMask);
    bool transparent = GetPixel(dc, 0, 0) == RGB(255, 255, 255);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
    return transparent;
}

TEST(Pictures, ButtonIconsHaveTransparentBackground)
{
    for (int id : {IDI_ERROR_CROSS, IDI_ARROW_UP, IDI_ARROW_DOWN}) {
        EXPECT_TRUE(CornerIsTransparent(id)) << "icon " << id;
    }
}

TEST(Pictures, BitmapsHaveTheirSizesAndDepths)
{
    const struct {
        int id;
        LONG width, height;
        WORD bitCount;
    } bitmaps[] = {
        {IDB_BRASSELWALD_LOGO, 230, 60, 24},
        {IDB_TOOLBAR_IMAGES, 48, 16, 4},
    };
    for (const auto& bitmap : bitmaps) {
        SCOPED_TRACE(bitmap.id);
        std::vector<unsigned char> bytes = ResourceBytes(MAKEINTRESOURCEA(bitmap.id), MAKEINTRESOURCEA(2));
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        std::memcpy(&header, bytes.data(), sizeof header);
        EXPECT_EQ(header.biWidth, bitmap.width);
        EXPECT_EQ(header.biHeight, bitmap.height);
        EXPECT_EQ(header.biBitCount, bitmap.bitCount);
    }
}

std::string VersionString(const std::vector<char>& block, const char* name)
{
    std::string path = std::string("\\StringFileInfo\\040704E4\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return "";
    }
    return value;
}

TEST(Version, NamesProductVersionAndMakerInGerman)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);

    EXPECT_EQ(VersionString(block, "ProductName"), "Tarvek Konfigurationsprogramm");
    EXPECT_EQ(VersionString(block, "ProductVersion"), "2.0 a");
    EXPECT_EQ(VersionString(block, "FileVersion"), "2.0 a");
    EXPECT_EQ(VersionString(block, "CompanyName"), "Brasselwald GmbH");
    EXPECT_EQ(VersionString(block, "OriginalFilename"), "Tarvek.exe");
}

}  // namespace
