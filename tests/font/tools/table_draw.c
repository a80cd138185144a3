/* Draws argv[1] with the table font FONT_FILE defines as `font` in
 * vertical pages (KS0108: a page of 8 rows, one byte a column, bit 0 at
 * the top), read back column by column: each character's cell at the
 * cursor, its baseline row on y, then on by the cell's width. Prints the
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
    int x = argc > 2 ? atoi(argv[2]) : 0, y = argc > 3 ? atoi(argv[3]) : 16;
    const unsigned char *p;
    memset(canvas, '.', sizeof canvas);
    for (p = (const unsigned char *)argv[1]; *p; ++p) {
        const uint8_t *cell;
        int column, row;
        if (*p < FONT_FIRST || *p > FONT_LAST)
            continue;
        cell = font + (*p - FONT_FIRST) * FONT_BYTES_PER_CHAR;
        for (column = 0; column < FONT_WIDTH; ++column)
            for (row = 0; row < FONT_HEIGHT; ++row)
                if (cell[(row / 8) * FONT_WIDTH + column] & (1 << (row % 8)))
                    plot(x + column, y - FONT_BASELINE + row);
        x += FONT_WIDTH;
    }
    for (y = 0; y < HEIGHT; ++y) {
        canvas[y][WIDTH] = 0;
        puts(canvas[y]);
    }
    return 0;
}
