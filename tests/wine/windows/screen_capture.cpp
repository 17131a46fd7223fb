#include "screen_capture.h"

#include <cstdint>
#include <vector>

namespace windowcheck {
namespace {

// The pixels of a rectangle of a device context, 32 bits each, top row first.
std::vector<uint32_t> capture(HDC source, int left, int top, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

}  // namespace

bool screenShows(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) return false;
    HDC own = GetWindowDC(window);
    const std::vector<uint32_t> drawn = capture(own, 0, 0, width, height);
    ReleaseDC(window, own);
    HDC screen = GetDC(nullptr);
    const std::vector<uint32_t> shown = capture(screen, bounds.left, bounds.top, width, height);
    ReleaseDC(nullptr, screen);
    return drawn == shown;
}

}  // namespace windowcheck
