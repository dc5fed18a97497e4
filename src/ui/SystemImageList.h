// An image list that shows the system's shared list of file icons instead of images of its
// own. Shell icon indexes (as the shell list stores them) index this same list.
#pragma once

#include "platform/DesktopServices.h"
#include "platform/Errors.h"

namespace corvane {

enum class TImageSize { isLarge, isSmall, isExtraLarge };

// The system's icons could not be copied into a list of the component's own.
class EImageListError final : public ECorvaneError {
public:
    using ECorvaneError::ECorvaneError;
    const char* Kind() const noexcept override { return "EImageListError"; }
};

class TSystemImageList {
public:
    // Large icons, shared; no list is bound until Loaded or AttachSystemList.
    TSystemImageList() = default;
    ~TSystemImageList();
    TSystemImageList(const TSystemImageList&) = delete;
    TSystemImageList& operator=(const TSystemImageList&) = delete;

    TImageSize ImageSize() const { return ImageSize_; }
    // Stores a different size and binds that system list if a list is bound.
    void SetImageSize(TImageSize size);

    // On: the component borrows the system's list itself. Off: it keeps its own copy.
    bool ShareImages() const { return ShareImages_; }
    // Binds again with the new value if a list is bound, then stores it.
    void SetShareImages(bool share);

    // Called once the window that carries the component has been created.
    void Loaded() { AttachSystemList(ShareImages_); }

    // Binds the system's list of the current size: the list itself when shared, else a copy
    // made under the hourglass cursor (the cursor is put back as it was, also on failure).
    // Raises EImageListError when the copy cannot be made.
    void AttachSystemList(bool shared);

    platform::ImageListHandle Handle() const { return Handle_; }
    bool HandleAllocated() const { return Handle_ != 0; }
    // Taken from the bound list; 0 when none is bound.
    int Width() const;
    int Height() const;
    int Count() const;

    // Draws image index onto surface at (x, y) in its normal look; nothing when no list is
    // bound or the index lies outside the list.
    void Draw(platform::SurfaceHandle surface, int x, int y, int index) const;

private:
    void Unbind();
    platform::ImageListInfo Info() const;

    TImageSize ImageSize_ = TImageSize::isLarge;
    bool ShareImages_ = true;
    platform::ImageListHandle Handle_ = 0;
    bool Owned_ = false; // a copy of the component's own, destroyed when unbound
};

} // namespace corvane
