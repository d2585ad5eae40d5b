#pragma once
// One exchange with the device at a time, whichever control starts it. The
// transfer button, the arrow buttons and check boxes of the offset page and
// "Fehler löschen" all go through here, so that the serial port is opened and
// closed in pairs however the user works the control:
//
// - The press (left button down) opens the port on the interface chosen on
//   the interface page; the click that follows does the exchange and ends it,
//   which closes the port.
// - A click that comes without a press (Space or Enter on a focused control)
//   opens the port itself first.
// - A press that ends without a click (released outside the control, or the
//   mouse capture taken away) closes the port again.
// - While a press or an exchange holds the port, every other press or click
//   that would start an exchange is refused, and so are the commands that must
//   not run inside one (the file commands); nothing nests inside an exchange.
// - A close of the main window asked for meanwhile waits until the port is
//   free and is then carried out.
//
// The port is open exactly while the state is not Idle. Everything here runs
// on the user-interface thread.

#include "WButton.h"

#include <functional>

class DeviceExchange : public WObject {
    W_DECLARE_CLASS(DeviceExchange, WObject)
public:
    // The number of the port chosen now: n for COMn.
    using PortNumberSource = std::function<int32_t()>;
    using PressAbandoned = std::function<void()>;

    explicit DeviceExchange(PortNumberSource portNumber);
    ~DeviceExchange() override;
    DeviceExchange(const DeviceExchange&) = delete;
    DeviceExchange& operator=(const DeviceExchange&) = delete;

    // For the control's LeftButtonDownEvent. True when the press must be
    // swallowed: refused while the port is held, or the port could not be
    // opened (its message has been shown). `abandoned` runs when the press
    // ends without a click, after the port was closed again.
    bool Press(WButton* control, PressAbandoned abandoned = {});
    // For the control's ClickEvent: true when the caller may exchange now.
    // A click without a press opens the port first; false when it is refused
    // or the port cannot be opened (its message has been shown).
    bool BeginExchange(WButton* control);
    // Closes the port after the exchange; a close of the main window that
    // waited for it is asked for again.
    void EndExchange();
    // Sends the line and waits for the answer with `busy` disabled (a page, or
    // only the control), then ends the exchange. The answer is not looked at.
    void SendWhileDisabled(WWindow& busy, const WString& line);

    // The device link counts its ports from 0: COMn is its port n - 1. The
    // user interface holds the number and turns it into the link's index
    // here only.
    static int32_t LinkPortIndex(int32_t portNumber) { return portNumber - 1; }

    // A press or an exchange holds the port.
    bool IsBusy() const { return state != State::Idle; }
    // For the main window's close: true when the close has to wait for the
    // exchange; `window` is then asked to close again once the port is free.
    bool DeferClose(WWindow* window);
    // Tells the user that a command was refused because the port is held.
    static void SignalRefusal();
    // Forgets a press and a waiting close without touching the port (its
    // owner is going away); the controls may be deleted afterwards.
    void Reset();

private:
    enum class State { Idle, Pressed, Exchanging };

    PortNumberSource portNumber;
    State state = State::Idle;
    WButton* pressedControl = nullptr;
    PressAbandoned abandoned;
    uint32_t pressSerial = 0;
    WWindow* windowToClose = nullptr;

    // Refuses with the sign while an exchange is under way; else opens the port.
    bool OpenWhenIdle();
    bool OpenPort();
    void ClosePort();
    void WatchPress(WButton* control);
    void StopWatchingPress();
    void AbandonPress();
    void CloseWaitingWindow();
    bool IsPressOf(WObject* source) const;

    // Handlers on the pressed control while the press lasts.
    bool OnPressReleased(WObject* source, WEventData* data);
    bool OnCaptureLost(WObject* source, WEventData* data);
    bool OnPressCheck(WObject* source, WEventData* data);
    static const WEventTableEntry PressWatchTable[];
};
