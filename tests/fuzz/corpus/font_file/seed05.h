/* font_6x13_ISO8859_1: tavrel font form=gfx first=0x40 last=0x47 width=0 height=13 baseline=11 packing=horizontal bit-order=msb scan=pages */
#include <stdint.h>

#define FONT_6X13_ISO8859_1_FIRST 0x40
#define FONT_6X13_ISO8859_1_LAST 0x47
#define FONT_6X13_ISO8859_1_HEIGHT 13
#define FONT_6X13_ISO8859_1_BASELINE 11

#ifndef _GFXFONT_H_
#define _GFXFONT_H_
typedef struct {
    uint16_t bitmapOffset;
    uint8_t width;
    uint8_t height;
    uint8_t xAdvance;
    int8_t xOffset;
    int8_t yOffset;
} GFXglyph;
typedef struct {
    uint8_t *bitmap;
    GFXglyph *glyph;
    uint16_t first;
    uint16_t last;
    uint8_t yAdvance;
} GFXfont;
#endif

const uint8_t font_6x13_ISO8859_1_bitmaps[48] = {
    0x74, 0x63, 0x3a, 0xd6, 0xd0, 0x78, /* 0x40 '@' */
    0x22, 0xa3, 0x18, 0xfe, 0x31, 0x88, /* 0x41 'A' */
    0xf2, 0x52, 0x97, 0x25, 0x29, 0xf0, /* 0x42 'B' */
    0x74, 0x61, 0x08, 0x42, 0x11, 0x70, /* 0x43 'C' */
    0xf2, 0x52, 0x94, 0xa5, 0x29, 0xf0, /* 0x44 'D' */
    0xfc, 0x21, 0x0f, 0x42, 0x10, 0xf8, /* 0x45 'E' */
    0xfc, 0x21, 0x0f, 0x42, 0x10, 0x80, /* 0x46 'F' */
    0x74, 0x61, 0x08, 0x4e, 0x31, 0x70, /* 0x47 'G' */
};

const GFXglyph font_6x13_ISO8859_1_glyphs[8] = {
    {0, 5, 9, 6, 0, -9}, /* 0x40 '@' */
    {6, 5, 9, 6, 0, -9}, /* 0x41 'A' */
    {12, 5, 9, 6, 0, -9}, /* 0x42 'B' */
    {18, 5, 9, 6, 0, -9}, /* 0x43 'C' */
    {24, 5, 9, 6, 0, -9}, /* 0x44 'D' */
    {30, 5, 9, 6, 0, -9}, /* 0x45 'E' */
    {36, 5, 9, 6, 0, -9}, /* 0x46 'F' */
    {42, 5, 9, 6, 0, -9}, /* 0x47 'G' */
};

const GFXfont font_6x13_ISO8859_1 = {(uint8_t *)font_6x13_ISO8859_1_bitmaps, (GFXglyph *)font_6x13_ISO8859_1_glyphs, 0x40, 0x47, 13};
