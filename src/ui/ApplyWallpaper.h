// The wallpaper conversion: turns a JPEG, GIF or BMP file into a bitmap file and makes that
// file the current user's desktop wallpaper.
#pragma once

#include <string>

namespace corvane {

// With the hourglass cursor showing:
//  1. If a file exists at sourcePath, its path in lower case decides what happens to it (the
//     texts may stand anywhere in the path; the first that matches wins): ".jpg" or ".jpeg" -
//     decoded as JPEG and written to targetPath as a bitmap; ".gif" - the same for GIF;
//     ".bmp" - copied unchanged over targetPath, provided the copy is a valid bitmap (else
//     EBitmapError; a copy that fails is not an error by itself); anything else - nothing is
//     written.
//  2. The file at targetPath is read back as a bitmap; a missing or invalid file ends the
//     routine with its error (EFOpenError, EBitmapError).
//  3. The file becomes the wallpaper of the running desktop and is stored as the current
//     user's "Wallpaper" setting.
// A source that cannot be decoded raises the decoder's error (EJpegError, EGifError) and
// leaves targetPath, the wallpaper and the setting as they were. The cursor returns to the
// default in every case.
void ApplyWallpaper(const std::string& sourcePath, const std::string& targetPath);

} // namespace corvane
