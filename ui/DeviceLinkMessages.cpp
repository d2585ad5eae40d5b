#include "DeviceLinkMessages.h"

#include "TarvekBoxes.h"

void DeviceLinkMessages::ReplyTimedOut()
{
    TarvekBoxes::ShowTimeout(TarvekComm::TimeoutMessage);
}

void DeviceLinkMessages::ShowOpenError(int32_t portIndex)
{
    TarvekBoxes::ShowError(TarvekComm::OpenErrorMessage(portIndex));
}
