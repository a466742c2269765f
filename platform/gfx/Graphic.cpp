// The base of images: files, stored-form data and change notification.
#include "platform/gfx/Graphic.h"

#include "platform/gfx/Canvas.h"
#include "platform/rtl/Streams.h"

void TGraphic::SetSize(int width, int height) {
    SetWidth(width);
    SetHeight(height);
}

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_)
        return;
    transparent_ = value;
    Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TGraphic::ReadData(TStream& stream) {
    LoadFromStream(stream);
}

void TGraphic::WriteData(TStream& stream) {
    SaveToStream(stream);
}

void TGraphic::Changed() {
    modified_ = true;
    if (OnChange)
        OnChange(this);
}

void TGraphic::DrawBits(TCanvas& canvas, const RECT& dest, const gfx::Dib& bits, DWORD rop) {
    canvas.DoDrawBits(dest, bits, rop);
}
