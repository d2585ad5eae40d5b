#pragma once
// A tool bar at the top of its form. A click on a button raises ClickEvent on
// the tool bar with the button's command id in a WToolbarEventData record;
// pointing at a button shows the button's tool tip.

#include "WControl.h"
#include "WModuleHandle.h"
#include "WToolbarDescription.h"

#include <map>

class WToolbar : public WControl {
    W_DECLARE_CLASS(WToolbar, WControl)
public:
    // Sizes, pictures, buttons and tool tips of the description; the picture
    // strip comes from the module's bitmap resource of that id.
    bool Apply(const WToolbarDescription& description, const WModuleHandle& module, uint16_t pictureStrip);
    int32_t GetButtonCount() const;
    const char* GetToolTip(int32_t commandId) const;

protected:
    const char* GetWindowClass() const override;
    void WindowAttached() override;
    void ParentResized() override;
    bool ReflectCommand(WORD code, WORD id, LRESULT& result) override;
    bool SupplyToolTipText(NMHDR* header) override;

private:
    void AddPictures(const WModuleHandle& module, uint16_t pictureStrip, int32_t& standardBase,
                     int32_t& stripBase);

    std::map<int32_t, WString> toolTips;
};
