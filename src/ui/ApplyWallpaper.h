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
//     written. When targetPath cannot be written and a fallbackPath is given, the file goes
//     there instead (its folder made when missing).
//  2. The file written is read back as a bitmap; when none was written, the one at targetPath,
//     or at fallbackPath when only that one exists. A missing or invalid file ends the routine
//     with its error (EFOpenError, EBitmapError).
//  3. The file becomes the wallpaper of the running desktop and is stored as the current
//     user's "Wallpaper" setting.
// Returns the path of the wallpaper file. A source that cannot be decoded raises the decoder's
// error (EJpegError, EGifError) and leaves the files, the wallpaper and the setting as they
// were; a file is never left half-written. The cursor returns to the default in every case.
std::string ApplyWallpaper(const std::string& sourcePath, const std::string& targetPath,
                           const std::string& fallbackPath = "");

// What step 1 makes of a source by its path: JPEG, GIF, BMP or nothing converted.
enum class TWallpaperKind { Jpeg, Gif, Bmp, Other };
TWallpaperKind WallpaperKind(const std::string& sourcePath);
// Reads the source and decodes it as step 1 does, without writing anything: raises the error
// that ApplyWallpaper would raise for it (EFOpenError, EJpegError, EGifError, EBitmapError).
// A source of no converted kind is not read.
void DecodeWallpaper(const std::string& sourcePath);

} // namespace corvane
