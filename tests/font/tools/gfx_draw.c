/* Draws argv[1] with the GFX font FONT_FILE defines as `font`, the way the
 * GFX library draws: cursor on the baseline, each glyph at x + xOffset,
 * y + yOffset, bits row by row MSB first, then on by xAdvance. Prints the
 * canvas as rows of '#' and '.'. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include FONT_FILE

#define WIDTH 200
#define HEIGHT 24
static char canvas[HEIGHT][WIDTH + 1];

static void plot(int x, int y)
{
    if (x >= 0 && y >= 0 && x < WIDTH && y < HEIGHT)
        canvas[y][x] = '#';
}

int main(int argc, char **argv)
{
    const GFXfont *f = &font;
    int x = argc > 2 ? atoi(argv[2]) : 0, y = argc > 3 ? atoi(argv[3]) : 16;
    const unsigned char *p;
    memset(canvas, '.', sizeof canvas);
    for (p = (const unsigned char *)argv[1]; *p; ++p) {
        const GFXglyph *g;
        const uint8_t *bits;
        int bit = 0, gx, gy;
        if (*p < f->first || *p > f->last)
            continue;
        g = &f->glyph[*p - f->first];
        bits = f->bitmap + g->bitmapOffset;
        for (gy = 0; gy < g->height; ++gy)
            for (gx = 0; gx < g->width; ++gx, ++bit)
                if (bits[bit >> 3] & (0x80 >> (bit & 7)))
                    plot(x + g->xOffset + gx, y + g->yOffset + gy);
        x += g->xAdvance;
    }
    for (y = 0; y < HEIGHT; ++y) {
        canvas[y][WIDTH] = 0;
        puts(canvas[y]);
    }
    return 0;
}
