#pragma once

#include "uilogic/ButtonPictures.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

// A list of equal square pictures (a system image list with a mask), drawn normal, hot
// (blended) or greyed. Cells are 16 x 16 at 96 DPI and grow with the DPI.
class CXImageList {
public:
    CXImageList() = default;
    ~CXImageList();
    CXImageList(const CXImageList&) = delete;
    CXImageList& operator=(const CXImageList&) = delete;

    // Cuts a bitmap strip of square cells with magenta as the transparent colour into cells
    // of cellSize pixels. The strip is taken from smallBitmap (16 px cells) or, for cells over
    // 16 px, from largeBitmap (32 px cells), and scaled when its cells have another size.
    bool LoadStrip(int smallBitmap, int largeBitmap, int cellSize);

    HIMAGELIST Handle() const { return m_hList; }
    int CellSize() const { return m_cell; }
    int Count() const;
    COLORREF BackgroundColor() const { return m_background; }

    void SetDirectIndex(bool direct) { m_bDirectIndex = direct; }
    void SetKeys(std::vector<int> keys) { m_keys = std::move(keys); }
    // The cell of a key: the key itself with the direct index, else its position among the
    // keys; -1 when there is none.
    int Lookup(int key) const;

    void DrawNormal(HDC dc, int cell, POINT at) const;
    // Half-blended at `at`, then the normal picture one pixel up and left of it.
    void DrawHot(HDC dc, int cell, POINT at) const;
    // Transparent pixels become `background`, every other pixel grey.
    void DrawGreyed(HDC dc, int cell, POINT at, COLORREF background) const;

private:
    HIMAGELIST m_hList = nullptr;
    COLORREF m_background = RGB(255, 0, 255);
    std::vector<int> m_keys;
    int m_cell = 16;
    bool m_bDirectIndex = false;
};

// The shared button pictures (bitmap 130, or 142 drawn at 32 x 32) for a DPI: nine cells keyed
// by their index, made on first use for each cell size and kept for the run. Null when the
// bitmap cannot be loaded.
const CXImageList* SharedImages(int dpi);

// Resource numbers of the button strips.
constexpr int kButtonStrip = 130;
constexpr int kButtonStripLarge = 142;
