#include "TarvekBoxes.h"

#include "WMessageBox.h"

namespace TarvekBoxes {

namespace {

constexpr UINT StopBoxStyle = MB_OK | MB_ICONSTOP | MB_TASKMODAL;
constexpr UINT InfoBoxStyle = MB_YESNO | MB_ICONINFORMATION | MB_TASKMODAL;

}  // namespace

void ShowError(const char* text)
{
    WMessageBox::Message(nullptr, StopBoxStyle, "Tarvek Fehler", text);
}

void ShowTimeout(const char* text)
{
    WMessageBox::Message(nullptr, StopBoxStyle, "Tarvek Timeout", text);
}

void ShowInfo(const char* text)
{
    WMessageBox::Message(nullptr, InfoBoxStyle, "Info", text);
}

}  // namespace TarvekBoxes
