#include "platform/PopupListWindow.h"
#include "platform/WindowSystem.h"

namespace corvane::platform {

PopupListLayout ScaleLayout(const PopupListLayout& layout96, int dpi) {
    PopupListLayout layout = layout96;
    layout.ClientWidth = DpiScale(layout96.ClientWidth, dpi);
    layout.ClientHeight = DpiScale(layout96.ClientHeight, dpi);
    layout.FontHeight = DpiScale(layout96.FontHeight, dpi);
    layout.Label = DpiScale(layout96.Label, dpi);
    layout.LabelFontHeight = DpiScale(layout96.LabelFontHeight, dpi);
    layout.List = DpiScale(layout96.List, dpi);
    layout.ListRowHeight = DpiScale(layout96.ListRowHeight, dpi);
    return layout;
}

ListDialogLayout ScaleLayout(const ListDialogLayout& layout96, int dpi) {
    ListDialogLayout layout = layout96;
    layout.Window = DpiScale(layout96.Window, dpi);
    layout.FontHeight = DpiScale(layout96.FontHeight, dpi);
    layout.Label = DpiScale(layout96.Label, dpi);
    layout.List = DpiScale(layout96.List, dpi);
    layout.ListRowHeight = DpiScale(layout96.ListRowHeight, dpi);
    layout.OkButton = DpiScale(layout96.OkButton, dpi);
    layout.CancelButton = DpiScale(layout96.CancelButton, dpi);
    return layout;
}

} // namespace corvane::platform
