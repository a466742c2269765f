// TIcon: the class library's icon, a graphic holding an icon handle (a
// colour image with its transparency mask). It is always drawn transparent;
// it reads and writes icon files (IcoCodec.h) and frees its handle unless
// the handle was released.
#pragma once

#include "platform/gfx/Graphic.h"

class TIcon : public TGraphic {
public:
    // An empty icon.
    TIcon();
    // Destroys the handle it holds.
    ~TIcon() override;

    // Copies another icon's image (a new handle); nullptr empties the icon.
    void Assign(TPersistent* source) override;

    bool Empty() const override { return handle_ == nullptr; }
    // The icon's size; for an empty icon the size asked for (0 at first).
    int Width() const override;
    int Height() const override;
    // Sets the size an empty icon asks for; the size of an icon that holds
    // an image cannot change (EInvalidGraphicOperation "Cannot change the
    // size of an icon").
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    // Icons are always transparent; setting it does nothing.
    void SetTransparent(bool) override {}

    // The icon handle (0 when empty), owned by the TIcon.
    HICON Handle() const { return handle_; }
    // Takes over an icon handle (the old one is destroyed).
    void SetHandle(HICON value);
    // Hands the handle to the caller, who must destroy it; the icon is empty after.
    HICON ReleaseHandle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    // Reads an icon file from the stream's position on; EInvalidGraphic when
    // it is not a valid one.
    void LoadFromStream(TStream& stream) override;
    // Writes an icon file of one image (nothing for an empty icon).
    void SaveToStream(TStream& stream) override;

protected:
    // Draws the icon stretched into rect, through its mask or alpha.
    void Draw(TCanvas& canvas, const RECT& rect) override;

private:
    void Free();

    HICON handle_ = nullptr;
    SIZE requested_;
};
