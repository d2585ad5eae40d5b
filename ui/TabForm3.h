#pragma once
// The offset calibration page "Offsetabgleich": the receiver and the
// transmitter offset of the device, each adjusted in steps of one between -127
// and 127. Unlike the other pages it talks to the device itself: every click of
// an arrow sends the new offset at once, and unlocking an offset with its check
// box sends the current value. Each click is one exchange of its own: the port
// is opened by the press and closed when the device has answered.

#include "DeviceCommands.h"
#include "DeviceExchange.h"
#include "WCheckBox.h"
#include "WGeneratedRoutines.h"
#include "WGroupBox.h"
#include "WModelessDialog.h"
#include "WPictureButton.h"
#include "WTextBox.h"
#include "resource.h"

// The designer part: the page's controls and their creation from "ID_TabForm3".
class __TabForm3_Base : public WModelessDialog {
    W_DECLARE_CLASS(__TabForm3_Base, WModelessDialog)
protected:
    WGroupBox* groupb_1 = nullptr;
    WGroupBox* groupb_2 = nullptr;
    WPictureButton* pictbttn_rcvup = nullptr;
    WTextBox* textb_rcv = nullptr;
    WPictureButton* pictbttn_rcvdwn = nullptr;
    WPictureButton* pictbttn_trmup = nullptr;
    WTextBox* textb_trm = nullptr;
    WPictureButton* pictbttn_trmdwn = nullptr;
    WCheckBox* checkbox_rcv = nullptr;
    WCheckBox* checkbox_trm = nullptr;

private:
    static const WControlRow ControlRows[];
    bool OnCreate(WObject* source, WEventData* data);
    WGeneratedRoutines<&__TabForm3_Base::OnCreate> generatedRoutines{this};
};

// The controls in designer order.
inline const WControlRow __TabForm3_Base::ControlRows[] = {
    WControlRowOf<&__TabForm3_Base::groupb_1>(IDC_TABFORM3_GROUPB_1, "groupb_1"),
    WControlRowOf<&__TabForm3_Base::groupb_2>(IDC_TABFORM3_GROUPB_2, "groupb_2"),
    WControlRowOf<&__TabForm3_Base::pictbttn_rcvup>(IDC_TABFORM3_PICTBTTN_RCVUP, "pictbttn_rcvup"),
    WControlRowOf<&__TabForm3_Base::textb_rcv>(IDC_TABFORM3_TEXTB_RCV, "textb_rcv"),
    WControlRowOf<&__TabForm3_Base::pictbttn_rcvdwn>(IDC_TABFORM3_PICTBTTN_RCVDWN, "pictbttn_rcvdwn"),
    WControlRowOf<&__TabForm3_Base::pictbttn_trmup>(IDC_TABFORM3_PICTBTTN_TRMUP, "pictbttn_trmup"),
    WControlRowOf<&__TabForm3_Base::textb_trm>(IDC_TABFORM3_TEXTB_TRM, "textb_trm"),
    WControlRowOf<&__TabForm3_Base::pictbttn_trmdwn>(IDC_TABFORM3_PICTBTTN_TRMDWN, "pictbttn_trmdwn"),
    WControlRowOf<&__TabForm3_Base::checkbox_rcv>(IDC_TABFORM3_CHECKBOX_RCV, "checkbox_rcv"),
    WControlRowOf<&__TabForm3_Base::checkbox_trm>(IDC_TABFORM3_CHECKBOX_TRM, "checkbox_trm"),
};

class TabForm3 : public __TabForm3_Base {
    W_DECLARE_CLASS(TabForm3, __TabForm3_Base)
    W_DECLARE_HANDLER_ROWS()
public:
    static constexpr int32_t HighestOffset = 127;
    static constexpr int32_t LowestOffset = -127;

    explicit TabForm3(DeviceExchange& exchange);

    // Takes both offsets from texts read as decimal integers (as a file gives
    // them), shows them and sends nothing. No range is enforced.
    void SetCalibration(const WString& receiverText, const WString& transmitterText);
    // The receiver offset for 1, the transmitter offset for any other value.
    int32_t GetCalibration(int32_t which) const;

    // One step up or down; an offset at its bound stays there.
    static int32_t StepUp(int32_t offset);
    static int32_t StepDown(int32_t offset);

private:
    using Channel = DeviceCommands::CalibrationChannel;

    DeviceExchange& exchange;
    int32_t receiverOffset = 0;
    int32_t transmitterOffset = 0;

    // The user data of an arrow's click row: its channel, and in the lowest
    // bit whether it steps up. A check box's click row carries its channel.
    static constexpr uint32_t ArrowData(Channel channel, bool stepsUp)
    {
        return static_cast<uint32_t>(channel) << 1 | (stepsUp ? 1u : 0u);
    }

    bool OpenPortOnPress(WObject* source, WEventData* data);
    bool OnCheckBoxPress(WObject* source, WEventData* data);
    bool OnArrowClick(WObject* source, WEventData* data);
    bool OnCheckBoxClick(WObject* source, WEventData* data);

    bool StepOffset(Channel channel, WButton* arrow, int32_t (*step)(int32_t));
    bool ToggleCalibration(Channel channel, WCheckBox* checkBox);
    bool SendLiveCommand(Channel channel, int32_t offset);
    int32_t& OffsetOf(Channel channel);
    void ShowOffset(Channel channel);
    void EnableArrows(Channel channel, bool enabled);
};
