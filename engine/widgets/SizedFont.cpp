#include "SizedFont.h"

#include <cmath>

#include "GlyphMetrics.h"

// Box-filters one axis: each of 'to' output samples averages the input span it
// covers, partly covered input samples by their share.
static void ResampleRows(const std::vector<float>& in, int inWidth, int rows, int outWidth, std::vector<float>& out)
{
    out.assign((size_t)outWidth * rows, 0.0f);
    float step = (float)inWidth / (float)outWidth;
    for (int x = 0; x < outWidth; x++) {
        float begin = x * step, end = begin + step;
        int first = (int)begin, last = (int)std::ceil(end);
        if (last > inWidth)
            last = inWidth;
        for (int i = first; i < last; i++) {
            float lo = i > begin ? (float)i : begin;
            float hi = i + 1 < end ? (float)(i + 1) : end;
            float weight = (hi - lo) / step;
            if (weight <= 0.0f)
                continue;
            for (int y = 0; y < rows; y++)
                out[(size_t)y * outWidth + x] += in[(size_t)y * inWidth + i] * weight;
        }
    }
}

static void Transpose(const std::vector<float>& in, int width, int height, std::vector<float>& out)
{
    out.resize(in.size());
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            out[(size_t)x * height + y] = in[(size_t)y * width + x];
}

static uint32_t White(float coverage)
{
    if (coverage < 0.0f)
        coverage = 0.0f;
    if (coverage > 1.0f)
        coverage = 1.0f;
    return ((uint32_t)(coverage * 255.0f + 0.5f) << 24) | 0x00FFFFFFu;
}

void MakeSizedFont(const std::vector<unsigned char>& alpha, int width, int height, int cell, float radius,
                   SizedFontPictures* out)
{
    out->cell = cell;
    out->pad = (int)std::ceil(radius) + 1;
    int side = GLYPH_ATLAS_CELLS * cell;

    std::vector<float> source(alpha.size());
    for (size_t i = 0; i < alpha.size(); i++)
        source[i] = alpha[i] / 255.0f;
    std::vector<float> wide, turned, tall, coverage;
    ResampleRows(source, width, height, side, wide);
    Transpose(wide, side, height, turned);
    ResampleRows(turned, height, side, side, tall);
    Transpose(tall, side, side, coverage);

    // Averaging thins small strokes to a faint grey: strengthen them, the more
    // the smaller the cell, so that they stay as dark as the text colour.
    float boost = 40.0f / (float)cell;
    if (boost < 1.5f)
        boost = 1.5f;
    {
        for (size_t i = 0; i < coverage.size(); i++)
            coverage[i] = 1.0f - std::pow(1.0f - (coverage[i] < 1.0f ? coverage[i] : 1.0f), boost);
    }

    out->glyphs.width = side;
    out->glyphs.height = side;
    out->glyphs.pixels.resize((size_t)side * side);
    for (size_t i = 0; i < coverage.size(); i++)
        out->glyphs.pixels[i] = White(coverage[i]);

    // The halo of each cell: the strongest neighbour within the radius, its
    // weight falling off over the last pixel so the ring's edge is smooth.
    // Each inked pixel spreads into its neighbourhood; most pixels hold no ink.
    int pad = out->pad, haloCell = cell + 2 * pad, reach = (int)std::ceil(radius + 0.5f);
    int haloSide = GLYPH_ATLAS_CELLS * haloCell;
    int span = 2 * reach + 1;
    std::vector<float> kernel((size_t)span * span);
    for (int dy = -reach; dy <= reach; dy++)
        for (int dx = -reach; dx <= reach; dx++) {
            float falloff = radius + 0.5f - std::sqrt((float)(dx * dx + dy * dy));
            float weight = falloff <= 0.0f ? 0.0f : (falloff < 1.0f ? falloff : 1.0f);
            kernel[(size_t)(dy + reach) * span + dx + reach] = weight;
        }
    std::vector<float> spread((size_t)haloSide * haloSide, 0.0f);
    for (int cy = 0; cy < GLYPH_ATLAS_CELLS; cy++) {
        for (int cx = 0; cx < GLYPH_ATLAS_CELLS; cx++) {
            for (int gy = 0; gy < cell; gy++) {
                for (int gx = 0; gx < cell; gx++) {
                    float c = coverage[(size_t)(cy * cell + gy) * side + cx * cell + gx];
                    if (c <= 0.0f)
                        continue;
                    // The glyph pixel sits 'pad' pixels into its grown cell, so
                    // every neighbour within the reach lies inside that cell.
                    int hx = cx * haloCell + pad + gx, hy = cy * haloCell + pad + gy;
                    for (int dy = -reach; dy <= reach; dy++) {
                        float* row = &spread[(size_t)(hy + dy) * haloSide + hx];
                        const float* weights = &kernel[(size_t)(dy + reach) * span + reach];
                        for (int dx = -reach; dx <= reach; dx++) {
                            float v = c * weights[dx];
                            if (v > row[dx])
                                row[dx] = v;
                        }
                    }
                }
            }
        }
    }
    out->halo.width = haloSide;
    out->halo.height = haloSide;
    out->halo.pixels.resize(spread.size());
    // Even a faint stroke gets a full ring around it.
    for (size_t i = 0; i < spread.size(); i++)
        out->halo.pixels[i] = White(spread[i] * 3.0f);
}
