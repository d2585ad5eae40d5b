#pragma once
// Event handlers and the records that travel with an event. A handler is a
// member function of its target object; the generator calls it with the source
// of the event and a pointer to the event's data record, and the handler returns
// true when it has handled the event (dispatch stops there).

#include "WEvents.h"
#include "WObject.h"

class WEventData;

// A handler as stored by a generator: a member function of some WObject-derived
// class, converted to a member of WObject (W_HANDLER does the conversion).
using WEventHandlerFn = bool (WObject::*)(WObject* source, WEventData* data);

#define W_HANDLER(memberFunction) static_cast<WEventHandlerFn>(memberFunction)

struct WEventHandler {
    WEventHandlerFn function = nullptr;

    bool IsEmpty() const { return function == nullptr; }
    bool operator==(const WEventHandler& other) const = default;
};

// Base of every event data record.
class WEventData {
public:
    WObject* source = nullptr;       // the generator that raised the event
    WEventHandler* chain = nullptr;  // receives the handler called before the current one
    uint32_t reserved[2] = {0, 0};   // framework-internal; [0] names the record's kind
    WEventID eventId = 0;
    int32_t returnValue = 0;   // preset from the raiser's in/out value, read back after dispatch
    uint32_t userData = 0;     // user data of the handler now called
    int32_t handlerIndex = 0;  // position of the called handler among those of the id
};

// CommandEvent, NotifyEvent, PrivateMessageEvent and the other message events.
class WMessageEventData : public WEventData {
public:
    WMessageEventData() { reserved[0] = Kind; }

    // The record as a message record, or null when it is another kind (an
    // event raised by code with a record of its own, or with none).
    static WMessageEventData* From(WEventData* data)
    {
        return data && data->reserved[0] == Kind ? static_cast<WMessageEventData*>(data) : nullptr;
    }

    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    LONG cursorX = 0;
    LONG cursorY = 0;

private:
    static constexpr uint32_t Kind = 0x4D455347;
};

// MouseMoveEvent and the nine button events; x and y in client coordinates.
class WMouseEventData : public WEventData {
public:
    int32_t x = 0;
    int32_t y = 0;
    WPARAM keys = 0;  // wParam with the Alt key's state added (MK_ALT)
    HWND window = nullptr;
};

// StartEvent, RunEvent and EndEvent of the application.
class WApplicationEventData : public WEventData {
public:
    bool abort = false;  // a start handler sets it to stop before the run
    int32_t exitCode = 0;
};

// UserEvent: the value given to PostUserEvent.
class WUserEventData : public WEventData {
public:
    uint32_t value = 0;
};

// ClickEvent of a tool bar: the command id of the clicked button, -1 when unknown.
class WToolbarEventData : public WEventData {
public:
    int32_t commandId = -1;
};

// SelectChangingEvent and SelectEvent of a tab control. A SelectChangingEvent
// handler that sets returnValue to non-zero keeps the current tab.
class WSelectEventData : public WEventData {
public:
    int32_t newIndex = -1;
    int32_t previousIndex = -1;
};

// Mask bit MK_ALT is not defined by the host; the framework adds it to mouse key flags.
#ifndef MK_ALT
#define MK_ALT 0x20
#endif
