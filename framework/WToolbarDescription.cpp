#include "WToolbarDescription.h"

namespace {

constexpr int32_t StandardPictureCount = 15;

struct StripPicture {
    int32_t image;
    int32_t position;
};

constexpr StripPicture StripPictures[] = {{7, 0}, {8, 1}, {27, 2}};

class ByteReader {
public:
    ByteReader(const unsigned char* data, size_t size) : data(data), size(size) {}

    bool Has(size_t offset, size_t count) const { return offset <= size && count <= size - offset; }
    int32_t Integer(size_t offset) const
    {
        const uint32_t value =
            static_cast<uint32_t>(data[offset]) | (static_cast<uint32_t>(data[offset + 1]) << 8)
            | (static_cast<uint32_t>(data[offset + 2]) << 16) | (static_cast<uint32_t>(data[offset + 3]) << 24);
        return static_cast<int32_t>(value);
    }
    bool Flag(size_t offset) const { return data[offset] != 0; }
    WString Text(size_t offset, int32_t length) const
    {
        return WString(reinterpret_cast<const char*>(data + offset), length);
    }

private:
    const unsigned char* data;
    size_t size;
};

// Reads the item at offset; false when it does not fit into the data.
bool ParseItem(const ByteReader& reader, size_t offset, WToolbarItemInfo& item, size_t& itemSize)
{
    if (!reader.Has(offset, WToolbarDescription::ItemFixedSize))
        return false;
    const int32_t textLength = reader.Integer(offset + 20);
    const int32_t toolTipLength = reader.Integer(offset + 24);
    if (textLength < 0 || toolTipLength < 0)
        return false;
    itemSize = WToolbarDescription::ItemFixedSize + static_cast<size_t>(textLength)
               + static_cast<size_t>(toolTipLength);
    if (!reader.Has(offset, itemSize))
        return false;
    item.separator = reader.Integer(offset) == 1;
    item.image = reader.Integer(offset + 4);
    item.enabled = reader.Flag(offset + 12);
    item.visible = reader.Flag(offset + 18);
    item.text = reader.Text(offset + 28, textLength);
    item.toolTip = reader.Text(offset + 29 + static_cast<size_t>(textLength), toolTipLength);
    return true;
}

}  // namespace

bool ParseToolbarDescription(const void* data, size_t size, WToolbarDescription& description)
{
    description = WToolbarDescription{};
    if (!data || size < WToolbarDescription::HeaderSize)
        return false;
    const ByteReader reader(static_cast<const unsigned char*>(data), size);
    if (static_cast<uint32_t>(reader.Integer(0)) != WToolbarDescription::FormatTag)
        return false;
    const int32_t count = reader.Integer(20);
    if (count < 0)
        return false;
    size_t offset = WToolbarDescription::HeaderSize;
    std::vector<WToolbarItemInfo> items;
    for (int32_t index = 0; index < count; ++index) {
        WToolbarItemInfo item;
        size_t itemSize = 0;
        if (!ParseItem(reader, offset, item, itemSize))
            return false;
        items.push_back(item);
        offset += itemSize;
    }
    if (reader.Has(offset, WToolbarDescription::TrailerSize)) {
        description.firstCommandId = reader.Integer(offset);
        description.showToolTips = reader.Integer(offset + 4) != 0;
        description.indent = reader.Integer(offset + 8);
    }
    for (size_t index = 0; index < items.size(); ++index)
        items[index].commandId = description.firstCommandId + static_cast<int32_t>(index);
    description.imageWidth = reader.Integer(4);
    description.imageHeight = reader.Integer(8);
    description.buttonWidth = reader.Integer(12);
    description.buttonHeight = reader.Integer(16);
    description.items = std::move(items);
    return true;
}

int32_t ToolbarPicturePosition(int32_t image, int32_t standardBase, int32_t stripBase)
{
    if (standardBase >= 0 && image >= 0 && image < StandardPictureCount)
        return standardBase + image;
    for (const StripPicture& picture : StripPictures) {
        if (picture.image == image && stripBase >= 0)
            return stripBase + picture.position;
    }
    return -1;
}
