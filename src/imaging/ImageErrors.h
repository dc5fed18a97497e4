// The error kinds of the image decoders and of the bitmap reader. Each message names the
// file at fault and says what is wrong with it.
#pragma once

#include <string>

#include "platform/Errors.h"

namespace corvane {

// A JPEG file that libjpeg cannot decode; carries libjpeg's own message.
class EJpegError final : public ECorvaneError {
public:
    using ECorvaneError::ECorvaneError;
    const char* Kind() const noexcept override { return "EJpegError"; }
};

// A GIF file that is damaged or of a form the decoder does not read.
class EGifError final : public ECorvaneError {
public:
    using ECorvaneError::ECorvaneError;
    const char* Kind() const noexcept override { return "EGifError"; }
};

// A file that is not a valid bitmap (BMP) image.
class EBitmapError final : public ECorvaneError {
public:
    using ECorvaneError::ECorvaneError;
    const char* Kind() const noexcept override { return "EBitmapError"; }
};

} // namespace corvane
