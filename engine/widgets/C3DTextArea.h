#ifndef C3DTEXTAREA_H
#define C3DTEXTAREA_H

#include <string>
#include <vector>

#include "C3DWindow.h"
#include "C3DText.h"

// Lines of text placed anywhere in the area. Points are fractions of the area,
// text sizes (cell heights) fractions of its height. The area may hold child
// windows too (pictures beside the text).
class C3DTextArea : public C3DWindow {
public:
    C3DTextArea(IDirect3DDevice8* device, CRECTVirtual rect, float size, D3DXCOLOR color);
    virtual ~C3DTextArea();

    virtual void Render();

    // Adds a text at 'at'; each '\n' starts a new line one text size further
    // down. A size of 0 and a colour of (0, 0, 0, 0) mean the area's own.
    void AddText(const char* text, CPOINTVirtual at, float size, D3DXCOLOR color);
    // One line that ends with "..." where it would be wider than 'width' (a
    // fraction of the area's width); the text kept stays whole.
    void AddTextCut(const char* text, CPOINTVirtual at, float width);
    void ClearTextArea();

    int GetLineCount() const { return (int)lines.size(); }
    const char* GetLineText(int index) const { return lines[index].text.c_str(); }
    CPOINTVirtual GetLinePoint(int index) const { return lines[index].at; }
    float GetLineSize(int index) const { return lines[index].size; }
    DWORD GetLineColor(int index) const { return lines[index].color; }

private:
    struct Line {
        std::string text;
        CPOINTVirtual at;
        float size;
        DWORD color;
        int block;        // lines of one AddText call share a number
        float cutWidth;   // > 0: shortened to this fraction of the area's width
    };

    // Draws the lines first..end-1 of one block: at the readable size, or
    // smaller where the block would leave the area.
    void DrawBlock(const PixelRect& r, size_t first, size_t end);

    std::vector<Line> lines;
    float size;
    int blocks;
    D3DXCOLOR textColor;
    C3DText* renderer;
};

#endif
