// The launcher renders of a pixel-art icon: PNG-ready images at any size and
// an SVG of the same pixels, both made from the one designed picture.
#pragma once

#include <QImage>
#include <QString>

namespace optics::packaging {

// The picture at size x size pixels, opaque RGB32. Each output pixel is the
// area-weighted mean of the design pixels it covers (what an anti-aliased
// renderer draws from the SVG below), rounded to the nearest level, so a
// whole-number enlargement repeats every pixel and a reduction to half
// averages each 2 x 2 block.
//   32 x 32 design, size 64 -> each design pixel as a 2 x 2 block
//   32 x 32 design, size 16 -> pixel (0,0) = mean of design (0,0) (1,0) (0,1) (1,1)
//   size 32                 -> the design itself
QImage RenderIcon(const QImage& design, int size);

// The design as an SVG document of width x height user units: one rect for
// the picture's most common colour, then one rect per horizontal run of
// equal pixels of any other colour, painted in document order.
//   a 2 x 1 design, red then red -> the background rect alone, fill="#ff0000"
QString IconSvg(const QImage& design);

}  // namespace optics::packaging
