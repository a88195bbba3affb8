#include "converter/picture/GroundArt.h"

#include <utility>

void DrawImagePart(const PngImage& image, const ImagePart& part, Canvas& canvas, int32_t x,
                   int32_t y, int32_t size) {
    for (int32_t dy = 0; dy < size; ++dy) {
        for (int32_t dx = 0; dx < size; ++dx) {
            // The pixel of the part shown here: the turns undone, the last first.
            int32_t across = dx;
            int32_t down = dy;
            if (part.flipVertical) down = size - 1 - down;
            if (part.flipHorizontal) across = size - 1 - across;
            if (part.flipDiagonal) std::swap(across, down);
            const int32_t sourceX = part.x + across * part.width / size;
            const int32_t sourceY = part.y + down * part.height / size;
            const uint8_t* pixel =
                &image.rgba[(static_cast<size_t>(sourceY) * image.width + sourceX) * 4];
            canvas.Blend(x + dx, y + dy, {pixel[0], pixel[1], pixel[2]}, pixel[3]);
        }
    }
}
