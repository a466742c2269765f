// The HTML renderer: one routine that lays out, hit-tests and draws the
// label's tagged text on a canvas. The label calls it to paint, to measure
// (auto-size, vertical alignment) and to find the anchor under the mouse;
// the inputs of a call are grouped in THTMLDrawParams, its findings in
// THTMLDrawResult.
//
// Tags: A (HREF), B, BL (blink), BODY (BACKGROUND, BGCOLOR), BR, E (error
// underline), FONT (FACE, COLOR, BGCOLOR, SIZE), HI, HR, I, IND (X), IMG
// (SRC, ALT, WIDTH, HEIGHT, ALIGN), LI, P (ALIGN, INDENT, BGCOLOR), R (A),
// S, SHAD, SUB, SUP, U, UL, Z and their closing forms; entities
// (HTMLEntities.h). The text is laid out line by line (HTMLDrawLine.h), each
// line measured first, where all wrapping is decided, then drawn.
#pragma once

#include "platform/gfx/Canvas.h"

#include <string>
#include <string_view>

class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;

// What a call of HTMLDrawEx is asked to do.
struct THTMLDrawParams {
    // Pictures of "IDX:n" (nullptr: none).
    TCustomImageList* Images = nullptr;
    // The point to hit-test, in the canvas's coordinates.
    int X = -1;
    int Y = -1;
    // The anchor (from 0) that gets a focus rectangle; -1 none.
    int FocusLink = -1;
    // The hovered anchor (from 1, as MouseLink); -1 none.
    int HoverLink = -1;
    // How far SHAD text's shadow lies right and down, in pixels.
    int ShadowOffset = 2;
    // Measure and hit-test only; nothing is drawn.
    bool CheckOnly = false;
    // Measure only: no drawing or hit-testing pass, no stop at the bottom.
    bool CheckHeight = false;
    // The canvas is a printer: list and shell images go through bitmaps
    // scaled by ResFactor.
    bool Print = false;
    // The text is selected: colour tags and anchor colours are ignored.
    bool Selected = false;
    // The blink phase: while false, text in BL is drawn in the background
    // colour.
    bool Blink = false;
    // Only anchor HoverLink gets the hover look.
    bool Hover = false;
    // Wrap between words; when false, lines end with an ellipsis instead.
    bool WordWrap = true;
    // The print scale of images.
    double ResFactor = 1.0;
    // Anchor text; hovered anchor background and text; SHAD text's shadow.
    TColor URLColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor ShadowColor = clGray;
    // Pictures loaded by URL ("://"), kept between calls (nullptr: none).
    THTMLPictureCache* PictureCache = nullptr;
    // Named pictures (nullptr: none).
    TPictureContainer* PictureContainer = nullptr;
};

// What a call of HTMLDrawEx found.
struct THTMLDrawResult {
    // The href of the anchor under the point (empty when none).
    std::string AnchorVal;
    // The text without tags and with entities decoded; a line break is CR.
    std::string StripVal;
    // The href of anchor FocusLink (found while drawing).
    std::string FocusAnchor;
    // The widest line (from the text's left edge) and the total height.
    int XSize = 0;
    int YSize = 0;
    // The number of anchors.
    int HyperLinks = 0;
    // The anchor under the point, from 1; -1 none.
    int MouseLink = -1;
    // The part of that anchor's line it covers.
    RECT HoverRect;
};

// Lays out text in rect and, unless told only to measure, draws it; true
// when the point lies on an anchor. The canvas's font, brush, pen and
// background mode are as they were afterwards.
bool HTMLDrawEx(TCanvas& canvas, std::string_view text, const RECT& rect,
                const THTMLDrawParams& params, THTMLDrawResult& result);
