// Message boxes: formatted texts of any length reach the box whole, umlauts
// arrive as the same characters, and the box belongs to its parent only
// where the parent can take it, with the focus back where it was afterwards.

#include "DialogWatchers.h"
#include "WMessageBox.h"
#include "WTextBox.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

WString Formatted(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    WString text = WMessageBox::FormatText(format, arguments);
    va_end(arguments);
    return text;
}

TEST(MessageBoxText, TextLongerThanItsFormatIsFormattedWhole)
{
    const std::string path(300, 'x');
    EXPECT_EQ(std::string(Formatted("Die Datei \"%s\" kann nicht geöffnet werden!", path.c_str()).GetText()),
              "Die Datei \"" + path + "\" kann nicht geöffnet werden!");
    EXPECT_STREQ(Formatted("%d", 123456789).GetText(), "123456789");
    EXPECT_STREQ(Formatted("x").GetText(), "x");
}

TEST(MessageBoxText, EmptyFormatGivesEmptyText)
{
    EXPECT_STREQ(Formatted("").GetText(), "");
}

TEST(MessageBoxText, TextShorterThanItsFormatKeepsItsLength)
{
    EXPECT_STREQ(Formatted("COM%d", 5).GetText(), "COM5");
    EXPECT_STREQ(Formatted("%s%s%s%s", "", "", "", "").GetText(), "");
}

TEST(MessageBox, FormattedTextLongerThanTheFormatIsShownWhole)
{
    const std::string value(120, '7');
    MessageBoxWatcher watcher("Tarvek Timeout", IDOK);
    const int32_t result = WMessageBox::FormatMessage(nullptr, MB_OK | MB_ICONSTOP | MB_TASKMODAL,
                                                      "Tarvek Timeout", "Wert %s", value.c_str());
    ASSERT_TRUE(watcher.Finish());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(watcher.GetText(), "Wert " + value);
}

TEST(MessageBox, UmlautsReadBackAsTheSameCharacters)
{
    MessageBoxWatcher watcher("Prüfung", IDNO);
    const int32_t result = WMessageBox::Message(nullptr, MB_YESNO | MB_ICONINFORMATION | MB_TASKMODAL,
                                                "Prüfung", "Größe: ä ö ü Ä Ö Ü ß");
    ASSERT_TRUE(watcher.Finish());
    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(watcher.GetText(), "Größe: ä ö ü Ä Ö Ü ß");
}

TEST(MessageBox, ParentOwnsTheBoxOnlyWhileEnabledAndTheFocusComesBack)
{
    WWindow parent;
    ASSERT_TRUE(parent.Create(nullptr, RECT{100, 100, 400, 300}, "Eltern", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    WTextBox field;
    ASSERT_TRUE(field.Create(&parent, RECT{10, 10, 200, 30}, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP));
    SetForegroundWindow(parent.GetHandle());
    SetFocus(field.GetHandle());
    ASSERT_EQ(GetFocus(), field.GetHandle());

    MessageBoxWatcher owned("Besitz", IDOK);
    WMessageBox::Message(&parent, MB_OK, "Besitz", "mit Besitzer");
    ASSERT_TRUE(owned.Finish());
    EXPECT_TRUE(owned.GetLook().hasOwner);
    EXPECT_EQ(GetFocus(), field.GetHandle());

    parent.SetEnabled(false);
    MessageBoxWatcher unowned("Besitz", IDOK);
    WMessageBox::Message(&parent, MB_OK, "Besitz", "ohne Besitzer");
    ASSERT_TRUE(unowned.Finish());
    EXPECT_FALSE(unowned.GetLook().hasOwner);
}

}  // namespace
