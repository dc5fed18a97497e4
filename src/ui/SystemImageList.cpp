#include "ui/SystemImageList.h"

#include "platform/Platform.h"
#include "ui/BusyCursor.h"

namespace corvane {

TSystemImageList::~TSystemImageList() {
    try {
        Unbind();
    } catch (...) {
    }
}

void TSystemImageList::SetImageSize(TImageSize size) {
    if (size == ImageSize_) return;
    ImageSize_ = size;
    if (HandleAllocated()) AttachSystemList(ShareImages_);
}

void TSystemImageList::SetShareImages(bool share) {
    if (HandleAllocated()) AttachSystemList(share);
    ShareImages_ = share;
}

namespace {
platform::IconSize SystemSize(TImageSize size) {
    switch (size) {
    case TImageSize::isSmall: return platform::IconSize::Small;
    case TImageSize::isExtraLarge: return platform::IconSize::ExtraLarge;
    default: return platform::IconSize::Large;
    }
}
} // namespace

// The system's handle is bound as it comes: the system list is always there.
void TSystemImageList::AttachSystemList(bool shared) {
    Unbind();
    platform::DesktopServices& desktop = platform::Desktop();
    const platform::ImageListHandle system = desktop.SystemImageList(SystemSize(ImageSize_));
    if (shared) {
        Handle_ = system;
        return;
    }
    platform::ImageListHandle copy = 0;
    {
        TBusyCursor busy(desktop.CurrentCursor());
        copy = desktop.CopyImageList(system);
    }
    if (copy == 0) throw EImageListError("Cannot copy the system's icon list");
    Handle_ = copy;
    Owned_ = true;
}

void TSystemImageList::Unbind() {
    if (Owned_ && Handle_ != 0) platform::Desktop().DestroyImageList(Handle_);
    Handle_ = 0;
    Owned_ = false;
}

platform::ImageListInfo TSystemImageList::Info() const {
    return HandleAllocated() ? platform::Desktop().DescribeImageList(Handle_) : platform::ImageListInfo{};
}

int TSystemImageList::Width() const { return Info().width; }
int TSystemImageList::Height() const { return Info().height; }
int TSystemImageList::Count() const { return Info().count; }

void TSystemImageList::Draw(platform::SurfaceHandle surface, int x, int y, int index) const {
    if (!HandleAllocated() || index < 0) return;
    platform::Desktop().DrawImage(Handle_, index, surface, x, y);
}

} // namespace corvane
