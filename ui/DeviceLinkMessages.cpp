#include "DeviceLinkMessages.h"

namespace {

constexpr UINT StopBoxStyle = MB_ICONSTOP | MB_TASKMODAL;

}  // namespace

void DeviceLinkMessages::ReplyTimedOut()
{
    MessageBoxA(nullptr, TarvekComm::TimeoutMessage, "Tarvek Timeout", StopBoxStyle);
}

void DeviceLinkMessages::ShowOpenError(int32_t portIndex)
{
    MessageBoxA(nullptr, TarvekComm::OpenErrorMessage(portIndex).GetText(), "Tarvek Fehler", StopBoxStyle);
}
