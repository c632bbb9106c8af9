#pragma once

#include "ElementArray.h"
#include "JointElement.h"
#include "NodeElement.h"

class QPainter;

// Paints the visible segments, then the visible point markers, onto any painter: the drawing area
// and off-screen pictures share it.
void PaintMarkers(QPainter& painter, const ElementArray<NodeElement>& nodes,
                  const ElementArray<JointElement>& joints);
