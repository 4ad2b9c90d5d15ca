#pragma once
// Windows BMP files of 24 bits per pixel, as form layouts store pictures: file header
// "BM", BITMAPINFOHEADER, rows bottom-up and padded to whole 32-bit words.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "framework/pixel_image.h"

std::vector<std::uint8_t> EncodeBmp24(const PixelImage& image);

// The picture of a 24-bit uncompressed BMP file (bottom-up or top-down); nothing when
// the bytes are anything else or too short for what their headers announce.
std::optional<PixelImage> DecodeBmp24(std::span<const std::uint8_t> file);
