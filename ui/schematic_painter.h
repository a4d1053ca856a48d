#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

#include "view/schematic.h"

namespace gosei::ui {

// Paints a schematic scaled to fit `target`, centred in it, in `ink` (the
// palette's text colour, or its highlighted text colour in a selected row),
// with the labels in the painter's font family. Lines and bodies fall on
// whole device pixels, so that they stay sharp at any device pixel ratio.
// The shape is the schematic's own; nothing here moves or resizes it.
void paintSchematic(QPainter& painter, const view::Schematic& schematic, const QRectF& target,
                    const QColor& ink);

}  // namespace gosei::ui
