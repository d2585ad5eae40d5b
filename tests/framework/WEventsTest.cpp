// The event ids: their numbering and the table of their names.

#include "WEvents.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Every event name in the order of the ids, 0 to 189.
const char* const allEventNames =
    "BeforeProcessingEvent AfterProcessingEvent MouseMoveEvent GetCursorEvent GotFocusEvent LostFocusEvent "
    "ValidateEvent PositionChangingEvent SizeChangingEvent PositionChangedEvent EraseBackgroundEvent "
    "PaintEvent NonClientPaintEvent ResizeEvent NotifyEvent CommandEvent SystemCommandEvent "
    "ControlColorEvent NeedToolTipTextEvent MoveEvent ScrollEvent UpdateEvent ChangeEvent "
    "PaletteChangedEvent QueryNewPaletteEvent ClientRectChangeEvent ShowEvent HideEvent NullEvent "
    "UnknownEvent ClickEvent DoubleClickEvent LeftButtonUpEvent LeftButtonDownEvent LeftButtonDoubleEvent "
    "MiddleButtonUpEvent MiddleButtonDownEvent MiddleButtonDoubleEvent RightButtonUpEvent "
    "RightButtonDownEvent RightButtonDoubleEvent SelectEvent DropDownEvent DropDownSelectEvent "
    "SelectChangingEvent ContextMenuEvent DragContinueEvent DragDropEvent DragEndEvent DragEnterEvent "
    "DragFeedbackEvent DragLeaveEvent DragOverEvent DragStartEvent DragScrollEvent DragFillEvent "
    "InitializeEvent StartEvent RunEvent EndEvent QuerySiblingEvent PageSelectEvent PageUnselectEvent "
    "ApplyNowOrOKEvent OKEvent CancelEvent HelpEvent ContextHelpEvent BackEvent NextEvent FinishEvent "
    "QueryCancelEvent BeginLabelEditEvent EndLabelEditEvent ExpandEvent CollapseEvent MeasureItemEvent "
    "DrawItemEvent CompareItemEvent DeleteItemEvent InsertItemEvent DropFileEvent ColumnClickEvent "
    "UserEvent CloseEvent RightClickEvent MessageHookEvent CreateEvent DestroyEvent TimerEvent HitTestEvent "
    "KeyUpEvent KeyDownEvent SystemKeyDownEvent CharacterPressEvent MenuSelectEvent InitPopupMenuEvent "
    "InitMenuEvent PrivateMessageEvent MinimizeEvent MaximizeEvent RestoreEvent ActivateEvent "
    "DeactivateEvent EnterIdleEvent CancelModeEvent PrintEvent PrintClientEvent FindReplaceEvent "
    "BeginOwnerDrawEvent EndOwnerDrawEvent DataAvailableEvent DataRequestEvent DataOpenEvent DataCloseEvent "
    "DataLookupItemEvent DataGuardRowEvent EndSessionEvent QueryEndSessionEvent ProcessAttachEvent "
    "ProcessDetachEvent ThreadAttachEvent ThreadDetachEvent NeedItemTextEvent CalculateSizeEvent "
    "MediaNotifyErrorEvent MediaNotifyMediaEvent MediaNotifyModeEvent MediaNotifyPosEvent "
    "MediaNotifySizeEvent AnimationStartEvent AnimationStopEvent ToolbarDragBeginEvent ToolbarDragEndEvent "
    "DeltaPositionEvent NewFileTypeEvent SharingViolationEvent InitializationDoneEvent FolderChangeEvent "
    "DockingChangeEvent CommonDialogPromptEvent DeviceChangeEvent DisplayChangeEvent PowerBroadcastEvent "
    "SettingChangeEvent UserChangedEvent InputLangChangeEvent InputLangChangeRequestEvent "
    "SysColorChangeEvent SysDeadCharEvent CanInplaceActivateEvent PropertyRequestEditEvent "
    "PropertyChangedEvent InplaceActivateEvent InplaceDeactivateEvent UIActivateEvent UIDeactivateEvent "
    "PosRectChangeEvent SetStatusTextEvent RequestBorderSpaceEvent SetBorderSpaceEvent GetBorderEvent "
    "ViewChangeEvent UpdateExtentsEvent SimpleFramePreMessageFilterEvent SimpleFramePostMessageFilterEvent "
    "NewObjectEvent QueryInterfaceEvent AutomationErrorEvent PersistenceInitNewEvent PersistenceLoadEvent "
    "PersistenceSaveEvent PersistenceSaveCompletedEvent PersistenceHandsOffEvent "
    "PersistenceMaximumSizeEvent ShowWindowEvent ViewableObjectDrawEvent ConnectEvent DisconnectEvent "
    "FetchDataEvent MoveCursorEvent AdjustCursorEvent ValidateDataEvent QueryBusyEvent BeginFetchDataEvent "
    "BeginMoveCursorEvent QueryOpenEvent QueryCloseEvent QueryPrepareEvent DatabaseErrorEvent";

TEST(WEvents, NameTableListsEveryIdInOrder)
{
    std::vector<std::string> expected;
    std::istringstream words(allEventNames);
    for (std::string name; words >> name;)
        expected.push_back(name);
    ASSERT_EQ(expected.size(), static_cast<size_t>(WEventCount));
    for (WEventID id = 0; id < WEventCount; ++id)
        EXPECT_EQ(WEventName(id), expected[static_cast<size_t>(id)]) << id;
    EXPECT_STREQ(WEventName(WEventCount), "");
    EXPECT_STREQ(WEventName(-1), "");
}

struct ReliedOnId {
    WEventID id;
    WEventID number;
};

TEST(WEvents, IdsTheProgramReliesOnHaveTheirNumbers)
{
    const ReliedOnId ids[] = {
        {NullEvent, 28},  {ClickEvent, 30},  {LeftButtonDownEvent, 33}, {StartEvent, 57},
        {RunEvent, 58},   {EndEvent, 59},    {UserEvent, 83},           {CloseEvent, 84},
        {CreateEvent, 87}, {DestroyEvent, 88}, {QueryCloseEvent, 187},
    };
    for (const ReliedOnId& relied : ids)
        EXPECT_EQ(relied.id, relied.number) << WEventName(relied.id);
}

}  // namespace
