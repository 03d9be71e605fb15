#pragma once
// The tables of drawn pictures, filled by the Pictures*.cpp files.

#include <QString>
#include <map>

#include "controls/PixelPainter.h"

namespace Pictures::Detail {

using TIconTable = std::map<QString, TPictureDraw>;

void AddFileIcons(TIconTable& table);
void AddEditIcons(TIconTable& table);
void AddImageIcons(TIconTable& table);
void AddToolIcons(TIconTable& table);
void AddFrameIcons(TIconTable& table);

const TIconTable& CommandIcons();

}  // namespace Pictures::Detail
