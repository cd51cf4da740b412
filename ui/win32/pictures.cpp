#include "ui/win32/pictures.h"

#include <gdiplus.h>
#include <objidl.h>
#include <shlwapi.h>

#include <algorithm>
#include <memory>
#include <span>

#include "ui/win32/resource_ids.h"
#include "ui/win32/system_library.h"
#include "ui/win32/text.h"

namespace zentrix::win32 {

namespace {

struct StreamReleaser {
    void operator()(IStream* stream) const { stream->Release(); }
};

// The bytes of RCDATA resource `id`, which live as long as the module.
std::span<const BYTE> rawResource(HINSTANCE instance, int id) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(instance, found);
    const DWORD size = SizeofResource(instance, found);
    if (loaded == nullptr || size == 0) {
        return {};
    }
    return {static_cast<const BYTE*>(LockResource(loaded)), size};
}

// A PNG or JPEG resource decoded by GDI+ and laid over `background`.
Picture decodeResource(const GdiplusSession& gdiplus, HINSTANCE instance, int id,
                       layout::Rgb background) {
    const auto bytes = rawResource(instance, id);
    if (bytes.empty()) {
        return {};
    }
    return gdiplus.decode(bytes.data(), bytes.size(), background);
}

Picture loadBitmapResource(HINSTANCE instance, int id) {
    Picture picture;
    picture.bitmap.reset(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (picture.bitmap && GetObjectW(picture.bitmap.get(), sizeof info, &info) != 0) {
        picture.width = info.bmWidth;
        picture.height = info.bmHeight;
    } else {
        picture.bitmap.reset();
    }
    return picture;
}

}  // namespace

// GDI+ and the memory stream it reads from, loaded by hand rather than imported, so that only
// a program that decodes a picture pays for loading them. The flat API is what gdiplus.dll
// exports; the C++ wrappers of <gdiplus.h> only call it.
struct GdiplusSession::Library {
    HMODULE gdiplus = nullptr;
    HMODULE shlwapi = nullptr;
    ULONG_PTR token = 0;
    decltype(&Gdiplus::GdiplusStartup) startGdiplus = nullptr;
    decltype(&Gdiplus::GdiplusShutdown) stopGdiplus = nullptr;
    decltype(&Gdiplus::DllExports::GdipCreateBitmapFromStream) createBitmapFromStream = nullptr;
    decltype(&Gdiplus::DllExports::GdipGetImageWidth) getImageWidth = nullptr;
    decltype(&Gdiplus::DllExports::GdipGetImageHeight) getImageHeight = nullptr;
    decltype(&Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap) createHbitmapFromBitmap = nullptr;
    decltype(&Gdiplus::DllExports::GdipDisposeImage) disposeImage = nullptr;
    decltype(&SHCreateMemStream) createMemStream = nullptr;

    // The DLLs stay loaded once a picture has needed them: the help windows start a session of
    // their own each time they open, and should not load GDI+ and COM afresh every time.
    ~Library() {
        if (token != 0) {
            stopGdiplus(token);
        }
    }

    template <typename Function>
    static bool find(HMODULE module, const char* name, Function& function) {
        // Through void*: a FARPROC is no function type of GDI+'s own.
        function =
            reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
        return function != nullptr;
    }

