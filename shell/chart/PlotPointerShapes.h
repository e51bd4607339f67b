#pragma once
// The magnifier pointers of the click zoom modes, drawn once on first use.

#include <QCursor>

const QCursor& plotZoomInPointer();
const QCursor& plotZoomOutPointer();
