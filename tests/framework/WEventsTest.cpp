// The event ids: their numbering and the table of their names.

#include "WEvents.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

// Every event id, in the order of its number (0 to 189), with its name as
// written in the code.
struct NamedId {
    WEventID id;
    const char* name;
};

#define NAMED(id) \
    NamedId       \
    {             \
        id, #id   \
    }

const NamedId AllIds[] = {
    NAMED(BeforeProcessingEvent),
    NAMED(AfterProcessingEvent),
    NAMED(MouseMoveEvent),
    NAMED(GetCursorEvent),
    NAMED(GotFocusEvent),
    NAMED(LostFocusEvent),
    NAMED(ValidateEvent),
    NAMED(PositionChangingEvent),
    NAMED(SizeChangingEvent),
    NAMED(PositionChangedEvent),
    NAMED(EraseBackgroundEvent),
    NAMED(PaintEvent),
    NAMED(NonClientPaintEvent),
    NAMED(ResizeEvent),
    NAMED(NotifyEvent),
    NAMED(CommandEvent),
    NAMED(SystemCommandEvent),
    NAMED(ControlColorEvent),
    NAMED(NeedToolTipTextEvent),
    NAMED(MoveEvent),
    NAMED(ScrollEvent),
    NAMED(UpdateEvent),
    NAMED(ChangeEvent),
    NAMED(PaletteChangedEvent),
    NAMED(QueryNewPaletteEvent),
    NAMED(ClientRectChangeEvent),
    NAMED(ShowEvent),
    NAMED(HideEvent),
    NAMED(NullEvent),
    NAMED(UnknownEvent),
    NAMED(ClickEvent),
    NAMED(DoubleClickEvent),
    NAMED(LeftButtonUpEvent),
    NAMED(LeftButtonDownEvent),
    NAMED(LeftButtonDoubleEvent),
    NAMED(MiddleButtonUpEvent),
    NAMED(MiddleButtonDownEvent),
    NAMED(MiddleButtonDoubleEvent),
    NAMED(RightButtonUpEvent),
    NAMED(RightButtonDownEvent),
    NAMED(RightButtonDoubleEvent),
    NAMED(SelectEvent),
    NAMED(DropDownEvent),
    NAMED(DropDownSelectEvent),
    NAMED(SelectChangingEvent),
    NAMED(ContextMenuEvent),
    NAMED(DragContinueEvent),
    NAMED(DragDropEvent),
    NAMED(DragEndEvent),
    NAMED(DragEnterEvent),
    NAMED(DragFeedbackEvent),
    NAMED(DragLeaveEvent),
    NAMED(DragOverEvent),
    NAMED(DragStartEvent),
    NAMED(DragScrollEvent),
    NAMED(DragFillEvent),
    NAMED(InitializeEvent),
    NAMED(StartEvent),
    NAMED(RunEvent),
    NAMED(EndEvent),
    NAMED(QuerySiblingEvent),
    NAMED(PageSelectEvent),
    NAMED(PageUnselectEvent),
    NAMED(ApplyNowOrOKEvent),
    NAMED(OKEvent),
    NAMED(CancelEvent),
    NAMED(HelpEvent),
    NAMED(ContextHelpEvent),
    NAMED(BackEvent),
    NAMED(NextEvent),
    NAMED(FinishEvent),
    NAMED(QueryCancelEvent),
    NAMED(BeginLabelEditEvent),
    NAMED(EndLabelEditEvent),
    NAMED(ExpandEvent),
    NAMED(CollapseEvent),
    NAMED(MeasureItemEvent),
    NAMED(DrawItemEvent),
    NAMED(CompareItemEvent),
    NAMED(DeleteItemEvent),
    NAMED(InsertItemEvent),
    NAMED(DropFileEvent),
    NAMED(ColumnClickEvent),
    NAMED(UserEvent),
    NAMED(CloseEvent),
    NAMED(RightClickEvent),
    NAMED(MessageHookEvent),
    NAMED(CreateEvent),
    NAMED(DestroyEvent),
    NAMED(TimerEvent),
    NAMED(HitTestEvent),
    NAMED(KeyUpEvent),
    NAMED(KeyDownEvent),
    NAMED(SystemKeyDownEvent),
    NAMED(CharacterPressEvent),
    NAMED(MenuSelectEvent),
    NAMED(InitPopupMenuEvent),
    NAMED(InitMenuEvent),
    NAMED(PrivateMessageEvent),
    NAMED(MinimizeEvent),
    NAMED(MaximizeEvent),
    NAMED(RestoreEvent),
    NAMED(ActivateEvent),
    NAMED(DeactivateEvent),
    NAMED(EnterIdleEvent),
    NAMED(CancelModeEvent),
    NAMED(PrintEvent),
    NAMED(PrintClientEvent),
    NAMED(FindReplaceEvent),
    NAMED(BeginOwnerDrawEvent),
    NAMED(EndOwnerDrawEvent),
    NAMED(DataAvailableEvent),
    NAMED(DataRequestEvent),
    NAMED(DataOpenEvent),
    NAMED(DataCloseEvent),
    NAMED(DataLookupItemEvent),
    NAMED(DataGuardRowEvent),
    NAMED(EndSessionEvent),
    NAMED(QueryEndSessionEvent),
    NAMED(ProcessAttachEvent),
    NAMED(ProcessDetachEvent),
    NAMED(ThreadAttachEvent),
    NAMED(ThreadDetachEvent),
    NAMED(NeedItemTextEvent),
    NAMED(CalculateSizeEvent),
    NAMED(MediaNotifyErrorEvent),
    NAMED(MediaNotifyMediaEvent),
    NAMED(MediaNotifyModeEvent),
    NAMED(MediaNotifyPosEvent),
    NAMED(MediaNotifySizeEvent),
    NAMED(AnimationStartEvent),
    NAMED(AnimationStopEvent),
    NAMED(ToolbarDragBeginEvent),
    NAMED(ToolbarDragEndEvent),
    NAMED(DeltaPositionEvent),
    NAMED(NewFileTypeEvent),
    NAMED(SharingViolationEvent),
    NAMED(InitializationDoneEvent),
    NAMED(FolderChangeEvent),
    NAMED(DockingChangeEvent),
    NAMED(CommonDialogPromptEvent),
    NAMED(DeviceChangeEvent),
    NAMED(DisplayChangeEvent),
    NAMED(PowerBroadcastEvent),
    NAMED(SettingChangeEvent),
    NAMED(UserChangedEvent),
    NAMED(InputLangChangeEvent),
    NAMED(InputLangChangeRequestEvent),
    NAMED(SysColorChangeEvent),
    NAMED(SysDeadCharEvent),
    NAMED(CanInplaceActivateEvent),
    NAMED(PropertyRequestEditEvent),
    NAMED(PropertyChangedEvent),
    NAMED(InplaceActivateEvent),
    NAMED(InplaceDeactivateEvent),
    NAMED(UIActivateEvent),
    NAMED(UIDeactivateEvent),
    NAMED(PosRectChangeEvent),
    NAMED(SetStatusTextEvent),
    NAMED(RequestBorderSpaceEvent),
    NAMED(SetBorderSpaceEvent),
    NAMED(GetBorderEvent),
    NAMED(ViewChangeEvent),
    NAMED(UpdateExtentsEvent),
    NAMED(SimpleFramePreMessageFilterEvent),
    NAMED(SimpleFramePostMessageFilterEvent),
    NAMED(NewObjectEvent),
    NAMED(QueryInterfaceEvent),
    NAMED(AutomationErrorEvent),
    NAMED(PersistenceInitNewEvent),
    NAMED(PersistenceLoadEvent),
    NAMED(PersistenceSaveEvent),
    NAMED(PersistenceSaveCompletedEvent),
    NAMED(PersistenceHandsOffEvent),
    NAMED(PersistenceMaximumSizeEvent),
    NAMED(ShowWindowEvent),
    NAMED(ViewableObjectDrawEvent),
    NAMED(ConnectEvent),
    NAMED(DisconnectEvent),
    NAMED(FetchDataEvent),
    NAMED(MoveCursorEvent),
    NAMED(AdjustCursorEvent),
    NAMED(ValidateDataEvent),
    NAMED(QueryBusyEvent),
    NAMED(BeginFetchDataEvent),
    NAMED(BeginMoveCursorEvent),
    NAMED(QueryOpenEvent),
    NAMED(QueryCloseEvent),
    NAMED(QueryPrepareEvent),
    NAMED(DatabaseErrorEvent),
};

#undef NAMED

TEST(WEvents, NameTableListsEveryIdInOrderUnderItsOwnName)
{
    ASSERT_EQ(std::size(AllIds), static_cast<size_t>(WEventCount));
    for (size_t index = 0; index < std::size(AllIds); ++index) {
        EXPECT_EQ(AllIds[index].id, static_cast<WEventID>(index)) << AllIds[index].name;
        EXPECT_STREQ(WEventName(AllIds[index].id), AllIds[index].name);
    }
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
        {NullEvent, 28},   {ClickEvent, 30},   {LeftButtonDownEvent, 33}, {StartEvent, 57},
        {RunEvent, 58},    {EndEvent, 59},     {UserEvent, 83},           {CloseEvent, 84},
        {CreateEvent, 87}, {DestroyEvent, 88}, {QueryCloseEvent, 187},
    };
    for (const ReliedOnId& relied : ids)
        EXPECT_EQ(relied.id, relied.number) << WEventName(relied.id);
}

}  // namespace
