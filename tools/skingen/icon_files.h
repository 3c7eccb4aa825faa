#pragma once

#include "app_icon.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <vector>

namespace skingen {

// The bitmap sizes a desktop looks for in the hicolor icon theme.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage RenderIcon(const std::vector<IconLayer>& layers, int size);
QString IconSvg(const std::vector<IconLayer>& layers);

// Writes hicolor/SIZExSIZE/apps/NAME.png for every size and
// hicolor/scalable/apps/NAME.svg under `root`; false when a file cannot be written.
bool WriteIconTheme(const std::vector<IconLayer>& layers, const QDir& root, const QString& name);

} // namespace skingen
