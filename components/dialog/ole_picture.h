#pragma once
// Picture decoding through the platform's OLE picture loader: the bytes of a
// picture file in, an IPicture out. Which formats are accepted is the loader's
// business (BMP, ICO, WMF, JPEG, GIF on every system that has it).
#include <windows.h>
// The system headers below build on windows.h.
#include <ocidl.h>
#include <olectl.h>

#include <string_view>

#include "framework/com_ptr.h"

// The messages a rejected picture raises, byte for byte.
inline constexpr char kImageNoMemory[] = "Could not allocate memory for image";
inline constexpr char kImageNoStream[] = "Could not create image stream";
inline constexpr char kImageEmptyStream[] = "Empty image stream created";
inline constexpr char kImageInvalidFormat[] = "Could not load image. Invalid format";
inline constexpr char kImageNotLoaded[] = "Could not load image";

// Decodes bytes; throws Error with one of the messages above. Never returns an
// empty pointer.
ComPtr<IPicture> DecodeOlePicture(std::string_view bytes);
