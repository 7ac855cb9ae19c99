#pragma once
// The chase editor's picture of the step on display: the live picture's shapes at
// the fixed 18-tier spacing, every lamp that is on at full brightness, and only the
// tiers the layout has. Computed from the document alone so it can be checked
// without painting.

#include "widgets/TreeGeometry.h"

// Where the preview builds its lamp images on the sprite sheet.
constexpr int kPreviewBulbX = 210, kPreviewBulbY = 222;

void ComputeChasePreview(const CShowData& show, CTreeGeometry& out);
