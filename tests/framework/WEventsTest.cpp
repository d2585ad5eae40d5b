#include "WEvents.h"

#include <gtest/gtest.h>

#include <string>

TEST(WEvents, IdsTheProgramReliesOnHaveTheirNames)
{
    EXPECT_EQ(std::string(WEventName(NullEvent)), "NullEvent");
    EXPECT_EQ(ClickEvent, 30);
    EXPECT_EQ(LeftButtonDownEvent, 33);
    EXPECT_EQ(StartEvent, 57);
    EXPECT_EQ(UserEvent, 83);
    EXPECT_EQ(CloseEvent, 84);
    EXPECT_EQ(CreateEvent, 87);
    EXPECT_EQ(DestroyEvent, 88);
    EXPECT_EQ(QueryCloseEvent, 187);
    EXPECT_EQ(std::string(WEventName(DatabaseErrorEvent)), "DatabaseErrorEvent");
    EXPECT_EQ(std::string(WEventName(WEventCount)), "");
}
