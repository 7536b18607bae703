#include "WindowLayout.h"

#include <cmath>

PixelRect ChildPixelRect(const PixelRect& parent, const CRECTVirtual& child, bool quadratic)
{
    PixelRect r;
    r.x = parent.x + child.x * parent.width;
    r.y = parent.y + child.y * parent.height;
    r.width = child.width * parent.width;
    r.height = child.height * parent.height;
    if (quadratic) {
        float side = r.width < r.height ? r.width : r.height;
        r.width = side;
        r.height = side;
    }
    return r;
}

CRECTScreen RoundPixelRect(const PixelRect& rect)
{
    int left = (int)std::floor(rect.x + 0.5f);
    int top = (int)std::floor(rect.y + 0.5f);
    int right = (int)std::floor(rect.x + rect.width + 0.5f);
    int bottom = (int)std::floor(rect.y + rect.height + 0.5f);
    return CRECTScreen(left, top, right - left, bottom - top);
}

bool PixelRectContains(const PixelRect& rect, float px, float py)
{
    return px >= rect.x && py >= rect.y && px < rect.x + rect.width && py < rect.y + rect.height;
}

PixelRect GrowPixelRect(const PixelRect& rect, float minWidth, float minHeight)
{
    PixelRect r = rect;
    if (r.width < minWidth) {
        r.x -= (minWidth - r.width) * 0.5f;
        r.width = minWidth;
    }
    if (r.height < minHeight) {
        r.y -= (minHeight - r.height) * 0.5f;
        r.height = minHeight;
    }
    return r;
}

CRECTVirtual BlendRect(const CRECTVirtual& from, const CRECTVirtual& to, float t)
{
    return CRECTVirtual(from.x + (to.x - from.x) * t,
                        from.y + (to.y - from.y) * t,
                        from.width + (to.width - from.width) * t,
                        from.height + (to.height - from.height) * t);
}
