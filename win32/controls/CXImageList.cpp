#include "win32/controls/CXImageList.h"

#include "uilogic/ImageRules.h"
#include "win32/controls/Dpi.h"

#include <map>
#include <memory>

namespace {

constexpr int kSmallCell = 16;
constexpr int kLargeCell = 32;

// Owns a GDI object for the length of a scope.
struct GdiObject {
    explicit GdiObject(HGDIOBJ o) : object(o) {}
    ~GdiObject() {
        if (object)
            DeleteObject(object);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ object;
};

struct MemoryDc {
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc)
            DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC dc;
};

HBITMAP LoadStripBitmap(int resource) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The strip with cells of cellSize pixels: each pixel the nearest source pixel, so the
// transparent magenta stays exact.
HBITMAP ScaledStrip(HBITMAP source, int sourceCell, int cellSize) {
    BITMAP info{};
    GetObjectW(source, sizeof(info), &info);
    const int cells = info.bmWidth / sourceCell;
    HDC screen = GetDC(nullptr);
    HBITMAP scaled = CreateCompatibleBitmap(screen, cells * cellSize, cellSize);
    {
        MemoryDc from(screen);
        MemoryDc to(screen);
        HGDIOBJ oldFrom = SelectObject(from.dc, source);
        HGDIOBJ oldTo = SelectObject(to.dc, scaled);
        SetStretchBltMode(to.dc, COLORONCOLOR);
        StretchBlt(to.dc, 0, 0, cells * cellSize, cellSize, from.dc, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
        SelectObject(from.dc, oldFrom);
        SelectObject(to.dc, oldTo);
    }
    ReleaseDC(nullptr, screen);
    return scaled;
}

} // namespace

CXImageList::~CXImageList() {
    if (m_hList)
        ImageList_Destroy(m_hList);
}

bool CXImageList::LoadStrip(int smallBitmap, int largeBitmap, int cellSize) {
    const bool large = cellSize > kSmallCell;
    int sourceCell = large ? kLargeCell : kSmallCell;
    HBITMAP strip = LoadStripBitmap(large ? largeBitmap : smallBitmap);
    if (strip == nullptr && large) {
        strip = LoadStripBitmap(smallBitmap);
        sourceCell = kSmallCell;
    }
    if (strip == nullptr)
        return false;
    GdiObject owned(strip);
    HBITMAP cells = strip;
    std::unique_ptr<GdiObject> scaledOwner;
    if (sourceCell != cellSize) {
        cells = ScaledStrip(strip, sourceCell, cellSize);
        scaledOwner = std::make_unique<GdiObject>(cells);
    }
    HIMAGELIST list = ImageList_Create(cellSize, cellSize, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (list == nullptr)
        return false;
    if (ImageList_AddMasked(list, cells, m_background) < 0) {
        ImageList_Destroy(list);
        return false;
    }
    if (m_hList)
        ImageList_Destroy(m_hList);
    m_hList = list;
    m_cell = cellSize;
    return true;
}

int CXImageList::Count() const {
    return m_hList ? ImageList_GetImageCount(m_hList) : 0;
}

int CXImageList::Lookup(int key) const {
    return LookupCell(key, m_bDirectIndex, m_keys);
}

void CXImageList::DrawNormal(HDC dc, int cell, POINT at) const {
    if (m_hList)
        ImageList_Draw(m_hList, cell, dc, at.x, at.y, ILD_TRANSPARENT);
}

void CXImageList::DrawHot(HDC dc, int cell, POINT at) const {
    if (!m_hList)
        return;
    ImageList_Draw(m_hList, cell, dc, at.x, at.y, ILD_BLEND50);
    ImageList_Draw(m_hList, cell, dc, at.x - 1, at.y - 1, ILD_TRANSPARENT);
}

void CXImageList::DrawGreyed(HDC dc, int cell, POINT at, COLORREF background) const {
    if (!m_hList)
        return;
    HICON icon = ImageList_GetIcon(m_hList, cell, ILD_NORMAL);
    if (icon == nullptr)
        return;
    const int size = m_cell;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = size;
    bmi.bmiHeader.biHeight = -size;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        GdiObject ownedBitmap(bitmap);
        MemoryDc memory(dc);
        HGDIOBJ old = SelectObject(memory.dc, bitmap);
        {
            GdiObject brush(CreateSolidBrush(m_background));
            RECT all{0, 0, size, size};
            FillRect(memory.dc, &all, static_cast<HBRUSH>(brush.object));
        }
        DrawIconEx(memory.dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        GdiFlush();
        // A 32-bit DIB pixel read as an integer is 0x00RRGGBB.
        const auto packed = [](COLORREF c) {
            return std::uint32_t{GetRValue(c)} << 16 | std::uint32_t{GetGValue(c)} << 8 |
                   std::uint32_t{GetBValue(c)};
        };
        GreyPixels(static_cast<std::uint32_t*>(bits), static_cast<std::size_t>(size) * size,
                   packed(m_background), packed(background));
        BitBlt(dc, at.x, at.y, size, size, memory.dc, 0, 0, SRCCOPY);
        SelectObject(memory.dc, old);
    }
    DestroyIcon(icon);
}

const CXImageList* SharedImages(int dpi) {
    static std::map<int, std::unique_ptr<CXImageList>> lists;
    const int cell = Scale(kSmallCell, dpi);
    auto found = lists.find(cell);
    if (found != lists.end())
        return found->second.get();
    auto list = std::make_unique<CXImageList>();
    list->SetDirectIndex(true);
    if (!list->LoadStrip(kButtonStrip, kButtonStripLarge, cell))
        list.reset();
    return (lists[cell] = std::move(list)).get();
}