    bool start() {
        gdiplus = loadSystemLibrary(L"gdiplus.dll");
        shlwapi = loadSystemLibrary(L"shlwapi.dll");
        if (gdiplus == nullptr || shlwapi == nullptr ||
            !find(gdiplus, "GdiplusStartup", startGdiplus) ||
            !find(gdiplus, "GdiplusShutdown", stopGdiplus) ||
            !find(gdiplus, "GdipCreateBitmapFromStream", createBitmapFromStream) ||
            !find(gdiplus, "GdipGetImageWidth", getImageWidth) ||
            !find(gdiplus, "GdipGetImageHeight", getImageHeight) ||
            !find(gdiplus, "GdipCreateHBITMAPFromBitmap", createHbitmapFromBitmap) ||
            !find(gdiplus, "GdipDisposeImage", disposeImage) ||
            !find(shlwapi, "SHCreateMemStream", createMemStream)) {
            return false;
        }
        Gdiplus::GdiplusStartupInput input;
        if (startGdiplus(&token, &input, nullptr) != Gdiplus::Ok) {
            token = 0;
            return false;
        }
        return true;
    }
};

GdiplusSession::GdiplusSession() = default;

GdiplusSession::~GdiplusSession() = default;

bool GdiplusSession::running() const {
    if (!tried_) {
        tried_ = true;
        auto library = std::make_unique<Library>();
        if (library->start()) {
            library_ = std::move(library);
        }
    }
    return library_ != nullptr;
}

Picture GdiplusSession::decode(const BYTE* bytes, std::size_t size, layout::Rgb background) const {
    if (!running() || size == 0) {
        return {};
    }
    const Library& gdi = *library_;
    std::unique_ptr<IStream, StreamReleaser> stream(
        gdi.createMemStream(bytes, static_cast<UINT>(size)));
    if (!stream) {
        return {};
    }
    Gdiplus::GpBitmap* decoded = nullptr;
    if (gdi.createBitmapFromStream(stream.get(), &decoded) != Gdiplus::Ok) {
        return {};
    }
    Picture picture;
    UINT width = 0;
    UINT height = 0;
    gdi.getImageWidth(decoded, &width);
    gdi.getImageHeight(decoded, &height);
    const Gdiplus::ARGB argb = 0xFF000000u | (Gdiplus::ARGB{background.red} << 16) |
                               (Gdiplus::ARGB{background.green} << 8) | background.blue;
    HBITMAP bitmap = nullptr;
    if (gdi.createHbitmapFromBitmap(decoded, &bitmap, argb) == Gdiplus::Ok) {
        picture.bitmap.reset(bitmap);
        picture.width = static_cast<int>(width);
        picture.height = static_cast<int>(height);
    }
    gdi.disposeImage(decoded);
    return picture;
}

Picture loadNumberedPicture(const GdiplusSession& gdiplus, HINSTANCE instance, int number, UINT dpi,
                            layout::Rgb background) {
    if (dpi >= kDoubleSizeDpi) {
        return decodeResource(gdiplus, instance, ZENTRIX_RES_DOUBLE_SIZE_BASE + number, background);
    }
    return loadBitmapResource(instance, number);
}

bool hasNumberedPicture(HINSTANCE instance, int number, UINT dpi) {
    if (dpi >= kDoubleSizeDpi) {
        return !rawResource(instance, ZENTRIX_RES_DOUBLE_SIZE_BASE + number).empty();
    }
    return FindResourceW(instance, MAKEINTRESOURCEW(number), RT_BITMAP) != nullptr;
}

Picture loadTitlePicture(const GdiplusSession& gdiplus, HINSTANCE instance, UINT dpi) {
    const int id = dpi >= kDoubleSizeDpi ? ZENTRIX_RES_TITLE_JPEG_DOUBLE : ZENTRIX_RES_TITLE_JPEG;
    return decodeResource(gdiplus, instance, id, layout::kFeltGreen);
}

Picture loadTitleBitmap(HINSTANCE instance) {
    return loadBitmapResource(instance, ZENTRIX_RES_TITLE_BITMAP);
}

void drawPicture(HDC dc, const Picture& picture, const RECT& target) {
    if (!picture) {
        return;
    }
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!source) {
        return;
    }
    Selection selected(source.get(), picture.bitmap.get());
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width == picture.width && height == picture.height) {
        BitBlt(dc, target.left, target.top, width, height, source.get(), 0, 0, SRCCOPY);
        return;
    }
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    StretchBlt(dc, target.left, target.top, width, height, source.get(), 0, 0, picture.width,
               picture.height, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

UniqueFont createFont(const layout::FontDesign& design, double scale) {
    const int pixels = layout::scaled(design.pixelSize(), scale);
    const std::wstring family = widen(design.family);
    // A negative height asks for the character height (the em) rather than the cell height,
    // which is how the design's point sizes are meant.
    return UniqueFont(CreateFontW(-pixels, 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, family.c_str()));
}

COLORREF colorOf(layout::Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

}  // namespace zentrix::win32
