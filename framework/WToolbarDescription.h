#pragma once
// The tool bar description resource: a binary layout of a form's tool bar
// (picture and button sizes, then one entry per button or separator with its
// picture, flags, text and tool tip). All integers are 32-bit little-endian:
//
//   header (36 bytes): format tag 0x0000D101, image width, image height,
//   button width, button height, number of items, 0, 1, 0
//   item (30 + L1 + L2 bytes): kind (0 button, 1 separator), image index, 0,
//   five flag bytes (the first: enabled), a flag byte, a flag byte (visible),
//   one byte not read, L1, L2, button text (L1 bytes and a zero), tool tip
//   (L2 bytes and a zero)
//
//   trailer (12 bytes, after the last item): the command id of the first item
//   (item n, counted from 0 with separators, gets this id + n), whether the
//   buttons show their tool tips (0 no), and how far in pixels the first
//   button stands in from the bar's edge. The program's resource has 100, 1,
//   0: command ids from 100, tool tips, no indent. Data that ends after its
//   items reads as that trailer.
//
// Reading it is pure byte work.

#include "WString.h"

#include <cstddef>
#include <vector>

class WToolbarItemInfo : public WObject {
    W_DECLARE_CLASS(WToolbarItemInfo, WObject)
public:
    bool separator = false;
    int32_t image = 0;
    int32_t commandId = 0;
    bool enabled = true;
    bool visible = true;
    WString text;
    WString toolTip;
};

struct WToolbarDescription {
    static constexpr uint32_t FormatTag = 0x0000D101;
    static constexpr size_t HeaderSize = 36;
    static constexpr size_t ItemFixedSize = 30;
    static constexpr size_t TrailerSize = 12;
    static constexpr int32_t FirstCommandId = 100;

    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    int32_t buttonWidth = 0;
    int32_t buttonHeight = 0;
    int32_t firstCommandId = FirstCommandId;
    bool showToolTips = true;
    int32_t indent = 0;
    std::vector<WToolbarItemInfo> items;
};

// False when the data is shorter than the header, carries another format tag,
// or an item reaches beyond the end of the data.
bool ParseToolbarDescription(const void* data, size_t size, WToolbarDescription& description);

// The framework's tool bar pictures by image index: the host's standard small
// pictures (indexes 0 to 14: cut, copy, paste, undo, redo, delete, new, open,
// save, print preview, properties, help, find, replace, print) and the
// program's picture strip, which holds open, save and exit for the indexes 7, 8
// and 27. Gives the position of the picture among those added to the tool bar
// (-1 for an index without picture); a base of -1 means that set is missing.
int32_t ToolbarPicturePosition(int32_t image, int32_t standardBase, int32_t stripBase);
