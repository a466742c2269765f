// TCustomImageList and TImageList: the class library's image list, a
// component holding images of one size (Width x Height), each with a
// transparency mask when the list is Masked. Images come from bitmap strips
// (Add, AddMasked), icons and other lists; they go out as bitmaps
// (GetBitmap), icons with their mask (GetIcon) or drawn on a canvas in a
// drawing style. Change links (TChangeLink) tell the list's users, such as
// a label or a ribbon tab, that the images changed.
//
// A stored form keeps the images in the list's "Bitmap" property, in the
// image list stream format (ImageListStream.h).
#pragma once

#include "platform/forms/Component.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Icon.h"

#include <vector>

// How Draw shows an image: with the focus or selection blend, as it is, or
// with the masked part left out whatever the background colour.
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
// Whether Draw shows the image or its mask.
enum TImageType { itImage, itMask };
// The colour depth the list keeps (only 32 bits keeps an alpha channel).
enum TColorDepth { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };

class TCustomImageList;

// A link through which an image list tells a user of it about changes.
class TChangeLink : public TObject {
public:
    TChangeLink() = default;
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;
    // Leaves the list it is registered with.
    ~TChangeLink() override;
    // The list the link is registered with (set by RegisterChanges).
    TCustomImageList* Sender = nullptr;
    // Called with the list as Sender when its images change.
    TNotifyEvent OnChange;
    // Calls OnChange when it is assigned.
    virtual void Change();
};

class TCustomImageList : public TComponent {
public:
    // A list of 16 x 16 images, masked, with no background colour (clNone).
    explicit TCustomImageList(TComponent* AOwner);
    // The class library's CreateSize: a list of that image size and no owner.
    TCustomImageList(int width, int height);
    // Unregisters its change links.
    ~TCustomImageList() override;

    // Copies another list's size, settings and images.
    void Assign(TPersistent* source) override;

    // The size of every image; changing it removes all images.
    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    // The number of images.
    int Count() const { return static_cast<int>(images_.size()); }
    // How many places the list grows by (kept for the stored form).
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int value) { allocBy_ = value; }
    // The colour drawn under the masked part (clNone: it stays transparent).
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor value);
    // The colour dsFocus and dsSelected blend in (clNone: the highlight colour).
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor value) { blendColor_ = value; }
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle value);
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType value);
    // True when images have masks; turning it off drops them, on gives
    // every image an empty (opaque) mask.
    bool Masked() const { return masked_; }
    void SetMasked(bool value);
    // Whether the list shares images it did not make (kept for the stored form).
    bool ShareImages() const { return shareImages_; }
    void SetShareImages(bool value) { shareImages_ = value; }
    TColorDepth ColorDepth() const { return colorDepth_; }
    void SetColorDepth(TColorDepth value);

    // Adds the images of a strip as wide as a whole number of images (the
    // first Height rows) with the mask of the same shape (nullptr: opaque;
    // white marks what is transparent). Returns the first new index, -1
    // when image is nullptr. EInvalidOperation "Invalid image size" when a
    // bitmap is smaller than one image.
    int Add(TBitmap* image, TBitmap* mask);
    // Adds a strip whose pixels of maskColor are transparent (they are
    // blackened in the image, as masks expect).
    int AddMasked(TBitmap* image, TColor maskColor);
    // Adds an icon, stretched to the image size.
    int AddIcon(TIcon* image);
    // Adds image index of another list; all of its images.
    int AddImage(TCustomImageList* value, int index);
    void AddImages(TCustomImageList* value);
    // Inserts before index (index == Count appends).
    void Insert(int index, TBitmap* image, TBitmap* mask);
    void InsertMasked(int index, TBitmap* image, TColor maskColor);
    void InsertIcon(int index, TIcon* image);
    // Replaces image index.
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void ReplaceMasked(int index, TBitmap* newImage, TColor maskColor);
    void ReplaceIcon(int index, TIcon* image);
    // Removes image index; -1 removes all.
    void Delete(int index);
    // Moves an image to another place.
    void Move(int curIndex, int newIndex);
    // Removes every image.
    void Clear();

    // Sets image to the list's image size and draws image index on it
    // (dsNormal): the masked part shows what was there (white in a new
    // bitmap) unless BkColor is set. False when image is nullptr or the
    // index is not an image.
    bool GetBitmap(int index, TBitmap* image);
    // An icon of image index with its mask (opaque for a list without masks).
    void GetIcon(int index, TIcon* image);
    void GetIcon(int index, TIcon* image, TDrawingStyle style, TImageType type);
    // The colours and the mask of image index as bitmaps of the image size
    // (mask: white where transparent).
    void GetImages(int index, TBitmap* image, TBitmap* mask);
    // Draws image index at (x, y) in the list's DrawingStyle and ImageType;
    // a disabled image is drawn in gray. An index that is not an image draws nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type,
              bool enabled = true);

    // Registers a change link (its Sender becomes this list) or removes one.
    void RegisterChanges(TChangeLink* value);
    void UnRegisterChanges(TChangeLink* value);
    // Holds change notification back until the matching EndUpdate.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    // The stored form's "Bitmap" property: the images in the image list
    // stream format. ReadData replaces size, settings and images;
    // EReadError "Failed to read ImageList data from stream" with the
    // reason when the data is not valid.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    // Called with the list as Sender after its images change.
    TNotifyEvent OnChange;

protected:
    // Tells OnChange and every change link (unless updating).
    virtual void Change();

private:
    struct Image {
        gfx::Dib Color; // 32 bits
        gfx::Dib Mask;  // 1 bit, 1 = transparent
    };

    Image FromStrip(const TBitmap& image, const TBitmap* mask, int column) const;
    Image MaskedFromStrip(const TBitmap& image, COLORREF key, int column) const;
    Image FromIcon(TIcon& icon) const;
    std::vector<Image> Strip(TBitmap* image, TBitmap* mask) const;
    std::vector<Image> MaskedStrip(TBitmap* image, TColor maskColor) const;
    void CheckImage(const TBitmap* image) const;
    void CheckIndex(int index, bool allowEnd = false) const;
    gfx::Dib Composite(const Image& image, TDrawingStyle style, TImageType type,
                       bool enabled) const;
    void SetSize(int width, int height);

    int width_ = 16;
    int height_ = 16;
    int allocBy_ = 4;
    TColor bkColor_ = clNone;
    TColor blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    bool masked_ = true;
    bool shareImages_ = false;
    TColorDepth colorDepth_ = cdDeviceDependent;
    std::vector<Image> images_;
    std::vector<TChangeLink*> links_;
    int updating_ = 0;
};

// The image list of forms (the class library's TImageList).
class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
