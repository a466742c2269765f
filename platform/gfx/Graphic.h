// TGraphic: the class library's base of images (bitmaps, icons, pictures of
// the HTML label): a size, emptiness, transparency, loading from and saving
// to streams and files, the "Data" a stored form keeps, and drawing itself on
// a canvas (TCanvas::Draw and StretchDraw call it).
#pragma once

#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/Object.h"

#include <string>

class TCanvas;
class TStream;
namespace gfx {
class Dib;
}

class TGraphic : public TPersistent {
public:
    TGraphic() = default;
    // Images are copied with Assign, never by value.
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    // True when the graphic holds no image.
    virtual bool Empty() const = 0;
    // The size in pixels.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    // Sets width and height at once.
    virtual void SetSize(int width, int height);
    // True when the graphic is drawn with its transparent parts left out.
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    // True once the image changed after it was loaded (set by Changed).
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    // Replaces the image by the one read from the stream's position on.
    virtual void LoadFromStream(TStream& stream) = 0;
    // Writes the image in its file format at the stream's position.
    virtual void SaveToStream(TStream& stream) = 0;
    // LoadFromStream / SaveToStream over a file.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    // Reads the image as a stored form keeps it in its "Data" property (by
    // default as LoadFromStream reads it).
    virtual void ReadData(TStream& stream);
    // Writes the image as a stored form keeps it (by default as SaveToStream).
    virtual void WriteData(TStream& stream);

    // Called with the graphic as Sender whenever its image changes.
    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the image into rect of the canvas (stretched to it).
    virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;
    // Marks the graphic modified and fires OnChange.
    virtual void Changed();
    // Hands pixels to a canvas's DoDrawBits, for Draw implementations.
    static void DrawBits(TCanvas& canvas, const RECT& dest, const gfx::Dib& bits, DWORD rop);

private:
    bool transparent_ = false;
    bool modified_ = false;
};
