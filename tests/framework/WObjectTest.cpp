#include "WApplication.h"
#include "WErrors.h"
#include "WPlatform.h"
#include "WString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

namespace {

TEST(Object, ValidityWordMarksLiveAndDestroyedObjects)
{
    alignas(WObject) unsigned char storage[sizeof(WObject)];
    WObject* object = new (storage) WObject;
    EXPECT_TRUE(object->IsValid());
    object->~WObject();
    uint32_t word;
    std::memcpy(&word, storage + sizeof(void*), sizeof(word));
    EXPECT_EQ(word, WObject::DeadWord);
}

TEST(Object, KnowsItsClassAndItsBasesByNameAndAtom)
{
    WApplication application;
    WObject& object = application;
    EXPECT_STREQ(object.GetClassName(), "WApplication");
    EXPECT_NE(object.GetClassAtom(), 0);
    EXPECT_EQ(object.GetClassAtom(), WObject::AtomOf("WApplication"));
    EXPECT_TRUE(object.IsClass("WApplication"));
    EXPECT_FALSE(object.IsClass("WEventGenerator"));
    EXPECT_TRUE(object.IsKindOf("WEventGenerator"));
    EXPECT_TRUE(object.IsKindOf("WObject"));
    EXPECT_FALSE(object.IsKindOf("WString"));
    EXPECT_TRUE(WString("x").IsKindOf(WObject::AtomOf("WObject")));
    EXPECT_EQ(object.Self(), &object);
}

TEST(Errors, FrameworkCodesHaveTheirTextsAndBecomeTheLastError)
{
    EXPECT_STREQ(WErrorText(WErrorUserEventNotPosted), "The user event could not be posted.");
    EXPECT_STREQ(WErrorText(WErrorRegistryQuery), "The registry query was unsuccessful.");
    EXPECT_STREQ(WErrorText(0x20000008), "");
    EXPECT_STREQ(WErrorText(0), "");
    WSetLastError(WErrorNoWindow);
    EXPECT_EQ(GetLastError(), 0x20000004u);
}

TEST(Platform, IsTheNtFamilyWithAVersion)
{
    WPlatformInfo info;
    EXPECT_EQ(GetPlatform(&info), WPlatformNT);
    EXPECT_GT(info.majorVersion, 0u);
    EXPECT_EQ(GetPlatform(), WPlatformNT);
}

}  // namespace
