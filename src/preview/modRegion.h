// Tiling a picture over a surface.
#pragma once

class PictureBox;

// Fills the target's whole client area with the source box's picture, repeated from the
// top-left corner. The source only lends its picture.
void TileBackground(PictureBox& target, const PictureBox& source);
