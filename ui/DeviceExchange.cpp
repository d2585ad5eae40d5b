#include "DeviceExchange.h"

#include "DeviceLinkMessages.h"
#include "PortNumbers.h"
#include "TarvekComm.h"

namespace {

// Holds nothing, so one for the process outlives every link it is given to.
DeviceLinkMessages messageBoxes;

// The button's own rule: a release raises the click only over the button and
// only while it shows pushed. Should a host ever decide otherwise, the check
// posted when the capture goes still ends a press that got no click.
bool ReleaseWillClick(const WButton& control, const WMouseEventData& release)
{
    RECT client{};
    GetClientRect(control.GetHandle(), &client);
    const POINT at{release.x, release.y};
    return control.GetState() && PtInRect(&client, at);
}

}  // namespace

const WEventTableEntry DeviceExchange::PressWatchTable[] = {
    {LeftButtonUpEvent, W_HANDLER(&DeviceExchange::OnPressReleased), nullptr, 0},
    {CancelModeEvent, W_HANDLER(&DeviceExchange::OnCaptureLost), nullptr, 0},
    {UserEvent, W_HANDLER(&DeviceExchange::OnPressCheck), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

DeviceExchange::DeviceExchange(PortNumberSource portNumber) : portNumber(std::move(portNumber)) {}

DeviceExchange::~DeviceExchange()
{
    StopWatchingPress();
}

bool DeviceExchange::Press(WButton* control, PressAbandoned onAbandoned)
{
    if (!OpenWhenIdle())
        return true;
    state = State::Pressed;
    abandoned = std::move(onAbandoned);
    WatchPress(control);
    return false;
}

bool DeviceExchange::BeginExchange(WButton* control)
{
    if (state == State::Pressed && control == pressedControl) {
        StopWatchingPress();
        state = State::Exchanging;
        return true;
    }
    if (!OpenWhenIdle())
        return false;
    state = State::Exchanging;
    return true;
}

void DeviceExchange::EndExchange()
{
    if (state != State::Exchanging)
        return;
    ClosePort();
    state = State::Idle;
    CloseWaitingWindow();
}

// A disabled window keeps the focus of a control inside it, and a key typed
// then would reach a control the dialog manager cannot get back to (on some
// hosts it searches for it forever): the focus waits on the window around it
// meanwhile. A window that has the focus itself loses it when it is disabled.
// Either way the focus comes back afterwards, so that the keyboard can go on
// where it was.
void DeviceExchange::SendWhileDisabled(WWindow& busy, const WString& line)
{
    HWND focus = GetFocus();
    WWindow* around = busy.GetParent();
    if (focus && IsChild(busy.GetHandle(), focus) && around)
        SetFocus(around->GetHandle());
    busy.SetEnabled(false);
    if (tarvekComm)
        tarvekComm->SendCommand(line);
    busy.SetEnabled(true);
    EndExchange();
    if (focus && IsWindow(focus) && IsWindowEnabled(focus))
        SetFocus(focus);
}

bool DeviceExchange::DeferClose(WWindow* window)
{
    if (!IsBusy())
        return false;
    windowToClose = window;
    return true;
}

void DeviceExchange::SignalRefusal()
{
    MessageBeep(MB_OK);
}

void DeviceExchange::Reset()
{
    StopWatchingPress();
    abandoned = nullptr;
    windowToClose = nullptr;
    state = State::Idle;
}

bool DeviceExchange::OpenWhenIdle()
{
    if (IsBusy()) {
        SignalRefusal();
        return false;
    }
    return OpenPort();
}

bool DeviceExchange::OpenPort()
{
    if (!tarvekComm)
        return false;
    const int32_t index = LinkPortIndex(portNumber ? portNumber() : PortNumbers::NoPort);
    tarvekComm->SetPortNumber(index);
    // Every exchange of the program comes through here, so that each one
    // shows the time-out in the program's box.
    tarvekComm->SetListener(&messageBoxes);
    if (tarvekComm->Open())
        return true;
    DeviceLinkMessages::ShowOpenError(index);
    return false;
}

void DeviceExchange::ClosePort()
{
    if (tarvekComm)
        tarvekComm->Close();
}

void DeviceExchange::WatchPress(WButton* control)
{
    pressedControl = control;
    ++pressSerial;
    AttachEventTable(control, PressWatchTable, this);
}

void DeviceExchange::StopWatchingPress()
{
    if (pressedControl)
        DetachEventTable(pressedControl, PressWatchTable, this);
    pressedControl = nullptr;
}

void DeviceExchange::AbandonPress()
{
    StopWatchingPress();
    ClosePort();
    state = State::Idle;
    const PressAbandoned restore = std::move(abandoned);
    abandoned = nullptr;
    if (restore)
        restore();
    CloseWaitingWindow();
}

// Posted, so that the window's close runs after the handler that ended the
// exchange has finished with the controls.
void DeviceExchange::CloseWaitingWindow()
{
    WWindow* window = windowToClose;
    windowToClose = nullptr;
    if (window && window->IsValid())
        window->Close();
}

bool DeviceExchange::IsPressOf(WObject* source) const
{
    return state == State::Pressed && source == pressedControl;
}

// Runs before the button's own processing of the release, which raises the
// click when there is one; a release that will not click ends the press here.
bool DeviceExchange::OnPressReleased(WObject* source, WEventData* data)
{
    if (IsPressOf(source) && !ReleaseWillClick(*pressedControl, *static_cast<WMouseEventData*>(data)))
        AbandonPress();
    return false;
}

// The capture also goes during an ordinary release, just before the click on
// some hosts. Whether the press is over without a click is therefore decided
// later, when the posted check arrives and the click would have come.
bool DeviceExchange::OnCaptureLost(WObject* source, WEventData*)
{
    if (IsPressOf(source))
        pressedControl->PostUserEvent(pressSerial);
    return false;
}

bool DeviceExchange::OnPressCheck(WObject* source, WEventData* data)
{
    if (!IsPressOf(source) || static_cast<WUserEventData*>(data)->value != pressSerial)
        return false;
    AbandonPress();
    return true;
}
